// The user32 drawing helpers: rectangle arithmetic, fills, frames, focus
// rectangles and the classic 3-D edges.
#include "dc.h"

#include <algorithm>

using namespace gdi;

BOOL WINAPI SetRect(LPRECT r, int l, int t, int rr, int b) {
  if (!r) return FALSE;
  *r = RECT{l, t, rr, b};
  return TRUE;
}
BOOL WINAPI SetRectEmpty(LPRECT r) { return SetRect(r, 0, 0, 0, 0); }
BOOL WINAPI CopyRect(LPRECT d, const RECT* s) {
  if (!d || !s) return FALSE;
  *d = *s;
  return TRUE;
}
BOOL WINAPI InflateRect(LPRECT r, int dx, int dy) {
  if (!r) return FALSE;
  r->left -= dx, r->right += dx, r->top -= dy, r->bottom += dy;
  return TRUE;
}
BOOL WINAPI OffsetRect(LPRECT r, int dx, int dy) {
  if (!r) return FALSE;
  r->left += dx, r->right += dx, r->top += dy, r->bottom += dy;
  return TRUE;
}
BOOL WINAPI IsRectEmpty(const RECT* r) { return !r || r->left >= r->right || r->top >= r->bottom; }
BOOL WINAPI IntersectRect(LPRECT d, const RECT* a, const RECT* b) {
  if (!d || !a || !b) return FALSE;
  RECT r{std::max(a->left, b->left), std::max(a->top, b->top), std::min(a->right, b->right),
         std::min(a->bottom, b->bottom)};
  if (IsRectEmpty(&r) || IsRectEmpty(a) || IsRectEmpty(b)) {
    *d = RECT{0, 0, 0, 0};
    return FALSE;
  }
  *d = r;
  return TRUE;
}
BOOL WINAPI UnionRect(LPRECT d, const RECT* a, const RECT* b) {
  if (!d || !a || !b) return FALSE;
  const bool ea = IsRectEmpty(a), eb = IsRectEmpty(b);
  if (ea && eb) {
    *d = RECT{0, 0, 0, 0};
    return FALSE;
  }
  if (ea) *d = *b;
  else if (eb) *d = *a;
  else *d = RECT{std::min(a->left, b->left), std::min(a->top, b->top), std::max(a->right, b->right),
                 std::max(a->bottom, b->bottom)};
  return TRUE;
}
BOOL WINAPI SubtractRect(LPRECT d, const RECT* a, const RECT* b) {
  if (!d || !a || !b) return FALSE;
  RECT r = *a;
  RECT i;
  if (IsRectEmpty(a)) {
    *d = RECT{0, 0, 0, 0};
    return FALSE;
  }
  // Only a cut that spans a whole side of `a` leaves a rectangle.
  if (IntersectRect(&i, a, b)) {
    if (i.left == r.left && i.right == r.right) {
      if (i.top == r.top) r.top = i.bottom;
      else if (i.bottom == r.bottom) r.bottom = i.top;
    } else if (i.top == r.top && i.bottom == r.bottom) {
      if (i.left == r.left) r.left = i.right;
      else if (i.right == r.right) r.right = i.left;
    }
  }
  if (IsRectEmpty(&r)) {
    *d = RECT{0, 0, 0, 0};
    return FALSE;
  }
  *d = r;
  return TRUE;
}
BOOL WINAPI PtInRect(const RECT* r, POINT p) {
  return r && p.x >= r->left && p.x < r->right && p.y >= r->top && p.y < r->bottom;
}
BOOL WINAPI EqualRect(const RECT* a, const RECT* b) {
  return a && b && a->left == b->left && a->top == b->top && a->right == b->right && a->bottom == b->bottom;
}

namespace {

// A brush handle, or a system colour index + 1 as Windows accepts.
std::shared_ptr<BrushObject> BrushArg(HBRUSH hbr) {
  auto v = reinterpret_cast<std::uintptr_t>(hbr);
  if (v > 0 && v <= static_cast<std::uintptr_t>(COLOR_MENUBAR) + 1) return LookupBrush(SysColorBrush(int(v) - 1));
  return LookupBrush(hbr);
}


// Logical rectangle (not normalised: an inverted one paints nothing).
void PaintRect(DcObject& dc, Target& t, const RECT& r, const Pattern& pat, std::uint8_t rop) {
  if (r.left >= r.right || r.top >= r.bottom) return;
  RopRect(t, LogicalToSurface(dc, t, r.left, r.top, r.right, r.bottom), nullptr, 0, 0, pat, rop);
}

}  // namespace

int WINAPI FillRect(HDC hdc, const RECT* rc, HBRUSH hbr) {
  auto brush = BrushArg(hbr);
  if (!rc || !brush) return FALSE;
  return DrawOn(hdc, [&](DcObject& dc, Target& t) {
    PaintRect(dc, t, *rc, MakePattern(dc, t, brush.get()), 0xF0);
    return TRUE;
  });
}

int WINAPI FrameRect(HDC hdc, const RECT* rc, HBRUSH hbr) {
  auto brush = BrushArg(hbr);
  if (!rc || !brush) return FALSE;
  if (rc->right < rc->left || rc->bottom < rc->top) return FALSE;
  return DrawOn(hdc, [&](DcObject& dc, Target& t) {
    const Pattern pat = MakePattern(dc, t, brush.get());
    const RECT& r = *rc;
    PaintRect(dc, t, RECT{r.left, r.top, r.right, std::min(r.top + 1, r.bottom)}, pat, 0xF0);
    PaintRect(dc, t, RECT{r.left, std::max(r.bottom - 1, r.top + 1), r.right, r.bottom}, pat, 0xF0);
    PaintRect(dc, t, RECT{r.left, r.top + 1, std::min(r.left + 1, r.right), r.bottom - 1}, pat, 0xF0);
    PaintRect(dc, t, RECT{std::max(r.right - 1, r.left + 1), r.top + 1, r.right, r.bottom - 1}, pat, 0xF0);
    return TRUE;
  });
}

