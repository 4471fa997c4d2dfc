#pragma once
#include <cstdint>
#include <vector>

namespace artwork {

// A palette picture: one index a pixel, rows top first.
struct Indexed {
  int width = 0, height = 0;
  std::vector<std::uint8_t> pixels;

  Indexed(int w, int h, std::uint8_t fill = 0) : width(w), height(h), pixels(std::size_t(w) * h, fill) {}
  void Set(int x, int y, std::uint8_t index) {
    if (x >= 0 && y >= 0 && x < width && y < height) pixels[std::size_t(y) * width + x] = index;
  }
  std::uint8_t At(int x, int y) const { return pixels[std::size_t(y) * width + x]; }
};

// An animation as a GIF89a file holds it: one global palette, every frame
// the whole logical screen with the same delay and disposal.
struct Animation {
  int width = 0, height = 0;
  std::vector<std::uint32_t> palette;  // 0xRRGGBB, a power of two long
  int delayMs = 0;
  int disposal = 0;
  int transparent = -1;  // index, or -1 for none
  std::vector<Indexed> frames;
};

// RGBA rows of a palette picture; `transparent` (when not -1) gets alpha 0.
std::vector<std::uint8_t> ToRgba(const Indexed& picture, const std::vector<std::uint32_t>& palette,
                                 int transparent = -1);

}  // namespace artwork
