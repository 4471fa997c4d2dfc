// DIBs: round trips in every depth and orientation, DIB sections, bad headers.
#include "gdi_fixture.h"

#include <cstring>
#include <vector>

using gdi_test::Canvas;

namespace {

struct Info {
  BITMAPINFOHEADER h{};
  RGBQUAD colors[256]{};
};

Info Header(int w, int h, int bits) {
  Info i;
  i.h.biSize = sizeof(BITMAPINFOHEADER);
  i.h.biWidth = w;
  i.h.biHeight = h;
  i.h.biPlanes = 1;
  i.h.biBitCount = WORD(bits);
  i.h.biCompression = BI_RGB;
  return i;
}

BITMAPINFO* Bmi(Info& i) { return reinterpret_cast<BITMAPINFO*>(&i); }

// Colours every depth can hold exactly (all in the default palettes).
const COLORREF kExact[] = {RGB(0, 0, 0), RGB(255, 255, 255), RGB(128, 0, 0), RGB(0, 128, 128), RGB(192, 192, 192),
                           RGB(255, 255, 0)};

}  // namespace

TEST(Dib, HeaderLayoutIsThatOfWindows) {
  EXPECT_EQ(sizeof(BITMAPINFOHEADER), 40u);
  EXPECT_EQ(sizeof(RGBQUAD), 4u);
  EXPECT_EQ(sizeof(BITMAPFILEHEADER), 14u);
  EXPECT_EQ(sizeof(LOGFONTA), 60u);
  EXPECT_EQ(sizeof(TEXTMETRICA), 56u);
  EXPECT_EQ(sizeof(PALETTEENTRY), 4u);
  EXPECT_EQ(sizeof(BLENDFUNCTION), 4u);
  EXPECT_EQ(sizeof(LOGPEN), 16u);
}

TEST(Dib, RoundTripsEveryDepthBothOrientations) {
  Canvas c(7, 3);
  HDC dc = c.dc;
  for (int y = 0; y < 3; ++y)
    for (int x = 0; x < 7; ++x) c.surface->At(x, y) = gdi::PixelOf(kExact[(x + 2 * y) % 6]);
  for (int bits : {1, 4, 8, 16, 24, 32})
    for (int sign : {1, -1}) {
      Info info = Header(7, 3 * sign, bits);
      SCOPED_TRACE(testing::Message() << bits << " bpp, height " << 3 * sign);
      std::vector<std::uint8_t> buf(4 * 7 * 3 + 64, 0xEE);
      ASSERT_EQ(GetDIBits(dc, c.bitmap, 0, 3, buf.data(), Bmi(info), DIB_RGB_COLORS), 3);
      const std::size_t stride = ((7 * std::size_t(bits) + 31) / 32) * 4;
      EXPECT_EQ(buf[stride * 3], 0xEE) << "wrote past the image";
      Canvas back(7, 3, RGB(1, 1, 1));
      ASSERT_EQ(SetDIBits(back.dc, back.bitmap, 0, 3, buf.data(), Bmi(info), DIB_RGB_COLORS), 3);
      for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 7; ++x) {
          COLORREF want = c.At(x, y);
          if (bits == 1) want = (GetRValue(want) + GetGValue(want) + GetBValue(want)) >= 384 ? RGB(255, 255, 255) : 0;
          if (bits == 16) {
            // Five bits a channel, widened back to eight.
            auto q = [](int v) { return BYTE(((v >> 3) * 255 + 15) / 31); };
            want = RGB(q(GetRValue(want)), q(GetGValue(want)), q(GetBValue(want)));
          }
          ASSERT_EQ(back.At(x, y), want) << x << "," << y;
        }
    }
}

