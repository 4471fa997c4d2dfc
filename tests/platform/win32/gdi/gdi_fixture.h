// Helpers of the drawing core tests: a memory DC over a colour bitmap whose
// pixels the test reads directly.
#pragma once

#include "gdi/internal/gdi_internal.h"

#include <win32/gdi32.h>
#include <win32/user32_draw.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <memory>

#include "colours.h"

// The canvas's fill and the classic look's ring colours.
inline constexpr COLORREF kBg = RGB(0x11, 0x22, 0x33);
inline constexpr COLORREF kHi = kWhite, kLight = kFace, kShadow = kGrey, kDark = kBlack, kWindow = kWhite;

namespace gdi_test {

// A memory DC with a w x h colour bitmap selected, filled with `fill`.
class Canvas {
 public:
  Canvas(int w, int h, COLORREF fill = kBg, int bits = 32) {
    HDC screen = CreateCompatibleDC(nullptr);
    dc = CreateCompatibleDC(nullptr);
    bitmap = bits == 1 ? CreateBitmap(w, h, 1, 1, nullptr) : CreateBitmap(w, h, 1, 32, nullptr);
    old = SelectObject(dc, bitmap);
    DeleteDC(screen);
    surface = gdi::BitmapSurface(bitmap);
    Fill(fill);
  }
  ~Canvas() {
    SelectObject(dc, old);
    DeleteDC(dc);
    DeleteObject(bitmap);
  }
  Canvas(const Canvas&) = delete;
  Canvas& operator=(const Canvas&) = delete;

  void Fill(COLORREF c) {
    for (int y = 0; y < surface->height; ++y)
      for (int x = 0; x < surface->width; ++x) surface->At(x, y) = gdi::PixelOf(c);
  }
  // The pixel as a COLORREF, straight from the bitmap.
  COLORREF At(int x, int y) const { return gdi::ColorOf(surface->At(x, y)); }
  // How many pixels have colour c.
  int Count(COLORREF c) const {
    int n = 0;
    for (int y = 0; y < surface->height; ++y)
      for (int x = 0; x < surface->width; ++x) n += At(x, y) == c;
    return n;
  }

  HDC dc = nullptr;
  HBITMAP bitmap = nullptr;
  HGDIOBJ old = nullptr;
  std::shared_ptr<gdi::Surface> surface;
};

}  // namespace gdi_test
