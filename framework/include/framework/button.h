// TButton: a push button over the "Button" window class. A click sets the
// parent form's modal result to the button's and fires OnClick; Enter
// clicks the form's active button (the focused one, else the default one)
// and Escape its cancel button.
#pragma once

#include "framework/checkbox.h"
#include "framework/types.h"

class TButton : public TButtonControl {
 public:
  // 75 x 25, a tab stop.
  explicit TButton(TComponent* owner);

  // The button Enter clicks while no other button has the focus; drawn
  // with the heavy frame (BS_DEFPUSHBUTTON) meanwhile.
  bool Default() const { return default_; }
  void SetDefault(bool on);
  // The button Escape clicks.
  bool Cancel() const { return cancel_; }
  void SetCancel(bool on) { cancel_ = on; }
  // Given to the parent form on click (mrNone leaves the form's alone).
  TModalResult ModalResult() const { return modalResult_; }
  void SetModalResult(TModalResult result) { modalResult_ = result; }

  void Click() override;
  void WndProc(TMessage& message) override;

 protected:
  void CreateParams(TCreateParams& params) override;
  void CreateWnd() override;
  // Whether Enter clicks this button now: it has the focus, or it is the
  // default one and the focus is on no other button.
  bool Active() const { return active_; }
  // Switches between the plain and the default look; owner-drawn kinds
  // keep their window style and only redraw.
  virtual void SetButtonStyle(bool isDefault);

 private:
  void FocusChanged(TWinControl* focused);
  bool DialogKey(TMessage& message);

  bool default_ = false;
  bool cancel_ = false;
  bool active_ = false;
  TModalResult modalResult_ = mrNone;
};
