// A picture for tests: 0x00RRGGBB pixels in rows top-down, read from and
// written to PNG files.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace testsupport {

constexpr std::uint32_t Rgb(int r, int g, int b) {
  return static_cast<std::uint32_t>(r) << 16 | static_cast<std::uint32_t>(g) << 8 | static_cast<std::uint32_t>(b);
}

struct Image {
  int width = 0;
  int height = 0;
  std::vector<std::uint32_t> pixels;

  Image() = default;
  Image(int w, int h, std::uint32_t fill = 0) : width(w), height(h), pixels(static_cast<std::size_t>(w) * h, fill) {}
  std::uint32_t At(int x, int y) const { return pixels[static_cast<std::size_t>(y) * width + x]; }
  std::uint32_t& At(int x, int y) { return pixels[static_cast<std::size_t>(y) * width + x]; }
};

// False when the file is missing or not a PNG.
bool ReadPng(const std::string& path, Image& image);
bool WritePng(const std::string& path, const Image& image);

}  // namespace testsupport
