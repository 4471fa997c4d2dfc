// Regions and clipping.
#include "gdi_fixture.h"

using gdi_test::Canvas;

TEST(Regions, CombineModesGiveTheRightAreasAndTypes) {
  HRGN a = CreateRectRgn(0, 0, 10, 10), b = CreateRectRgn(5, 5, 15, 15), d = CreateRectRgn(0, 0, 0, 0);
  EXPECT_EQ(CombineRgn(d, a, b, RGN_AND), SIMPLEREGION);
  RECT box;
  GetRgnBox(d, &box);
  EXPECT_EQ(box.left, 5);
  EXPECT_EQ(box.right, 10);
  EXPECT_EQ(CombineRgn(d, a, b, RGN_OR), COMPLEXREGION);
  EXPECT_TRUE(PtInRegion(d, 14, 14));
  EXPECT_FALSE(PtInRegion(d, 14, 2));
  EXPECT_EQ(CombineRgn(d, a, b, RGN_DIFF), COMPLEXREGION);
  EXPECT_TRUE(PtInRegion(d, 2, 2));
  EXPECT_FALSE(PtInRegion(d, 7, 7));
  EXPECT_EQ(CombineRgn(d, a, b, RGN_XOR), COMPLEXREGION);
  EXPECT_FALSE(PtInRegion(d, 7, 7));
  EXPECT_TRUE(PtInRegion(d, 12, 12));
  EXPECT_EQ(CombineRgn(d, a, nullptr, RGN_COPY), SIMPLEREGION);
  EXPECT_TRUE(EqualRgn(d, a));
  HRGN far = CreateRectRgn(50, 50, 60, 60);
  EXPECT_EQ(CombineRgn(d, a, far, RGN_AND), NULLREGION);
  EXPECT_EQ(CombineRgn(d, a, b, 9), ERROR);
  EXPECT_EQ(CombineRgn(d, a, nullptr, RGN_OR), ERROR);
  for (HRGN r : {a, b, d, far}) DeleteObject(r);
}

TEST(Regions, DifferenceOfTheSameRectsIsEmptyAndUnionsMerge) {
  HRGN a = CreateRectRgn(0, 0, 4, 4), b = CreateRectRgn(4, 0, 8, 4), d = CreateRectRgn(0, 0, 0, 0);
  EXPECT_EQ(CombineRgn(d, a, a, RGN_DIFF), NULLREGION);
  EXPECT_EQ(CombineRgn(d, a, b, RGN_OR), SIMPLEREGION);  // side by side: one rectangle
  HRGN whole = CreateRectRgn(0, 0, 8, 4);
  EXPECT_TRUE(EqualRgn(d, whole));
  EXPECT_EQ(OffsetRgn(d, 2, 3), SIMPLEREGION);
  RECT box;
  GetRgnBox(d, &box);
  EXPECT_EQ(box.top, 3);
  EXPECT_EQ(box.right, 10);
  RECT probe{9, 6, 20, 20}, miss{10, 0, 20, 20};
  EXPECT_TRUE(RectInRegion(d, &probe));
  EXPECT_FALSE(RectInRegion(d, &miss));
  RECT inverted{9, 20, 20, 6};
  EXPECT_TRUE(RectInRegion(d, &inverted));
  RECT r{4, 4, 1, 1};
  HRGN inv = CreateRectRgnIndirect(&r);  // normalised, as Windows does
  GetRgnBox(inv, &box);
  EXPECT_EQ(box.left, 1);
  for (HRGN h : {a, b, d, whole, inv}) DeleteObject(h);
}

TEST(Clipping, ClipRegionLimitsEveryDrawingCall) {
  Canvas c(10, 10);
  HRGN shadow = CreateRectRgn(2, 2, 8, 8), hole = CreateRectRgn(4, 4, 6, 6);
  CombineRgn(shadow, shadow, hole, RGN_DIFF);
  EXPECT_EQ(SelectClipRgn(c.dc, shadow), COMPLEXREGION);
  DeleteObject(shadow);  // the DC holds a copy
  SelectObject(c.dc, GetStockObject(BLACK_BRUSH));
  PatBlt(c.dc, 0, 0, 10, 10, PATCOPY);
  EXPECT_EQ(c.Count(RGB(0, 0, 0)), 36 - 4);
  EXPECT_EQ(c.At(4, 4), kBg);
  EXPECT_EQ(c.At(1, 1), kBg);
  c.Fill(kBg);
  MoveToEx(c.dc, 0, 5, nullptr);
  LineTo(c.dc, 10, 5);
  EXPECT_EQ(c.Count(RGB(0, 0, 0)), 4);
  EXPECT_EQ(SetPixel(c.dc, 5, 5, 0), CLR_INVALID);
  EXPECT_EQ(GetPixel(c.dc, 0, 0), CLR_INVALID);
  RECT box;
  EXPECT_EQ(GetClipBox(c.dc, &box), COMPLEXREGION);
  EXPECT_EQ(box.left, 2);
  EXPECT_EQ(box.bottom, 8);
  EXPECT_FALSE(PtVisible(c.dc, 5, 5));
  EXPECT_EQ(SelectClipRgn(c.dc, nullptr), SIMPLEREGION);
  EXPECT_EQ(GetClipBox(c.dc, &box), SIMPLEREGION);
  EXPECT_EQ(box.right, 10);
  DeleteObject(hole);
}

