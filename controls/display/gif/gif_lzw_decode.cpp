// LZW decoding straight into the index plane: each code's string is unwound
// from its last pixel backwards into the output, so no stack or per-code
// allocation is needed; a length table tells where the string ends.
#include "display/GIFError.h"
#include "display/GIFLzw.h"

#include <algorithm>
#include <bit>
#include <cstring>
#include <memory>

namespace {

constexpr int kMaxCodes = 4096;
constexpr std::uint32_t kMaxString = 4096;

// Prefix and suffix side by side, so one cache line serves both while a
// string is unwound.
struct Entry {
  std::uint16_t prefix;
  std::uint8_t suffix;
  std::uint8_t unused;
};
struct Tables {
  Entry e[kMaxCodes];
  std::uint16_t length[kMaxCodes];
};

// Bits of the concatenated sub-blocks, least significant first, with eight
// zero bytes of slack so a code is one unaligned load.
class BitSource {
public:
  explicit BitSource(std::span<const std::uint8_t> data) {
    bytes_.reserve(data.size() + 8);
    std::size_t p = 1;
    while (p < data.size()) {
      std::size_t n = data[p++];
      if (n == 0) break;
      n = std::min(n, data.size() - p);  // a cut block gives what is there
      bytes_.insert(bytes_.end(), data.begin() + std::ptrdiff_t(p), data.begin() + std::ptrdiff_t(p + n));
      p += n;
    }
    total_ = std::uint64_t(bytes_.size()) * 8;
    bytes_.resize(bytes_.size() + 8, 0);
  }
  bool Read(int width, std::uint32_t& code) {
    if (pos_ + std::uint64_t(width) > total_) return false;
    std::uint64_t v;
    if constexpr (std::endian::native == std::endian::little) {
      std::memcpy(&v, bytes_.data() + (pos_ >> 3), 8);
    } else {
      const std::uint8_t* b = bytes_.data() + (pos_ >> 3);
      v = std::uint64_t(b[0]) | std::uint64_t(b[1]) << 8 | std::uint64_t(b[2]) << 16;
    }
    code = std::uint32_t(v >> (pos_ & 7)) & ((1u << width) - 1);
    pos_ += std::uint64_t(width);
    return true;
  }
  int Percent() const { return total_ ? int(pos_ * 100 / total_) : 100; }

private:
  std::vector<std::uint8_t> bytes_;
  std::uint64_t total_ = 0, pos_ = 0;
};

// Writes the string of `code` (length `len`) at out[cur..], dropping what
// falls at or beyond `total`. Returns the first pixel of the string.
inline std::uint8_t Unwind(const Tables& t, std::uint32_t code, std::uint32_t len, std::uint8_t* out,
                           std::size_t cur, std::size_t total) {
  std::size_t end = cur + len;
  while (end > total) {  // only the last string of a frame is clipped
    code = t.e[code].prefix;
    --end;
  }
  std::uint8_t* p = out + end;
  std::uint8_t* const stop = out + cur + 1;
  while (p > stop) {
    const Entry en = t.e[code];
    *--p = en.suffix;
    code = en.prefix;
  }
  std::uint8_t first = t.e[code].suffix;
  if (end > cur) out[cur] = first;
  return first;
}

struct Decoder {
  Tables t;
  std::uint32_t clear = 0, eoi = 0, next = 0, limit = 0;
  int size = 0, width = 0;
  bool full = false;

  void Reset() {
    width = size + 1;
    limit = 1u << width;
    next = clear + 2;
    full = false;
  }
  void Define(std::uint32_t prev, std::uint8_t first) {
    if (full) return;
    t.e[next] = Entry{std::uint16_t(prev), first, 0};
    t.length[next] = std::uint16_t(t.length[prev] + 1);
    if (++next == limit) {
      if (width < 12) {
        ++width;
        limit <<= 1;
      } else {
        full = true;
      }
    }
  }
};

void Deinterlace(const std::uint8_t* flat, int w, int h, std::uint8_t* plane) {
  static constexpr int start[4] = {0, 4, 2, 1}, step[4] = {8, 8, 4, 2};
  int src = 0;
  for (int pass = 0; pass < 4 && src < h; ++pass)
    for (int row = start[pass]; row < h && src < h; row += step[pass], ++src)
      std::memcpy(plane + std::size_t(row) * std::size_t(w), flat + std::size_t(src) * std::size_t(w), std::size_t(w));
}

}  // namespace

