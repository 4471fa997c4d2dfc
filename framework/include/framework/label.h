// TCustomLabel/TLabel: a windowless caption drawn with DrawText on the
// parent's context. It fits its bounds to the text (AutoSize), aligns the
// text horizontally and vertically, and its '&' accelerator moves the focus
// to FocusControl.
#pragma once

#include <string>

#include "framework/controls.h"

class TCustomLabel : public TGraphicControl {
 public:
  // 65 x 17, opaque, auto-sized, '&' shown as an accelerator.
  explicit TCustomLabel(TComponent* owner);

  TAlignment Alignment() const { return alignment_; }
  void SetAlignment(TAlignment alignment);
  TTextLayout Layout() const { return layout_; }
  void SetLayout(TTextLayout layout);
  bool WordWrap() const { return wordWrap_; }
  void SetWordWrap(bool on);
  bool AutoSize() const { return autoSize_; }
  virtual void SetAutoSize(bool on);
  // Transparent is the absence of csOpaque: the parent shows through.
  bool Transparent() const { return !ControlStyle().Contains(csOpaque); }
  void SetTransparent(bool on);
  bool ShowAccelChar() const { return showAccelChar_; }
  void SetShowAccelChar(bool on);
  TWinControl* FocusControl() const { return focusControl_; }
  void SetFocusControl(TWinControl* control);

  void WndProc(TMessage& message) override;

  // Whether `key` is the accelerator of `caption` (the letter after a
  // single '&', compared without regard to case).
  static bool IsAccel(char key, const std::string& caption);

 protected:
  // The text shown; the caption unless a label kind says otherwise.
  virtual std::string GetLabelText();
  // Draws (or, with DT_CALCRECT in `flags`, measures into `rect`) the text
  // on the canvas, greyed when disabled.
  virtual void DoDrawText(TRect& rect, UINT flags);
  // Fits the bounds to the text when AutoSize is on.
  virtual void AdjustBounds();
  void Paint() override;
  void Notification(TComponent* component, TOperation operation) override;
  void Loaded() override;
  // The DrawText flags for the alignment and word wrap.
  UINT TextFlags() const;

 private:
  bool DialogChar(char key);

  TAlignment alignment_ = taLeftJustify;
  TTextLayout layout_ = tlTop;
  bool wordWrap_ = false;
  bool autoSize_ = true;
  bool showAccelChar_ = true;
  TWinControl* focusControl_ = nullptr;
};

class TLabel : public TCustomLabel {
 public:
  using TCustomLabel::TCustomLabel;
};
