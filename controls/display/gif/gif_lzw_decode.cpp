// LZW decoding straight into the index plane. A code's string is always a
// run of pixels written before: the string of the code defined after `prev`
// is prev's string where it was written plus the pixel after it. So the
// table keeps only where each string starts in the output and its length,
// and a code is decoded by copying that run forward (overlapping copies,
// as the not-yet-defined code needs, come out right byte by byte).
#include "display/GIFError.h"
#include "display/GIFLzw.h"

#include <algorithm>
#include <bit>
#include <cstring>
#include <memory>

namespace {

constexpr int kMaxCodes = 4096;

// Reads codes straight from the sub-blocks, least significant bit first,
// through a 64-bit buffer: eight bytes at a time inside a block, byte by
// byte across the block boundaries.
class BitSource {
 public:
  explicit BitSource(std::span<const std::uint8_t> data)
      : p_(data.data() + 1), end_(data.data() + data.size()), total_(data.size()) {}
  bool Read(int width, std::uint32_t& code) {
    if (count_ < width) {
      Refill();
      if (count_ < width) return false;
    }
    code = std::uint32_t(bits_) & ((1u << width) - 1);
    bits_ >>= width;
    count_ -= width;
    return true;
  }
  int Percent() const {
    const std::size_t done = total_ - std::size_t(end_ - p_);
    return total_ ? int(done * 100 / total_) : 100;
  }

 private:
  void Refill() {
    if (left_ >= 8 && end_ - p_ >= 8) {
      std::uint64_t v;
      std::memcpy(&v, p_, 8);
      if constexpr (std::endian::native == std::endian::big) v = Swap(v);
      const int take = (63 - count_) >> 3;  // whole bytes that fit
      bits_ |= v << count_;
      count_ += take * 8;
      bits_ &= (std::uint64_t(1) << count_) - 1;  // drop the bytes not taken
      p_ += take;
      left_ -= std::size_t(take);
      return;
    }
    while (count_ <= 56) {
      if (left_ == 0) {
        if (p_ >= end_ || *p_ == 0) return;  // the terminator, or the data end
        left_ = *p_++;
        continue;
      }
      if (p_ >= end_) return;  // a cut block gives what is there
      bits_ |= std::uint64_t(*p_++) << count_;
      count_ += 8;
      --left_;
    }
  }
  static std::uint64_t Swap(std::uint64_t v) {
    std::uint64_t r = 0;
    for (int i = 0; i < 8; ++i) r = r << 8 | ((v >> (8 * i)) & 0xFF);
    return r;
  }

  const std::uint8_t* p_;
  const std::uint8_t* end_;
  std::size_t total_;
  std::size_t left_ = 0;  // bytes still in the current sub-block
  std::uint64_t bits_ = 0;
  int count_ = 0;
};

// Where each code's string starts in the output and how long it is; the
// roots' pixels. The state that changes per code lives in locals of the
// loop, where stores through the pixel pointer cannot make it reload.
struct Tables {
  std::size_t start[kMaxCodes];
  std::uint16_t length[kMaxCodes];
  std::uint8_t root[kMaxCodes];
};

// Copies out[from, from + n) to out[to, ...), from < to; byte by byte
// where the runs overlap closer than a word, so that a run repeats itself.
// The wide copy may write up to 7 bytes past the run, which only later
// strings overwrite, and never past `total`.
inline void CopyRun(std::uint8_t* out, std::size_t from, std::size_t to, std::size_t n, std::size_t total) {
  if (to - from >= 8 && to + n + 8 <= total) {
    std::memcpy(out + to, out + from, 8);  // most strings are this short
    for (std::size_t i = 8; i < n; i += 8) std::memcpy(out + to + i, out + from + i, 8);
    return;
  }
  for (std::size_t i = 0; i < n; ++i) out[to + i] = out[from + i];
}

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
  int size = data[0];
  if (size < 2 || size > 9) {
    if (!params.Tolerate) throw EInvalidGraphicOperation(gifmsg::CodeSizeRange);
    corrupt = true;
    size = std::clamp(size, 2, 9);
  }
  auto tables = std::make_unique_for_overwrite<Tables>();
  std::size_t* const start = tables->start;
  std::uint16_t* const length = tables->length;
  std::uint8_t* const root = tables->root;
  const std::uint32_t clear = 1u << size, eoi = clear + 1;
  const std::uint32_t rootMask = (1u << std::clamp(params.BitsPerPixel, 1, 8)) - 1;
  for (std::uint32_t i = 0; i < clear; ++i) root[i] = std::uint8_t(i & rootMask);
  int width = size + 1;
  std::uint32_t next = clear + 2, limit = 1u << width;
  bool full = false;

  const std::size_t total = std::size_t(params.Width) * std::size_t(params.Height);
  std::vector<std::uint8_t> flat;
  std::uint8_t* out = plane;
  if (params.Interlaced) {
    flat.assign(total, 0);
    out = flat.data();
  }
  BitSource bits(data);
  std::size_t cur = 0;
  // Where the previous code's string was written, and its length; 0 when
  // there is none since the last clear.
  std::size_t prevAt = 0;
  std::uint32_t prevLen = 0;
  int reported = 0;
  const TGIFProgress* progress = params.Progress && *params.Progress ? params.Progress : nullptr;
  while (cur < total) {
    std::uint32_t code;
    if (!bits.Read(width, code)) { corrupt = true; break; }
    std::uint32_t len;
    if (code < clear) {
      out[cur] = root[code];
      len = 1;
    } else if (code >= eoi + 1 && code < next) {
      len = length[code];
      CopyRun(out, start[code], cur, std::min<std::size_t>(len, total - cur), total);
    } else if (code == clear) {
      width = size + 1;
      limit = 1u << width;
      next = clear + 2;
      full = false;
      prevLen = 0;
      continue;  // repeated clears are allowed
    } else if (code == eoi) {
      break;
    } else if (code >= next && prevLen > 0) {
      // Not yet defined (or, in bad data, beyond the table): the previous
      // string and its own first pixel, which the overlapping copy repeats.
      len = prevLen + 1;
      CopyRun(out, prevAt, cur, std::min<std::size_t>(len, total - cur), total);
    } else {
      // Nothing defined after a clear, or a code beyond the table.
      corrupt = true;
      break;
    }
    if (prevLen > 0 && !full) {
      start[next] = prevAt;
      length[next] = std::uint16_t(prevLen + 1);
      if (++next == limit) {
        if (width < 12) {
          ++width;
          limit <<= 1;
        } else {
          full = true;
        }
      }
    }
    prevAt = cur;
    prevLen = len;
    cur = std::min(total, cur + len);
    if (progress) {
      int pct = bits.Percent();
      if (pct != reported) (*progress)(psRunning, reported = pct, std::string());
    }
  }
  // A wide copy may have run past where the data ended: those pixels go
  // back to the zero the plane was filled with.
  if (cur < total) std::fill(out + cur, out + std::min(total, cur + 8), std::uint8_t(0));
  if (params.Interlaced) Deinterlace(flat.data(), params.Width, params.Height, plane);
  return corrupt;
}
