// The one PNG writer of the program: snapshots of windows, DCs and bitmaps.
#include <png.h>

#include <backend/backend.h>

#include <cstdio>
#include <memory>
#include <vector>

namespace backend {

bool WritePng(const std::string& path, const PixelView& px) {
  if (!px.pixels || px.width <= 0 || px.height <= 0) return false;
  std::unique_ptr<FILE, int (*)(FILE*)> f(std::fopen(path.c_str(), "wb"), &std::fclose);
  if (!f) return false;
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  if (!png) return false;
  png_infop info = png_create_info_struct(png);
  if (!info) {
    png_destroy_write_struct(&png, nullptr);
    return false;
  }
  const std::size_t channels = px.alpha ? 4 : 3;
  std::vector<png_byte> row(static_cast<std::size_t>(px.width) * channels);
  if (setjmp(png_jmpbuf(png))) {
    png_destroy_write_struct(&png, &info);
    return false;
  }
  png_init_io(png, f.get());
  png_set_IHDR(png, info, static_cast<png_uint_32>(px.width), static_cast<png_uint_32>(px.height), 8,
               px.alpha ? PNG_COLOR_TYPE_RGB_ALPHA : PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
  png_write_info(png, info);
  for (int y = 0; y < px.height; ++y) {
    const std::uint32_t* src = px.pixels + static_cast<std::ptrdiff_t>(y) * px.stride;
    for (int x = 0; x < px.width; ++x) {
      png_byte* out = &row[static_cast<std::size_t>(x) * channels];
      out[0] = static_cast<png_byte>(src[x] >> 16);
      out[1] = static_cast<png_byte>(src[x] >> 8);
      out[2] = static_cast<png_byte>(src[x]);
      if (px.alpha) out[3] = static_cast<png_byte>(src[x] >> 24);
    }
    png_write_row(png, row.data());
  }
  png_write_end(png, nullptr);
  png_destroy_write_struct(&png, &info);
  return std::fflush(f.get()) == 0;
}

}  // namespace backend
