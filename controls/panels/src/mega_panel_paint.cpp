// The painting of TMegaPanel, in its fixed order: background, gradient
// and pictures of the panel, dividers, caption background, gradient and
// pictures of the caption, borders, the frame with the caption text, then
// the labels and shadows of the children.
#include "framework/gdi_resources.h"
#include "mega_draw.h"
#include "mega_hooks.h"
#include "panels/MegaPanl.h"
#include "panels/panel_fills.h"

using mega_draw::Frame3D;

struct MegaPainter : TMegaTypes {
  TMegaPanel& p;
  HDC dc;
  RECT clip;

  COLORREF Rgb(TMegaColor c) const { return MegaColorToRGB(c); }
  static bool PanelStyle(TPictureStyle s) { return s <= psPanelInsideFrame; }

  RECT Client() const { return RECT{0, 0, p.Width(), p.Height()}; }

  // The client rectangle less the caption's band (csPanel outside the
  // frame only), top moved down by the group-box offset.
  RECT LessBand(RECT r) const {
    if (p.captionShown_ && p.captionStyle_ == csPanel && p.captionLocation_ == clOutsideFrame) {
      const int h = RectHeight(p.captionRect_) + p.captionSpace_, w = RectWidth(p.captionRect_) + p.captionSpace_;
      if (p.captionPosition_ <= cpTopRight) r.top += h;
      else if (p.captionPosition_ <= cpLeftBottom) r.left += w;
      else if (p.captionPosition_ <= cpRightBottom) r.right -= w;
      else r.bottom -= h;
    }
    r.top += GroupBoxOffset();
    return r;
  }
  int GroupBoxOffset() const {
    if (!p.captionShown_ || p.captionStyle_ != csGroupBox) return 0;
    return (RectHeight(p.captionRect_) - p.panelInset_ + p.panelBevelMargin_) / 2;
  }
  RECT CaptionTextRect() const {
    RECT r = p.captionRect_;
    InflateRect(&r, -p.captionInset_, -p.captionInset_);
    return r;
  }

  RECT Target(TPictureStyle s) const {
    RECT r = Client();
    switch (s) {
      case psAll: return r;
      case psPanel: return LessBand(r);
      case psPanelFrame: {
        const int in = p.panelBevelMargin_ + (p.panelBorderStyle_ == bsSingle ? 1 : 0);
        r = LessBand(r);
        InflateRect(&r, -in, -in);
        return r;
      }
      case psPanelInsideFrame: return LessBand(p.ChildArea());
      case psCaption: return p.captionRect_;
      case psCaptionFrame: {
        RECT c = p.captionRect_;
        InflateRect(&c, -p.captionBevelMargin_, -p.captionBevelMargin_);
        return c;
      }
      case psCaptionInsideFrame: {
        RECT c = CaptionTextRect();
        InflateRect(&c, p.captionClearance_, p.captionClearance_);
        return c;
      }
      default: return CaptionTextRect();
    }
  }

  void Background() {
    if (p.colorPanelStyle_ == csOpaque) {
      panel_fills::StyledFill(dc, clip, clip, p.ColorPanel(), csOpaque);
      return;
    }
    p.PaintParentBehind(dc);
    panel_fills::StyledFill(dc, Client(), clip, p.ColorPanel(), p.colorPanelStyle_);
  }

  void Gradient(bool panelPart) {
    TGradient& g = p.gradient_;
    if (g.FillType() == gtNone || PanelStyle(g.Style()) != panelPart) return;
    panel_fills::Gradient(dc, Target(g.Style()), clip, g.FillType(), g.StartColor(), g.EndColor(), g.Bands());
  }

  void Pictures(bool panelPart) {
    if (PanelStyle(p.pictureStyle_) == panelPart)
      panel_fills::Picture(dc, &p.picture_, Target(p.pictureStyle_), clip,
                           {p.picturePosition_, p.pictureTransparent_, p.pictureXOffset_, p.pictureYOffset_});
    if (PanelStyle(p.captionPictureStyle_) == panelPart)
      panel_fills::Picture(dc, &p.captionPicture_, Target(p.captionPictureStyle_), clip,
                           {p.captionPicturePosition_, p.captionPictureTransparent_, p.captionPictureXOffset_,
                            p.captionPictureYOffset_});
  }

  void Dividers() {
    if (p.dividerBevel_ == bvNone || p.dividerWidth_ <= 0) return;
    const bool lowered = p.dividerBevel_ == bvLowered;
    const COLORREF a = Rgb(lowered ? p.colorShadow_ : p.colorHighlight_);
    const COLORREF b = Rgb(lowered ? p.colorHighlight_ : p.colorShadow_);
    const RECT area = p.ChildArea();
    const int W = area.right - area.left, H = area.bottom - area.top, dw = p.dividerWidth_;
    for (int i = 1; i <= p.dividersVert_; ++i) {
      const int x = area.left - dw + MulDiv(W, i, p.dividersVert_ + 1);
      RECT r{x, area.top, x + 2 * dw, area.bottom + 1};
      Frame3D(dc, r, a, b, dw);
    }
    for (int i = 1; i <= p.dividersHorz_; ++i) {
      const int y = area.top - dw + MulDiv(H, i, p.dividersHorz_ + 1);
      RECT r{area.left, y, area.right + 1, y + 2 * dw};
      Frame3D(dc, r, a, b, dw);
    }
  }

  void CaptionBackground() {
    if (!p.captionShown_ || p.colorCaptionBkgnd_ == clNone) return;
    if (!p.picture_.GetEmpty() && !PanelStyle(p.pictureStyle_)) return;
    if (p.gradient_.FillType() != gtNone && p.gradient_.Style() == psCaption) return;
    RECT r = p.captionRect_;
    InflateRect(&r, -p.captionBevelMargin_, -p.captionBevelMargin_);
    panel_fills::StyledFill(dc, r, clip, p.colorCaptionBkgnd_, p.colorCaptionStyle_);
  }

