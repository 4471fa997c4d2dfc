// The picture control on a panel: where the picture lands (corner, centre,
// stretched), transparency, fitting the control to the picture, and the
// GIF image, a graphic class the control knows nothing about.
#include "display/RxGIF.h"
#include <gtest/gtest.h>

#include "control_fixture.h"
#include "framework/image.h"
#include "painted.h"

namespace stdctrls_test {
namespace {

class ImageTest : public ControlTest {
 protected:
  void SetUp() override {
    ControlTest::SetUp();
    root->SetColor(clBtnFace);
    image = Make<TImage>(10, 10);
  }
  COLORREF At(int x, int y) { return PaintedPixel(root->Handle(), x, y); }
  // Four 5 x 5 quarters: red, lime / blue, white (bottom-left is blue).
  static void Quarters(TBitmap& b) {
    b.SetSize(10, 10);
    const TColor colours[4] = {clRed, clLime, clBlue, clWhite};
    for (int i = 0; i < 4; ++i) {
      b.Canvas()->Brush()->SetColor(colours[i]);
      b.Canvas()->FillRect(Bounds((i % 2) * 5, (i / 2) * 5, 5, 5));
    }
  }
  TImage* image = nullptr;
  const COLORREF face = ColorToRGB(clBtnFace);
};

TEST_F(ImageTest, ThePictureSitsInTheCornerInTheMiddleOrStretchedOverTheControl) {
  EXPECT_EQ(image->Width(), 105);
  EXPECT_EQ(image->Height(), 105);
  TBitmap b;
  Quarters(b);
  image->Picture()->SetBitmap(&b);
  EXPECT_EQ(At(10, 10), RGB(255, 0, 0));
  EXPECT_EQ(At(19, 19), RGB(255, 255, 255));
  EXPECT_EQ(At(20, 20), face) << "the rest of the control shows the parent";

  image->SetCenter(true);
  // (105 - 10) / 2 = 47 from the control's left and top.
  EXPECT_EQ(image->DestRect().left, 47);
  EXPECT_EQ(At(10 + 47, 10 + 47), RGB(255, 0, 0));
  EXPECT_EQ(At(10 + 46, 10 + 47), face);
  EXPECT_EQ(At(10 + 56, 10 + 56), RGB(255, 255, 255));
  EXPECT_EQ(At(10 + 57, 10 + 56), face);
  EXPECT_EQ(At(10, 10), face);
  SaveShot(root->Handle(), TRect{0, 0, 125, 125}, "image_centred", 3);

  image->SetStretch(true);  // stretching wins over centring
  image->SetBounds(10, 10, 100, 60);
  EXPECT_EQ(At(10, 10), RGB(255, 0, 0));
  EXPECT_EQ(At(10 + 49, 10 + 29), RGB(255, 0, 0));
  EXPECT_EQ(At(10 + 50, 10 + 29), RGB(0, 255, 0));
  EXPECT_EQ(At(10 + 49, 10 + 30), RGB(0, 0, 255));
  EXPECT_EQ(At(10 + 99, 10 + 59), RGB(255, 255, 255));
  EXPECT_EQ(At(10 + 100, 10 + 59), face);
  SaveShot(root->Handle(), TRect{0, 0, 125, 125}, "image_stretched", 3);
}

TEST_F(ImageTest, TransparentLetsTheParentThroughWhereTheBottomLeftColourIs) {
  TBitmap b;
  Quarters(b);
  image->Picture()->SetBitmap(&b);
  image->SetTransparent(true);
  EXPECT_TRUE(image->Picture()->Graphic()->Transparent());
  EXPECT_EQ(At(12, 17), face) << "the blue quarter";
  EXPECT_EQ(At(12, 12), RGB(255, 0, 0));
  SaveShot(root->Handle(), TRect{0, 0, 30, 30}, "image_transparent");
  image->SetTransparent(false);
  EXPECT_EQ(At(12, 17), RGB(0, 0, 255));
  // A picture covering the whole control spares the parent's painting.
  image->SetStretch(true);
  EXPECT_TRUE(image->ControlStyle().Contains(csOpaque));
  image->SetTransparent(true);
  EXPECT_FALSE(image->ControlStyle().Contains(csOpaque));
}

TEST_F(ImageTest, AutoSizeFitsTheControlToEachNewPicture) {
  TBitmap b;
  b.SetSize(30, 20);
  image->SetAutoSize(true);
  image->Picture()->SetBitmap(&b);
  EXPECT_EQ(image->Width(), 30);
  EXPECT_EQ(image->Height(), 20);
  b.SetSize(12, 40);
  image->Picture()->SetBitmap(&b);
  EXPECT_EQ(image->Width(), 12);
  EXPECT_EQ(image->Height(), 40);
  image->Picture()->SetGraphic(nullptr);
  EXPECT_EQ(image->Width(), 12) << "an empty picture keeps the size";
  EXPECT_EQ(At(15, 15), face);
}

// The one graphic class of the program beyond bitmaps, which the control
// reaches only through TPicture.
TEST_F(ImageTest, AGifPictureIsCopiedAsAGifAndDrawnStretched) {
  TBitmap b;
  Quarters(b);
  TGIFImage gif;
  gif.Assign(&b);
  image->SetStretch(true);
  image->SetBounds(10, 10, 40, 20);
  image->Picture()->SetGraphic(&gif);
  ASSERT_NE(dynamic_cast<TGIFImage*>(image->Picture()->Graphic()), nullptr);
  EXPECT_EQ(At(10, 10), RGB(255, 0, 0));
  EXPECT_EQ(At(29, 19), RGB(255, 0, 0));
  EXPECT_EQ(At(30, 10), RGB(0, 255, 0));
  EXPECT_EQ(At(49, 29), RGB(255, 255, 255));
  EXPECT_EQ(At(50, 29), face);
}

}  // namespace
}  // namespace stdctrls_test
