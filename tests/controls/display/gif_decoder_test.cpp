// Decoding: code stream rules, bounds whatever the data claim, row order and
// the device-independent forms of a frame.
#include "gif_support.h"

#include <gtest/gtest.h>

#include <random>

using namespace giftest;

namespace {

// Decodes a hand-made code stream into a w x h plane of 2-bit pixels.
Bytes Decode(const Bytes& data, int w, int h, bool* corrupt = nullptr, bool interlaced = false, int bits = 2) {
  Bytes plane(std::size_t(w * h), 0);
  TLzwDecodeParams p{w, h, interlaced, bits, true, nullptr};
  const bool c = LzwDecode(data, p, plane.data());
  if (corrupt) *corrupt = c;
  return plane;
}

Bytes Stream(int minSize, std::initializer_list<std::pair<int, int>> codes, bool terminate = true) {
  GifBuilder g;
  g.Codes(minSize, codes, terminate);
  return g.b;
}

Bytes RandomIndices(std::size_t n, int bits, unsigned seed) {
  std::mt19937 rng(seed);
  Bytes v(n);
  for (auto& x : v) x = std::uint8_t(rng() & ((1u << bits) - 1));
  return v;
}

}  // namespace

TEST(GifLzw, StringsAndTheCodeNotYetDefined) {
  // clear, 1, 1, 6 (= "11", defined by now), 8 (next free: "11"+"1"), end
  bool corrupt = true;
  auto px = Decode(Stream(2, {{4, 3}, {1, 3}, {1, 3}, {6, 3}, {8, 4}, {5, 4}}), 8, 1, &corrupt);
  EXPECT_EQ(px, (Bytes{1, 1, 1, 1, 1, 1, 1, 0}));
  EXPECT_FALSE(corrupt);  // an early end code is not damage
}

TEST(GifLzw, CodeFarPastTheTableRepeatsThePreviousString) {
  bool corrupt = true;
  auto px = Decode(Stream(2, {{4, 3}, {2, 3}, {7, 3}, {5, 3}}), 3, 1, &corrupt);
  EXPECT_EQ(px, (Bytes{2, 2, 2}));
  EXPECT_FALSE(corrupt);
}

TEST(GifLzw, StreamWithoutLeadingClearDecodes) {
  auto px = Decode(Stream(2, {{3, 3}, {2, 3}, {5, 3}}), 2, 1);
  EXPECT_EQ(px, (Bytes{3, 2}));
}

TEST(GifLzw, ClearDirectlyFollowedByEndWritesNothing) {
  bool corrupt = false;
  auto px = Decode(Stream(2, {{4, 3}, {4, 3}, {5, 3}}), 2, 1, &corrupt);
  EXPECT_EQ(px, (Bytes{0, 0}));
  EXPECT_FALSE(corrupt);
}

TEST(GifLzw, NonRootCodeAfterAClearEndsTheFrame) {
  // Pixels are masked to 8 bits, but code 7 is no root of a 2-bit stream:
  // it must not become the prefix of the entries that follow.
  bool corrupt = false;
  auto px = Decode(Stream(2, {{4, 3}, {1, 3}, {4, 3}, {7, 3}, {6, 3}, {6, 3}, {5, 3}}), 4, 1, &corrupt, false, 8);
  EXPECT_EQ(px, (Bytes{1, 0, 0, 0}));
  EXPECT_TRUE(corrupt);
}

TEST(GifLzw, ExtraPixelsAreDroppedAtTheFrameEnd) {
  bool corrupt = true;
  auto px = Decode(Stream(2, {{4, 3}, {1, 3}, {2, 3}, {6, 3}, {6, 3}, {5, 3}}), 2, 2, &corrupt);
  EXPECT_EQ(px, (Bytes{1, 2, 1, 2}));
  EXPECT_FALSE(corrupt);
}

