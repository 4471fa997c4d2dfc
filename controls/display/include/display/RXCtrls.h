// TRxLabel: a windowless caption drawn with a one-colour shadow offset in
// one of four directions, laid out like the standard label (alignment,
// vertical layout, word wrap, '&' accelerators for FocusControl), that
// reports the mouse entering and leaving it.
#pragma once

#include <string>

#include <win32/windef.h>

#include "framework/graphics_objects.h"
#include "framework/label.h"
#include "framework/types.h"

enum TShadowPosition { spLeftTop, spLeftBottom, spRightBottom, spRightTop };

class TRxCustomLabel : public TLabelBase {
 public:
  // 65 x 17, opaque, auto-sized, a highlight shadow one pixel up and left.
  explicit TRxCustomLabel(TComponent* owner);

  TAlignment Alignment() const { return alignment_; }
  void SetAlignment(TAlignment value);
  bool AutoSize() const { return autoSize_; }
  void SetAutoSize(bool value);
  TTextLayout Layout() const { return layout_; }
  void SetLayout(TTextLayout value);
  TColor ShadowColor() const { return shadowColor_; }
  void SetShadowColor(TColor value);
  int ShadowSize() const { return shadowSize_; }
  void SetShadowSize(int value);
  TShadowPosition ShadowPos() const { return shadowPos_; }
  void SetShadowPos(TShadowPosition value);
  bool ShowFocus() const { return showFocus_; }
  void SetShowFocus(bool value);
  // Transparent is the absence of csOpaque: the parent shows through.
  bool Transparent() const { return !ControlStyle().Contains(csOpaque); }
  void SetTransparent(bool value);
  bool WordWrap() const { return wordWrap_; }
  void SetWordWrap(bool value);

  bool MouseInside() const { return mouseInside_; }
  void WndProc(TMessage& message) override;

 protected:
  // The colour of the text when enabled: the font's.
  virtual TColor GetDefaultFontColor();
  // Where the shadow and the text go for a shadow of `size` at `pos`,
  // relative to the text rectangle: this control moves the shadow out.
  virtual void ShadowPlacement(TShadowPosition pos, int size, POINT& shadow, POINT& text);
  // Whether the focus rectangle is due (ShowFocus with a focused FocusControl).
  virtual bool FocusShown();
  // Draws, or with DT_CALCRECT measures, the shadowed text into `rect`.
  void DoDrawText(TRect& rect, UINT flags);
  void AdjustBounds() override;
  void Paint() override;
  // Whether the mouse coming in counts: on an enabled label while this
  // program owns the active window.
  virtual bool MayEnter();
  virtual void MouseEnter();
  virtual void MouseLeave();
  void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;
  void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;

 private:
  void DrawShadowText(HDC dc, const std::string& text, TRect& rect, UINT flags, int size, TColor shadow,
                      TShadowPosition pos);
  void Changed(bool refit);

  TAlignment alignment_ = taLeftJustify;
  bool autoSize_ = true;
  TTextLayout layout_ = tlTop;
  TColor shadowColor_ = clBtnHighlight;
  int shadowSize_ = 1;
  TShadowPosition shadowPos_ = spLeftTop;
  bool showFocus_ = false;
  bool wordWrap_ = false;
  bool mouseInside_ = false;
  bool buttonHeld_ = false;
};

class TRxLabel : public TRxCustomLabel {
 public:
  using TRxCustomLabel::TRxCustomLabel;
};
