// LZW encoding with an open-addressing table keyed by (prefix code, pixel);
// the table is cleared and a clear code sent whenever all 4096 codes are used.
#include <GIFLzw.h>

#include <algorithm>
#include <cstring>
#include <memory>

namespace {

constexpr int kHashBits = 13;
constexpr std::uint32_t kHashSize = 1u << kHashBits;
constexpr std::uint32_t kEmpty = 0xFFFFFFFFu;

class CodeWriter {
public:
  explicit CodeWriter(std::vector<std::uint8_t>& out) : out_(out) {}
  void Put(std::uint32_t code, int width) {
    acc_ |= std::uint64_t(code) << nbits_;
    nbits_ += width;
    while (nbits_ >= 8) {
      out_.push_back(std::uint8_t(acc_));
      acc_ >>= 8;
      nbits_ -= 8;
    }
  }
  void Flush() {
    if (nbits_ > 0) out_.push_back(std::uint8_t(acc_));
    acc_ = 0;
    nbits_ = 0;
  }

private:
  std::vector<std::uint8_t>& out_;
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
  codes.reserve(count / 2 + 16);
  CodeWriter w(codes);
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
