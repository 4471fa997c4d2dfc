#include <algorithm>

#include <win32/gdi32.h>
#include <win32/shell32.h>
#include <win32/user32.h>

#include "framework/application.h"
#include "framework/graphics.h"
#include "framework/screen.h"
#include "menus/am2000menubar.h"
#include "menus/am2000popupmenu.h"

TPopupMenu2000Form::TPopupMenu2000Form(TComponent* owner, TCustomPopupMenu2000* popup)
    : TCustomPopupMenu2000Form(owner), popup_(popup) {
  parentWindow_ = dynamic_cast<TPopupMenu2000Form*>(owner);
  SetBorderStyle(bsNone);
  SetFormStyle(fsStayOnTop);
  // 32 bits a pixel: drawing works on the bitmap's memory as it is, without
  // converting the whole picture before and after each call.
  image_.SetPixelFormat(pf32bit);
  hoverTimer_ = new TTimer(this);
  hoverTimer_->SetEnabled(false);
  hoverTimer_->SetInterval(250);
  hoverTimer_->SetOnTimer([this](TObject*) { HoverTimerTick(); });
  expandRowTimer_ = new TTimer(this);
  expandRowTimer_->SetEnabled(false);
  expandRowTimer_->SetInterval(2000);
  // This menu shows no hidden items, so the expand row never waits.
  expandRowTimer_->SetOnTimer([this](TObject*) { expandRowTimer_->SetEnabled(false); });
  AddMessageHook();
}

TPopupMenu2000Form::~TPopupMenu2000Form() { RemoveMessageHook(); }

void TPopupMenu2000Form::BeforeDestruction() {
  if (parentWindow_ && parentWindow_->childWindow_ == this) parentWindow_->childWindow_ = nullptr;
  if (stepTimer_ && HandleAllocated()) KillTimer(WindowHandle(), stepTimer_);
  TCustomPopupMenu2000Form::BeforeDestruction();
}

void TPopupMenu2000Form::CreateParams(TCreateParams& params) {
  TCustomPopupMenu2000Form::CreateParams(params);
  params.Style = WS_POPUP | WS_CLIPSIBLINGS;
  params.ExStyle = WS_EX_TOPMOST | WS_EX_TOOLWINDOW;
  params.WndParent = nullptr;
}

TCustomPopupMenu2000* TPopupMenu2000Form::PopupObject() {
  if (popup_) return popup_;
  return parentWindow_ ? parentWindow_->PopupObject() : nullptr;
}

TPopupMenu2000Form* TPopupMenu2000Form::Deepest() {
  TPopupMenu2000Form* w = this;
  while (w->childWindow_ && w->childWindow_->visibleNow_) w = w->childWindow_;
  return w;
}

int TPopupMenu2000Form::MenuHeight() { return measure_.Height; }
int TPopupMenu2000Form::MenuWidth() { return measure_.Width; }

// Set again before each opening from what the pop-up object holds (or
// from the parent window for a sub-menu).
void TPopupMenu2000Form::Prepare() {
  TCustomPopupMenu2000* popup = PopupObject();
  SetBorderStyle(bsNone);
  SetFormStyle(fsStayOnTop);
  windowFlags_ = popup && popup->Ctl3D() ? wfFrame3D : 0;
  if (parentWindow_) {
    options_.Assign(&parentWindow_->options_);
    image_.Canvas()->Font()->Assign(parentWindow_->image_.Canvas()->Font());
    return;
  }
  if (!popup) return;
  options_.Assign(popup->Options());
  animKind_ = options_.Animation;
  if (popup->SystemFont())
    AssignMenuFont(image_.Canvas()->Font());
  else
    image_.Canvas()->Font()->Assign(popup->Font());
}

namespace {

TRect WorkArea() {
  TRect area = Rect(0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN));
  APPBARDATA bar{};
  bar.cbSize = sizeof bar;
  if (!SHAppBarMessage(ABM_GETTASKBARPOS, &bar)) return area;
  const RECT& r = bar.rc;
  if (r.right <= r.left || r.bottom <= r.top) return area;
  switch (bar.uEdge) {
    case ABE_BOTTOM: area.bottom = std::min(area.bottom, r.top); break;
    case ABE_TOP: area.top = std::max(area.top, r.bottom); break;
    case ABE_LEFT: area.left = std::max(area.left, r.right); break;
    case ABE_RIGHT: area.right = std::min(area.right, r.left); break;
    default: break;
  }
  return area;
}

}  // namespace

