// TGIFImage on the headless drawing layer: cached frame bitmaps, drawing,
// copies between graphics, the clipboard and the stored forms.
#include <gtest/gtest.h>

#include "display/RxGIF.h"

#include <filesystem>

#include "framework/picture.h"
#include "framework/stream.h"
#include "gif_support.h"

using namespace giftest;

namespace {

constexpr TColor kRed = RGBColor(255, 0, 0), kGreen = RGBColor(0, 255, 0), kBlue = RGBColor(0, 0, 255),
                 kGuard = RGBColor(9, 9, 9);

// Two 2 x 2 frames over a 4-colour table red, green, blue, white; the second
// is transparent at index 0 and not decoded by a load.
Bytes TwoFrames() {
  return GifBuilder()
      .Header()
      .Screen(2, 2, 2)
      .Table(2, {{255, 0, 0}, {0, 255, 0}, {0, 0, 255}, {255, 255, 255}})
      .Gce(0x04, 10, 0)
      .Image(0, 0, 2, 2)
      .Encoded({0, 1, 2, 3}, 2)
      .Gce(0x09, 20, 0)
      .Image(0, 0, 2, 2)
      .Encoded({0, 1, 1, 0}, 2)
      .Trailer()
      .b;
}

void Load(TGIFImage& image, const Bytes& gif) {
  TMemoryStream s;
  s.WriteBuffer(gif.data(), std::int64_t(gif.size()));
  s.SetPosition(0);
  image.LoadFromStream(&s);
}

void Fill(TBitmap& b, int w, int h, TColor c) {
  b.SetPixelFormat(pf32bit);
  b.SetSize(w, h);
  b.Canvas()->Brush()->SetColor(c);
  b.Canvas()->FillRect(TRect{0, 0, w, h});
}

}  // namespace

TEST(GifImageFrames, OnlyTheFirstFrameIsDecodedByALoadAndBitmapsAreCached) {
  TGIFImage image;
  int changes = 0;
  image.OnChange = [&](TObject*) { ++changes; };
  Load(image, TwoFrames());
  EXPECT_EQ(changes, 1);
  ASSERT_EQ(image.Count(), 2);
  EXPECT_EQ(image.Frames(0)->Owner, &image);
  EXPECT_TRUE(image.Frames(0)->HasDecoded());
  EXPECT_FALSE(image.Frames(1)->HasDecoded());
  EXPECT_EQ(image.Width(), 2);  // sizes come without decoding
  EXPECT_FALSE(image.Frames(1)->HasDecoded());
  TBitmap* b = image.Frames(1)->Bitmap();
  EXPECT_TRUE(image.Frames(1)->HasDecoded());
  EXPECT_EQ(image.Frames(1)->Bitmap(), b);
  EXPECT_EQ(b->PixelFormat(), pf4bit);  // 4 colours: the 4-bit form
  EXPECT_EQ(b->Canvas()->Pixel(1, 0), kGreen);
  EXPECT_EQ(image.Frames(1)->TransparentColor, kRed);
  EXPECT_EQ(image.Frames(1)->AnimateInterval, 200);
  EXPECT_THROW(image.Frames(2), EListError);
}

TEST(GifImageFrames, AssignedPicturesShareTheirDataAndFrames) {
  TGIFImage a, b;
  Load(a, TwoFrames());
  b.Assign(&a);
  EXPECT_TRUE(b.Equals(&a));
  EXPECT_EQ(b.Data(), a.Data());
  EXPECT_EQ(b.Frames(1)->Item.get(), a.Frames(1)->Item.get());
  EXPECT_EQ(b.Frames(1)->Owner, &b);
  EXPECT_FALSE(b.Frames(1)->HasDecoded());  // copying decodes nothing
  TGIFImage c;
  Load(c, TwoFrames());
  EXPECT_FALSE(c.Equals(&a));  // same bytes, separate data
  EXPECT_EQ(a.Data()->RefCount(), 2);
  b.Clear();
  EXPECT_EQ(a.Data()->RefCount(), 1);
}

TEST(GifImageFrames, AddFrameRaisesTheVersionAndGrowsTheScreen) {
  TBitmap small, wide;
  Fill(small, 3, 2, kRed);
  Fill(wide, 5, 1, kBlue);
  TGIFImage image;
  EXPECT_EQ(image.AddFrame(&small), 0);
  EXPECT_EQ(image.Version(), gv87a);
  EXPECT_EQ(image.AddFrame(&wide), 1);
  EXPECT_EQ(image.Version(), gv89a);
  EXPECT_EQ(image.FrameIndex(), 1);
  EXPECT_EQ(image.ScreenWidth(), 5);
  EXPECT_EQ(image.ScreenHeight(), 2);
  EXPECT_FALSE(image.Frames(0)->HasImageData());  // encoded only when written
}

