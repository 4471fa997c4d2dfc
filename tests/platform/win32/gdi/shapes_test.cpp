// Lines, polygons, rectangles and the user32 fills, with guard pixels.
#include "gdi_fixture.h"

using gdi_test::Canvas;

TEST(Lines, LineToLeavesOutTheLastPixelAndMovesThePosition) {
  Canvas c(8, 8);
  MoveToEx(c.dc, 1, 1, nullptr);
  ASSERT_TRUE(LineTo(c.dc, 5, 1));
  EXPECT_EQ(c.At(1, 1), kBlack);
  EXPECT_EQ(c.At(4, 1), kBlack);
  EXPECT_EQ(c.At(5, 1), kBg);
  EXPECT_EQ(c.At(0, 1), kBg);
  ASSERT_TRUE(LineTo(c.dc, 5, 5));  // continues from (5, 1)
  EXPECT_EQ(c.At(5, 1), kBlack);
  EXPECT_EQ(c.At(5, 4), kBlack);
  EXPECT_EQ(c.At(5, 5), kBg);
  ASSERT_TRUE(LineTo(c.dc, 1, 1));  // diagonal back
  EXPECT_EQ(c.At(3, 3), kBlack);
  EXPECT_EQ(c.Count(kBlack), 12);
}

TEST(Lines, XorPenInvertsAndDrawingTwiceRestores) {
  Canvas c(6, 1, RGB(0x80, 0x80, 0x80));
  HPEN white = static_cast<HPEN>(GetStockObject(WHITE_PEN));
  SelectObject(c.dc, white);
  SetROP2(c.dc, R2_XORPEN);
  MoveToEx(c.dc, 0, 0, nullptr);
  LineTo(c.dc, 6, 0);
  EXPECT_EQ(c.At(2, 0), RGB(0x7F, 0x7F, 0x7F));
  MoveToEx(c.dc, 0, 0, nullptr);
  LineTo(c.dc, 6, 0);
  EXPECT_EQ(c.Count(RGB(0x80, 0x80, 0x80)), 6);
  SetROP2(c.dc, R2_NOT);
  MoveToEx(c.dc, 0, 0, nullptr);
  LineTo(c.dc, 3, 0);
  EXPECT_EQ(c.At(0, 0), RGB(0x7F, 0x7F, 0x7F));
  EXPECT_EQ(c.At(3, 0), RGB(0x80, 0x80, 0x80));
}

TEST(Lines, NullAndDottedPens) {
  Canvas c(12, 2);
  SelectObject(c.dc, GetStockObject(NULL_PEN));
  MoveToEx(c.dc, 0, 0, nullptr);
  LineTo(c.dc, 12, 0);
  EXPECT_EQ(c.Count(kBg), 24);
  HPEN dot = CreatePen(PS_DOT, 1, RGB(255, 0, 0));
  SelectObject(c.dc, dot);
  SetBkMode(c.dc, TRANSPARENT);
  MoveToEx(c.dc, 0, 0, nullptr);
  LineTo(c.dc, 12, 0);
  EXPECT_EQ(c.At(0, 0), RGB(255, 0, 0));
  EXPECT_EQ(c.At(2, 0), RGB(255, 0, 0));
  EXPECT_EQ(c.At(3, 0), kBg);  // a gap, left alone in transparent mode
  EXPECT_EQ(c.At(6, 0), RGB(255, 0, 0));
  SetBkMode(c.dc, OPAQUE);
  SetBkColor(c.dc, RGB(0, 0, 255));
  MoveToEx(c.dc, 0, 1, nullptr);
  LineTo(c.dc, 12, 1);
  EXPECT_EQ(c.At(3, 1), RGB(0, 0, 255));  // gaps take the background colour
  SelectObject(c.dc, GetStockObject(BLACK_PEN));
  DeleteObject(dot);
}

TEST(Shapes, RectangleFramesWithPenAndFillsWithBrush) {
  Canvas c(8, 8);
  HBRUSH red = CreateSolidBrush(RGB(255, 0, 0));
  SelectObject(c.dc, red);
  ASSERT_TRUE(Rectangle(c.dc, 1, 1, 6, 5));
  EXPECT_EQ(c.At(1, 1), kBlack);
  EXPECT_EQ(c.At(5, 4), kBlack);  // right and bottom are exclusive
  EXPECT_EQ(c.At(6, 4), kBg);
  EXPECT_EQ(c.At(5, 5), kBg);
  EXPECT_EQ(c.At(2, 2), RGB(255, 0, 0));
  EXPECT_EQ(c.Count(RGB(255, 0, 0)), 3 * 2);
  EXPECT_EQ(c.Count(kBlack), 5 * 2 + 2 * 2);
  // Without a pen the fill is one pixel smaller on the right and bottom.
  c.Fill(kBg);
  SelectObject(c.dc, GetStockObject(NULL_PEN));
  ASSERT_TRUE(Rectangle(c.dc, 1, 1, 6, 5));
  EXPECT_EQ(c.Count(RGB(255, 0, 0)), 4 * 3);
  EXPECT_EQ(c.At(1, 1), RGB(255, 0, 0));
  SelectObject(c.dc, GetStockObject(WHITE_BRUSH));
  DeleteObject(red);
}