TEST(GifLzw, DataEndingEarlyLeavesIndexZero) {
  bool corrupt = false;
  // The padding bits of the last byte still read as code 0.
  auto px = Decode(Stream(2, {{4, 3}, {3, 3}, {3, 3}}, false), 8, 1, &corrupt);
  EXPECT_EQ(px, (Bytes{3, 3, 0, 0, 0, 0, 0, 0}));
  EXPECT_TRUE(corrupt);
}

TEST(GifLzw, BadCodeSizeIsToleratedOrFails) {
  Bytes data = Stream(2, {{4, 3}, {1, 3}, {1, 3}, {5, 3}});
  data[0] = 11;
  Bytes plane(3, 9);
  TLzwDecodeParams p{3, 1, false, 2, true, nullptr};
  EXPECT_TRUE(LzwDecode(data, p, plane.data()));
  p.Tolerate = false;
  try {
    LzwDecode(data, p, plane.data());
    FAIL() << "no error";
  } catch (const EInvalidGraphicOperation& e) {
    EXPECT_STREQ(e.what(), "GIF code size not in range 2 to 9");
  }
}

TEST(GifLzw, PixelsAreMaskedToTheFrameDepth) {
  auto px = Decode(Stream(3, {{8, 4}, {7, 4}, {9, 4}}), 1, 1, nullptr, false, 1);
  EXPECT_EQ(px, (Bytes{1}));
}

TEST(GifLzw, CodeWidthGrowsAndTheFullTableWaitsForAClear) {
  // Long runs of mixed pixels reach 12-bit codes; the encoder and decoder
  // must agree across widening, a full table and the clears after it.
  for (int bits : {1, 2, 4, 8}) {
    const Bytes in = RandomIndices(70000, bits, unsigned(bits));
    const Bytes data = LzwEncode(in.data(), in.size(), std::max(2, bits));
    bool corrupt = true;
    EXPECT_EQ(Decode(data, 700, 100, &corrupt, false, bits), in) << bits;
    EXPECT_FALSE(corrupt);
  }
}

TEST(GifLzw, DeferredClearKeepsTwelveBitCodes) {
  // Fill the table to 4096 entries, then go on without a clear: codes stay
  // 12 bits and no new entries are made.
  std::vector<std::pair<int, int>> codes{{256, 9}};
  int next = 258, width = 9;
  std::mt19937 rng(7);
  Bytes expect;
  while (next < 4096) {
    const int c = int(rng() & 255);
    codes.push_back({c, width});
    expect.push_back(std::uint8_t(c));
    if (codes.size() > 2) ++next;  // entry defined with each code after the first
    if (next == (1 << width) && width < 12) ++width;
  }
  for (int i = 0; i < 50; ++i) {
    codes.push_back({i, 12});
    expect.push_back(std::uint8_t(i));
  }
  codes.push_back({257, 12});
  GifBuilder g;
  g.b.push_back(8);
  Bytes packed;
  std::uint64_t acc = 0;
  int n = 0;
  for (auto [c, w] : codes) {
    acc |= std::uint64_t(c) << n;
    for (n += w; n >= 8; n -= 8, acc >>= 8) packed.push_back(std::uint8_t(acc));
  }
  if (n) packed.push_back(std::uint8_t(acc));
  for (std::size_t p = 0; p < packed.size(); p += 255) {
    std::size_t len = std::min<std::size_t>(255, packed.size() - p);
    g.b.push_back(std::uint8_t(len));
    g.b.insert(g.b.end(), packed.begin() + std::ptrdiff_t(p), packed.begin() + std::ptrdiff_t(p + len));
  }
  g.b.push_back(0);
  bool corrupt = true;
  EXPECT_EQ(Decode(g.b, int(expect.size()), 1, &corrupt, false, 8), expect);
  EXPECT_FALSE(corrupt);
}