  void BlackFrame(RECT r) {
    HBRUSH black = CreateSolidBrush(0);
    FrameRect(dc, &r, black);
    DeleteObject(black);
  }

  void Borders() {
    if (p.captionShown_ && p.captionBorderStyle_ == bsSingle) {
      RECT r = p.captionRect_;
      InflateRect(&r, -p.captionBevelMargin_, -p.captionBevelMargin_);
      BlackFrame(r);
    }
    if (p.panelBorderStyle_ == bsSingle) BlackFrame(Client());
  }

  void Bevel(RECT& r, TPanelBevel kind, int width) {
    if (kind == bvNone) return;
    const bool raised = kind == bvRaised;
    Frame3D(dc, r, Rgb(raised ? p.colorHighlight_ : p.colorShadow_), Rgb(raised ? p.colorShadow_ : p.colorHighlight_),
            width);
  }

  void PanelFrame() {
    RECT r = Client();
    if (p.panelBorderStyle_ == bsSingle) InflateRect(&r, -1, -1);
    InflateRect(&r, -p.panelBevelMargin_, -p.panelBevelMargin_);
    const int save = SaveDC(dc);
    if (p.captionShown_) {
      if (p.captionStyle_ == csGroupBox) {
        r.top += GroupBoxOffset();
        const RECT c = p.captionRect_;
        if (p.colorCaptionStyle_ == csOpaque && !IsRectEmpty(&c)) ExcludeClipRect(dc, c.left, c.top, c.right, c.bottom);
      } else if (p.captionStyle_ == csPanel) {
        r = LessBand(r);
      }
    }
    Bevel(r, p.panelBevelOuter_, p.panelBevelWidth_);
    InflateRect(&r, -p.panelBorderWidth_, -p.panelBorderWidth_);
    Bevel(r, p.panelBevelInner_, p.panelBevelWidth_);
    RestoreDC(dc, save);
  }

  void CaptionFrameAndText() {
    if (!p.captionShown_) return;
    RECT r = p.captionRect_;
    InflateRect(&r, -p.captionBevelMargin_, -p.captionBevelMargin_);
    if (p.captionBorderStyle_ == bsSingle) InflateRect(&r, -1, -1);
    Bevel(r, p.captionBevelOuter_, p.captionBevelWidth_);
    InflateRect(&r, -p.captionBorderWidth_, -p.captionBorderWidth_);
    Bevel(r, p.captionBevelInner_, p.captionBevelWidth_);
    InflateRect(&r, -p.captionClearance_, -p.captionClearance_);
    const std::string text = p.Caption();
    HGDIOBJ old = SelectObject(dc, FontHandle(p.captionFont_.Data()));
    if (p.captionStyle_ == csPanel) r = PlacedInBand(r, text);
    const UINT flags = mega_draw::Justify(dc, text, r, p.captionHorzJustify_, vjTop);
    mega_draw::EffectText(dc, text, r, flags, p.captionFontStyle_,
                          {Rgb(p.captionFont_.Color()), Rgb(p.colorHighlight_), Rgb(p.colorShadow_)});
    SelectObject(dc, old);
  }

  // Within a band, the text moves by the caption position.
  RECT PlacedInBand(RECT r, const std::string& text) {
    RECT m{0, 0, 0, 0};
    DrawTextA(dc, text.c_str(), -1, &m, DT_CALCRECT | DT_SINGLELINE);
    const int fw = (r.right - r.left) - m.right, fh = (r.bottom - r.top) - m.bottom;
    switch (p.captionPosition_) {
      case cpTopCenter: case cpBottomCenter: r.left += fw / 2; break;
      case cpTopRight: case cpBottomRight: r.left += fw; break;
      case cpLeftCenter: case cpRightCenter: r.top += fh / 2; break;
      case cpLeftBottom: case cpRightBottom: r.top += fh; break;
      default: break;
    }
    return r;
  }
};

void TMegaPanel::PaintParentBehind(HDC dc) {
  if (!Parent() || !Parent()->HandleAllocated()) return;
  const int save = SaveDC(dc);
  POINT org{};
  GetViewportOrgEx(dc, &org);
  SetViewportOrgEx(dc, org.x - Left(), org.y - Top(), nullptr);
  SendMessageA(Parent()->WindowHandle(), WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc), PRF_CLIENT);
  RestoreDC(dc, save);
}

void TMegaPanel::Paint() {
  const TComponentState st = ComponentState();
  if (st.Contains(csLoading) || st.Contains(csDestroying) || !Parent() || !Visible() || painting_) return;
  painting_ = true;
  HDC dc = Canvas()->Handle();
  RECT clip{};
  GetClipBox(dc, &clip);
  MegaPainter m{{}, *this, dc, clip};
  m.Background();
  m.Gradient(true);
  m.Pictures(true);
  m.Dividers();
  m.CaptionBackground();
  m.Gradient(false);
  m.Pictures(false);
  m.Borders();
  m.PanelFrame();
  m.CaptionFrameAndText();
  SelectClipRgn(dc, nullptr);
  if (labelStyle_ == lsInPanel || labelStyle_ == lsMixed) PaintChildLabels(dc);
  if (shadow_.Style() != csTransparent && shadow_.Color() != clNone) PaintChildShadows(dc);
  if (seeThrough_)
    for (int i = 0; i < ControlCount(); ++i) Controls(i)->Update();
  painting_ = false;
}
