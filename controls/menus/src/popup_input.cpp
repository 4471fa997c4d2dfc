// The pointer, the timers and the keyboard in a drop-down window, sub-menu
// windows, and choosing a command.
#include <cctype>

#include <win32/user32.h>

#include "framework/application.h"
#include "framework/screen.h"
#include "menus/am2000menubar.h"
#include "menus/am2000popupmenu.h"

void TPopupMenu2000Form::WndProc(TMessage& message) {
  switch (message.Msg) {
    case AM2000_STOPANIM:
      if (windowFlags_ & wfAnimating) windowFlags_ |= wfCancelled;
      windowFlags_ &= static_cast<std::uint16_t>(~wfAnimating);
      if (childWindow_ && childWindow_->HandleAllocated())
        SendMessageA(childWindow_->WindowHandle(), AM2000_STOPANIM, 0, 0);
      return;
    case AM2000_ANIMSTEP:
      AnimStep(message.WParam, message.LParam);
      return;
    case AM2000_CLOSE:
      Close(message.LParam != 0);
      return;
    case AM2000_STOPTIMER:
      hoverTimer_->SetEnabled(false);
      if (childWindow_ && childWindow_->HandleAllocated())
        SendMessageA(childWindow_->WindowHandle(), AM2000_STOPTIMER, 0, 0);
      return;
    case AM2000_PREPARE:
      Prepare();
      return;
    case WM_TIMER:
      if (message.WParam == AM2000_STEPTIMER) {
        KillTimer(Handle(), AM2000_STEPTIMER);
        stepTimer_ = 0;
        AnimStep(GetTickCount(), 0);
        return;
      }
      break;
    case WM_ERASEBKGND:
      message.Result = 1;
      return;
    case WM_MOUSEACTIVATE: {
      // The form that owns the menu stays the active window.
      TCustomPopupMenu2000* popup = PopupObject();
      TControl* owner = popup ? popup->OwnerControl() : nullptr;
      TWinControl* form = owner ? owner->GetParentForm() : nullptr;
      if (form && form->HandleAllocated() && GetActiveWindow() != form->WindowHandle())
        SetActiveWindow(form->WindowHandle());
      message.Result = MA_NOACTIVATE;
      return;
    }
    case WM_ACTIVATE:
      if (LOWORD(message.WParam) == WA_ACTIVE) {
        TCustomPopupMenu2000* popup = PopupObject();
        TControl* owner = popup ? popup->OwnerControl() : nullptr;
        TWinControl* form = owner ? owner->GetParentForm() : nullptr;
        if (form && form->HandleAllocated() && IsWindowVisible(form->WindowHandle()))
          SendMessageA(form->WindowHandle(), WM_NCACTIVATE, 1, 0);
      }
      message.Result = 0;
      return;
    case CM_MOUSELEAVE:
      if (!(windowFlags_ & (wfAnimating | wfOpeningSub)) && selectedIndex_ >= 0 &&
          !(RowState(selectedIndex_) & isSubMenu)) {
        SetSelectedIndex(-1);
        if (TCustomPopupMenu2000* popup = PopupObject()) WriteStatusHint(popup->StatusBar(), popup->StatusBarIndex(), "");
      }
      break;
    default:
      break;
  }
  TCustomPopupMenu2000Form::WndProc(message);
}

void TPopupMenu2000Form::MouseMove(TShiftState shift, int x, int y) {
  TCustomPopupMenu2000Form::MouseMove(shift, x, y);
  if (windowFlags_ & (wfAnimating | wfCancelled | wfOpeningSub)) return;
  hoverTimer_->SetEnabled(false);
  if (parentWindow_ && parentWindow_->selectedIndex_ != parentRow_) parentWindow_->SetSelectedIndex(parentRow_);
  const int row = RowAt(Point(x, y));
  if (row >= 0 && row != selectedIndex_) SelectRow(row, true);
  if (PopupObject()) hoverTimer_->SetEnabled(true);
}

void TPopupMenu2000Form::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
  TCustomPopupMenu2000Form::MouseDown(button, shift, x, y);
  windowFlags_ |= wfMouseButton;
  // A click on the menu while it opens shows it whole at once.
  if (windowFlags_ & wfAnimating) FinishAnimation();
  if (selectedIndex_ >= 0) PaintRow(selectedIndex_), Paint();
}

