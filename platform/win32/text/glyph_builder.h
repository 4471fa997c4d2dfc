// Collects rendered glyphs into one pixel store and applies the synthesised
// bold and italic of Windows: bold is the glyph OR-ed one pixel to the
// right (one pixel wider advance), italic a shear of one pixel every
// kItalicRun rows about the baseline.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "text/font.h"

namespace text {

class GlyphBuilder {
 public:
  GlyphBuilder(int ascent, bool synthBold, bool synthItalic)
      : ascent_(ascent), bold_(synthBold), italic_(synthItalic) {}

  // Adds the glyph of code c from a 1-bit-per-pixel, MSB-first bitmap.
  void AddMono(unsigned char c, const std::uint8_t* bits, int pitch, int width, int rows,
               int left, int top, int advance);

  std::array<Glyph, 256>& Glyphs() { return glyphs_; }
  std::vector<std::uint8_t>& Pixels() { return pixels_; }
  // First row (from the cell top) holding ink in the glyph of c, or -1.
  int InkTop(unsigned char c) const;

  static constexpr int kItalicRun = 3;

 private:
  int ShearOf(int cellRow) const;

  int ascent_;
  bool bold_, italic_;
  std::array<Glyph, 256> glyphs_{};
  std::vector<std::uint8_t> pixels_;
};

}  // namespace text
