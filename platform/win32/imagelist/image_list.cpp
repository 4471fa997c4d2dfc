#include "imagelist/image_list.h"

#include <win32/user32_draw.h>

#include <algorithm>
#include <cstring>

namespace imagelist {
namespace {

constexpr std::uint32_t kOpaque = 0x000000, kTransparent = 0xFFFFFF;

std::uint32_t PixelOf(COLORREF c) {
  return ((c & 0xFFu) << 16) | (c & 0xFF00u) | ((c >> 16) & 0xFFu);
}

}  // namespace

bool ImageList::Init(int initial) { return Reserve(std::max(initial, 1)); }

COLORREF ImageList::SetBackground(COLORREF c) {
  COLORREF old = background_;
  background_ = c;
  return old;
}

bool ImageList::Read(HBITMAP bitmap, Pixels& out) {
  BITMAP bm{};
  if (!bitmap || !GetObjectA(bitmap, sizeof(bm), &bm) || bm.bmWidth <= 0 || bm.bmHeight <= 0)
    return false;
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  info.bmiHeader.biWidth = bm.bmWidth;
  info.bmiHeader.biHeight = -bm.bmHeight;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  out.width = bm.bmWidth;
  out.height = bm.bmHeight;
  out.px.assign(static_cast<std::size_t>(out.width) * out.height, 0);
  HDC dc = CreateCompatibleDC(nullptr);
  int lines = GetDIBits(dc, bitmap, 0, static_cast<UINT>(out.height), out.px.data(), &info, DIB_RGB_COLORS);
  DeleteDC(dc);
  for (auto& p : out.px) p &= 0xFFFFFF;
  return lines > 0;
}

bool ImageList::Reserve(int count) {
  if (count <= capacity_) return true;
  int capacity = std::max(count, capacity_ + std::max(grow_, 1));
  if (static_cast<long long>(capacity) * cx_ > 0x7FFFFFFF / 4) return false;
  ImageStrip image, mask;
  if (!image.Create(capacity * cx_, cy_)) return false;
  if (Masked() && !mask.Create(capacity * cx_, cy_)) return false;
  image.CopyColumns(image_, count_ * cx_);
  if (Masked()) mask.CopyColumns(mask_, count_ * cx_);
  image_.Swap(image);
  if (Masked()) mask_.Swap(mask);
  capacity_ = capacity;
  return true;
}

void ImageList::Store(int slot, const Pixels& image, int sourceImage, const Pixels* mask,
                      const COLORREF* key) {
  int sx = sourceImage * cx_, dx = slot * cx_;
  std::uint32_t keyPixel = key ? PixelOf(*key) : 0;
  for (int y = 0; y < cy_; ++y) {
    std::uint32_t* out = image_.Row(y) + dx;
    std::uint32_t* outMask = Masked() ? mask_.Row(y) + dx : nullptr;
    for (int x = 0; x < cx_; ++x) {
      bool inside = y < image.height && sx + x < image.width;
      std::uint32_t p = inside ? image.px[static_cast<std::size_t>(y) * image.width + sx + x] : 0;
      bool clear = false;
      if (mask && y < mask->height && sx + x < mask->width)
        clear = mask->px[static_cast<std::size_t>(y) * mask->width + sx + x] != 0;
      else if (key)
        clear = inside && p == keyPixel;
      if (outMask) {
        outMask[x] = clear ? kTransparent : kOpaque;
        if (clear) p = 0;
      }
      out[x] = p;
    }
  }
}

int ImageList::Append(const Pixels& image, const Pixels* mask, const COLORREF* key) {
  int n = image.width / cx_;
  if (n <= 0 || !Reserve(count_ + n)) return -1;
  int first = count_;
  for (int i = 0; i < n; ++i) Store(first + i, image, i, mask, key);
  count_ += n;
  return first;
}

int ImageList::Add(HBITMAP image, HBITMAP mask) {
  Pixels px, mpx;
  if (!Read(image, px)) return -1;
  bool haveMask = Masked() && mask && Read(mask, mpx);
  return Append(px, haveMask ? &mpx : nullptr, nullptr);
}

int ImageList::AddMasked(HBITMAP image, COLORREF key) {
  Pixels px;
  if (!Read(image, px)) return -1;
  if (!Masked()) return Append(px, nullptr, nullptr);
  // The default key is the colour of the top-left pixel.
  COLORREF k = key;
  if (key == CLR_DEFAULT) {
    std::uint32_t p = px.px[0];
    k = RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF);
  }
  return Append(px, nullptr, key == CLR_NONE ? nullptr : &k);
}

