// The fills the effects panel paints with: banded gradients, the 50 %
// dither, raster-operation fills through a brush pattern, and pictures
// placed, stretched or tiled in a rectangle. Each is limited to a clip box.
#pragma once

#include <win32/windows.h>

#include "framework/bitmap.h"
#include "panels/mega_types.h"

namespace panel_fills {

using TColorStyle = TMegaTypes::TColorStyle;
using TGradientType = TMegaTypes::TGradientType;
using TPicturePos = TMegaTypes::TPicturePos;
using TPictureTransparent = TMegaTypes::TPictureTransparent;

// The raster operation of a colour style (csAND ... csXOR), 0 for others.
DWORD StyleRop(TColorStyle style);

// min(bands, extent) solid bands from `start` to `end` across `target`.
void Gradient(HDC dc, const RECT& target, const RECT& clip, TGradientType type, TMegaColor start,
              TMegaColor end, int bands);
// `colour` on every second pixel of a checkerboard counted from the
// rectangle's top-left; the other pixels keep what lies below.
void Dither(HDC dc, const RECT& r, const RECT& clip, TMegaColor colour);
// `colour` combined with what lies below by the style's raster operation.
void RopFill(HDC dc, const RECT& r, TMegaColor colour, TColorStyle style);
// Any colour style: solid, dithered, raster-operation, or nothing for
// csTransparent and for clNone.
void StyledFill(HDC dc, const RECT& r, const RECT& clip, TMegaColor colour, TColorStyle style);

struct PictureSettings {
  TPicturePos position;
  TPictureTransparent transparent;
  int xOffset, yOffset;
};
// Draws `picture` in `area` as the position says; an empty picture draws
// nothing.
void Picture(HDC dc, TBitmap* picture, RECT area, const RECT& clip, const PictureSettings& settings);

// The two process-wide bitmaps: the 64 x 64 work bitmap of the dither and
// the 64 x 64 monochrome checkerboard, white where x + y is even.
HBITMAP DitherBitmap();
HBITMAP ShadowBitmap();

}  // namespace panel_fills