// 32 bits a pixel: the byte no mask covers is ignored; masks other than the
// default ones move the channels.
TEST(Dib, ThirtyTwoBitRowsIgnoreTheSpareByteAndFollowTheirMasks) {
  const std::uint8_t bgrx[] = {0x30, 0x20, 0x10, 0xFF, 0x03, 0x02, 0x01, 0x7F};  // B G R X, two pixels
  Info info = Header(2, -1, 32);
  Canvas plain(2, 1);
  ASSERT_EQ(SetDIBits(plain.dc, plain.bitmap, 0, 1, bgrx, Bmi(info), DIB_RGB_COLORS), 1);
  EXPECT_EQ(plain.At(0, 0), RGB(0x10, 0x20, 0x30));
  EXPECT_EQ(plain.At(1, 0), RGB(0x01, 0x02, 0x03));
  info.h.biCompression = BI_BITFIELDS;
  const DWORD swapped[3] = {0x0000FF, 0x00FF00, 0xFF0000};  // red in the low byte
  std::memcpy(info.colors, swapped, sizeof swapped);
  Canvas masked(2, 1);
  ASSERT_EQ(SetDIBits(masked.dc, masked.bitmap, 0, 1, bgrx, Bmi(info), DIB_RGB_COLORS), 1);
  EXPECT_EQ(masked.At(0, 0), RGB(0x30, 0x20, 0x10));
  EXPECT_EQ(masked.At(1, 0), RGB(0x03, 0x02, 0x01));
}

TEST(Dib, BottomUpScanZeroIsTheBottomRow) {
  Canvas c(1, 2);
  c.surface->At(0, 0) = 0x010203, c.surface->At(0, 1) = 0x0A0B0C;
  Info info = Header(1, 2, 24);
  std::uint8_t buf[8] = {};
  ASSERT_EQ(GetDIBits(c.dc, c.bitmap, 0, 2, buf, Bmi(info), DIB_RGB_COLORS), 2);
  EXPECT_EQ(buf[0], 0x0C);  // blue of the bottom row first
  EXPECT_EQ(buf[2], 0x0A);
  EXPECT_EQ(buf[4], 0x03);
  // Reading one scan line from line 1 gives the top row.
  std::uint8_t one[4] = {};
  ASSERT_EQ(GetDIBits(c.dc, c.bitmap, 1, 1, one, Bmi(info), DIB_RGB_COLORS), 1);
  EXPECT_EQ(one[2], 0x01);
}

TEST(Dib, GetDIBitsWithoutBitsDescribesTheBitmap) {
  Canvas c(33, 5);
  Info info{};
  info.h.biSize = sizeof(BITMAPINFOHEADER);
  ASSERT_NE(GetDIBits(c.dc, c.bitmap, 0, 0, nullptr, Bmi(info), DIB_RGB_COLORS), 0);
  EXPECT_EQ(info.h.biWidth, 33);
  EXPECT_EQ(info.h.biHeight, 5);
  EXPECT_EQ(info.h.biBitCount, 32);
  EXPECT_EQ(info.h.biSizeImage, 33u * 4 * 5);
}

