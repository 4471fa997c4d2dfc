// Loading: header, screen, extension rules, frame records and their errors.
#include "gif_support.h"

#include <gtest/gtest.h>

#include <sstream>

using namespace giftest;

namespace {

// Loads and returns the error text, "" when the load succeeded.
std::string LoadError(TGIFPicture& pic, const Bytes& bytes, bool decodeFirst = true) {
  try {
    pic.LoadFromBytes(bytes, decodeFirst);
  } catch (const EInvalidGraphicOperation& e) {
    return e.what();
  }
  return "";
}

GifBuilder TwoColour() { return GifBuilder().Header().Screen(2, 1, 1).Table(1); }
GifBuilder& Pixels(GifBuilder& g) { return g.Image(0, 0, 2, 1).Codes(2, {{4, 3}, {1, 3}, {0, 3}, {5, 3}}); }

struct StrictMode {
  StrictMode() { TolerateCorruptGIF = false; }
  ~StrictMode() { TolerateCorruptGIF = true; }
};

}  // namespace

TEST(GifHeader, SignatureAndVersionIgnoreLetterCase) {
  TGIFPicture pic;
  auto g = GifBuilder().Header("gif89A").Screen(2, 1, 1).Table(1);
  EXPECT_EQ(LoadError(pic, Pixels(g).Trailer().b), "");
  EXPECT_EQ(pic.Version, gv89a);
  auto h = GifBuilder().Header("GiF87a").Screen(2, 1, 1).Table(1);
  EXPECT_EQ(LoadError(pic, Pixels(h).Trailer().b), "");
  EXPECT_EQ(pic.Version, gv87a);
}

TEST(GifHeader, UnknownSignatureOrVersionFails) {
  TGIFPicture pic;
  EXPECT_EQ(LoadError(pic, GifBuilder().Header("GIF90a").Screen(1, 1).Trailer().b), "Unknown GIF version");
  EXPECT_EQ(LoadError(pic, GifBuilder().Header("JIF89a").Screen(1, 1).Trailer().b), "Unknown GIF version");
  EXPECT_EQ(pic.Version, gvUnknown);
  EXPECT_TRUE(pic.Frames.empty());
}

TEST(GifHeader, RecordsCutShortAreReadErrors) {
  TGIFPicture pic;
  EXPECT_EQ(LoadError(pic, GifBuilder().Header().Raw({1, 0, 1}).b), "Stream read error");
  EXPECT_EQ(LoadError(pic, GifBuilder().Header().Screen(1, 1, 2).Raw({1, 2, 3}).b), "Stream read error");
  EXPECT_EQ(LoadError(pic, GifBuilder().Header().Screen(1, 1).Raw({','}).Word(0).b), "Stream read error");
}

TEST(GifHeader, ZeroBytesGiveAnEmptyPicture) {
  TGIFPicture pic;
  EXPECT_EQ(LoadError(pic, {}), "");
  EXPECT_TRUE(pic.GetEmpty());
  EXPECT_EQ(pic.FrameIndex, -1);
  EXPECT_EQ(pic.Version, gvUnknown);
}

TEST(GifHeader, ScreenDescriptorFields) {
  TGIFPicture pic;
  auto g = GifBuilder().Header().Word(2).Word(1).Raw({0x80 | 0x30 | 0x01, 2, 49}).Table(2, {{}, {}, {10, 20, 30}});
  ASSERT_EQ(LoadError(pic, Pixels(g).Trailer().b), "");
  EXPECT_EQ(pic.Data->BitsPerPixel, 2);
  EXPECT_EQ(pic.Data->ColorResBits, 4);
  EXPECT_EQ(pic.Data->AspectRatio, 49);
  EXPECT_EQ(pic.Data->ColorMap.Count, 4);
  EXPECT_EQ(pic.BackgroundColor, RGBColor(10, 20, 30));
  EXPECT_EQ(pic.ScreenWidth(), 2);
  EXPECT_EQ(pic.ScreenHeight(), 1);
}

TEST(GifHeader, BackgroundOutsideTableOrNoTableIsNone) {
  TGIFPicture pic;
  auto g = GifBuilder().Header().Screen(2, 1, 1, 2).Table(1);
  ASSERT_EQ(LoadError(pic, Pixels(g).Trailer().b), "");
  EXPECT_EQ(pic.BackgroundColor, clNone);
  ASSERT_EQ(LoadError(pic, GifBuilder().Header().Screen(3, 4).Trailer().b), "");
  EXPECT_EQ(pic.BackgroundColor, clNone);
  EXPECT_EQ(pic.ScreenWidth(), 0);  // no frames: the screen reads empty
}

