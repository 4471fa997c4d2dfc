#include "text/text_layout.h"

#include <algorithm>

#include <win32/user32_text.h>

namespace text {
namespace {

struct Setup {
  const Font& font;
  UINT format;
  int tabWidth;
};

// One paragraph with prefixes resolved: the characters and which of them
// the '&' marks underline.
struct Paragraph {
  std::string chars;
  std::vector<bool> marked;
};

Paragraph ResolvePrefixes(const char* s, int n, UINT format) {
  Paragraph p;
  bool prefixes = !(format & DT_NOPREFIX);
  for (int i = 0; i < n; ++i) {
    bool mark = false;
    if (prefixes && s[i] == '&') {
      if (++i >= n) break;  // a lone '&' at the end shows nothing
      mark = s[i] != '&';
    }
    p.chars.push_back(s[i]);
    p.marked.push_back(mark && !(format & DT_HIDEPREFIX));
  }
  return p;
}

int SpacingAt(const Setup& st, char c, int pen) {
  if (c == '\t' && (st.format & DT_EXPANDTABS) && st.tabWidth > 0)
    return (pen / st.tabWidth + 1) * st.tabWidth - pen;
  return st.font.Advance(static_cast<unsigned char>(c));
}

// Builds the line from characters [from, to) of the paragraph.
LayoutLine MakeLine(const Setup& st, const Paragraph& p, std::size_t from, std::size_t to) {
  LayoutLine line;
  int pen = 0;
  for (std::size_t i = from; i < to; ++i) {
    int w = SpacingAt(st, p.chars[i], pen);
    if (p.marked[i]) line.underline.push_back({pen, pen + w});
    line.chars.push_back(p.chars[i]);
    line.dx.push_back(w);
    pen += w;
  }
  line.width = pen;
  return line;
}

// Cuts the line so that it and "..." fit in `width`.
void AddEllipsis(const Setup& st, LayoutLine& line, int width) {
  if (line.width <= width) return;
  int dots = 3 * st.font.Advance('.');
  while (!line.chars.empty() && line.width + dots > width) {
    line.width -= line.dx.back();
    line.chars.pop_back();
    line.dx.pop_back();
  }
  for (int i = 0; i < 3; ++i) {
    line.chars.push_back('.');
    line.dx.push_back(st.font.Advance('.'));
  }
  line.width += dots;
  std::erase_if(line.underline, [&](const Span& s) { return s.to > line.width - dots; });
}

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

// Greedy word wrap: a line ends before the word that would cross the right
// edge; the blanks at a break vanish; a word wider than the rectangle keeps
// a line of its own rather than being split, unless DT_EDITCONTROL asks for
// it to be split before the character that crosses the edge.
void BreakParagraph(const Setup& st, const Paragraph& p, int width, std::vector<LayoutLine>& out) {
  std::size_t start = 0, n = p.chars.size();
  do {
    int pen = 0;
    std::size_t i = start, lastBreak = start;
    bool broke = false;
    while (i < n) {
      pen += SpacingAt(st, p.chars[i], pen);
      if (pen > width && !IsBlank(p.chars[i]) && lastBreak > start) {
        broke = true;
        break;
      }
      if (pen > width && !IsBlank(p.chars[i]) && (st.format & DT_EDITCONTROL) && i > start) {
        lastBreak = i;
        broke = true;
        break;
      }
      if (IsBlank(p.chars[i]) && i + 1 < n && !IsBlank(p.chars[i + 1])) lastBreak = i + 1;
      ++i;
    }
    if (!broke) {
      out.push_back(MakeLine(st, p, start, n));
      return;
    }
    std::size_t end = lastBreak;
    while (end > start && IsBlank(p.chars[end - 1])) --end;
    out.push_back(MakeLine(st, p, start, end));
    start = lastBreak;
  } while (start < n);
}

}  // namespace

TextLayout LayoutText(const Font& font, const char* s, int n, UINT format, int width) {
  TextLayout layout;
  const FontMetrics& m = font.Metrics();
  int tabChars = 8;
  if (format & DT_TABSTOP) {
    // The tab size then sits in bits 8..15, where some flags would be.
    tabChars = static_cast<int>((format >> 8) & 0xFF);
    format &= ~0xFF00u;
  }
  layout.format = format;
  Setup st{font, format, tabChars * m.aveCharWidth};
  layout.lineHeight = m.height + ((format & DT_EXTERNALLEADING) ? m.externalLeading : 0);
  bool single = format & DT_SINGLELINE;
  bool wrap = (format & DT_WORDBREAK) && !single;
  int pos = 0;
  while (pos < n) {
    int end = pos;
    if (!single)
      while (end < n && s[end] != '\r' && s[end] != '\n') ++end;
    else
      end = n;
    Paragraph p = ResolvePrefixes(s + pos, end - pos, format);
    if (wrap && !p.chars.empty())
      BreakParagraph(st, p, width, layout.lines);
    else
      layout.lines.push_back(MakeLine(st, p, 0, p.chars.size()));
    // CR LF is one line end; a lone CR or LF is one too.
    if (end < n && s[end] == '\r' && end + 1 < n && s[end + 1] == '\n') ++end;
    pos = end + 1;
  }
  for (LayoutLine& line : layout.lines) {
    if (format & (DT_END_ELLIPSIS | DT_WORD_ELLIPSIS | DT_PATH_ELLIPSIS)) AddEllipsis(st, line, width);
    layout.width = std::max(layout.width, line.width);
  }
  layout.height = static_cast<int>(layout.lines.size()) * layout.lineHeight;
  return layout;
}

}  // namespace text
