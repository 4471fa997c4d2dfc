// DrawTextA through a device context: measured rectangles, placement in the
// rectangle, prefix underlines, clipping and the value it returns.
#include <gtest/gtest.h>

#include <win32/windows.h>

#include <cstring>

#include "colours.h"
#include "dib_canvas.h"

namespace {

using Canvas = testsupport::DibCanvas;

class DrawTextTest : public ::testing::Test {
 protected:
  void SetUp() override { testsupport::PrepareText(canvas.dc()); }
  int Width(const char* s) {
    SIZE size;
    GetTextExtentPoint32A(canvas.dc(), s, static_cast<int>(strlen(s)), &size);
    return size.cx;
  }
  Canvas canvas{200, 80};
};

TEST_F(DrawTextTest, CalcRect) {
  RECT r{10, 10, 10 + Width("Custom Mission"), 10};
  int h = DrawTextA(canvas.dc(), "Custom Mission Installer", -1, &r, DT_CALCRECT | DT_WORDBREAK);
  EXPECT_EQ(h, 26);
  EXPECT_EQ(r.left, 10);
  EXPECT_EQ(r.top, 10);
  EXPECT_EQ(r.right, 10 + Width("Custom Mission"));
  EXPECT_EQ(r.bottom, 36);
  // A single line is measured whole, whatever the width.
  r = RECT{0, 0, 5, 5};
  EXPECT_EQ(DrawTextA(canvas.dc(), "Custom Mission", -1, &r, DT_CALCRECT | DT_SINGLELINE), 13);
  EXPECT_EQ(r.right, Width("Custom Mission"));
  // The prefix mark takes no room.
  r = RECT{0, 0, 100, 0};
  DrawTextA(canvas.dc(), "&File", -1, &r, DT_CALCRECT);
  EXPECT_EQ(r.right, Width("File"));
  // Empty text measures nothing.
  r = RECT{3, 4, 50, 50};
  EXPECT_EQ(DrawTextA(canvas.dc(), "", -1, &r, DT_CALCRECT), 0);
  EXPECT_EQ(r.right, 3);
  EXPECT_EQ(r.bottom, 4);
  EXPECT_EQ(canvas.CountOf(kBlack), 0);  // measuring draws nothing
  EXPECT_EQ(DrawTextA(canvas.dc(), "x", 1, nullptr, 0), 0);
}

TEST_F(DrawTextTest, PlacementInTheRectangle) {
  SetBkMode(canvas.dc(), OPAQUE);  // the red cell shows where the line went
  RECT r{20, 10, 120, 50};
  int w = Width("Details");
  EXPECT_EQ(DrawTextA(canvas.dc(), "Details", -1, &r, DT_CENTER | DT_VCENTER | DT_SINGLELINE), (40 - 13) / 2 + 13);
  RECT cell = canvas.BoundsOf(kRed);
  EXPECT_EQ(cell.left, 20 + (100 - w) / 2);
  EXPECT_EQ(cell.top, 10 + (40 - 13) / 2);
  canvas.Fill(kWhite);
  EXPECT_EQ(DrawTextA(canvas.dc(), "Details", -1, &r, DT_RIGHT | DT_BOTTOM | DT_SINGLELINE), 40);
  cell = canvas.BoundsOf(kRed);
  EXPECT_EQ(cell.right, 120);
  EXPECT_EQ(cell.bottom, 50);
  // Vertical centring applies to single lines only.
  canvas.Fill(kWhite);
  EXPECT_EQ(DrawTextA(canvas.dc(), "Details", -1, &r, DT_VCENTER), 13);
  EXPECT_EQ(canvas.BoundsOf(kRed).top, 10);
}

TEST_F(DrawTextTest, WordBreakDrawsLines) {
  SetBkMode(canvas.dc(), OPAQUE);
  RECT r{0, 0, Width("Custom Mission"), 80};
  EXPECT_EQ(DrawTextA(canvas.dc(), "Custom Mission Installer", -1, &r, DT_WORDBREAK | DT_CENTER), 26);
  // The second line is centred under the first.
  int second = Width("Installer");
  bool found = false;
  for (int x = 0; x < 200; ++x)
    if (canvas.At(x, 13 + 6) == kRed || canvas.At(x, 13 + 6) == kBlack) {
      EXPECT_EQ(x, (r.right - second) / 2);
      found = true;
      break;
    }
  EXPECT_TRUE(found);
}

TEST_F(DrawTextTest, PrefixUnderline) {
  RECT r{10, 10, 190, 60};
  DrawTextA(canvas.dc(), "E&xit", -1, &r, DT_SINGLELINE);
  int from = 10 + Width("E"), to = from + Width("x");
  for (int x = from; x < to; ++x) EXPECT_EQ(canvas.At(x, 10 + 12), kBlack) << x;
  EXPECT_EQ(canvas.At(from - 1, 10 + 12), kWhite);
  EXPECT_EQ(canvas.At(to, 10 + 12), kWhite);
  // "&&" is an ampersand; DT_NOPREFIX shows the marks and underlines nothing.
  canvas.Fill(kWhite);
  DrawTextA(canvas.dc(), "E&xit", -1, &r, DT_SINGLELINE | DT_NOPREFIX);
  for (int x = 10; x < 10 + Width("E&xit"); ++x) EXPECT_EQ(canvas.At(x, 10 + 12), kWhite);
  canvas.Fill(kWhite);
  RECT m{0, 0, 200, 0};
  DrawTextA(canvas.dc(), "a&&b", -1, &m, DT_CALCRECT);
  EXPECT_EQ(m.right, Width("a&b"));
}

TEST_F(DrawTextTest, ClipsUnlessNoClip) {
  RECT r{10, 10, 25, 18};
  DrawTextA(canvas.dc(), "WWWWWWWW", -1, &r, DT_SINGLELINE);
  RECT ink = canvas.BoundsOf(kBlack);
  EXPECT_LE(ink.right, 25);
  EXPECT_LE(ink.bottom, 18);
  canvas.Fill(kWhite);
  DrawTextA(canvas.dc(), "WWWWWWWW", -1, &r, DT_SINGLELINE | DT_NOCLIP);
  EXPECT_GT(canvas.BoundsOf(kBlack).right, 25);
}

TEST_F(DrawTextTest, ExpandTabsAndLineEnds) {
  RECT r{0, 0, 200, 80};
  EXPECT_EQ(DrawTextA(canvas.dc(), "a\r\nb\nc", -1, &r, DT_CALCRECT), 39);
  r = RECT{0, 0, 200, 80};
  DrawTextA(canvas.dc(), "\tb", -1, &r, DT_CALCRECT | DT_EXPANDTABS);
  EXPECT_EQ(r.right, 40 + Width("b"));
}

}  // namespace
