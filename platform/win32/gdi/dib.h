// Device-independent bitmaps: reading their headers with the checks Windows
// makes, converting rows between DIB formats and surface pixels, and keeping
// DIB sections of other depths in step with their surfaces.
#pragma once

#include "objects.h"

#include <cstddef>
#include <cstdint>
#include <vector>

namespace gdi {

struct DibFormat {
  int width = 0, height = 0;  // height is positive; see topDown
  bool topDown = false;
  int bits = 0;
  std::size_t stride = 0;  // bytes per row, DWORD aligned
  std::vector<RGBQUAD> colors;
  DWORD masks[3] = {0, 0, 0};  // 16 and 32 bits: red, green, blue
  std::size_t ImageSize() const { return stride * static_cast<std::size_t>(height); }
  // Byte offset of scan line s (0 = bottom row of a bottom-up DIB).
  std::size_t ScanOffset(int s) const { return stride * static_cast<std::size_t>(s); }
  // The image row (0 = top) that scan line s shows.
  int RowOfScan(int s) const { return topDown ? s : height - 1 - s; }
};

// Parses a BITMAPINFO; `palette` serves DIB_PAL_COLORS tables. Fails on a
// malformed or unsupported header, as Windows does. `withColors` = false
// reads only the header (for GetDIBits, which fills the table itself).
bool ParseDib(const BITMAPINFO* bmi, UINT usage, const PaletteObject* palette, bool withColors, DibFormat& out);
std::size_t ColorTableBytes(const BITMAPINFOHEADER& h, UINT usage);

void DecodeRow(const DibFormat& f, const std::uint8_t* row, int n, std::uint32_t* out);

class RowEncoder {
 public:
  explicit RowEncoder(const DibFormat& f);
  void Encode(const std::uint32_t* in, int n, std::uint8_t* row);

 private:
  std::uint8_t Nearest(std::uint32_t px);
  const DibFormat& f_;
  std::vector<std::pair<std::uint32_t, std::uint8_t>> cache_;
};

// DIB sections of depths other than 32 keep their pixels in caller-visible
// bits; the surface is refreshed from them before use and written back after.
void SyncFromBits(BitmapObject& bm);
void SyncToBits(BitmapObject& bm);

}  // namespace gdi
