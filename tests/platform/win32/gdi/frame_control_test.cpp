// DrawFrameControl: push faces, check boxes, radio buttons and caption buttons.
#include "gdi_fixture.h"

using gdi_test::Canvas;

namespace {

bool Same(const Canvas& a, const Canvas& b, int w, int h) {
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x)
      if (a.At(x, y) != b.At(x, y)) return false;
  return true;
}
}  // namespace

TEST(DrawFrameControl, PushFaceIsTheSoftRaisedEdgeOverTheFace) {
  Canvas expected(20, 12), actual(20, 12);
  RECT r{0, 0, 20, 12};
  DrawEdge(expected.dc, &r, EDGE_RAISED, BF_RECT | BF_SOFT | BF_MIDDLE);
  ASSERT_TRUE(DrawFrameControl(actual.dc, &r, DFC_BUTTON, DFCS_BUTTONPUSH));
  EXPECT_TRUE(Same(expected, actual, 20, 12));
  EXPECT_EQ(r.left, 0);  // the rectangle stays without DFCS_ADJUSTRECT

  ASSERT_TRUE(DrawFrameControl(actual.dc, &r, DFC_BUTTON, DFCS_BUTTONPUSH | DFCS_PUSHED | DFCS_ADJUSTRECT));
  EXPECT_EQ(actual.At(0, 0), kDark);  // pushed: soft sunken
  EXPECT_EQ(actual.At(1, 1), kShadow);
  EXPECT_EQ(r.left, 2);
  EXPECT_EQ(r.bottom, 10);
}

TEST(DrawFrameControl, LatchedPushFaceIsDitheredInside) {
  Canvas c(10, 10);
  RECT r{0, 0, 10, 10};
  ASSERT_TRUE(DrawFrameControl(c.dc, &r, DFC_BUTTON, DFCS_BUTTONPUSH | DFCS_CHECKED));
  EXPECT_EQ(c.At(2, 2), kFace);
  EXPECT_EQ(c.At(3, 2), kHi);
  EXPECT_EQ(c.At(2, 3), kHi);
  EXPECT_EQ(c.At(3, 3), kFace);
}

TEST(DrawFrameControl, CheckBoxRingsFillAndTick) {
  Canvas c(13, 13);
  RECT r{0, 0, 13, 13};
  ASSERT_TRUE(DrawFrameControl(c.dc, &r, DFC_BUTTON, DFCS_BUTTONCHECK));
  EXPECT_EQ(c.At(0, 0), kShadow);
  EXPECT_EQ(c.At(12, 12), kHi);
  EXPECT_EQ(c.At(1, 1), kDark);
  EXPECT_EQ(c.At(11, 11), kFace);  // the light ring is the face colour in the classic scheme
  EXPECT_EQ(c.At(6, 6), kWindow);
  EXPECT_EQ(c.Count(kDark), 19) << "unchecked: only the dark ring";

  ASSERT_TRUE(DrawFrameControl(c.dc, &r, DFC_BUTTON, DFCS_BUTTONCHECK | DFCS_CHECKED));
  EXPECT_EQ(c.At(9, 3), kDark);  // the tick's top-right end
  EXPECT_EQ(c.At(5, 9), kDark);  // its bottom point
  EXPECT_EQ(c.Count(kDark), 19 + 21);

  ASSERT_TRUE(DrawFrameControl(c.dc, &r, DFC_BUTTON, DFCS_BUTTONCHECK | DFCS_CHECKED | DFCS_INACTIVE));
  EXPECT_EQ(c.At(9, 3), kShadow);  // inactive: a grey tick on the face
  EXPECT_EQ(c.At(3, 3), kFace);
}

TEST(DrawFrameControl, ThreeStateCheckedIsAGreyTickOnTheDither) {
  Canvas c(13, 13);
  RECT r{0, 0, 13, 13};
  ASSERT_TRUE(DrawFrameControl(c.dc, &r, DFC_BUTTON, DFCS_BUTTONCHECK | DFCS_BUTTON3STATE | DFCS_CHECKED));
  EXPECT_EQ(c.At(9, 3), kShadow);
  EXPECT_NE(c.At(2, 2), c.At(3, 2)) << "the box is dithered";
}

