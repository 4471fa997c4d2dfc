// The style painter: each piece of the classic look by the state it is
// given, on a bitmap whose pixels the tests read.
#include <gtest/gtest.h>

#include "framework/bitmap.h"
#include "framework/style_painter.h"

namespace {

constexpr TColor kBack = static_cast<TColor>(0x332211);
constexpr TColor kFace = clSilver, kHi = clWhite, kShadow = clGray, kDark = clBlack;

class StylePainterTest : public ::testing::Test {
 protected:
  void SetUp() override {
    bitmap.SetPixelFormat(pf24bit);
    bitmap.SetSize(40, 24);
    canvas = bitmap.Canvas();
    canvas->Brush()->SetColor(kBack);
    canvas->FillRect(Rect(0, 0, 40, 24));
    dc = canvas->Handle();
  }
  TColor At(int x, int y) { return canvas->Pixel(x, y); }
  int CountOf(TColor color) {
    int n = 0;
    for (int y = 0; y < 24; ++y)
      for (int x = 0; x < 40; ++x) n += At(x, y) == color;
    return n;
  }
  TBitmap bitmap;
  TCanvas* canvas = nullptr;
  HDC dc = nullptr;
};

TEST_F(StylePainterTest, ButtonFaceByState) {
  TStyleState up;
  TRect content = StylePainter::ButtonFace(dc, Rect(0, 0, 40, 24), up);
  EXPECT_EQ(At(0, 0), kHi);
  EXPECT_EQ(At(39, 23), kDark);
  EXPECT_EQ(At(38, 22), kShadow);
  EXPECT_EQ(At(20, 12), kFace);
  EXPECT_EQ(content.left, 2);
  EXPECT_EQ(content.bottom, 22);

  TStyleState focused;
  focused.focused = true;
  StylePainter::ButtonFace(dc, Rect(0, 0, 40, 24), focused);
  EXPECT_EQ(At(0, 0), kDark) << "a focused button has the black frame";
  EXPECT_EQ(At(1, 1), kHi);

  TStyleState down;
  down.pressed = true;
  content = StylePainter::ButtonFace(dc, Rect(0, 0, 40, 24), down);
  EXPECT_EQ(At(0, 0), kDark);
  EXPECT_EQ(At(1, 1), kShadow);
  EXPECT_EQ(At(38, 22), kShadow) << "pressed: a shadow frame all round";
  EXPECT_EQ(At(2, 2), kFace);
  EXPECT_EQ(content.left, 3) << "the content moves one pixel down and right";
  EXPECT_EQ(content.top, 3);
}

TEST_F(StylePainterTest, FlatFrameOnlyWhenPressedOrHotAndEnabled) {
  TStyleState state;
  state.hot = true;
  state.enabled = false;
  StylePainter::FlatFrame(dc, Rect(0, 0, 10, 10), state);
  EXPECT_EQ(CountOf(kBack), 40 * 24);
  state.enabled = true;
  StylePainter::FlatFrame(dc, Rect(0, 0, 10, 10), state);
  EXPECT_EQ(At(0, 0), kHi);
  EXPECT_EQ(At(9, 9), kShadow);
  state.pressed = true;
  StylePainter::FlatFrame(dc, Rect(0, 0, 10, 10), state);
  EXPECT_EQ(At(0, 0), kShadow);
  EXPECT_EQ(At(9, 9), kHi);
  EXPECT_EQ(At(1, 1), kBack);
}

TEST_F(StylePainterTest, BevelRingsAndWhatIsLeftInside) {
  const TRect inside = StylePainter::Bevel(dc, Rect(0, 0, 10, 10), false, 2);
  EXPECT_EQ(inside.left, 2);
  EXPECT_EQ(inside.right, 8);
  EXPECT_EQ(At(1, 1), kShadow);
  EXPECT_EQ(At(8, 8), kHi);
  EXPECT_EQ(At(2, 2), kBack);
  EXPECT_EQ(StylePainter::Edge(dc, Rect(12, 0, 22, 10), esSunken).left, 14);
  EXPECT_EQ(At(13, 1), kDark);
}

TEST_F(StylePainterTest, GroupFrameIsAShadowRingOverAHighlightRing) {
  StylePainter::GroupFrame(dc, Rect(0, 0, 10, 10));
  EXPECT_EQ(At(0, 0), kShadow);
  EXPECT_EQ(At(1, 1), kHi);
  EXPECT_EQ(At(8, 8), kShadow);
  EXPECT_EQ(At(9, 9), kHi);
  EXPECT_EQ(At(9, 0), kBack) << "the corners stay as they were";
  EXPECT_EQ(At(0, 9), kBack);
}

TEST_F(StylePainterTest, TextIsInItsColourOrEngraved) {
  const TRect box = Rect(0, 0, 40, 24);
  const UINT format = DT_CENTER | DT_VCENTER | DT_SINGLELINE;
  const int mode = GetBkMode(dc);
  const COLORREF color = GetTextColor(dc);
  StylePainter::Text(dc, "Hi", box, format, true, clRed);
  EXPECT_GT(CountOf(clRed), 0);
  EXPECT_EQ(CountOf(kShadow), 0);
  EXPECT_EQ(GetBkMode(dc), mode) << "the DC is left as it was";
  EXPECT_EQ(GetTextColor(dc), color);

  canvas->FillRect(box);
  StylePainter::Text(dc, "Hi", box, format, false, clRed);
  EXPECT_EQ(CountOf(clRed), 0);
  EXPECT_GT(CountOf(kShadow), 0);
  EXPECT_GT(CountOf(kHi), 0);
}

TEST_F(StylePainterTest, DitherAlternatesFaceAndHighlight) {
  StylePainter::FillDither(dc, Rect(0, 0, 4, 4));
  EXPECT_EQ(At(0, 0), kFace);
  EXPECT_EQ(At(1, 0), kHi);
  EXPECT_EQ(At(0, 1), kHi);
  EXPECT_EQ(At(1, 1), kFace);
  EXPECT_EQ(At(4, 0), kBack);
}

TEST_F(StylePainterTest, CheckAndRadioMarksFollowTheState) {
  TStyleState ticked;
  ticked.checked = true;
  StylePainter::CheckBox(dc, Rect(0, 0, 20, 20), ticked);
  EXPECT_EQ(At(9, 3), kDark);
  EXPECT_EQ(At(13, 13), kBack) << "the box is 13 pixels whatever the rectangle";
  ticked.enabled = false;
  StylePainter::RadioButton(dc, Rect(20, 0, 40, 20), ticked);
  EXPECT_EQ(At(25, 5), kShadow) << "a disabled dot is grey";
  EXPECT_EQ(At(22, 5), kFace);
}

}  // namespace
