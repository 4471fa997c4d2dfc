// Glyph buttons drawn on the headless screen: where the glyph lands, its
// transparent colour, the pushed offset, the embossed disabled look and
// the heavy frame of the default button.
#include <gtest/gtest.h>

#include <string>

#include "control_fixture.h"
#include "framework/buttons.h"
#include "painted.h"

namespace stdctrls_test {
namespace {

// 16 x 16: fuchsia ground (the bottom-left pixel), a red square from 4 to
// 11 with a white 2 x 2 spot at 6, 6 inside it.
void PaintGlyph(TBitmap& glyph) {
  glyph.SetSize(16, 16);
  TCanvas* c = glyph.Canvas();
  c->Brush()->SetColor(clFuchsia);
  c->FillRect(TRect{0, 0, 16, 16});
  c->Brush()->SetColor(clRed);
  c->FillRect(TRect{4, 4, 12, 12});
  c->Brush()->SetColor(clWhite);
  c->FillRect(TRect{6, 6, 8, 8});
}

class BitBtnTest : public ControlTest {
 protected:
  void SetUp() override {
    ControlTest::SetUp();
    root->SetColor(clBtnFace);
    PaintGlyph(glyph);
  }
  TBitBtn* MakeGlyphButton(const std::string& caption, int width, int height) {
    auto* b = Make<TBitBtn>(8, 8);
    b->SetBounds(8, 8, width, height);
    b->SetGlyph(&glyph);
    b->SetCaption(caption);
    return b;
  }
  // Paints the button now and reads one of its pixels.
  static COLORREF At(TBitBtn* b, int x, int y) { return PaintedPixel(b->Handle(), x, y); }
  // Counts the pixels of `colour` in a rectangle of the painted button.
  static int Count(TBitBtn* b, const TRect& r, COLORREF colour) {
    At(b, 0, 0);
    HDC dc = GetDC(b->Handle());
    int n = 0;
    for (int y = r.top; y < r.bottom; ++y)
      for (int x = r.left; x < r.right; ++x) n += GetPixel(dc, x, y) == colour;
    ReleaseDC(b->Handle(), dc);
    return n;
  }
  static void Shot(TBitBtn* b, const std::string& name) {
    SaveShot(b->Handle(), TRect{0, 0, b->Width(), b->Height()}, name);
  }
  TBitmap glyph;
  const COLORREF face = ColorToRGB(clBtnFace), red = RGB(255, 0, 0), white = RGB(255, 255, 255);
  const COLORREF black = RGB(0, 0, 0), shadow = ColorToRGB(clBtnShadow);
};

TEST_F(BitBtnTest, AGlyphOnlyButtonCentresItsGlyphTransparentAndPushedOnePixelFurther) {
  TBitBtn* b = MakeGlyphButton("", 23, 22);
  EXPECT_EQ(b->NumGlyphs(), 1);
  Shot(b, "glyph_up");
  // Inside the 2-pixel edge (19 x 18) a 16 x 16 glyph starts at 4, 3.
  EXPECT_EQ(At(b, 4, 3), face) << "the fuchsia ground is transparent";
  EXPECT_EQ(At(b, 8, 7), red) << "the square's top-left corner";
  EXPECT_EQ(At(b, 15, 14), red) << "its bottom-right corner";
  EXPECT_EQ(At(b, 16, 15), face);
  EXPECT_EQ(At(b, 10, 9), white);
  EXPECT_EQ(At(b, 0, 0), white) << "raised: the outer highlight";
  EXPECT_EQ(At(b, 22, 21), black) << "raised: the outer dark shadow";

  SendMessageA(b->Handle(), BM_SETSTATE, TRUE, 0);
  Shot(b, "glyph_down");
  EXPECT_EQ(At(b, 8, 7), face);
  EXPECT_EQ(At(b, 9, 8), red);
  EXPECT_EQ(At(b, 16, 15), red);
  EXPECT_EQ(At(b, 0, 0), black) << "pushed: the black frame";
  EXPECT_EQ(At(b, 1, 1), shadow) << "then the shadow line";
  EXPECT_EQ(At(b, 2, 2), face);
}

TEST_F(BitBtnTest, DisabledGlyphAndCaptionAreEmbossedInHighlightAndShadow) {
  TBitBtn* b = MakeGlyphButton("", 23, 22);
  b->SetEnabled(false);
  Shot(b, "glyph_disabled");
  EXPECT_EQ(At(b, 8, 7), shadow) << "ink becomes shadow in place";
  EXPECT_EQ(At(b, 16, 15), white) << "and highlight one pixel right and down";
  EXPECT_EQ(At(b, 11, 10), face) << "white in the glyph is no ink";
  EXPECT_EQ(At(b, 10, 9), white) << "the highlight of the ink beside it";
  EXPECT_EQ(Count(b, TRect{2, 2, 21, 20}, red), 0);

  TBitBtn* install = MakeGlyphButton("Install", 120, 25);
  const TRect text{26, 4, 116, 21};
  EXPECT_GT(Count(install, text, black), 10) << "an enabled caption in the font colour";
  install->SetEnabled(false);
  Shot(install, "caption_disabled");
  EXPECT_EQ(Count(install, text, black), 0);
  EXPECT_GT(Count(install, text, shadow), 10);
  EXPECT_GT(Count(install, text, white), 10);
}

TEST_F(BitBtnTest, TheDefaultButtonHasTheBlackFrameAndTheFocusedOneTheDottedRectangle) {
  TBitBtn* b = MakeGlyphButton("Install", 120, 25);
  Shot(b, "caption_up");
  EXPECT_EQ(GetWindowLongA(b->Handle(), GWL_STYLE) & BS_TYPEMASK, BS_OWNERDRAW);
  b->SetDefault(true);
  Shot(b, "caption_default");
  EXPECT_EQ(At(b, 0, 0), black);
  EXPECT_EQ(At(b, 1, 1), white) << "the raised face inside the frame";
  EXPECT_EQ(GetWindowLongA(b->Handle(), GWL_STYLE) & BS_TYPEMASK, BS_OWNERDRAW) << "still owner-drawn";
  EXPECT_EQ(Count(b, TRect{4, 4, 116, 5}, face), 112) << "no focus rectangle yet";
  b->SetFocus();
  Shot(b, "caption_focused");
  const int dots = 112 - Count(b, TRect{4, 4, 116, 5}, face);
  EXPECT_GE(dots, 50) << "every other pixel of the dotted line";
  EXPECT_LE(dots, 62);
  // Made default before its window exists, as window code does.
  auto* early = Make<TBitBtn>(8, 40);
  early->SetDefault(true);
  EXPECT_EQ(At(early, 0, 0), black);
}

TEST_F(BitBtnTest, NumGlyphsFollowsTheStripAndPicksTheImageOfTheState) {
  // Three images: up red, disabled green, down blue (all with the fuchsia ground).
  TBitmap strip;
  strip.SetSize(48, 16);
  TCanvas* c = strip.Canvas();
  c->Brush()->SetColor(clFuchsia);
  c->FillRect(TRect{0, 0, 48, 16});
  const TColor inks[3] = {clRed, clGreen, clBlue};
  for (int i = 0; i < 3; ++i) {
    c->Brush()->SetColor(inks[i]);
    c->FillRect(TRect{i * 16 + 4, 4, i * 16 + 12, 12});
  }
  auto* b = Make<TBitBtn>(8, 8);
  b->SetBounds(8, 8, 23, 22);
  b->SetGlyph(&strip);
  EXPECT_EQ(b->NumGlyphs(), 3);
  EXPECT_EQ(At(b, 8, 7), red);
  SendMessageA(b->Handle(), BM_SETSTATE, TRUE, 0);
  EXPECT_EQ(At(b, 9, 8), RGB(0, 0, 255));
  SendMessageA(b->Handle(), BM_SETSTATE, FALSE, 0);
  b->SetEnabled(false);
  EXPECT_EQ(At(b, 8, 7), RGB(0, 128, 0)) << "the strip's own disabled image";
  b->SetNumGlyphs(7);
  EXPECT_EQ(b->NumGlyphs(), 1) << "out of range counts as one";
  b->SetGlyph(nullptr);
  EXPECT_TRUE(b->Glyph()->Empty());
  EXPECT_EQ(Count(b, TRect{2, 2, 21, 20}, face), 19 * 18) << "an empty glyph draws nothing";
}

}  // namespace
}  // namespace stdctrls_test
