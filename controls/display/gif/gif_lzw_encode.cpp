// LZW encoding with an open-addressing table keyed by (prefix code, pixel);
// the table is cleared and a clear code sent whenever all 4096 codes are used.
#include "display/GIFLzw.h"

#include <algorithm>
#include <cstring>
#include <memory>

namespace {

constexpr int kHashBits = 13;
constexpr std::uint32_t kHashSize = 1u << kHashBits;
constexpr std::uint32_t kEmpty = 0xFFFFFFFFu;

// Codes packed least significant bit first. Every pixel yields at most one
// code of at most 12 bits (plus clears), so the buffer is sized up front.
class CodeWriter {
public:
  CodeWriter(std::vector<std::uint8_t>& out, std::size_t maxCodes) : out_(out) {
    out_.resize(maxCodes * 12 / 8 + 16);
  }
  void Put(std::uint32_t code, int width) {
    acc_ |= std::uint64_t(code) << nbits_;
    nbits_ += width;
    if (nbits_ >= 32) {
      for (int i = 0; i < 4; ++i) out_[len_++] = std::uint8_t(acc_ >> (8 * i));
      acc_ >>= 32;
      nbits_ -= 32;
    }
  }
  void Flush() {
    for (; nbits_ > 0; nbits_ -= 8, acc_ >>= 8) out_[len_++] = std::uint8_t(acc_);
    out_.resize(len_);
  }

private:
  std::vector<std::uint8_t>& out_;
  std::size_t len_ = 0;
  std::uint64_t acc_ = 0;
  int nbits_ = 0;
};

struct Dictionary {
  std::uint32_t keys[kHashSize];
  std::uint16_t codes[kHashSize];
  void Clear() { std::memset(keys, 0xFF, sizeof keys); }
  static std::uint32_t Slot(std::uint32_t key) { return (key * 2654435761u) >> (32 - kHashBits); }
  // Code of (prefix, pixel), or the slot where it would go as ~slot.
  std::int32_t Find(std::uint32_t key, std::uint32_t& slot) const {
    std::uint32_t h = Slot(key);
    while (keys[h] != kEmpty) {
      if (keys[h] == key) return codes[h];
      h = (h + 1) & (kHashSize - 1);
    }
    slot = h;
    return -1;
  }
};

// Cuts the code bytes into sub-blocks of at most 255 bytes after the code size byte.
std::vector<std::uint8_t> Blocks(const std::vector<std::uint8_t>& codes, int minCodeSize) {
  std::vector<std::uint8_t> out;
  out.reserve(codes.size() + codes.size() / 255 + 3);
  out.push_back(std::uint8_t(minCodeSize));
  for (std::size_t p = 0; p < codes.size(); p += 255) {
    std::size_t n = std::min<std::size_t>(255, codes.size() - p);
    out.push_back(std::uint8_t(n));
    out.insert(out.end(), codes.begin() + std::ptrdiff_t(p), codes.begin() + std::ptrdiff_t(p + n));
  }
  out.push_back(0);
  return out;
}

}  // namespace

std::vector<std::uint8_t> LzwEncode(const std::uint8_t* indices, std::size_t count, int minCodeSize) {
  minCodeSize = std::clamp(minCodeSize, 2, 8);
  const std::uint32_t clear = 1u << minCodeSize, eoi = clear + 1;
  const std::uint8_t mask = std::uint8_t((1u << minCodeSize) - 1);
  std::vector<std::uint8_t> codes;
  CodeWriter w(codes, count + count / 2048 + 4);
  auto dict = std::make_unique<Dictionary>();
  dict->Clear();
  int width = minCodeSize + 1;
  std::uint32_t next = clear + 2;
  w.Put(clear, width);
  if (count > 0) {
    std::uint32_t prefix = indices[0] & mask;
    for (std::size_t i = 1; i < count; ++i) {
      const std::uint32_t px = indices[i] & mask;
      const std::uint32_t key = (prefix << 8) | px;
      std::uint32_t slot;
      const std::int32_t found = dict->Find(key, slot);
      if (found >= 0) {
        prefix = std::uint32_t(found);
        continue;
      }
      w.Put(prefix, width);
      if (next < 4096) {
        dict->keys[slot] = key;
        dict->codes[slot] = std::uint16_t(next);
        // The decoder widens one code later than it defines, so widen
        // once the code just added no longer fits.
        if (next == (1u << width) && width < 12) ++width;
        ++next;
      } else {
        w.Put(clear, width);
        dict->Clear();
        width = minCodeSize + 1;
        next = clear + 2;
      }
      prefix = px;
    }
    w.Put(prefix, width);
    if (next == (1u << width) && width < 12) ++width;
  }
  w.Put(eoi, width);
  w.Flush();
  return Blocks(codes, minCodeSize);
}
