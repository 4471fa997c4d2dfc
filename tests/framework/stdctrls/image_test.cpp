// The picture control on a panel: where the picture lands (corner, centre,
// stretched), transparency, fitting the control to the picture, and a
// graphic class the control knows nothing about.
#include <gtest/gtest.h>

#include "control_fixture.h"
#include "framework/image.h"
#include "framework/stream.h"
#include "shot.h"

namespace stdctrls_test {
namespace {

// A graphic of its own class that fills what it is given with one colour,
// standing for the classes registered from above the framework.
class TSwatch : public TGraphic {
 public:
  TColor color = clNone;
  int width = 0, height = 0;
  int draws = 0;
  void Assign(TPersistent* source) override {
    auto* other = dynamic_cast<TSwatch*>(source);
    if (!other) return TGraphic::Assign(source);
    color = other->color;
    width = other->width;
    height = other->height;
  }
  void Draw(TCanvas* canvas, const TRect& rect) override {
    ++draws;
    HBRUSH brush = CreateSolidBrush(ColorToRGB(color));
    FillRect(canvas->Handle(), &rect, brush);
    DeleteObject(brush);
  }
  bool GetEmpty() override { return width == 0 || height == 0; }
  int GetHeight() override { return height; }
  int GetWidth() override { return width; }
  void SetHeight(int h) override { height = h; }
  void SetWidth(int w) override { width = w; }
  void LoadFromStream(TStream*) override {}
  void SaveToStream(TStream*) override {}
};

class ImageTest : public ControlTest {
 protected:
  void SetUp() override {
    ControlTest::SetUp();
    root->SetColor(clBtnFace);
    image = Make<TImage>(10, 10);
  }
  COLORREF At(int x, int y) {
    HWND h = root->Handle();
    RedrawWindow(h, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    HDC dc = GetDC(h);
    COLORREF c = GetPixel(dc, x, y);
    ReleaseDC(h, dc);
    return c;
  }
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

TEST_F(ImageTest, AnyRegisteredGraphicClassIsDrawnThroughItsOwnDraw) {
  TPicture::RegisterFileFormat("swatch", "Swatches", &MakeGraphic<TSwatch>);
  TSwatch swatch;
  swatch.color = clNavy;
  swatch.width = 8;
  swatch.height = 6;
  image->SetStretch(true);
  image->SetBounds(10, 10, 40, 30);
  image->Picture()->SetGraphic(&swatch);
  ASSERT_NE(dynamic_cast<TSwatch*>(image->Picture()->Graphic()), nullptr) << "a copy of its own class";
  EXPECT_EQ(At(10, 10), RGB(0, 0, 128));
  EXPECT_EQ(At(49, 39), RGB(0, 0, 128));
  EXPECT_EQ(At(50, 39), face);
  EXPECT_GT(static_cast<TSwatch*>(image->Picture()->Graphic())->draws, 0);
  TPicture::UnregisterGraphicClass(&MakeGraphic<TSwatch>);
}

}  // namespace
}  // namespace stdctrls_test
