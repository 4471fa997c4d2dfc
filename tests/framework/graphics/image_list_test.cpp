// Image lists: adding, masking and drawing checked pixel by pixel.
#include <gtest/gtest.h>

#include "framework/bitmap.h"
#include "framework/exceptions.h"
#include "framework/graphics.h"
#include "framework/image_list.h"

namespace {

// A strip of `count` 4 x 4 images: image i is filled with colours[i] and
// has a fuchsia (transparent) pixel at its top-left corner.
void Strip(TBitmap& bitmap, std::initializer_list<TColor> colours) {
  bitmap.SetSize(4 * static_cast<int>(colours.size()), 4);
  int i = 0;
  for (TColor c : colours) {
    bitmap.Canvas()->Brush()->SetColor(c);
    bitmap.Canvas()->FillRect(Rect(4 * i, 0, 4 * i + 4, 4));
    bitmap.Canvas()->SetPixel(4 * i, 0, clFuchsia);
    ++i;
  }
}

void Paper(TBitmap& target, TColor colour) {
  target.SetSize(10, 10);
  target.Canvas()->Brush()->SetColor(colour);
  target.Canvas()->FillRect(Rect(0, 0, 10, 10));
}

TEST(ImageList, StripsSplitIntoImagesAndDrawWithTheirMasks) {
  TImageList list(4, 4, nullptr);
  int changes = 0;
  list.OnChange = [&](TObject*) { ++changes; };
  TBitmap strip;
  Strip(strip, {clRed, clBlue});
  EXPECT_EQ(list.AddMasked(&strip, clFuchsia), 0);
  EXPECT_EQ(list.Count(), 2);
  EXPECT_EQ(changes, 1);
  EXPECT_EQ(strip.Canvas()->Pixel(0, 0), clFuchsia);  // the caller's bitmap is untouched

  TBitmap target;
  Paper(target, clWhite);
  list.Draw(target.Canvas(), 3, 2, 1);
  EXPECT_EQ(target.Canvas()->Pixel(3, 2), clWhite);  // masked corner
  EXPECT_EQ(target.Canvas()->Pixel(4, 2), clBlue);
  EXPECT_EQ(target.Canvas()->Pixel(6, 5), clBlue);
  EXPECT_EQ(target.Canvas()->Pixel(7, 5), clWhite);  // guard right of the image
  EXPECT_EQ(target.Canvas()->Pixel(6, 6), clWhite);  // and below it

  TBitmap one;
  list.GetBitmap(0, &one);
  EXPECT_EQ(one.Width(), 4);
  EXPECT_EQ(one.Canvas()->Pixel(2, 2), clRed);
}

TEST(ImageList, DisabledImagesAreEmbossedSilhouettes) {
  TImageList list(4, 4, nullptr);
  TBitmap strip;
  Strip(strip, {clRed});
  list.AddMasked(&strip, clFuchsia);
  TBitmap target;
  Paper(target, clWhite);
  list.Draw(target.Canvas(), 0, 0, 0, false);
  COLORREF shadow = ColorToRGB(clBtnShadow), highlight = ColorToRGB(clBtnHighlight);
  EXPECT_EQ(static_cast<COLORREF>(target.Canvas()->Pixel(1, 1)), shadow);
  EXPECT_EQ(static_cast<COLORREF>(target.Canvas()->Pixel(4, 4)), highlight);  // the offset pass
  EXPECT_EQ(target.Canvas()->Pixel(0, 0), clWhite);                            // masked pixel
  EXPECT_EQ(target.Canvas()->Pixel(5, 5), clWhite);
}

TEST(ImageList, UnmaskedAddDeleteClearAndBadInput) {
  TImageList list(4, 4, nullptr);
  TBitmap strip, mask;
  Strip(strip, {clRed, clLime, clBlue});
  EXPECT_EQ(list.Add(&strip, nullptr), 0);
  EXPECT_EQ(list.Count(), 3);
  list.Delete(1);
  ASSERT_EQ(list.Count(), 2);
  TBitmap second;
  list.GetBitmap(1, &second);
  EXPECT_EQ(second.Canvas()->Pixel(1, 1), clBlue);
  EXPECT_THROW(list.Delete(2), EInvalidOperation);
  TBitmap small;
  small.SetSize(2, 2);
  EXPECT_THROW(list.Add(&small, nullptr), EInvalidOperation);
  list.Clear();
  EXPECT_EQ(list.Count(), 0);
  list.Add(&strip, nullptr);
  list.SetWidth(8);  // a new size drops the images
  EXPECT_EQ(list.Count(), 0);
  EXPECT_EQ(list.Width(), 8);
}

}  // namespace
