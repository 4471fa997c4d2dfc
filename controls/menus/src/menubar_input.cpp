#include <cstdlib>

#include <win32/user32.h>

#include "framework/forms.h"
#include "menus/am2000menubar.h"

void TCustomMenuBar2000::ResetBar() {
  mouseDownOnItem_ = false;
  expandTimer_->SetEnabled(false);
  SetState(bsIdle);
  keyboardMode_ = false;
}

void TCustomMenuBar2000::MouseMove(TShiftState shift, int x, int y) {
  TCustomControl::MouseMove(shift, x, y);
  SetActiveMenuBar(this);
  if (!menu_ || !barActive_) return;
  if (std::abs(x - lastMove_.x) < 3 && std::abs(y - lastMove_.y) < 3) return;
  lastMove_ = Point(x, y);
  if (toolTips_ && barState_ == bsHot) SendMessageA(toolTips_, TTM_POP, 0, 0);
  const int index = ItemAt(Point(x, y));
  if (index >= 0)
    SelectItem(index);
  else if (barState_ == bsHot)
    SetState(bsIdle);
}

void TCustomMenuBar2000::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
  TCustomControl::MouseDown(button, shift, x, y);
  if (toolTips_) SendMessageA(toolTips_, TTM_POP, 0, 0);
  if (button != mbLeft) {
    CloseMenus(true, false);
    return;
  }
  const int index = ItemAt(Point(x, y));
  if (index < 0) return;
  if (index != currentIndex_ || barState_ == bsIdle) SelectItem(index);
  // The bar may be selected from the keyboard with nothing open: a click
  // then opens the item as from the hot state.
  const bool nothingOpen = barState_ == bsSelected && !ActivePopup();
  mouseDownOnItem_ = mouseDownOnItem_ || ((barState_ != bsSelected || nothingOpen) && currentItem_ && currentItem_->Enabled());
  if (barState_ == bsHot || nothingOpen) {
    SetState(bsSelected);
    OpenCurrent();
  }
}

void TCustomMenuBar2000::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
  TCustomControl::MouseUp(button, shift, x, y);
  if (button != mbLeft) return;
  if (mouseDownOnItem_) {
    mouseDownOnItem_ = false;
    // An item that opened nothing was pressed like a button.
    if (barState_ == bsSelected && !ActivePopup()) SetState(bsHot);
    return;
  }
  if (barState_ == bsSelected && currentItem_) {
    // A second click on the open item closes its drop-down.
    CloseMenus(false, false);
    keyboardMode_ = false;
    SetState(bsHot);
  }
}

void TCustomMenuBar2000::SelectItem(int index) {
  if (index < 0 || index >= ItemCount()) return;
  if (index == currentIndex_) {
    if (barState_ == bsIdle && Item(index)->Enabled()) SetState(bsHot);
    return;
  }
  const bool closeFirst = ActivePopup() || (barState_ == bsSelected && !keyboardMode_);
  if (closeFirst) CloseMenus(false, false);
  const int old = currentIndex_;
  currentIndex_ = index;
  currentItem_ = Item(index);
  RedrawItem(old);
  if (barState_ == bsIdle && currentItem_->Enabled())
    SetState(bsHot);
  else
    RedrawItem(index);
  if (closeFirst && barState_ == bsSelected) OpenCurrent();
}

void TCustomMenuBar2000::OpenCurrent() {
  TMenuItem* item = currentItem_;
  if (!item || !popup_) return;
  const bool fromKeyboard = keyboardMode_;
  Guarded([item] { item->Click(); });
  if (item != currentItem_) return;  // the click changed the menu
  if (item->Count() == 0 || !item->Enabled()) {
    if (fromKeyboard) CloseMenus(true, false);
    return;
  }
  SetState(bsSelected);
  popup_->SetShownItems(item);
  popup_->SetMenuHandle(item->Handle());
  popup_->Options()->Assign(&options_);
  popup_->SetStatusBar(statusBar_);
  popup_->SetStatusBarIndex(statusBarIndex_);
  popup_->SetShowHint(ShowHint());
  popup_->SetOwnerControl(this);
  popup_->OnMenuCommand = OnMenuCommand;
  popup_->OnMenuClose = OnMenuClose;
  popup_->OnCloseQuery = OnCloseQuery;
  popup_->SetSystemFont(systemFont_);
  popup_->Font()->Assign(Font());
  popup_->SetCtl3D(ctl3D_);
  popup_->SetSelectFirst(fromKeyboard);
  keyboardMode_ = false;
  expandTimer_->SetEnabled(false);
  TRect r = ItemRect(currentIndex_);
  const int x0 = options_.Alignment == taRightToLeft ? Width() - itemBuffer_.Width() : 0;
  OffsetRect(&r, x0, 0);
  const TPoint topLeft = ClientToScreen(Point(r.left, r.top));
  const TPoint bottomRight = ClientToScreen(Point(r.right, r.bottom));
  openItem_ = item;
  popup_->PopupAt(topLeft.x, bottomRight.y, Rect(topLeft.x, topLeft.y, bottomRight.x, bottomRight.y));
}

void TCustomMenuBar2000::Refresh(WPARAM what) {
  // Later refreshes in the queue are folded into this one.
  MSG next;
  while (PeekMessageA(&next, Handle(), AM2000_BARREFRESH, AM2000_BARREFRESH, PM_REMOVE))
    if (next.wParam == 1 || next.wParam == 3) what = 1;
  if (what == 1 || what == 3) {
    const int previous = currentIndex_;
    SetBounds(Left(), Top(), Width(), Height());
    currentIndex_ = ItemCount() == 0 ? -1 : std::min(std::max(previous, 0), ItemCount() - 1);
    currentItem_ = Item(currentIndex_);
    BuildToolTips();
  }
  bufferValid_ = false;
  Invalidate();
}

void TCustomMenuBar2000::WndProc(TMessage& message) {
  switch (message.Msg) {
    case AM2000_BARREFRESH:
      Refresh(message.WParam);
      return;
    case AM2000_BARACTIVATE:
      if (message.WParam) {
        barActive_ = true;
        SetActiveMenuBar(this);
      } else {
        barActive_ = false;
        if (barState_ != bsIdle) CloseMenus(true, false);
      }
      PostMessageA(Handle(), AM2000_BARREFRESH, 0, 0);
      return;
    case AM2000_BARKEYBOARD:
      keyboardMode_ = message.WParam != 0;
      return;
    case CM_ISTOOLCONTROL:  // the keys come through the message hook: the form keeps the focus
      message.Result = 1;
      return;
    case WM_WININICHANGE:
      menuFont_.reset();
      SetBounds(Left(), Top(), Width(), Height());
      Invalidate();
      break;
    case CM_FONTCHANGED:
      TCustomControl::WndProc(message);
      SetBounds(Left(), Top(), Width(), Height());
      return;
    case CM_MOUSELEAVE:
      if (barState_ == bsHot && !keyboardMode_) SetState(bsIdle);
      expandTimer_->SetEnabled(false);
      lastMove_ = Point(-100, -100);
      break;
    case WM_SYSKEYDOWN:
    case WM_SYSKEYUP:
    case WM_KEYDOWN:
      if (KeyMessage(message.Msg, message.WParam, message.LParam)) {
        message.Result = 0;
        return;
      }
      break;
    default:
      break;
  }
  TCustomControl::WndProc(message);
}
