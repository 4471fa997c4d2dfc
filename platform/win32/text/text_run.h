// One run of text composed into a coverage mask: the glyphs at their pen
// positions plus underline and strike-out bars, ready for a single blit.
#pragma once

#include <cstdint>
#include <vector>

#include "text/font.h"

namespace text {

struct Span {
  int from, to;  // pen-relative columns, to exclusive
};

struct RunMask {
  std::vector<std::uint8_t> bits;  // one byte a pixel
  int width = 0, height = 0;
  int left = 0, top = 0;  // mask position relative to (pen start, cell top)
};

struct RunStyle {
  bool underline = false;
  bool strikeOut = false;
  const std::vector<Span>* underlineSpans = nullptr;  // prefix underlines
};

// Width of the run: the sum of the spacings when dx is given, else of the
// font's advances.
int RunWidth(const Font& font, const char* s, int n, const int* dx);

// Composes the run into `out` (reused between calls to spare allocations).
void ComposeRun(const Font& font, const char* s, int n, const int* dx, const RunStyle& style,
                RunMask& out);

}  // namespace text
