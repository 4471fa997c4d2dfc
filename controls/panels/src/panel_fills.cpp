#include "panels/panel_fills.h"

#include <algorithm>

namespace panel_fills {

namespace {

constexpr int kWorkSize = 64;

void SolidPatBlt(HDC dc, const RECT& r, COLORREF colour) {
  HBRUSH brush = CreateSolidBrush(colour);
  HGDIOBJ old = SelectObject(dc, brush);
  PatBlt(dc, r.left, r.top, r.right - r.left, r.bottom - r.top, PATCOPY);
  SelectObject(dc, old);
  DeleteObject(brush);
}

// One band, limited to the clip box; skipped when wholly outside it.
void Band(HDC dc, RECT band, const RECT& clip, COLORREF colour) {
  RECT shown{};
  if (!IntersectRect(&shown, &band, &clip)) return;
  SolidPatBlt(dc, shown, colour);
}

COLORREF BandColour(COLORREF start, COLORREF end, int i, int n) {
  if (n == 1) return start;
  auto channel = [&](int s, int e) { return static_cast<BYTE>(s + MulDiv(i, e - s, n - 1)); };
  return RGB(channel(GetRValue(start), GetRValue(end)), channel(GetGValue(start), GetGValue(end)),
             channel(GetBValue(start), GetBValue(end)));
}

}  // namespace

DWORD StyleRop(TColorStyle style) {
  switch (style) {
    case TMegaTypes::csAND: return 0xA000C9;
    case TMegaTypes::csOR: return 0xFA0089;
    case TMegaTypes::csNAND: return 0x500325;
    case TMegaTypes::csNOR: return 0xF50225;
    case TMegaTypes::csXOR: return PATINVERT;
    default: return 0;
  }
}

void Gradient(HDC dc, const RECT& t, const RECT& clip, TGradientType type, TMegaColor startColour,
              TMegaColor endColour, int bands) {
  if (type == TMegaTypes::gtNone) return;
  const bool rows = type == TMegaTypes::gtHorizontal || type == TMegaTypes::gtHorzSplit;
  const bool split = type == TMegaTypes::gtHorzSplit || type == TMegaTypes::gtVertSplit;
  const int lo = rows ? t.top : t.left, hi = rows ? t.bottom : t.right;
  const int extent = hi - lo;
  const int n = std::min(std::min(bands, 256), extent);
  if (n < 1) return;
  const COLORREF start = MegaColorToRGB(startColour), end = MegaColorToRGB(endColour);
  auto span = [&](int a, int b) { return rows ? RECT{t.left, a, t.right, b} : RECT{a, t.top, b, t.bottom}; };
  const int h1 = extent / 2, h2 = extent - h1;
  int down = lo, up = hi;
  for (int i = 0; i < n; ++i) {
    const COLORREF c = BandColour(start, end, i, n);
    if (!split) {
      const int edge = lo + MulDiv(extent, i + 1, n);
      Band(dc, span(down, edge), clip, c);
      down = edge;
      continue;
    }
    const int downEdge = lo + MulDiv(h1, i + 1, n), upEdge = hi - MulDiv(h2, i + 1, n);
    Band(dc, span(down, downEdge), clip, c);
    Band(dc, span(upEdge, up), clip, c);
    down = downEdge;
    up = upEdge;
  }
}

HBITMAP DitherBitmap() {
  static HBITMAP work = [] {
    HDC screen = GetDC(nullptr);
    HBITMAP b = CreateCompatibleBitmap(screen, kWorkSize, kWorkSize);
    ReleaseDC(nullptr, screen);
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(dc, b);
    SolidPatBlt(dc, RECT{0, 0, kWorkSize, kWorkSize}, RGB(255, 255, 0));
    SelectObject(dc, old);
    DeleteDC(dc);
    return b;
  }();
  return work;
}

HBITMAP ShadowBitmap() {
  static HBITMAP checker = [] {
    // Rows of 16 bits, padded to words: 0x55 then 0xAA gives white where
    // x + y is even.
    WORD rows[kWorkSize * kWorkSize / 16];
    for (int y = 0; y < kWorkSize; ++y)
      for (int w = 0; w < kWorkSize / 16; ++w) rows[y * (kWorkSize / 16) + w] = y % 2 ? 0x5555 : 0xAAAA;
    return CreateBitmap(kWorkSize, kWorkSize, 1, 1, rows);
  }();
  return checker;
}

void Dither(HDC dc, const RECT& r, const RECT& clip, TMegaColor colour) {
  RECT shown{};
  if (!IntersectRect(&shown, &r, &clip)) return;
  const COLORREF k = MegaColorToRGB(colour);
  const bool black = k == 0;
  const COLORREF ground = black ? RGB(255, 255, 0) : k;
  HDC work = CreateCompatibleDC(dc);
  HGDIOBJ oldWork = SelectObject(work, DitherBitmap());
  SolidPatBlt(work, RECT{0, 0, kWorkSize, kWorkSize}, ground);
  HBRUSH checker = CreatePatternBrush(ShadowBitmap());
  HGDIOBJ oldBrush = SelectObject(work, checker);
  SetTextColor(work, 0);
  SetBkColor(work, RGB(255, 255, 255));
  SetBrushOrgEx(work, 0, 0, nullptr);
  // K stays on the white squares; for black, black lands on them instead.
  PatBlt(work, 0, 0, kWorkSize, kWorkSize, black ? 0x0A0329 : 0xA000C9);
  SelectObject(work, oldBrush);
  DeleteObject(checker);
  const COLORREF skip = black ? RGB(255, 255, 0) : 0;
  for (int y = r.top; y < r.bottom; y += kWorkSize)
    for (int x = r.left; x < r.right; x += kWorkSize) {
      RECT piece{x, y, std::min<LONG>(x + kWorkSize, r.right), std::min<LONG>(y + kWorkSize, r.bottom)};
      RECT cut{};
      if (!IntersectRect(&cut, &piece, &shown)) continue;
      const int w = cut.right - cut.left, h = cut.bottom - cut.top;
      TransparentBlt(dc, cut.left, cut.top, w, h, work, cut.left - x, cut.top - y, w, h, skip);
    }
  SelectObject(work, oldWork);
  DeleteDC(work);
}

void RopFill(HDC dc, const RECT& r, TMegaColor colour, TColorStyle style) {
  const DWORD rop = StyleRop(style);
  if (!rop || IsRectEmpty(&r)) return;
  HDC screen = GetDC(nullptr);
  HBITMAP pattern = CreateCompatibleBitmap(screen, 8, 8);
  ReleaseDC(nullptr, screen);
  HDC p = CreateCompatibleDC(dc);
  HGDIOBJ oldP = SelectObject(p, pattern);
  SolidPatBlt(p, RECT{0, 0, 8, 8}, MegaColorToRGB(colour));
  SelectObject(p, oldP);
  DeleteDC(p);
  HBRUSH brush = CreatePatternBrush(pattern);
  HGDIOBJ old = SelectObject(dc, brush);
  PatBlt(dc, r.left, r.top, r.right - r.left, r.bottom - r.top, rop);
  SelectObject(dc, old);
  DeleteObject(brush);
  DeleteObject(pattern);
}

void StyledFill(HDC dc, const RECT& r, const RECT& clip, TMegaColor colour, TColorStyle style) {
  if (colour == clNone || style == TMegaTypes::csTransparent) return;
  RECT shown{};
  if (!IntersectRect(&shown, &r, &clip)) return;
  if (style == TMegaTypes::csOpaque) SolidPatBlt(dc, shown, MegaColorToRGB(colour));
  else if (style == TMegaTypes::csDithered) Dither(dc, r, clip, colour);
  else RopFill(dc, shown, colour, style);
}

}  // namespace panel_fills
