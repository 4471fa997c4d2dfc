#include "framework/bitmap.h"

#include <algorithm>
#include <array>
#include <cstring>

#include "framework/exceptions.h"
#include "dib.h"

ScratchDc::ScratchDc(HBITMAP bitmap) {
  if (!dc) throw EOutOfResources("Out of system resources");
  if (bitmap) old = SelectObject(dc, bitmap);
}

ScratchDc::~ScratchDc() {
  if (old) SelectObject(dc, old);
  DeleteDC(dc);
}

namespace {

// The standard tables of the palette formats: the 16 VGA colours, and a
// 6x6x6 colour cube followed by a grey ramp.
void FillStandardTable(int bits, RGBQUAD* table) {
  static constexpr std::array<COLORREF, 16> kVga = {
      0x000000, 0x000080, 0x008000, 0x008080, 0x800000, 0x800080, 0x808000, 0xC0C0C0,
      0x808080, 0x0000FF, 0x00FF00, 0x00FFFF, 0xFF0000, 0xFF00FF, 0xFFFF00, 0xFFFFFF};
  auto put = [&](int i, int r, int g, int b) {
    table[i] = RGBQUAD{static_cast<BYTE>(b), static_cast<BYTE>(g), static_cast<BYTE>(r), 0};
  };
  if (bits == 4) {
    for (int i = 0; i < 16; ++i) put(i, GetRValue(kVga[i]), GetGValue(kVga[i]), GetBValue(kVga[i]));
    return;
  }
  int i = 0;
  for (int r = 0; r < 6; ++r)
    for (int g = 0; g < 6; ++g)
      for (int b = 0; b < 6; ++b) put(i++, r * 51, g * 51, b * 51);
  for (int k = 0; i < 256; ++i, ++k) put(i, k * 255 / 39, k * 255 / 39, k * 255 / 39);
}

}  // namespace

int BitsOfPixelFormat(TPixelFormat format) {
  switch (format) {
    case pf1bit: return 1;
    case pf4bit: return 4;
    case pf8bit: return 8;
    case pf15bit: return 16;
    case pf32bit: return 32;
    case pf16bit:
    case pfCustom: return 0;
    case pfDevice:
    case pf24bit: break;
  }
  return 24;
}

TPixelFormat PixelFormatOfBits(int bits) {
  switch (bits) {
    case 1: return pf1bit;
    case 4: return pf4bit;
    case 8: return pf8bit;
    case 16: return pf15bit;
    case 24: return pf24bit;
    case 32: return pf32bit;
    default: return pfCustom;
  }
}

// ------------------------------------------------------------------ canvas

TBitmapCanvas::~TBitmapCanvas() { FreeContext(); }

void TBitmapCanvas::CreateHandle() {
  memDc_ = CreateCompatibleDC(nullptr);
  if (!memDc_) throw EOutOfResources("Out of system resources");
  if (bitmap_->handle_) oldBitmap_ = SelectObject(memDc_, bitmap_->handle_);
  SetHandle(memDc_);
}

void TBitmapCanvas::Changed() {
  bitmap_->Changed(this);
  TCanvas::Changed();
}

void TBitmapCanvas::FreeContext() {
  if (!memDc_) return;
  DeselectHandles();
  if (oldBitmap_) SelectObject(memDc_, oldBitmap_);
  DeleteDC(memDc_);
  memDc_ = nullptr;
  oldBitmap_ = nullptr;
}

// ------------------------------------------------------------------ bitmap

TBitmap::TBitmap() = default;

TBitmap::~TBitmap() {
  canvas_.reset();
  if (handle_) DeleteObject(handle_);
}

HBITMAP TBitmap::MakeBitmap(int width, int height, TPixelFormat format) const {
  if (width <= 0 || height <= 0) return nullptr;
  if (format == pf1bit) return CreateBitmap(width, height, 1, 1, nullptr);
  const int bits = BitsOfPixelFormat(format == pfDevice ? pf32bit : format);
  if (bits == 0) throw EInvalidGraphicOperation("Unsupported pixel format");
  std::vector<std::uint8_t> info(sizeof(BITMAPINFOHEADER) + 256 * sizeof(RGBQUAD), 0);
  auto* bmi = reinterpret_cast<BITMAPINFO*>(info.data());
  bmi->bmiHeader = BITMAPINFOHEADER{sizeof(BITMAPINFOHEADER), width, height, 1, static_cast<WORD>(bits), BI_RGB};
  if (bits <= 8) FillStandardTable(bits, bmi->bmiColors);
  void* pixels = nullptr;
  ScratchDc scratch;
  return CreateDIBSection(scratch.dc, bmi, DIB_RGB_COLORS, &pixels, nullptr, 0);
}