TEST(GifLzw, InterlacedRowsComeInPassOrder) {
  // Ten rows whose stream order is 0, 8, 4, 2, 6, 1, 3, 5, 7, 9: each row's
  // pixel is its own row number once placed.
  const Bytes stream{0, 8, 4, 2, 6, 1, 3, 5, 7, 9};
  const Bytes data = LzwEncode(stream.data(), stream.size(), 4);
  Bytes plane(10, 0xEE);
  TLzwDecodeParams p{1, 10, true, 4, true, nullptr};
  EXPECT_FALSE(LzwDecode(data, p, plane.data()));
  EXPECT_EQ(plane, (Bytes{0, 1, 2, 3, 4, 5, 6, 7, 8, 9}));
}

TEST(GifLzw, InterlacedSmallFramesSkipEmptyPasses) {
  const Bytes stream{10, 20, 30};
  const Bytes data = LzwEncode(stream.data(), stream.size(), 8);
  Bytes plane(3, 0);
  TLzwDecodeParams p{1, 3, true, 8, true, nullptr};
  LzwDecode(data, p, plane.data());
  EXPECT_EQ(plane, (Bytes{10, 30, 20}));  // rows 0 | - | 2 | 1
}

TEST(GifLzw, ProgressReportsStartAndEnd) {
  auto gif = SimpleGif(4, 4, Bytes(16, 2));
  TGIFPicture pic;
  std::vector<std::pair<TProgressStage, int>> seen;
  pic.OnProgress = [&](TProgressStage s, int pct, const std::string&) { seen.push_back({s, pct}); };
  pic.LoadFromBytes(gif);
  ASSERT_GE(seen.size(), 2u);
  EXPECT_EQ(seen.front(), (std::pair{psStarting, 0}));
  EXPECT_EQ(seen.back(), (std::pair{psEnding, 100}));
}

TEST(GifFrameBounds, FrameLargerThanTheScreenKeepsItsOwnSize) {
  const Bytes in = RandomIndices(12, 2, 3);
  auto g = GifBuilder().Header().Screen(2, 2, 2).Table(2).Image(1, 1, 4, 3).Encoded(in, 2).Trailer();
  TGIFPicture pic;
  pic.LoadFromBytes(g.b);
  EXPECT_EQ(pic.Frame(0).Decoded().Indices, in);
  EXPECT_EQ(pic.GetWidth(), 4);
}

TEST(GifFrameBounds, HugeDeclaredSizeIsRefused) {
  auto g = GifBuilder().Header().Screen(1, 1, 1).Table(1).Image(0, 0, 65535, 65535).Codes(2, {{4, 3}, {5, 3}});
  g.Trailer();
  TGIFPicture pic;
  try {
    pic.LoadFromBytes(g.b);
    FAIL() << "no error";
  } catch (const EInvalidGraphicOperation& e) {
    EXPECT_STREQ(e.what(), "GIF image is too large");
  }
  EXPECT_TRUE(pic.Frames.empty());
}

// A file of a few hundred bytes may declare many frames of the largest size:
// decoded one after another, the picture keeps only what fits its budget and
// decodes a frame let go again when it is asked for.
TEST(GifFrameBounds, DecodedFramesOfAPictureStayWithinItsBudget) {
  constexpr int kFrames = 20;
  auto g = GifBuilder().Header().Screen(4096, 4096, 1).Table(1);
  for (int i = 0; i < kFrames; ++i) g.Image(0, 0, 4096, 4096).Codes(2, {{4, 3}, {1, 3}, {5, 3}});
  g.Trailer();
  ASSERT_LT(g.b.size(), 1000u);
  TGIFPicture pic;
  pic.LoadFromBytes(g.b);
  ASSERT_EQ(pic.Count(), std::size_t(kFrames));
  const std::shared_ptr<const TGIFBitmap> first = pic.Frame(0).DecodedShared();
  auto kept = [&] {
    std::uint64_t pixels = 0;
    for (const auto& f : pic.Frames) pixels += f->HasDecoded() ? 4096u * 4096u : 0u;
    return pixels;
  };
  for (int round = 0; round < 2; ++round)
    for (std::size_t i = 0; i < pic.Count(); ++i) {
      const TGIFBitmap& b = pic.Frame(i).Decoded();
      EXPECT_EQ(b.Indices[0], 1);
      EXPECT_EQ(b.Indices.back(), 0);
      EXPECT_LE(kept(), kGIFMaxKeptPixels) << i;
    }
  EXPECT_FALSE(pic.Frame(0).HasDecoded());
  EXPECT_EQ(first->Indices[0], 1);  // a holder keeps its plane
  EXPECT_EQ(pic.GetWidth(), 4096);
}

