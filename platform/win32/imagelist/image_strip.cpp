#include "imagelist/image_strip.h"

#include <cstring>
#include <utility>

namespace imagelist {

ImageStrip::~ImageStrip() { Release(); }

void ImageStrip::Release() {
  if (dc_) {
    SelectObject(dc_, previous_);
    DeleteDC(dc_);
  }
  if (bitmap_) DeleteObject(bitmap_);
  bitmap_ = nullptr;
  previous_ = nullptr;
  dc_ = nullptr;
  bits_ = nullptr;
  width_ = height_ = 0;
}

bool ImageStrip::Create(int width, int height) {
  Release();
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;  // top-down
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  bitmap_ = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  if (!bitmap_ || !bits) {
    Release();
    return false;
  }
  dc_ = CreateCompatibleDC(nullptr);
  if (!dc_) {
    Release();
    return false;
  }
  previous_ = SelectObject(dc_, bitmap_);
  bits_ = static_cast<std::uint32_t*>(bits);
  width_ = width;
  height_ = height;
  std::memset(bits_, 0, static_cast<std::size_t>(width) * height * 4);
  return true;
}

void ImageStrip::CopyColumns(const ImageStrip& from, int columns) {
  if (columns > width_) columns = width_;
  if (columns > from.width_) columns = from.width_;
  if (columns <= 0) return;
  for (int y = 0; y < height_ && y < from.height_; ++y)
    std::memcpy(Row(y), from.Row(y), static_cast<std::size_t>(columns) * 4);
}

void ImageStrip::Swap(ImageStrip& other) {
  std::swap(bitmap_, other.bitmap_);
  std::swap(previous_, other.previous_);
  std::swap(dc_, other.dc_);
  std::swap(bits_, other.bits_);
  std::swap(width_, other.width_);
  std::swap(height_, other.height_);
}

}  // namespace imagelist
