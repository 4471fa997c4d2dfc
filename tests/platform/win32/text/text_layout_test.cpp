// Line layout of formatted text: line ends, word breaks, prefixes, tabs and
// ellipses, measured in the 8-point system strike.
#include <gtest/gtest.h>

#include <win32/user32_text.h>

#include <string>

#include "text/font.h"
#include "text/text_layout.h"

namespace {

const text::Font& System() {
  static auto font = [] {
    text::FontRequest r;
    r.face = "MS Sans Serif";
    r.height = -11;
    return text::RealizeFont(r);
  }();
  return *font;
}

std::vector<std::string> Lines(const text::TextLayout& l) {
  std::vector<std::string> out;
  for (const auto& line : l.lines) out.push_back(line.chars);
  return out;
}

text::TextLayout Layout(const std::string& s, UINT format, int width = 1000) {
  return text::LayoutText(System(), s.data(), static_cast<int>(s.size()), format, width);
}

TEST(TextLayout, LineEnds) {
  auto l = Layout("one\r\ntwo\rthree\nfour", 0);
  EXPECT_EQ(Lines(l), (std::vector<std::string>{"one", "two", "three", "four"}));
  EXPECT_EQ(l.height, 4 * 13);
  EXPECT_EQ(Layout("a\n\nb", 0).lines.size(), 3u);
  // A single line keeps everything on one line.
  EXPECT_EQ(Layout("one\r\ntwo", DT_SINGLELINE).lines.size(), 1u);
}

TEST(TextLayout, WordBreak) {
  int width = System().Extent("Custom Mission", 14);
  auto l = Layout("Custom Mission Installer", DT_WORDBREAK, width);
  EXPECT_EQ(Lines(l), (std::vector<std::string>{"Custom Mission", "Installer"}));
  EXPECT_EQ(l.width, width);
  // One pixel less pushes the second word down; blanks at a break vanish.
  l = Layout("Custom   Mission Installer", DT_WORDBREAK, width - 1);
  EXPECT_EQ(Lines(l), (std::vector<std::string>{"Custom", "Mission", "Installer"}));
  // A word wider than the rectangle keeps its own line, unbroken.
  l = Layout("a Extraordinarily b", DT_WORDBREAK, 10);
  EXPECT_EQ(Lines(l), (std::vector<std::string>{"a", "Extraordinarily", "b"}));
  EXPECT_GT(l.width, 10);
  // As an edit control wraps: the long word is split at the edge, and words
  // that fit still break between words.
  width = System().Extent("C:\\Games\\", 9);
  l = Layout("at C:\\Games\\XvT\\combat ok", DT_WORDBREAK | DT_EDITCONTROL, width);
  ASSERT_GE(l.lines.size(), 4u);
  EXPECT_EQ(Lines(l)[0], "at");
  EXPECT_EQ(Lines(l)[1], "C:\\Games\\");
  EXPECT_TRUE(Lines(l).back().ends_with(" ok")) << Lines(l).back();
  std::string joined;
  for (const auto& line : l.lines) {
    EXPECT_LE(line.width, width) << line.chars;
    joined += line.chars;
  }
  EXPECT_EQ(joined, "atC:\\Games\\XvT\\combat ok");
  EXPECT_EQ(Lines(Layout("abc", DT_WORDBREAK | DT_EDITCONTROL, 1)), (std::vector<std::string>{"a", "b", "c"}));
  // Single line wins over word break.
  EXPECT_EQ(Layout("a b c", DT_WORDBREAK | DT_SINGLELINE, 1).lines.size(), 1u);
  // Breaks apply inside each paragraph.
  EXPECT_EQ(Layout("aa bb\ncc", DT_WORDBREAK, System().Extent("aa", 2)).lines.size(), 3u);
}

TEST(TextLayout, Prefixes) {
  auto l = Layout("&File && E&xit&", 0);
  ASSERT_EQ(l.lines.size(), 1u);
  EXPECT_EQ(l.lines[0].chars, "File & Exit");
  ASSERT_EQ(l.lines[0].underline.size(), 2u);
  EXPECT_EQ(l.lines[0].underline[0].from, 0);
  EXPECT_EQ(l.lines[0].underline[0].to, System().Advance('F'));
  int beforeX = System().Extent("File & E", 8);
  EXPECT_EQ(l.lines[0].underline[1].from, beforeX);
  EXPECT_EQ(l.lines[0].underline[1].to, beforeX + System().Advance('x'));
  EXPECT_EQ(Layout("&File", DT_NOPREFIX).lines[0].chars, "&File");
  EXPECT_TRUE(Layout("&File", DT_HIDEPREFIX).lines[0].underline.empty());
  EXPECT_EQ(Layout("&File", DT_HIDEPREFIX).lines[0].chars, "File");
}

TEST(TextLayout, Tabs) {
  int tab = 8 * System().Metrics().aveCharWidth;
  auto l = Layout("a\tb", DT_EXPANDTABS);
  EXPECT_EQ(l.lines[0].dx[1], tab - System().Advance('a'));
  EXPECT_EQ(l.width, tab + System().Advance('b'));
  // A custom tab size sits in the second byte and is not read as flags.
  l = Layout("a\tb", DT_EXPANDTABS | DT_TABSTOP | (2 << 8));
  EXPECT_EQ(l.width, 2 * System().Metrics().aveCharWidth + System().Advance('b'));
  EXPECT_EQ(l.format & DT_CALCRECT, 0u);
  // Without expansion a tab is an ordinary character.
  EXPECT_EQ(Layout("a\tb", 0).lines[0].dx[1], System().Advance('\t'));
}

TEST(TextLayout, EndEllipsis) {
  int width = System().Extent("Hello...", 8);
  auto l = Layout("Hello, world", DT_END_ELLIPSIS | DT_SINGLELINE, width);
  EXPECT_EQ(l.lines[0].chars, "Hello...");
  EXPECT_LE(l.width, width);
  EXPECT_EQ(Layout("Hi", DT_END_ELLIPSIS, width).lines[0].chars, "Hi");
}

TEST(TextLayout, ExternalLeading) {
  EXPECT_EQ(Layout("a", DT_EXTERNALLEADING).lineHeight,
            System().Metrics().height + System().Metrics().externalLeading);
}

}  // namespace