TEST(Clipping, ExcludeAndIntersectClipRectInLogicalCoordinates) {
  Canvas c(10, 10);
  SetViewportOrgEx(c.dc, 1, 1, nullptr);
  EXPECT_EQ(IntersectClipRect(c.dc, 0, 0, 6, 6), SIMPLEREGION);
  EXPECT_EQ(ExcludeClipRect(c.dc, 2, 2, 4, 4), COMPLEXREGION);
  RECT all{-5, -5, 20, 20};
  FillRect(c.dc, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
  EXPECT_EQ(c.Count(RGB(255, 255, 255)), 36 - 4);
  EXPECT_EQ(c.At(1, 1), RGB(255, 255, 255));
  EXPECT_EQ(c.At(3, 3), kBg);
  EXPECT_EQ(c.At(7, 7), kBg);
  RECT box;
  GetClipBox(c.dc, &box);
  EXPECT_EQ(box.left, 0);  // reported in logical coordinates
  EXPECT_EQ(box.right, 6);
  // SaveDC keeps the clip; RestoreDC brings back the one before.
  SaveDC(c.dc);
  IntersectClipRect(c.dc, 0, 0, 1, 1);
  RestoreDC(c.dc, -1);
  GetClipBox(c.dc, &box);
  EXPECT_EQ(box.right, 6);
  HRGN out = CreateRectRgn(0, 0, 0, 0);
  EXPECT_EQ(GetClipRgn(c.dc, out), 1);
  GetRgnBox(out, &box);
  EXPECT_EQ(box.left, 1);  // device coordinates
  DeleteObject(out);
}

TEST(Clipping, BlitsClipAndNeverWriteOutsideTheSurface) {
  Canvas src(4, 4, RGB(255, 0, 0)), dst(4, 4);
  EXPECT_TRUE(BitBlt(dst.dc, -100, -100, 1000, 1000, src.dc, -100, -100, SRCCOPY));
  EXPECT_EQ(dst.Count(RGB(255, 0, 0)), 16);
  dst.Fill(kBg);
  EXPECT_TRUE(BitBlt(dst.dc, 2, 2, 10, 10, src.dc, 0, 0, SRCCOPY));
  EXPECT_EQ(dst.Count(RGB(255, 0, 0)), 4);
  EXPECT_TRUE(StretchBlt(dst.dc, -50, -50, 200, 200, src.dc, 0, 0, 4, 4, SRCCOPY));
  EXPECT_EQ(dst.Count(RGB(255, 0, 0)), 16);
  EXPECT_TRUE(PatBlt(dst.dc, 0x7FFFFFF0, 0x7FFFFFF0, 0x7FFFFFFF, 0x7FFFFFFF, BLACKNESS));
  EXPECT_FALSE(BitBlt(dst.dc, 0, 0, 4, 4, nullptr, 0, 0, SRCCOPY));
  EXPECT_TRUE(BitBlt(dst.dc, 0, 0, 4, 4, nullptr, 0, 0, BLACKNESS));  // no source needed
  EXPECT_EQ(dst.Count(RGB(0, 0, 0)), 16);
}

TEST(Clipping, ExtremeCoordinatesNeitherOverflowNorDraw) {
  Canvas c(4, 4);
  const int big = 0x7FFFFFF0;
  EXPECT_TRUE(PatBlt(c.dc, -big, -big, 0x7FFFFFFF, 0x7FFFFFFF, WHITENESS));
  EXPECT_EQ(c.Count(RGB(255, 255, 255)), 16);  // covers everything, no wrap
  c.Fill(kBg);
  SetViewportOrgEx(c.dc, big, big, nullptr);
  EXPECT_TRUE(PatBlt(c.dc, big, big, big, big, WHITENESS));
  EXPECT_TRUE(StretchBlt(c.dc, big, big, big, -big, c.dc, 0, 0, big, big, SRCCOPY));
  EXPECT_EQ(c.Count(kBg), 16);
  // Far logical coordinates that the origin brings back onto the bitmap.
  RECT r{-big, -big, -big + 2, -big + 4};
  EXPECT_TRUE(FillRect(c.dc, &r, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH))));
  EXPECT_EQ(c.Count(RGB(0, 0, 0)), 8);
  SetViewportOrgEx(c.dc, 0, 0, nullptr);
  EXPECT_TRUE(gdi::DrawCoverageMask(c.dc, big, big, reinterpret_cast<const std::uint8_t*>("x"), big, 1, 0, 0));
}
