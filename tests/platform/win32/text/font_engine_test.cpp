// The font engine alone: faces chosen for requests, the metrics of the
// classic bitmap strikes, synthesised styles and the composed runs.
#include <gtest/gtest.h>

#include <climits>
#include <string>

#include "text/cp1252.h"
#include "text/font.h"
#include "text/text_run.h"

namespace {

using text::FontRequest;
using text::RealizeFont;

FontRequest Request(const char* face, int height, int weight = 400) {
  FontRequest r;
  r.face = face;
  r.height = height;
  r.weight = weight;
  return r;
}

// Rows of a composed run as '#'/'.' strings, for readable failures.
std::string Row(const text::RunMask& m, int y) {
  std::string s;
  for (int x = 0; x < m.width; ++x) s += m.bits[static_cast<std::size_t>(y - m.top) * m.width + x] ? '#' : '.';
  return s;
}

TEST(FontEngine, SystemFontIsTheThirteenPixelStrike) {
  auto f = RealizeFont(Request("MS Sans Serif", -11));
  ASSERT_TRUE(f);
  const text::FontMetrics& m = f->Metrics();
  EXPECT_EQ(f->FaceName(), "MS Sans Serif");
  // The rest of the metrics are checked through GetTextMetricsA.
  EXPECT_EQ(m.height - m.internalLeading, 11);
  EXPECT_EQ(m.ascent + m.descent, m.height);
  // The same strike for the cell-height form and for the default height.
  EXPECT_EQ(RealizeFont(Request("MS Sans Serif", 13))->Metrics().height, 13);
  EXPECT_EQ(RealizeFont(Request("ms sans serif", 0))->Metrics().height, 13);
  EXPECT_EQ(RealizeFont(Request("", -11))->FaceName(), "MS Sans Serif");
}

TEST(FontEngine, StrikesForOtherSizes) {
  EXPECT_EQ(RealizeFont(Request("MS Sans Serif", -13))->Metrics().height, 16);
  auto big = RealizeFont(Request("MS Sans Serif", -16, 700));
  EXPECT_EQ(big->FaceName(), "MS Sans Serif");
  EXPECT_EQ(big->Metrics().height, 20);
  EXPECT_EQ(big->Metrics().ascent, 16);
  // Between strikes the smaller one is taken; far above them an outline face.
  EXPECT_EQ(RealizeFont(Request("MS Sans Serif", -12))->Metrics().height, 13);
  auto huge = RealizeFont(Request("MS Sans Serif", -40));
  EXPECT_NE(huge->FaceName(), "MS Sans Serif");
  EXPECT_GE(huge->Metrics().height, 40);
}

TEST(FontEngine, AdvancesOfTheStrike) {
  auto f = RealizeFont(Request("MS Sans Serif", -11));
  EXPECT_EQ(f->Advance('A'), 7);
  EXPECT_EQ(f->Advance('g'), 6);
  EXPECT_EQ(f->Advance(' '), 3);
  EXPECT_EQ(f->Extent("Ag", 2), 13);
  EXPECT_EQ(f->Extent("", 0), 0);
}

TEST(FontEngine, SynthesisedBoldIsOnePixelWider) {
  auto plain = RealizeFont(Request("MS Sans Serif", -11));
  auto bold = RealizeFont(Request("MS Sans Serif", -11, 700));
  ASSERT_NE(plain.get(), bold.get());
  EXPECT_EQ(bold->Advance('l'), plain->Advance('l') + 1);
  EXPECT_EQ(bold->Metrics().weight, 700);
  EXPECT_EQ(bold->Metrics().aveCharWidth, plain->Metrics().aveCharWidth + 1);
  // Semi-bold and above count as bold, as on Windows.
  EXPECT_EQ(RealizeFont(Request("MS Sans Serif", -11, 600)).get(), bold.get());
  // Every ink pixel of the plain 'l' is still ink, and so is its right neighbour.
  text::RunMask p, b;
  text::ComposeRun(*plain, "l", 1, nullptr, {}, p);
  text::ComposeRun(*bold, "l", 1, nullptr, {}, b);
  for (int y = 0; y < p.height; ++y)
    for (int x = 0; x < p.width; ++x)
      if (p.bits[y * p.width + x]) {
        EXPECT_TRUE(b.bits[y * b.width + x]);
        EXPECT_TRUE(b.bits[y * b.width + x + 1]);
      }
}

TEST(FontEngine, SynthesisedItalicLeansRight) {
  auto italic = RealizeFont([] {
    FontRequest r = Request("MS Sans Serif", -11);
    r.italic = true;
    return r;
  }());
  EXPECT_TRUE(italic->Metrics().italic);
  text::RunMask m;
  text::ComposeRun(*italic, "l", 1, nullptr, {}, m);
  auto firstInk = [&](int y) { return static_cast<int>(Row(m, y).find('#')); };
  // The 'l' stem: ink near the top sits further right than at the baseline.
  EXPECT_GT(firstInk(2), firstInk(10));
}

TEST(FontEngine, UnderlineAndStrikeOutBars) {
  auto f = RealizeFont(Request("MS Sans Serif", -11));
  EXPECT_EQ(f->UnderlineTop(), 12);
  text::RunStyle style;
  style.underline = true;
  style.strikeOut = true;
  text::RunMask m;
  text::ComposeRun(*f, "ab", 2, nullptr, style, m);
  int width = f->Extent("ab", 2);
  EXPECT_EQ(Row(m, 12), std::string(width, '#'));
  EXPECT_EQ(Row(m, f->StrikeTop()), std::string(width, '#'));
  EXPECT_GT(f->StrikeTop(), 4);
  EXPECT_LT(f->StrikeTop(), 11);
}

TEST(FontEngine, ExplicitSpacingPlacesGlyphs) {
  auto f = RealizeFont(Request("MS Sans Serif", -11));
  int dx[] = {20, 20};
  EXPECT_EQ(text::RunWidth(*f, "ll", 2, dx), 40);
  text::RunMask m;
  text::ComposeRun(*f, "ll", 2, dx, {}, m);
  std::string row = Row(m, 5);
  std::size_t first = row.find('#'), second = row.find('#', first + 3);
  ASSERT_NE(second, std::string::npos);
  EXPECT_EQ(second - first, 20u);
}

TEST(FontEngine, Windows1252Mapping) {
  EXPECT_EQ(text::Cp1252ToUnicode('A'), 0x41u);
  EXPECT_EQ(text::Cp1252ToUnicode(0x80), 0x20ACu);
  EXPECT_EQ(text::Cp1252ToUnicode(0x85), 0x2026u);
  EXPECT_EQ(text::Cp1252ToUnicode(0x9F), 0x0178u);
  EXPECT_EQ(text::Cp1252ToUnicode(0x81), 0x81u);
  EXPECT_EQ(text::Cp1252ToUnicode(0xE9), 0xE9u);
  // An outline face shows the ellipsis of byte 0x85 rather than its notdef box.
  auto serif = RealizeFont(Request("Perpetua", -16));
  text::RunMask ellipsis, missing;
  text::ComposeRun(*serif, "\x85", 1, nullptr, {}, ellipsis);
  text::ComposeRun(*serif, "\x81", 1, nullptr, {}, missing);
  EXPECT_NE(ellipsis.bits, missing.bits);
}

TEST(FontEngine, FallbackFaces) {
  auto serif = RealizeFont(Request("Perpetua", -16));
  ASSERT_TRUE(serif);
  EXPECT_EQ(serif->FaceName(), "EB Garamond");  // its stand-in, before the generic serif
  EXPECT_EQ(serif->Metrics().height - serif->Metrics().internalLeading, 16);
  auto display = RealizeFont(Request("EPISODE I", -12));
  ASSERT_TRUE(display);
  EXPECT_GE(display->Metrics().weight, 700);
  // Outline faces report the TrueType bits like Windows does.
  EXPECT_TRUE(serif->Metrics().pitchAndFamily & 0x04);
}

TEST(FontEngine, ExtremeRequestsStayBounded) {
  for (int height : {INT_MIN, INT_MAX, -100000, 100000}) {
    auto f = RealizeFont(Request("Perpetua", height));
    ASSERT_TRUE(f) << height;
    EXPECT_LE(f->Metrics().height, 400) << height;
  }
  auto unknown = RealizeFont(Request("No Such Face At All", -11, 100000));
  ASSERT_TRUE(unknown);
  EXPECT_GT(unknown->Metrics().height, 0);
  // Synthesis reports what it adds past the string.
  EXPECT_EQ(RealizeFont(Request("MS Sans Serif", -11, 700))->Metrics().overhang, 1);
}

TEST(FontEngine, FontsAreShared) {
  auto a = RealizeFont(Request("MS Sans Serif", -11));
  auto b = RealizeFont(Request("MS SANS SERIF", -11));
  EXPECT_EQ(a.get(), b.get());
}

}  // namespace
