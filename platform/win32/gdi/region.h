// Regions as sets of non-overlapping rectangles, sorted in bands top to
// bottom and left to right within a band; equal neighbouring bands are merged,
// so equal regions have equal rectangle lists.
#pragma once

#include <win32/windef.h>

#include <vector>

namespace gdi {

class Region {
 public:
  Region() = default;
  explicit Region(const RECT& r);

  // RGN_AND, RGN_OR, RGN_XOR, RGN_DIFF, RGN_COPY (a).
  static Region Combine(const Region& a, const Region& b, int mode);

  const std::vector<RECT>& Rects() const { return rects_; }
  bool Empty() const { return rects_.empty(); }
  RECT Box() const;
  int Type() const;  // NULLREGION, SIMPLEREGION or COMPLEXREGION
  bool Contains(int x, int y) const;
  bool Intersects(const RECT& r) const;
  void Offset(int dx, int dy);
  bool operator==(const Region& o) const;

 private:
  std::vector<RECT> rects_;
};

// Normalised rectangle helpers shared by the core.
inline bool RectEmpty(const RECT& r) { return r.left >= r.right || r.top >= r.bottom; }
RECT IntersectRects(const RECT& a, const RECT& b);

}  // namespace gdi
