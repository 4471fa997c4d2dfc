// Packed DIBs from outside (resources, clipboard, files): whatever the
// validator accepts must draw without reading past the block.
#include "gdi/internal/gdi_internal.h"

#include <win32/gdi32.h>

#include <cstring>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  // An exact-size copy, so any read past the block is caught.
  std::vector<std::uint8_t> block(data, data + size);
  if (!gdi::ValidatePackedDib(block.data(), block.size())) return 0;
  BITMAPINFOHEADER h;
  std::memcpy(&h, block.data(), sizeof(h));
  std::size_t table = h.biBitCount <= 8 ? (h.biClrUsed ? std::min<std::size_t>(h.biClrUsed, 1u << h.biBitCount)
                                                       : (std::size_t{1} << h.biBitCount)) * 4
                      : (h.biCompression == BI_BITFIELDS && h.biSize == 40 ? 12 : 0);
  const auto* bmi = reinterpret_cast<const BITMAPINFO*>(block.data());
  const std::uint8_t* bits = block.data() + h.biSize + table;
  HDC dc = CreateCompatibleDC(nullptr);
  HBITMAP target = CreateBitmap(16, 16, 1, 32, nullptr);
  HGDIOBJ old = SelectObject(dc, target);
  StretchDIBits(dc, 0, 0, 16, 16, 0, 0, h.biWidth, h.biHeight < 0 ? -h.biHeight : h.biHeight, bits, bmi,
                DIB_RGB_COLORS, SRCCOPY);
  HBITMAP made = CreateDIBitmap(dc, &bmi->bmiHeader, CBM_INIT, bits, bmi, DIB_RGB_COLORS);
  DeleteObject(made);
  SelectObject(dc, old);
  DeleteObject(target);
  DeleteDC(dc);
  return 0;
}
