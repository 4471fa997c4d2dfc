// A 32-bit top-down DIB section selected into its own memory DC: the pixel
// store of an image list (its images side by side), readable in memory and
// usable as a blit source.
#pragma once

#include <win32/gdi32.h>

#include <cstdint>

namespace imagelist {

class ImageStrip {
 public:
  ImageStrip() = default;
  ~ImageStrip();
  ImageStrip(const ImageStrip&) = delete;
  ImageStrip& operator=(const ImageStrip&) = delete;

  // Makes a new black strip; false when the DIB cannot be made.
  bool Create(int width, int height);
  // Copies the first `columns` columns of `from` (same height).
  void CopyColumns(const ImageStrip& from, int columns);
  void Swap(ImageStrip& other);

  HDC DC() const { return dc_; }
  int Width() const { return width_; }
  int Height() const { return height_; }
  std::uint32_t* Row(int y) { return bits_ + static_cast<std::ptrdiff_t>(y) * width_; }
  const std::uint32_t* Row(int y) const { return bits_ + static_cast<std::ptrdiff_t>(y) * width_; }

 private:
  void Release();

  HBITMAP bitmap_ = nullptr;
  HGDIOBJ previous_ = nullptr;
  HDC dc_ = nullptr;
  std::uint32_t* bits_ = nullptr;
  int width_ = 0, height_ = 0;
};

}  // namespace imagelist
