#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <filesystem>

#include "framework/bitmap.h"
#include "framework/exceptions.h"
#include "framework/stream.h"

namespace {

// A small picture whose every pixel differs, to catch row order and
// channel swaps.
void Paint(TBitmap& b, int w, int h) {
  b.SetSize(w, h);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) b.Canvas()->SetPixel(x, y, static_cast<TColor>(RGB(x * 40, y * 50, 200 - x * 10)));
}

void ExpectSamePixels(TBitmap& a, TBitmap& b) {
  ASSERT_EQ(a.Width(), b.Width());
  ASSERT_EQ(a.Height(), b.Height());
  for (int y = 0; y < a.Height(); ++y)
    for (int x = 0; x < a.Width(); ++x) ASSERT_EQ(a.Canvas()->Pixel(x, y), b.Canvas()->Pixel(x, y)) << x << "," << y;
}

}  // namespace

TEST(BitmapSize, ResizingKeepsThePixelsThatStillFit) {
  TBitmap b;
  EXPECT_TRUE(b.Empty());
  Paint(b, 5, 3);
  const TColor kept = b.Canvas()->Pixel(2, 1);
  b.SetWidth(8);
  EXPECT_EQ(b.Width(), 8);
  EXPECT_EQ(b.Canvas()->Pixel(2, 1), kept);
  EXPECT_EQ(b.Canvas()->Pixel(7, 1), clWhite);
  b.SetSize(0, 3);
  EXPECT_TRUE(b.Empty());
  EXPECT_EQ(b.Width(), 0);
}

TEST(BitmapFormat, MonochromeMapsColoursByBrightnessOfTheBackground) {
  TBitmap b;
  b.SetSize(4, 1);
  b.Canvas()->SetPixel(0, 0, clRed);
  b.SetMonochrome(true);
  EXPECT_EQ(b.PixelFormat(), pf1bit);
  EXPECT_EQ(b.Canvas()->Pixel(0, 0), clBlack);
  EXPECT_EQ(b.Canvas()->Pixel(1, 0), clWhite);
  b.SetPixelFormat(pf8bit);
  EXPECT_FALSE(b.Monochrome());
  EXPECT_EQ(b.Canvas()->Pixel(1, 0), clWhite);
  EXPECT_THROW(b.SetPixelFormat(pfCustom), EInvalidGraphicOperation);
}

TEST(BitmapFile, RoundTripsTrueColourAndPaletteBitmaps) {
  for (TPixelFormat format : {pf24bit, pf32bit, pf8bit, pf1bit}) {
    SCOPED_TRACE(format);
    TBitmap original;
    original.SetPixelFormat(format);
    Paint(original, 7, 5);  // 7 pixels: rows need padding at every depth
    TMemoryStream stream;
    original.SaveToStream(&stream);
    stream.SetPosition(0);
    TBitmap copy;
    copy.LoadFromStream(&stream);
    EXPECT_EQ(copy.PixelFormat(), format);
    ExpectSamePixels(original, copy);
  }
}

TEST(BitmapFile, WritesTheFileHeaderOfTheFormat) {
  TBitmap b;
  b.SetPixelFormat(pf24bit);
  Paint(b, 3, 2);
  TMemoryStream stream;
  b.SaveToStream(&stream);
  // 14 + 40 header bytes, then two rows of 9 bytes padded to 12.
  ASSERT_EQ(stream.Size(), 14 + 40 + 24);
  const std::uint8_t* m = stream.Memory();
  EXPECT_EQ(m[0], 'B');
  EXPECT_EQ(m[1], 'M');
  DWORD size, offset;
  std::memcpy(&size, m + 2, 4);
  std::memcpy(&offset, m + 10, 4);
  EXPECT_EQ(size, 78u);
  EXPECT_EQ(offset, 54u);
  // Bottom-up: the first stored row is the picture's last, blue first.
  const COLORREF bottomLeft = RGB(0, 50, 200);
  EXPECT_EQ(m[54], GetBValue(bottomLeft));
  EXPECT_EQ(m[55], GetGValue(bottomLeft));
  EXPECT_EQ(m[56], GetRValue(bottomLeft));
}

TEST(BitmapFile, ReadsTopDownRowsAndRefusesBrokenHeaders) {
  TBitmap b;
  b.SetPixelFormat(pf24bit);
  Paint(b, 2, 2);
  TMemoryStream stream;
  b.SaveToStream(&stream);
  std::vector<std::uint8_t> bytes(stream.Memory(), stream.Memory() + stream.Size());
  // Negative height, rows swapped: the same picture.
  std::vector<std::uint8_t> topDown = bytes;
  const LONG negative = -2;
  std::memcpy(&topDown[22], &negative, 4);
  std::memcpy(&topDown[54], &bytes[62], 8);
  std::memcpy(&topDown[62], &bytes[54], 8);
  TMemoryStream s2;
  s2.WriteBuffer(topDown.data(), static_cast<std::int64_t>(topDown.size()));
  s2.SetPosition(0);
  TBitmap read;
  read.LoadFromStream(&s2);
  ExpectSamePixels(b, read);

  auto fails = [](std::vector<std::uint8_t> data) {
    TMemoryStream s;
    s.WriteBuffer(data.data(), static_cast<std::int64_t>(data.size()));
    s.SetPosition(0);
    TBitmap x;
    x.LoadFromStream(&s);
  };
  std::vector<std::uint8_t> badSignature = bytes;
  badSignature[0] = 'X';
  EXPECT_THROW(fails(badSignature), EInvalidGraphic);
  std::vector<std::uint8_t> huge = bytes;
  const LONG big = 0x7FFFFFF0;
  std::memcpy(&huge[18], &big, 4);  // width: refused before allocating
  EXPECT_THROW(fails(huge), EInvalidGraphic);
  std::vector<std::uint8_t> truncated(bytes.begin(), bytes.end() - 4);
  EXPECT_THROW(fails(truncated), EReadError);
}

