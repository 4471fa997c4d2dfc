// TCustomPanel/TPanel: a container with an outer and an inner bevel, a
// border between them and a centred caption.
#pragma once

#include "framework/wincontrol.h"

// Draws a one-pixel-per-step 3-D frame `width` pixels wide inside `rect`
// (top and left in `topColor`, bottom and right in `bottomColor`) and
// shrinks `rect` by it.
void Frame3D(TCanvas* canvas, TRect& rect, TColor topColor, TColor bottomColor, int width);

class TCustomPanel : public TCustomControl {
 public:
  // 185 x 41, clBtnFace, raised outer bevel, no inner bevel, caption
  // centred, accepting child controls.
  explicit TCustomPanel(TComponent* owner);

  TAlignment Alignment() const { return alignment_; }
  void SetAlignment(TAlignment alignment);
  TPanelBevel BevelInner() const { return bevelInner_; }
  void SetBevelInner(TPanelBevel bevel);
  TPanelBevel BevelOuter() const { return bevelOuter_; }
  void SetBevelOuter(TPanelBevel bevel);
  TBevelWidth BevelWidth() const { return bevelWidth_; }
  void SetBevelWidth(TBevelWidth width);
  // bsSingle draws a window border around everything.
  TBorderStyle BorderStyle() const { return borderStyle_; }
  void SetBorderStyle(TBorderStyle style);
  bool FullRepaint() const { return fullRepaint_; }
  void SetFullRepaint(bool on) { fullRepaint_ = on; }
  bool Locked() const { return locked_; }
  void SetLocked(bool on) { locked_ = on; }

  void WndProc(TMessage& message) override;

 protected:
  void CreateParams(TCreateParams& params) override;
  void AdjustClientRect(TRect& rect) override;
  void Paint() override;

 private:
  TAlignment alignment_ = taCenter;
  TPanelBevel bevelInner_ = bvNone;
  TPanelBevel bevelOuter_ = bvRaised;
  TBevelWidth bevelWidth_ = 1;
  TBorderStyle borderStyle_ = bsNone;
  bool fullRepaint_ = true;
  bool locked_ = false;
};

class TPanel : public TCustomPanel {
 public:
  using TCustomPanel::TCustomPanel;
};
