// A memory DC over a 32-bit DIB section whose pixels the tests read
// directly.
#pragma once

#include <win32/windows.h>

#include <cstdint>
#include <string>
#include <vector>

namespace testsupport {

class DibCanvas {
 public:
  DibCanvas(int width, int height, COLORREF fill = RGB(255, 255, 255));
  ~DibCanvas();
  DibCanvas(const DibCanvas&) = delete;
  DibCanvas& operator=(const DibCanvas&) = delete;

  HDC dc() const { return dc_; }
  int width() const { return width_; }
  int height() const { return height_; }
  COLORREF At(int x, int y) const;
  void Fill(COLORREF c);
  void Set(int x, int y, COLORREF c);
  // Takes the bitmap out of the DC (calls that read a bitmap want it free);
  // the canvas still owns it.
  HBITMAP Detach();
  HBITMAP bitmap() const { return bitmap_; }
  // Bounding box of pixels of colour c (empty rect when none).
  RECT BoundsOf(COLORREF c) const;
  int CountOf(COLORREF c) const;
  const std::uint32_t* Bits() const { return bits_; }

 private:
  HDC dc_ = nullptr;
  HBITMAP bitmap_ = nullptr;
  HGDIOBJ old_ = nullptr;
  std::uint32_t* bits_ = nullptr;
  int width_, height_;
};

// The system font, black text on a red background, transparent mode.
void PrepareText(HDC dc);

}  // namespace testsupport
