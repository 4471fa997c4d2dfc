// Colour reduction: exact palettes for few colours, median cut for many.
#include "display/GIFQuantize.h"

#include <algorithm>
#include <unordered_map>

namespace {

struct Entry {
  std::uint32_t color;  // 0x00RRGGBB
  std::uint32_t count;
};

int Channel(std::uint32_t c, int axis) { return int((c >> (16 - 8 * axis)) & 0xFF); }

// A box of the histogram: entries [begin, end) of one array.
struct Box {
  std::size_t begin, end;
  std::uint64_t pixels = 0;
  int axis = 0;   // the channel with the widest range
  int range = 0;  // that range
};

void Measure(Box& b, const std::vector<Entry>& e) {
  int lo[3] = {255, 255, 255}, hi[3] = {0, 0, 0};
  b.pixels = 0;
  for (std::size_t i = b.begin; i < b.end; ++i) {
    b.pixels += e[i].count;
    for (int a = 0; a < 3; ++a) {
      lo[a] = std::min(lo[a], Channel(e[i].color, a));
      hi[a] = std::max(hi[a], Channel(e[i].color, a));
    }
  }
  b.range = -1;
  for (int a = 0; a < 3; ++a)
    if (hi[a] - lo[a] > b.range) b.range = hi[a] - lo[a], b.axis = a;
}

// Splits at the pixel-weighted median of the widest channel, so that busy
// colours get entries of their own before rare ones.
bool Split(Box& b, Box& rest, std::vector<Entry>& e) {
  if (b.end - b.begin < 2 || b.range <= 0) return false;
  const int axis = b.axis;
  std::sort(e.begin() + std::ptrdiff_t(b.begin), e.begin() + std::ptrdiff_t(b.end),
            [axis](const Entry& x, const Entry& y) { return Channel(x.color, axis) < Channel(y.color, axis); });
  std::uint64_t half = b.pixels / 2, seen = 0;
  std::size_t cut = b.begin + 1;
  for (std::size_t i = b.begin; i < b.end - 1; ++i) {
    seen += e[i].count;
    cut = i + 1;
    if (seen >= half) break;
  }
  rest = Box{cut, b.end};
  b.end = cut;
  Measure(b, e);
  Measure(rest, e);
  return true;
}

std::vector<std::uint32_t> MedianCut(std::vector<Entry> e, std::size_t colors) {
  std::vector<Box> boxes{Box{0, e.size()}};
  Measure(boxes[0], e);
  while (boxes.size() < colors) {
    // Busy boxes first, so common colours are fine-grained; the last quarter
    // goes by extent alone, so a rare colour far from the rest gets an entry.
    const bool byExtent = boxes.size() >= colors * 3 / 4;
    auto weight = [byExtent](const Box& b) { return std::uint64_t(b.range) * (byExtent ? 1 : b.pixels); };
    auto worst = std::max_element(boxes.begin(), boxes.end(),
                                  [&](const Box& x, const Box& y) { return weight(x) < weight(y); });
    Box rest{};
    if (worst->range <= 0 || !Split(*worst, rest, e)) break;
    boxes.push_back(rest);
  }
  std::vector<std::uint32_t> palette;
  for (const Box& b : boxes) {
    std::uint64_t sum[3] = {0, 0, 0};
    for (std::size_t i = b.begin; i < b.end; ++i)
      for (int a = 0; a < 3; ++a) sum[a] += std::uint64_t(Channel(e[i].color, a)) * e[i].count;
    std::uint32_t c = 0;
    for (int a = 0; a < 3; ++a) c = (c << 8) | std::uint32_t((sum[a] + b.pixels / 2) / std::max<std::uint64_t>(b.pixels, 1));
    palette.push_back(c);
  }
  return palette;
}

int Nearest(std::uint32_t c, const std::vector<std::uint32_t>& palette) {
  int best = 0;
  long long bestDistance = -1;
  for (std::size_t i = 0; i < palette.size(); ++i) {
    long long d = 0;
    for (int a = 0; a < 3; ++a) {
      const long long k = Channel(c, a) - Channel(palette[i], a);
      d += k * k;
    }
    if (bestDistance < 0 || d < bestDistance) best = int(i), bestDistance = d;
  }
  return best;
}

}  // namespace

TGIFBitmap GIFQuantize(const std::uint32_t* pixels, int width, int height) {
  TGIFBitmap out;
  if (width <= 0 || height <= 0) return out;
  const std::size_t n = std::size_t(width) * std::size_t(height);
  // Colour -> index into `entries` while counting, then -> palette index.
  std::unordered_map<std::uint32_t, std::uint32_t> slot;
  std::vector<Entry> entries;
  for (std::size_t i = 0; i < n; ++i) {
    const std::uint32_t c = pixels[i] & 0xFFFFFF;
    auto [it, fresh] = slot.try_emplace(c, std::uint32_t(entries.size()));
    if (fresh) entries.push_back({c, 0});
    ++entries[it->second].count;
  }
  std::vector<std::uint32_t> palette;
  if (entries.size() <= 256) {
    for (const Entry& e : entries) palette.push_back(e.color);
  } else {
    palette = MedianCut(entries, 256);
    for (auto& [color, index] : slot) index = std::uint32_t(Nearest(color, palette));
  }
  out.BitCount = palette.size() <= 2 ? 1 : palette.size() <= 16 ? 4 : 8;
  out.Width = width;
  out.Height = height;
  out.Palette.assign(std::size_t(1) << out.BitCount, TGIFRGB{0, 0, 0});
  for (std::size_t i = 0; i < palette.size(); ++i)
    out.Palette[i] = TGIFRGB{std::uint8_t(palette[i] >> 16), std::uint8_t(palette[i] >> 8), std::uint8_t(palette[i])};
  out.Indices.resize(n);
  for (std::size_t i = 0; i < n; ++i) out.Indices[i] = std::uint8_t(slot[pixels[i] & 0xFFFFFF]);
  return out;
}