BOOL WINAPI InvertRect(HDC hdc, const RECT* rc) {
  if (!rc) return FALSE;
  return DrawOn(hdc, [&](DcObject& dc, Target& t) {
    PaintRect(dc, t, *rc, Pattern{}, 0x55);
    return TRUE;
  });
}

BOOL WINAPI DrawFocusRect(HDC hdc, const RECT* rc) {
  if (!rc) return FALSE;
  return DrawOn(hdc, [&](DcObject& dc, Target& t) {
    const RECT& r = *rc;
    if (r.left >= r.right || r.top >= r.bottom) return TRUE;
    // Every other pixel of the one-pixel frame is inverted (XOR, so drawing
    // it twice removes it), on a checkerboard fixed to device coordinates.
    auto dot = [&](int x, int y) {
      POINT d = ToDevice(dc.st, x, y);
      if ((d.x + d.y) & 1) return;
      PlotRop2(t, d.x + t.origin.x, d.y + t.origin.y, 0xFFFFFF, 0x5A);
    };
    for (int x = r.left; x < r.right; ++x) {
      dot(x, r.top);
      if (r.bottom - 1 > r.top) dot(x, r.bottom - 1);
    }
    for (int y = r.top + 1; y < r.bottom - 1; ++y) {
      dot(r.left, y);
      if (r.right - 1 > r.left) dot(r.right - 1, y);
    }
    return TRUE;
  });
}

namespace {

struct EdgeColors {
  int topLeft, bottomRight;  // system colour indices
};

// Colours of one border ring: `outer` picks the outer ring, `raised` its kind.
EdgeColors RingColors(bool outer, bool raised, UINT flags) {
  if (flags & BF_MONO) return outer ? EdgeColors{COLOR_WINDOWFRAME, COLOR_WINDOWFRAME} : EdgeColors{COLOR_WINDOW, COLOR_WINDOW};
  if (flags & BF_FLAT) return outer ? EdgeColors{COLOR_BTNSHADOW, COLOR_BTNSHADOW} : EdgeColors{COLOR_BTNFACE, COLOR_BTNFACE};
  const bool soft = (flags & BF_SOFT) != 0;
  if (raised) {
    if (outer) return {soft ? COLOR_BTNHIGHLIGHT : COLOR_3DLIGHT, COLOR_3DDKSHADOW};
    return {soft ? COLOR_3DLIGHT : COLOR_BTNHIGHLIGHT, COLOR_BTNSHADOW};
  }
  if (outer) return {soft ? COLOR_3DDKSHADOW : COLOR_BTNSHADOW, COLOR_BTNHIGHLIGHT};
  return {soft ? COLOR_BTNSHADOW : COLOR_3DDKSHADOW, COLOR_3DLIGHT};
}

// One ring on the sides `flags` names; bottom and right lines run the full
// length, so they own the top-right and bottom-left corners.
void DrawRing(DcObject& dc, Target& t, RECT& r, EdgeColors c, UINT flags) {
  Pattern tl, br;
  tl.color = TargetPixel(t, dc, SysColor(c.topLeft));
  br.color = TargetPixel(t, dc, SysColor(c.bottomRight));
  const int rEnd = (flags & BF_RIGHT) ? r.right - 1 : r.right;
  const int bEnd = (flags & BF_BOTTOM) ? r.bottom - 1 : r.bottom;
  if (flags & BF_TOP) PaintRect(dc, t, RECT{r.left, r.top, rEnd, r.top + 1}, tl, 0xF0);
  if (flags & BF_LEFT) PaintRect(dc, t, RECT{r.left, r.top, r.left + 1, bEnd}, tl, 0xF0);
  if (flags & BF_BOTTOM) PaintRect(dc, t, RECT{r.left, r.bottom - 1, r.right, r.bottom}, br, 0xF0);
  if (flags & BF_RIGHT) PaintRect(dc, t, RECT{r.right - 1, r.top, r.right, r.bottom}, br, 0xF0);
  if (flags & BF_LEFT) ++r.left;
  if (flags & BF_TOP) ++r.top;
  if (flags & BF_RIGHT) --r.right;
  if (flags & BF_BOTTOM) --r.bottom;
}

}  // namespace

BOOL WINAPI DrawEdge(HDC hdc, LPRECT qrc, UINT edge, UINT flags) {
  if (!qrc) return FALSE;
  if (flags & BF_DIAGONAL) return FALSE;  // diagonal edges are not drawn here
  return DrawOn(hdc, [&](DcObject& dc, Target& t) {
    RECT r = *qrc;
    if (edge & BDR_OUTER) DrawRing(dc, t, r, RingColors(true, (edge & BDR_RAISEDOUTER) != 0, flags), flags);
    if (edge & BDR_INNER) DrawRing(dc, t, r, RingColors(false, (edge & BDR_RAISEDINNER) != 0, flags), flags);
    if (flags & BF_MIDDLE) {
      Pattern mid;
      mid.color = TargetPixel(t, dc, SysColor((flags & BF_MONO) ? COLOR_WINDOW : COLOR_BTNFACE));
      PaintRect(dc, t, r, mid, 0xF0);
    }
    if (flags & BF_ADJUST) *qrc = r;
    return TRUE;
  });
}