TEST(GifImageErrors, SizeIsFixedAndEmptyPicturesHaveNothingToWrite) {
  TGIFImage image;
  EXPECT_TRUE(image.Empty());
  EXPECT_EQ(image.Width(), 0);
  EXPECT_EQ(image.ScreenWidth(), 0);
  TMemoryStream s;
  try {
    image.SaveToStream(&s);
    FAIL();
  } catch (const EInvalidGraphicOperation& e) {
    EXPECT_EQ(e.Message(), "No GIF Data to write");
  }
  try {
    image.SetWidth(4);
    FAIL();
  } catch (const EInvalidGraphicOperation& e) {
    EXPECT_EQ(e.Message(), "Cannot change the Size of a GIF image");
  }
}

TEST(GifImageStoredForm, WriteDataPrefixesTheLengthAndReadDataChecksIt) {
  TGIFImage a, b;
  Load(a, TwoFrames());
  TMemoryStream s;
  a.WriteData(&s);
  const std::uint8_t* m = s.Memory();
  EXPECT_EQ(std::int64_t(m[0] | m[1] << 8 | m[2] << 16 | m[3] << 24), s.Size() - 4);
  s.SetPosition(0);
  b.ReadData(&s);
  ASSERT_EQ(b.Count(), 2);
  EXPECT_EQ(b.Frames(1)->Decoded().Indices, (Bytes{0, 1, 1, 0}));
  // A length beyond the stream is a read error, whatever it claims.
  TMemoryStream cut;
  const std::uint8_t huge[8] = {0xFF, 0xFF, 0xFF, 0x7F, 'G', 'I', 'F', '8'};
  cut.WriteBuffer(huge, 8);
  cut.SetPosition(0);
  EXPECT_THROW(b.ReadData(&cut), EReadError);
}

TEST(GifImageDraw, TransparentPixelsLeaveTheCanvasAndGuardsStayUntouched) {
  TGIFImage image;
  Load(image, TwoFrames());
  image.SetFrameIndex(1);  // red (index 0) is transparent
  TBitmap target;
  Fill(target, 4, 4, kGuard);
  image.Draw(target.Canvas(), TRect{1, 1, 3, 3});
  TCanvas* c = target.Canvas();
  EXPECT_EQ(c->Pixel(1, 1), kGuard);  // transparent
  EXPECT_EQ(c->Pixel(2, 1), kGreen);
  EXPECT_EQ(c->Pixel(1, 2), kGreen);
  EXPECT_EQ(c->Pixel(2, 2), kGuard);
  for (int i = 0; i < 4; ++i) {
    EXPECT_EQ(c->Pixel(i, 0), kGuard);
    EXPECT_EQ(c->Pixel(i, 3), kGuard);
    EXPECT_EQ(c->Pixel(0, i), kGuard);
    EXPECT_EQ(c->Pixel(3, i), kGuard);
  }
}

TEST(GifImageDraw, OpaqueFramesStretchAndTheFlagTurnsTransparencyOff) {
  TGIFImage image;
  Load(image, TwoFrames());
  TBitmap target;
  Fill(target, 6, 6, kGuard);
  image.Draw(target.Canvas(), TRect{1, 1, 5, 5});  // frame 0: no transparency
  TCanvas* c = target.Canvas();
  EXPECT_EQ(c->Pixel(1, 1), kRed);
  EXPECT_EQ(c->Pixel(2, 2), kRed);
  EXPECT_EQ(c->Pixel(4, 1), kGreen);
  EXPECT_EQ(c->Pixel(1, 4), kBlue);
  EXPECT_EQ(c->Pixel(4, 4), RGBColor(255, 255, 255));
  EXPECT_EQ(c->Pixel(5, 5), kGuard);
  EXPECT_EQ(c->Pixel(0, 0), kGuard);
  // Frame 1 drawn without the flag paints its transparent colour too.
  image.Frames(1)->Draw(c, TRect{0, 0, 2, 2}, false);
  EXPECT_EQ(c->Pixel(0, 0), kRed);
}

