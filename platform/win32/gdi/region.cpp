#include "region.h"

#include <win32/gdi32.h>

#include <algorithm>

namespace gdi {

RECT IntersectRects(const RECT& a, const RECT& b) {
  RECT r{std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right),
         std::min(a.bottom, b.bottom)};
  if (RectEmpty(r)) r = RECT{0, 0, 0, 0};
  return r;
}

Region::Region(const RECT& r) {
  RECT n{std::min(r.left, r.right), std::min(r.top, r.bottom), std::max(r.left, r.right),
         std::max(r.top, r.bottom)};
  if (!RectEmpty(n)) rects_.push_back(n);
}

namespace {

bool Inside(bool a, bool b, int mode) {
  switch (mode) {
    case RGN_AND: return a && b;
    case RGN_OR: return a || b;
    case RGN_XOR: return a != b;
    case RGN_DIFF: return a && !b;
    default: return a;
  }
}

// Marks, for one band [y0, y1), which x cells a region covers.
void MarkBand(const std::vector<RECT>& rects, LONG y0, const std::vector<LONG>& xs, std::vector<char>& cells) {
  std::fill(cells.begin(), cells.end(), 0);
  for (const RECT& r : rects) {
    if (r.top > y0) break;  // bands are sorted by top
    if (r.bottom <= y0) continue;
    auto from = std::lower_bound(xs.begin(), xs.end(), r.left) - xs.begin();
    auto to = std::lower_bound(xs.begin(), xs.end(), r.right) - xs.begin();
    for (auto i = from; i < to; ++i) cells[static_cast<size_t>(i)] = 1;
  }
}

}  // namespace

Region Region::Combine(const Region& a, const Region& b, int mode) {
  if (mode == RGN_COPY) return a;
  if (mode == RGN_AND && (a.Empty() || b.Empty())) return Region();
  std::vector<LONG> xs, ys;
  for (const auto* reg : {&a, &b})
    for (const RECT& r : reg->rects_) {
      xs.push_back(r.left), xs.push_back(r.right);
      ys.push_back(r.top), ys.push_back(r.bottom);
    }
  std::sort(xs.begin(), xs.end()), xs.erase(std::unique(xs.begin(), xs.end()), xs.end());
  std::sort(ys.begin(), ys.end()), ys.erase(std::unique(ys.begin(), ys.end()), ys.end());
  Region out;
  if (xs.size() < 2 || ys.size() < 2) return out;
  std::vector<char> ca(xs.size() - 1), cb(xs.size() - 1);
  std::vector<RECT> prevBand;
  for (size_t j = 0; j + 1 < ys.size(); ++j) {
    MarkBand(a.rects_, ys[j], xs, ca);
    MarkBand(b.rects_, ys[j], xs, cb);
    std::vector<RECT> band;
    for (size_t i = 0; i < ca.size();) {
      if (!Inside(ca[i], cb[i], mode)) {
        ++i;
        continue;
      }
      size_t k = i;
      while (k < ca.size() && Inside(ca[k], cb[k], mode)) ++k;
      band.push_back(RECT{xs[i], ys[j], xs[k], ys[j + 1]});
      i = k;
    }
    // Merge with the band above when it touches and has the same spans.
    bool same = !band.empty() && band.size() == prevBand.size() && prevBand.front().bottom == ys[j];
    for (size_t i = 0; same && i < band.size(); ++i)
      same = band[i].left == prevBand[i].left && band[i].right == prevBand[i].right;
    if (same) {
      size_t first = out.rects_.size() - band.size();
      for (size_t i = 0; i < band.size(); ++i) out.rects_[first + i].bottom = ys[j + 1];
      for (RECT& r : prevBand) r.bottom = ys[j + 1];
    } else if (!band.empty()) {
      out.rects_.insert(out.rects_.end(), band.begin(), band.end());
      prevBand = band;
    } else {
      prevBand.clear();
    }
  }
  return out;
}

RECT Region::Box() const {
  if (rects_.empty()) return RECT{0, 0, 0, 0};
  RECT box = rects_.front();
  for (const RECT& r : rects_) {
    box.left = std::min(box.left, r.left), box.right = std::max(box.right, r.right);
    box.top = std::min(box.top, r.top), box.bottom = std::max(box.bottom, r.bottom);
  }
  return box;
}

int Region::Type() const {
  if (rects_.empty()) return NULLREGION;
  return rects_.size() == 1 ? SIMPLEREGION : COMPLEXREGION;
}

bool Region::Contains(int x, int y) const {
  for (const RECT& r : rects_) {
    if (r.top > y) break;
    if (y < r.bottom && x >= r.left && x < r.right) return true;
  }
  return false;
}

bool Region::Intersects(const RECT& q) const {
  for (const RECT& r : rects_)
    if (!RectEmpty(IntersectRects(r, q))) return true;
  return false;
}

void Region::Offset(int dx, int dy) {
  for (RECT& r : rects_) r.left += dx, r.right += dx, r.top += dy, r.bottom += dy;
}

bool Region::operator==(const Region& o) const {
  if (rects_.size() != o.rects_.size()) return false;
  for (size_t i = 0; i < rects_.size(); ++i) {
    const RECT &a = rects_[i], &b = o.rects_[i];
    if (a.left != b.left || a.top != b.top || a.right != b.right || a.bottom != b.bottom) return false;
  }
  return true;
}

}  // namespace gdi