TEST(Dib, SectionBitsAndSurfaceStayInStep) {
  for (int bits : {8, 24, 32})
    for (int sign : {1, -1}) {
      SCOPED_TRACE(testing::Message() << bits << " bpp, height " << 2 * sign);
      Info info = Header(3, 2 * sign, bits);
      if (bits == 8) info.colors[5] = RGBQUAD{0x30, 0x20, 0x10, 0};
      void* pv = nullptr;
      HBITMAP sec = CreateDIBSection(nullptr, Bmi(info), DIB_RGB_COLORS, &pv, nullptr, 0);
      ASSERT_NE(sec, nullptr);
      ASSERT_NE(pv, nullptr);
      DIBSECTION ds{};
      ASSERT_EQ(GetObjectA(sec, sizeof(ds), &ds), int(sizeof(ds)));
      EXPECT_EQ(ds.dsBm.bmBits, pv);
      EXPECT_EQ(ds.dsBmih.biBitCount, bits);
      HDC dc = CreateCompatibleDC(nullptr);
      HGDIOBJ old = SelectObject(dc, sec);
      SetPixel(dc, 2, 0, RGB(0x10, 0x20, 0x30));  // top-right pixel
      const std::size_t stride = ((3 * std::size_t(bits) + 31) / 32) * 4;
      auto* b = static_cast<std::uint8_t*>(pv);
      std::uint8_t* top = sign > 0 ? b + stride : b;
      if (bits == 8) {
        EXPECT_EQ(top[2], 5);
      } else {
        EXPECT_EQ(top[2 * bits / 8], 0x30);
        EXPECT_EQ(top[2 * bits / 8 + 2], 0x10);
      }
      // Writing the bits directly shows in what the DC reads.
      std::uint8_t* bottom = sign > 0 ? b : b + stride;
      if (bits == 8) bottom[0] = 5;
      else bottom[0] = 0x30, bottom[1] = 0x20, bottom[2] = 0x10;
      EXPECT_EQ(GetPixel(dc, 0, 1), RGB(0x10, 0x20, 0x30));
      SelectObject(dc, old);
      DeleteDC(dc);
      DeleteObject(sec);
    }
}

TEST(Dib, StretchDIBitsDrawsWithBottomUpSourceOrigin) {
  Canvas c(2, 2, RGB(0, 0, 0));
  Info info = Header(1, 2, 32);
  const std::uint32_t bits[2] = {0x0000FF, 0xFF0000};  // bottom row blue, top row red
  EXPECT_EQ(StretchDIBits(c.dc, 0, 0, 2, 2, 0, 0, 1, 2, bits, Bmi(info), DIB_RGB_COLORS, SRCCOPY), 2);
  EXPECT_EQ(c.At(1, 0), RGB(255, 0, 0));
  EXPECT_EQ(c.At(0, 1), RGB(0, 0, 255));
  // The bottom scan line alone: source origin y = 0 counts from the bottom.
  c.Fill(0);
  EXPECT_EQ(StretchDIBits(c.dc, 0, 0, 1, 1, 0, 0, 1, 1, bits, Bmi(info), DIB_RGB_COLORS, SRCCOPY), 1);
  EXPECT_EQ(c.At(0, 0), RGB(0, 0, 255));
  c.Fill(0);
  EXPECT_EQ(SetDIBitsToDevice(c.dc, 0, 0, 1, 2, 0, 0, 0, 2, bits, Bmi(info), DIB_RGB_COLORS), 2);
  EXPECT_EQ(c.At(0, 0), RGB(255, 0, 0));
  EXPECT_EQ(c.At(0, 1), RGB(0, 0, 255));
}

TEST(Dib, MalformedHeadersAreRefused) {
  Canvas c(4, 4);
  std::vector<std::uint8_t> buf(4096);
  auto refused = [&](Info info) {
    EXPECT_EQ(SetDIBits(c.dc, c.bitmap, 0, 4, buf.data(), Bmi(info), DIB_RGB_COLORS), 0);
    EXPECT_EQ(CreateDIBSection(c.dc, Bmi(info), DIB_RGB_COLORS, nullptr, nullptr, 0), nullptr);
    EXPECT_EQ(StretchDIBits(c.dc, 0, 0, 4, 4, 0, 0, 4, 4, buf.data(), Bmi(info), DIB_RGB_COLORS, SRCCOPY), 0);
  };
  Info i = Header(4, 4, 32);
  i.h.biSize = 12;
  refused(i);
  i = Header(4, 4, 7);
  refused(i);
  i = Header(0, 4, 32);
  refused(i);
  i = Header(4, 0, 32);
  refused(i);
  i = Header(4, 4, 32);
  i.h.biPlanes = 2;
  refused(i);
  i = Header(4, 4, 32);
  i.h.biCompression = BI_RLE8;
  refused(i);
  i = Header(1 << 20, 1 << 20, 32);  // far too large
  refused(i);
  i = Header(4, 4, 24);
  i.h.biSizeImage = 10;  // claims less data than its rows need
  refused(i);
  i = Header(4, 4, 32);
  EXPECT_EQ(SetDIBits(c.dc, c.bitmap, 0, 4, nullptr, Bmi(i), DIB_RGB_COLORS), 0);
  EXPECT_EQ(SetDIBits(c.dc, nullptr, 0, 4, buf.data(), Bmi(i), DIB_RGB_COLORS), 0);
  EXPECT_EQ(SetDIBits(c.dc, c.bitmap, 9, 4, buf.data(), Bmi(i), DIB_RGB_COLORS), 0);  // start past the end
}

