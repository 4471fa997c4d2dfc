// Lines and filled shapes: pens with their binary raster operation, styled
// (dotted, dashed) one-pixel pens, polygons filled by scan lines.
#include "dc.h"

#include <algorithm>
#include <cmath>

using namespace gdi;

namespace {

// Dash patterns of cosmetic styled pens, in pixels: on, off, on, off...
const std::vector<int>& DashesOf(UINT style) {
  static const std::vector<int> none, dash{18, 6}, dot{3, 3}, dashDot{9, 6, 3, 6}, dashDotDot{9, 3, 3, 3, 3, 3},
      alternate{1, 1};
  switch (style & PS_STYLE_MASK) {
    case PS_DASH: return dash;
    case PS_DOT: return dot;
    case PS_DASHDOT: return dashDot;
    case PS_DASHDOTDOT: return dashDotDot;
    case PS_ALTERNATE: return alternate;
    default: return none;
  }
}

// Draws pen pixels for one DC call; keeps the dash phase between segments.
class PenPainter {
 public:
  PenPainter(DcObject& dc, Target& t) : dc_(dc), t_(t) {
    const PenObject* pen = dc.st.pen.get();
    null_ = !pen || (pen->style & PS_STYLE_MASK) == PS_NULL;
    if (null_) return;
    color_ = TargetPixel(t, dc, pen->dcColor ? dc.st.dcPenColor : pen->color);
    back_ = TargetPixel(t, dc, dc.st.bkColor);
    rop_ = Rop2ToRop3(dc.st.rop2);
    dashes_ = &DashesOf(pen->style);
    width_ = dashes_->empty() ? std::max(pen->width, 1) : 1;
  }
  bool Null() const { return null_; }

  // Surface coordinates; the end point is not drawn.
  void Line(int x0, int y0, int x1, int y1) {
    if (null_) return;
    const int dx = std::abs(x1 - x0), dy = std::abs(y1 - y0);
    const int sx = x0 < x1 ? 1 : -1, sy = y0 < y1 ? 1 : -1;
    int err = dx - dy;
    for (int n = std::max(dx, dy); n > 0; --n) {
      Dot(x0, y0);
      const int e2 = 2 * err;
      if (e2 > -dy) err -= dy, x0 += sx;
      if (e2 < dx) err += dx, y0 += sy;
    }
  }

  void Dot(int x, int y) {
    bool on = true;
    if (!dashes_->empty()) {
      on = (segment_ % 2) == 0;
      if (++run_ >= (*dashes_)[segment_]) run_ = 0, segment_ = (segment_ + 1) % dashes_->size();
      if (!on && dc_.st.bkMode != OPAQUE) return;
    }
    const std::uint32_t c = on ? color_ : back_;
    if (width_ == 1) {
      PlotRop2(t_, x, y, c, rop_);
      return;
    }
    const int h = width_ / 2;
    for (int yy = y - h; yy < y - h + width_; ++yy)
      for (int xx = x - h; xx < x - h + width_; ++xx) PlotRop2(t_, xx, yy, c, rop_);
  }

 private:
  DcObject& dc_;
  Target& t_;
  bool null_ = true;
  std::uint32_t color_ = 0, back_ = 0;
  std::uint8_t rop_ = 0;
  const std::vector<int>* dashes_ = nullptr;
  int width_ = 1;
  std::size_t segment_ = 0;
  int run_ = 0;
};

POINT ToSurface(const DcObject& dc, const Target& t, POINT p) {
  POINT d = ToDevice(dc.st, p.x, p.y);
  return POINT{d.x + t.origin.x, d.y + t.origin.y};
}


BOOL Polyline(DcObject& dc, Target& t, const POINT* pts, int n, bool closed) {
  PenPainter pen(dc, t);
  for (int i = 1; i < n; ++i) {
    POINT a = ToSurface(dc, t, pts[i - 1]), b = ToSurface(dc, t, pts[i]);
    pen.Line(a.x, a.y, b.x, b.y);
  }
  if (closed && n > 1) {
    POINT a = ToSurface(dc, t, pts[n - 1]), b = ToSurface(dc, t, pts[0]);
    pen.Line(a.x, a.y, b.x, b.y);
  }
  return TRUE;
}

// Scan-line fill: a pixel is inside when its top-left corner point is, left
// edges included and right edges excluded, so adjacent shapes do not overlap.
void FillPolygon(DcObject& dc, Target& t, const std::vector<POINT>& p) {
  const Pattern pat = CurrentPattern(dc, t);
  if (pat.none || p.size() < 3) return;
  const std::uint8_t rop = Rop2ToRop3(dc.st.rop2);
  int ymin = p[0].y, ymax = p[0].y;
  for (const POINT& q : p) ymin = std::min<int>(ymin, q.y), ymax = std::max<int>(ymax, q.y);
  struct Cross {
    double x;
    int dir;
  };
  std::vector<Cross> xs;
  for (int y = ymin; y < ymax; ++y) {
    xs.clear();
    for (std::size_t i = 0; i < p.size(); ++i) {
      const POINT a = p[i], b = p[(i + 1) % p.size()];
      if (a.y == b.y) continue;
      const bool down = a.y < b.y;
      const POINT lo = down ? a : b, hi = down ? b : a;
      if (y < lo.y || y >= hi.y) continue;
      xs.push_back({lo.x + double(y - lo.y) * (hi.x - lo.x) / double(hi.y - lo.y), down ? 1 : -1});
    }
    std::sort(xs.begin(), xs.end(), [](const Cross& a, const Cross& b) { return a.x < b.x; });
    int wind = 0;
    for (std::size_t i = 0; i + 1 < xs.size(); ++i) {
      wind += xs[i].dir;
      const bool inside = dc.st.polyFillMode == WINDING ? wind != 0 : (i % 2) == 0;
      if (!inside) continue;
      const int x0 = static_cast<int>(std::ceil(xs[i].x)), x1 = static_cast<int>(std::ceil(xs[i + 1].x));
      if (x0 < x1) RopRect(t, RECT{x0, y, x1, y + 1}, nullptr, 0, 0, pat, rop);
    }
  }
}

}  // namespace