void TBitmap::Replace(HBITMAP bitmap, int width, int height, TPixelFormat format) {
  // The canvas lets the old bitmap go; its next use selects the new one.
  if (canvas_) canvas_->FreeContext();
  if (handle_ && handle_ != bitmap) DeleteObject(handle_);
  handle_ = bitmap;
  width_ = bitmap ? width : 0;
  height_ = bitmap ? height : 0;
  pixelFormat_ = format;
  Changed(this);
}

void TBitmap::SetSize(int width, int height) {
  width = std::max(width, 0);
  height = std::max(height, 0);
  if (width == width_ && height == height_) return;
  HBITMAP next = MakeBitmap(width, height, pixelFormat_);
  if (width > 0 && height > 0 && !next) throw EOutOfResources("Out of system resources");
  if (next) {
    ScratchDc to(next);
    PatBlt(to.dc, 0, 0, width, height, WHITENESS);
    if (handle_)
      BitBlt(to.dc, 0, 0, std::min(width, width_), std::min(height, height_), SourceDc(), 0, 0, SRCCOPY);
  }
  Replace(next, width, height, pixelFormat_);
}

void TBitmap::SetPixelFormat(TPixelFormat format) {
  if (format == pixelFormat_) return;
  if (format == pfCustom || format == pf16bit) throw EInvalidGraphicOperation("Unsupported pixel format");
  HBITMAP next = MakeBitmap(width_, height_, format);
  if (next && handle_) {
    // Pixels are converted by blitting; a monochrome target maps the white
    // background to 1 and everything else to 0, as GDI does.
    ScratchDc to(next);
    HDC from = SourceDc();
    SetBkColor(from, RGB(255, 255, 255));
    BitBlt(to.dc, 0, 0, width_, height_, from, 0, 0, SRCCOPY);
    canvas_->Refresh();
  }
  Replace(next, width_, height_, format);
}

void TBitmap::SetMonochrome(bool value) {
  if (value == Monochrome()) return;
  SetPixelFormat(value ? pf1bit : pfDevice);
}

void TBitmap::SetHandle(HBITMAP bitmap) {
  if (bitmap == handle_) return;
  int width = 0, height = 0;
  TPixelFormat format = pfDevice;
  if (bitmap) {
    DIBSECTION ds{};
    int got = GetObjectA(bitmap, sizeof(ds), &ds);
    if (got == 0) throw EInvalidGraphic("Invalid bitmap");
    width = ds.dsBm.bmWidth;
    height = std::abs(ds.dsBm.bmHeight);
    if (ds.dsBm.bmBitsPixel == 1)
      format = pf1bit;
    else if (got == static_cast<int>(sizeof(DIBSECTION)))
      format = PixelFormatOfBits(ds.dsBm.bmBitsPixel);
  }
  Replace(bitmap, width, height, format);
}

HBITMAP TBitmap::ReleaseHandle() {
  HBITMAP h = handle_;
  if (canvas_) canvas_->FreeContext();
  handle_ = nullptr;
  width_ = height_ = 0;
  return h;
}

HDC TBitmap::SourceDc() {
  // A bitmap lives in one context at a time: its canvas's.
  return Canvas()->Handle();
}

TCanvas* TBitmap::Canvas() {
  if (!canvas_) {
    canvas_ = std::make_unique<TBitmapCanvas>(this);
  }
  return canvas_.get();
}

void TBitmap::Changed(TObject* sender) { TGraphic::Changed(sender); }

TColor TBitmap::TransparentColor() {
  if (transparentMode_ == tmFixed) return transparentColor_;
  if (!handle_) return clDefault;
  return static_cast<TColor>(GetPixel(SourceDc(), 0, height_ - 1));
}

void TBitmap::SetTransparentColor(TColor color) {
  if (transparentMode_ == tmFixed && color == transparentColor_) return;
  transparentColor_ = color;
  transparentMode_ = color == clDefault ? tmAuto : tmFixed;
  Changed(this);
}

void TBitmap::SetTransparentMode(TTransparentMode mode) {
  if (mode == transparentMode_) return;
  if (mode == tmAuto)
    SetTransparentColor(clDefault);
  else
    SetTransparentColor(TransparentColor());
}

