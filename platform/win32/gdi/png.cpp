// PNG snapshots of surfaces, bitmaps and DCs.
#include "dc.h"
#include "dib.h"

#include <win32/xvt_snapshot.h>

#include <png.h>

#include <cstdio>
#include <memory>
#include <vector>

namespace gdi {

bool SaveSurfacePng(const Surface& s, const char* path) {
  if (!path || s.width <= 0 || s.height <= 0 || !s.bits) return false;
  std::unique_ptr<FILE, int (*)(FILE*)> file(std::fopen(path, "wb"), std::fclose);
  if (!file) return false;
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  if (!png) return false;
  png_infop info = png_create_info_struct(png);
  std::vector<png_byte> row(static_cast<std::size_t>(s.width) * 3);
  if (!info || setjmp(png_jmpbuf(png))) {
    png_destroy_write_struct(&png, info ? &info : nullptr);
    return false;
  }
  png_init_io(png, file.get());
  png_set_IHDR(png, info, static_cast<png_uint_32>(s.width), static_cast<png_uint_32>(s.height), 8,
               PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
  png_write_info(png, info);
  for (int y = 0; y < s.height; ++y) {
    const std::uint32_t* in = s.Row(y);
    for (int x = 0; x < s.width; ++x) {
      row[std::size_t(x) * 3] = png_byte(in[x] >> 16);
      row[std::size_t(x) * 3 + 1] = png_byte(in[x] >> 8);
      row[std::size_t(x) * 3 + 2] = png_byte(in[x]);
    }
    png_write_row(png, row.data());
  }
  png_write_end(png, info);
  png_destroy_write_struct(&png, &info);
  return std::fflush(file.get()) == 0;
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
