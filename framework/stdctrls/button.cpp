// The push button: modal results, the default and cancel buttons of a
// form, and the heavy frame that follows the focus among a form's buttons.
#include "framework/button.h"

#include "framework/forms.h"
#include "wrapper_support.h"

namespace {

bool ModifierDown() { return GetKeyState(VK_SHIFT) < 0 || GetKeyState(VK_CONTROL) < 0 || GetKeyState(VK_MENU) < 0; }

}  // namespace

TButton::TButton(TComponent* owner) : TButtonControl(owner) {
  SetControlStyle(TControlStyle{csSetCaption, csDoubleClicks});
  SetBounds(Left(), Top(), 75, 25);
}

void TButton::CreateParams(TCreateParams& params) {
  TButtonControl::CreateParams(params);
  CreateSubClass(params, WC_BUTTONA);
  params.Style |= WS_CHILD | WS_CLIPSIBLINGS | (default_ ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON);
}

void TButton::CreateWnd() {
  TButtonControl::CreateWnd();
  active_ = default_;
  SetButtonStyle(active_);
}

void TButton::SetDefault(bool on) {
  if (on == default_) return;
  default_ = on;
  if (!HandleAllocated()) return;
  // Every button of the form re-decides which of them Enter clicks now.
  auto* form = dynamic_cast<TCustomForm*>(GetParentForm());
  if (form) form->Perform(CM_FOCUSCHANGED, 0, reinterpret_cast<LPARAM>(form->ActiveControl()));
  else FocusChanged(nullptr);
}

void TButton::SetButtonStyle(bool isDefault) {
  if (!HandleAllocated()) return;
  const LONG kind = GetWindowLongA(WindowHandle(), GWL_STYLE) & BS_TYPEMASK;
  const LONG wanted = isDefault ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON;
  if (kind != wanted) SendMessageA(WindowHandle(), BM_SETSTYLE, static_cast<WPARAM>(wanted), 1);
}

void TButton::FocusChanged(TWinControl* focused) {
  // A focused button takes Enter for itself; any other focus leaves it to
  // the default button.
  active_ = dynamic_cast<TButton*>(focused) ? focused == this : default_;
  SetButtonStyle(active_);
}

void TButton::Click() {
  auto* form = dynamic_cast<TCustomForm*>(GetParentForm());
  if (form && modalResult_ != mrNone) form->SetModalResult(modalResult_);
  TButtonControl::Click();
}

bool TButton::DialogKey(TMessage& message) {
  const auto key = static_cast<std::uint16_t>(message.WParam);
  const bool mine = (key == VK_RETURN && active_) || (key == VK_ESCAPE && cancel_);
  if (!mine || ModifierDown() || !CanFocus()) return false;
  Guarded([this] { Click(); });
  return true;
}

void TButton::WndProc(TMessage& message) {
  switch (message.Msg) {
    case CN_COMMAND:
      if (HIWORD(message.WParam) == BN_CLICKED) {
        Guarded([this] { Click(); });
        return;
      }
      break;
    case CM_DIALOGKEY:
      if (DialogKey(message)) {
        message.Result = 1;
        return;
      }
      break;
    case CM_DIALOGCHAR:
      if (stdctrls_detail::IsAccel(static_cast<char>(message.WParam), Caption()) && CanFocus()) {
        Guarded([this] { Click(); });
        message.Result = 1;
        return;
      }
      break;
    case CM_FOCUSCHANGED:
      FocusChanged(reinterpret_cast<TWinControl*>(message.LParam));
      break;
    default:
      break;
  }
  TButtonControl::WndProc(message);
}
