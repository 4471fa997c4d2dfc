// DrawStateA: text, callback and bitmap images drawn normally, embossed as
// disabled, or in one brush.
#include <gtest/gtest.h>

#include <win32/windows.h>

#include "colours.h"
#include "dib_canvas.h"

namespace {

using Canvas = testsupport::DibCanvas;

bool SamePixels(const Canvas& a, const Canvas& b) {
  for (int y = 0; y < a.height(); ++y)
    for (int x = 0; x < a.width(); ++x)
      if (a.At(x, y) != b.At(x, y)) return false;
  return true;
}

struct Block {
  const char* text;
  UINT format;
};

BOOL CALLBACK DrawBlock(HDC dc, LPARAM data, WPARAM, int cx, int cy) {
  const auto* block = reinterpret_cast<const Block*>(data);
  RECT r{0, 0, cx, cy};
  DrawTextA(dc, block->text, -1, &r, block->format);
  return TRUE;
}

// The engraved look drawn by hand: the text in highlight one pixel down and
// right, then in shadow where it belongs.
void EngraveByHand(HDC dc, const char* text, RECT r, UINT format) {
  RECT lit = r;
  OffsetRect(&lit, 1, 1);
  SetTextColor(dc, kWhite);
  DrawTextA(dc, text, -1, &lit, format);
  SetTextColor(dc, kGrey);
  DrawTextA(dc, text, -1, &r, format);
}

TEST(DrawStateA, DisabledTextIsTheHighlightUnderTheShadowOnePixelOff) {
  Canvas expected(120, 40, kFace), actual(120, 40, kFace);
  testsupport::PrepareText(expected.dc());
  testsupport::PrepareText(actual.dc());
  EngraveByHand(expected.dc(), "&Install", RECT{4, 4, 100, 30}, DT_SINGLELINE | DT_NOCLIP);
  ASSERT_TRUE(DrawStateA(actual.dc(), nullptr, nullptr, reinterpret_cast<LPARAM>("&Install"), 0, 4, 4, 0, 0,
                         DST_PREFIXTEXT | DSS_DISABLED));
  EXPECT_TRUE(SamePixels(expected, actual));
  EXPECT_GT(actual.CountOf(kWhite), 0);
  EXPECT_GT(actual.CountOf(kGrey), 0);
  EXPECT_EQ(actual.CountOf(kRed), 0) << "the DC's text colour is not used for a disabled image";
}

TEST(DrawStateA, DisabledCallbackKeepsItsLayoutAndClipsToItsBox) {
  // A wrapped, centred block of text as a label lays it out.
  const UINT format = DT_CENTER | DT_WORDBREAK;
  const char* text = "Custom Mission Installer for two games";
  Canvas expected(120, 60, kFace), actual(120, 60, kFace);
  testsupport::PrepareText(expected.dc());
  testsupport::PrepareText(actual.dc());
  EngraveByHand(expected.dc(), text, RECT{5, 3, 85, 40}, format);
  const Block block{text, format};
  ASSERT_TRUE(DrawStateA(actual.dc(), nullptr, DrawBlock, reinterpret_cast<LPARAM>(&block), 0, 5, 3, 80, 37,
                         DST_COMPLEX | DSS_DISABLED));
  EXPECT_TRUE(SamePixels(expected, actual));
  // Nothing lands outside the box and its one-pixel highlight margin.
  for (int y = 0; y < 60; ++y) {
    for (int x = 0; x < 120; ++x) {
      const bool inside = x >= 5 && y >= 3 && x <= 85 && y <= 40;
      if (!inside) {
        ASSERT_EQ(actual.At(x, y), kFace) << x << "," << y;
      }
    }
  }
}

TEST(DrawStateA, NormalTextAndCallbackDrawInPlaceWithTheDcColours) {
  Canvas expected(100, 30, kWhite), actual(100, 30, kWhite);
  testsupport::PrepareText(expected.dc());
  testsupport::PrepareText(actual.dc());
  RECT r{10, 5, 100, 30};
  DrawTextA(expected.dc(), "A&B", -1, &r, DT_SINGLELINE | DT_NOPREFIX | DT_NOCLIP);
  ASSERT_TRUE(DrawStateA(actual.dc(), nullptr, nullptr, reinterpret_cast<LPARAM>("A&Bxyz"), 3, 10, 5, 0, 0,
                         DST_TEXT | DSS_NORMAL));
  EXPECT_TRUE(SamePixels(expected, actual)) << "DST_TEXT shows '&' and takes wData characters";

  Canvas viaCallback(100, 30, kWhite);
  testsupport::PrepareText(viaCallback.dc());
  const Block block{"A&B", DT_SINGLELINE | DT_NOPREFIX};
  ASSERT_TRUE(DrawStateA(viaCallback.dc(), nullptr, DrawBlock, reinterpret_cast<LPARAM>(&block), 0, 10, 5, 90, 25,
                         DST_COMPLEX));
  EXPECT_TRUE(SamePixels(expected, viaCallback)) << "the callback draws with its origin moved to (x, y)";
  POINT origin{};
  GetViewportOrgEx(viaCallback.dc(), &origin);
  EXPECT_EQ(origin.x, 0);
  EXPECT_EQ(origin.y, 0);
}

TEST(DrawStateA, MonoAndDisabledBitmapsStampTheirBlackPixels) {
  // A 4x2 monochrome image: black at (0,0) and (3,1), white elsewhere.
  const WORD rows[2] = {0x7F, 0xEF};
  HBITMAP mono = CreateBitmap(4, 2, 1, 1, rows);
  Canvas c(8, 6, kFace);
  HBRUSH red = CreateSolidBrush(kRed);
  ASSERT_TRUE(DrawStateA(c.dc(), red, nullptr, reinterpret_cast<LPARAM>(mono), 0, 1, 1, 0, 0, DST_BITMAP | DSS_MONO));
  EXPECT_EQ(c.At(1, 1), kRed);
  EXPECT_EQ(c.At(4, 2), kRed);
  EXPECT_EQ(c.CountOf(kRed), 2);

  c.Fill(kFace);
  ASSERT_TRUE(
      DrawStateA(c.dc(), nullptr, nullptr, reinterpret_cast<LPARAM>(mono), 0, 1, 1, 0, 0, DST_BITMAP | DSS_DISABLED));
  EXPECT_EQ(c.At(1, 1), kGrey);
  EXPECT_EQ(c.At(2, 2), kWhite);  // the highlight of (0,0), one pixel down and right
  EXPECT_EQ(c.At(4, 2), kGrey);
  EXPECT_EQ(c.At(5, 3), kWhite);
  EXPECT_EQ(c.CountOf(kGrey) + c.CountOf(kWhite), 4);
  DeleteObject(red);
  DeleteObject(mono);
}

TEST(DrawStateA, RefusesWhatItCannotDraw) {
  Canvas c(10, 10, kFace);
  EXPECT_FALSE(DrawStateA(c.dc(), nullptr, nullptr, 0, 0, 0, 0, 5, 5, DST_ICON));
  EXPECT_FALSE(DrawStateA(c.dc(), nullptr, nullptr, 0, 0, 0, 0, 0, 0, DST_COMPLEX | DSS_DISABLED));
  EXPECT_FALSE(DrawStateA(nullptr, nullptr, nullptr, reinterpret_cast<LPARAM>("x"), 0, 0, 0, 0, 0, DST_TEXT));
  EXPECT_EQ(c.CountOf(kFace), 100);
}

}  // namespace
