// Bitmaps: device-dependent ones (monochrome or the display's colour), DIB
// sections, and the transfers between bitmaps and DIB bits.
#include "dc.h"
#include "dib.h"

#include <algorithm>
#include <cstring>

using namespace gdi;

namespace {

// Device-dependent bits are top-down rows padded to 16 bits.
DibFormat DdbFormat(int w, int h, int bits) {
  DibFormat f;
  f.width = w, f.height = h, f.topDown = true, f.bits = bits;
  f.stride = ((static_cast<std::size_t>(w) * static_cast<std::size_t>(bits) + 15) / 16) * 2;
  if (bits <= 8) f.colors = DefaultColorTable(bits);
  if (bits == 16) f.masks[0] = 0x7C00, f.masks[1] = 0x03E0, f.masks[2] = 0x001F;
  if (bits == 32) f.masks[0] = 0xFF0000, f.masks[1] = 0x00FF00, f.masks[2] = 0x0000FF;
  return f;
}

bool ValidDepth(UINT bits) { return bits == 1 || bits == 4 || bits == 8 || bits == 16 || bits == 24 || bits == 32; }

void LoadDdbBits(BitmapObject& bm, const void* bits, std::size_t limit) {
  const Surface& s = *bm.surface;
  DibFormat f = DdbFormat(s.width, s.height, bm.bitsPixel);
  const auto* src = static_cast<const std::uint8_t*>(bits);
  for (int y = 0; y < s.height && f.ScanOffset(y) + f.stride <= limit; ++y) {
    DecodeRow(f, src + f.ScanOffset(y), s.width, bm.surface->Row(y));
    if (bm.mono())
      for (int x = 0; x < s.width; ++x) bm.surface->At(x, y) = MonoOf(bm.surface->At(x, y));
  }
}

bool BitmapOfDc(HDC hdc, bool& mono) {
  mono = false;
  if (!hdc) return true;  // the screen
  auto dc = LookupDc(hdc);
  if (!dc) return false;
  mono = dc->type == DcType::Memory && dc->st.bitmap && dc->st.bitmap->mono();
  return true;
}

}  // namespace

HBITMAP WINAPI CreateBitmap(int w, int h, UINT planes, UINT bits, const void* data) {
  CoreGuard guard(CoreLock());
  if (planes != 1 || !ValidDepth(bits) || w < 0 || h < 0) return nullptr;
  if (w == 0 || h == 0) return DefaultBitmap();
  if (!SizeAcceptable(w, h)) return nullptr;
  // Colour depths are kept as display pixels; the depth is what GetObject
  // reports and how the initial and GetBitmapBits bits are laid out.
  auto bm = NewBitmap(w, h, static_cast<int>(bits));
  if (!bm) return nullptr;
  if (data) LoadDdbBits(*bm, data, DdbFormat(w, h, int(bits)).ImageSize());
  return AddBitmap(bm);
}

HBITMAP WINAPI CreateBitmapIndirect(const BITMAP* b) {
  if (!b || b->bmType != 0) return nullptr;
  if (b->bmBits && b->bmWidthBytes != static_cast<LONG>(DdbFormat(b->bmWidth, 1, b->bmBitsPixel).stride))
    return nullptr;
  return CreateBitmap(b->bmWidth, b->bmHeight, b->bmPlanes, b->bmBitsPixel, b->bmBits);
}

HBITMAP WINAPI CreateCompatibleBitmap(HDC hdc, int w, int h) {
  CoreGuard guard(CoreLock());
  bool mono;
  // No DC means the screen: a colour bitmap.
  if (!BitmapOfDc(hdc, mono) || w < 0 || h < 0) return nullptr;
  if (w == 0 || h == 0) return DefaultBitmap();
  if (!SizeAcceptable(w, h)) return nullptr;
  return AddBitmap(NewBitmap(w, h, mono ? 1 : 32));
}

namespace {

PaletteObject* DcPalette(HDC hdc) {
  auto dc = LookupDc(hdc);
  return dc ? dc->st.palette.get() : nullptr;
}

// Copies DIB scan lines [start, start + lines) into the bitmap.
int StoreScans(BitmapObject& bm, const DibFormat& f, UINT start, UINT lines, const void* bits) {
  Surface& s = *bm.surface;
  if (start >= static_cast<UINT>(f.height)) return 0;
  const int end = static_cast<int>(std::min<UINT>(start + std::min<UINT>(lines, f.height), f.height));
  const auto* src = static_cast<const std::uint8_t*>(bits);
  std::vector<std::uint32_t> row(static_cast<std::size_t>(f.width));
  const int n = std::min(f.width, s.width);
  int done = 0;
  for (int sc = static_cast<int>(start); sc < end; ++sc, ++done) {
    const int y = f.RowOfScan(sc);
    if (y < 0 || y >= s.height) continue;
    // Scan lines come one after another from the start of the bits.
    DecodeRow(f, src + f.ScanOffset(sc - static_cast<int>(start)), f.width, row.data());
    std::uint32_t* out = s.Row(y);
    for (int x = 0; x < n; ++x) out[x] = bm.mono() ? MonoOf(row[static_cast<std::size_t>(x)]) : row[static_cast<std::size_t>(x)];
  }
  SyncToBits(bm);
  return done;
}

}  // namespace

