#include "dib.h"

#include <bit>
#include <cstring>

namespace gdi {

namespace {

int Shift(DWORD mask) { return mask ? std::countr_zero(mask) : 0; }
int Width(DWORD mask) { return mask ? std::popcount(mask) : 0; }

// A masked field scaled to 8 bits.
std::uint32_t Extract(std::uint32_t v, DWORD mask) {
  if (!mask) return 0;
  std::uint32_t f = (v & mask) >> Shift(mask);
  int w = Width(mask);
  if (w >= 8) return f >> (w - 8);
  const std::uint32_t top = (1u << w) - 1;
  return (f * 255 + top / 2) / top;
}

std::uint32_t Insert(std::uint32_t c8, DWORD mask) {
  if (!mask) return 0;
  int w = Width(mask);
  std::uint32_t f = w >= 8 ? c8 << (w - 8) : c8 >> (8 - w);
  return (f << Shift(mask)) & mask;
}

bool IsValidMask(DWORD m) {
  if (!m) return false;
  DWORD shifted = m >> Shift(m);
  return (shifted & (shifted + 1)) == 0;  // one contiguous run of bits
}

}  // namespace

std::size_t ColorTableBytes(const BITMAPINFOHEADER& h, UINT usage) {
  std::size_t entry = usage == DIB_PAL_COLORS ? sizeof(WORD) : sizeof(RGBQUAD);
  if (h.biBitCount <= 8) {
    std::size_t n = h.biClrUsed ? h.biClrUsed : (std::size_t{1} << h.biBitCount);
    n = std::min<std::size_t>(n, std::size_t{1} << h.biBitCount);
    return n * entry;
  }
  // Headers too short to hold the masks (52 bytes and up do) are followed by them.
  if (h.biCompression == BI_BITFIELDS && h.biSize < 52) return 3 * sizeof(DWORD);
  return 0;
}

bool ParseDib(const BITMAPINFO* bmi, UINT usage, const PaletteObject* palette, bool withColors, DibFormat& out) {
  if (!bmi) return false;
  const BITMAPINFOHEADER& h = bmi->bmiHeader;
  if (h.biSize < sizeof(BITMAPINFOHEADER) || h.biSize > 4096) return false;
  if (h.biPlanes != 1 || h.biWidth <= 0 || h.biHeight == 0 || h.biHeight == INT32_MIN) return false;
  const int bits = h.biBitCount;
  if (bits != 1 && bits != 4 && bits != 8 && bits != 16 && bits != 24 && bits != 32) return false;
  if (usage != DIB_RGB_COLORS && usage != DIB_PAL_COLORS) return false;
  const bool fields = h.biCompression == BI_BITFIELDS;
  if (h.biCompression != BI_RGB && !(fields && (bits == 16 || bits == 32))) return false;
  out = DibFormat{};
  out.width = h.biWidth;
  out.topDown = h.biHeight < 0;
  out.height = out.topDown ? -h.biHeight : h.biHeight;
  out.bits = bits;
  if (!SizeAcceptable(out.width, out.height)) return false;
  out.stride = ((static_cast<std::size_t>(out.width) * static_cast<std::size_t>(bits) + 31) / 32) * 4;
  // A header that gives the image size must give enough for every row.
  if (h.biSizeImage != 0 && h.biSizeImage < out.ImageSize()) return false;
  const auto* after = reinterpret_cast<const std::uint8_t*>(bmi) + h.biSize;
  if (fields) {
    const std::uint8_t* m = h.biSize >= 52 ? reinterpret_cast<const std::uint8_t*>(bmi) + 40 : after;
    std::memcpy(out.masks, m, sizeof(out.masks));
    for (DWORD mk : out.masks)
      if (!IsValidMask(mk)) return false;
  } else if (bits == 16) {
    out.masks[0] = 0x7C00, out.masks[1] = 0x03E0, out.masks[2] = 0x001F;
  } else if (bits == 32) {
    out.masks[0] = 0xFF0000, out.masks[1] = 0x00FF00, out.masks[2] = 0x0000FF;
  }
  if (bits <= 8 && withColors) {
    std::size_t n = ColorTableBytes(h, usage) / (usage == DIB_PAL_COLORS ? sizeof(WORD) : sizeof(RGBQUAD));
    out.colors.resize(n);
    if (usage == DIB_RGB_COLORS) {
      std::memcpy(out.colors.data(), after, n * sizeof(RGBQUAD));
    } else {
      for (std::size_t i = 0; i < n; ++i) {
        WORD idx;
        std::memcpy(&idx, after + i * sizeof(WORD), sizeof(WORD));
        PALETTEENTRY e{0, 0, 0, 0};
        if (palette && idx < palette->entries.size()) e = palette->entries[idx];
        out.colors[i] = RGBQUAD{e.peBlue, e.peGreen, e.peRed, 0};
      }
    }
  }
  return true;
}

void DecodeRow(const DibFormat& f, const std::uint8_t* row, int n, std::uint32_t* out) {
  auto lut = [&f](unsigned idx) -> std::uint32_t {
    if (idx >= f.colors.size()) return 0;  // indices past the table read as black
    const RGBQUAD& q = f.colors[idx];
    return std::uint32_t(q.rgbRed) << 16 | std::uint32_t(q.rgbGreen) << 8 | q.rgbBlue;
  };
  switch (f.bits) {
    case 1:
      for (int x = 0; x < n; ++x) out[x] = lut((row[x >> 3] >> (7 - (x & 7))) & 1);
      break;
    case 4:
      for (int x = 0; x < n; ++x) out[x] = lut((row[x >> 1] >> ((x & 1) ? 0 : 4)) & 0xF);
      break;
    case 8:
      for (int x = 0; x < n; ++x) out[x] = lut(row[x]);
      break;
    case 24:
      for (int x = 0; x < n; ++x, row += 3) out[x] = std::uint32_t(row[2]) << 16 | std::uint32_t(row[1]) << 8 | row[0];
      break;
    default: {
      if (f.bits == 32 && f.masks[0] == 0xFF0000 && f.masks[1] == 0xFF00 && f.masks[2] == 0xFF) {
        // The surface's own layout: the pixels as they are, without the byte
        // that no mask covers.
        for (int x = 0; x < n; ++x, row += 4) {
          std::uint32_t v;
          std::memcpy(&v, row, 4);
          out[x] = v & 0xFFFFFFu;
        }
        break;
      }
      const int bytes = f.bits / 8;
      for (int x = 0; x < n; ++x) {
        std::uint32_t v = 0;
        std::memcpy(&v, row + x * bytes, static_cast<std::size_t>(bytes));
        out[x] = Extract(v, f.masks[0]) << 16 | Extract(v, f.masks[1]) << 8 | Extract(v, f.masks[2]);
      }
    }
  }
}

RowEncoder::RowEncoder(const DibFormat& f) : f_(f) {}

std::uint8_t RowEncoder::Nearest(std::uint32_t px) {
  for (const auto& [k, v] : cache_)
    if (k == px) return v;
  long best = -1;
  std::uint8_t index = 0;
  const int r = (px >> 16) & 0xFF, g = (px >> 8) & 0xFF, b = px & 0xFF;
  for (std::size_t i = 0; i < f_.colors.size(); ++i) {
    const RGBQUAD& q = f_.colors[i];
    long d = (r - q.rgbRed) * (r - q.rgbRed) + (g - q.rgbGreen) * (g - q.rgbGreen) + (b - q.rgbBlue) * (b - q.rgbBlue);
    if (best < 0 || d < best) best = d, index = std::uint8_t(i);
  }
  if (cache_.size() > 64) cache_.erase(cache_.begin());
  cache_.emplace_back(px, index);
  return index;
}

void RowEncoder::Encode(const std::uint32_t* in, int n, std::uint8_t* row) {
  switch (f_.bits) {
    case 1:
    case 4: {
      const int per = 8 / f_.bits;
      std::memset(row, 0, (static_cast<std::size_t>(n) + per - 1) / per);
      for (int x = 0; x < n; ++x) {
        int shift = 8 - f_.bits * (x % per + 1);
        row[x / per] = std::uint8_t(row[x / per] | (Nearest(in[x] & 0xFFFFFF) << shift));
      }
      break;
    }
    case 8:
      for (int x = 0; x < n; ++x) row[x] = Nearest(in[x] & 0xFFFFFF);
      break;
    case 24:
      for (int x = 0; x < n; ++x, row += 3)
        row[0] = std::uint8_t(in[x]), row[1] = std::uint8_t(in[x] >> 8), row[2] = std::uint8_t(in[x] >> 16);
      break;
    default: {
      const int bytes = f_.bits / 8;
      for (int x = 0; x < n; ++x) {
        std::uint32_t v = Insert((in[x] >> 16) & 0xFF, f_.masks[0]) | Insert((in[x] >> 8) & 0xFF, f_.masks[1]) |
                          Insert(in[x] & 0xFF, f_.masks[2]);
        std::memcpy(row + x * bytes, &v, static_cast<std::size_t>(bytes));
      }
    }
  }
}

namespace {

DibFormat SectionFormat(const DibSection& d) {
  DibFormat f;
  ParseDib(reinterpret_cast<const BITMAPINFO*>(&d.header), DIB_RGB_COLORS, nullptr, false, f);
  f.colors = d.colors;
  return f;
}

}  // namespace

void SyncFromBits(BitmapObject& bm) {
  if (!bm.dib || bm.dib->synced32) return;
  DibFormat f = SectionFormat(*bm.dib);
  const auto* bits = static_cast<const std::uint8_t*>(bm.dib->userBits);
  for (int s = 0; s < f.height; ++s)
    DecodeRow(f, bits + f.ScanOffset(s), f.width, bm.surface->Row(f.RowOfScan(s)));
}

void SyncToBits(BitmapObject& bm) {
  if (!bm.dib || bm.dib->synced32) return;
  DibFormat f = SectionFormat(*bm.dib);
  RowEncoder enc(f);
  auto* bits = static_cast<std::uint8_t*>(bm.dib->userBits);
  for (int s = 0; s < f.height; ++s) enc.Encode(bm.surface->Row(f.RowOfScan(s)), f.width, bits + f.ScanOffset(s));
}

bool ValidatePackedDib(const void* data, std::size_t size) {
  if (!data || size < sizeof(BITMAPINFOHEADER)) return false;
  BITMAPINFOHEADER h;
  std::memcpy(&h, data, sizeof(h));
  if (h.biSize > size) return false;
  // The colour table must be inside the block before it is parsed.
  if (h.biSize < sizeof(BITMAPINFOHEADER) || h.biBitCount > 32) return false;
  std::size_t table = ColorTableBytes(h, DIB_RGB_COLORS);
  if (h.biSize + table > size) return false;
  std::vector<std::uint8_t> copy(static_cast<const std::uint8_t*>(data),
                                 static_cast<const std::uint8_t*>(data) + h.biSize + table);
  DibFormat f;
  if (!ParseDib(reinterpret_cast<const BITMAPINFO*>(copy.data()), DIB_RGB_COLORS, nullptr, true, f)) return false;
  return h.biSize + table + f.ImageSize() <= size;
}

}  // namespace gdi
