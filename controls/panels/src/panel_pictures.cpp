// Pictures in the effects panel: anchored at nine places, stretched,
// tiled, or laid in strips along one side, with or without transparency.
#include <algorithm>

#include "glyph_cache.h"
#include "panels/panel_fills.h"

namespace panel_fills {

namespace {

using P = TMegaTypes;

struct Source {
  HDC dc;
  int w, h;
  COLORREF transparent;
};

// One piece of the picture (src) into dst, stretched when the sizes differ.
void Piece(HDC dc, const RECT& dst, const Source& s, const RECT& src, TPictureTransparent t) {
  const int dw = dst.right - dst.left, dh = dst.bottom - dst.top;
  const int sw = src.right - src.left, sh = src.bottom - src.top;
  if (dw <= 0 || dh <= 0 || sw <= 0 || sh <= 0) return;
  if (t == P::ptNone) {
    StretchBlt(dc, dst.left, dst.top, dw, dh, s.dc, src.left, src.top, sw, sh, SRCCOPY);
    return;
  }
  if (t == P::ptSimple || dw != sw || dh != sh) {
    TransparentBlt(dc, dst.left, dst.top, dw, dh, s.dc, src.left, src.top, sw, sh, s.transparent);
    return;
  }
  // Full transparency: a monochrome mask of the piece, white where the
  // transparent colour is, keeps the destination there.
  HBITMAP part = CreateCompatibleBitmap(s.dc, sw, sh);
  HDC p = CreateCompatibleDC(s.dc);
  HGDIOBJ oldP = SelectObject(p, part);
  BitBlt(p, 0, 0, sw, sh, s.dc, src.left, src.top, SRCCOPY);
  SelectObject(p, oldP);
  DeleteDC(p);
  HBITMAP mask = MakeColourMask(part, sw, sh, s.transparent);
  DeleteObject(part);
  constexpr DWORD kKeepDestination = 0x00AA0029;
  MaskBlt(dc, dst.left, dst.top, sw, sh, s.dc, src.left, src.top, mask, 0, 0, MAKEROP4(kKeepDestination, SRCCOPY));
  DeleteObject(mask);
}

// Copies cut to `area` and drawn only where they meet the clip box.
void Tile(HDC dc, const RECT& a, const RECT& clip, const Source& s, TPictureTransparent t) {
  for (int y = a.top; y < a.bottom; y += s.h)
    for (int x = a.left; x < a.right; x += s.w) {
      RECT copy{x, y, std::min<LONG>(x + s.w, a.right), std::min<LONG>(y + s.h, a.bottom)}, cut{};
      if (!IntersectRect(&cut, &copy, &clip)) continue;
      Piece(dc, cut, s, RECT{cut.left - x, cut.top - y, cut.right - x, cut.bottom - y}, t);
    }
}

// The tiling built once in a work bitmap the size of the shown part.
void TileFast(HDC dc, const RECT& a, const RECT& clip, const Source& s, TPictureTransparent t) {
  RECT shown{};
  if (!IntersectRect(&shown, &a, &clip)) return;
  const int w = shown.right - shown.left, h = shown.bottom - shown.top;
  HBITMAP work = CreateCompatibleBitmap(s.dc, w, h);
  HDC wdc = CreateCompatibleDC(s.dc);
  HGDIOBJ old = SelectObject(wdc, work);
  for (int y = shown.top; y < shown.bottom;) {
    const int sy = (y - a.top) % s.h, ph = std::min<int>(s.h - sy, shown.bottom - y);
    for (int x = shown.left; x < shown.right;) {
      const int sx = (x - a.left) % s.w, pw = std::min<int>(s.w - sx, shown.right - x);
      BitBlt(wdc, x - shown.left, y - shown.top, pw, ph, s.dc, sx, sy, SRCCOPY);
      x += pw;
    }
    y += ph;
  }
  Source tiled{wdc, w, h, s.transparent};
  Piece(dc, shown, tiled, RECT{0, 0, w, h}, t);
  SelectObject(wdc, old);
  DeleteDC(wdc);
  DeleteObject(work);
}

// The strip and side-stretch positions narrow the area to one picture's
// width or height along their side, moved by the offset.
RECT Narrowed(RECT a, TPicturePos pos, int pw, int ph, int xo, int yo) {
  switch (pos) {
    case P::ppStretchTop: case P::ppStripTop: case P::ppStripTopFast:
      a.bottom = a.top + ph;
      OffsetRect(&a, 0, yo);
      break;
    case P::ppStretchBottom: case P::ppStripBottom: case P::ppStripBottomFast:
      a.top = a.bottom - ph;
      OffsetRect(&a, 0, -yo);
      break;
    case P::ppStretchLeft: case P::ppStripLeft: case P::ppStripLeftFast:
      a.right = a.left + pw;
      OffsetRect(&a, xo, 0);
      break;
    case P::ppStretchRight: case P::ppStripRight: case P::ppStripRightFast:
      a.left = a.right - pw;
      OffsetRect(&a, -xo, 0);
      break;
    default: break;
  }
  return a;
}

POINT Anchor(const RECT& a, TPicturePos pos, int pw, int ph, int xo, int yo) {
  const int aw = a.right - a.left, ah = a.bottom - a.top;
  const int left = a.left + xo, hcentre = a.left + (aw - pw) / 2, right = a.right - pw - xo;
  const int top = a.top + yo, vcentre = a.top + (ah - ph) / 2, bottom = a.bottom - ph - yo;
  switch (pos) {
    case P::ppTopLeft: return {left, top};
    case P::ppTopCenter: return {hcentre, top};
    case P::ppTopRight: return {right, top};
    case P::ppLeftCenter: return {left, vcentre};
    case P::ppCenter: return {hcentre, vcentre};
    case P::psRightCenter: return {right, vcentre};
    case P::ppBottomLeft: return {left, bottom};
    case P::ppBottomCenter: return {hcentre, bottom};
    default: return {right, bottom};
  }
}

}  // namespace

void Picture(HDC dc, TBitmap* picture, RECT a, const RECT& clip, const PictureSettings& set) {
  if (!picture || picture->GetEmpty()) return;
  const int pw = picture->GetWidth(), ph = picture->GetHeight();
  HDC pdc = picture->Canvas()->Handle();
  const Source s{pdc, pw, ph, GetPixel(pdc, 0, ph - 1)};
  const TPicturePos pos = set.position;
  a = Narrowed(a, pos, pw, ph, set.xOffset, set.yOffset);
  switch (pos) {
    case P::ppStretch: case P::ppStretchTop: case P::ppStretchBottom: case P::ppStretchLeft: case P::ppStretchRight: {
      const int save = SaveDC(dc);
      IntersectClipRect(dc, clip.left, clip.top, clip.right, clip.bottom);
      Piece(dc, a, s, RECT{0, 0, pw, ph}, set.transparent);
      RestoreDC(dc, save);
      return;
    }
    case P::ppTile: case P::ppStripTop: case P::ppStripBottom: case P::ppStripLeft: case P::ppStripRight:
      Tile(dc, a, clip, s, set.transparent);
      return;
    case P::ppTileFast: case P::ppStripTopFast: case P::ppStripBottomFast: case P::ppStripLeftFast:
    case P::ppStripRightFast:
      TileFast(dc, a, clip, s, set.transparent);
      return;
    default: break;
  }
  const POINT at = Anchor(a, pos, pw, ph, set.xOffset, set.yOffset);
  RECT placed{at.x, at.y, at.x + pw, at.y + ph}, inArea{}, shown{};
  if (!IntersectRect(&inArea, &placed, &a) || !IntersectRect(&shown, &inArea, &clip)) return;
  Piece(dc, shown, s, RECT{shown.left - at.x, shown.top - at.y, shown.right - at.x, shown.bottom - at.y},
        set.transparent);
}

}  // namespace panel_fills
