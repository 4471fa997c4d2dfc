// The windows' pictures as the windows load them: the logos through the GIF
// image's window-definition reader, the glyphs as bitmaps.
#include <gtest/gtest.h>

#include <set>

#include "display/RxGIF.h"
#include "ui/artwork.h"

namespace {

struct Expect {
  int width, height, frames, colours, intervalMs, disposal;
  TColor transparent;
};

void ExpectAnimation(TGIFImage& gif, const Expect& e) {
  ASSERT_FALSE(gif.Corrupted());
  EXPECT_EQ(gif.Version(), gv89a);
  EXPECT_EQ(gif.ScreenWidth(), e.width);
  EXPECT_EQ(gif.ScreenHeight(), e.height);
  EXPECT_EQ(gif.Data()->ColorMap.Count, e.colours);
  EXPECT_TRUE(gif.Looping());
  ASSERT_EQ(gif.Count(), e.frames);
  for (int i = 0; i < gif.Count(); ++i) {
    TGIFFrame* f = gif.Frames(i);
    SCOPED_TRACE(i);
    EXPECT_EQ(f->AnimateInterval, e.intervalMs);
    EXPECT_EQ(f->DisposalMethod, e.disposal);
    EXPECT_EQ(f->TransparentColor, e.transparent);
    EXPECT_EQ(f->Bitmap()->Width(), e.width);
    EXPECT_EQ(f->Bitmap()->Height(), e.height);
  }
}

// Pixels of a frame as colours, to tell frames apart.
std::vector<TColor> Pixels(TGIFFrame* f) {
  std::vector<TColor> px;
  TBitmap* b = f->Bitmap();
  for (int y = 0; y < b->Height(); ++y)
    for (int x = 0; x < b->Width(); ++x) px.push_back(b->Canvas()->Pixel(x, y));
  return px;
}

TEST(Artwork, MainLogoIsA22FrameFullColourAnimationLeftInPlace) {
  auto gif = ui::MakeLogo();
  ExpectAnimation(*gif, {70, 70, 22, 256, 100, 1, clNone});
  EXPECT_NE(Pixels(gif->Frames(0)), Pixels(gif->Frames(11)));
}

TEST(Artwork, AboutLogoIsA25FrameFourColourAnimationOverItsSeeThroughFirstColour) {
  auto gif = ui::MakeAboutAnimation();
  ExpectAnimation(*gif, {100, 75, 25, 4, 60, 2, gif->Data()->ColorMap.Color(0)});
  std::set<TColor> colours;
  for (TColor c : Pixels(gif->Frames(0))) colours.insert(c);
  EXPECT_EQ(colours.size(), 4u);
  EXPECT_NE(Pixels(gif->Frames(0)), Pixels(gif->Frames(12)));
}

TEST(Artwork, GlyphsAre16By16WithTheSeeThroughColourBottomLeftAndDifferFromEachOther) {
  std::vector<std::vector<TColor>> seen;
  for (ui::GlyphKind kind : {ui::glOpen, ui::glRefresh, ui::glInstall, ui::glRemove}) {
    auto glyph = ui::MakeGlyph(kind);
    ASSERT_EQ(glyph->Width(), 16);
    ASSERT_EQ(glyph->Height(), 16);
    EXPECT_EQ(glyph->Canvas()->Pixel(0, 15), clFuchsia);
    std::vector<TColor> px;
    for (int y = 0; y < 16; ++y)
      for (int x = 0; x < 16; ++x) px.push_back(glyph->Canvas()->Pixel(x, y));
    for (const auto& other : seen) EXPECT_NE(px, other);
    seen.push_back(px);
  }
  // The folder of the open glyph keeps its yellow face.
  EXPECT_EQ(ui::MakeGlyph(ui::glOpen)->Canvas()->Pixel(5, 7), clYellow);
}

}  // namespace
