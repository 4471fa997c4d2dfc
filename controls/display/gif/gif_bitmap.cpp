// Colour tables and the device-independent forms of a decoded frame.
#include "display/GIFTypes.h"

namespace {

void Put16(std::vector<std::uint8_t>& b, std::uint32_t v) {
  b.push_back(std::uint8_t(v));
  b.push_back(std::uint8_t(v >> 8));
}
void Put32(std::vector<std::uint8_t>& b, std::uint32_t v) {
  Put16(b, v & 0xFFFF);
  Put16(b, v >> 16);
}

}  // namespace

int TGIFColorTable::IndexOf(TColor color) const {
  for (int i = 0; i < Count && i < 256; ++i)
    if (Color(i) == color) return i;
  return -1;
}

int GIFBitsForColorCount(int count) {
  for (int bits = 1; bits <= 8; ++bits)
    if (count == (1 << bits)) return bits;
  return 0;
}

std::vector<std::uint32_t> TGIFBitmap::Rgb32() const {
  std::vector<std::uint32_t> lut(256, 0);
  for (std::size_t i = 0; i < Palette.size() && i < 256; ++i)
    lut[i] = std::uint32_t(Palette[i][0]) << 16 | std::uint32_t(Palette[i][1]) << 8 | Palette[i][2];
  std::vector<std::uint32_t> out(Indices.size());
  for (std::size_t i = 0; i < Indices.size(); ++i) out[i] = lut[Indices[i]];
  return out;
}

std::vector<std::uint8_t> TGIFBitmap::ToBmp() const {
  const int bits = BitCount == 1 ? 1 : BitCount == 4 ? 4 : 8;
  const std::uint32_t w = std::uint32_t(Width > 0 ? Width : 0), h = std::uint32_t(Height > 0 ? Height : 0);
  const std::uint32_t stride = ((w * std::uint32_t(bits) + 31) / 32) * 4;
  const std::uint32_t image = stride * h;
  const std::uint32_t colors = 1u << bits;
  const std::uint32_t offset = 54 + 4 * colors;
  std::vector<std::uint8_t> b;
  b.reserve(offset + image);
  b.push_back('B');
  b.push_back('M');
  Put32(b, image + offset);
  Put32(b, 0);
  Put32(b, offset);
  Put32(b, 40);
  Put32(b, w);
  Put32(b, h);  // positive: rows bottom-up
  Put16(b, 1);
  Put16(b, std::uint32_t(bits));
  Put32(b, 0);
  Put32(b, image);
  for (int i = 0; i < 4; ++i) Put32(b, 0);
  for (std::uint32_t i = 0; i < colors; ++i) {
    if (i < Palette.size()) {
      b.insert(b.end(), {Palette[i][2], Palette[i][1], Palette[i][0], 0});
    } else {
      b.insert(b.end(), {128, 128, 128, 128});
    }
  }
  b.resize(offset + image, 0);
  for (std::uint32_t r = 0; r < h; ++r) {
    std::uint8_t* row = b.data() + offset + std::size_t(h - 1 - r) * stride;
    const std::uint8_t* src = Indices.data() + std::size_t(r) * w;
    for (std::uint32_t x = 0; x < w; ++x) {
      const std::uint8_t v = src[x];
      if (bits == 8) {
        row[x] = v;
      } else if (bits == 4) {
        row[x >> 1] |= std::uint8_t((v & 15) << ((x & 1) ? 0 : 4));
      } else {
        row[x >> 3] |= std::uint8_t((v & 1) << (7 - (x & 7)));
      }
    }
  }
  return b;
}
