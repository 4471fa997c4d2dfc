#include <gtest/gtest.h>

#include "framework/gdi_resources.h"
#include "framework/graphics.h"

TEST(ColorToRGB, ResolvesSystemColoursThroughTheScheme) {
  EXPECT_EQ(ColorToRGB(clBtnFace), 0xC0C0C0u);
  EXPECT_EQ(ColorToRGB(clHighlight), 0x800000u);
  EXPECT_EQ(ColorToRGB(clBtnShadow), GetSysColor(COLOR_BTNSHADOW));
  EXPECT_EQ(ColorToRGB(clWindowText), GetSysColor(COLOR_WINDOWTEXT));
}

TEST(ColorToRGB, PlainAndSpecialColours) {
  EXPECT_EQ(ColorToRGB(clRed), 0x0000FFu);
  EXPECT_EQ(ColorToRGB(0x123456), 0x123456u);
  EXPECT_EQ(ColorToRGB(clDefault), GetSysColor(COLOR_WINDOW));
  EXPECT_EQ(ColorToRGB(clNone), 0u);
}

TEST(GdiResources, SameDataSharesOneHandleAndChangedDataMakesAnother) {
  TFontData a;
  TFontData b = a;
  b.style = TFontStyles{fsBold};
  EXPECT_EQ(FontHandle(a), FontHandle(TFontData{}));
  EXPECT_NE(FontHandle(a), FontHandle(b));
  LOGFONTA lf{};
  ASSERT_NE(GetObjectA(FontHandle(b), sizeof(lf), &lf), 0);
  EXPECT_EQ(lf.lfWeight, FW_BOLD);
  EXPECT_EQ(lf.lfHeight, -11);
  EXPECT_STREQ(lf.lfFaceName, "MS Sans Serif");
}

TEST(GdiResources, LongFaceNamesAreCutWithTheirTerminator) {
  TFontData data;
  data.name = std::string(60, 'x');
  LOGFONTA lf = FontToLogFont(data);
  EXPECT_EQ(std::string(lf.lfFaceName), std::string(LF_FACESIZE - 1, 'x'));
}

TEST(GdiResources, ClearBrushIsTheNullBrushAndPensFollowTheirColour) {
  TBrushData clear;
  clear.style = bsClear;
  EXPECT_EQ(BrushHandle(clear), GetStockObject(NULL_BRUSH));
  TPenData red;
  red.color = clRed;
  LOGPEN lp{};
  ASSERT_NE(GetObjectA(PenHandle(red), sizeof(lp), &lp), 0);
  EXPECT_EQ(lp.lopnColor, 0x0000FFu);
}
