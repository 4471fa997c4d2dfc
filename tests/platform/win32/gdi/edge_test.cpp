// DrawEdge: ring colours, corner ownership, flags.
#include "gdi_fixture.h"

using gdi_test::Canvas;


TEST(DrawEdge, RaisedEdgeCornersAreThoseOfAClassicButton) {
  Canvas c(6, 6);
  RECT r{0, 0, 6, 6};
  ASSERT_TRUE(DrawEdge(c.dc, &r, EDGE_RAISED, BF_RECT));
  EXPECT_EQ(c.At(0, 0), kLight);
  EXPECT_EQ(c.At(4, 0), kLight);
  EXPECT_EQ(c.At(5, 0), kDark);  // bottom-right lines own the top-right corner
  EXPECT_EQ(c.At(0, 5), kDark);  // ...and the bottom-left one
  EXPECT_EQ(c.At(5, 5), kDark);
  EXPECT_EQ(c.At(1, 1), kHi);
  EXPECT_EQ(c.At(4, 1), kShadow);
  EXPECT_EQ(c.At(1, 4), kShadow);
  EXPECT_EQ(c.At(4, 4), kShadow);
  EXPECT_EQ(c.At(2, 2), kBg);  // no BF_MIDDLE: the inside stays
  EXPECT_EQ(r.left, 0);       // no BF_ADJUST: the rectangle stays
}

TEST(DrawEdge, SunkenEdgeAndSoftButtons) {
  Canvas c(6, 6);
  RECT r{0, 0, 6, 6};
  ASSERT_TRUE(DrawEdge(c.dc, &r, EDGE_SUNKEN, BF_RECT));
  EXPECT_EQ(c.At(0, 0), kShadow);
  EXPECT_EQ(c.At(5, 0), kHi);
  EXPECT_EQ(c.At(1, 1), kDark);
  EXPECT_EQ(c.At(4, 4), kLight);
  ASSERT_TRUE(DrawEdge(c.dc, &r, EDGE_RAISED, BF_RECT | BF_SOFT));
  EXPECT_EQ(c.At(0, 0), kHi);  // soft: highlight outside, light inside
  EXPECT_EQ(c.At(1, 1), kLight);
  EXPECT_EQ(c.At(5, 5), kDark);
}

TEST(DrawEdge, AdjustShrinksByTheBordersDrawnAndMiddleFills) {
  Canvas c(8, 8);
  RECT r{1, 1, 7, 7};
  ASSERT_TRUE(DrawEdge(c.dc, &r, EDGE_RAISED, BF_RECT | BF_MIDDLE | BF_SOFT | BF_ADJUST));
  EXPECT_EQ(r.left, 3);
  EXPECT_EQ(r.bottom, 5);
  EXPECT_EQ(c.At(3, 3), kFace);
  EXPECT_EQ(c.At(4, 4), kFace);
  EXPECT_EQ(c.At(0, 0), kBg);  // guard pixels around the edge
  EXPECT_EQ(c.At(7, 7), kBg);
  RECT one{0, 0, 4, 4};
  ASSERT_TRUE(DrawEdge(c.dc, &one, BDR_SUNKENOUTER, BF_RECT | BF_ADJUST));
  EXPECT_EQ(one.left, 1);
  EXPECT_EQ(one.right, 3);
}

TEST(DrawEdge, PartialSidesDrawOnlyThoseLines) {
  Canvas c(5, 5);
  RECT r{0, 0, 5, 5};
  ASSERT_TRUE(DrawEdge(c.dc, &r, BDR_SUNKENINNER, BF_BOTTOMRIGHT | BF_ADJUST));
  EXPECT_EQ(c.At(0, 0), kBg);
  EXPECT_EQ(c.At(4, 0), kLight);
  EXPECT_EQ(c.At(0, 4), kLight);
  EXPECT_EQ(c.Count(kLight), 9);
  EXPECT_EQ(r.left, 0);
  EXPECT_EQ(r.right, 4);
  EXPECT_EQ(r.bottom, 4);
  Canvas d(5, 5);
  RECT top{0, 0, 5, 5};
  ASSERT_TRUE(DrawEdge(d.dc, &top, BDR_RAISEDINNER, BF_TOP));
  EXPECT_EQ(d.Count(kHi), 5);  // no right side: the top line runs to the end
}

TEST(DrawEdge, FlatAndMonoBorders) {
  Canvas c(4, 4);
  RECT r{0, 0, 4, 4};
  ASSERT_TRUE(DrawEdge(c.dc, &r, EDGE_SUNKEN, BF_RECT | BF_FLAT));
  EXPECT_EQ(c.At(0, 0), kShadow);
  EXPECT_EQ(c.At(3, 3), kShadow);
  EXPECT_EQ(c.At(1, 1), kFace);
  ASSERT_TRUE(DrawEdge(c.dc, &r, EDGE_RAISED, BF_RECT | BF_MONO | BF_MIDDLE));
  EXPECT_EQ(c.At(0, 0), kDark);
  EXPECT_EQ(c.At(3, 0), kDark);
  EXPECT_EQ(c.At(1, 1), kHi);
  EXPECT_FALSE(DrawEdge(c.dc, nullptr, EDGE_RAISED, BF_RECT));
  EXPECT_FALSE(DrawEdge(nullptr, &r, EDGE_RAISED, BF_RECT));
}

TEST(DrawEdge, HonoursViewportAndClip) {
  Canvas c(8, 8);
  SetViewportOrgEx(c.dc, 2, 2, nullptr);
  IntersectClipRect(c.dc, 0, 0, 2, 6);  // logical, so device 2..4
  RECT r{0, 0, 4, 4};
  ASSERT_TRUE(DrawEdge(c.dc, &r, EDGE_RAISED, BF_RECT));
  EXPECT_EQ(c.At(2, 2), kLight);
  EXPECT_EQ(c.At(5, 2), kBg);  // clipped away
  EXPECT_EQ(c.At(2, 5), kDark);
}