TEST(DrawFrameControl, RadioButtonIsACentredCircleWithItsDot) {
  Canvas c(12, 16);
  RECT r{0, 0, 12, 16};  // taller than wide: the circle sits in the middle
  ASSERT_TRUE(DrawFrameControl(c.dc, &r, DFC_BUTTON, DFCS_BUTTONRADIO | DFCS_CHECKED));
  EXPECT_EQ(c.At(0, 0), kBg);      // outside the circle
  EXPECT_EQ(c.At(5, 2), kShadow);  // upper-left of the outer ring
  EXPECT_EQ(c.At(6, 13), kHi);     // lower-right of the outer ring
  EXPECT_EQ(c.At(5, 7), kDark);    // the dot
  EXPECT_EQ(c.At(3, 8), kWindow);  // between ring and dot
  EXPECT_EQ(c.At(0, 1), kBg);      // nothing above the centred square
}

TEST(DrawFrameControl, OnlyButtonsAreDrawn) {
  Canvas c(8, 8);
  RECT r{0, 0, 8, 8};
  EXPECT_FALSE(DrawFrameControl(c.dc, &r, DFC_SCROLL, 0));
  EXPECT_FALSE(DrawFrameControl(c.dc, nullptr, DFC_BUTTON, DFCS_BUTTONPUSH));
  EXPECT_EQ(c.Count(kBg), 64);
}

TEST(DrawFrameControl, CaptionButtonsAreRaisedFacesWithTheirGlyphCentred) {
  Canvas c(16, 14);
  RECT r{0, 0, 16, 14};
  ASSERT_TRUE(DrawFrameControl(c.dc, &r, DFC_CAPTION, DFCS_CAPTIONCLOSE));
  EXPECT_EQ(c.At(0, 0), kHi);  // soft raised edge, as a push face
  EXPECT_EQ(c.At(1, 1), kFace);
  EXPECT_EQ(c.At(15, 13), kDark);
  // The cross: 8 x 7 in the 12 x 10 face, corners and middle in black.
  EXPECT_EQ(c.At(4, 3), kDark);
  EXPECT_EQ(c.At(11, 3), kDark);
  EXPECT_EQ(c.At(7, 6), kDark);
  EXPECT_EQ(c.At(4, 9), kDark);
  EXPECT_EQ(c.At(6, 3), kFace);
  EXPECT_EQ(c.At(7, 4), kFace);

  ASSERT_TRUE(DrawFrameControl(c.dc, &r, DFC_CAPTION, DFCS_CAPTIONCLOSE | DFCS_PUSHED));
  EXPECT_EQ(c.At(0, 0), kDark);  // sunken, and the glyph one pixel down and right
  EXPECT_EQ(c.At(1, 1), kShadow);
  EXPECT_EQ(c.At(5, 4), kDark);
  EXPECT_EQ(c.At(4, 3), kFace);

  ASSERT_TRUE(DrawFrameControl(c.dc, &r, DFC_CAPTION, DFCS_CAPTIONCLOSE | DFCS_INACTIVE));
  EXPECT_EQ(c.At(11, 3), kShadow);  // disabled: shadow over a highlight one pixel off
  EXPECT_EQ(c.At(12, 4), kHi);

  ASSERT_TRUE(DrawFrameControl(c.dc, &r, DFC_CAPTION, DFCS_CAPTIONMIN));
  EXPECT_EQ(c.At(4, 9), kDark);  // the bar sits at the bottom of the face
  EXPECT_EQ(c.At(4, 3), kFace);
  EXPECT_FALSE(DrawFrameControl(c.dc, &r, DFC_CAPTION, 0x0005));
  EXPECT_FALSE(DrawFrameControl(c.dc, &r, DFC_SCROLL, 0));
}