void TPopupMenu2000Form::Place(int x, int y, const TRect& avoid) {
  const TRect work = WorkArea();
  const int w = MenuWidth(), h = MenuHeight();
  fullWidth_ = w;
  fullHeight_ = h;
  if (image_.Width() != w || image_.Height() != h) image_.SetSize(w, h);
  int left = x;
  if (options_.Alignment == taRightToLeft) {
    windowFlags_ |= wfLeftward;
    left = std::max(left, static_cast<int>(work.left + w));
  } else if (left + w > work.right) {
    if (parentWindow_) {
      windowFlags_ |= wfLeftward;
      left = avoid.left;
    } else {
      left = work.right - w;
    }
  }
  if (!(windowFlags_ & wfLeftward) && left < 1) left = 0;
  int top = y;
  const int roomAbove = (parentWindow_ ? avoid.bottom : avoid.top) - work.top;
  const bool down = y + h <= work.bottom || roomAbove < h || running_ == anHSlide;
  if (down) {
    if (top + h > work.bottom) top = work.bottom - h;
  } else {
    windowFlags_ |= wfUpward;
    top = (parentWindow_ ? avoid.bottom : avoid.top) - h;
  }
  if (top < 1) top = 0;
  const int realLeft = (windowFlags_ & wfLeftward) ? std::max(0, left - w) : left;
  fullBounds_ = Rect(realLeft, top, realLeft + w, top + h);
  animRect_ = Rect(realLeft, top, w, h);
}

TRect TPopupMenu2000Form::RowRect(int index) const {
  if (index < 0 || index >= RowCount()) return Rect(0, 0, 0, 0);
  const T_AM2000_MenuRow& row = measure_.Rows[static_cast<std::size_t>(index)];
  const int border = options_.Margins()->Border + ((windowFlags_ & wfFrame3D) ? 2 : 0);
  return Rect(border, row.Top, measure_.Width - border, row.Top + row.Height);
}

int TPopupMenu2000Form::RowAt(TPoint client) const {
  for (int i = 0; i < RowCount(); ++i) {
    const TRect r = RowRect(i);
    if (PtInRect(&r, client)) return i;
  }
  return -1;
}

std::uint16_t TPopupMenu2000Form::RowState(int index) const {
  const T_AM2000_MenuRow& row = measure_.Rows[static_cast<std::size_t>(index)];
  std::uint16_t state = 0;
  TMenuItem* item = row.Item;
  if (item && item->Checked()) state |= isChecked;
  if (item && item->RadioItem()) state |= isRadio;
  if (item && item->Default()) state |= isDefault;
  if (row.Disabled || (item && !item->Enabled())) state |= isDisabled;
  if (index == selectedIndex_) state |= isSelected;
  if (row.SubMenu && (!item || item->Count() > 0)) state |= isSubMenu;
  if (index == selectedIndex_ && ((windowFlags_ & wfOpeningSub) || (GetKeyState(VK_LBUTTON) & 0x8000)))
    state |= isPressed;
  return state;
}

void TPopupMenu2000Form::PaintRow(int index) {
  if (index < 0 || index >= RowCount()) return;
  const T_AM2000_MenuRow& row = measure_.Rows[static_cast<std::size_t>(index)];
  const int border = options_.Margins()->Border + ((windowFlags_ & wfFrame3D) ? 2 : 0);
  T_AM2000_MenuItemRect cols = DropDownColumns(measure_, options_, row, border);
  T_AM2000_ItemContext context{image_.Canvas(), row.Item, &options_, &cols, nullptr, RowState(index)};
  if (row.Separator)
    DrawSeparator(context);
  else
    DrawItem(context);
}

