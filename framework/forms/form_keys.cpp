// TCustomForm: its messages: activation, closing, focus bookkeeping for
// its controls, dialog keys (Tab order, arrows, then every control may
// answer), WM_NEXTDLGCTL and menu shortcuts.
#include "framework/application.h"
#include "framework/forms.h"
#include "framework/menus.h"
#include "framework/screen.h"

void TCustomForm::WndProc(TMessage& message) {
  switch (message.Msg) {
    case WM_CLOSE:
      Close();
      return;
    case WM_ACTIVATE:
      SetActive(LOWORD(message.WParam) != WA_INACTIVE);
      return;
    case WM_SETFOCUS:
      if (activeControl_ && activeControl_ != this && activeControl_->CanFocus()) {
        ::SetFocus(activeControl_->Handle());
        return;
      }
      break;
    case CM_SHOWINGCHANGED:
      ShowFormWindow(message.WParam != 0);
      return;
    case CM_RELEASE:
      Free(this);
      return;
    case CM_DIALOGKEY:
      DialogKey(message);
      return;
    case WM_NEXTDLGCTL:
      NextDialogControl(message);
      return;
    case CM_SETFOCUSEDCONTROL:
      message.Result = SetFocusedControl(reinterpret_cast<TWinControl*>(message.LParam)) ? 1 : 0;
      return;
    case CM_FOCUSREQUEST:
      FocusControl(reinterpret_cast<TWinControl*>(message.LParam));
      message.Result = 1;
      return;
    case CM_DEFOCUSCONTROL:
      DefocusControl(reinterpret_cast<TWinControl*>(message.LParam), message.WParam != 0);
      return;
    case CM_KEYPREVIEW:
      message.Result = keyPreview_ ? 1 : 0;
      return;
    case CM_ISSHORTCUT: {
      std::uint16_t key = 0;
      TShiftState shift;
      ShortCutToKey(static_cast<TShortCut>(message.WParam), key, shift);
      message.Result = IsShortCut(key, shift) ? 1 : 0;
      return;
    }
    case WM_COMMAND:
      // A command from the form's own menu handle; controls' commands are
      // reflected to them by the base.
      if (message.LParam == 0 && HIWORD(message.WParam) == 0 && menu_ &&
          menu_->DispatchCommand(LOWORD(message.WParam)))
        return;
      break;
    case WM_ACTIVATEAPP:
      if (Application) Application->SetActive(message.WParam != 0);
      break;
    default:
      break;
  }
  TWinControl::WndProc(message);
}

void TCustomForm::SetActive(bool active) {
  if (active == active_) return;
  active_ = active;
  if (active) {
    EnsureScreen()->SetActiveForm(this);
    if (!activeControl_) SelectFirst();
    // Without a control to take it, the form holds the focus itself.
    if (activeControl_ && activeControl_->CanFocus()) ::SetFocus(activeControl_->Handle());
    else if (HandleAllocated() && GetFocus() != Handle() && !IsChild(Handle(), GetFocus())) ::SetFocus(Handle());
    Activate();
  } else {
    Deactivate();
  }
}

void TCustomForm::SetActiveControl(TWinControl* control) {
  if (control == activeControl_) return;
  if (control && (!ContainsControl(control) || control == this)) return;
  activeControl_ = control;
  if (control && control->Owner() != this) control->FreeNotification(this);
  if (active_ && control && control->CanFocus()) ::SetFocus(control->Handle());
  if (active_) EnsureScreen()->SetActiveControl(control);
}

void TCustomForm::FocusControl(TWinControl* control) {
  const bool wasActive = active_;
  SetActiveControl(control);
  if (!wasActive && Visible() && Enabled() && control && control->CanFocus()) ::SetFocus(control->Handle());
}

void TCustomForm::DefocusControl(TWinControl* control, bool removing) {
  if (!control) return;
  if (removing && control->ContainsControl(focusedControl_)) focusedControl_ = nullptr;
  if (control->ContainsControl(activeControl_)) {
    activeControl_ = nullptr;
    if (Screen && Screen->ActiveControl() && control->ContainsControl(Screen->ActiveControl()))
      Screen->SetActiveControl(nullptr);
  }
}

// Exit events run from the control losing the focus up to the nearest
// parent shared with the new one, then enter events down to the new one.
bool TCustomForm::SetFocusedControl(TWinControl* control) {
  if (!control || !ContainsControl(control) || control == this) return false;
  activeControl_ = control;
  if (control->Owner() != this) control->FreeNotification(this);
  EnsureScreen()->SetActiveControl(control);
  TMessage changed{CM_FOCUSCHANGED, 0, reinterpret_cast<LPARAM>(control), 0};
  Broadcast(changed);
  TWinControl* old = focusedControl_;
  if (old == control) return true;
  TWinControl* common = old;
  while (common && common != this && !common->ContainsControl(control)) {
    TWinControl* next = common->Parent();
    common->Perform(CM_EXIT);
    common = next;
  }
  if (!common) common = this;
  std::vector<TWinControl*> path;
  for (TWinControl* c = control; c && c != common; c = c->Parent()) path.push_back(c);
  focusedControl_ = control;
  for (auto it = path.rbegin(); it != path.rend(); ++it) (*it)->Perform(CM_ENTER);
  return true;
}

void TCustomForm::DialogKey(TMessage& message) {
  const auto key = static_cast<std::uint16_t>(message.WParam);
  const bool ctrl = GetKeyState(VK_CONTROL) < 0, alt = GetKeyState(VK_MENU) < 0;
  if (key == VK_TAB && !ctrl && !alt) {
    SelectNext(activeControl_, GetKeyState(VK_SHIFT) >= 0, true);
    message.Result = 1;
    return;
  }
  if ((key == VK_LEFT || key == VK_RIGHT || key == VK_UP || key == VK_DOWN) && activeControl_) {
    if (TWinControl* group = activeControl_->Parent()) {
      group->SelectNext(activeControl_, key == VK_RIGHT || key == VK_DOWN, false);
      message.Result = 1;
      return;
    }
  }
  Broadcast(message);
}

void TCustomForm::NextDialogControl(TMessage& message) {
  if (message.LParam != 0) {
    if (TWinControl* c = FindControl(reinterpret_cast<HWND>(message.WParam)))
      if (ContainsControl(c) && c->CanFocus()) c->SetFocus();
    return;
  }
  SelectNext(activeControl_, message.WParam == 0, true);
}

bool TCustomForm::IsShortCut(std::uint16_t key, TShiftState shift) {
  return menu_ && menu_->IsShortCut(key, shift);
}

void TCustomForm::Notification(TComponent* component, TOperation operation) {
  TWinControl::Notification(component, operation);
  if (operation != opRemove) return;
  if (component == activeControl_) activeControl_ = nullptr;
  if (component == focusedControl_) focusedControl_ = nullptr;
  if (menu_ && component == static_cast<TComponent*>(menu_)) menu_ = nullptr;
}