TEST(Dib, PackedDibValidationChecksClaimsAgainstSize) {
  Info i = Header(4, 4, 8);
  std::vector<std::uint8_t> packed(sizeof(BITMAPINFOHEADER) + 256 * 4 + 16, 0);
  std::memcpy(packed.data(), &i.h, sizeof(i.h));
  EXPECT_TRUE(gdi::ValidatePackedDib(packed.data(), packed.size()));
  EXPECT_FALSE(gdi::ValidatePackedDib(packed.data(), packed.size() - 1));
  EXPECT_FALSE(gdi::ValidatePackedDib(packed.data(), 20));
  i.h.biClrUsed = 2;  // a short colour table moves the bits forward
  std::memcpy(packed.data(), &i.h, sizeof(i.h));
  EXPECT_TRUE(gdi::ValidatePackedDib(packed.data(), sizeof(BITMAPINFOHEADER) + 8 + 16));
  // Bit fields after a 40-byte header: the three masks must be in the block too.
  Info f = Header(2, 2, 32);
  f.h.biCompression = BI_BITFIELDS;
  const DWORD masks[3] = {0xFF0000, 0x00FF00, 0x0000FF};
  std::vector<std::uint8_t> fields(sizeof(BITMAPINFOHEADER) + sizeof(masks) + 16, 0);
  std::memcpy(fields.data(), &f.h, sizeof(f.h));
  std::memcpy(fields.data() + sizeof(f.h), masks, sizeof(masks));
  EXPECT_TRUE(gdi::ValidatePackedDib(fields.data(), fields.size()));
  EXPECT_FALSE(gdi::ValidatePackedDib(fields.data(), sizeof(BITMAPINFOHEADER) + 4));
  f.h.biSize = 44;  // longer than the basic header, still without room for the masks
  std::memcpy(fields.data(), &f.h, sizeof(f.h));
  EXPECT_FALSE(gdi::ValidatePackedDib(fields.data(), 44));
}

TEST(Bitmaps, CreateBitmapSizesAndBits) {
  const std::uint8_t mono[4] = {0xA0, 0, 0x50, 0};  // rows padded to 16 bits
  HBITMAP bm = CreateBitmap(4, 2, 1, 1, mono);
  ASSERT_NE(bm, nullptr);
  auto s = gdi::BitmapSurface(bm);
  EXPECT_EQ(s->At(0, 0), 0xFFFFFFu);
  EXPECT_EQ(s->At(1, 0), 0u);
  EXPECT_EQ(s->At(1, 1), 0xFFFFFFu);
  std::uint8_t back[4] = {};
  EXPECT_EQ(GetBitmapBits(bm, 4, back), 4);
  EXPECT_EQ(back[0], 0xA0);
  EXPECT_EQ(back[2], 0x50);
  DeleteObject(bm);
  EXPECT_EQ(CreateBitmap(-1, 4, 1, 32, nullptr), nullptr);
  EXPECT_EQ(CreateBitmap(4, 4, 2, 32, nullptr), nullptr);
  EXPECT_EQ(CreateBitmap(100000, 100000, 1, 32, nullptr), nullptr);
  HBITMAP empty = CreateBitmap(0, 5, 1, 32, nullptr);  // the stock 1 x 1 bitmap
  BITMAP info{};
  GetObjectA(empty, sizeof(info), &info);
  EXPECT_EQ(info.bmWidth, 1);
  Canvas c(2, 2);
  EXPECT_EQ(CreateCompatibleBitmap(c.dc, 1 << 20, 1 << 20), nullptr);
  HBITMAP colour = CreateCompatibleBitmap(c.dc, 3, 3);
  GetObjectA(colour, sizeof(info), &info);
  EXPECT_EQ(info.bmBitsPixel, 32);
  EXPECT_EQ(info.bmWidthBytes, 12);
  DeleteObject(colour);
}

