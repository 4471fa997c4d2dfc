// Public test pictures decoded against their published expectations.
#include "gif_support.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <set>
#include <sstream>

using namespace giftest;
namespace fs = std::filesystem;

namespace {

std::vector<std::string> Pictures(const std::string& dir, const std::string& partner) {
  std::vector<std::string> names;
  for (const auto& e : fs::directory_iterator(DataDir() + dir))
    if (e.path().extension() == ".gif" && fs::exists(fs::path(e.path()).replace_extension(partner)))
      names.push_back(e.path().stem().string());
  std::sort(names.begin(), names.end());
  return names;
}

// The screen filled with the background index, every frame's indices painted
// over it through its own table: what the giflib .rgb files hold.
Bytes PaintRgb(TGIFPicture& pic) {
  const int w = pic.ScreenWidth(), h = pic.ScreenHeight();
  const TGIFColorTable& global = pic.Data->ColorMap;
  Bytes rgb(std::size_t(w * h * 3), 0);
  const int bg = global.Count > 0 ? std::max(0, global.IndexOf(pic.BackgroundColor)) : -1;
  for (int i = 0; bg >= 0 && i < w * h; ++i)
    for (int k = 0; k < 3; ++k) rgb[std::size_t(i * 3 + k)] = global.Colors[std::size_t(bg)][std::size_t(k)];
  for (auto& f : pic.Frames) {
    const TGIFBitmap& b = f->Decoded();
    for (int y = 0; y < b.Height; ++y)
      for (int x = 0; x < b.Width; ++x) {
        const int sx = f->TopLeft.X + x, sy = f->TopLeft.Y + y;
        if (sx >= w || sy >= h) continue;
        const TGIFRGB& c = f->Item->ColorMap.Colors[b.Index(x, y)];
        std::copy(c.begin(), c.end(), rgb.begin() + std::ptrdiff_t((sy * w + sx) * 3));
      }
  }
  return rgb;
}

}  // namespace

TEST(GifTestData, GiflibPicturesPaintTheirRgbDumps) {
  const auto names = Pictures("giflib", ".rgb");
  ASSERT_GE(names.size(), 8u);
  for (const auto& n : names) {
    TGIFPicture pic;
    pic.LoadFromBytes(ReadFile(DataDir() + "giflib/" + n + ".gif"));
    EXPECT_EQ(PaintRgb(pic), ReadFile(DataDir() + "giflib/" + n + ".rgb")) << n;
    for (auto& f : pic.Frames) EXPECT_FALSE(f->Corrupted) << n;
  }
}

TEST(GifTestData, WuffsIndexPlanes) {
  const auto names = Pictures("wuffs", ".indexes");
  ASSERT_GE(names.size(), 3u);
  for (const auto& n : names) {
    TGIFPicture pic;
    pic.LoadFromBytes(ReadFile(DataDir() + "wuffs/" + n + ".gif"));
    EXPECT_EQ(pic.Frame(0).Decoded().Indices, ReadFile(DataDir() + "wuffs/" + n + ".indexes")) << n;
  }
  TGIFPicture muy;
  muy.LoadFromBytes(ReadFile(DataDir() + "wuffs/muybridge.gif"));
  ASSERT_EQ(muy.Frames.size(), 15u);
  for (std::size_t i = 0; i < muy.Frames.size(); ++i) {
    char name[64];
    std::snprintf(name, sizeof name, "wuffs/muybridge-frame-%03zu.indexes", i);
    EXPECT_EQ(muy.Frame(i).Decoded().Indices, ReadFile(DataDir() + name)) << i;
  }
}

TEST(GifTestData, WuffsEdgeCases) {
  auto load = [](const std::string& n, TGIFPicture& pic) {
    pic.LoadFromBytes(ReadFile(DataDir() + "wuffs/artificial/" + n + ".gif"));
  };
  TGIFPicture pic;
  load("zero-width-frame", pic);
  for (auto& f : pic.Frames) EXPECT_GT(f->Size().X, 0);
  load("frame-out-of-bounds", pic);
  ASSERT_EQ(pic.Frames.size(), 4u);
  EXPECT_EQ(pic.Frame(3).Size(), (TGIFPoint{4, 3}));
  EXPECT_EQ(pic.Frame(0).Decoded().Indices, (Bytes{1, 2, 3}));
  load("multiple-loop-counts", pic);
  EXPECT_TRUE(pic.Looping);
  load("no-frames", pic);
  EXPECT_TRUE(pic.GetEmpty());
  load("pixel-data-too-much-good-lzw", pic);
  EXPECT_FALSE(pic.Frame(0).Corrupted);
  // Only the first frame has a table; the second cannot be decoded.
  load("empty-palette", pic);
  ASSERT_EQ(pic.Frames.size(), 2u);
  EXPECT_THROW(pic.Frame(1).Decoded(), EInvalidGraphicOperation);
}

TEST(GifTestData, EveryPictureSurvivesWritingAndReencoding) {
  for (const std::string dir : {"giflib", "wuffs", "pygif-suite"}) {
    for (const auto& e : fs::directory_iterator(DataDir() + dir)) {
      if (e.path().extension() != ".gif") continue;
      TGIFPicture pic;
      try {
        pic.LoadFromBytes(ReadFile(e.path().string()));
        for (auto& f : pic.Frames) f->Decoded();
      } catch (const EInvalidGraphicOperation&) {
        continue;  // rejected pictures are covered elsewhere
      }
      if (pic.Frames.empty()) continue;
      // Frames rebuilt from their bitmaps go through the encoder.
      TGIFPicture rebuilt;
      rebuilt.Assign(&pic);
      for (std::size_t i = 0; i < rebuilt.Frames.size(); ++i) {
        TGIFFrameBase& f = rebuilt.Frame(i);
        const TGIFBitmap b = f.Decoded();
        const TGIFPoint at = f.TopLeft;
        f.Assign(b);
        f.TopLeft = at;
      }
      TGIFPicture back;
      back.LoadFromBytes(rebuilt.SaveToBytes());
      ASSERT_EQ(back.Frames.size(), pic.Frames.size()) << e.path();
      for (std::size_t i = 0; i < pic.Frames.size(); ++i)
        ASSERT_EQ(back.Frame(i).Decoded().Indices, pic.Frame(i).Decoded().Indices) << e.path() << " frame " << i;
    }
  }
}