TEST(GifExtensions, GraphicControlSetsDelayDisposalTransparency) {
  TGIFPicture pic;
  auto g = TwoColour().Gce((2 << 2) | 1, 7, 1);
  ASSERT_EQ(LoadError(pic, Pixels(g).Trailer().b), "");
  const TGIFFrameBase& f = pic.Frame(0);
  EXPECT_EQ(f.AnimateInterval, 70);
  EXPECT_EQ(f.DisposalMethod, 2);
  EXPECT_EQ(f.TransparentColor, RGBColor(1, 2, 3));
  EXPECT_EQ(f.Extensions.size(), 1u);
}

TEST(GifExtensions, TransparentIndexBeyondTableLeavesNone) {
  TGIFPicture pic;
  auto g = TwoColour().Gce(1, 0, 2);
  ASSERT_EQ(LoadError(pic, Pixels(g).Trailer().b), "");
  EXPECT_EQ(pic.Frame(0).TransparentColor, clNone);
}

TEST(GifExtensions, LaterDisposalAndLargerDelayWin) {
  TGIFPicture pic;
  auto g = TwoColour().Gce(3 << 2, 50, 0).Gce(1 << 2, 20, 0);
  ASSERT_EQ(LoadError(pic, Pixels(g).Trailer().b), "");
  EXPECT_EQ(pic.Frame(0).DisposalMethod, 1);
  EXPECT_EQ(pic.Frame(0).AnimateInterval, 500);
}

TEST(GifExtensions, LongDelaySaturatesInsteadOfWrapping) {
  TGIFPicture pic;
  auto g = TwoColour().Gce(0, 6600, 0);
  ASSERT_EQ(LoadError(pic, Pixels(g).Trailer().b), "");
  EXPECT_EQ(pic.Frame(0).AnimateInterval, 65535);
}

TEST(GifExtensions, PlainTextDropsTheGraphicControlBeforeIt) {
  TGIFPicture pic;
  auto g = TwoColour().Gce((2 << 2) | 1, 9, 0).PlainText();
  ASSERT_EQ(LoadError(pic, Pixels(g).Trailer().b), "");
  const TGIFFrameBase& f = pic.Frame(0);
  EXPECT_EQ(f.AnimateInterval, 0);
  EXPECT_EQ(f.DisposalMethod, 0);
  EXPECT_EQ(f.TransparentColor, clNone);
  EXPECT_TRUE(f.Extensions.empty());
}

TEST(GifExtensions, LoopingBlockCountsAndCap) {
  struct Case {
    std::string id;
    std::string data;
    bool looping;
    int repeat;
  } cases[] = {
      {"NETSCAPE2.0", std::string("\x01\x40\x9C", 3), true, 30000},  // 40000 capped
      {"NETSCAPE2.0", std::string("\x01\x00\x00", 3), true, 0},
      {"NETSCAPE2.0", std::string("\x01\x05\x00", 3), true, 5},
      {"ANIMEXTS1.0", std::string("\x01\x02\x00", 3), true, 2},
      {"NETSCAPE2.0", std::string("\x02\x05\x00", 3), false, 1},  // buffering block, not a loop count
      {"NETSCAPE2.0", std::string("\x01\x05", 2), false, 1},      // too short
      {"netscape2.0", std::string("\x01\x05\x00", 3), false, 1},  // identifiers compare exactly
  };
  for (const Case& c : cases) {
    TGIFPicture pic;
    auto g = TwoColour().App(c.id, {c.data});
    ASSERT_EQ(LoadError(pic, Pixels(g).Trailer().b), "") << c.id;
    EXPECT_EQ(pic.Looping, c.looping) << c.id << " " << int(c.data[0]);
    EXPECT_EQ(pic.RepeatCount, c.repeat) << c.id << " " << int(c.data[0]);
  }
}

TEST(GifExtensions, UnknownLabelNamesItInHex) {
  TGIFPicture pic;
  auto g = TwoColour().Raw({0x21, 0xAB, 0});
  EXPECT_EQ(LoadError(pic, g.b), "Unrecognized extension block: ab");
}

TEST(GifExtensions, CommentsBeforeTheTrailerJoinTheirSeparator) {
  TGIFPicture pic;
  auto g = TwoColour();
  Pixels(g).Comment({"first", "line two"}).Comment({"second"}).Trailer();
  ASSERT_EQ(LoadError(pic, g.b), "");
  EXPECT_EQ(pic.Data->Comment, (std::vector<std::string>{"first", "line two", "\r\n\r\n", "second"}));
}

