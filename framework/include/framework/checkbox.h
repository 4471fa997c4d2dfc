// Check boxes and radio buttons over the "BUTTON" window class. The check
// state is kept here and written into the window; a click on the window
// advances it and fires OnClick, as setting it in code does too.
#pragma once

#include "framework/wincontrol.h"

enum TCheckBoxState { cbUnchecked, cbChecked, cbGrayed };

class TButtonControl : public TWinControl {
 public:
  explicit TButtonControl(TComponent* owner);

 protected:
  // While set, a state change made in code fires no OnClick.
  bool ClicksDisabled() const { return clicksDisabled_; }
  void SetClicksDisabled(bool on) { clicksDisabled_ = on; }

 private:
  bool clicksDisabled_ = false;
};

class TCustomCheckBox : public TButtonControl {
 public:
  // 97 x 17, a tab stop, the box on the left of the text.
  explicit TCustomCheckBox(TComponent* owner);

  bool Checked() const { return state_ == cbChecked; }
  void SetChecked(bool on) { SetState(on ? cbChecked : cbUnchecked); }
  TCheckBoxState State() const { return state_; }
  void SetState(TCheckBoxState state);
  bool AllowGrayed() const { return allowGrayed_; }
  void SetAllowGrayed(bool on) { allowGrayed_ = on; }
  // taRightJustify: the text right of the box; taLeftJustify: left of it.
  TAlignment Alignment() const { return alignment_; }
  void SetAlignment(TAlignment alignment);

  void WndProc(TMessage& message) override;

 protected:
  void CreateParams(TCreateParams& params) override;
  void CreateWnd() override;
  // Unchecked -> (grayed when allowed) -> checked -> unchecked.
  virtual void Toggle();

 private:
  TCheckBoxState state_ = cbUnchecked;
  bool allowGrayed_ = false;
  TAlignment alignment_ = taRightJustify;
};

class TCheckBox : public TCustomCheckBox {
 public:
  using TCustomCheckBox::TCustomCheckBox;
};

class TRadioButton : public TButtonControl {
 public:
  // 113 x 17; only the checked button of a group is a tab stop.
  explicit TRadioButton(TComponent* owner);

  bool Checked() const { return checked_; }
  // Checking one unchecks the other radio buttons of the same parent.
  void SetChecked(bool on);
  TAlignment Alignment() const { return alignment_; }
  void SetAlignment(TAlignment alignment);

  void WndProc(TMessage& message) override;

 protected:
  void CreateParams(TCreateParams& params) override;
  void CreateWnd() override;

 private:
  void TurnSiblingsOff();
  bool checked_ = false;
  TAlignment alignment_ = taRightJustify;
};
