// TMegaPanel: a container that paints its own face (a background in one of
// eight colour styles, a gradient, two pictures, a two-level bevelled
// frame, dividers, a framed caption, shadows behind its children and labels
// beside them) and hooks the window procedure of each windowed child to
// steer the keyboard focus (Enter, Up and Down move it) and drive the
// focus effects of the labels. Its effect records are here too.
#pragma once

#include <memory>
#include <string>

#include "framework/bitmap.h"
#include "framework/panel.h"
#include "framework/strings.h"
#include "panels/mega_types.h"

class TMegaPanel;

// Asks the panel to repaint whenever one of its settings changes.
class TMegaEffect : public TPersistent, public TMegaTypes {
 public:
  explicit TMegaEffect(TMegaPanel* panel) : panel_(panel) {}

 protected:
  void Changed();
  TMegaPanel* panel_;
};

class TGradient : public TMegaEffect {
 public:
  using TMegaEffect::TMegaEffect;
  TPictureStyle Style() const { return style_; }
  void SetStyle(TPictureStyle v);
  // Always repaints; the other settings only while a gradient is shown.
  TGradientType FillType() const { return fillType_; }
  void SetFillType(TGradientType v);
  TMegaColor StartColor() const { return startColor_; }
  void SetStartColor(TMegaColor v);
  TMegaColor EndColor() const { return endColor_; }
  void SetEndColor(TMegaColor v);
  // Above 256 is stored as 256.
  int Bands() const { return bands_; }
  void SetBands(int v);
  // The start colour's channels and the signed end - start differences.
  int StartChannel(int c) const { return start_[c]; }
  int Difference(int c) const { return diff_[c]; }

 private:
  void Derive();
  void ChangedWhenShown();
  TPictureStyle style_ = psAll;
  TGradientType fillType_ = gtNone;
  TMegaColor startColor_ = 0;
  TMegaColor endColor_ = 0xFF0000;
  int bands_ = 64;
  int start_[3] = {0, 0, 0};
  int diff_[3] = {0, 0, 255};
};

class TShadowEffect : public TMegaEffect {
 public:
  using TMegaEffect::TMegaEffect;
  TMegaColor Color() const { return color_; }
  void SetColor(TMegaColor v);
  // csTransparent: no shadow.
  TColorStyle Style() const { return style_; }
  void SetStyle(TColorStyle v);
  int XOffset() const { return xOffset_; }
  void SetXOffset(int v);
  int YOffset() const { return yOffset_; }
  void SetYOffset(int v);

 private:
  TMegaColor color_ = 0x808080;
  TColorStyle style_ = csTransparent;
  int xOffset_ = 4, yOffset_ = 4;
};

class TFocusEffect : public TMegaEffect {
 public:
  using TMegaEffect::TMegaEffect;
  TEffect Effect() const { return effect_; }
  void SetEffect(TEffect v);
  TMegaColor LabelBackground() const { return labelBackground_; }
  void SetLabelBackground(TMegaColor v);
  TColorStyle LabelBackgroundStyle() const { return labelBackgroundStyle_; }
  void SetLabelBackgroundStyle(TColorStyle v);
  TPanelBevel LabelBevel() const { return labelBevel_; }
  void SetLabelBevel(TPanelBevel v);
  TMegaColor LabelFontColor() const { return labelFontColor_; }
  void SetLabelFontColor(TMegaColor v);
  TFontStyle LabelFontStyle() const { return labelFontStyle_; }
  void SetLabelFontStyle(TFontStyle v);

 private:
  TEffect effect_ = feNone;
  TMegaColor labelBackground_ = clNone;
  TColorStyle labelBackgroundStyle_ = csOpaque;
  TPanelBevel labelBevel_ = bvNone;
  TMegaColor labelFontColor_ = 0;
  TFontStyle labelFontStyle_ = fsNormal;
};

using TFixKeys = Set<TMegaTypes::TFixKey>;
using TAutoCenter = Set<TMegaTypes::TAutoCent>;
using TResizeConts = Set<TMegaTypes::TResizeCont>;
using TResizeFonts = Set<TMegaTypes::TResizeFont>;

// A getter, a setter that stores a different value and then recomputes
// the layout (kLayout) or only repaints (kPaint), and the field.
#define XVT_MEGA_PROPERTY(Type, Name, field, initial, kind) \
 public:                                                    \
  Type Name() const { return field; }                       \
  void Set##Name(Type v) {                                  \
    if (field == v) return;                                 \
    field = v;                                              \
    Changed(kind);                                          \
  }                                                         \
                                                            \
 private:                                                   \
  Type field = initial;

