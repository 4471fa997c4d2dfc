#include <gtest/gtest.h>

#include "display/GIFQuantize.h"

#include <cstdlib>
#include <set>

namespace {

std::uint32_t Rgb(const TGIFBitmap& b, std::size_t i) {
  const TGIFRGB& c = b.Palette[b.Indices[i]];
  return std::uint32_t(c[0]) << 16 | std::uint32_t(c[1]) << 8 | c[2];
}

}  // namespace

TEST(GifQuantize, FewColoursAreKeptExactlyInTheSmallestForm) {
  struct Case {
    int colours, bits;
  } cases[] = {{1, 1}, {2, 1}, {3, 4}, {16, 4}, {17, 8}, {256, 8}};
  for (const Case& c : cases) {
    std::vector<std::uint32_t> px;
    for (int i = 0; i < 300; ++i) {
      const std::uint32_t k = std::uint32_t((i * 7) % c.colours);
      px.push_back(k << 16 | (255 - k) << 8 | ((k * 3) & 0xFF));
    }
    const TGIFBitmap b = GIFQuantize(px.data(), 30, 10);
    ASSERT_EQ(b.BitCount, c.bits) << c.colours;
    ASSERT_EQ(b.Palette.size(), std::size_t(1) << c.bits);
    for (std::size_t i = 0; i < px.size(); ++i) ASSERT_EQ(Rgb(b, i), px[i]) << c.colours << " at " << i;
  }
}

TEST(GifQuantize, ManyColoursGetTheNearestOfAtMost256) {
  // A smooth 64 x 64 ramp of 4096 colours, plus one lone colour far away.
  std::vector<std::uint32_t> px;
  for (int y = 0; y < 64; ++y)
    for (int x = 0; x < 64; ++x) px.push_back(std::uint32_t(x * 4) << 16 | std::uint32_t(y * 4) << 8 | 0x40);
  px[100] = 0x00FF00FF;
  const TGIFBitmap b = GIFQuantize(px.data(), 64, 64);
  EXPECT_EQ(b.BitCount, 8);
  std::set<std::uint32_t> used;
  int worst = 0;
  for (std::size_t i = 0; i < px.size(); ++i) {
    used.insert(Rgb(b, i));
    const std::uint32_t got = Rgb(b, i);
    for (int shift : {0, 8, 16})
      worst = std::max(worst, std::abs(int((got >> shift) & 0xFF) - int((px[i] >> shift) & 0xFF)));
  }
  EXPECT_LE(used.size(), 256u);
  EXPECT_GT(used.size(), 200u);
  EXPECT_LE(worst, 16);  // 4096 ramp colours over 256 entries: steps of 4 x 4
  EXPECT_EQ(Rgb(b, 100), 0x00FF00FFu);  // the outlier keeps an entry of its own
}

TEST(GifQuantize, EmptyInputGivesAnEmptyPicture) { EXPECT_TRUE(GIFQuantize(nullptr, 0, 5).Empty()); }
