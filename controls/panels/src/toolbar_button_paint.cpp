// Painting of TToolbarButton97: frame, held-down dither, glyph, caption
// and drop-down arrow, off screen unless the button is flat and
// see-through.
#include <algorithm>

#include "button_glyph.h"
#include "framework/gdi_resources.h"
#include "framework/graphics.h"
#include "panels/TB97Ctls.h"
#include "toolbar_hot.h"

namespace {

// Device context of an off-screen bitmap, selected for the duration.
class OffScreen {
 public:
  OffScreen(HDC like, int w, int h)
      : dc_(CreateCompatibleDC(like)), bitmap_(CreateCompatibleBitmap(like, std::max(w, 1), std::max(h, 1))),
        old_(SelectObject(dc_, bitmap_)) {}
  ~OffScreen() {
    SelectObject(dc_, old_);
    DeleteObject(bitmap_);
    DeleteDC(dc_);
  }
  HDC dc() const { return dc_; }

 private:
  HDC dc_;
  HBITMAP bitmap_;
  HGDIOBJ old_;
};

void FillSolid(HDC dc, const RECT& r, TColor colour) {
  HBRUSH b = CreateSolidBrush(ColorToRGB(colour));
  FillRect(dc, &r, b);
  DeleteObject(b);
}

void Triangle(HDC dc, int cx, int y, COLORREF colour) {
  HBRUSH brush = CreateSolidBrush(colour);
  HPEN pen = CreatePen(PS_SOLID, 1, colour);
  HGDIOBJ ob = SelectObject(dc, brush), op = SelectObject(dc, pen);
  const POINT pts[3] = {{cx - 2, y}, {cx + 2, y}, {cx, y + 2}};
  Polygon(dc, pts, 3);
  SelectObject(dc, ob);
  SelectObject(dc, op);
  DeleteObject(brush);
  DeleteObject(pen);
}

void DrawArrow(HDC dc, int left, int width, int y, bool enabled, COLORREF fontColour) {
  const int cx = left + width / 2;
  if (enabled) {
    Triangle(dc, cx, y, fontColour);
    return;
  }
  Triangle(dc, cx + 1, y + 1, ColorToRGB(clBtnHighlight));
  Triangle(dc, cx, y, ColorToRGB(clBtnShadow));
}

UINT AlignmentFlag(TAlignment a) {
  switch (a) {
    case taLeftJustify: return DT_LEFT;
    case taRightJustify: return DT_RIGHT;
    default: return DT_CENTER;
  }
}

}  // namespace

struct ToolbarButtonPainter {
  const TToolbarButton97& b;
  TButtonGlyph& glyph;
  HDC dc;

  bool Pushed() const { return b.state_ == bsDown || b.state_ == bsExclusive; }

  void Frame(RECT& r) const {
    const bool pushed = Pushed();
    const bool pushedEdge = pushed && !(b.IsCombo() && b.onArrow_);
    const bool frame = !b.noBorder_ && (!b.flat_ || pushed || (b.mouseIn_ && b.state_ != bsDisabled));
    const UINT flags = b.flat_ ? BF_RECT : BF_RECT | BF_MIDDLE | BF_SOFT;
    auto edge = [&](bool down) -> UINT {
      if (b.flat_) return down ? BDR_SUNKENOUTER : BDR_RAISEDINNER;
      return down ? EDGE_SUNKEN : EDGE_RAISED;
    };
    if (b.IsCombo()) {
      RECT arrow = r;
      arrow.left = r.right - b.dropdownArrowWidth_;
      r.right -= b.dropdownArrowWidth_ + 2;
      if (frame) DrawEdge(dc, &arrow, edge(pushed && b.onArrow_), flags);
    }
    if (frame) DrawEdge(dc, &r, edge(pushedEdge), flags);
    if (!b.noBorder_) InflateRect(&r, b.flat_ ? -1 : -2, b.flat_ ? -1 : -2);
  }

  // The caption's size as DrawText lays it out in the room left by the glyph.
  TSize MeasureCaption(const RECT& r, TSize glyphSize, bool sideLayout) const {
    const std::string text = b.displayMode_ == dmGlyphOnly ? std::string() : const_cast<TToolbarButton97&>(b).Caption();
    if (text.empty()) return TSize{0, 0};
    const int spacing = b.spacing_ < 0 ? 4 : b.spacing_;
    const int margin = b.margin_ < 0 ? 4 : b.margin_;
    RECT m{0, 0, r.right - r.left - 2 * margin, 0};
    if (sideLayout && glyphSize.cx > 0) m.right -= glyphSize.cx + spacing;
    UINT flags = DT_CALCRECT | (b.wordWrap_ ? DT_WORDBREAK : DT_SINGLELINE);
    DrawTextA(dc, text.c_str(), -1, &m, flags);
    return TSize{m.right - m.left, m.bottom - m.top};
  }