class TMegaPanel : public TCustomPanel, public TMegaTypes {
  enum ChangeKind { kPaint, kLayout };

 public:
  explicit TMegaPanel(TComponent* owner);
  ~TMegaPanel() override;

  // Frame and dividers
  XVT_MEGA_PROPERTY(TPanelBevel, PanelBevelOuter, panelBevelOuter_, bvRaised, kLayout)
  XVT_MEGA_PROPERTY(TPanelBevel, PanelBevelInner, panelBevelInner_, bvNone, kLayout)
  XVT_MEGA_PROPERTY(int, PanelBevelWidth, panelBevelWidth_, 1, kLayout)
  XVT_MEGA_PROPERTY(int, PanelBevelMargin, panelBevelMargin_, 0, kLayout)
  XVT_MEGA_PROPERTY(TBorderStyle, PanelBorderStyle, panelBorderStyle_, bsNone, kLayout)
  XVT_MEGA_PROPERTY(int, PanelBorderWidth, panelBorderWidth_, 0, kLayout)
  XVT_MEGA_PROPERTY(int, DividersHorz, dividersHorz_, 0, kPaint)
  XVT_MEGA_PROPERTY(int, DividersVert, dividersVert_, 0, kPaint)
  XVT_MEGA_PROPERTY(TPanelBevel, DividerBevel, dividerBevel_, bvLowered, kPaint)
  XVT_MEGA_PROPERTY(int, DividerWidth, dividerWidth_, 2, kPaint)
  // Colours
  XVT_MEGA_PROPERTY(TColorStyle, ColorPanelStyle, colorPanelStyle_, csOpaque, kLayout)
  XVT_MEGA_PROPERTY(TMegaColor, ColorHighlight, colorHighlight_, clBtnHighlight, kPaint)
  XVT_MEGA_PROPERTY(TMegaColor, ColorShadow, colorShadow_, clBtnShadow, kPaint)
  XVT_MEGA_PROPERTY(TMegaColor, ColorCaptionBkgnd, colorCaptionBkgnd_, clBtnFace, kPaint)
  XVT_MEGA_PROPERTY(TColorStyle, ColorCaptionStyle, colorCaptionStyle_, csOpaque, kPaint)
  XVT_MEGA_PROPERTY(TMegaColor, ColorLabelBkgnd, colorLabelBkgnd_, clNone, kPaint)
  XVT_MEGA_PROPERTY(TColorStyle, ColorLabelStyle, colorLabelStyle_, csOpaque, kPaint)
  XVT_MEGA_PROPERTY(TMegaColor, ColorDisabledLabel, colorDisabledLabel_, clInactiveCaptionText, kPaint)
  XVT_MEGA_PROPERTY(TMegaColor, ColorControlLabel, colorControlLabel_, clNone, kPaint)
  XVT_MEGA_PROPERTY(TMegaColor, ColorControlLabelBkgnd, colorControlLabelBkgnd_, clNone, kPaint)
  XVT_MEGA_PROPERTY(TTagUsage, TagUsage, tagUsage_, tuNone, kPaint)
  // Caption
  XVT_MEGA_PROPERTY(TCaptionStyle, CaptionStyle, captionStyle_, csNone, kLayout)
  XVT_MEGA_PROPERTY(TCaptionPos, CaptionPosition, captionPosition_, cpTopLeft, kLayout)
  XVT_MEGA_PROPERTY(TCaptionLoc, CaptionLocation, captionLocation_, clOutsideFrame, kLayout)
  XVT_MEGA_PROPERTY(THorzJust, CaptionHorzJustify, captionHorzJustify_, hjLeft, kLayout)
  XVT_MEGA_PROPERTY(int, CaptionAngle, captionAngle_, 0, kLayout)
  XVT_MEGA_PROPERTY(TFontStyle, CaptionFontStyle, captionFontStyle_, fsNormal, kLayout)
  XVT_MEGA_PROPERTY(TPanelBevel, CaptionBevelOuter, captionBevelOuter_, bvRaised, kLayout)
  XVT_MEGA_PROPERTY(TPanelBevel, CaptionBevelInner, captionBevelInner_, bvNone, kLayout)
  XVT_MEGA_PROPERTY(int, CaptionBevelWidth, captionBevelWidth_, 1, kLayout)
  XVT_MEGA_PROPERTY(int, CaptionBevelMargin, captionBevelMargin_, 2, kLayout)
  XVT_MEGA_PROPERTY(TBorderStyle, CaptionBorderStyle, captionBorderStyle_, bsNone, kLayout)
  XVT_MEGA_PROPERTY(int, CaptionBorderWidth, captionBorderWidth_, 1, kLayout)
  XVT_MEGA_PROPERTY(int, CaptionClearance, captionClearance_, 2, kLayout)
  XVT_MEGA_PROPERTY(int, CaptionSpace, captionSpace_, 2, kLayout)
  // Labels of child controls
  XVT_MEGA_PROPERTY(TLabelStyle, LabelStyle, labelStyle_, lsNone, kLayout)
  XVT_MEGA_PROPERTY(TLabelType, LabelType, labelType_, ltNormal, kLayout)
  XVT_MEGA_PROPERTY(TLabelPos, LabelPosition, labelPosition_, lpLeftTop, kLayout)
  XVT_MEGA_PROPERTY(THorzJust, LabelHorzJustify, labelHorzJustify_, hjRight, kLayout)
  XVT_MEGA_PROPERTY(TVertJust, LabelVertJustify, labelVertJustify_, vjCenter, kLayout)
  XVT_MEGA_PROPERTY(int, LabelWidth, labelWidth_, 75, kLayout)
  XVT_MEGA_PROPERTY(int, LabelHeight, labelHeight_, 0, kLayout)
  XVT_MEGA_PROPERTY(int, LabelSpace, labelSpace_, 4, kLayout)
  XVT_MEGA_PROPERTY(int, LabelClearance, labelClearance_, 2, kLayout)
  XVT_MEGA_PROPERTY(int, LabelControlX, labelControlX_, 3, kLayout)
  XVT_MEGA_PROPERTY(int, LabelControlY, labelControlY_, 3, kLayout)
  XVT_MEGA_PROPERTY(TPanelBevel, LabelBevel, labelBevel_, bvNone, kLayout)
  XVT_MEGA_PROPERTY(int, LabelBevelWidth, labelBevelWidth_, 1, kLayout)
  XVT_MEGA_PROPERTY(int, LabelAngle, labelAngle_, 0, kLayout)
  XVT_MEGA_PROPERTY(TFontStyle, LabelFontStyle, labelFontStyle_, fsNormal, kLayout)
  // Pictures
  XVT_MEGA_PROPERTY(TPicturePos, PicturePosition, picturePosition_, ppTile, kPaint)
  XVT_MEGA_PROPERTY(TPicturePos, CaptionPicturePosition, captionPicturePosition_, ppTile, kPaint)
  XVT_MEGA_PROPERTY(TPictureStyle, PictureStyle, pictureStyle_, psAll, kPaint)
  XVT_MEGA_PROPERTY(TPictureStyle, CaptionPictureStyle, captionPictureStyle_, psCaptionInsideFrame, kPaint)
  XVT_MEGA_PROPERTY(TPictureTransparent, PictureTransparent, pictureTransparent_, ptNone, kPaint)
  XVT_MEGA_PROPERTY(TPictureTransparent, CaptionPictureTransparent, captionPictureTransparent_, ptNone, kPaint)
  XVT_MEGA_PROPERTY(int, PictureXOffset, pictureXOffset_, 0, kPaint)
  XVT_MEGA_PROPERTY(int, PictureYOffset, pictureYOffset_, 0, kPaint)
  XVT_MEGA_PROPERTY(int, CaptionPictureXOffset, captionPictureXOffset_, 0, kPaint)
  XVT_MEGA_PROPERTY(int, CaptionPictureYOffset, captionPictureYOffset_, 0, kPaint)
  // Behaviour
  XVT_MEGA_PROPERTY(TAutoCenter, AutoCenter, autoCenter_, {}, kPaint)
  XVT_MEGA_PROPERTY(bool, ClipChildControls, clipChildControls_, false, kLayout)
  XVT_MEGA_PROPERTY(TFixKeys, FixKeys, fixKeys_, (TFixKeys{fkEnter, fkUpDown}), kPaint)
  XVT_MEGA_PROPERTY(bool, ResizeEnabled, resizeEnabled_, true, kPaint)
  XVT_MEGA_PROPERTY(TResizeConts, ResizeControls, resizeControls_,
                    (TResizeConts{rcHorizontal, rcVertical, rcCaptionFrames, rcPanelFrames, rcLabelFrames,
                                  rcCtlShadow, rcPictureOffsets, rcGridCells, rcGridLines}),
                    kPaint)
  XVT_MEGA_PROPERTY(TResizeFonts, ResizeFonts, resizeFonts_, (TResizeFonts{rfCaption, rfLabels, rfControls}), kPaint)
  XVT_MEGA_PROPERTY(bool, ResizeWhileDesigning, resizeWhileDesigning_, false, kPaint)
  XVT_MEGA_PROPERTY(std::string, PanelFormName, panelFormName_, "", kPaint)
  XVT_MEGA_PROPERTY(TAlign, PanelFormAlign, panelFormAlign_, alClient, kPaint)
  XVT_MEGA_PROPERTY(bool, PanelFormActivate, panelFormActivate_, true, kPaint)

