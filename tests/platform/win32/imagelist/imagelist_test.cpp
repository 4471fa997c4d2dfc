// Image lists: adding, replacing and removing images, and every way of
// drawing one (normal, transparent, mask, blended) checked pixel by pixel.
#include <gtest/gtest.h>

#include <win32/windows.h>

#include <algorithm>
#include <cstdint>
#include <vector>

#include "colours.h"
#include "dib_canvas.h"

namespace {

constexpr COLORREF kKey = RGB(255, 0, 255), kGreen = RGB(0, 128, 0), kYellow = RGB(255, 255, 0);

using Surface = testsupport::DibCanvas;

// A strip of n 4x4 images: image i is colour[i] with a key-coloured
// top-left quarter (2x2).
HBITMAP Strip(const std::vector<COLORREF>& colours, Surface& s) {
  for (int i = 0; i < static_cast<int>(colours.size()); ++i)
    for (int y = 0; y < 4; ++y)
      for (int x = 0; x < 4; ++x) s.Set(i * 4 + x, y, (x < 2 && y < 2) ? kKey : colours[i]);
  return s.Detach();
}

class ImageListTest : public ::testing::Test {
 protected:
  void SetUp() override {
    list = ImageList_Create(4, 4, ILC_COLOR24 | ILC_MASK, 1, 1);
    ASSERT_NE(list, nullptr);
    Surface src(12, 4);
    ASSERT_EQ(ImageList_AddMasked(list, Strip({kRed, kBlue, kYellow}, src), kKey), 0);
    canvas.Fill(kGreen);
  }
  void TearDown() override { ImageList_Destroy(list); }
  HIMAGELIST list = nullptr;
  Surface canvas{16, 16};
};

TEST_F(ImageListTest, CreateAndCount) {
  EXPECT_EQ(ImageList_GetImageCount(list), 3);
  int cx = 0, cy = 0;
  ASSERT_TRUE(ImageList_GetIconSize(list, &cx, &cy));
  EXPECT_EQ(cx, 4);
  EXPECT_EQ(cy, 4);
  EXPECT_EQ(ImageList_Create(0, 4, ILC_MASK, 1, 1), nullptr);
  EXPECT_EQ(ImageList_Create(4, -1, ILC_MASK, 1, 1), nullptr);
  EXPECT_EQ(ImageList_GetBkColor(list), CLR_NONE);
  EXPECT_EQ(ImageList_SetBkColor(list, kBlue), CLR_NONE);
  EXPECT_EQ(ImageList_GetBkColor(list), kBlue);
}

TEST_F(ImageListTest, TransparentDrawShowsTheBackground) {
  ASSERT_TRUE(ImageList_Draw(list, 1, canvas.dc(), 5, 6, ILD_TRANSPARENT));
  EXPECT_EQ(canvas.At(5, 6), kGreen);  // key quarter
  EXPECT_EQ(canvas.At(6, 7), kGreen);
  EXPECT_EQ(canvas.At(7, 6), kBlue);
  EXPECT_EQ(canvas.At(8, 9), kBlue);
  EXPECT_EQ(canvas.At(9, 9), kGreen);  // outside the image
  EXPECT_EQ(canvas.At(4, 6), kGreen);
  // With no background colour an ordinary draw is transparent too; the
  // DrawEx form with CLR_NONE as the glyph drawers use it.
  canvas.Fill(kGreen);
  ASSERT_TRUE(ImageList_DrawEx(list, 0, canvas.dc(), 0, 0, 0, 0, CLR_NONE, CLR_NONE, ILD_TRANSPARENT));
  EXPECT_EQ(canvas.At(0, 0), kGreen);
  EXPECT_EQ(canvas.At(3, 3), kRed);
}

TEST_F(ImageListTest, NormalDrawUsesTheBackgroundColour) {
  ImageList_SetBkColor(list, kYellow);
  ASSERT_TRUE(ImageList_Draw(list, 0, canvas.dc(), 0, 0, ILD_NORMAL));
  EXPECT_EQ(canvas.At(0, 0), kYellow);
  EXPECT_EQ(canvas.At(3, 0), kRed);
  // An explicit colour overrides the list's; ILD_TRANSPARENT overrides both.
  ASSERT_TRUE(ImageList_DrawEx(list, 0, canvas.dc(), 4, 0, 0, 0, kBlue, CLR_DEFAULT, ILD_NORMAL));
  EXPECT_EQ(canvas.At(4, 0), kBlue);
  ASSERT_TRUE(ImageList_DrawEx(list, 0, canvas.dc(), 8, 0, 0, 0, kBlue, CLR_DEFAULT, ILD_TRANSPARENT));
  EXPECT_EQ(canvas.At(8, 0), kGreen);
}

TEST_F(ImageListTest, MaskAndPartialDraws) {
  ASSERT_TRUE(ImageList_Draw(list, 2, canvas.dc(), 0, 0, ILD_MASK));
  EXPECT_EQ(canvas.At(0, 0), RGB(255, 255, 255));
  EXPECT_EQ(canvas.At(3, 3), RGB(0, 0, 0));
  canvas.Fill(kGreen);
  ASSERT_TRUE(ImageList_DrawEx(list, 2, canvas.dc(), 0, 0, 3, 2, CLR_NONE, CLR_NONE, ILD_TRANSPARENT));
  EXPECT_EQ(canvas.At(2, 1), kYellow);
  EXPECT_EQ(canvas.At(3, 1), kGreen);  // beyond the asked width
  EXPECT_EQ(canvas.At(2, 2), kGreen);  // beyond the asked height
}

TEST_F(ImageListTest, BlendDithersTheForeground) {
  ASSERT_TRUE(ImageList_DrawEx(list, 0, canvas.dc(), 0, 0, 0, 0, CLR_NONE, kBlue, ILD_TRANSPARENT | ILD_BLEND50));
  EXPECT_EQ(canvas.At(2, 2), kBlue);
  EXPECT_EQ(canvas.At(3, 2), kRed);
  EXPECT_EQ(canvas.At(0, 0), kGreen);  // transparent stays transparent
}

TEST_F(ImageListTest, ReplaceRemoveAndGrow) {
  Surface one(4, 4);
  one.Fill(kGreen);
  ASSERT_TRUE(ImageList_Replace(list, 1, one.Detach(), nullptr));
  ImageList_Draw(list, 1, canvas.dc(), 0, 0, ILD_TRANSPARENT);
  canvas.Fill(kRed);
  ImageList_Draw(list, 1, canvas.dc(), 0, 0, ILD_TRANSPARENT);
  EXPECT_EQ(canvas.At(0, 0), kGreen);  // no mask given: all opaque
  EXPECT_FALSE(ImageList_Replace(list, 3, one.bitmap(), nullptr));
  EXPECT_FALSE(ImageList_Replace(list, -1, one.bitmap(), nullptr));

  ASSERT_TRUE(ImageList_Remove(list, 0));
  EXPECT_EQ(ImageList_GetImageCount(list), 2);
  ImageList_Draw(list, 1, canvas.dc(), 0, 0, ILD_TRANSPARENT);
  EXPECT_EQ(canvas.At(3, 3), kYellow);  // the old third image moved down
  EXPECT_FALSE(ImageList_Remove(list, 2));
  EXPECT_FALSE(ImageList_Draw(list, 2, canvas.dc(), 0, 0, ILD_NORMAL));

  // Growing past the first allocation keeps what was there.
  Surface many(40, 4);
  std::vector<COLORREF> colours(10, kBlue);
  EXPECT_EQ(ImageList_AddMasked(list, Strip(colours, many), kKey), 2);
  EXPECT_EQ(ImageList_GetImageCount(list), 12);
  canvas.Fill(kGreen);
  ImageList_Draw(list, 1, canvas.dc(), 0, 0, ILD_TRANSPARENT);
  ImageList_Draw(list, 11, canvas.dc(), 8, 8, ILD_TRANSPARENT);
  EXPECT_EQ(canvas.At(3, 3), kYellow);
  EXPECT_EQ(canvas.At(11, 11), kBlue);
  EXPECT_EQ(canvas.At(8, 8), kGreen);

  ASSERT_TRUE(ImageList_Remove(list, -1));
  EXPECT_EQ(ImageList_GetImageCount(list), 0);
}

TEST_F(ImageListTest, ExplicitMonochromeMask) {
  HIMAGELIST l = ImageList_Create(8, 2, ILC_COLOR32 | ILC_MASK, 1, 0);
  Surface image(8, 2);
  image.Fill(kBlue);
  // Rows of a monochrome bitmap are word aligned: 0xF0 = left half transparent.
  const unsigned char maskBits[] = {0xF0, 0, 0xF0, 0};
  HBITMAP mask = CreateBitmap(8, 2, 1, 1, maskBits);
  ASSERT_EQ(ImageList_Add(l, image.Detach(), mask), 0);
  ImageList_Draw(l, 0, canvas.dc(), 0, 0, ILD_TRANSPARENT);
  EXPECT_EQ(canvas.At(0, 0), kGreen);
  EXPECT_EQ(canvas.At(3, 1), kGreen);
  EXPECT_EQ(canvas.At(4, 0), kBlue);
  EXPECT_EQ(canvas.At(7, 1), kBlue);
  DeleteObject(mask);
  ImageList_Destroy(l);
}

TEST(ImageListHandles, SourceStillSelectedIntoADC) {
  // Callers often add a bitmap their canvas still holds.
  HIMAGELIST l = ImageList_Create(2, 2, ILC_COLOR24 | ILC_MASK, 1, 1);
  Surface image(2, 2);
  image.Fill(kBlue);
  ASSERT_EQ(ImageList_Add(l, image.bitmap(), nullptr), 0);
  Surface canvas(2, 2);
  ImageList_Draw(l, 0, canvas.dc(), 0, 0, ILD_NORMAL);
  EXPECT_EQ(canvas.At(1, 1), kBlue);
  ImageList_Destroy(l);
}

TEST(ImageListHandles, UnmaskedListsAndBadHandles) {
  HIMAGELIST plain = ImageList_Create(2, 2, ILC_COLOR24, 0, 4);
  Surface image(2, 2);
  image.Fill(kKey);
  ASSERT_EQ(ImageList_AddMasked(plain, image.Detach(), kKey), 0);
  Surface canvas(4, 4);
  canvas.Fill(kGreen);
  ImageList_Draw(plain, 0, canvas.dc(), 0, 0, ILD_TRANSPARENT);
  EXPECT_EQ(canvas.At(0, 0), kKey);  // without a mask everything is opaque
  EXPECT_EQ(ImageList_Add(plain, nullptr, nullptr), -1);
  ASSERT_TRUE(ImageList_Destroy(plain));
  // A destroyed or made-up handle fails every call.
  EXPECT_FALSE(ImageList_Destroy(plain));
  EXPECT_EQ(ImageList_GetImageCount(plain), 0);
  EXPECT_FALSE(ImageList_Draw(plain, 0, canvas.dc(), 0, 0, ILD_NORMAL));
  auto* bogus = reinterpret_cast<HIMAGELIST>(static_cast<std::uintptr_t>(0x1234));
  EXPECT_EQ(ImageList_Add(bogus, image.bitmap(), nullptr), -1);
  int cx, cy;
  EXPECT_FALSE(ImageList_GetIconSize(bogus, &cx, &cy));
}

}  // namespace
