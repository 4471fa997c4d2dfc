// Writing and reading back; shared data, copies and lazy decoding.
#include "gif_support.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <sstream>

using namespace giftest;

namespace {

TGIFBitmap MakeBitmap(int w, int h, int bits, unsigned seed) {
  TGIFBitmap b;
  b.Width = w;
  b.Height = h;
  b.BitCount = bits;
  for (int i = 0; i < (1 << bits); ++i)
    b.Palette.push_back({std::uint8_t(i * 7 + seed), std::uint8_t(i * 3), std::uint8_t(255 - i)});
  std::mt19937 rng(seed);
  b.Indices.resize(std::size_t(w * h));
  for (auto& x : b.Indices) x = std::uint8_t(rng() % 3 == 0 ? rng() & ((1u << bits) - 1) : 1);
  return b;
}

std::string Error(const std::function<void()>& f) {
  try {
    f();
  } catch (const EInvalidGraphicOperation& e) {
    return e.what();
  }
  return "";
}

}  // namespace

TEST(GifWriter, RoundTripKeepsPixelsTimingDisposalTransparencyLoopingComments) {
  TGIFPicture pic;
  const int bits[] = {1, 4, 8};
  for (int i = 0; i < 3; ++i) pic.AddFrame(MakeBitmap(20 + i, 10, bits[i], unsigned(i)));
  pic.Frame(0).AnimateInterval = 120;
  pic.Frame(1).AnimateInterval = 60;
  pic.Frame(1).DisposalMethod = 2;
  pic.Frame(2).DisposalMethod = 3;
  pic.Frame(2).TopLeft = {3, 4};
  pic.Frame(1).TransparentColor = pic.Frame(1).Item->ColorMap.Color(5);
  pic.Looping = true;
  pic.RepeatCount = 7;
  pic.Data->Comment = {"made here", "\r\n\r\n", "second"};
  pic.Frame(0).Extensions.push_back(TExtension{etComment, {"frame note"}, {}, 0});
  const Bytes saved = pic.SaveToBytes();

  TGIFPicture back;
  back.LoadFromBytes(saved);
  ASSERT_EQ(back.Frames.size(), 3u);
  EXPECT_EQ(back.Version, gv89a);
  EXPECT_EQ(back.ScreenWidth(), 22);
  EXPECT_TRUE(back.Looping);
  EXPECT_EQ(back.RepeatCount, 7);
  EXPECT_EQ(back.Data->Comment, pic.Data->Comment);
  EXPECT_EQ(back.Frame(0).Comment(), std::vector<std::string>{"frame note"});
  for (std::size_t i = 0; i < 3; ++i) {
    TGIFFrameBase& a = pic.Frame(i);
    TGIFFrameBase& b = back.Frame(i);
    EXPECT_EQ(b.Decoded().Indices, a.Decoded().Indices) << i;
    EXPECT_EQ(b.Decoded().BitCount, bits[i]) << i;
    EXPECT_EQ(b.AnimateInterval, a.AnimateInterval) << i;
    EXPECT_EQ(b.DisposalMethod, a.DisposalMethod) << i;
    EXPECT_EQ(b.TransparentColor, a.TransparentColor) << i;
    EXPECT_EQ(b.TopLeft, a.TopLeft) << i;
    EXPECT_TRUE(b.LocalColors);
    EXPECT_EQ(b.Item->ColorMap.Color(3), a.Item->ColorMap.Color(3));
  }
}

TEST(GifWriter, VersionRules) {
  TGIFPicture pic;
  pic.AddFrame(MakeBitmap(2, 2, 1, 1));
  EXPECT_EQ(pic.Version, gv87a);
  const Bytes plain = pic.SaveToBytes();
  EXPECT_EQ(std::string(plain.begin(), plain.begin() + 6), "GIF87a");
  pic.Data->Comment = {"x"};
  EXPECT_EQ(pic.SaveToBytes()[4], '9');  // a comment needs 89a
  TGIFPicture two;
  two.AddFrame(MakeBitmap(2, 2, 1, 1));
  EXPECT_EQ(two.AddFrame(MakeBitmap(2, 2, 1, 2)), 1);
  EXPECT_EQ(two.Version, gv89a);
  EXPECT_EQ(two.FrameIndex, 1);
}

TEST(GifWriter, Errors) {
  TGIFPicture pic;
  EXPECT_EQ(Error([&] { pic.SaveToBytes(); }), "No GIF Data to write");
  EXPECT_EQ(Error([&] { pic.SetWidth(5); }), "Cannot change the Size of a GIF image");
  EXPECT_EQ(Error([&] { pic.SetHeight(5); }), "Cannot change the Size of a GIF image");
  TGIFBitmap rgb = MakeBitmap(2, 2, 8, 1);
  rgb.BitCount = 24;
  pic.AddFrame(rgb);
  EXPECT_EQ(Error([&] { pic.SaveToBytes(); }), "GIF image encoding error");
}

TEST(GifWriter, WriteDataPrefixesTheByteCount) {
  TGIFPicture pic;
  pic.AddFrame(MakeBitmap(5, 5, 4, 3));
  std::ostringstream out;
  pic.WriteData(out);
  const std::string s = out.str();
  const std::uint32_t n = std::uint8_t(s[0]) | std::uint8_t(s[1]) << 8 | std::uint8_t(s[2]) << 16 |
                          std::uint32_t(std::uint8_t(s[3])) << 24;
  EXPECT_EQ(n, s.size() - 4);
  std::istringstream in(s);
  TGIFPicture back;
  back.ReadData(in);
  EXPECT_EQ(back.Frame(0).Decoded().Indices, pic.Frame(0).Decoded().Indices);
}

