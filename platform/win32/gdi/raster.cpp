#include "raster.h"

#include <algorithm>
#include <array>
#include <cstring>

namespace gdi {

namespace {

constexpr std::uint32_t kRgb = 0x00FFFFFF;

// The truth table evaluated as three levels of bit selects: by D within each
// (P, S) pair, then by S, then by P. The masks are all ones or all zeros.
struct GenericOp {
  std::uint32_t m[8];
  explicit GenericOp(std::uint8_t rop) {
    for (int i = 0; i < 8; ++i) m[i] = ((rop >> i) & 1) ? ~0u : 0u;
  }
  std::uint32_t operator()(std::uint32_t p, std::uint32_t s, std::uint32_t d) const {
    std::uint32_t f11 = (d & m[7]) | (~d & m[6]);
    std::uint32_t f10 = (d & m[5]) | (~d & m[4]);
    std::uint32_t f01 = (d & m[3]) | (~d & m[2]);
    std::uint32_t f00 = (d & m[1]) | (~d & m[0]);
    std::uint32_t f1 = (s & f11) | (~s & f10);
    std::uint32_t f0 = (s & f01) | (~s & f00);
    return (p & f1) | (~p & f0);
  }
};

// Fixed operations of the fast paths.
struct PatInvertOp {  // 0x5A
  explicit PatInvertOp(std::uint8_t) {}
  std::uint32_t operator()([[maybe_unused]] std::uint32_t p, [[maybe_unused]] std::uint32_t s, std::uint32_t d) const {
    return p ^ d;
  }
};
struct SrcAndOp {  // 0x88
  explicit SrcAndOp(std::uint8_t) {}
  std::uint32_t operator()([[maybe_unused]] std::uint32_t p, [[maybe_unused]] std::uint32_t s, std::uint32_t d) const {
    return s & d;
  }
};
struct SrcPaintOp {  // 0xEE
  explicit SrcPaintOp(std::uint8_t) {}
  std::uint32_t operator()([[maybe_unused]] std::uint32_t p, [[maybe_unused]] std::uint32_t s, std::uint32_t d) const {
    return s | d;
  }
};
struct SrcInvertOp {  // 0x66
  explicit SrcInvertOp(std::uint8_t) {}
  std::uint32_t operator()([[maybe_unused]] std::uint32_t p, [[maybe_unused]] std::uint32_t s, std::uint32_t d) const {
    return s ^ d;
  }
};
struct PatWhereSrcBlackOp {  // 0xB8
  explicit PatWhereSrcBlackOp(std::uint8_t) {}
  std::uint32_t operator()([[maybe_unused]] std::uint32_t p, [[maybe_unused]] std::uint32_t s, std::uint32_t d) const {
    return (s & d) | (~s & p);
  }
};
struct PatWhereSrcWhiteOp {  // 0xE2
  explicit PatWhereSrcWhiteOp(std::uint8_t) {}
  std::uint32_t operator()([[maybe_unused]] std::uint32_t p, [[maybe_unused]] std::uint32_t s, std::uint32_t d) const {
    return (s & p) | (~s & d);
  }
};
struct PatAndDstOp {  // 0xA0
  explicit PatAndDstOp(std::uint8_t) {}
  std::uint32_t operator()([[maybe_unused]] std::uint32_t p, [[maybe_unused]] std::uint32_t s, std::uint32_t d) const {
    return p & d;
  }
};

template <class Op, bool UseS, bool PArray>
void Run(std::uint32_t* d, const std::uint32_t* s, const std::uint32_t* p, std::uint32_t pc, int n,
         std::uint8_t rop) {
  const Op op(rop);
  for (int i = 0; i < n; ++i) {
    std::uint32_t pv = PArray ? p[i] : pc;
    std::uint32_t sv = UseS ? s[i] : 0u;
    d[i] = op(pv, sv, d[i]) & kRgb;
  }
}

void CopyKernel(std::uint32_t* d, const std::uint32_t* s, const std::uint32_t*, std::uint32_t, int n,
                std::uint8_t) {
  std::memmove(d, s, static_cast<std::size_t>(n) * sizeof(std::uint32_t));
}
void FillKernel(std::uint32_t* d, const std::uint32_t*, const std::uint32_t*, std::uint32_t pc, int n,
                std::uint8_t) {
  std::fill(d, d + n, pc & kRgb);
}
void PatArrayCopyKernel(std::uint32_t* d, const std::uint32_t*, const std::uint32_t* p, std::uint32_t, int n,
                        std::uint8_t) {
  std::memcpy(d, p, static_cast<std::size_t>(n) * sizeof(std::uint32_t));
}

template <class Op>
RopKernel Pick(bool usesS, bool pArray) {
  if (usesS) return pArray ? Run<Op, true, true> : Run<Op, true, false>;
  return pArray ? Run<Op, false, true> : Run<Op, false, false>;
}

struct KernelTable {
  std::array<RopKernel, 256> solid{}, tiled{};
  KernelTable() {
    for (int r = 0; r < 256; ++r) {
      bool s = RopUsesSource(std::uint8_t(r));
      solid[r] = Pick<GenericOp>(s, false);
      tiled[r] = Pick<GenericOp>(s, true);
    }
    auto both = [this](std::uint8_t r, RopKernel a, RopKernel b) { solid[r] = a, tiled[r] = b; };
    both(0xCC, CopyKernel, CopyKernel);
    both(0xF0, FillKernel, PatArrayCopyKernel);
    both(0x5A, Pick<PatInvertOp>(false, false), Pick<PatInvertOp>(false, true));
    both(0x88, Pick<SrcAndOp>(true, false), Pick<SrcAndOp>(true, false));
    both(0xEE, Pick<SrcPaintOp>(true, false), Pick<SrcPaintOp>(true, false));
    both(0x66, Pick<SrcInvertOp>(true, false), Pick<SrcInvertOp>(true, false));
    both(0xB8, Pick<PatWhereSrcBlackOp>(true, false), Pick<PatWhereSrcBlackOp>(true, true));
    both(0xE2, Pick<PatWhereSrcWhiteOp>(true, false), Pick<PatWhereSrcWhiteOp>(true, true));
    both(0xA0, Pick<PatAndDstOp>(false, false), Pick<PatAndDstOp>(false, true));
  }
};

const KernelTable& Kernels() {
  static const KernelTable table;
  return table;
}

// Pattern pixels of one destination row span, tiled from the brush origin.
void ExpandPattern(const Pattern& pat, int x, int y, int n, std::vector<std::uint32_t>& out) {
  const Surface& tile = *pat.tile;
  out.resize(static_cast<std::size_t>(n));
  int ty = ((y - pat.orgY) % tile.height + tile.height) % tile.height;
  int tx = ((x - pat.orgX) % tile.width + tile.width) % tile.width;
  const std::uint32_t* row = tile.Row(ty);
  for (int i = 0; i < n; ++i) {
    out[static_cast<std::size_t>(i)] = row[tx];
    if (++tx == tile.width) tx = 0;
  }
}

std::uint32_t Convert(const Source& src, std::uint32_t px) {
  if (src.monoToColor) return (px & kRgb) ? src.back : src.fore;
  if (src.colorToMono) return (px & kRgb) == src.back ? kRgb : 0u;
  return px;
}

void ConvertRow(const Source& src, const std::uint32_t* in, int n, std::uint32_t* out) {
  for (int i = 0; i < n; ++i) out[i] = Convert(src, in[i]);
}

// Destination and source of one clip piece, and the kernel to run on it.
struct Pass {
  Target& t;
  const Source* src;
  const Pattern& pat;
  RopKernel kernel;
  bool tiled;
  std::uint32_t solid;
  std::uint8_t rop;
};

void RunPiece(const Pass& pass, const RECT& c, int offX, int offY) {
  const int n = c.right - c.left;
  std::vector<std::uint32_t> srow, prow;
  const Surface* ss = pass.src ? pass.src->surface : nullptr;
  const bool convert = pass.src && (pass.src->monoToColor || pass.src->colorToMono);
  // Copy a source row aside when it may overlap the destination row.
  const bool aside = ss == pass.t.surface.get() || convert;
  const bool upward = ss == pass.t.surface.get() && offY < 0;  // source above: walk bottom-up
  for (int k = 0; k < c.bottom - c.top; ++k) {
    const int y = upward ? c.bottom - 1 - k : c.top + k;
    std::uint32_t* d = pass.t.surface->Row(y) + c.left;
    const std::uint32_t* s = nullptr;
    if (ss) {
      const std::uint32_t* in = ss->Row(y + offY) + c.left + offX;
      if (aside) {
        srow.resize(static_cast<std::size_t>(n));
        if (convert) ConvertRow(*pass.src, in, n, srow.data());
        else std::memcpy(srow.data(), in, static_cast<std::size_t>(n) * 4);
        s = srow.data();
      } else {
        s = in;
      }
    }
    const std::uint32_t* p = nullptr;
    if (pass.tiled) {
      ExpandPattern(pass.pat, c.left, y, n, prow);
      p = prow.data();
    }
    pass.kernel(d, s, p, pass.solid, n, pass.rop);
  }
}

}  // namespace

void GenericKernel(std::uint32_t* d, const std::uint32_t* s, const std::uint32_t* p, std::uint32_t pc, int n,
                   std::uint8_t rop) {
  const GenericOp op(rop);
  for (int i = 0; i < n; ++i) d[i] = op(p ? p[i] : pc, s ? s[i] : 0u, d[i]) & kRgb;
}

RopKernel KernelFor(std::uint8_t rop, bool patternArray) {
  return patternArray ? Kernels().tiled[rop] : Kernels().solid[rop];
}

std::uint8_t Rop2ToRop3(int rop2) {
  int table = (rop2 - 1) & 15;  // bit index 2P + D
  std::uint8_t rop = 0;
  for (int i = 0; i < 8; ++i) {
    int p = (i >> 2) & 1, d = i & 1;
    if ((table >> (2 * p + d)) & 1) rop = std::uint8_t(rop | (1 << i));
  }
  return rop;
}

void RopRect(Target& t, const RECT& dst, const Source* src, int sx, int sy, const Pattern& pat, std::uint8_t rop) {
  if (!t.surface || RectEmpty(dst)) return;
  const bool usesP = RopUsesPattern(rop);
  if (usesP && pat.none) return;  // a hollow brush paints nothing
  const bool usesS = RopUsesSource(rop);
  if (usesS && (!src || !src->surface)) return;
  const bool tiled = usesP && pat.tile;
  const RopKernel base = KernelFor(rop, tiled);
  Pass pass{t, usesS ? src : nullptr, pat, base, tiled, usesP ? pat.color : 0u, rop};
  const int offX = sx - dst.left, offY = sy - dst.top;
  RECT area = dst;
  if (usesS) {
    // Keep reads inside the source surface.
    const Surface& ss = *src->surface;
    area = IntersectRects(area, RECT{-offX, -offY, ss.width - offX, ss.height - offY});
  }
  for (const RECT& clip : t.clip) {
    RECT c = IntersectRects(clip, area);
    if (!RectEmpty(c)) RunPiece(pass, c, offX, offY);
  }
}

}  // namespace gdi

