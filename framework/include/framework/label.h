// TCustomLabel/TLabel: a windowless caption drawn with DrawText on the
// parent's context. It fits its bounds to the text (AutoSize), aligns the
// text horizontally and vertically, and its '&' accelerator moves the focus
// to FocusControl.
#pragma once

#include <string>

#include "framework/controls.h"

// What every kind of label shares: the control its '&' accelerator
// focuses (forgotten when that control goes), whether '&' marks one, the
// text drawn, and bounds fitted again once loading ends.
class TLabelBase : public TGraphicControl {
 public:
  using TGraphicControl::TGraphicControl;

  TWinControl* FocusControl() const { return focusControl_; }
  void SetFocusControl(TWinControl* control);
  bool ShowAccelChar() const { return showAccelChar_; }
  void SetShowAccelChar(bool on);

  void WndProc(TMessage& message) override;

  // Whether `key` is the accelerator of `caption` (the letter after a
  // single '&', compared without regard to case).
  static bool IsAccel(char key, const std::string& caption);

 protected:
  // The text shown; the caption unless a label kind says otherwise.
  virtual std::string GetLabelText();
  // Fits the bounds to the text (when the label kind does that).
  virtual void AdjustBounds() {}
  // The text to hand DrawText with `flags`, which gain DT_NOPREFIX when '&'
  // is no accelerator: an empty label (or a lone '&') measures one line.
  std::string TextFor(UINT& flags);
  void Notification(TComponent* component, TOperation operation) override;
  void Loaded() override;

 private:
  bool DialogChar(char key);

  TWinControl* focusControl_ = nullptr;
  bool showAccelChar_ = true;
};

class TCustomLabel : public TLabelBase {
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

  void WndProc(TMessage& message) override;

 protected:
  // Draws (or, with DT_CALCRECT in `flags`, measures into `rect`) the text
  // on the canvas, greyed when disabled.
  virtual void DoDrawText(TRect& rect, UINT flags);
  // Fits the bounds to the text when AutoSize is on.
  void AdjustBounds() override;
  void Paint() override;
  // The DrawText flags for the alignment and word wrap.
  UINT TextFlags() const;

 private:
  TAlignment alignment_ = taLeftJustify;
  TTextLayout layout_ = tlTop;
  bool wordWrap_ = false;
  bool autoSize_ = true;
};

class TLabel : public TCustomLabel {
 public:
  using TCustomLabel::TCustomLabel;
};