void TPopupMenu2000Form::PaintRows(bool all) {
  if (image_.Width() == 0 || image_.Height() == 0) return;
  HDC dc = image_.Canvas()->Handle();
  if (!all) {
    PaintRow(previousIndex_);
    PaintRow(selectedIndex_);
    return;
  }
  RECT full{0, 0, image_.Width(), image_.Height()};
  HBRUSH face = CreateSolidBrush(ColorToRGB(options_.Colors()->Menu));
  FillRect(dc, &full, face);
  DeleteObject(face);
  int inset = 0;
  if (windowFlags_ & wfFrame3D) {
    DrawEdge(dc, &full, BDR_RAISEDOUTER | BDR_RAISEDINNER, BF_RECT);
    inset = 2;
  }
  const T_AM2000_Colors& c = *options_.Colors();
  const TColor shadow = c.BorderShadow == clMenu ? c.Border : c.BorderShadow;
  TCanvas* canvas = image_.Canvas();
  const int r = image_.Width() - 1 - inset, b = image_.Height() - 1 - inset;
  canvas->Pen()->SetColor(c.Border);
  canvas->MoveTo(inset, b);
  canvas->LineTo(inset, inset);
  canvas->LineTo(r, inset);
  canvas->Pen()->SetColor(shadow);
  canvas->LineTo(r, b);
  canvas->LineTo(inset - 1, b);
  for (int i = 0; i < RowCount(); ++i) PaintRow(i);
}

// While sliding, the window shows the far part of the menu image, so the
// menu slides out of the bar (or out of its parent row).
void TPopupMenu2000Form::CopyToWindow(HDC dc) {
  RECT client{};
  GetClientRect(Handle(), &client);
  const int w = client.right, h = client.bottom;
  const int sx = (windowFlags_ & wfLeftward) ? 0 : image_.Width() - w;
  const int sy = (windowFlags_ & wfUpward) ? 0 : image_.Height() - h;
  BitBlt(dc, 0, 0, w, h, image_.Canvas()->Handle(), std::max(0, sx), std::max(0, sy), SRCCOPY);
}

void TPopupMenu2000Form::PaintWindow(HDC dc) {
  const bool fading = (windowFlags_ & wfAnimating) && running_ == anFadeIn;
  if (!fading) PaintRows((windowFlags_ & wfFullRepaint) != 0);
  windowFlags_ &= static_cast<std::uint16_t>(~(wfMouseButton | wfFullRepaint));
  CopyToWindow(dc);
}

void TPopupMenu2000Form::Paint() {
  if (!HandleAllocated() || !visibleNow_) return;
  HDC dc = GetDC(WindowHandle());
  PaintWindow(dc);
  ReleaseDC(WindowHandle(), dc);
}

void TPopupMenu2000Form::Repaint() {
  windowFlags_ |= wfFullRepaint;
  Paint();
}

void TPopupMenu2000Form::Hide() {
  hoverTimer_->SetEnabled(false);
  expandRowTimer_->SetEnabled(false);
  CloseChild();
  if (HandleAllocated()) {
    if (stepTimer_) KillTimer(WindowHandle(), stepTimer_);
    ShowWindow(WindowHandle(), SW_HIDE);
  }
  stepTimer_ = 0;
  visibleNow_ = false;
  selectedIndex_ = previousIndex_ = -1;
  windowFlags_ &= static_cast<std::uint16_t>(~wfAnimating);
  FreeFadeBuffers();
  PlayMenuSound("");
}

void TPopupMenu2000Form::SetSelectedIndex(int index) {
  if (index == selectedIndex_) return;
  previousIndex_ = selectedIndex_;
  selectedIndex_ = index;
  windowFlags_ |= wfSelChanged;
  windowFlags_ &= static_cast<std::uint16_t>(~wfHintWritten);
  if (visibleNow_ && !(windowFlags_ & wfAnimating)) Paint();
}

void TPopupMenu2000Form::SelectRow(int index, bool fromMouse) {
  SetSelectedIndex(index);
  if (!fromMouse) hoverTimer_->SetEnabled(false);
  TCustomPopupMenu2000* popup = PopupObject();
  if (popup && index >= 0 && !(windowFlags_ & wfHintWritten)) {
    TMenuItem* item = measure_.Rows[static_cast<std::size_t>(index)].Item;
    popup->WriteHint(item ? item->Hint() : "");
    windowFlags_ |= wfHintWritten;
  }
}