BOOL WINAPI MoveToEx(HDC hdc, int x, int y, LPPOINT old) {
  CoreGuard guard(CoreLock());
  auto dc = LookupDc(hdc);
  if (!dc) return FALSE;
  if (old) *old = dc->st.pos;
  dc->st.pos = POINT{x, y};
  return TRUE;
}

BOOL WINAPI LineTo(HDC hdc, int x, int y) {
  return DrawOn(hdc, [&](DcObject& dc, Target& t) {
    const POINT pts[2] = {dc.st.pos, POINT{x, y}};
    Polyline(dc, t, pts, 2, false);
    dc.st.pos = POINT{x, y};
    return TRUE;
  });
}

BOOL WINAPI Polyline(HDC hdc, const POINT* apt, int cpt) {
  if (!apt || cpt < 2) return FALSE;
  return DrawOn(hdc, [&](DcObject& dc, Target& t) { return Polyline(dc, t, apt, cpt, false); });
}

BOOL WINAPI PolylineTo(HDC hdc, const POINT* apt, DWORD cpt) {
  if (!apt || cpt == 0 || cpt > 0x7FFFFFF) return FALSE;
  return DrawOn(hdc, [&](DcObject& dc, Target& t) {
    std::vector<POINT> pts{dc.st.pos};
    pts.insert(pts.end(), apt, apt + cpt);
    Polyline(dc, t, pts.data(), static_cast<int>(pts.size()), false);
    dc.st.pos = apt[cpt - 1];
    return TRUE;
  });
}

BOOL WINAPI Polygon(HDC hdc, const POINT* apt, int cpt) {
  if (!apt || cpt < 2) return FALSE;
  return DrawOn(hdc, [&](DcObject& dc, Target& t) {
    std::vector<POINT> s;
    for (int i = 0; i < cpt; ++i) s.push_back(ToSurface(dc, t, apt[i]));
    FillPolygon(dc, t, s);
    return Polyline(dc, t, apt, cpt, true);
  });
}

BOOL WINAPI Rectangle(HDC hdc, int left, int top, int right, int bottom) {
  return DrawOn(hdc, [&](DcObject& dc, Target& t) {
    RECT r = LogicalToSurface(dc, t, left, top, right, bottom);
    if (r.right - r.left < 1 || r.bottom - r.top < 1) return TRUE;
    PenPainter pen(dc, t);
    const std::uint8_t rop = Rop2ToRop3(dc.st.rop2);
    const Pattern pat = CurrentPattern(dc, t);
    if (pen.Null()) {
      // Without a pen the filled area is one pixel smaller, as on Windows.
      RopRect(t, RECT{r.left, r.top, r.right - 1, r.bottom - 1}, nullptr, 0, 0, pat, rop);
      return TRUE;
    }
    RopRect(t, RECT{r.left + 1, r.top + 1, r.right - 1, r.bottom - 1}, nullptr, 0, 0, pat, rop);
    const int x1 = r.right - 1, y1 = r.bottom - 1;
    pen.Line(r.left, r.top, x1, r.top);
    pen.Line(x1, r.top, x1, y1);
    pen.Line(x1, y1, r.left, y1);
    pen.Line(r.left, y1, r.left, r.top);
    if (x1 == r.left || y1 == r.top) pen.Dot(x1, y1);  // a one-pixel line still shows
    return TRUE;
  });
}