TEST(Shapes, PolygonFillsTriangleLikeTheMenuArrow) {
  Canvas c(8, 8);
  SelectObject(c.dc, GetStockObject(BLACK_BRUSH));
  const POINT tri[3] = {{2, 0}, {2, 6}, {5, 3}};
  ASSERT_TRUE(Polygon(c.dc, tri, 3));
  // A right-pointing arrow: rows 0..6 of widths 1, 2, 3, 4, 3, 2, 1.
  const int widths[7] = {1, 2, 3, 4, 3, 2, 1};
  for (int y = 0; y < 7; ++y)
    for (int x = 0; x < 8; ++x)
      EXPECT_EQ(c.At(x, y), (x >= 2 && x < 2 + widths[y]) ? kBlack : kBg) << x << "," << y;
  EXPECT_EQ(c.Count(kBlack), 16);
}

TEST(Shapes, PolygonFillModes) {
  Canvas c(10, 10);
  SelectObject(c.dc, GetStockObject(WHITE_BRUSH));
  SelectObject(c.dc, GetStockObject(NULL_PEN));
  // Two overlapping squares drawn as one figure, both clockwise.
  const POINT pts[10] = {{0, 0}, {6, 0}, {6, 6}, {0, 6}, {0, 0}, {3, 3}, {9, 3}, {9, 9}, {3, 9}, {3, 3}};
  Polygon(c.dc, pts, 10);
  EXPECT_EQ(c.At(4, 4), kBg);  // alternate: the overlap is a hole
  SetPolyFillMode(c.dc, WINDING);
  Polygon(c.dc, pts, 10);
  EXPECT_EQ(c.At(4, 4), kWhite);
  EXPECT_EQ(c.At(1, 1), kWhite);
}

TEST(UserFills, FillFrameInvertAndSystemColourBrushes) {
  Canvas c(6, 6);
  RECT r{1, 1, 5, 5};
  EXPECT_TRUE(FillRect(c.dc, &r, reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1)));
  EXPECT_EQ(c.At(1, 1), RGB(192, 192, 192));
  EXPECT_EQ(c.At(5, 5), kBg);
  EXPECT_TRUE(FrameRect(c.dc, &r, GetSysColorBrush(COLOR_BTNSHADOW)));
  EXPECT_EQ(c.At(4, 4), RGB(128, 128, 128));
  EXPECT_EQ(c.At(2, 2), RGB(192, 192, 192));
  EXPECT_EQ(c.Count(RGB(128, 128, 128)), 12);
  RECT in{2, 2, 4, 4};
  EXPECT_TRUE(InvertRect(c.dc, &in));
  EXPECT_EQ(c.At(2, 2), RGB(63, 63, 63));
  RECT inverted{4, 4, 2, 2};
  EXPECT_TRUE(FillRect(c.dc, &inverted, GetSysColorBrush(COLOR_WINDOW)));
  EXPECT_EQ(c.Count(kWhite), 0);
  EXPECT_FALSE(FillRect(c.dc, &r, nullptr));
  EXPECT_FALSE(FillRect(c.dc, nullptr, GetSysColorBrush(COLOR_WINDOW)));
  EXPECT_EQ(GetSysColor(COLOR_HIGHLIGHT), 0x800000u);
  EXPECT_EQ(GetSysColor(COLOR_BTNFACE), 0xC0C0C0u);
}

TEST(UserFills, FocusRectangleIsDottedAndXorsAway) {
  Canvas c(6, 5, kBlack);
  RECT r{0, 0, 6, 5};
  ASSERT_TRUE(DrawFocusRect(c.dc, &r));
  EXPECT_EQ(c.At(0, 0), kWhite);
  EXPECT_EQ(c.At(1, 0), kBlack);
  EXPECT_EQ(c.At(2, 0), kWhite);
  EXPECT_EQ(c.At(0, 2), kWhite);
  EXPECT_EQ(c.At(2, 2), kBlack);  // inside untouched
  ASSERT_TRUE(DrawFocusRect(c.dc, &r));
  EXPECT_EQ(c.Count(kBlack), 30);
}

TEST(UserFills, RectArithmetic) {
  RECT a{0, 0, 10, 10}, b{5, 5, 15, 15}, out;
  EXPECT_TRUE(IntersectRect(&out, &a, &b));
  EXPECT_EQ(out.left, 5);
  EXPECT_EQ(out.right, 10);
  RECT far{20, 20, 30, 30};
  EXPECT_FALSE(IntersectRect(&out, &a, &far));
  EXPECT_TRUE(IsRectEmpty(&out));
  EXPECT_TRUE(UnionRect(&out, &a, &far));
  EXPECT_EQ(out.right, 30);
  RECT strip{0, 0, 10, 4};
  EXPECT_TRUE(SubtractRect(&out, &a, &strip));
  EXPECT_EQ(out.top, 4);
  EXPECT_TRUE(SubtractRect(&out, &a, &b));  // a corner cut leaves a unchanged
  EXPECT_TRUE(EqualRect(&out, &a));
  EXPECT_TRUE(PtInRect(&a, POINT{0, 0}));
  EXPECT_FALSE(PtInRect(&a, POINT{10, 5}));
  InflateRect(&a, -2, -3);
  OffsetRect(&a, 1, 1);
  EXPECT_EQ(a.left, 3);
  EXPECT_EQ(a.bottom, 8);
  RECT inv{5, 5, 1, 1};
  EXPECT_TRUE(IsRectEmpty(&inv));
}
