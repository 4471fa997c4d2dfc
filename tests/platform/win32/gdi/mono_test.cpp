// Monochrome bitmaps: conversions in blits and monochrome pattern brushes.
#include "gdi_fixture.h"

using gdi_test::Canvas;

TEST(MonoBlit, MonoToColourUsesTextAndBackgroundColours) {
  Canvas mono(2, 1, RGB(0, 0, 0), 1);
  mono.surface->At(1, 0) = 0xFFFFFF;
  Canvas dst(2, 1);
  SetTextColor(dst.dc, RGB(10, 20, 30));
  SetBkColor(dst.dc, RGB(200, 100, 50));
  ASSERT_TRUE(BitBlt(dst.dc, 0, 0, 2, 1, mono.dc, 0, 0, SRCCOPY));
  EXPECT_EQ(dst.At(0, 0), RGB(10, 20, 30));  // black bits take the text colour
  EXPECT_EQ(dst.At(1, 0), RGB(200, 100, 50));
}

TEST(MonoBlit, ColourToMonoComparesWithSourceBackground) {
  Canvas src(3, 1);
  src.surface->At(0, 0) = gdi::PixelOf(RGB(255, 0, 255));
  src.surface->At(1, 0) = gdi::PixelOf(RGB(255, 255, 255));
  src.surface->At(2, 0) = gdi::PixelOf(RGB(0, 0, 0));
  SetBkColor(src.dc, RGB(255, 0, 255));
  Canvas mask(3, 1, RGB(0, 0, 0), 1);
  ASSERT_TRUE(BitBlt(mask.dc, 0, 0, 3, 1, src.dc, 0, 0, SRCCOPY));
  EXPECT_EQ(mask.At(0, 0), RGB(255, 255, 255));  // the background colour becomes white
  EXPECT_EQ(mask.At(1, 0), RGB(0, 0, 0));        // even white is black when it is not bk
  EXPECT_EQ(mask.At(2, 0), RGB(0, 0, 0));
}

TEST(MonoBlit, MaskedDrawWithB8074APaintsBrushWhereMaskIsBlack) {
  Canvas mask(3, 1, RGB(255, 255, 255), 1);
  mask.surface->At(1, 0) = 0;
  Canvas dst(3, 1, RGB(1, 2, 3));
  HBRUSH brush = CreateSolidBrush(RGB(255, 255, 255));
  SelectObject(dst.dc, brush);
  SetTextColor(dst.dc, 0);
  SetBkColor(dst.dc, RGB(255, 255, 255));
  ASSERT_TRUE(BitBlt(dst.dc, 0, 0, 3, 1, mask.dc, 0, 0, 0xB8074A));
  EXPECT_EQ(dst.At(0, 0), RGB(1, 2, 3));
  EXPECT_EQ(dst.At(1, 0), RGB(255, 255, 255));
  EXPECT_EQ(dst.At(2, 0), RGB(1, 2, 3));
  SelectObject(dst.dc, GetStockObject(WHITE_BRUSH));
  DeleteObject(brush);
}

TEST(MonoBlit, DrawingOnMonoPicksNearestOfBlackAndWhite) {
  Canvas m(2, 1, RGB(0, 0, 0), 1);
  HBRUSH light = CreateSolidBrush(RGB(200, 200, 200));
  RECT r{0, 0, 1, 1};
  FillRect(m.dc, &r, light);
  EXPECT_EQ(m.At(0, 0), RGB(255, 255, 255));
  EXPECT_EQ(SetPixel(m.dc, 1, 0, RGB(90, 0, 0)), RGB(0, 0, 0));
  DeleteObject(light);
}

