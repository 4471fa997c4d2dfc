// The picture control showing the program's one graphic class beyond
// bitmaps, the GIF image, which the control reaches only through TPicture.
#include <RxGIF.h>
#include <gtest/gtest.h>

#include "control_fixture.h"
#include "framework/image.h"

namespace stdctrls_test {
namespace {

class ImageGifTest : public ControlTest {};

TEST_F(ImageGifTest, AGifPictureIsCopiedAsAGifAndDrawnStretched) {
  root->SetColor(clBtnFace);
  TBitmap b;
  b.SetSize(4, 2);
  b.Canvas()->Brush()->SetColor(clRed);
  b.Canvas()->FillRect(TRect{0, 0, 2, 2});
  b.Canvas()->Brush()->SetColor(clBlue);
  b.Canvas()->FillRect(TRect{2, 0, 4, 2});
  TGIFImage gif;
  gif.Assign(&b);
  ASSERT_EQ(gif.Width(), 4);
  auto* image = Make<TImage>(10, 10);
  image->SetStretch(true);
  image->SetBounds(10, 10, 40, 20);
  image->Picture()->SetGraphic(&gif);
  ASSERT_NE(dynamic_cast<TGIFImage*>(image->Picture()->Graphic()), nullptr);
  HWND h = root->Handle();
  RedrawWindow(h, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
  HDC dc = GetDC(h);
  EXPECT_EQ(GetPixel(dc, 10, 10), RGB(255, 0, 0));
  EXPECT_EQ(GetPixel(dc, 29, 29), RGB(255, 0, 0));
  EXPECT_EQ(GetPixel(dc, 30, 10), RGB(0, 0, 255));
  EXPECT_EQ(GetPixel(dc, 49, 29), RGB(0, 0, 255));
  EXPECT_EQ(GetPixel(dc, 50, 29), ColorToRGB(clBtnFace));
  ReleaseDC(h, dc);
}

}  // namespace
}  // namespace stdctrls_test
