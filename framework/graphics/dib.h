// Bitmaps in their device-independent form, shared by copying and by the
// BMP reader and writer.
#pragma once

#include <cstdint>
#include <vector>

#include "framework/graphics.h"

// A memory context for one operation, with `bitmap` selected.
struct ScratchDc {
  HDC dc = CreateCompatibleDC(nullptr);
  HGDIOBJ old = nullptr;
  explicit ScratchDc(HBITMAP bitmap = nullptr);
  ~ScratchDc();
  ScratchDc(const ScratchDc&) = delete;
  ScratchDc& operator=(const ScratchDc&) = delete;
};

// The header with its colour table (a BITMAPINFO) and the bottom-up rows.
struct DibImage {
  std::vector<std::uint8_t> info;
  std::vector<std::uint8_t> bits;
  BITMAPINFO* Info() { return reinterpret_cast<BITMAPINFO*>(info.data()); }
  const BITMAPINFO* Info() const { return reinterpret_cast<const BITMAPINFO*>(info.data()); }
};

// Bytes in one row of `width` pixels of `bits` each, padded to 32 bits.
constexpr std::size_t DibStride(int width, int bits) {
  return ((static_cast<std::size_t>(width) * static_cast<std::size_t>(bits) + 31) / 32) * 4;
}
// Entries of the colour table that follows the header.
int DibColorCount(const BITMAPINFOHEADER& h);

DibImage ReadDib(HBITMAP bitmap, int bits);
HBITMAP MakeDibSection(const DibImage& image);
