// The line layout of formatted text: splitting at line ends, '&' prefixes,
// tab expansion, word breaking and end ellipses, measured in one font.
#pragma once

#include <string>
#include <vector>

#include <win32/windef.h>

#include "text/font.h"
#include "text/text_run.h"

namespace text {

struct LayoutLine {
  std::string chars;           // what is drawn (prefix marks removed)
  std::vector<int> dx;         // spacing of each character (tabs expanded)
  std::vector<Span> underline; // prefix underlines, relative to the line start
  int width = 0;
};

struct TextLayout {
  std::vector<LayoutLine> lines;
  int lineHeight = 0;
  int width = 0;   // widest line
  int height = 0;  // lines * lineHeight
  UINT format = 0; // the flags with a DT_TABSTOP count removed
};

// Lays out n characters of s for a rectangle `width` pixels wide.
TextLayout LayoutText(const Font& font, const char* s, int n, UINT format, int width);

}  // namespace text
