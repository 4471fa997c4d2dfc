#include "gif_file.h"

#include <stdexcept>

#include "display/GIFLzw.h"

namespace artwork {

namespace {

void Word(std::vector<std::uint8_t>& out, int v) {
  out.push_back(std::uint8_t(v & 0xFF));
  out.push_back(std::uint8_t((v >> 8) & 0xFF));
}

int TableBits(std::size_t entries) {
  int bits = 1;
  while ((std::size_t(1) << bits) < entries) ++bits;
  if ((std::size_t(1) << bits) != entries || bits > 8) throw std::invalid_argument("palette of 2..256 entries");
  return bits;
}

}  // namespace

std::vector<std::uint8_t> EncodeGif(const Animation& a) {
  const int bits = TableBits(a.palette.size());
  std::vector<std::uint8_t> out = {'G', 'I', 'F', '8', '9', 'a'};
  Word(out, a.width);
  Word(out, a.height);
  out.push_back(std::uint8_t(0x80 | ((bits - 1) << 4) | (bits - 1)));  // global table, its size
  out.push_back(0);  // background index
  out.push_back(0);  // no aspect ratio
  for (std::uint32_t rgb : a.palette) {
    out.push_back(std::uint8_t(rgb >> 16));
    out.push_back(std::uint8_t(rgb >> 8));
    out.push_back(std::uint8_t(rgb));
  }
  // Loop for ever.
  const char netscape[] = "NETSCAPE2.0";
  out.insert(out.end(), {0x21, 0xFF, 11});
  out.insert(out.end(), netscape, netscape + 11);
  out.insert(out.end(), {3, 1, 0, 0, 0});
  for (const Indexed& frame : a.frames) {
    const bool transparent = a.transparent >= 0;
    out.insert(out.end(), {0x21, 0xF9, 4, std::uint8_t((a.disposal << 2) | (transparent ? 1 : 0))});
    Word(out, a.delayMs / 10);
    out.push_back(std::uint8_t(transparent ? a.transparent : 0));
    out.push_back(0);
    out.push_back(',');
    Word(out, 0);
    Word(out, 0);
    Word(out, frame.width);
    Word(out, frame.height);
    out.push_back(0);  // no local table, not interlaced
    std::vector<std::uint8_t> data = LzwEncode(frame.pixels.data(), frame.pixels.size(), bits < 2 ? 2 : bits);
    out.insert(out.end(), data.begin(), data.end());
  }
  out.push_back(';');
  return out;
}

std::vector<std::uint8_t> ToRgba(const Indexed& p, const std::vector<std::uint32_t>& palette, int transparent) {
  std::vector<std::uint8_t> rgba;
  rgba.reserve(p.pixels.size() * 4);
  for (std::uint8_t i : p.pixels) {
    std::uint32_t rgb = palette.at(i);
    rgba.insert(rgba.end(), {std::uint8_t(rgb >> 16), std::uint8_t(rgb >> 8), std::uint8_t(rgb),
                             std::uint8_t(int(i) == transparent ? 0 : 255)});
  }
  return rgba;
}

}  // namespace artwork