TEST(PatternBrush, MonoPatternTakesDcColoursAndHonoursBrushOrigin) {
  // A checkerboard: white where (x + y) is even.
  Canvas pat(8, 8, RGB(0, 0, 0), 1);
  for (int y = 0; y < 8; ++y)
    for (int x = 0; x < 8; ++x)
      if (((x + y) & 1) == 0) pat.surface->At(x, y) = 0xFFFFFF;
  HBRUSH brush = CreatePatternBrush(pat.bitmap);
  LOGBRUSH lb{};
  GetObjectA(brush, sizeof(lb), &lb);
  EXPECT_EQ(lb.lbStyle, UINT(BS_PATTERN));
  Canvas dst(4, 2);
  SelectObject(dst.dc, brush);
  SetTextColor(dst.dc, RGB(255, 0, 0));
  SetBkColor(dst.dc, RGB(0, 0, 255));
  ASSERT_TRUE(PatBlt(dst.dc, 0, 0, 4, 2, PATCOPY));
  EXPECT_EQ(dst.At(0, 0), RGB(0, 0, 255));  // white bits: background colour
  EXPECT_EQ(dst.At(1, 0), RGB(255, 0, 0));
  SetBrushOrgEx(dst.dc, 1, 0, nullptr);
  ASSERT_TRUE(PatBlt(dst.dc, 0, 0, 4, 2, PATCOPY));
  EXPECT_EQ(dst.At(0, 0), RGB(255, 0, 0));
  EXPECT_EQ(dst.At(1, 0), RGB(0, 0, 255));
  // The brush keeps its own copy of the pattern.
  SelectObject(dst.dc, GetStockObject(WHITE_BRUSH));
  pat.Fill(0);
  SelectObject(dst.dc, brush);
  ASSERT_TRUE(PatBlt(dst.dc, 0, 0, 4, 2, PATCOPY));
  EXPECT_EQ(dst.At(1, 0), RGB(0, 0, 255));
  SelectObject(dst.dc, GetStockObject(WHITE_BRUSH));
  DeleteObject(brush);
}

TEST(PatternBrush, RasterFillWithA000C9KeepsPatternColourOnWhiteSquares) {
  Canvas work(2, 1, RGB(255, 255, 255));
  HBRUSH k = CreateSolidBrush(RGB(0, 128, 0));
  SelectObject(work.dc, k);
  PatBlt(work.dc, 0, 0, 2, 1, PATCOPY);
  Canvas pat(2, 1, RGB(0, 0, 0));
  pat.surface->At(0, 0) = 0xFFFFFF;
  HBRUSH checker = CreatePatternBrush(pat.bitmap);
  SelectObject(work.dc, checker);
  ASSERT_TRUE(PatBlt(work.dc, 0, 0, 2, 1, 0xA000C9));
  EXPECT_EQ(work.At(0, 0), RGB(0, 128, 0));
  EXPECT_EQ(work.At(1, 0), RGB(0, 0, 0));
  SelectObject(work.dc, GetStockObject(WHITE_BRUSH));
  DeleteObject(checker);
  DeleteObject(k);
}

TEST(PatternBrush, HollowBrushPaintsNothing) {
  Canvas c(3, 3, RGB(7, 7, 7));
  SelectObject(c.dc, GetStockObject(HOLLOW_BRUSH));
  EXPECT_TRUE(PatBlt(c.dc, 0, 0, 3, 3, PATCOPY));
  EXPECT_TRUE(Rectangle(c.dc, 0, 0, 3, 3));
  EXPECT_EQ(c.At(1, 1), RGB(7, 7, 7));  // inside untouched
  EXPECT_EQ(c.At(0, 0), RGB(0, 0, 0));  // the pen still frames it
}

// A 4 x 2 monochrome mask, white (1) where `ones` has a '1'.
HBITMAP MaskOf(const char* ones) {
  WORD rows[2] = {0, 0};
  for (int i = 0; i < 8; ++i)
    if (ones[i] == '1') rows[i / 4] = WORD(rows[i / 4] | (0x80 >> (i % 4)));
  return CreateBitmap(4, 2, 1, 1, rows);
}