TEST(GifExtensions, CommentBeforeAFrameStaysWithTheFrame) {
  TGIFPicture pic;
  auto g = TwoColour().Comment({"about frame 0"});
  ASSERT_EQ(LoadError(pic, Pixels(g).Trailer().b), "");
  EXPECT_TRUE(pic.Data->Comment.empty());
  EXPECT_EQ(pic.Frame(0).Comment(), std::vector<std::string>{"about frame 0"});
}

TEST(GifExtensions, ExtensionCutShortEndsCleanly) {
  TGIFPicture pic;
  auto g = TwoColour();
  Pixels(g).Raw({0x21, 0xFE, 200, 'a', 'b'});
  EXPECT_EQ(LoadError(pic, g.b), "");
  EXPECT_EQ(pic.Data->Comment, std::vector<std::string>{"ab"});
  EXPECT_EQ(pic.Frames.size(), 1u);
}

TEST(GifSeparators, ZeroBytesAfterAFrameAreSkipped) {
  TGIFPicture pic;
  auto g = TwoColour();
  Pixels(g).Raw({0, 0, 0});
  Pixels(g).Trailer();
  ASSERT_EQ(LoadError(pic, g.b), "");
  EXPECT_EQ(pic.Frames.size(), 2u);
}

TEST(GifSeparators, UnknownByteAfterAFrameEndsTheLoadQuietly) {
  TGIFPicture pic;
  auto g = TwoColour();
  Pixels(g).Raw({'x'});
  Pixels(g).Trailer();
  ASSERT_EQ(LoadError(pic, g.b), "");
  EXPECT_EQ(pic.Frames.size(), 1u);
  EXPECT_EQ(pic.FrameIndex, 0);
}

TEST(GifSeparators, UnexpectedByteAfterExtensionsIsAReadError) {
  TGIFPicture pic;
  auto g = TwoColour();
  Pixels(g).Gce(0, 1, 0).Raw({'x'});
  EXPECT_EQ(LoadError(pic, g.b), "Stream read error");
  EXPECT_EQ(pic.Frames.size(), 1u);  // what was read stays
  auto h = TwoColour();
  Pixels(h).Comment({"c"}).Raw({'x'});
  EXPECT_EQ(LoadError(pic, h.b), "Stream read error");  // the comment is taken, then the byte fails
  EXPECT_EQ(pic.Data->Comment, std::vector<std::string>{"c"});
}

TEST(GifFrames, DescriptorFieldsAndLocalTable) {
  TGIFPicture pic;
  auto g = GifBuilder().Header().Screen(8, 8, 1).Table(1).Image(3, 4, 2, 1, 0x80 | 0x40 | 1).Table(2, {{9, 9, 9}});
  g.Codes(2, {{4, 3}, {0, 3}, {3, 3}, {5, 3}}).Trailer();
  ASSERT_EQ(LoadError(pic, g.b), "");
  const TGIFFrameBase& f = pic.Frame(0);
  EXPECT_EQ(f.TopLeft, (TGIFPoint{3, 4}));
  EXPECT_TRUE(f.Interlaced);
  EXPECT_TRUE(f.LocalColors);
  EXPECT_EQ(f.Item->BitsPerPixel, 2);
  EXPECT_EQ(f.Item->ColorMap.Count, 4);
  EXPECT_EQ(f.Item->PackedFields, 0xC1);
  EXPECT_EQ(f.Item->ImageData.front(), 2);  // code size byte kept
  EXPECT_EQ(f.Item->ImageData.back(), 0);   // and the terminating block
}

TEST(GifFrames, GlobalTableIsCopiedIntoTheFrame) {
  TGIFPicture pic;
  auto g = TwoColour();
  ASSERT_EQ(LoadError(pic, Pixels(g).Trailer().b), "");
  EXPECT_FALSE(pic.Frame(0).LocalColors);
  EXPECT_EQ(pic.Frame(0).Item->BitsPerPixel, 1);
  EXPECT_EQ(pic.Frame(0).Item->ColorMap.Color(1), RGBColor(1, 2, 3));
}

TEST(GifFrames, ZeroWidthOrHeightTakesTheScreenSize) {
  TGIFPicture pic;
  auto g = GifBuilder().Header().Screen(3, 2, 1).Table(1).Image(0, 0, 0, 0).Encoded(Bytes(6, 1), 2).Trailer();
  ASSERT_EQ(LoadError(pic, g.b), "");
  EXPECT_EQ(pic.Frame(0).Size(), (TGIFPoint{3, 2}));
  EXPECT_EQ(pic.Frame(0).Decoded().Indices, Bytes(6, 1));
}