bool LzwDecode(std::span<const std::uint8_t> data, const TLzwDecodeParams& params, std::uint8_t* plane) {
  if (params.Width <= 0 || params.Height <= 0) return false;
  if (data.empty()) return true;
  bool corrupt = false;
  auto d = std::make_unique_for_overwrite<Decoder>();
  d->size = data[0];
  if (d->size < 2 || d->size > 9) {
    if (!params.Tolerate) throw EInvalidGraphicOperation(gifmsg::CodeSizeRange);
    corrupt = true;
    d->size = std::clamp(d->size, 2, 9);
  }
  d->clear = 1u << d->size;
  d->eoi = d->clear + 1;
  const std::uint32_t rootMask = (1u << std::clamp(params.BitsPerPixel, 1, 8)) - 1;
  // Every entry starts as a valid root so that no code, however bad, can
  // lead a chain outside the table; the roots then get their pixels.
  std::memset(&d->t, 0, sizeof d->t);
  for (std::uint32_t i = 0; i < d->clear; ++i) {
    d->t.e[i].suffix = std::uint8_t(i & rootMask);
    d->t.length[i] = 1;
  }
  d->Reset();

  const std::size_t total = std::size_t(params.Width) * std::size_t(params.Height);
  std::vector<std::uint8_t> flat;
  std::uint8_t* out = plane;
  if (params.Interlaced) {
    flat.assign(total, 0);
    out = flat.data();
  }
  BitSource bits(data);
  std::size_t cur = 0;
  std::int64_t prev = -1;
  int reported = 0;
  while (cur < total) {
    std::uint32_t code;
    if (!bits.Read(d->width, code)) { corrupt = true; break; }
    if (code == d->eoi) break;
    if (code == d->clear) {
      d->Reset();
      // Repeated clears are allowed; a clear directly followed by the end
      // code is an empty run, not a pixel.
      do {
        if (!bits.Read(d->width, code)) { corrupt = true; break; }
      } while (code == d->clear);
      if (corrupt || code == d->eoi) break;
      // Nothing is defined yet, so anything but a root is bad data.
      if (code >= d->clear) { corrupt = true; break; }
      out[cur++] = d->t.e[code].suffix;
      prev = code;
    } else {
      std::uint8_t first;
      std::uint32_t len;
      const std::uint32_t before = d->next;
      if (code < before) {
        len = d->t.length[code];
        first = Unwind(d->t, code, len, out, cur, total);
      } else {  // not yet defined: the previous string plus its own first pixel
        if (prev < 0) { corrupt = true; break; }
        len = std::uint32_t(d->t.length[prev]) + 1;
        first = Unwind(d->t, std::uint32_t(prev), len - 1, out, cur, total);
        if (cur + len <= total) out[cur + len - 1] = first;
      }
      if (len > kMaxString) {
        if (!params.Tolerate) throw EInvalidGraphicOperation(gifmsg::DataCorrupt);
        corrupt = true;
        break;
      }
      if (prev >= 0) d->Define(std::uint32_t(prev), first);
      cur = std::min(total, cur + len);
      prev = code < before ? code : before;  // the entry just defined
    }
    if (corrupt) break;
    if (params.Progress && *params.Progress) {
      int pct = bits.Percent();
      if (pct != reported) (*params.Progress)(psRunning, reported = pct, std::string());
    }
  }
  if (params.Interlaced) Deinterlace(flat.data(), params.Width, params.Height, plane);
  return corrupt;
}
