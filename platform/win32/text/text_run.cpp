#include "text/text_run.h"

#include <algorithm>
#include <cstring>

namespace text {

int RunWidth(const Font& font, const char* s, int n, const int* dx) {
  if (!dx) return font.Extent(s, n);
  int width = 0;
  for (int i = 0; i < n; ++i) width += dx[i];
  return width;
}

namespace {

void Bar(RunMask& m, int row, int rows, int from, int to) {
  for (int y = row; y < row + rows; ++y) {
    int my = y - m.top;
    if (my < 0 || my >= m.height) continue;
    int a = std::max(from - m.left, 0), b = std::min(to - m.left, m.width);
    if (a < b) std::memset(m.bits.data() + static_cast<std::size_t>(my) * m.width + a, 1, b - a);
  }
}

}  // namespace

void ComposeRun(const Font& font, const char* s, int n, const int* dx, const RunStyle& style,
                RunMask& out) {
  const FontMetrics& fm = font.Metrics();
  int total = RunWidth(font, s, n, dx);
  int minX = std::min(0, total), maxX = std::max(0, total);
  int minY = 0, maxY = fm.height;
  int pen = 0;
  for (int i = 0; i < n; ++i) {
    const Glyph& g = font.GlyphOf(static_cast<unsigned char>(s[i]));
    if (g.width > 0) {
      minX = std::min(minX, pen + g.left);
      maxX = std::max(maxX, pen + g.left + g.width);
      minY = std::min(minY, g.top);
      maxY = std::max(maxY, g.top + g.rows);
    }
    pen += dx ? dx[i] : g.advance;
  }
  out.left = minX;
  out.top = minY;
  out.width = maxX - minX;
  out.height = maxY - minY;
  out.bits.assign(static_cast<std::size_t>(out.width) * out.height, 0);
  pen = 0;
  for (int i = 0; i < n; ++i) {
    const Glyph& g = font.GlyphOf(static_cast<unsigned char>(s[i]));
    const std::uint8_t* src = font.Pixels(g);
    for (int y = 0; y < g.rows; ++y) {
      std::uint8_t* dst = out.bits.data() +
                          static_cast<std::size_t>(g.top + y - out.top) * out.width +
                          (pen + g.left - out.left);
      const std::uint8_t* row = src + static_cast<std::size_t>(y) * g.width;
      for (int x = 0; x < g.width; ++x) dst[x] |= row[x];
    }
    pen += dx ? dx[i] : g.advance;
  }
  if (style.underline) Bar(out, font.UnderlineTop(), font.UnderlineRows(), 0, total);
  if (style.strikeOut) Bar(out, font.StrikeTop(), font.StrikeRows(), 0, total);
  if (style.underlineSpans)
    for (const Span& sp : *style.underlineSpans)
      Bar(out, font.UnderlineTop(), font.UnderlineRows(), sp.from, sp.to);
}

}  // namespace text
