#pragma once
// Helpers of the GIF tests: pictures built byte by byte, and file access.
#include "display/GIFPicture.h"

#include <cstdint>
#include <fstream>
#include <initializer_list>
#include <string>
#include <utility>
#include <vector>

namespace giftest {

using Bytes = std::vector<std::uint8_t>;

inline Bytes ReadFile(const std::string& path) {
  std::ifstream f(path, std::ios::binary);
  return Bytes((std::istreambuf_iterator<char>(f)), std::istreambuf_iterator<char>());
}

inline std::string DataDir() { return std::string(XVT_TESTDATA_DIR) + "/gif/"; }

// Builds a GIF field by field; nothing is checked, so broken files are easy.
class GifBuilder {
public:
  Bytes b;
  GifBuilder& Raw(std::initializer_list<int> v) {
    for (int x : v) b.push_back(std::uint8_t(x));
    return *this;
  }
  GifBuilder& Text(const std::string& s) {
    b.insert(b.end(), s.begin(), s.end());
    return *this;
  }
  GifBuilder& Word(int v) { return Raw({v & 0xFF, (v >> 8) & 0xFF}); }
  GifBuilder& Header(const std::string& sig = "GIF89a") { return Text(sig); }
  // Logical screen descriptor; `tableBits` 0 means no global table.
  GifBuilder& Screen(int w, int h, int tableBits = 0, int background = 0) {
    Word(w).Word(h);
    return Raw({tableBits ? (0x80 | 0x70 | (tableBits - 1)) : 0x70, background, 0});
  }
  // 2^bits entries: entry i is (i, 2i, 3i) unless given.
  GifBuilder& Table(int bits, std::vector<TGIFRGB> first = {}) {
    for (int i = 0; i < (1 << bits); ++i) {
      TGIFRGB c = i < int(first.size()) ? first[std::size_t(i)]
                                        : TGIFRGB{std::uint8_t(i), std::uint8_t(2 * i), std::uint8_t(3 * i)};
      Raw({c[0], c[1], c[2]});
    }
    return *this;
  }
  GifBuilder& Gce(int packed, int delay, int transparent) {
    Raw({0x21, 0xF9, 4, packed}).Word(delay);
    return Raw({transparent, 0});
  }
  GifBuilder& Blocks(const std::vector<std::string>& blocks) {
    for (const auto& s : blocks) {
      b.push_back(std::uint8_t(s.size()));
      Text(s);
    }
    return Raw({0});
  }
  GifBuilder& Comment(const std::vector<std::string>& blocks) { return Raw({0x21, 0xFE}).Blocks(blocks); }
  GifBuilder& App(const std::string& id, const std::vector<std::string>& blocks) {
    return Raw({0x21, 0xFF, 11}).Text(id).Blocks(blocks);
  }
  GifBuilder& Loop(int count) { return App("NETSCAPE2.0", {std::string{1, char(count & 0xFF), char(count >> 8)}}); }
  GifBuilder& PlainText() {
    Raw({0x21, 0x01, 12});
    for (int i = 0; i < 12; ++i) b.push_back(0);
    return Blocks({"hi"});
  }
  GifBuilder& Image(int l, int t, int w, int h, int packed = 0) {
    Raw({','}).Word(l).Word(t).Word(w).Word(h);
    return Raw({packed});
  }
  // Codes with explicit widths, packed least significant bit first into
  // sub-blocks of at most `block` bytes, then the empty block.
  GifBuilder& Codes(int minSize, std::initializer_list<std::pair<int, int>> codes, bool terminate = true,
                    std::size_t block = 255) {
    Bytes packed;
    std::uint32_t acc = 0;
    int n = 0;
    for (auto [code, width] : codes) {
      acc |= std::uint32_t(code) << n;
      n += width;
      while (n >= 8) {
        packed.push_back(std::uint8_t(acc));
        acc >>= 8;
        n -= 8;
      }
    }
    if (n) packed.push_back(std::uint8_t(acc));
    b.push_back(std::uint8_t(minSize));
    for (std::size_t p = 0; p < packed.size(); p += block) {
      std::size_t len = std::min(block, packed.size() - p);
      b.push_back(std::uint8_t(len));
      b.insert(b.end(), packed.begin() + std::ptrdiff_t(p), packed.begin() + std::ptrdiff_t(p + len));
    }
    if (terminate) b.push_back(0);
    return *this;
  }
  // Image data from the program's own encoder.
  GifBuilder& Encoded(const Bytes& indices, int minSize) {
    Bytes d = LzwEncode(indices.data(), indices.size(), minSize);
    b.insert(b.end(), d.begin(), d.end());
    return *this;
  }
  GifBuilder& Trailer() { return Raw({';'}); }
};

// A 4-colour picture whose one frame holds `indices` (w x h).
inline Bytes SimpleGif(int w, int h, const Bytes& indices) {
  return GifBuilder().Header().Screen(w, h, 2).Table(2).Image(0, 0, w, h).Encoded(indices, 2).Trailer().b;
}

inline Bytes Plane(const TGIFBitmap& b) { return b.Indices; }

}  // namespace giftest