TEST(GifImageDraw, TwoColourFramesKeepTheirTransparentEntry) {
  // A 1-bit frame: its mask still comes from the colour, not from white.
  const Bytes gif = GifBuilder()
                        .Header()
                        .Screen(2, 1, 1)
                        .Table(1, {{255, 0, 0}, {0, 0, 255}})
                        .Gce(0x01, 0, 1)
                        .Image(0, 0, 2, 1)
                        .Encoded({0, 1}, 2)
                        .Trailer()
                        .b;
  TGIFImage image;
  Load(image, gif);
  EXPECT_TRUE(image.Frames(0)->Bitmap()->Monochrome());
  TBitmap target;
  Fill(target, 2, 1, kGuard);
  image.Draw(target.Canvas(), TRect{0, 0, 2, 1});
  EXPECT_EQ(target.Canvas()->Pixel(0, 0), kRed);
  EXPECT_EQ(target.Canvas()->Pixel(1, 0), kGuard);
}

TEST(GifImageAssign, TrueColourBitmapsRoundTripExactlyThroughAGifFile) {
  TBitmap source;
  source.SetPixelFormat(pf24bit);
  source.SetSize(7, 5);
  for (int y = 0; y < 5; ++y)
    for (int x = 0; x < 7; ++x) source.Canvas()->SetPixel(x, y, RGBColor(std::uint8_t(x * 30), std::uint8_t(y * 40), 77));
  TGIFImage gif;
  gif.Assign(&source);
  TMemoryStream s;
  gif.SaveToStream(&s);
  s.SetPosition(0);
  TGIFImage back;
  back.LoadFromStream(&s);
  TBitmap out;
  out.Assign(&back);  // through the picture's AssignTo: the current frame
  ASSERT_EQ(out.Width(), 7);
  for (int y = 0; y < 5; ++y)
    for (int x = 0; x < 7; ++x) ASSERT_EQ(out.Canvas()->Pixel(x, y), source.Canvas()->Pixel(x, y)) << x << "," << y;
}

TEST(GifImageAssign, PalettePicturesAndFramesCopyBetweenGraphics) {
  TGIFImage gif;
  Load(gif, TwoFrames());
  TPicture picture;
  picture.SetGraphic(&gif);  // a copy of the graphic's own class
  auto* held = dynamic_cast<TGIFImage*>(picture.Graphic());
  ASSERT_NE(held, nullptr);
  EXPECT_TRUE(held->Equals(&gif));
  TGIFImage one;
  one.Assign(gif.Frames(1));  // a single frame with the picture's colours
  EXPECT_EQ(one.Count(), 1);
  EXPECT_EQ(one.Data()->ColorMap.Count, 4);
  EXPECT_EQ(one.Frames(0)->Decoded().Indices, (Bytes{0, 1, 1, 0}));
  TGIFImage fromPicture;
  fromPicture.Assign(&picture);
  EXPECT_TRUE(fromPicture.Equals(&gif));
  fromPicture.Assign(nullptr);
  EXPECT_TRUE(fromPicture.Empty());
  TBitmap cleared;
  Fill(cleared, 2, 2, kRed);
  cleared.Assign(&fromPicture);  // an empty picture clears its destination
  EXPECT_TRUE(cleared.Empty());
}

TEST(GifImageRegistry, FilesAndTheClipboardFormatPickTheGifClass) {
  ASSERT_NE(CF_GIF(), 0u);
  EXPECT_EQ(CF_GIF(), RegisterClipboardFormatA("gif image"));
  EXPECT_TRUE(TPicture::SupportsClipboardFormat(CF_GIF()));
  const std::string path = (std::filesystem::temp_directory_path() / "xvt_gif_image_test.GIF").string();
  {
    std::FILE* f = std::fopen(path.c_str(), "wb");
    ASSERT_NE(f, nullptr);
    const Bytes gif = TwoFrames();
    std::fwrite(gif.data(), 1, gif.size(), f);
    std::fclose(f);
  }
  TPicture picture;
  picture.LoadFromFile(path);
  std::filesystem::remove(path);
  auto* gif = dynamic_cast<TGIFImage*>(picture.Graphic());
  ASSERT_NE(gif, nullptr);
  EXPECT_EQ(gif->Count(), 2);
  EXPECT_NE(TPicture::GraphicFilter().find("CompuServe GIF Image (*.gif)"), std::string::npos);
}