TEST(Dib, IndexedReadsFillTheTableAndPickNearestColours) {
  Canvas c(2, 1);
  c.surface->At(0, 0) = gdi::PixelOf(RGB(250, 5, 5));  // near red
  c.surface->At(1, 0) = gdi::PixelOf(RGB(0, 0, 130));  // near navy
  Info info = Header(2, 1, 4);
  std::uint8_t buf[4] = {};
  ASSERT_EQ(GetDIBits(c.dc, c.bitmap, 0, 1, buf, Bmi(info), DIB_RGB_COLORS), 1);
  const RGBQUAD first = info.colors[buf[0] >> 4], second = info.colors[buf[0] & 15];
  EXPECT_EQ(first.rgbRed, 255);
  EXPECT_EQ(first.rgbBlue, 0);
  EXPECT_EQ(second.rgbBlue, 128);
  EXPECT_EQ(second.rgbRed, 0);
}

TEST(Dib, MonoTargetsFollowTheColourTableNotTheBits) {
  Canvas mono(8, 1, RGB(0, 0, 0), 1);
  Info info = Header(8, 1, 1);
  info.colors[0] = RGBQUAD{255, 255, 255, 0};  // an inverted table: bit 0 is white
  info.colors[1] = RGBQUAD{0, 0, 0, 0};
  const std::uint8_t bits[4] = {0x0F, 0, 0, 0};
  ASSERT_EQ(SetDIBits(mono.dc, mono.bitmap, 0, 1, bits, Bmi(info), DIB_RGB_COLORS), 1);
  EXPECT_EQ(mono.At(0, 0), RGB(255, 255, 255));
  EXPECT_EQ(mono.At(7, 0), RGB(0, 0, 0));
}

TEST(Dib, CreateDIBitmapInitialisesAndPaletteColoursResolve) {
  Canvas c(1, 1);
  struct {
    WORD version, count;
    PALETTEENTRY e[2];
  } lp{0x300, 2, {{1, 2, 3, 0}, {200, 100, 50, 0}}};
  HPALETTE pal = CreatePalette(reinterpret_cast<LOGPALETTE*>(&lp));
  SelectPalette(c.dc, pal, FALSE);
  Info info = Header(2, 1, 8);
  info.h.biClrUsed = 2;
  WORD* indices = reinterpret_cast<WORD*>(info.colors);
  indices[0] = 1, indices[1] = 0;
  const std::uint8_t bits[4] = {0, 1, 0, 0};
  HBITMAP bm = CreateDIBitmap(c.dc, &info.h, CBM_INIT, bits, Bmi(info), DIB_PAL_COLORS);
  ASSERT_NE(bm, nullptr);
  auto s = gdi::BitmapSurface(bm);
  EXPECT_EQ(gdi::ColorOf(s->At(0, 0)), RGB(200, 100, 50));
  EXPECT_EQ(gdi::ColorOf(s->At(1, 0)), RGB(1, 2, 3));
  DeleteObject(bm);
  SelectPalette(c.dc, static_cast<HPALETTE>(GetStockObject(DEFAULT_PALETTE)), FALSE);
  DeleteObject(pal);
}
