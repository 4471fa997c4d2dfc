// Text measurement and output through a device context: metrics of the
// system font, alignment, background modes, clipping and the viewport.
#include <gtest/gtest.h>

#include <win32/windows.h>

#include <cstring>

#include "colours.h"
#include "dib_canvas.h"

namespace {

using Canvas = testsupport::DibCanvas;

HFONT MakeFont(const char* face, int height, int weight = FW_NORMAL, bool italic = false,
               bool underline = false) {
  return CreateFontA(height, 0, 0, 0, weight, italic, underline, FALSE, ANSI_CHARSET, 0, 0, 0, 0,
                     face);
}

class TextOutput : public ::testing::Test {
 protected:
  void SetUp() override { testsupport::PrepareText(canvas.dc()); }
  Canvas canvas{120, 40};
};

TEST_F(TextOutput, SystemFontMetrics) {
  TEXTMETRICA tm{};
  ASSERT_TRUE(GetTextMetricsA(canvas.dc(), &tm));
  EXPECT_EQ(tm.tmHeight, 13);
  EXPECT_EQ(tm.tmAscent, 11);
  EXPECT_EQ(tm.tmDescent, 2);
  EXPECT_EQ(tm.tmInternalLeading, 2);
  EXPECT_EQ(tm.tmExternalLeading, 0);
  EXPECT_EQ(tm.tmAveCharWidth, 5);
  EXPECT_EQ(tm.tmWeight, FW_NORMAL);
  EXPECT_EQ(tm.tmItalic, 0);
  EXPECT_EQ(tm.tmFirstChar, 32);
  EXPECT_EQ(tm.tmLastChar, 255);
  char face[LF_FACESIZE];
  EXPECT_EQ(GetTextFaceA(canvas.dc(), sizeof face, face), 14);
  EXPECT_STREQ(face, "MS Sans Serif");
  EXPECT_EQ(GetTextFaceA(canvas.dc(), 0, nullptr), 14);
  EXPECT_EQ(GetTextFaceA(canvas.dc(), 3, face), 3);
  EXPECT_STREQ(face, "MS");
  // Bold sixteen-pixel labels use the larger strike, one pixel wider a glyph.
  HFONT bold = MakeFont("MS Sans Serif", -16, FW_BOLD);
  HGDIOBJ old = SelectObject(canvas.dc(), bold);
  ASSERT_TRUE(GetTextMetricsA(canvas.dc(), &tm));
  EXPECT_EQ(tm.tmHeight, 20);
  EXPECT_EQ(tm.tmAscent, 16);
  EXPECT_EQ(tm.tmWeight, FW_BOLD);
  SelectObject(canvas.dc(), old);
  DeleteObject(bold);
}

TEST_F(TextOutput, Extents) {
  SIZE size{};
  ASSERT_TRUE(GetTextExtentPoint32A(canvas.dc(), "Ag", 2, &size));
  EXPECT_EQ(size.cx, 13);
  EXPECT_EQ(size.cy, 13);
  ASSERT_TRUE(GetTextExtentPoint32A(canvas.dc(), "", 0, &size));
  EXPECT_EQ(size.cx, 0);
  EXPECT_EQ(size.cy, 13);
  EXPECT_FALSE(GetTextExtentPoint32A(canvas.dc(), nullptr, 3, &size));
  EXPECT_FALSE(GetTextExtentPoint32A(canvas.dc(), "a", -1, &size));
  EXPECT_FALSE(GetTextExtentPoint32A(nullptr, "a", 1, &size));
  int fit = 0, dx[3];
  ASSERT_TRUE(GetTextExtentExPointA(canvas.dc(), "AgA", 3, 14, &fit, dx, &size));
  EXPECT_EQ(fit, 2);
  EXPECT_EQ(dx[0], 7);
  EXPECT_EQ(dx[2], 20);
  INT widths[2];
  ASSERT_TRUE(GetCharWidth32A(canvas.dc(), 'A', 'B', widths));
  EXPECT_EQ(widths[0], 7);
  EXPECT_FALSE(GetCharWidth32A(canvas.dc(), 'B', 'A', widths));
  ABC abc;
  EXPECT_FALSE(GetCharABCWidthsA(canvas.dc(), 'A', 'A', &abc));  // bitmap face
}

TEST_F(TextOutput, TransparentAndOpaqueBackground) {
  ASSERT_TRUE(TextOutA(canvas.dc(), 10, 5, "Hi", 2));
  EXPECT_EQ(canvas.CountOf(kRed), 0);
  int ink = canvas.CountOf(kBlack);
  EXPECT_GT(ink, 10);
  RECT inkBox = canvas.BoundsOf(kBlack);
  EXPECT_GE(inkBox.left, 10);
  EXPECT_GE(inkBox.top, 5);
  EXPECT_LE(inkBox.bottom, 5 + 11);  // no descenders in "Hi"

  canvas.Fill(kWhite);
  SetBkMode(canvas.dc(), OPAQUE);
  ASSERT_TRUE(TextOutA(canvas.dc(), 10, 5, "Hi", 2));
  SIZE size;
  GetTextExtentPoint32A(canvas.dc(), "Hi", 2, &size);
  EXPECT_EQ(canvas.CountOf(kBlack), ink);
  EXPECT_EQ(canvas.CountOf(kRed) + ink, size.cx * size.cy);
  RECT cell = canvas.BoundsOf(kRed);
  EXPECT_EQ(cell.left, 10);
  EXPECT_EQ(cell.top, 5);
  EXPECT_EQ(cell.right, 10 + size.cx);
  EXPECT_EQ(cell.bottom, 5 + 13);
}

TEST_F(TextOutput, AlignmentAndCurrentPosition) {
  SetBkMode(canvas.dc(), OPAQUE);
  SetTextAlign(canvas.dc(), TA_RIGHT | TA_BASELINE);
  TextOutA(canvas.dc(), 60, 20, "Hi", 2);
  RECT cell = canvas.BoundsOf(kRed);
  SIZE size;
  GetTextExtentPoint32A(canvas.dc(), "Hi", 2, &size);
  EXPECT_EQ(cell.right, 60);
  EXPECT_EQ(cell.left, 60 - size.cx);
  EXPECT_EQ(cell.top, 20 - 11);

  canvas.Fill(kWhite);
  SetTextAlign(canvas.dc(), TA_CENTER | TA_BOTTOM);
  TextOutA(canvas.dc(), 60, 30, "Hi", 2);
  cell = canvas.BoundsOf(kRed);
  EXPECT_EQ(cell.left, 60 - size.cx / 2);
  EXPECT_EQ(cell.bottom, 30);

  // Two runs through the current position draw what one run draws.
  Canvas one(120, 40), two(120, 40);
  for (Canvas* c : {&one, &two}) {
    SelectObject(c->dc(), GetStockObject(DEFAULT_GUI_FONT));
    SetBkMode(c->dc(), TRANSPARENT);
  }
  TextOutA(one.dc(), 5, 5, "Mission", 7);
  SetTextAlign(two.dc(), TA_UPDATECP);
  MoveToEx(two.dc(), 5, 5, nullptr);
  TextOutA(two.dc(), 99, 99, "Mis", 3);
  TextOutA(two.dc(), 99, 99, "sion", 4);
  POINT cp;
  GetCurrentPositionEx(two.dc(), &cp);
  SIZE whole;
  GetTextExtentPoint32A(one.dc(), "Mission", 7, &whole);
  EXPECT_EQ(cp.x, 5 + whole.cx);
  EXPECT_EQ(cp.y, 5);
  EXPECT_EQ(0, std::memcmp(one.Bits(), two.Bits(), 120 * 40 * 4));
}

TEST_F(TextOutput, ExtTextOutOpaqueClippedAndSpaced) {
  RECT box{20, 10, 30, 20};
  ASSERT_TRUE(ExtTextOutA(canvas.dc(), 0, 0, ETO_OPAQUE, &box, nullptr, 0, nullptr));
  EXPECT_EQ(canvas.CountOf(kRed), 100);
  canvas.Fill(kWhite);
  ASSERT_TRUE(ExtTextOutA(canvas.dc(), 15, 8, ETO_CLIPPED, &box, "WWWW", 4, nullptr));
  RECT ink = canvas.BoundsOf(kBlack);
  EXPECT_GE(ink.left, box.left);
  EXPECT_GE(ink.top, box.top);
  EXPECT_LE(ink.right, box.right);
  EXPECT_LE(ink.bottom, box.bottom);
  EXPECT_GT(canvas.CountOf(kBlack), 0);
  canvas.Fill(kWhite);
  INT dx[] = {30, 30};
  ASSERT_TRUE(ExtTextOutA(canvas.dc(), 5, 5, 0, nullptr, "ll", 2, dx));
  ink = canvas.BoundsOf(kBlack);
  int mid = (ink.top + ink.bottom) / 2;
  EXPECT_EQ(canvas.At(ink.left, mid), kBlack);
  EXPECT_EQ(canvas.At(ink.left + 30, mid), kBlack);
  EXPECT_EQ(canvas.At(ink.left + 15, mid), kWhite);
  EXPECT_FALSE(ExtTextOutA(canvas.dc(), 0, 0, 0, nullptr, nullptr, 2, nullptr));
}

TEST_F(TextOutput, ClipRegionAndViewport) {
  HRGN clip = CreateRectRgn(0, 0, 14, 40);
  SelectClipRgn(canvas.dc(), clip);
  DeleteObject(clip);
  TextOutA(canvas.dc(), 2, 2, "WWWWWW", 6);
  EXPECT_LE(canvas.BoundsOf(kBlack).right, 14);
  SelectClipRgn(canvas.dc(), nullptr);

  Canvas shifted(120, 40), plain(120, 40);
  for (Canvas* c : {&shifted, &plain}) SelectObject(c->dc(), GetStockObject(DEFAULT_GUI_FONT));
  SetViewportOrgEx(shifted.dc(), 7, 3, nullptr);
  TextOutA(shifted.dc(), 0, 0, "Hi", 2);
  TextOutA(plain.dc(), 7, 3, "Hi", 2);
  EXPECT_EQ(0, std::memcmp(shifted.Bits(), plain.Bits(), 120 * 40 * 4));
}

TEST_F(TextOutput, UnderlinedFontAndColour) {
  HFONT font = MakeFont("MS Sans Serif", -11, FW_NORMAL, false, true);
  SelectObject(canvas.dc(), font);
  SetTextColor(canvas.dc(), kBlue);
  TextOutA(canvas.dc(), 4, 4, "ab", 2);
  SIZE size;
  GetTextExtentPoint32A(canvas.dc(), "ab", 2, &size);
  for (int x = 4; x < 4 + size.cx; ++x) EXPECT_EQ(canvas.At(x, 4 + 12), kBlue) << x;
  EXPECT_EQ(canvas.CountOf(kBlack), 0);
  SelectObject(canvas.dc(), GetStockObject(DEFAULT_GUI_FONT));
  DeleteObject(font);
}

}  // namespace
