// Check boxes and radio buttons.
#include "framework/checkbox.h"

#include "wrapper_support.h"

TButtonControl::TButtonControl(TComponent* owner) : TWinControl(owner) {
  // The window reports its clicks itself (BN_CLICKED); the framework's own
  // mouse-up click would fire OnClick a second time.
  TControlStyle style = ControlStyle();
  style.Exclude(csClickEvents);
  SetControlStyle(style);
  SetTabStop(true);
  SetParentColor(true);
}

// ------------------------------------------------------------------ check box

TCustomCheckBox::TCustomCheckBox(TComponent* owner) : TButtonControl(owner) { SetBounds(Left(), Top(), 97, 17); }

void TCustomCheckBox::CreateParams(TCreateParams& params) {
  TButtonControl::CreateParams(params);
  CreateSubClass(params, WC_BUTTONA);
  params.Style |= WS_CHILD | WS_CLIPSIBLINGS | BS_3STATE;
  if (alignment_ == taLeftJustify) params.Style |= BS_LEFTTEXT;
}

void TCustomCheckBox::CreateWnd() {
  TButtonControl::CreateWnd();
  SendMessageA(WindowHandle(), BM_SETCHECK, static_cast<WPARAM>(state_), 0);
}

void TCustomCheckBox::SetState(TCheckBoxState state) {
  if (state == state_) return;
  state_ = state;
  if (HandleAllocated()) SendMessageA(WindowHandle(), BM_SETCHECK, static_cast<WPARAM>(state_), 0);
  if (!ClicksDisabled()) Click();
}

void TCustomCheckBox::SetAlignment(TAlignment alignment) {
  if (alignment == alignment_) return;
  alignment_ = alignment;
  if (HandleAllocated()) RecreateWnd();
}

void TCustomCheckBox::Toggle() {
  switch (state_) {
    case cbUnchecked: SetState(allowGrayed_ ? cbGrayed : cbChecked); break;
    case cbGrayed: SetState(cbChecked); break;
    case cbChecked: SetState(cbUnchecked); break;
  }
}

void TCustomCheckBox::WndProc(TMessage& message) {
  if (message.Msg == CN_COMMAND && HIWORD(message.WParam) == BN_CLICKED) {
    Guarded([this] { Toggle(); });
    return;
  }
  TButtonControl::WndProc(message);
}

// ------------------------------------------------------------------ radio button

TRadioButton::TRadioButton(TComponent* owner) : TButtonControl(owner) {
  SetBounds(Left(), Top(), 113, 17);
  SetTabStop(false);
}

void TRadioButton::CreateParams(TCreateParams& params) {
  TButtonControl::CreateParams(params);
  CreateSubClass(params, WC_BUTTONA);
  params.Style |= WS_CHILD | WS_CLIPSIBLINGS | BS_RADIOBUTTON;
  if (alignment_ == taLeftJustify) params.Style |= BS_LEFTTEXT;
}

void TRadioButton::CreateWnd() {
  TButtonControl::CreateWnd();
  SendMessageA(WindowHandle(), BM_SETCHECK, checked_ ? BST_CHECKED : BST_UNCHECKED, 0);
}

void TRadioButton::TurnSiblingsOff() {
  TWinControl* parent = Parent();
  if (!parent) return;
  for (int i = 0; i < parent->ControlCount(); ++i) {
    auto* sibling = dynamic_cast<TRadioButton*>(parent->Controls(i));
    if (sibling && sibling != this) sibling->SetChecked(false);
  }
}

void TRadioButton::SetChecked(bool on) {
  if (on == checked_) return;
  checked_ = on;
  SetTabStop(on);
  if (HandleAllocated()) SendMessageA(WindowHandle(), BM_SETCHECK, on ? BST_CHECKED : BST_UNCHECKED, 0);
  if (!on) return;
  TurnSiblingsOff();
  if (!ClicksDisabled()) Click();
}

void TRadioButton::SetAlignment(TAlignment alignment) {
  if (alignment == alignment_) return;
  alignment_ = alignment;
  if (HandleAllocated()) RecreateWnd();
}

void TRadioButton::WndProc(TMessage& message) {
  if (message.Msg == CN_COMMAND) {
    WORD code = HIWORD(message.WParam);
    if (code == BN_CLICKED) {
      // A click on a checked button does nothing more.
      Guarded([this] { SetChecked(true); });
      return;
    }
    if (code == BN_DOUBLECLICKED) {
      Guarded([this] { DblClick(); });
      return;
    }
  }
  TButtonControl::WndProc(message);
}
