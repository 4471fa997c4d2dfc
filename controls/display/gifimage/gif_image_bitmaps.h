#pragma once
// Between the codec's index planes and the framework's bitmaps.
#include "display/RxGIF.h"

#include <cstdint>
#include <vector>

// A memory context with one bitmap selected, for the length of a blit.
class TScratchDc {
 public:
  explicit TScratchDc(HBITMAP bitmap);
  ~TScratchDc();
  TScratchDc(const TScratchDc&) = delete;
  TScratchDc& operator=(const TScratchDc&) = delete;
  HDC dc;

 private:
  HGDIOBJ old;
};

// A GDI bitmap deleted with its holder.
struct TBitmapHandle {
  HBITMAP h = nullptr;
  TBitmapHandle() = default;
  explicit TBitmapHandle(HBITMAP bitmap) : h(bitmap) {}
  TBitmapHandle(const TBitmapHandle&) = delete;
  TBitmapHandle& operator=(const TBitmapHandle&) = delete;
  ~TBitmapHandle();
};

// The bitmap's pixels as 0x00RRGGBB, rows from the bottom (the DIB order).
std::vector<std::uint32_t> ReadPixels32(TBitmap* bitmap);
// Palette bitmaps (1, 4, 8 bits) keep their colour table and indices;
// anything else is reduced to at most 256 colours.
TGIFBitmap BitmapToPlane(TBitmap* bitmap);
// A bitmap of the plane's own depth and colour table.
void PlaneToBitmap(const TGIFBitmap& plane, TBitmap& bitmap);
// A copy of a bitmap handle that someone else owns (the clipboard's).
void CopyBitmapHandle(HBITMAP source, TBitmap& bitmap);
