// The raster engine: every pixel-changing call of the core meets here. A
// ternary raster operation combines pattern (P), source (S) and destination
// (D) bit by bit from its 8-bit truth table (bit index 4P + 2S + D); the
// general kernel evaluates the table directly, common codes have their own
// kernel in the same table.
#pragma once

#include "objects.h"

#include <cstdint>
#include <vector>

namespace gdi {

// One row kernel: d[i] = rop(p, s[i], d[i]); p is p[i] when `p` is set, else
// the constant `pc`. `s` may be null when the operation does not read it.
using RopKernel = void (*)(std::uint32_t* d, const std::uint32_t* s, const std::uint32_t* p, std::uint32_t pc,
                           int n, std::uint8_t rop);

RopKernel KernelFor(std::uint8_t rop, bool patternArray);
// The general kernel for any code, with no fast path: what the table entries
// must agree with.
void GenericKernel(std::uint32_t* d, const std::uint32_t* s, const std::uint32_t* p, std::uint32_t pc, int n,
                   std::uint8_t rop);

inline bool RopUsesSource(std::uint8_t rop) { return ((rop >> 2) ^ rop) & 0x33; }
inline bool RopUsesPattern(std::uint8_t rop) { return ((rop >> 4) ^ rop) & 0x0F; }
// A pen's binary operation (R2_*) as the ternary code that ignores the source.
std::uint8_t Rop2ToRop3(int rop2);

// Where a DC draws: the surface, the offset of device (0,0) in it, and the
// clip in surface coordinates (disjoint rectangles inside the surface).
struct Target {
  std::shared_ptr<Surface> surface;
  std::shared_ptr<BitmapObject> bitmap;  // when drawing on a bitmap
  bool mono = false;
  POINT origin{0, 0};
  std::vector<RECT> clip;
};

// The brush as the engine uses it: a colour or a tiled pattern already in the
// target's format, anchored at the brush origin (surface coordinates).
struct Pattern {
  bool none = false;  // hollow brush: nothing is painted
  std::uint32_t color = 0;
  std::shared_ptr<const Surface> tile;
  int orgX = 0, orgY = 0;
};

// The source of a blit with the conversion Windows applies between
// monochrome and colour: mono to colour takes black to `fore` and white to
// `back`; colour to mono gives white where the pixel equals `back`.
struct Source {
  const Surface* surface = nullptr;
  bool monoToColor = false;
  bool colorToMono = false;
  std::uint32_t fore = 0, back = 0;
};

// Applies `rop` over dst (surface coordinates) with the source pixel of
// dst.(left, top) at (sx, sy). `src` may be null when the rop does not read it.
void RopRect(Target& t, const RECT& dst, const Source* src, int sx, int sy, const Pattern& pat, std::uint8_t rop);

enum class StretchFilter { Nearest, And, Or, Average };
// Scales source rectangle (sx, sy, sw, sh) onto (dx, dy, dw, dh); negative
// extents mirror.
void RopStretch(Target& t, int dx, int dy, int dw, int dh, const Source& src, int sx, int sy, int sw, int sh,
                const Pattern& pat, std::uint8_t rop, StretchFilter filter);

// Single pixels and masks (already in surface coordinates); a pixel outside
// the clip is left alone.
bool InClip(const Target& t, int x, int y);
void PlotRop2(Target& t, int x, int y, std::uint32_t color, std::uint8_t rop3);
void FillMask(Target& t, int x, int y, const std::uint8_t* mask, int w, int h, int pitch, std::uint32_t color);

// Coordinates from callers may be anything an int holds; sums of them are
// taken in 64 bits and limited to a range no surface comes near, so they
// never overflow.
inline LONG Limit(long long v) {
  constexpr long long kFar = 1LL << 30;
  return static_cast<LONG>(v < -kFar ? -kFar : (v > kFar ? kFar : v));
}
// Colour matching for monochrome targets (nearest of black and white).
inline std::uint32_t MonoOf(std::uint32_t px) {
  unsigned sum = ((px >> 16) & 0xFF) + ((px >> 8) & 0xFF) + (px & 0xFF);
  return sum >= 384 ? 0xFFFFFFu : 0u;
}

}  // namespace gdi