void TPopupMenu2000Form::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
  TCustomPopupMenu2000Form::MouseUp(button, shift, x, y);
  windowFlags_ |= wfMouseButton;
  if (button != mbLeft || (windowFlags_ & wfAnimating)) return;
  const int row = RowAt(Point(x, y));
  if (row >= 0) Choose(row);
}

void TPopupMenu2000Form::HoverTimerTick() {
  if (windowFlags_ & wfSelChanged) {
    windowFlags_ &= static_cast<std::uint16_t>(~wfSelChanged);
    SelectRow(selectedIndex_, true);
    if (selectedIndex_ >= 0 && (RowState(selectedIndex_) & isSubMenu) && !(RowState(selectedIndex_) & isDisabled))
      OpenSubMenu(selectedIndex_);
    else
      CloseChild();
  }
  // Another program came to the front: the menus go.
  HWND front = GetForegroundWindow();
  bool ours = Application && Application->MainForm() && Application->MainForm()->HandleAllocated() &&
              front == Application->MainForm()->WindowHandle();
  for (int i = 0; Screen && !ours && i < Screen->FormCount(); ++i)
    ours = Screen->Forms(i)->HandleAllocated() && Screen->Forms(i)->WindowHandle() == front;
  if (!ours) {
    CloseMenus(true, false);
    return;
  }
  if (windowFlags_ & wfCancelled) hoverTimer_->SetEnabled(false);
}

void TPopupMenu2000Form::CloseChild() {
  if (childWindow_ && childWindow_->visibleNow_) childWindow_->Hide();
}

bool TPopupMenu2000Form::OpenSubMenu(int index) {
  const T_AM2000_MenuRow& row = measure_.Rows[static_cast<std::size_t>(index)];
  if (!row.SubMenu || (row.Item && row.Item->Count() == 0)) return false;
  if (childWindow_ && childWindow_->visibleNow_ && childWindow_->parentRow_ == index) return true;
  CloseChild();
  if (!childWindow_) childWindow_ = new TPopupMenu2000Form(this, nullptr);
  childWindow_->parentRow_ = index;
  childWindow_->animKind_ = animKind_;
  windowFlags_ |= wfOpeningSub;
  PaintRow(index);
  Paint();
  const TRect r = RowRect(index);
  const TPoint topLeft = ClientToScreen(Point(0, r.top));
  const TPoint bottomRight = ClientToScreen(Point(Width(), r.bottom));
  const bool leftward = (windowFlags_ & wfLeftward) != 0;
  const int x = leftward ? topLeft.x : bottomRight.x;
  childWindow_->windowFlags_ = leftward ? wfLeftward : 0;
  if (row.Item && row.Item->OnClick) Guarded([item = row.Item] { item->Click(); });
  const bool shown = childWindow_->ShowAt(x, topLeft.y, Rect(topLeft.x, topLeft.y, bottomRight.x, bottomRight.y));
  windowFlags_ &= static_cast<std::uint16_t>(~wfOpeningSub);
  return shown;
}

void TPopupMenu2000Form::Choose(int index) {
  if (index < 0 || index >= RowCount()) return;
  const T_AM2000_MenuRow row = measure_.Rows[static_cast<std::size_t>(index)];
  if (row.SubMenu && (!row.Item || row.Item->Count() > 0)) {
    if (childWindow_ && childWindow_->visibleNow_ && childWindow_->parentRow_ == index)
      CloseChild();
    else if (!(RowState(index) & isDisabled))
      OpenSubMenu(index);
    return;
  }
  if (row.Separator || (RowState(index) & isDisabled)) return;
  hoverTimer_->SetEnabled(false);
  TCustomPopupMenu2000* popup = PopupObject();
  TMenuItem* item = row.Item;
  bool canClose = true;
  if (popup && popup->OnCloseQuery) popup->OnCloseQuery(item, canClose);
  if (!canClose) return;
  const T_AM2000_MenuCommandEvent command = popup ? popup->OnMenuCommand : nullptr;
  TControl* owner = popup ? popup->OwnerControl() : nullptr;
  CloseMenus(true, true);
  PlayMenuSound("MenuCommand");
  if (item) {
    if (command) command(item);
    item->Click();
    return;
  }
  // A row of a raw menu handle goes to the owning window as a command.
  TWinControl* form = owner ? owner->GetParentForm() : nullptr;
  if (!form || !form->HandleAllocated()) return;
  SendMessageA(form->WindowHandle(), WM_NCACTIVATE, 1, 0);
  if (command) command(nullptr);
  PostMessageA(form->WindowHandle(), WM_COMMAND, row.Id, 0);
}

