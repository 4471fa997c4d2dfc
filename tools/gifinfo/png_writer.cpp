#include "png_writer.h"

#include <zlib.h>

#include <fstream>

namespace {

void Be32(std::vector<std::uint8_t>& b, std::uint32_t v) {
  for (int s = 24; s >= 0; s -= 8) b.push_back(std::uint8_t(v >> s));
}

void Chunk(std::ofstream& out, const char* type, const std::vector<std::uint8_t>& data) {
  std::vector<std::uint8_t> c;
  Be32(c, std::uint32_t(data.size()));
  c.insert(c.end(), type, type + 4);
  c.insert(c.end(), data.begin(), data.end());
  Be32(c, std::uint32_t(crc32(0, c.data() + 4, uInt(c.size() - 4))));
  out.write(reinterpret_cast<const char*>(c.data()), std::streamsize(c.size()));
}

}  // namespace

bool WritePng(const std::string& path, int width, int height, const std::vector<std::uint8_t>& rgba) {
  std::vector<std::uint8_t> raw;
  raw.reserve(std::size_t(height) * (std::size_t(width) * 4 + 1));
  for (int y = 0; y < height; ++y) {
    raw.push_back(0);  // no filter
    auto row = rgba.begin() + std::ptrdiff_t(std::size_t(y) * std::size_t(width) * 4);
    raw.insert(raw.end(), row, row + width * 4);
  }
  uLongf size = compressBound(uLong(raw.size()));
  std::vector<std::uint8_t> z(size);
  if (compress2(z.data(), &size, raw.data(), uLong(raw.size()), 6) != Z_OK) return false;
  z.resize(size);
  std::vector<std::uint8_t> ihdr;
  Be32(ihdr, std::uint32_t(width));
  Be32(ihdr, std::uint32_t(height));
  ihdr.insert(ihdr.end(), {8, 6, 0, 0, 0});  // 8-bit RGBA
  std::ofstream out(path, std::ios::binary);
  out.write("\x89PNG\r\n\x1a\n", 8);
  Chunk(out, "IHDR", ihdr);
  Chunk(out, "IDAT", z);
  Chunk(out, "IEND", {});
  return bool(out);
}
