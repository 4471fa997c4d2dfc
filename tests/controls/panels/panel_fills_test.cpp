// The panel fills on small bitmaps: gradient band edges and colours, the
// split gradient, the dither checkerboard, raster-operation fills and
// pictures placed, tiled and transparent.
#include <backend/headless.h>
#include <gtest/gtest.h>

#include "framework/bitmap.h"
#include "panels/panel_fills.h"

namespace {

using P = TMegaTypes;

class FillsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    headless::Start(320, 240);
    Canvas(100, 100, RGB(255, 0, 0));
  }
  void Canvas(int w, int h, COLORREF ground) {
    bitmap.SetSize(w, h);
    dc = bitmap.Canvas()->Handle();
    HBRUSH b = CreateSolidBrush(ground);
    RECT all{0, 0, w, h};
    FillRect(dc, &all, b);
    DeleteObject(b);
    clip = all;
  }
  COLORREF At(int x, int y) { return GetPixel(dc, x, y); }
  // The rows where the colour of column 0 changes.
  std::vector<int> RowEdges(int h) {
    std::vector<int> edges;
    for (int y = 1; y < h; ++y)
      if (At(0, y) != At(0, y - 1)) edges.push_back(y);
    return edges;
  }
  TBitmap bitmap;
  HDC dc = nullptr;
  RECT clip{};
};

TEST_F(FillsTest, HorizontalGradientBandEdgesFollowMulDiv) {
  // Colours far enough apart that all 64 bands differ.
  panel_fills::Gradient(dc, RECT{0, 0, 100, 100}, clip, P::gtHorizontal, RGB(0, 0, 0), RGB(0, 0, 252), 64);
  std::vector<int> expected;
  for (int i = 0; i < 63; ++i) {
    const int edge = MulDiv(100, i + 1, 64);
    if (expected.empty() || expected.back() != edge) expected.push_back(edge);
  }
  EXPECT_EQ(RowEdges(100), expected);
  EXPECT_EQ(At(0, 0), RGB(0, 0, 0)) << "first band: the start colour";
  EXPECT_EQ(At(99, 99), RGB(0, 0, 252)) << "last band: the end colour";
}

TEST_F(FillsTest, ShortTargetGetsOneBandPerPixelAndOneBandIsTheStartColour) {
  panel_fills::Gradient(dc, RECT{0, 0, 10, 40}, clip, P::gtHorizontal, RGB(0, 0, 0), RGB(0, 0, 255), 64);
  EXPECT_EQ(RowEdges(40).size(), 39u);
  EXPECT_EQ(At(0, 39), RGB(0, 0, 255));
  panel_fills::Gradient(dc, RECT{20, 0, 30, 40}, clip, P::gtVertical, RGB(9, 9, 9), RGB(0, 0, 255), 1);
  EXPECT_EQ(At(20, 0), RGB(9, 9, 9));
  EXPECT_EQ(At(29, 39), RGB(9, 9, 9));
  EXPECT_EQ(At(30, 0), RGB(255, 0, 0)) << "outside the target";
}

TEST_F(FillsTest, SplitGradientGivesTheOddPixelToTheLowerHalf) {
  // Two bands over 7 rows split 3 above and 4 below: each half gives its
  // first band MulDiv(half, 1, 2) rows; the end colour meets in the middle.
  panel_fills::Gradient(dc, RECT{0, 0, 10, 7}, clip, P::gtHorzSplit, RGB(0, 0, 0), RGB(255, 255, 255), 2);
  const COLORREF s = RGB(0, 0, 0), e = RGB(255, 255, 255);
  const COLORREF expected[7] = {s, s, e, e, e, s, s};
  for (int y = 0; y < 7; ++y) EXPECT_EQ(At(0, y), expected[y]) << y;
  Canvas(10, 7, RGB(255, 0, 0));
  panel_fills::Gradient(dc, RECT{0, 0, 10, 7}, clip, P::gtHorzSplit, RGB(0, 0, 0), RGB(255, 255, 255), 7);
  // Seven bands: the 3 upper rows take bands 1, 3 and 5 (band 0 has no
  // height there), the 4 lower rows bands 0, 2, 4 and 6, so the end colour
  // lands in the lower half.
  EXPECT_EQ(At(0, 0), RGB(43, 43, 43));
  EXPECT_EQ(At(0, 3), e);
  EXPECT_EQ(At(0, 6), s);
}

