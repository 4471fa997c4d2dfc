// The drawing layer's shared vocabulary: rectangles and points as the
// window layer's own structures, and colour resolution. Including this
// header brings in the window layer; its mixed-case macros that collide
// with method names of the framework (TextOut) are removed here, so code
// that calls the API uses the explicit ...A names.
#pragma once

#include <win32/windows.h>

#undef TextOut

#include "framework/types.h"

using TRect = RECT;
using TPoint = POINT;
using TSize = SIZE;

constexpr TRect Rect(int left, int top, int right, int bottom) { return TRect{left, top, right, bottom}; }
constexpr TRect Bounds(int left, int top, int width, int height) {
  return TRect{left, top, left + width, top + height};
}
constexpr TPoint Point(int x, int y) { return TPoint{x, y}; }
constexpr int RectWidth(const TRect& r) { return r.right - r.left; }
constexpr int RectHeight(const TRect& r) { return r.bottom - r.top; }

// A colour as 0x00BBGGRR: system colours through the current scheme,
// clNone as black and clDefault as the window colour (what a control
// without a colour of its own paints with).
COLORREF ColorToRGB(TColor color);