int WINAPI SetDIBits(HDC hdc, HBITMAP hbm, UINT start, UINT lines, const void* bits, const BITMAPINFO* bmi,
                     UINT usage) {
  CoreGuard guard(CoreLock());
  auto bm = LookupBitmap(hbm);
  DibFormat f;
  if (!bm || !bits || !ParseDib(bmi, usage, DcPalette(hdc), true, f)) return 0;
  SyncFromBits(*bm);
  return StoreScans(*bm, f, start, lines, bits);
}

HBITMAP WINAPI CreateDIBitmap(HDC hdc, const BITMAPINFOHEADER* h, DWORD init, const void* bits,
                              const BITMAPINFO* bmi, UINT usage) {
  CoreGuard guard(CoreLock());
  if (!h || h->biSize < sizeof(BITMAPINFOHEADER) || h->biWidth <= 0 || h->biHeight == 0) return nullptr;
  const LONG height = h->biHeight < 0 ? -h->biHeight : h->biHeight;
  if (!SizeAcceptable(h->biWidth, height)) return nullptr;
  bool mono;
  if (hdc && !BitmapOfDc(hdc, mono)) return nullptr;
  // As on Windows the result matches the DC (colour for a window or screen
  // DC), and only a 1-bit header makes a monochrome one.
  auto bm = NewBitmap(h->biWidth, height, h->biBitCount == 1 ? 1 : 32);
  if (!bm) return nullptr;
  if ((init & CBM_INIT) && bits) {
    DibFormat f;
    if (!ParseDib(bmi, usage, DcPalette(hdc), true, f)) return nullptr;
    StoreScans(*bm, f, 0, static_cast<UINT>(f.height), bits);
  }
  return AddBitmap(bm);
}

HBITMAP WINAPI CreateDIBSection(HDC hdc, const BITMAPINFO* bmi, UINT usage, void** ppv, HANDLE section,
                                DWORD offset) {
  CoreGuard guard(CoreLock());
  if (ppv) *ppv = nullptr;
  DibFormat f;
  if (section || offset || !ParseDib(bmi, usage, DcPalette(hdc), true, f)) return nullptr;
  auto bm = std::make_shared<BitmapObject>();
  bm->bitsPixel = f.bits == 1 && f.colors.size() == 2 ? 1 : 32;
  bm->dib = std::make_unique<DibSection>();
  DibSection& d = *bm->dib;
  d.header = bmi->bmiHeader;
  d.header.biSizeImage = static_cast<DWORD>(f.ImageSize());
  if (f.bits == 16 || f.bits == 32) {
    // Keep the masks in the header copy so the section can be re-read.
    d.header.biCompression = BI_RGB;
    if (bmi->bmiHeader.biCompression == BI_BITFIELDS && !(f.masks[0] == 0xFF0000 && f.masks[1] == 0xFF00 && f.masks[2] == 0xFF))
      return nullptr;  // only the standard layouts are kept as sections
  }
  d.colors = f.colors;
  d.bits.assign(f.ImageSize(), 0);
  d.userBits = d.bits.data();
  if (f.bits == 32) {
    // The surface reads and writes the caller's bits in place.
    d.synced32 = true;
    auto* top = reinterpret_cast<std::uint32_t*>(d.bits.data());
    const std::ptrdiff_t stride = f.width;
    bm->surface = f.topDown ? WrapSurface(f.width, f.height, stride, top)
                            : WrapSurface(f.width, f.height, -stride, top + stride * (f.height - 1));
  } else {
    bm->surface = MakeSurface(f.width, f.height);
    SyncFromBits(*bm);
  }
  if (!bm->surface) return nullptr;
  if (bm->bitsPixel == 1)  // a two-colour section of black and white is monochrome
    bm->bitsPixel = (f.colors[0].rgbRed == 0 && f.colors[0].rgbGreen == 0 && f.colors[0].rgbBlue == 0 &&
                     f.colors[1].rgbRed == 255 && f.colors[1].rgbGreen == 255 && f.colors[1].rgbBlue == 255)
                        ? 1
                        : 32;
  void* userBits = d.userBits;
  HBITMAP h = AddBitmap(bm);
  if (h && ppv) *ppv = userBits;
  return h;
}