TEST(BitmapFile, SavesAndLoadsThroughRealFiles) {
  const std::string path = (std::filesystem::temp_directory_path() / "xvt_fwg_bitmap_test.bmp").string();
  TBitmap b;
  b.SetPixelFormat(pf24bit);
  Paint(b, 4, 4);
  b.SaveToFile(path);
  TBitmap read;
  read.LoadFromFile(path);
  ExpectSamePixels(b, read);
  std::remove(path.c_str());
}

TEST(BitmapCopy, AssignCopiesPixelsAndSettingsIndependently) {
  TBitmap a;
  a.SetPixelFormat(pf24bit);
  Paint(a, 3, 3);
  a.SetTransparentColor(clRed);
  TBitmap b;
  b.Assign(&a);
  ExpectSamePixels(a, b);
  EXPECT_NE(a.Handle(), b.Handle());
  EXPECT_EQ(b.TransparentColor(), clRed);
  EXPECT_TRUE(b.Equals(&a));
  b.Canvas()->SetPixel(0, 0, clBlack);
  EXPECT_NE(a.Canvas()->Pixel(0, 0), clBlack);
  EXPECT_FALSE(b.Equals(&a));
  b.Assign(nullptr);
  EXPECT_TRUE(b.Empty());
}

TEST(BitmapTransparency, AutoModeTakesTheBottomLeftPixel) {
  TBitmap b;
  EXPECT_EQ(b.TransparentColor(), clDefault);
  b.SetSize(3, 3);
  b.Canvas()->SetPixel(0, 2, clLime);
  EXPECT_EQ(b.TransparentMode(), tmAuto);
  EXPECT_EQ(b.TransparentColor(), clLime);
  b.SetTransparentColor(clBlue);
  EXPECT_EQ(b.TransparentMode(), tmFixed);
  EXPECT_EQ(b.TransparentColor(), clBlue);
  b.SetTransparentMode(tmAuto);
  EXPECT_EQ(b.TransparentColor(), clLime);
}

TEST(BitmapTransparency, TransparentDrawingLeavesTheKeyColourUnpainted) {
  TBitmap sprite;
  sprite.SetPixelFormat(pf24bit);
  sprite.SetSize(4, 4);
  sprite.Canvas()->Brush()->SetColor(clFuchsia);
  sprite.Canvas()->FillRect(Rect(0, 0, 4, 4));
  sprite.Canvas()->Brush()->SetColor(clNavy);
  sprite.Canvas()->FillRect(Rect(1, 1, 3, 3));
  TBitmap target;
  target.SetPixelFormat(pf24bit);
  target.SetSize(10, 10);
  target.Canvas()->Brush()->SetColor(clYellow);
  target.Canvas()->FillRect(Rect(0, 0, 10, 10));

  target.Canvas()->Draw(0, 0, &sprite);
  EXPECT_EQ(target.Canvas()->Pixel(0, 0), clFuchsia);  // opaque copy first
  target.Canvas()->FillRect(Rect(0, 0, 10, 10));
  sprite.SetTransparent(true);
  target.Canvas()->Draw(5, 5, &sprite);
  EXPECT_EQ(target.Canvas()->Pixel(5, 5), clYellow);
  EXPECT_EQ(target.Canvas()->Pixel(6, 6), clNavy);
  target.Canvas()->StretchDraw(Rect(0, 0, 8, 8), &sprite);
  EXPECT_EQ(target.Canvas()->Pixel(0, 0), clYellow);
  EXPECT_EQ(target.Canvas()->Pixel(4, 4), clNavy);
}

TEST(BitmapHandle, SetHandleTakesSizeAndDepthAndReleaseGivesItAway) {
  HBITMAP mono = CreateBitmap(6, 2, 1, 1, nullptr);
  TBitmap b;
  int changes = 0;
  b.OnChange = [&](TObject*) { ++changes; };
  b.SetHandle(mono);
  EXPECT_EQ(changes, 1);
  EXPECT_EQ(b.Width(), 6);
  EXPECT_EQ(b.Height(), 2);
  EXPECT_TRUE(b.Monochrome());
  EXPECT_EQ(b.ReleaseHandle(), mono);
  EXPECT_TRUE(b.Empty());
  DeleteObject(mono);
}