 public:
  // The control's Color.
  TMegaColor ColorPanel() const { return TControl::Color(); }
  void SetColorPanel(TMegaColor v);
  void SetCaption(const std::string& text);
  std::string Caption() { return TControl::Caption(); }
  TFont* CaptionFont() { return &captionFont_; }
  void SetCaptionFont(TFont* font) { captionFont_.Assign(font); }
  TFont* LabelFont() { return &labelFont_; }
  void SetLabelFont(TFont* font) { labelFont_.Assign(font); }
  TFocusEffect* LabelFocusEffect() { return &focusEffect_; }
  TGradient* GradientFill() { return &gradient_; }
  TShadowEffect* CtlShadow() { return &shadow_; }
  TBitmap* Picture() { return &picture_; }
  void SetPicture(TBitmap* v) { picture_.Assign(v); }
  TBitmap* CaptionPicture() { return &captionPicture_; }
  void SetCaptionPicture(TBitmap* v) { captionPicture_.Assign(v); }
  // Entries of six '0'/'1' flags followed by a class name.
  TStrings* FixClasses() { return &fixClasses_; }
  void SetFixClasses(TStrings* v) { fixClasses_.Assign(v); }
  bool Locked() const { return locked_; }
  void SetLocked(bool v) { locked_ = v; }
  TDesignView PanelFormDesignView() const { return designView_; }