TEST_F(FillsTest, DitherLeavesTheBackgroundOnEverySecondPixel) {
  panel_fills::Dither(dc, RECT{3, 5, 40, 30}, clip, RGB(0, 0, 255));
  EXPECT_EQ(At(3, 5), RGB(0, 0, 255)) << "the first pixel of the target carries the colour";
  EXPECT_EQ(At(4, 5), RGB(255, 0, 0));
  EXPECT_EQ(At(4, 6), RGB(0, 0, 255));
  EXPECT_EQ(At(38, 29), RGB(255, 0, 0)) << "x + y odd from the target's corner";
  EXPECT_EQ(At(39, 29), RGB(0, 0, 255));
  EXPECT_EQ(At(2, 5), RGB(255, 0, 0)) << "outside";
  Canvas(100, 100, RGB(255, 0, 0));
  panel_fills::Dither(dc, RECT{0, 0, 70, 70}, clip, RGB(0, 0, 0));
  EXPECT_EQ(At(0, 0), RGB(0, 0, 0)) << "black dithers too";
  EXPECT_EQ(At(1, 0), RGB(255, 0, 0));
  EXPECT_EQ(At(65, 65), RGB(0, 0, 0)) << "past the 64-pixel work bitmap";
  EXPECT_EQ(At(65, 66), RGB(255, 0, 0));
}

TEST_F(FillsTest, RasterFillsCombineWithTheBackgroundAndXorTwiceRestores) {
  const RECT r{0, 0, 10, 10};
  panel_fills::RopFill(dc, r, RGB(0, 255, 255), P::csOR);
  EXPECT_EQ(At(5, 5), RGB(255, 255, 255));
  panel_fills::RopFill(dc, r, RGB(255, 0, 255), P::csAND);
  EXPECT_EQ(At(5, 5), RGB(255, 0, 255));
  panel_fills::RopFill(dc, RECT{20, 0, 30, 10}, RGB(0, 0, 255), P::csXOR);
  EXPECT_EQ(At(25, 5), RGB(255, 0, 255));
  panel_fills::RopFill(dc, RECT{20, 0, 30, 10}, RGB(0, 0, 255), P::csXOR);
  EXPECT_EQ(At(25, 5), RGB(255, 0, 0));
  panel_fills::StyledFill(dc, RECT{40, 0, 50, 10}, clip, clNone, P::csOpaque);
  panel_fills::StyledFill(dc, RECT{40, 0, 50, 10}, clip, clBlue, P::csTransparent);
  EXPECT_EQ(At(45, 5), RGB(255, 0, 0)) << "no colour and transparent paint nothing";
}

// 4 x 4: green with a white bottom-left pixel (its transparent colour)
// and a white pixel at 1, 1.
void Picture(TBitmap& pic) {
  pic.SetSize(4, 4);
  HDC p = pic.Canvas()->Handle();
  HBRUSH g = CreateSolidBrush(RGB(0, 128, 0));
  RECT all{0, 0, 4, 4};
  FillRect(p, &all, g);
  DeleteObject(g);
  SetPixel(p, 0, 3, RGB(255, 255, 255));
  SetPixel(p, 1, 1, RGB(255, 255, 255));
}

TEST_F(FillsTest, PicturesAnchoredTiledAndTransparent) {
  TBitmap pic;
  Picture(pic);
  const RECT area{10, 10, 30, 30};
  panel_fills::Picture(dc, &pic, area, clip, {P::ppBottomRight, P::ptNone, 2, 3});
  EXPECT_EQ(At(30 - 4 - 2, 30 - 4 - 3), RGB(0, 128, 0));
  EXPECT_EQ(At(30 - 4 - 3, 30 - 4 - 3), RGB(255, 0, 0));
  Canvas(100, 100, RGB(255, 0, 0));
  panel_fills::Picture(dc, &pic, area, clip, {P::ppTile, P::ptSimple, 0, 0});
  EXPECT_EQ(At(11, 11), RGB(255, 0, 0)) << "the transparent colour lets the ground show";
  EXPECT_EQ(At(15, 15), RGB(255, 0, 0)) << "in every copy";
  EXPECT_EQ(At(16, 15), RGB(0, 128, 0));
  EXPECT_EQ(At(30, 15), RGB(255, 0, 0)) << "copies are cut to the area";
  Canvas(100, 100, RGB(255, 0, 0));
  panel_fills::Picture(dc, &pic, area, clip, {P::ppTileFast, P::ptFull, 0, 0});
  EXPECT_EQ(At(15, 15), RGB(255, 0, 0));
  EXPECT_EQ(At(16, 15), RGB(0, 128, 0));
  panel_fills::Picture(dc, &pic, RECT{50, 50, 58, 58}, clip, {P::ppStretch, P::ptNone, 0, 0});
  EXPECT_EQ(At(52, 52), RGB(255, 255, 255)) << "the white pixel doubled";
  EXPECT_EQ(At(54, 52), RGB(0, 128, 0));
}

}  // namespace