bool ImageList::Replace(int index, HBITMAP image, HBITMAP mask) {
  Pixels px, mpx;
  if (index < 0 || index >= count_ || !Read(image, px)) return false;
  bool haveMask = Masked() && mask && Read(mask, mpx);
  Store(index, px, 0, haveMask ? &mpx : nullptr, nullptr);
  return true;
}

bool ImageList::Remove(int index) {
  if (index == -1) {
    count_ = 0;
    return true;
  }
  if (index < 0 || index >= count_) return false;
  auto shift = [&](ImageStrip& s) {
    for (int y = 0; y < cy_; ++y) {
      std::uint32_t* row = s.Row(y);
      std::memmove(row + index * cx_, row + (index + 1) * cx_,
                   static_cast<std::size_t>(count_ - index - 1) * cx_ * 4);
    }
  };
  shift(image_);
  if (Masked()) shift(mask_);
  --count_;
  return true;
}

bool ImageList::SetCount(int count) {
  if (count < 0 || !Reserve(count)) return false;
  for (int i = count_; i < count; ++i)
    for (int y = 0; y < cy_; ++y) {
      std::memset(image_.Row(y) + i * cx_, 0, static_cast<std::size_t>(cx_) * 4);
      if (Masked()) std::memset(mask_.Row(y) + i * cx_, 0, static_cast<std::size_t>(cx_) * 4);
    }
  count_ = count;
  return true;
}

void ImageList::Blit(HDC dc, const DrawRequest& r, HDC source, int sx, DWORD rop) const {
  BitBlt(dc, r.x, r.y, r.width, r.height, source, sx, 0, rop);
}

// A copy of one image dithered with the foreground colour over its opaque
// pixels: every other pixel for 50 %, one in four for 25 %.
bool ImageList::Blended(int index, const DrawRequest& r, ImageStrip& out) const {
  if (!out.Create(cx_, cy_)) return false;
  COLORREF fg = r.foreground == CLR_DEFAULT ? GetSysColor(COLOR_HIGHLIGHT) : r.foreground;
  std::uint32_t fgPixel = PixelOf(fg);
  bool half = r.style & ILD_BLEND50;
  for (int y = 0; y < cy_; ++y) {
    const std::uint32_t* src = image_.Row(y) + index * cx_;
    const std::uint32_t* m = Masked() ? mask_.Row(y) + index * cx_ : nullptr;
    std::uint32_t* dst = out.Row(y);
    for (int x = 0; x < cx_; ++x) {
      bool dither = half ? ((x + y) & 1) == 0 : ((x & 1) == 0 && (y & 1) == 0);
      bool opaque = !m || m[x] == kOpaque;
      dst[x] = (dither && opaque) ? fgPixel : src[x];
    }
  }
  return true;
}

bool ImageList::Draw(int index, HDC dc, const DrawRequest& request) {
  if (index < 0 || index >= count_ || !dc) return false;
  DrawRequest r = request;
  r.width = r.width <= 0 ? cx_ : std::min(r.width, cx_);
  r.height = r.height <= 0 ? cy_ : std::min(r.height, cy_);
  COLORREF bk = r.background == CLR_DEFAULT ? background_ : r.background;
  HDC source = image_.DC();
  int sx = index * cx_;
  ImageStrip blended;
  bool blend = (r.style & (ILD_BLEND25 | ILD_BLEND50)) && r.foreground != CLR_NONE;
  if (blend && Blended(index, r, blended)) {
    source = blended.DC();
    sx = 0;
  }
  if (r.style & ILD_MASK) {
    if (Masked())
      Blit(dc, r, mask_.DC(), index * cx_, SRCCOPY);
    else
      PatBlt(dc, r.x, r.y, r.width, r.height, BLACKNESS);
    return true;
  }
  if (!Masked() || (r.style & ILD_IMAGE)) {
    Blit(dc, r, source, sx, SRCCOPY);
    return true;
  }
  bool transparent = (r.style & ILD_TRANSPARENT) || bk == CLR_NONE;
  if (!transparent) {
    HBRUSH brush = CreateSolidBrush(bk);
    HGDIOBJ old = SelectObject(dc, brush);
    PatBlt(dc, r.x, r.y, r.width, r.height, PATCOPY);
    SelectObject(dc, old);
    DeleteObject(brush);
  }
  Blit(dc, r, mask_.DC(), index * cx_, SRCAND);
  Blit(dc, r, source, sx, SRCPAINT);
  return true;
}

}  // namespace imagelist