namespace gdi {

bool InClip(const Target& t, int x, int y) {
  for (const RECT& r : t.clip)
    if (x >= r.left && x < r.right && y >= r.top && y < r.bottom) return true;
  return false;
}

void PlotRop2(Target& t, int x, int y, std::uint32_t color, std::uint8_t rop3) {
  if (!InClip(t, x, y)) return;
  std::uint32_t* d = &t.surface->At(x, y);
  GenericKernel(d, nullptr, nullptr, color, 1, rop3);
}

void FillMask(Target& t, int x, int y, const std::uint8_t* mask, int w, int h, int pitch, std::uint32_t color) {
  if (!mask || w <= 0 || h <= 0) return;
  const RECT area{x, y, Limit(static_cast<long long>(x) + w), Limit(static_cast<long long>(y) + h)};
  for (const RECT& clip : t.clip) {
    RECT c = IntersectRects(clip, area);
    for (int yy = c.top; yy < c.bottom; ++yy) {
      const std::uint8_t* m = mask + static_cast<std::ptrdiff_t>(yy - y) * pitch;
      std::uint32_t* d = t.surface->Row(yy);
      for (int xx = c.left; xx < c.right; ++xx)
        if (m[xx - x]) d[xx] = color & 0x00FFFFFF;
    }
  }
}

}  // namespace gdi
