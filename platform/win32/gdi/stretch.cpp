// Scaled blits: each destination pixel takes the source pixels that map onto
// it, combined as the stretch mode asks, then goes through the raster
// operation like an unscaled blit.
#include "raster.h"

#include <algorithm>
#include <cstdlib>

namespace gdi {

namespace {

// Source span [first, last) of destination index i along one axis.
struct Axis {
  int dstLen, srcLen, srcStart;
  bool mirror;
  void Span(int i, int& first, int& last) const {
    long long a = static_cast<long long>(i) * srcLen / dstLen;
    long long b = static_cast<long long>(i + 1) * srcLen / dstLen;
    if (b <= a) b = a + 1;
    if (srcLen > dstLen) {
      first = int(a), last = int(b);
    } else {
      // Enlarging: sample at the destination pixel's centre.
      long long c = (2LL * i + 1) * srcLen / (2LL * dstLen);
      first = int(c), last = int(c) + 1;
    }
    if (mirror) {
      int f = srcLen - last, l = srcLen - first;
      first = f, last = l;
    }
    first += srcStart, last += srcStart;
  }
};

std::uint32_t Combine(std::uint32_t acc, std::uint32_t v, StretchFilter f) {
  return f == StretchFilter::And ? (acc & v) : (acc | v);
}

std::uint32_t Sample(const Surface& s, int x0, int x1, int y0, int y1, StretchFilter f) {
  x0 = std::clamp(x0, 0, s.width - 1), x1 = std::clamp(x1, x0 + 1, s.width);
  y0 = std::clamp(y0, 0, s.height - 1), y1 = std::clamp(y1, y0 + 1, s.height);
  if (f == StretchFilter::Nearest || (x1 - x0 == 1 && y1 - y0 == 1)) return s.At(x0, y0);
  if (f == StretchFilter::Average) {
    unsigned long long r = 0, g = 0, b = 0, n = 0;
    for (int y = y0; y < y1; ++y)
      for (int x = x0; x < x1; ++x) {
        std::uint32_t v = s.At(x, y);
        r += (v >> 16) & 0xFF, g += (v >> 8) & 0xFF, b += v & 0xFF, ++n;
      }
    return std::uint32_t(((r + n / 2) / n) << 16 | ((g + n / 2) / n) << 8 | ((b + n / 2) / n));
  }
  std::uint32_t acc = f == StretchFilter::And ? 0x00FFFFFFu : 0u;
  for (int y = y0; y < y1; ++y)
    for (int x = x0; x < x1; ++x) acc = Combine(acc, s.At(x, y), f);
  return acc;
}

}  // namespace

void RopStretch(Target& t, int dx, int dy, int dw, int dh, const Source& src, int sx, int sy, int sw, int sh,
                const Pattern& pat, std::uint8_t rop, StretchFilter filter) {
  if (!src.surface || dw == 0 || dh == 0 || sw == 0 || sh == 0) return;
  // Extents past any real surface would only overflow the arithmetic below.
  constexpr int kFar = 1 << 28;
  for (int v : {dw, dh, sw, sh})
    if (v < -kFar || v > kFar) return;
  for (int v : {dx, dy, sx, sy})
    if (v < -kFar || v > kFar) return;
  // Normalise to positive extents, remembering the mirroring.
  bool mx = (dw < 0) != (sw < 0), my = (dh < 0) != (sh < 0);
  if (dw < 0) dx += dw + 1, dw = -dw;
  if (dh < 0) dy += dh + 1, dh = -dh;
  if (sw < 0) sx += sw + 1, sw = -sw;
  if (sh < 0) sy += sh + 1, sh = -sh;
  if (dw == sw && dh == sh && !mx && !my) {
    RopRect(t, RECT{dx, dy, dx + dw, dy + dh}, &src, sx, sy, pat, rop);
    return;
  }
  const Surface& ss = *src.surface;
  // The scaled source is built one destination row at a time into a
  // one-row surface and then blitted like an unscaled source.
  Axis ax{dw, sw, sx, mx}, ay{dh, sh, sy, my};
  Surface row;
  row.storage.resize(static_cast<std::size_t>(dw));
  row.width = dw, row.height = 1, row.stride = dw, row.bits = row.storage.data();
  Source rowSrc = src;
  rowSrc.surface = &row;
  RECT box{dx, dy, dx + dw, dy + dh};
  for (const RECT& clip : t.clip) {
    RECT c = IntersectRects(clip, box);
    for (int y = c.top; y < c.bottom; ++y) {
      int y0, y1;
      ay.Span(y - dy, y0, y1);
      for (int x = c.left; x < c.right; ++x) {
        int x0, x1;
        ax.Span(x - dx, x0, x1);
        row.storage[static_cast<std::size_t>(x - dx)] = Sample(ss, x0, x1, y0, y1, filter);
      }
      Target one = t;
      one.clip = {RECT{c.left, y, c.right, y + 1}};
      RopRect(one, one.clip.front(), &rowSrc, c.left - dx, 0, pat, rop);
    }
  }
}

}  // namespace gdi