namespace {

// Fills the header (and colour table) GetDIBits describes.
void DescribeBitmap(const BitmapObject& bm, BITMAPINFO* bmi) {
  BITMAPINFOHEADER& h = bmi->bmiHeader;
  const int bits = bm.dib ? bm.dib->header.biBitCount : bm.bitsPixel;
  h.biWidth = bm.surface->width;
  h.biHeight = bm.surface->height;
  h.biPlanes = 1;
  h.biBitCount = static_cast<WORD>(bits);
  h.biCompression = BI_RGB;
  h.biSizeImage = static_cast<DWORD>(((h.biWidth * bits + 31) / 32) * 4 * h.biHeight);
  h.biXPelsPerMeter = h.biYPelsPerMeter = 0;
  h.biClrUsed = h.biClrImportant = 0;
}

const std::vector<RGBQUAD>& TableFor(const BitmapObject& bm, int bits) {
  if (bm.dib && bm.dib->header.biBitCount == bits && !bm.dib->colors.empty()) return bm.dib->colors;
  return DefaultColorTable(bits);
}

}  // namespace

int WINAPI GetDIBits(HDC hdc, HBITMAP hbm, UINT start, UINT lines, LPVOID bits, LPBITMAPINFO bmi, UINT usage) {
  CoreGuard guard(CoreLock());
  auto bm = LookupBitmap(hbm);
  if (!bm || !hdc || !LookupDc(hdc) || !bmi || bmi->bmiHeader.biSize < sizeof(BITMAPINFOHEADER)) return 0;
  if (usage != DIB_RGB_COLORS && usage != DIB_PAL_COLORS) return 0;
  SyncFromBits(*bm);
  BITMAPINFOHEADER& h = bmi->bmiHeader;
  if (h.biBitCount == 0) {
    // Only the description is wanted.
    DescribeBitmap(*bm, bmi);
    return bits ? 0 : 1;
  }
  DibFormat f;
  if (!ParseDib(bmi, usage, nullptr, false, f)) return 0;
  if (f.bits <= 8) {
    f.colors = TableFor(*bm, f.bits);
    if (usage == DIB_RGB_COLORS) std::copy(f.colors.begin(), f.colors.end(), bmi->bmiColors);
    h.biClrUsed = 0;
  }
  if (h.biSizeImage == 0) h.biSizeImage = static_cast<DWORD>(f.ImageSize());
  if (!bits) return static_cast<int>(f.height);
  const Surface& s = *bm->surface;
  if (start >= static_cast<UINT>(f.height)) return 0;
  const int end = static_cast<int>(std::min<UINT>(start + std::min<UINT>(lines, f.height), f.height));
  RowEncoder enc(f);
  std::vector<std::uint32_t> row(static_cast<std::size_t>(f.width), 0);
  auto* out = static_cast<std::uint8_t*>(bits);
  int done = 0;
  for (int sc = static_cast<int>(start); sc < end; ++sc) {
    const int y = f.RowOfScan(sc);
    if (y < 0 || y >= s.height) continue;
    std::copy_n(s.Row(y), std::min(f.width, s.width), row.begin());
    enc.Encode(row.data(), f.width, out + f.ScanOffset(sc - static_cast<int>(start)));
    ++done;
  }
  return done;
}

LONG WINAPI GetBitmapBits(HBITMAP hbm, LONG cb, LPVOID out) {
  CoreGuard guard(CoreLock());
  auto bm = LookupBitmap(hbm);
  if (!bm || cb < 0) return 0;
  SyncFromBits(*bm);
  const Surface& s = *bm->surface;
  DibFormat f = DdbFormat(s.width, s.height, bm->bitsPixel);
  if (!out) return static_cast<LONG>(f.ImageSize());
  RowEncoder enc(f);
  std::vector<std::uint8_t> row(f.stride);
  LONG written = 0;
  for (int y = 0; y < s.height && written < cb; ++y) {
    enc.Encode(s.Row(y), s.width, row.data());
    LONG n = std::min<LONG>(static_cast<LONG>(f.stride), cb - written);
    std::memcpy(static_cast<std::uint8_t*>(out) + written, row.data(), static_cast<std::size_t>(n));
    written += n;
  }
  return written;
}

LONG WINAPI SetBitmapBits(HBITMAP hbm, DWORD cb, const void* in) {
  CoreGuard guard(CoreLock());
  auto bm = LookupBitmap(hbm);
  if (!bm || !in) return 0;
  SyncFromBits(*bm);
  const Surface& s = *bm->surface;
  DibFormat f = DdbFormat(s.width, s.height, bm->bitsPixel);
  std::size_t limit = std::min<std::size_t>(cb, f.ImageSize());
  LoadDdbBits(*bm, in, limit);
  SyncToBits(*bm);
  return static_cast<LONG>((limit / f.stride) * f.stride);
}
