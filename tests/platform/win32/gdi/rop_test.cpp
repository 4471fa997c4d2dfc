// Ternary raster operations: every code against its truth table.
#include "gdi_fixture.h"

#include "gdi/raster.h"

#include <random>
#include <vector>

using gdi_test::Canvas;

namespace {

// The reference: bit by bit from the truth table (index 4P + 2S + D).
std::uint32_t Reference(std::uint8_t rop, std::uint32_t p, std::uint32_t s, std::uint32_t d) {
  std::uint32_t out = 0;
  for (int bit = 0; bit < 24; ++bit) {
    int idx = (((p >> bit) & 1) << 2) | (((s >> bit) & 1) << 1) | ((d >> bit) & 1);
    out |= std::uint32_t((rop >> idx) & 1) << bit;
  }
  return out;
}

void RandomFill(gdi::Surface& s, std::mt19937& rng) {
  for (int y = 0; y < s.height; ++y)
    for (int x = 0; x < s.width; ++x) s.At(x, y) = rng() & 0xFFFFFF;
}

DWORD Code(int r) { return DWORD(r) << 16; }

}  // namespace

TEST(RasterOps, AllCodesInBitBltWithPatternBrushMatchTruthTable) {
  std::mt19937 rng(7);
  Canvas dst(19, 7), src(19, 7), pat(8, 8);
  RandomFill(*src.surface, rng);
  RandomFill(*pat.surface, rng);
  HBRUSH brush = CreatePatternBrush(pat.bitmap);
  ASSERT_NE(brush, nullptr);
  SelectObject(dst.dc, brush);
  SetBrushOrgEx(dst.dc, 3, 5, nullptr);
  std::vector<std::uint32_t> before(19 * 7);
  for (int r = 0; r < 256; ++r) {
    RandomFill(*dst.surface, rng);
    for (int i = 0; i < 19 * 7; ++i) before[i] = dst.surface->At(i % 19, i / 19);
    ASSERT_TRUE(BitBlt(dst.dc, 0, 0, 19, 7, src.dc, 0, 0, Code(r)));
    for (int y = 0; y < 7; ++y)
      for (int x = 0; x < 19; ++x) {
        std::uint32_t p = pat.surface->At(((x - 3) % 8 + 8) % 8, ((y - 5) % 8 + 8) % 8);
        std::uint32_t want = Reference(std::uint8_t(r), p, src.surface->At(x, y), before[y * 19 + x]);
        ASSERT_EQ(dst.surface->At(x, y), want) << "rop " << std::hex << r << " at " << std::dec << x << "," << y;
      }
  }
  SelectObject(dst.dc, GetStockObject(WHITE_BRUSH));
  DeleteObject(brush);
}

TEST(RasterOps, AllCodesWithSolidBrushAndOffsetSource) {
  std::mt19937 rng(11);
  Canvas dst(12, 5), src(20, 9);
  RandomFill(*src.surface, rng);
  const COLORREF brushColor = RGB(0x5A, 0xC3, 0x0F);
  HBRUSH brush = CreateSolidBrush(brushColor);
  SelectObject(dst.dc, brush);
  for (int r = 0; r < 256; ++r) {
    RandomFill(*dst.surface, rng);
    std::vector<std::uint32_t> before(dst.surface->storage);
    ASSERT_TRUE(BitBlt(dst.dc, 2, 1, 8, 3, src.dc, 5, 4, Code(r)));
    for (int y = 0; y < 5; ++y)
      for (int x = 0; x < 12; ++x) {
        std::uint32_t d0 = before[std::size_t(y * 12 + x)];
        bool inside = x >= 2 && x < 10 && y >= 1 && y < 4;
        std::uint32_t want =
            inside ? Reference(std::uint8_t(r), gdi::PixelOf(brushColor), src.surface->At(x + 3, y + 3), d0) : d0;
        ASSERT_EQ(dst.surface->At(x, y), want) << "rop " << std::hex << r;
      }
  }
  SelectObject(dst.dc, GetStockObject(WHITE_BRUSH));
  DeleteObject(brush);
}

TEST(RasterOps, FastPathsAgreeWithGeneralKernel) {
  std::mt19937 rng(3);
  const std::uint8_t fast[] = {0xCC, 0xF0, 0x5A, 0x88, 0xEE, 0x66, 0xB8, 0xE2, 0xA0, 0x00, 0xFF, 0x55};
  std::vector<std::uint32_t> s(37), p(37), d(37), a, b;
  for (auto* v : {&s, &p, &d})
    for (auto& x : *v) x = rng() & 0xFFFFFF;
  for (std::uint8_t r : fast)
    for (bool tiled : {false, true}) {
      a = d, b = d;
      gdi::KernelFor(r, tiled)(a.data(), s.data(), tiled ? p.data() : nullptr, 0x123456, 37, r);
      gdi::GenericKernel(b.data(), s.data(), tiled ? p.data() : nullptr, 0x123456, 37, r);
      EXPECT_EQ(a, b) << "rop " << std::hex << int(r) << " tiled " << tiled;
    }
}

TEST(RasterOps, PatBltRefusesSourceCodesAndPaintsPatternOnes) {
  Canvas c(6, 6, RGB(0, 0, 0));
  EXPECT_FALSE(PatBlt(c.dc, 0, 0, 6, 6, SRCCOPY));
  EXPECT_EQ(c.Count(RGB(0, 0, 0)), 36);
  EXPECT_TRUE(PatBlt(c.dc, 1, 1, 2, 2, WHITENESS));
  EXPECT_TRUE(PatBlt(c.dc, 5, 5, -2, -2, DSTINVERT));  // negative extents count back
  EXPECT_EQ(c.At(1, 1), RGB(255, 255, 255));
  EXPECT_EQ(c.At(3, 3), RGB(255, 255, 255));
  EXPECT_EQ(c.At(4, 4), RGB(255, 255, 255));
  EXPECT_EQ(c.At(5, 5), RGB(0, 0, 0));
  EXPECT_EQ(c.Count(RGB(255, 255, 255)), 8);
}

