// PNG snapshots of surfaces, bitmaps and DCs.
#include "dc.h"
#include "dib.h"

#include <win32/xvt_snapshot.h>

#include <backend/backend.h>

namespace gdi {

bool SaveSurfacePng(const Surface& s, const char* path) {
  if (!path || s.width <= 0 || s.height <= 0 || !s.bits) return false;
  return backend::WritePng(path, backend::PixelView{s.bits, s.width, s.height, static_cast<int>(s.stride)});
}

}  // namespace gdi

BOOL xvtSaveBitmapPng(HBITMAP bitmap, const char* path) {
  auto s = gdi::BitmapSurface(bitmap);
  return s && gdi::SaveSurfacePng(*s, path);
}

BOOL xvtSaveDCPng(HDC hdc, const char* path) {
  auto s = gdi::DCSurface(hdc, nullptr);
  return s && gdi::SaveSurfacePng(*s, path);
}