  void Caption(const TRect& at) const {
    const std::string text = const_cast<TToolbarButton97&>(b).Caption();
    if (text.empty()) return;
    SetBkMode(dc, TRANSPARENT);
    const UINT flags = AlignmentFlag(b.alignment_) | DT_VCENTER | (b.wordWrap_ ? DT_WORDBREAK : DT_SINGLELINE);
    RECT r{at.left, at.top, at.right, at.bottom};
    if (b.state_ == bsDisabled) {
      RECT shifted{r.left + 1, r.top + 1, r.right + 1, r.bottom + 1};
      SetTextColor(dc, ColorToRGB(clBtnHighlight));
      DrawTextA(dc, text.c_str(), -1, &shifted, flags);
      SetTextColor(dc, ColorToRGB(clBtnShadow));
    } else {
      SetTextColor(dc, ColorToRGB(const_cast<TToolbarButton97&>(b).Font()->Color()));
    }
    DrawTextA(dc, text.c_str(), -1, &r, flags);
  }

  void Contents(RECT r) const {
    const bool withGlyph = b.displayMode_ != dmTextOnly;
    TSize gs = withGlyph ? glyph.ImageSize() : TSize{0, 0};
    const bool arrowBeside = b.IsDropdown() && !b.IsCombo() && b.dropdownArrow_;
    const TSize glyphOnly = gs;
    if (arrowBeside) gs = TSize{gs.cx + b.dropdownArrowWidth_, std::max<int>(gs.cy, 3)};
    const bool side = b.layout_ == blGlyphLeft || b.layout_ == blGlyphRight;
    const TSize ts = MeasureCaption(r, gs, side);
    const TRect client{r.left, r.top, r.right, r.bottom};
    TGlyphPlacement p = PlaceGlyphAndText(client, gs, ts, b.layout_, b.margin_, b.spacing_);
    // A caption alone is centred in the whole rectangle.
    if (gs.cx == 0) p.text = client;
    if (withGlyph && glyphOnly.cx > 0) glyph.Draw(dc, TPoint{p.glyph.x, p.glyph.y + (gs.cy - glyphOnly.cy) / 2}, b.state_);
    if (b.displayMode_ != dmGlyphOnly) Caption(p.text);
    const COLORREF fontColour = ColorToRGB(const_cast<TToolbarButton97&>(b).Font()->Color());
    if (arrowBeside)
      DrawArrow(dc, p.glyph.x + glyphOnly.cx, b.dropdownArrowWidth_, p.glyph.y + (gs.cy - 3) / 2,
                b.state_ != bsDisabled, fontColour);
  }
};

void TToolbarButton97::Paint() {
  HDC target = Canvas()->Handle();
  const bool offScreen = opaque_ || !flat_;
  std::unique_ptr<OffScreen> buffer;
  HDC dc = target;
  if (offScreen) {
    buffer = std::make_unique<OffScreen>(target, Width(), Height());
    dc = buffer->dc();
    FillSolid(dc, RECT{0, 0, Width(), Height()}, Color());
  }
  HGDIOBJ oldFont = SelectObject(dc, FontHandle(Font()->Data()));
  ToolbarButtonPainter painter{*this, *glyph_, dc};
  RECT r{0, 0, Width(), Height()};
  painter.Frame(r);
  RECT inner = r;
  if (painter.Pushed() && !(IsCombo() && onArrow_)) {
    if (state_ == bsExclusive && highlightWhenDown_ && (!flat_ || !mouseIn_))
      FillRect(dc, &inner, toolbar_hot::DownPattern());
    OffsetRect(&inner, 1, 1);
  }
  painter.Contents(inner);
  if (IsCombo() && dropdownArrow_) {
    int left = Width() - dropdownArrowWidth_;
    if (state_ == bsDown && onArrow_) ++left;
    DrawArrow(dc, left, dropdownArrowWidth_, Height() / 2 - 1, state_ != bsDisabled, ColorToRGB(Font()->Color()));
  }
  SelectObject(dc, oldFont);
  if (offScreen) BitBlt(target, 0, 0, Width(), Height(), dc, 0, 0, SRCCOPY);
}