TEST(MaskBlt, ForegroundWhereTheMaskIsWhiteBackgroundWhereBlackAndNothingOutside) {
  Canvas src(4, 2, RGB(200, 0, 0));
  Canvas dst(6, 4, RGB(1, 2, 3));
  HBRUSH brush = CreateSolidBrush(RGB(0, 0, 200));
  HGDIOBJ old = SelectObject(dst.dc, brush);
  HBITMAP mask = MaskOf("10010110");
  ASSERT_TRUE(MaskBlt(dst.dc, 1, 1, 4, 2, src.dc, 0, 0, mask, 0, 0, MAKEROP4(SRCCOPY, PATCOPY)));
  const char* expect[4] = {"......", ".SBBS.", ".BSSB.", "......"};
  for (int y = 0; y < 4; ++y)
    for (int x = 0; x < 6; ++x) {
      const COLORREF want = expect[y][x] == 'S' ? RGB(200, 0, 0) : expect[y][x] == 'B' ? RGB(0, 0, 200) : RGB(1, 2, 3);
      EXPECT_EQ(dst.At(x, y), want) << x << "," << y;
    }
  SelectObject(dst.dc, old);
  DeleteObject(brush);
  DeleteObject(mask);
}

TEST(MaskBlt, MaskOffsetClipAndKeepingTheDestination) {
  Canvas src(4, 2, RGB(200, 0, 0));
  Canvas dst(4, 2, RGB(1, 2, 3));
  HBITMAP mask = MaskOf("00110011");
  IntersectClipRect(dst.dc, 0, 0, 4, 1);
  // From mask column 2 on, two columns wide: both white, so the source.
  ASSERT_TRUE(MaskBlt(dst.dc, 0, 0, 2, 2, src.dc, 0, 0, mask, 2, 0, MAKEROP4(SRCCOPY, 0x00AA0029)));
  EXPECT_EQ(dst.At(0, 0), RGB(200, 0, 0));
  EXPECT_EQ(dst.At(1, 0), RGB(200, 0, 0));
  EXPECT_EQ(dst.At(2, 0), RGB(1, 2, 3));
  EXPECT_EQ(dst.At(0, 1), RGB(1, 2, 3)) << "outside the clip";
  // Black in the mask keeps the destination (0xAA0029 is D).
  SelectClipRgn(dst.dc, nullptr);
  ASSERT_TRUE(MaskBlt(dst.dc, 0, 1, 2, 1, src.dc, 0, 0, mask, 0, 1, MAKEROP4(SRCCOPY, 0x00AA0029)));
  EXPECT_EQ(dst.At(0, 1), RGB(1, 2, 3));
  EXPECT_EQ(dst.At(1, 1), RGB(1, 2, 3));
  DeleteObject(mask);
}

TEST(MaskBlt, WithoutAMaskItIsBitBltAndAColourOrShortMaskFails) {
  Canvas src(2, 2, RGB(200, 0, 0));
  Canvas dst(2, 2, RGB(1, 2, 3));
  ASSERT_TRUE(MaskBlt(dst.dc, 0, 0, 2, 2, src.dc, 0, 0, nullptr, 0, 0, MAKEROP4(SRCCOPY, PATCOPY)));
  EXPECT_EQ(dst.Count(RGB(200, 0, 0)), 4);
  dst.Fill(RGB(1, 2, 3));
  HBITMAP colour = CreateBitmap(2, 2, 1, 32, nullptr);
  EXPECT_FALSE(MaskBlt(dst.dc, 0, 0, 2, 2, src.dc, 0, 0, colour, 0, 0, MAKEROP4(SRCCOPY, PATCOPY)));
  HBITMAP mask = MaskOf("11111111");
  EXPECT_FALSE(MaskBlt(dst.dc, 0, 0, 2, 2, src.dc, 0, 0, mask, 3, 0, MAKEROP4(SRCCOPY, PATCOPY)))
      << "the mask rectangle leaves the mask";
  EXPECT_EQ(dst.Count(RGB(1, 2, 3)), 4) << "a failed call draws nothing";
  DeleteObject(colour);
  DeleteObject(mask);
}