bool TPopupMenu2000Form::RowSelectable(int index) const {
  return index >= 0 && index < RowCount() && !measure_.Rows[static_cast<std::size_t>(index)].Separator;
}

int TPopupMenu2000Form::NextRow(int from, int dir) const {
  const int n = RowCount();
  for (int k = 1; k <= n; ++k) {
    const int i = from < 0 && dir < 0 ? n - k : (((from + dir * k) % n) + n) % n;
    if (RowSelectable(i)) return i;
  }
  return -1;
}

// The first visible, enabled row whose accelerator is the key, then the
// first whose caption begins with it.
int TPopupMenu2000Form::MatchKey(WPARAM key) const {
  if (key > 0xFF) return -1;
  const char wanted = static_cast<char>(std::toupper(static_cast<int>(key)));
  for (int pass = 0; pass < 2; ++pass) {
    for (int i = 0; i < RowCount(); ++i) {
      const T_AM2000_MenuRow& row = measure_.Rows[static_cast<std::size_t>(i)];
      if (row.Separator || (RowState(i) & isDisabled)) continue;
      const std::string plain = StripHotkey(row.Caption);
      const char c = pass == 0 ? GetHotkey(row.Caption) : (plain.empty() ? '\0' : plain[0]);
      if (pass == 0 && !std::isalnum(static_cast<unsigned char>(wanted))) continue;
      if (c && std::toupper(static_cast<unsigned char>(c)) == wanted) return i;
    }
  }
  return -1;
}

bool TPopupMenu2000Form::KeyDown(WPARAM key) {
  if (key == VK_SHIFT || key == VK_CONTROL || key == VK_MENU) return false;
  if (windowFlags_ & wfAnimating) {
    // Input during the animation stops it; the menu closes at once.
    CloseMenus(false, false);
    return true;
  }
  const bool shift = (GetKeyState(VK_SHIFT) & 0x8000) != 0;
  switch (key) {
    case VK_UP:
    case VK_DOWN:
    case VK_TAB: {
      const int dir = key == VK_UP || (key == VK_TAB && shift) ? -1 : 1;
      SelectRow(NextRow(selectedIndex_, dir), false);
      return true;
    }
    case VK_RETURN:
      if (selectedIndex_ >= 0) {
        if (OpenSubMenu(selectedIndex_) && childWindow_) childWindow_->SelectRow(childWindow_->NextRow(-1, 1), false);
        else Choose(selectedIndex_);
      }
      return true;
    case VK_ESCAPE:
      if (parentWindow_) {
        Hide();
        parentWindow_->Paint();
      } else {
        TCustomPopupMenu2000* popup = PopupObject();
        TControl* bar = popup ? popup->OwnerControl() : nullptr;
        CloseMenus(false, false);
        // The bar stays on its item; arrows now move only the highlight.
        if (bar) bar->Perform(AM2000_BARKEYBOARD, 1, 0);
      }
      return true;
    case VK_LEFT:
      if (!parentWindow_) return false;
      Hide();
      parentWindow_->Paint();
      return true;
    case VK_RIGHT:
      if (selectedIndex_ < 0 || (RowState(selectedIndex_) & isDisabled) || !OpenSubMenu(selectedIndex_)) return false;
      childWindow_->SelectRow(childWindow_->NextRow(-1, 1), false);
      return true;
    case VK_F1:
      return false;
    default:
      break;
  }
  const int match = MatchKey(key);
  if (match < 0) {
    MessageBeep(0);
    return false;
  }
  SelectRow(match, false);
  if (OpenSubMenu(match) && childWindow_)
    childWindow_->SelectRow(childWindow_->NextRow(-1, 1), false);
  else
    Choose(match);
  return true;
}
