// Composition of frames by origin, transparency and disposal.
#include "gif_support.h"

#include "display/GIFCompose.h"
#include <array>
#include <gtest/gtest.h>

using namespace giftest;

namespace {

using ComposedPixels = std::vector<std::uint32_t>;

// Table entry i is (i, 2i, 3i), so colour i reads 0x00 i 2i 3i.
constexpr std::uint32_t C(int i) { return std::uint32_t(i) << 16 | std::uint32_t(2 * i) << 8 | std::uint32_t(3 * i); }
constexpr std::uint32_t kWhite = 0xFFFFFF;

GifBuilder& Frame(GifBuilder& g, int x, int w, int index, int disposal, int transparent = -1) {
  g.Gce((disposal << 2) | (transparent >= 0 ? 1 : 0), 10, std::max(0, transparent));
  return g.Image(x, 0, w, 1).Encoded(Bytes(std::size_t(w), std::uint8_t(index)), 2);
}

// A one-row screen of frames, each one colour: {x, width, index, disposal}.
void LoadRow(TGIFPicture& pic, int width, std::initializer_list<std::array<int, 4>> frames) {
  GifBuilder g = GifBuilder().Header().Screen(width, 1, 2, 3).Table(2);
  for (const auto& f : frames) Frame(g, f[0], f[1], f[2], f[3]);
  pic.LoadFromBytes(g.Trailer().b);
}

}  // namespace

TEST(GifCompose, DisposalTwoFillsTheFrameWithTheFillColour) {
  TGIFPicture pic;
  LoadRow(pic, 4, {{0, 4, 1, 1}, {1, 2, 2, 2}, {3, 1, 3, 0}});
  TGIFComposer seq(pic);
  EXPECT_EQ(seq.Compose(0), (ComposedPixels{C(1), C(1), C(1), C(1)}));
  EXPECT_EQ(seq.Compose(1), (ComposedPixels{C(1), C(2), C(2), C(1)}));
  EXPECT_EQ(seq.Compose(2), (ComposedPixels{C(1), kWhite, kWhite, C(3)}));  // no transparency anywhere: clWindow
  EXPECT_EQ(seq.TransparentColor(), clNone);
  TGIFComposer jump(pic);
  EXPECT_EQ(jump.Compose(2), seq.Compose(2));
  EXPECT_EQ(jump.Compose(99), seq.Compose(2));  // limited to the last frame
}

TEST(GifCompose, FrameAfterDisposalThreeIsRebuilt) {
  TGIFPicture pic;
  LoadRow(pic, 3, {{0, 3, 1, 1}, {0, 2, 2, 3}, {2, 1, 3, 1}});
  TGIFComposer c(pic);
  c.Compose(0);
  EXPECT_EQ(c.Compose(1), (ComposedPixels{C(2), C(2), C(1)}));
  EXPECT_EQ(c.Compose(2), (ComposedPixels{C(1), C(1), C(3)}));
}

TEST(GifCompose, TransparentCurrentFrameGivesTheFillAndKey) {
  GifBuilder g = GifBuilder().Header().Screen(2, 1, 2).Table(2);
  g.Gce(1, 10, 0).Image(0, 0, 2, 1).Encoded({0, 2}, 2);
  Frame(g, 0, 1, 3, 1);
  TGIFPicture pic;
  pic.LoadFromBytes(g.Trailer().b);
  TGIFComposer c(pic);
  EXPECT_EQ(c.Compose(0), (ComposedPixels{C(0), C(2)}));  // index 0 left unpainted over a fill of its colour
  EXPECT_EQ(c.TransparentColor(), RGBColor(0, 0, 0));
  EXPECT_EQ(c.Compose(1), (ComposedPixels{C(3), C(2)}));
}

TEST(GifCompose, BackgroundFillsWhenAnotherFrameIsTransparent) {
  GifBuilder g = GifBuilder().Header().Screen(2, 1, 2, 1).Table(2);
  Frame(g, 0, 1, 2, 0);
  Frame(g, 1, 1, 3, 0, 0);
  TGIFPicture pic;
  pic.LoadFromBytes(g.Trailer().b);
  TGIFComposer c(pic);
  EXPECT_EQ(c.Compose(0), (ComposedPixels{C(2), C(1)}));  // background index 1
  EXPECT_EQ(c.TransparentColor(), clNone);
}

TEST(GifCompose, EmptyPictureComposesNothing) {
  TGIFPicture pic;
  TGIFComposer c(pic);
  EXPECT_TRUE(c.Compose(0).empty());
}

TEST(GifCompose, HugeScreenIsRefused) {
  GifBuilder g = GifBuilder().Header().Screen(65535, 65535, 2).Table(2);
  Frame(g, 0, 1, 1, 0);
  TGIFPicture pic;
  pic.LoadFromBytes(g.Trailer().b);
  TGIFComposer c(pic);
  EXPECT_THROW(c.Compose(0), EInvalidGraphicOperation);
}
