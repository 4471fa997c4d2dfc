#include "region.h"

#include <algorithm>

namespace user {

bool RectEmpty(const RECT& r) { return r.right <= r.left || r.bottom <= r.top; }

RECT RectIntersect(const RECT& a, const RECT& b) {
  RECT r{std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right), std::min(a.bottom, b.bottom)};
  if (RectEmpty(r)) return RECT{0, 0, 0, 0};
  return r;
}

RECT RectOffset(RECT r, int dx, int dy) {
  r.left += dx;
  r.right += dx;
  r.top += dy;
  r.bottom += dy;
  return r;
}

namespace {
// Appends the parts of `a` outside `b` (at most four bands).
void SubtractInto(const RECT& a, const RECT& b, std::vector<RECT>& out) {
  RECT i = RectIntersect(a, b);
  if (RectEmpty(i)) {
    out.push_back(a);
    return;
  }
  if (a.top < i.top) out.push_back({a.left, a.top, a.right, i.top});
  if (i.bottom < a.bottom) out.push_back({a.left, i.bottom, a.right, a.bottom});
  if (a.left < i.left) out.push_back({a.left, i.top, i.left, i.bottom});
  if (i.right < a.right) out.push_back({i.right, i.top, a.right, i.bottom});
}
}  // namespace

RECT Region::Bounds() const {
  if (rects_.empty()) return RECT{0, 0, 0, 0};
  RECT b = rects_[0];
  for (const RECT& r : rects_) {
    b.left = std::min(b.left, r.left);
    b.top = std::min(b.top, r.top);
    b.right = std::max(b.right, r.right);
    b.bottom = std::max(b.bottom, r.bottom);
  }
  return b;
}

void Region::Add(const RECT& r) {
  if (RectEmpty(r)) return;
  std::vector<RECT> pieces{r};
  for (const RECT& have : rects_) {
    std::vector<RECT> next;
    for (const RECT& p : pieces) SubtractInto(p, have, next);
    pieces.swap(next);
    if (pieces.empty()) return;
  }
  rects_.insert(rects_.end(), pieces.begin(), pieces.end());
  // Whole-window invalidations are the common case: collapse to one rectangle
  // when the pieces exactly tile their bounds.
  if (rects_.size() > 1 && Area() == [&] {
        RECT b = Bounds();
        return static_cast<long>(b.right - b.left) * (b.bottom - b.top);
      }()) {
    RECT b = Bounds();
    rects_.assign(1, b);
  }
}

void Region::Add(const Region& other) {
  for (const RECT& r : other.rects_) Add(r);
}

void Region::Subtract(const RECT& r) {
  if (RectEmpty(r) || rects_.empty()) return;
  std::vector<RECT> next;
  for (const RECT& have : rects_) SubtractInto(have, r, next);
  rects_.swap(next);
}

void Region::Subtract(const Region& other) {
  for (const RECT& r : other.rects_) Subtract(r);
}

void Region::Intersect(const RECT& r) {
  std::vector<RECT> next;
  for (const RECT& have : rects_) {
    RECT i = RectIntersect(have, r);
    if (!RectEmpty(i)) next.push_back(i);
  }
  rects_.swap(next);
}

void Region::Intersect(const Region& other) {
  std::vector<RECT> next;
  for (const RECT& a : rects_)
    for (const RECT& b : other.rects_) {
      RECT i = RectIntersect(a, b);
      if (!RectEmpty(i)) next.push_back(i);
    }
  rects_.swap(next);
}

void Region::Offset(int dx, int dy) {
  for (RECT& r : rects_) r = RectOffset(r, dx, dy);
}

bool Region::Contains(POINT p) const {
  for (const RECT& r : rects_)
    if (p.x >= r.left && p.x < r.right && p.y >= r.top && p.y < r.bottom) return true;
  return false;
}

long Region::Area() const {
  long a = 0;
  for (const RECT& r : rects_) a += static_cast<long>(r.right - r.left) * (r.bottom - r.top);
  return a;
}

}  // namespace user
