// TScreen: the forms on screen, the active form and control, the global
// cursor and the screen's size and work area.
#pragma once

#include <functional>
#include <vector>

#include "framework/component.h"
#include "framework/graphics.h"

class TCustomForm;
class TWinControl;

class TScreen : public TComponent {
 public:
  explicit TScreen(TComponent* owner);
  ~TScreen() override;

  int FormCount() const { return static_cast<int>(forms_.size()); }
  // Forms in creation order; EListError outside 0..FormCount()-1.
  TCustomForm* Forms(int index) const;
  TCustomForm* ActiveForm() const { return activeForm_; }
  TCustomForm* ActiveCustomForm() const { return activeForm_; }
  TWinControl* ActiveControl() const { return activeControl_; }

  // A global cursor over every control (crDefault: each control's own).
  TCursor Cursor() const { return cursor_; }
  void SetCursor(TCursor cursor);
  // The system cursor for a framework cursor number.
  HCURSOR Cursors(TCursor cursor) const;

  int Width() const;
  int Height() const;
  TRect WorkAreaRect() const;
  int WorkAreaLeft() const { return WorkAreaRect().left; }
  int WorkAreaTop() const { return WorkAreaRect().top; }
  int WorkAreaWidth() const { return RectWidth(WorkAreaRect()); }
  int WorkAreaHeight() const { return RectHeight(WorkAreaRect()); }
  int PixelsPerInch() const { return 96; }

  TNotifyEvent OnActiveFormChange;
  TNotifyEvent OnActiveControlChange;

  // ---- kept up to date by the forms
  void AddForm(TCustomForm* form);
  void RemoveForm(TCustomForm* form);
  void SetActiveForm(TCustomForm* form);
  void SetActiveControl(TWinControl* control);
  // Forms in z-order as shown, the active first (for activation on close).
  void BringFormToFront(TCustomForm* form);

 private:
  std::vector<TCustomForm*> forms_;
  TCustomForm* activeForm_ = nullptr;
  TWinControl* activeControl_ = nullptr;
  TCursor cursor_ = crDefault;
};

extern TScreen* Screen;
TScreen* EnsureScreen();
