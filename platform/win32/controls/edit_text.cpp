// Content, selection and line layout of edit controls.
#include "edit_text.h"

#include <algorithm>

namespace controls {
namespace {
bool IsWordChar(char c) { return c != ' ' && c != '\t' && c != '\r' && c != '\n'; }
}  // namespace

void EditText::Select(int a, int c) {
  anchor = std::clamp(a, 0, Size());
  caret = std::clamp(c, 0, Size());
  // Never leave an end between the two halves of a line break.
  if (anchor > 0 && anchor < Size() && text[anchor - 1] == '\r' && text[anchor] == '\n') --anchor;
  if (caret > 0 && caret < Size() && text[caret - 1] == '\r' && text[caret] == '\n') --caret;
}

bool EditText::Replace(const std::string& in) {
  std::string s = in;
  if (!multiline) {
    // A single line keeps only what comes before the first line break.
    auto cut = s.find_first_of("\r\n");
    if (cut != std::string::npos) s.resize(cut);
  }
  int from = SelMin(), to = SelMax();
  long room = static_cast<long>(limit) - (Size() - (to - from));
  bool whole = true;
  if (room < static_cast<long>(s.size())) {
    s.resize(static_cast<std::size_t>(std::max(0L, room)));
    if (!s.empty() && s.back() == '\r') s.pop_back();
    whole = false;
  }
  text.replace(static_cast<std::size_t>(from), static_cast<std::size_t>(to - from), s);
  anchor = caret = from + static_cast<int>(s.size());
  Relayout(from);
  return whole;
}

void EditText::Relayout(int from) {
  int line = std::min(LineOf(std::max(0, from)), LineCount() - 1);
  // A wrapped line may pull words up from the line before it.
  if (line > 0 && wrapWidth > 0) --line;
  starts_.resize(static_cast<std::size_t>(line) + 1);
  if (!multiline) return;
  const int n = Size();
  int start = starts_.back();
  int x = 0, lastBreak = -1;
  for (int i = start; i < n; ++i) {
    char c = text[static_cast<std::size_t>(i)];
    if (c == '\n') {
      starts_.push_back(i + 1);
      x = 0, lastBreak = -1;
      continue;
    }
    if (c == '\r') continue;
    int w = CharWidth(c);
    if (wrapWidth > 0 && x + w > wrapWidth && i > starts_.back()) {
      // Break after the last space of the line, or inside a word too long.
      int next = lastBreak > starts_.back() ? lastBreak : i;
      starts_.push_back(next);
      x = Width(next, i);
      lastBreak = -1;
    }
    x += w;
    if (c == ' ' || c == '\t') lastBreak = i + 1;
  }
}

int EditText::LineEnd(int line) const {
  int end = line + 1 < LineCount() ? LineStart(line + 1) : Size();
  int start = LineStart(line);
  if (end > start && text[static_cast<std::size_t>(end - 1)] == '\n') --end;
  if (end > start && text[static_cast<std::size_t>(end - 1)] == '\r') --end;
  return end;
}

int EditText::LineOf(int pos) const {
  auto it = std::upper_bound(starts_.begin(), starts_.end(), pos);
  return static_cast<int>(it - starts_.begin()) - 1;
}

int EditText::Width(int from, int to) const {
  int w = 0;
  for (int i = from; i < to; ++i) w += CharWidth(text[static_cast<std::size_t>(i)]);
  return w;
}

int EditText::PosInLine(int line, int x) const {
  int start = LineStart(line), end = LineEnd(line), acc = 0;
  for (int i = start; i < end; ++i) {
    int w = CharWidth(text[static_cast<std::size_t>(i)]);
    if (x < acc + (w + 1) / 2) return i;
    acc += w;
  }
  return end;
}

int EditText::WordLeft(int pos) const {
  while (pos > 0 && !IsWordChar(text[static_cast<std::size_t>(pos - 1)])) --pos;
  while (pos > 0 && IsWordChar(text[static_cast<std::size_t>(pos - 1)])) --pos;
  return pos;
}

int EditText::WordRight(int pos) const {
  const int n = Size();
  while (pos < n && IsWordChar(text[static_cast<std::size_t>(pos)])) ++pos;
  while (pos < n && !IsWordChar(text[static_cast<std::size_t>(pos)])) ++pos;
  return pos;
}

void EditText::WordAt(int pos, int* from, int* to) const {
  int a = pos, b = pos;
  while (a > 0 && IsWordChar(text[static_cast<std::size_t>(a - 1)])) --a;
  while (b < Size() && IsWordChar(text[static_cast<std::size_t>(b)])) ++b;
  *from = a, *to = b;
}

int EditText::CharLeft(int pos) const {
  if (pos <= 0) return 0;
  if (pos >= 2 && text[static_cast<std::size_t>(pos - 1)] == '\n' && text[static_cast<std::size_t>(pos - 2)] == '\r')
    return pos - 2;
  return pos - 1;
}

int EditText::CharRight(int pos) const {
  if (pos >= Size()) return Size();
  if (pos + 1 < Size() && text[static_cast<std::size_t>(pos)] == '\r' && text[static_cast<std::size_t>(pos + 1)] == '\n')
    return pos + 2;
  return pos + 1;
}

}  // namespace controls
