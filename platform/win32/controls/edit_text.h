// The text of an edit control apart from its window: content, selection,
// line layout with word wrap, and caret movement. Widths come from a table
// of the font's character advances.
#pragma once

#include <array>
#include <string>
#include <vector>

namespace controls {

class EditText {
 public:
  std::string text;
  int anchor = 0;  // the fixed end of the selection
  int caret = 0;   // the moving end, where the caret is
  int limit = 0x7FFFFFFE;
  bool multiline = false;
  int wrapWidth = 0;  // 0: lines break only at line breaks
  char password = 0;  // drawn instead of each character when set
  std::array<int, 256> widths{};

  int SelMin() const { return anchor < caret ? anchor : caret; }
  int SelMax() const { return anchor < caret ? caret : anchor; }
  int Size() const { return static_cast<int>(text.size()); }
  void Select(int a, int c);
  // Replaces the selection; returns false when the limit cut the insertion.
  // Leaves the caret after the inserted text.
  bool Replace(const std::string& s);

  // Line layout. Relayout(from) re-wraps only from the line holding `from`,
  // which keeps appending at the end cheap.
  void Relayout(int from = 0);
  int LineCount() const { return static_cast<int>(starts_.size()); }
  int LineStart(int line) const { return starts_[static_cast<std::size_t>(line)]; }
  int LineEnd(int line) const;  // excludes the line break
  int LineOf(int pos) const;

  int Width(int from, int to) const;  // pixels of text[from, to) on one line
  // The character position nearest to x pixels into a line.
  int PosInLine(int line, int x) const;

  int WordLeft(int pos) const;
  int WordRight(int pos) const;
  // The word around pos, for double-click.
  void WordAt(int pos, int* from, int* to) const;
  // One step left or right, stepping over a "\r\n" pair whole.
  int CharLeft(int pos) const;
  int CharRight(int pos) const;

 private:
  int CharWidth(char c) const { return widths[static_cast<unsigned char>(password ? password : c)]; }
  std::vector<int> starts_{0};
};

}  // namespace controls
