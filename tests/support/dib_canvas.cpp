#include "dib_canvas.h"

#include <algorithm>
#include <cstring>

namespace testsupport {

DibCanvas::DibCanvas(int width, int height, COLORREF fill) : width_(width), height_(height) {
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  bitmap_ = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  bits_ = static_cast<std::uint32_t*>(bits);
  dc_ = CreateCompatibleDC(nullptr);
  old_ = SelectObject(dc_, bitmap_);
  Fill(fill);
}

DibCanvas::~DibCanvas() {
  SelectObject(dc_, old_);
  DeleteDC(dc_);
  DeleteObject(bitmap_);
}

COLORREF DibCanvas::At(int x, int y) const {
  std::uint32_t p = bits_[static_cast<std::size_t>(y) * width_ + x];
  return RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF);
}

void DibCanvas::Fill(COLORREF c) {
  std::uint32_t p = (GetRValue(c) << 16) | (GetGValue(c) << 8) | GetBValue(c);
  std::fill(bits_, bits_ + static_cast<std::size_t>(width_) * height_, p);
}

RECT DibCanvas::BoundsOf(COLORREF c) const {
  RECT r{width_, height_, 0, 0};
  for (int y = 0; y < height_; ++y)
    for (int x = 0; x < width_; ++x)
      if (At(x, y) == c) {
        r.left = std::min<LONG>(r.left, x);
        r.top = std::min<LONG>(r.top, y);
        r.right = std::max<LONG>(r.right, x + 1);
        r.bottom = std::max<LONG>(r.bottom, y + 1);
      }
  if (r.right == 0) r = RECT{0, 0, 0, 0};
  return r;
}

void DibCanvas::Set(int x, int y, COLORREF c) {
  bits_[static_cast<std::size_t>(y) * width_ + x] = (GetRValue(c) << 16) | (GetGValue(c) << 8) | GetBValue(c);
}

HBITMAP DibCanvas::Detach() {
  SelectObject(dc_, old_);
  return bitmap_;
}

void PrepareText(HDC dc) {
  SelectObject(dc, GetStockObject(DEFAULT_GUI_FONT));
  SetTextColor(dc, RGB(0, 0, 0));
  SetBkColor(dc, RGB(255, 0, 0));
  SetBkMode(dc, TRANSPARENT);
}

int DibCanvas::CountOf(COLORREF c) const {
  int n = 0;
  for (int y = 0; y < height_; ++y)
    for (int x = 0; x < width_; ++x) n += At(x, y) == c;
  return n;
}

}  // namespace testsupport
