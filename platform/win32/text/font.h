// A realised font: one face at one pixel size with its synthesised styles,
// every Windows-1252 glyph rendered once (monochrome) and kept.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace text {

// What a caller asks for; the fields of a LOGFONTA that choose a face.
struct FontRequest {
  std::string face;        // empty: the default face
  int height = 0;          // < 0 character height, > 0 cell height, 0 default
  int weight = 0;          // 0 = normal (400)
  bool italic = false;
  bool underline = false;
  bool strikeOut = false;
  int charSet = 0;
  int pitchAndFamily = 0;
};

// The metrics a TEXTMETRICA reports, in pixels.
struct FontMetrics {
  int height = 0, ascent = 0, descent = 0;
  int internalLeading = 0, externalLeading = 0;
  int aveCharWidth = 0, maxCharWidth = 0;
  int weight = 400, overhang = 0;
  bool italic = false, underlined = false, struckOut = false;
  int firstChar = 0, lastChar = 255, defaultChar = 0x1F, breakChar = 0x20;
  int pitchAndFamily = 0, charSet = 0;
};

// One glyph's coverage (one byte a pixel, 0 or 1), placed relative to the
// pen position on the top line of the text cell.
struct Glyph {
  int left = 0, top = 0;   // offset of the bitmap from (pen x, cell top)
  int width = 0, rows = 0;
  int advance = 0;
  std::uint32_t offset = 0;  // into Font::Pixels()
};

class Font {
 public:
  Font(const FontMetrics& metrics, std::string faceName, std::array<Glyph, 256> glyphs,
       std::vector<std::uint8_t> pixels, int underlineTop, int underlineRows, int strikeTop,
       int strikeRows);

  const FontMetrics& Metrics() const { return metrics_; }
  const std::string& FaceName() const { return faceName_; }
  const Glyph& GlyphOf(unsigned char c) const { return glyphs_[c]; }
  int Advance(unsigned char c) const { return glyphs_[c].advance; }
  const std::uint8_t* Pixels(const Glyph& g) const { return pixels_.data() + g.offset; }
  // Rows of the underline and strike-out bars, from the cell top.
  int UnderlineTop() const { return underlineTop_; }
  int UnderlineRows() const { return underlineRows_; }
  int StrikeTop() const { return strikeTop_; }
  int StrikeRows() const { return strikeRows_; }
  // Width of a run of characters drawn with the font's own advances.
  int Extent(const char* s, int n) const;

 private:
  FontMetrics metrics_;
  std::string faceName_;
  std::array<Glyph, 256> glyphs_;
  std::vector<std::uint8_t> pixels_;
  int underlineTop_, underlineRows_, strikeTop_, strikeRows_;
};

// The realised font for a request, made once and shared afterwards. Safe to
// call from any thread; null only when no face at all can be loaded.
std::shared_ptr<const Font> RealizeFont(const FontRequest& request);

}  // namespace text