  // Derived layout, kept up to date by RecomputeLayout.
  bool CaptionShown() const { return captionShown_; }
  bool SeeThrough() const { return seeThrough_; }
  int PanelInset() const { return panelInset_; }
  int CaptionInset() const { return captionInset_; }
  TRect CaptionRect() const { return captionRect_; }
  // The area of aligned children (client rectangle less the frame and the
  // caption's band).
  TRect ChildArea();
  // The label text a child gets (from its Hint or its Name), and where
  // the label is drawn.
  std::string ChildLabelText(TControl* child) const;
  TRect ChildLabelRect(TControl* child);

  // Whether the child hooks are to be brought up to date.
  bool ChildrenChanged() const { return childrenChanged_; }
  // Brings the hook records up to date now.
  void UpdateChildHooks();
  // Rewrites an older FixClasses list (three flag characters) as six.
  void UpgradeFixClasses();

  void WndProc(TMessage& message) override;
  void RecomputeLayout();

  // The control whose label shows the focus effect, and the live one.
  TControl* FocusedChild() const { return focusedChild_; }
  static TControl* LiveChild();
  void InvalidateChildLabel(TControl* child);
  // The shadow a child casts where it stands now, before it moves.
  void InvalidateChildShadow(TControl* child);
  void SetFocusedChild(TControl* child);

 protected:
  void CreateParams(TCreateParams& params) override;
  void AdjustClientRect(TRect& rect) override;
  void Paint() override;
  void Loaded() override;
  void Notification(TComponent* component, TOperation operation) override;

 private:
  friend struct MegaPainter;
  void Changed(ChangeKind kind);
  void ComputeCaptionRect();
  TSize CaptionTextSize();
  void PaintParentBehind(HDC dc);
  void PaintChildLabels(HDC dc);
  void PaintChildLabel(HDC dc, TControl* child);
  void PaintChildShadows(HDC dc);

  TFont captionFont_;
  TFont labelFont_;
  TFocusEffect focusEffect_{this};
  TGradient gradient_{this};
  TShadowEffect shadow_{this};
  TBitmap picture_;
  TBitmap captionPicture_;
  TStringList fixClasses_;
  TDesignView designView_ = dvRuntime;
  TControl* focusedChild_ = nullptr;
  TRect captionRect_{0, 0, 0, 0};
  int panelInset_ = 1;
  int captionInset_ = 0;
  bool captionShown_ = false;
  bool seeThrough_ = false;
  bool locked_ = false;
  bool childrenChanged_ = true;
  bool painting_ = false;
};

#undef XVT_MEGA_PROPERTY
