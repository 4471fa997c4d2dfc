// A set of pixels as disjoint rectangles: update regions and visible regions
// of windows. Kept apart from gdi regions so that the message model does not
// need a device context to know what is invalid.
#pragma once

#include <win32/windef.h>

#include <vector>

namespace user {

class Region {
 public:
  Region() = default;
  explicit Region(const RECT& r) { Add(r); }

  bool Empty() const { return rects_.empty(); }
  const std::vector<RECT>& Rects() const { return rects_; }
  RECT Bounds() const;
  void Clear() { rects_.clear(); }

  void Add(const RECT& r);
  void Add(const Region& other);
  void Subtract(const RECT& r);
  void Subtract(const Region& other);
  void Intersect(const RECT& r);
  void Intersect(const Region& other);
  void Offset(int dx, int dy);
  bool Contains(POINT p) const;
  long Area() const;

 private:
  std::vector<RECT> rects_;
};

bool RectEmpty(const RECT& r);
RECT RectIntersect(const RECT& a, const RECT& b);
RECT RectOffset(RECT r, int dx, int dy);

}  // namespace user
