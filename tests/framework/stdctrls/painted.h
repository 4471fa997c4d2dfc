// Reading what a window painted: one pixel after a full repaint, and
// enlarged PNG shots of part of it, written to XVT_SHOT_DIR when that is
// set, for looking at what a control drew.
#pragma once

#include <win32/windows.h>
#include <win32/xvt_snapshot.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "framework/bitmap.h"

namespace stdctrls_test {

inline COLORREF PaintedPixel(HWND window, int x, int y) {
  RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
  HDC dc = GetDC(window);
  const COLORREF c = GetPixel(dc, x, y);
  ReleaseDC(window, dc);
  return c;
}

inline void SaveShot(HWND window, const TRect& area, const std::string& name, int scale = 6) {
  const char* dir = std::getenv("XVT_SHOT_DIR");
  if (!dir) return;
  std::filesystem::create_directories(dir);
  RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
  const int w = RectWidth(area), h = RectHeight(area);
  TBitmap big;
  big.SetSize(w * scale, h * scale);
  HDC dc = GetDC(window);
  StretchBlt(big.Canvas()->Handle(), 0, 0, w * scale, h * scale, dc, area.left, area.top, w, h, SRCCOPY);
  ReleaseDC(window, dc);
  xvtSaveDCPng(big.Canvas()->Handle(), (std::string(dir) + "/" + name + ".png").c_str());
}

}  // namespace stdctrls_test