TEST(GifDib, ColourDepthFollowsTheTableSize) {
  struct Case {
    int tableBits, dibBits;
  } cases[] = {{1, 1}, {2, 4}, {4, 4}, {5, 8}, {8, 8}};
  for (auto c : cases) {
    auto g = GifBuilder().Header().Screen(1, 1, c.tableBits).Table(c.tableBits).Image(0, 0, 1, 1);
    g.Encoded({1}, std::max(2, c.tableBits)).Trailer();
    TGIFPicture pic;
    pic.LoadFromBytes(g.b);
    const TGIFBitmap& b = pic.Frame(0).Decoded();
    EXPECT_EQ(b.BitCount, c.dibBits) << c.tableBits;
    ASSERT_EQ(b.Palette.size(), std::size_t(1) << c.dibBits);
    const int count = 1 << c.tableBits;
    EXPECT_EQ(b.Palette[std::size_t(count - 1)], (TGIFRGB{std::uint8_t(count - 1), std::uint8_t(2 * (count - 1)),
                                                           std::uint8_t(3 * (count - 1))}));
    if (count < int(b.Palette.size())) {
      EXPECT_EQ(b.Palette.back(), (TGIFRGB{128, 128, 128}));
    }
  }
}

TEST(GifDib, BmpRowsAreBottomUpWithPackedPixels) {
  TGIFBitmap b;
  b.Width = 3;
  b.Height = 2;
  b.BitCount = 4;
  b.Palette = std::vector<TGIFRGB>(16, TGIFRGB{1, 2, 3});
  b.Indices = {1, 2, 3, 4, 5, 6};
  const Bytes bmp = b.ToBmp();
  const std::size_t offset = 54 + 16 * 4;
  ASSERT_EQ(bmp.size(), offset + 2 * 4);
  EXPECT_EQ(bmp[0], 'B');
  EXPECT_EQ(bmp[10], offset);
  EXPECT_EQ(bmp[28], 4);                                  // bit count
  EXPECT_EQ((Bytes(bmp.begin() + 54, bmp.begin() + 58)), (Bytes{3, 2, 1, 0}));  // blue, green, red, 0
  EXPECT_EQ((Bytes(bmp.begin() + std::ptrdiff_t(offset), bmp.end())), (Bytes{0x45, 0x60, 0, 0, 0x12, 0x30, 0, 0}));
  b.BitCount = 1;
  b.Palette.resize(2);
  b.Indices = {1, 0, 1, 0, 1, 1};
  const Bytes mono = b.ToBmp();
  EXPECT_EQ(mono[54 + 8], 0x60);  // bottom row first, leftmost pixel in the top bit
  EXPECT_EQ(mono[54 + 12], 0xA0);
}

TEST(GifDib, Rgb32RowsGoThroughThePalette) {
  TGIFBitmap b;
  b.Width = 2;
  b.Height = 1;
  b.Palette = {{0x11, 0x22, 0x33}, {0xAA, 0xBB, 0xCC}};
  b.Indices = {1, 0};
  EXPECT_EQ(b.Rgb32(), (std::vector<std::uint32_t>{0xAABBCC, 0x112233}));
}
