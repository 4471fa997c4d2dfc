#include "glyphs.h"

#include <cmath>

namespace artwork {

namespace {

using Rows = std::array<const char*, 16>;

// One letter a colour; '.' is see-through.
std::uint8_t Ink(char c) {
  switch (c) {
    case 'k': return 0;
    case 'm': return 1;
    case 'G': return 2;
    case 'o': return 3;
    case 'n': return 4;
    case 'a': return 7;
    case 's': return 8;
    case 'r': return 9;
    case 'l': return 10;
    case 'y': return 11;
    case 'b': return 12;
    case 'w': return 15;
    default: return kFuchsia;
  }
}

constexpr Rows kOpen = {
    "................", "................", "................", ".kkkkk..........",
    "kwyyyyk.........", "kyyyyyykkkkkkkk.", "kwyyyyyyyyyyyyk.", "kyyyyyyyyyyyyyk.",
    "kwyyyyyyyyyyyyk.", "kyyyyyyyyyyyyyk.", "kwyyyyyyyyyyyyk.", "kyyyyyyyyyyyyyk.",
    "koooooooooooook.", "kkkkkkkkkkkkkkk.", "................", "................",
};

constexpr Rows kRefresh = {
    "................", "......GGGG......", "....GGllllGG.G..", "...Gl......GlG..",
    "..Gl.......GlG..", "..Gl......GllG..", ".Gl.......GGGG..", ".Gl.............",
    ".............lG.", "..GGGG.......lG.", "..GllG......lG..", "..GlG.......lG..",
    "..GlG......lG...", "..G.GGllllGG....", "......GGGG......", "................",
};

constexpr Rows kInstall = {
    "................", "......kkkk......", "......kllk......", "......kGlk......",
    "......kGlk......", "......kGlk......", "...kkkkGlkkkk...", "....kGGGllGk....",
    ".....kGGlGk.....", "......kGGk......", ".k.....kk.....k.", ".ks..........sk.",
    ".kwwwwwwwwwwwwk.", ".kaaaaaaaaaaaak.", ".kkkkkkkkkkkkkk.", "................",
};

constexpr Rows kRemove = {
    "................", "................", "..mm........mm..", "..mrm......mrm..",
    "...mrm....mrm...", "....mrm..mrm....", ".....mrmmrm.....", "......mrrm......",
    "......mrrm......", ".....mrmmrm.....", "....mrm..mrm....", "...mrm....mrm...",
    "..mrm......mrm..", "..mm........mm..", "................", "................",
};

// Pixels whose centre lies within `r` of (cx, cy).
bool InDisc(int x, int y, double cx, double cy, double r) {
  double dx = x + 0.5 - cx, dy = y + 0.5 - cy;
  return dx * dx + dy * dy <= r * r;
}

// Distance from a pixel's centre to the segment (x0, y0)-(x1, y1).
double ToSegment(int x, int y, double x0, double y0, double x1, double y1) {
  double px = x + 0.5 - x0, py = y + 0.5 - y0, dx = x1 - x0, dy = y1 - y0;
  double t = std::fmax(0, std::fmin(1, (px * dx + py * dy) / (dx * dx + dy * dy)));
  return std::hypot(px - t * dx, py - t * dy);
}

void Block(Indexed& p, int l, int t, int r, int b, std::uint8_t c) {
  for (int y = t; y < b; ++y)
    for (int x = l; x < r; ++x) p.Set(x, y, c);
}

}  // namespace

const std::vector<std::uint32_t>& ClassicPalette() {
  static const std::vector<std::uint32_t> kPalette = {
      0x000000, 0x800000, 0x008000, 0x808000, 0x000080, 0x800080, 0x008080, 0x808080,
      0xC0C0C0, 0xFF0000, 0x00FF00, 0xFFFF00, 0x0000FF, 0xFF00FF, 0x00FFFF, 0xFFFFFF};
  return kPalette;
}

Indexed Glyph(GlyphName name) {
  static const Rows* const kAll[] = {&kOpen, &kRefresh, &kInstall, &kRemove};
  Indexed g(16, 16);
  for (int y = 0; y < 16; ++y)
    for (int x = 0; x < 16; ++x) g.Set(x, y, Ink((*kAll[name])[y][x]));
  return g;
}

const char* GlyphFileName(GlyphName name) {
  static const char* const kNames[] = {"glyph-open", "glyph-build", "glyph-install", "glyph-remove"};
  return kNames[name];
}

Indexed StopIcon() {
  Indexed p(32, 32, kFuchsia);
  for (int y = 0; y < 32; ++y) {
    for (int x = 0; x < 32; ++x) {
      if (!InDisc(x, y, 16, 16, 15)) continue;
      // A dark rim, the red face and a white cross of two strokes.
      std::uint8_t c = InDisc(x, y, 16, 16, 14) ? 9 : 1;
      if (ToSegment(x, y, 10, 10, 22, 22) < 1.8 || ToSegment(x, y, 22, 10, 10, 22) < 1.8) c = 15;
      p.Set(x, y, c);
    }
  }
  // A grey shadow under the disc's lower right.
  for (int y = 0; y < 32; ++y)
    for (int x = 0; x < 32; ++x)
      if (p.At(x, y) == kFuchsia && InDisc(x, y, 17.5, 17.5, 15)) p.Set(x, y, 7);
  return p;
}

Indexed InformationIcon() {
  Indexed p(32, 32, kFuchsia);
  // A white speech bubble with a black rim and a tail towards the lower left.
  for (int y = 0; y < 32; ++y) {
    for (int x = 0; x < 32; ++x) {
      bool tail = y >= 22 && y <= 30 && x >= 4 && x - 4 <= (30 - y) && x >= 4 + (y - 22) / 3;
      bool bubble = InDisc(x, y, 16, 14, 13.5);
      if (!tail && !bubble) continue;
      bool inner = InDisc(x, y, 16, 14, 12.5) || (tail && x > 5 && x - 5 < (29 - y) && !(y >= 29));
      p.Set(x, y, inner ? 15 : 0);
    }
  }
  Block(p, 14, 5, 18, 9, 12);    // dot
  Block(p, 12, 11, 18, 13, 12);  // serif
  Block(p, 14, 11, 18, 22, 12);  // stem
  Block(p, 12, 21, 20, 23, 12);  // foot
  return p;
}

}  // namespace artwork
