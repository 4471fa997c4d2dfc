// DrawFrameControl for buttons (the push face, the check box with its tick
// and the round radio button) and for the caption buttons of a window frame,
// in the classic system colours.
#include <win32/windows.h>

#include <algorithm>
#include <cmath>
#include <cstring>

namespace {

void Bevel(HDC dc, const RECT& r, int topLeft, int bottomRight) {
  RECT edge{r.left, r.top, r.right - 1, r.top + 1};
  FillRect(dc, &edge, GetSysColorBrush(topLeft));
  edge = RECT{r.left, r.top, r.left + 1, r.bottom - 1};
  FillRect(dc, &edge, GetSysColorBrush(topLeft));
  edge = RECT{r.left, r.bottom - 1, r.right, r.bottom};
  FillRect(dc, &edge, GetSysColorBrush(bottomRight));
  edge = RECT{r.right - 1, r.top, r.right, r.bottom};
  FillRect(dc, &edge, GetSysColorBrush(bottomRight));
}

// The checked look of a three-state box or a latched button: face and
// highlight in a checkerboard fixed to the brush origin.
void FillChecked(HDC dc, const RECT& r) {
  const COLORREF face = GetSysColor(COLOR_BTNFACE), light = GetSysColor(COLOR_BTNHIGHLIGHT);
  DWORD bits[64];
  for (int y = 0; y < 8; ++y)
    for (int x = 0; x < 8; ++x) {
      const COLORREF c = ((x + y) & 1) ? light : face;
      bits[y * 8 + x] = GetRValue(c) << 16 | GetGValue(c) << 8 | GetBValue(c);
    }
  HBITMAP pattern = CreateBitmap(8, 8, 1, 32, bits);
  HBRUSH brush = CreatePatternBrush(pattern);
  FillRect(dc, &r, brush);
  DeleteObject(brush);
  DeleteObject(pattern);
}

// The box is the square of the shorter side, centred.
RECT Square(const RECT& r) {
  const int side = std::min(r.right - r.left, r.bottom - r.top);
  const int x = r.left + (r.right - r.left - side) / 2, y = r.top + (r.bottom - r.top - side) / 2;
  return RECT{x, y, x + side, y + side};
}

BOOL CheckBox(HDC dc, const RECT& rc, UINT state) {
  RECT box = Square(rc);
  Bevel(dc, box, COLOR_BTNSHADOW, COLOR_BTNHIGHLIGHT);
  InflateRect(&box, -1, -1);
  Bevel(dc, box, COLOR_3DDKSHADOW, COLOR_3DLIGHT);
  InflateRect(&box, -1, -1);
  const bool inactive = (state & DFCS_INACTIVE) != 0, checked = (state & DFCS_CHECKED) != 0;
  const bool third = checked && (state & DFCS_BUTTON3STATE);
  if (third) FillChecked(dc, box);
  else FillRect(dc, &box, GetSysColorBrush(state & (DFCS_PUSHED | DFCS_INACTIVE) ? COLOR_BTNFACE : COLOR_WINDOW));
  if (!checked) return TRUE;
  // The 7x7 classic tick, three pixels thick.
  static const char* const kTick[7] = {"......X", ".....XX", "X...XXX", "XX.XXX.", "XXXXX..", ".XXX...", "..X...."};
  const COLORREF ink = GetSysColor(inactive || third ? COLOR_BTNSHADOW : COLOR_WINDOWTEXT);
  for (int y = 0; y < 7; ++y)
    for (int x = 0; x < 7; ++x)
      if (kTick[y][x] == 'X') SetPixelV(dc, box.left + 1 + x, box.top + 1 + y, ink);
  return TRUE;
}

// A 12x12 circle: outer ring shadow over highlight, inner ring dark shadow
// over light, the dot in the window text colour.
BOOL RadioButton(HDC dc, const RECT& rc, UINT state) {
  const RECT box = Square(rc);
  const bool checked = (state & DFCS_CHECKED) != 0, inactive = (state & DFCS_INACTIVE) != 0;
  const bool face = (state & (DFCS_PUSHED | DFCS_INACTIVE)) != 0;
  const double c = 5.5;
  for (int y = 0; y < 12; ++y) {
    for (int x = 0; x < 12; ++x) {
      const double d = std::hypot(x - c, y - c);
      const bool upperLeft = x + y < 11;
      int colour = 0;
      if (d > 6.0) continue;
      if (d > 4.6) colour = upperLeft ? COLOR_BTNSHADOW : COLOR_BTNHIGHLIGHT;
      else if (d > 3.6) colour = upperLeft ? COLOR_3DDKSHADOW : COLOR_3DLIGHT;
      else if (checked && d < 1.9) colour = inactive ? COLOR_BTNSHADOW : COLOR_WINDOWTEXT;
      else colour = face ? COLOR_BTNFACE : COLOR_WINDOW;
      SetPixelV(dc, box.left + x, box.top + y, GetSysColor(colour));
    }
  }
  return TRUE;
}

BOOL PushButton(HDC dc, LPRECT rc, UINT state) {
  const UINT edge = state & (DFCS_PUSHED | DFCS_CHECKED | DFCS_FLAT) ? EDGE_SUNKEN : EDGE_RAISED;
  const UINT look = state & DFCS_MONO ? BF_MONO : (state & DFCS_FLAT) | BF_SOFT;
  RECT inside = *rc;
  if (state & DFCS_CHECKED) {
    DrawEdge(dc, &inside, edge, look | BF_RECT | BF_ADJUST);
    FillChecked(dc, inside);
  } else {
    DrawEdge(dc, &inside, edge, look | BF_RECT | BF_MIDDLE | BF_ADJUST);
  }
  if (state & DFCS_ADJUSTRECT) *rc = inside;
  return TRUE;
}

// The caption buttons' glyphs, as the classic frame draws them on a 16 x 14
// button: close, minimise, maximise, restore and help.
constexpr const char* kCaptionGlyphs[][9] = {
    {"XX....XX", ".XX..XX.", "..XXXX..", "...XX...", "..XXXX..", ".XX..XX.", "XX....XX"},
    {"........", "........", "........", "........", "........", "........", "XXXXXX..", "XXXXXX.."},
    {"XXXXXXXXX", "XXXXXXXXX", "X.......X", "X.......X", "X.......X", "X.......X", "X.......X", "X.......X",
     "XXXXXXXXX"},
    {"...XXXXXX", "...XXXXXX", "...X....X", "XXXXXX..X", "XXXXXX..X", "X....XXXX", "X....X...", "X....X...",
     "XXXXXX..."},
    {"..XXXX..", ".XX..XX.", ".....XX.", "....XX..", "...XX...", "...XX...", "........", "...XX...", "...XX..."},
};

void PaintGlyph(HDC dc, const char* const* rows, int x, int y, COLORREF colour) {
  for (int r = 0; r < 9 && rows[r]; ++r)
    for (int c = 0; rows[r][c]; ++c)
      if (rows[r][c] == 'X') SetPixelV(dc, x + c, y + r, colour);
}

BOOL CaptionButton(HDC dc, LPRECT rc, UINT state) {
  const UINT kind = state & 0xFF;
  if (kind > DFCS_CAPTIONHELP) return FALSE;
  RECT inside = *rc;
  DrawEdge(dc, &inside, state & DFCS_PUSHED ? EDGE_SUNKEN : EDGE_RAISED, BF_RECT | BF_MIDDLE | BF_SOFT | BF_ADJUST);
  const char* const* rows = kCaptionGlyphs[kind];
  int w = 0, h = 0;
  while (h < 9 && rows[h]) w = std::max(w, static_cast<int>(std::strlen(rows[h]))), ++h;
  int x = inside.left + (inside.right - inside.left - w) / 2;
  int y = inside.top + (inside.bottom - inside.top - h) / 2;
  if (state & DFCS_PUSHED) ++x, ++y;
  if (state & DFCS_INACTIVE) {
    PaintGlyph(dc, rows, x + 1, y + 1, GetSysColor(COLOR_BTNHIGHLIGHT));
    PaintGlyph(dc, rows, x, y, GetSysColor(COLOR_BTNSHADOW));
  } else {
    PaintGlyph(dc, rows, x, y, GetSysColor(COLOR_BTNTEXT));
  }
  if (state & DFCS_ADJUSTRECT) *rc = inside;
  return TRUE;
}

}  // namespace

BOOL WINAPI DrawFrameControl(HDC hdc, LPRECT lprc, UINT uType, UINT uState) {
  if (!lprc) return FALSE;
  if (uType == DFC_CAPTION) return CaptionButton(hdc, lprc, uState);
  if (uType != DFC_BUTTON) return FALSE;
  if (uState & DFCS_BUTTONPUSH) return PushButton(hdc, lprc, uState);
  if (uState & (DFCS_BUTTONRADIO | DFCS_BUTTONRADIOIMAGE)) return RadioButton(hdc, *lprc, uState);
  if (uState & DFCS_BUTTONRADIOMASK) return FALSE;
  return CheckBox(hdc, *lprc, uState);
}