TEST(GifWriter, LoadedDataIsWrittenBackAsRead) {
  const Bytes gif = SimpleGif(3, 3, {0, 1, 2, 3, 0, 1, 2, 3, 0});
  TGIFPicture pic;
  pic.LoadFromBytes(gif);
  EXPECT_EQ(pic.SaveToBytes(), gif);
}

TEST(GifWriter, TruncatedFrameIsWrittenWellFormed) {
  auto g = GifBuilder().Header().Screen(4, 1, 2).Table(2).Image(0, 0, 4, 1).Raw({2, 50, 0x1C, 0x03});
  TGIFPicture pic;
  pic.LoadFromBytes(g.b);
  ASSERT_TRUE(pic.Frame(0).Corrupted);
  const Bytes first = pic.Frame(0).Decoded().Indices;
  TGIFPicture back;
  back.LoadFromBytes(pic.SaveToBytes());
  EXPECT_EQ(back.Frame(0).Item->ImageData.back(), 0);
  EXPECT_EQ(back.Frame(0).Decoded().Indices, first);
}

TEST(GifWriter, TransparentEntryKeepsItsIndexAmongEqualColours) {
  auto g = GifBuilder().Header().Screen(2, 1, 1).Table(1, {{5, 5, 5}, {5, 5, 5}}).Gce(1, 0, 1);
  g.Image(0, 0, 2, 1).Encoded({0, 1}, 2).Trailer();
  TGIFPicture pic;
  pic.LoadFromBytes(g.b);
  pic.Frame(0).Extensions.clear();  // the control block is rebuilt from the fields
  const Bytes saved = pic.SaveToBytes();
  const std::uint8_t label[] = {0x21, 0xF9};
  auto gce = std::search(saved.begin(), saved.end(), std::begin(label), std::end(label));
  ASSERT_NE(gce, saved.end());
  EXPECT_EQ(gce[6], 1);  // transparent index
}

TEST(GifShared, AssignSharesDataAndItems) {
  TGIFPicture a;
  a.LoadFromBytes(SimpleGif(2, 2, {1, 2, 3, 0}));
  {
    TGIFPicture b;
    b.Assign(&a);
    EXPECT_TRUE(b.Equals(a));
    EXPECT_EQ(a.Data->RefCount(), 2);
    EXPECT_EQ(a.Frame(0).Item.get(), b.Frame(0).Item.get());
    EXPECT_EQ(a.Frame(0).Item->RefCount(), 2);
    EXPECT_EQ(b.Frame(0).Picture, &b);
    EXPECT_EQ(b.Frame(0).Decoded().Indices, (Bytes{1, 2, 3, 0}));
    b.Clear();
    EXPECT_FALSE(b.Equals(a));
    EXPECT_EQ(a.Data->RefCount(), 1);
  }
  EXPECT_EQ(a.Frame(0).Item->RefCount(), 1);
  a.Assign(static_cast<const TGIFPicture*>(nullptr));
  EXPECT_TRUE(a.GetEmpty());
}

TEST(GifShared, AssignFromAFrameCopiesTheGlobalData) {
  TGIFPicture a;
  a.LoadFromBytes(GifBuilder().Header().Screen(2, 1, 2).Table(2).Image(0, 0, 2, 1).Encoded({3, 2}, 2).Trailer().b);
  TGIFPicture b;
  b.Assign(a.Frame(0));
  EXPECT_FALSE(b.Equals(a));
  EXPECT_EQ(b.Data->ColorMap.Count, 4);
  EXPECT_EQ(b.Data->BitsPerPixel, 2);
  EXPECT_EQ(b.Version, gv87a);
  EXPECT_EQ(b.Frames.size(), 1u);
  EXPECT_EQ(b.Frame(0).Decoded().Indices, (Bytes{3, 2}));
  b.Assign(b.Frame(0));  // its own frame
  EXPECT_EQ(b.Frame(0).Decoded().Indices, (Bytes{3, 2}));
}

TEST(GifLazy, OnlyTheFirstFrameIsDecodedAtLoad) {
  auto g = GifBuilder().Header().Screen(2, 1, 2).Table(2);
  for (int i = 0; i < 3; ++i) g.Image(0, 0, 2, 1).Encoded({std::uint8_t(i), 3}, 2);
  TGIFPicture pic;
  pic.LoadFromBytes(g.Trailer().b);
  EXPECT_TRUE(pic.Frame(0).HasDecoded());
  EXPECT_FALSE(pic.Frame(1).HasDecoded());
  EXPECT_FALSE(pic.Frame(2).HasDecoded());
  const TGIFBitmap& b = pic.Frame(2).Decoded();
  EXPECT_EQ(b.Indices, (Bytes{2, 3}));
  EXPECT_EQ(&pic.Frame(2).Decoded(), &b);  // cached
  EXPECT_FALSE(pic.Frame(1).HasDecoded());
}

TEST(GifLazy, EmptinessAndSize) {
  TGIFPicture pic;
  EXPECT_TRUE(pic.GetEmpty());
  EXPECT_EQ(pic.GetWidth(), 0);
  pic.LoadFromBytes(SimpleGif(3, 2, Bytes(6, 1)), false);
  EXPECT_FALSE(pic.GetEmpty());  // compressed data count
  EXPECT_EQ(pic.GetWidth(), 3);
  EXPECT_EQ(pic.GetHeight(), 2);
  pic.FrameIndex = 5;
  EXPECT_EQ(pic.GetWidth(), 0);
}
