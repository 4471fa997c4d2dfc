// TToolbarButton97 and the mouse: the hot button of the process, pressing,
// tracking, releasing and repeating.
#include "framework/forms.h"
#include "framework/timer.h"
#include "panels/TB97Ctls.h"
#include "toolbar_hot.h"

TToolbarButton97* TToolbarButton97::HotButton() { return toolbar_hot::Hot(); }

bool TToolbarButton97::UnderPointer() { return toolbar_hot::ControlAtPointer() == this; }

void TToolbarButton97::CheckHotButton() {
  TToolbarButton97* hot = toolbar_hot::Hot();
  if (hot && !hot->UnderPointer()) hot->MouseLeft();
}

void TToolbarButton97::ApplicationDeactivated() {
  TToolbarButton97* hot = toolbar_hot::Hot();
  if (hot && !hot->showBorderWhenInactive_) hot->MouseLeft();
}

bool TToolbarButton97::PointInButton(int x, int y) const {
  const int right = IsCombo() ? Width() - (dropdownArrowWidth_ + 2) : Width();
  return x >= 0 && x < right && y >= 0 && y < Height();
}

void TToolbarButton97::BecomeHot() {
  if (!showBorderWhenInactive_ && !GetActiveWindow()) {
    if (TToolbarButton97* old = toolbar_hot::Hot(); old && old != this) old->MouseLeft();
    return;
  }
  MouseEntered();
}

// Whatever makes a button mouse-in (the pointer, a press, the end of a
// click) makes it the one hot button, so the leave timer watches it.
void TToolbarButton97::MouseEntered() {
  if (!Enabled()) return;
  if (TToolbarButton97* old = toolbar_hot::Hot(); old != this) {
    if (old) old->MouseLeft();
    toolbar_hot::SetHot(this);
  }
  const bool was = mouseIn_;
  mouseIn_ = true;
  if (state_ == bsUp) state_ = bsMouseIn;
  if (flat_ || NumGlyphs() >= 5) Redraw();
  if (!was && OnMouseEnter) OnMouseEnter(this);
}

void TToolbarButton97::MouseLeft() {
  if (tracking_) return;
  const bool was = mouseIn_;
  mouseIn_ = false;
  toolbar_hot::StopIfHot(this);
  if (state_ == bsMouseIn || (state_ == bsDown && !inClick_))
    state_ = down_ && groupIndex_ != 0 ? bsExclusive : bsUp;
  Redraw();
  if (was && OnMouseExit) OnMouseExit(this);
}

void TToolbarButton97::MouseMove(TShiftState shift, int x, int y) {
  TGraphicControl::MouseMove(shift, x, y);
  if (!Enabled()) return;
  if (toolbar_hot::Hot() != this && UnderPointer()) BecomeHot();
  if (!tracking_) return;
  const bool inside = PointInButton(x, y);
  if (inside && repeatTimer_) repeatTimer_->SetEnabled(true);
  const TButtonState97 next = down_ ? bsExclusive : inside ? bsDown : bsUp;
  if (next != state_) {
    state_ = next;
    Redraw();
  }
}

void TToolbarButton97::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
  if (button != mbLeft || !Enabled()) {
    TGraphicControl::MouseDown(button, shift, x, y);
    return;
  }
  MouseEntered();
  onArrow_ = IsDropdown() && (!IsCombo() || x >= Width() - (dropdownArrowWidth_ + 2));
  if (!down_) {
    state_ = bsDown;
    Redraw();
  } else if (allowAllUp_) {
    Redraw();
  }
  if (!onArrow_) tracking_ = true;
  TGraphicControl::MouseDown(button, shift, x, y);
  if (onArrow_) {
    Click();
    return;
  }
  if (repeating_) {
    Click();
    repeatTimer_ = std::make_unique<TTimer>(nullptr);
    repeatTimer_->SetInterval(static_cast<unsigned>(repeatDelay_));
    repeatTimer_->SetOnTimer([this](TObject*) { RepeatTick(); });
  }
}

void TToolbarButton97::RepeatTick() {
  repeatTimer_->SetInterval(static_cast<unsigned>(repeatInterval_));
  POINT p{};
  GetCursorPos(&p);
  const TPoint c = ScreenToClient(TPoint{p.x, p.y});
  if (tracking_ && MouseCapture() && PointInButton(c.x, c.y)) Click();
  else repeatTimer_->SetEnabled(false);
}

void TToolbarButton97::StopRepeat() { repeatTimer_.reset(); }

void TToolbarButton97::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
  StopRepeat();
  TGraphicControl::MouseUp(button, shift, x, y);
  if (button == mbRight) {
    tracking_ = false;
    MouseLeft();
    return;
  }
  if (button != mbLeft || !tracking_) return;
  tracking_ = false;
  if (PointInButton(x, y) && !repeating_) {
    Click();
  } else {
    MouseLeft();
  }
}