TEST(GifFrames, NoColourTableAtAllCannotBeDecoded) {
  auto g = GifBuilder().Header().Screen(1, 1).Image(0, 0, 1, 1).Codes(2, {{4, 3}, {0, 3}, {5, 3}}).Trailer();
  TGIFPicture pic;
  EXPECT_EQ(LoadError(pic, g.b), "Wrong number of colors; must be a power of 2");
  EXPECT_TRUE(pic.Frames.empty());  // frame 0 is dropped
  ASSERT_EQ(LoadError(pic, g.b, false), "");
  ASSERT_EQ(pic.Frames.size(), 1u);
  EXPECT_THROW(pic.Frame(0).Decoded(), EInvalidGraphicOperation);
}

TEST(GifFrames, TruncatedDataIsToleratedAndMarked) {
  TGIFPicture pic;
  auto g = TwoColour().Image(0, 0, 2, 1).Raw({2, 200, 0x0C});  // a 200-byte block with one byte
  ASSERT_EQ(LoadError(pic, g.b), "");
  ASSERT_EQ(pic.Frames.size(), 1u);
  EXPECT_TRUE(pic.Frame(0).Corrupted);
  EXPECT_EQ(pic.Frame(0).Decoded().Indices, (Bytes{1, 0}));  // what was there, then index 0
  auto h = TwoColour().Image(0, 0, 2, 1).Raw({2});  // no length byte at all
  ASSERT_EQ(LoadError(pic, h.b), "");
  EXPECT_TRUE(pic.Frame(0).Corrupted);
}

TEST(GifFrames, TruncatedDataFailsWhenNotTolerated) {
  StrictMode strict;
  TGIFPicture pic;
  auto g = TwoColour();
  Pixels(g);
  g.Image(0, 0, 2, 1).Raw({2, 9, 0x0C});
  EXPECT_EQ(LoadError(pic, g.b), "Stream read error");
  EXPECT_EQ(pic.Frames.size(), 1u);  // the frame being read is discarded
}

TEST(GifStreams, ReadDataTakesA32BitCount) {
  auto gif = TwoColour();
  Pixels(gif).Trailer();
  std::string blob(4, '\0');
  const std::uint32_t n = std::uint32_t(gif.b.size());
  for (int i = 0; i < 4; ++i) blob[std::size_t(i)] = char((n >> (8 * i)) & 0xFF);
  blob.append(gif.b.begin(), gif.b.end());
  blob += "trailing bytes of the next property";
  std::istringstream in(blob);
  TGIFPicture pic;
  pic.ReadData(in);
  EXPECT_EQ(pic.Frames.size(), 1u);
  EXPECT_TRUE(pic.Frame(0).HasDecoded());  // first frame decoded at once
  std::string rest;
  std::getline(in, rest);
  EXPECT_EQ(rest, "trailing bytes of the next property");
}

TEST(GifStreams, ReadDataWithACountPastTheStreamFails) {
  std::istringstream in(std::string("\xF0\xFF\xFF\xFF" "GIF89a", 10));
  TGIFPicture pic;
  try {
    pic.ReadData(in);
    FAIL() << "no error";
  } catch (const EInvalidGraphicOperation& e) {
    EXPECT_STREQ(e.what(), "Stream read error");
  }
}

TEST(GifStreams, ClipboardDataLoadsWithoutDecoding) {
  auto gif = TwoColour();
  Pixels(gif).Trailer();
  Bytes clip{std::uint8_t(gif.b.size()), 0, 0, 0};
  clip.insert(clip.end(), gif.b.begin(), gif.b.end());
  TGIFPicture pic;
  pic.LoadFromClipboardData(clip);
  ASSERT_EQ(pic.Frames.size(), 1u);
  EXPECT_FALSE(pic.Frame(0).HasDecoded());
  clip[0] = 200;
  EXPECT_THROW(pic.LoadFromClipboardData(clip), EInvalidGraphicOperation);
}

TEST(GifStreams, LoadFromStreamReadsToTheEnd) {
  auto gif = TwoColour();
  Pixels(gif).Trailer();
  std::istringstream in(std::string("skip") + std::string(gif.b.begin(), gif.b.end()));
  in.seekg(4);
  TGIFPicture pic;
  int changes = 0;
  pic.OnChange = [&] { ++changes; };
  pic.LoadFromStream(in);
  EXPECT_EQ(pic.Frames.size(), 1u);
  EXPECT_EQ(changes, 1);
}