HBITMAP TBitmap::CreateMask(TColor color) {
  if (!handle_) return nullptr;
  HBITMAP mask = CreateBitmap(width_, height_, 1, 1, nullptr);
  if (!mask) throw EOutOfResources("Out of system resources");
  // Colour to monochrome: the source's background colour becomes 1.
  ScratchDc to(mask);
  HDC from = SourceDc();
  SetBkColor(from, ColorToRGB(color));
  BitBlt(to.dc, 0, 0, width_, height_, from, 0, 0, SRCCOPY);
  canvas_->Refresh();
  return mask;
}

void TBitmap::Assign(TPersistent* source) {
  auto* other = dynamic_cast<TBitmap*>(source);
  if (!other && source) return TGraphic::Assign(source);
  if (other == this) return;
  HBITMAP copy = nullptr;
  if (other && other->handle_) {
    if (other->pixelFormat_ == pf1bit) {
      copy = MakeBitmap(other->width_, other->height_, pf1bit);
      if (!copy) throw EOutOfResources("Out of system resources");
      ScratchDc to(copy);
      BitBlt(to.dc, 0, 0, other->width_, other->height_, other->SourceDc(), 0, 0, SRCCOPY);
    } else {
      // Through the DIB form, so a palette keeps its own colour table.
      copy = MakeDibSection(ReadDib(other->handle_, BitsOfPixelFormat(other->pixelFormat_)));
    }
  }
  transparentColor_ = other ? other->transparentColor_ : clDefault;
  transparentMode_ = other ? other->transparentMode_ : tmAuto;
  SetTransparent(other ? other->GetTransparent() : false);
  Replace(copy, other ? other->width_ : 0, other ? other->height_ : 0, other ? other->pixelFormat_ : pfDevice);
}

bool TBitmap::Equals(TGraphic* graphic) {
  auto* other = dynamic_cast<TBitmap*>(graphic);
  if (!other) return false;
  if (other == this) return true;
  if (Empty() || other->Empty()) return Empty() == other->Empty();
  if (width_ != other->width_ || height_ != other->height_) return false;
  HDC a = SourceDc(), b = other->SourceDc();
  for (int y = 0; y < height_; ++y)
    for (int x = 0; x < width_; ++x)
      if (GetPixel(a, x, y) != GetPixel(b, x, y)) return false;
  return true;
}

void TBitmap::Draw(TCanvas* canvas, const TRect& rect) {
  if (!handle_) return;
  if (GetTransparent()) return DrawTransparent(canvas, rect);
  HDC from = SourceDc();
  HDC dc = canvas->Handle();
  SetStretchBltMode(dc, COLORONCOLOR);
  StretchBlt(dc, rect.left, rect.top, RectWidth(rect), RectHeight(rect), from, 0, 0, width_, height_,
             canvas->CopyMode());
}

void TBitmap::DrawTransparent(TCanvas* canvas, const TRect& rect) {
  // Masked copy: the destination is cleared where the picture is opaque,
  // the picture with its transparent pixels blacked out is merged in.
  HBITMAP mask = CreateMask(TransparentColor());
  HDC dc = canvas->Handle();
  {
    ScratchDc maskDc(mask);
    HDC from = SourceDc();
    COLORREF oldText = SetTextColor(dc, RGB(0, 0, 0));
    COLORREF oldBk = SetBkColor(dc, RGB(255, 255, 255));
    SetStretchBltMode(dc, COLORONCOLOR);
    const int w = RectWidth(rect), h = RectHeight(rect);
    StretchBlt(dc, rect.left, rect.top, w, h, maskDc.dc, 0, 0, width_, height_, SRCAND);
    // The picture goes in through a scratch copy whose transparent pixels
    // are black, so OR-ing it leaves the destination there.
    HBITMAP cutout = MakeBitmap(width_, height_, pfDevice);
    {
      ScratchDc cut(cutout);
      BitBlt(cut.dc, 0, 0, width_, height_, from, 0, 0, SRCCOPY);
      SetTextColor(cut.dc, RGB(0, 0, 0));
      SetBkColor(cut.dc, RGB(255, 255, 255));
      BitBlt(cut.dc, 0, 0, width_, height_, maskDc.dc, 0, 0, 0x00220326);  // D and not S
      StretchBlt(dc, rect.left, rect.top, w, h, cut.dc, 0, 0, width_, height_, SRCPAINT);
    }
    DeleteObject(cutout);
    SetTextColor(dc, oldText);
    SetBkColor(dc, oldBk);
  }
  DeleteObject(mask);
}
