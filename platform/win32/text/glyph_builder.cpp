#include "text/glyph_builder.h"

#include <algorithm>

namespace text {

int GlyphBuilder::ShearOf(int cellRow) const {
  if (!italic_) return 0;
  int above = ascent_ - 1 - cellRow;  // rows above the baseline row
  // Floor division so rows below the baseline lean the other way.
  return above >= 0 ? above / kItalicRun : -((-above + kItalicRun - 1) / kItalicRun);
}

void GlyphBuilder::AddMono(unsigned char c, const std::uint8_t* bits, int pitch, int width,
                           int rows, int left, int top, int advance) {
  Glyph g;
  g.advance = advance + (bold_ ? 1 : 0);
  if (width <= 0 || rows <= 0 || !bits) {
    glyphs_[c] = g;
    return;
  }
  int minShear = std::min(ShearOf(top), ShearOf(top + rows - 1));
  int maxShear = std::max(ShearOf(top), ShearOf(top + rows - 1));
  g.left = left + minShear;
  g.top = top;
  g.width = width + (bold_ ? 1 : 0) + (maxShear - minShear);
  g.rows = rows;
  g.offset = static_cast<std::uint32_t>(pixels_.size());
  pixels_.resize(pixels_.size() + static_cast<std::size_t>(g.width) * rows, 0);
  std::uint8_t* out = pixels_.data() + g.offset;
  for (int y = 0; y < rows; ++y) {
    const std::uint8_t* src = bits + static_cast<std::ptrdiff_t>(y) * pitch;
    std::uint8_t* dst = out + static_cast<std::ptrdiff_t>(y) * g.width + (ShearOf(top + y) - minShear);
    for (int x = 0; x < width; ++x) {
      if (!((src[x >> 3] >> (7 - (x & 7))) & 1)) continue;
      dst[x] = 1;
      if (bold_) dst[x + 1] = 1;
    }
  }
  glyphs_[c] = g;
}

int GlyphBuilder::InkTop(unsigned char c) const {
  const Glyph& g = glyphs_[c];
  const std::uint8_t* p = pixels_.data() + g.offset;
  for (int y = 0; y < g.rows; ++y)
    for (int x = 0; x < g.width; ++x)
      if (p[y * g.width + x]) return g.top + y;
  return -1;
}

}  // namespace text
