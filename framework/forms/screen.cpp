// TScreen: the forms, the active form and control, the global cursor and
// the screen's measures.
#include "framework/screen.h"

#include <algorithm>

#include "framework/controls.h"
#include "framework/exceptions.h"
#include "framework/forms.h"

TScreen* Screen = EnsureScreen();

TScreen* EnsureScreen() {
  if (!Screen) Screen = new TScreen(nullptr);
  return Screen;
}

TScreen::TScreen(TComponent* owner) : TComponent(owner) {}

TScreen::~TScreen() {
  if (Screen == this) Screen = nullptr;
}

TCustomForm* TScreen::Forms(int index) const {
  if (index < 0 || index >= FormCount()) ListIndexError(index);
  return forms_[static_cast<size_t>(index)];
}

void TScreen::AddForm(TCustomForm* form) {
  if (std::find(forms_.begin(), forms_.end(), form) == forms_.end()) forms_.push_back(form);
}

void TScreen::RemoveForm(TCustomForm* form) {
  std::erase(forms_, form);
  if (activeForm_ == form) SetActiveForm(nullptr);
  if (activeControl_ && form->ContainsControl(activeControl_)) SetActiveControl(nullptr);
}

void TScreen::SetActiveForm(TCustomForm* form) {
  if (form == activeForm_) return;
  activeForm_ = form;
  if (form) BringFormToFront(form);
  activeControl_ = form ? form->ActiveControl() : nullptr;
  if (OnActiveFormChange) OnActiveFormChange(this);
}

void TScreen::SetActiveControl(TWinControl* control) {
  if (control == activeControl_) return;
  activeControl_ = control;
  if (OnActiveControlChange) OnActiveControlChange(this);
}

void TScreen::BringFormToFront(TCustomForm*) {}

void TScreen::SetCursor(TCursor cursor) {
  cursor_ = cursor;
  SetGlobalCursor(cursor);
  if (cursor != crDefault) {
    ::SetCursor(CursorHandle(cursor));
  } else {
    POINT p{};
    GetCursorPos(&p);
    SetCursorPos(p.x, p.y);  // the window under the pointer sets its own again
  }
}

HCURSOR TScreen::Cursors(TCursor cursor) const { return CursorHandle(cursor); }

int TScreen::Width() const { return GetSystemMetrics(SM_CXSCREEN); }
int TScreen::Height() const { return GetSystemMetrics(SM_CYSCREEN); }

TRect TScreen::WorkAreaRect() const {
  RECT r{0, 0, Width(), Height()};
  SystemParametersInfoA(SPI_GETWORKAREA, 0, &r, 0);
  return r;
}