TEST(RasterOps, OverlappingCopyWithinOneBitmapMovesPixels) {
  Canvas c(8, 8, RGB(0, 0, 0));
  for (int i = 0; i < 8; ++i) c.surface->At(i, i) = 0x000100 * std::uint32_t(i + 1);
  std::vector<std::uint32_t> before(c.surface->storage);
  ASSERT_TRUE(BitBlt(c.dc, 1, 1, 7, 7, c.dc, 0, 0, SRCCOPY));
  for (int y = 1; y < 8; ++y)
    for (int x = 1; x < 8; ++x) EXPECT_EQ(c.surface->At(x, y), before[std::size_t((y - 1) * 8 + x - 1)]);
  ASSERT_TRUE(BitBlt(c.dc, 0, 0, 7, 7, c.dc, 1, 1, SRCCOPY));  // and back up
  for (int y = 0; y < 7; ++y)
    for (int x = 0; x < 7; ++x) EXPECT_EQ(c.surface->At(x, y), before[std::size_t(y * 8 + x)]);
}

TEST(RasterOps, Rop2MapsToTernaryCodes) {
  EXPECT_EQ(gdi::Rop2ToRop3(R2_COPYPEN), 0xF0);
  EXPECT_EQ(gdi::Rop2ToRop3(R2_NOT), 0x55);
  EXPECT_EQ(gdi::Rop2ToRop3(R2_XORPEN), 0x5A);
  EXPECT_EQ(gdi::Rop2ToRop3(R2_MASKPEN), 0xA0);
  EXPECT_EQ(gdi::Rop2ToRop3(R2_NOP), 0xAA);
  EXPECT_EQ(gdi::Rop2ToRop3(R2_BLACK), 0x00);
  EXPECT_EQ(gdi::Rop2ToRop3(R2_WHITE), 0xFF);
}

TEST(StretchBlt, ScalesMirrorsAndUsesStretchMode) {
  Canvas src(2, 2), dst(4, 4, RGB(9, 9, 9));
  src.surface->At(0, 0) = 0xFF0000, src.surface->At(1, 0) = 0x00FF00;
  src.surface->At(0, 1) = 0x0000FF, src.surface->At(1, 1) = 0xFFFFFF;
  ASSERT_TRUE(StretchBlt(dst.dc, 0, 0, 4, 4, src.dc, 0, 0, 2, 2, SRCCOPY));
  EXPECT_EQ(dst.At(1, 1), RGB(255, 0, 0));
  EXPECT_EQ(dst.At(2, 1), RGB(0, 255, 0));
  EXPECT_EQ(dst.At(3, 3), RGB(255, 255, 255));
  // A negative destination width mirrors left to right.
  ASSERT_TRUE(StretchBlt(dst.dc, 3, 0, -4, 4, src.dc, 0, 0, 2, 2, SRCCOPY));
  EXPECT_EQ(dst.At(0, 0), RGB(0, 255, 0));
  EXPECT_EQ(dst.At(3, 0), RGB(255, 0, 0));
  // Shrinking with the default BLACKONWHITE mode ANDs the pixels together.
  Canvas one(1, 1);
  ASSERT_TRUE(StretchBlt(one.dc, 0, 0, 1, 1, src.dc, 0, 0, 2, 2, SRCCOPY));
  EXPECT_EQ(one.At(0, 0), RGB(0, 0, 0));
  SetStretchBltMode(one.dc, WHITEONBLACK);
  ASSERT_TRUE(StretchBlt(one.dc, 0, 0, 1, 1, src.dc, 0, 0, 2, 2, SRCCOPY));
  EXPECT_EQ(one.At(0, 0), RGB(255, 255, 255));
  SetStretchBltMode(one.dc, HALFTONE);
  ASSERT_TRUE(StretchBlt(one.dc, 0, 0, 1, 1, src.dc, 0, 0, 2, 2, SRCCOPY));
  EXPECT_EQ(one.At(0, 0), RGB(128, 128, 128));
}

TEST(TransparentBlt, SkipsKeyColourAndStretches) {
  Canvas src(2, 1), dst(4, 2, RGB(1, 2, 3));
  src.surface->At(0, 0) = 0xFF00FF, src.surface->At(1, 0) = 0x123456;
  ASSERT_TRUE(TransparentBlt(dst.dc, 0, 0, 4, 2, src.dc, 0, 0, 2, 1, RGB(255, 0, 255)));
  EXPECT_EQ(dst.At(0, 0), RGB(1, 2, 3));
  EXPECT_EQ(dst.At(1, 1), RGB(1, 2, 3));
  EXPECT_EQ(dst.At(2, 0), gdi::ColorOf(0x123456));
  EXPECT_EQ(dst.At(3, 1), gdi::ColorOf(0x123456));
  EXPECT_FALSE(TransparentBlt(dst.dc, 0, 0, 4, 2, src.dc, 1, 0, 2, 1, 0));  // source rect outside
  EXPECT_FALSE(TransparentBlt(dst.dc, 0, 0, -4, 2, src.dc, 0, 0, 2, 1, 0));
}