TEST(GifImageClipboard, BothFormatsRoundTripAndTheGifIsNotDecoded) {
  TGIFImage gif;
  Load(gif, TwoFrames());
  ASSERT_TRUE(OpenClipboard(nullptr));
  EmptyClipboard();
  UINT format = 0;
  HANDLE data = nullptr;
  HPALETTE palette = nullptr;
  gif.SaveToClipboardFormat(format, data, palette);
  EXPECT_EQ(format, UINT(CF_BITMAP));
  ASSERT_NE(data, nullptr);
  SetClipboardData(format, data);
  EXPECT_TRUE(IsClipboardFormatAvailable(CF_GIF()));
  CloseClipboard();

  ASSERT_TRUE(OpenClipboard(nullptr));
  TPicture picture;
  picture.LoadFromClipboardFormat(CF_GIF(), GetClipboardData(CF_GIF()), nullptr);
  auto* back = dynamic_cast<TGIFImage*>(picture.Graphic());
  ASSERT_NE(back, nullptr);
  ASSERT_EQ(back->Count(), 2);
  EXPECT_FALSE(back->Frames(1)->HasDecoded());
  EXPECT_EQ(back->Frames(0)->Bitmap()->Canvas()->Pixel(0, 1), kBlue);
  // The bitmap alone: one frame holding its pixels.
  TBitmap plain;
  Fill(plain, 3, 1, kGreen);
  plain.Canvas()->SetPixel(2, 0, kRed);
  TBitmap copy;
  copy.Assign(&plain);
  EmptyClipboard();
  SetClipboardData(CF_BITMAP, copy.ReleaseHandle());
  TGIFImage fromBitmap;
  fromBitmap.LoadFromClipboardFormat(CF_BITMAP, GetClipboardData(CF_BITMAP), nullptr);
  CloseClipboard();
  ASSERT_EQ(fromBitmap.Count(), 1);
  EXPECT_EQ(fromBitmap.Frames(0)->Decoded().Indices, (Bytes{0, 0, 1}));
  EXPECT_EQ(fromBitmap.Frames(0)->Bitmap()->Canvas()->Pixel(2, 0), kRed);
}

TEST(GifImageClipboard, NoFramesPutNothingAndBitmapBuiltFramesOnlyTheBitmap) {
  TGIFImage empty;
  UINT format = 0;
  HANDLE data = nullptr;
  HPALETTE palette = nullptr;
  empty.SaveToClipboardFormat(format, data, palette);
  EXPECT_EQ(data, nullptr);
  TBitmap b;
  Fill(b, 2, 2, kBlue);
  TGIFImage built;
  built.Assign(&b);
  ASSERT_TRUE(OpenClipboard(nullptr));
  EmptyClipboard();
  built.SaveToClipboardFormat(format, data, palette);
  SetClipboardData(format, data);
  EXPECT_FALSE(IsClipboardFormatAvailable(CF_GIF()));  // no compressed data yet
  EXPECT_TRUE(IsClipboardFormatAvailable(CF_BITMAP));
  CloseClipboard();
}

TEST(GifImageClipboard, AClipboardBitmapBesideTheGifReplacesFrameZerosPixels) {
  TGIFImage gif;
  Load(gif, TwoFrames());
  TBitmap other;
  Fill(other, 2, 2, kBlue);
  ASSERT_TRUE(OpenClipboard(nullptr));
  EmptyClipboard();
  UINT format = 0;
  HANDLE data = nullptr;
  HPALETTE palette = nullptr;
  gif.SaveToClipboardFormat(format, data, palette);
  DeleteObject(data);  // keep only the GIF, then offer a different bitmap
  TBitmap copy;
  copy.Assign(&other);
  SetClipboardData(CF_BITMAP, copy.ReleaseHandle());
  TGIFImage back;
  back.LoadFromClipboardFormat(CF_GIF(), GetClipboardData(CF_GIF()), nullptr);
  CloseClipboard();
  ASSERT_EQ(back.Count(), 2);
  EXPECT_EQ(back.Frames(0)->Bitmap()->Canvas()->Pixel(0, 0), kBlue);
  EXPECT_EQ(back.Frames(0)->Decoded().Indices, (Bytes{0, 0, 0, 0}));
  EXPECT_TRUE(back.Frames(0)->HasImageData());  // the compressed data stay for writing
  EXPECT_FALSE(back.Frames(1)->HasDecoded());
}

TEST(GifImageFrames, DecodingOnFirstUseReportsProgressThroughThePicture) {
  TGIFImage image;
  Load(image, TwoFrames());
  std::vector<int> stages;
  image.OnProgress = [&](TProgressStage stage, int percent, const std::string&) {
    stages.push_back(stage);
    if (stage == psEnding) {
      EXPECT_EQ(percent, 100);
    }
  };
  image.Frames(1)->Bitmap();
  ASSERT_GE(stages.size(), 2u);
  EXPECT_EQ(stages.front(), psStarting);
  EXPECT_EQ(stages.back(), psEnding);
  stages.clear();
  image.Frames(1)->Bitmap();  // cached: no second decoding
  EXPECT_TRUE(stages.empty());
}
