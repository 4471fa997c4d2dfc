#include <gtest/gtest.h>

#include "framework/bitmap.h"
#include "framework/exceptions.h"

namespace {

// A 20x20 white true-colour bitmap to draw on.
class CanvasTest : public ::testing::Test {
 protected:
  void SetUp() override {
    bitmap.SetPixelFormat(pf24bit);
    bitmap.SetSize(20, 20);
    canvas = bitmap.Canvas();
  }
  int CountOf(TColor color) {
    int n = 0;
    for (int y = 0; y < 20; ++y)
      for (int x = 0; x < 20; ++x) n += canvas->Pixel(x, y) == color;
    return n;
  }
  TBitmap bitmap;
  TCanvas* canvas = nullptr;
};

}  // namespace

TEST_F(CanvasTest, NewBitmapIsWhite) { EXPECT_EQ(CountOf(clWhite), 400); }

TEST_F(CanvasTest, RectangleUsesPenForTheFrameAndBrushInside) {
  canvas->Pen()->SetColor(clRed);
  canvas->Brush()->SetColor(clBlue);
  canvas->Rectangle(2, 2, 10, 10);
  EXPECT_EQ(canvas->Pixel(2, 2), clRed);
  EXPECT_EQ(canvas->Pixel(9, 9), clRed);
  EXPECT_EQ(canvas->Pixel(5, 5), clBlue);
  EXPECT_EQ(canvas->Pixel(10, 10), clWhite);  // right and bottom are exclusive
}

TEST_F(CanvasTest, ChangedAttributesAreSelectedAgainBeforeTheNextCall) {
  canvas->Brush()->SetColor(clRed);
  canvas->FillRect(Rect(0, 0, 5, 5));
  canvas->Brush()->SetColor(clLime);
  canvas->FillRect(Rect(5, 0, 10, 5));
  canvas->Brush()->SetColor(clBtnFace);  // a system colour, resolved
  canvas->FillRect(Rect(10, 0, 15, 5));
  EXPECT_EQ(canvas->Pixel(2, 2), clRed);
  EXPECT_EQ(canvas->Pixel(7, 2), clLime);
  EXPECT_EQ(canvas->Pixel(12, 2), clSilver);
}

TEST_F(CanvasTest, ClearBrushLeavesTheInsideAndFrameRectDrawsOnlyTheBorder) {
  canvas->Brush()->SetStyle(bsClear);
  canvas->Rectangle(0, 0, 10, 10);
  EXPECT_EQ(canvas->Pixel(5, 5), clWhite);
  EXPECT_EQ(canvas->Pixel(0, 5), clBlack);
  canvas->Brush()->SetColor(clGreen);
  canvas->FrameRect(Rect(10, 10, 20, 20));
  EXPECT_EQ(canvas->Pixel(10, 15), clGreen);
  EXPECT_EQ(canvas->Pixel(15, 15), clWhite);
}

TEST_F(CanvasTest, HatchedBrushPaintsLinesOverTheBackground) {
  canvas->Brush()->SetColor(clRed);
  canvas->Brush()->SetStyle(bsHorizontal);
  canvas->FillRect(Rect(0, 0, 20, 20));
  const int red = CountOf(clRed);
  EXPECT_GT(red, 0);
  EXPECT_LT(red, 400);  // hatches leave the white between them
}

TEST_F(CanvasTest, PatternBitmapBrushTilesTheBitmap) {
  TBitmap pattern;
  pattern.SetPixelFormat(pf24bit);
  pattern.SetSize(8, 8);
  pattern.Canvas()->Brush()->SetColor(clNavy);
  pattern.Canvas()->FillRect(Rect(0, 0, 4, 8));
  canvas->Brush()->SetBitmap(&pattern);
  canvas->FillRect(Rect(0, 0, 16, 4));
  EXPECT_EQ(canvas->Pixel(1, 1), clNavy);
  EXPECT_EQ(canvas->Pixel(5, 1), clWhite);
  EXPECT_EQ(canvas->Pixel(9, 1), clNavy);
  canvas->Brush()->SetBitmap(nullptr);
}

TEST_F(CanvasTest, LinesPolygonAndPolyline) {
  canvas->Pen()->SetColor(clBlue);
  canvas->MoveTo(0, 0);
  canvas->LineTo(10, 0);
  EXPECT_EQ(canvas->Pixel(9, 0), clBlue);
  EXPECT_EQ(canvas->Pixel(10, 0), clWhite);  // the end point is not drawn
  EXPECT_EQ(canvas->PenPos().x, 10);
  const TPoint tri[] = {{2, 5}, {18, 5}, {10, 18}};
  canvas->Brush()->SetColor(clYellow);
  canvas->Polygon(tri, 3);
  EXPECT_EQ(canvas->Pixel(10, 9), clYellow);
  const TPoint line[] = {{0, 19}, {19, 19}};
  canvas->Polyline(line, 2);
  EXPECT_EQ(canvas->Pixel(5, 19), clBlue);
}

TEST_F(CanvasTest, PixelsReadBackWhatWasSet) {
  canvas->SetPixel(3, 4, clMaroon);
  canvas->SetPixel(4, 4, clHighlight);
  EXPECT_EQ(canvas->Pixel(3, 4), clMaroon);
  EXPECT_EQ(canvas->Pixel(4, 4), clNavy);
}

TEST_F(CanvasTest, TextUsesTheFontColourAndMeasuresWithItsStyle) {
  canvas->Font()->SetColor(clRed);
  canvas->Brush()->SetStyle(bsClear);
  canvas->TextOut(1, 1, "WW");
  EXPECT_GT(CountOf(clRed), 10);
  EXPECT_EQ(CountOf(clBlack), 0);
  const int plain = canvas->TextWidth("Wide text");
  EXPECT_GT(plain, 20);
  EXPECT_EQ(canvas->TextHeight("x"), 13);  // 8 points at 96 dpi
  canvas->Font()->SetStyle(TFontStyles{fsBold});
  EXPECT_GT(canvas->TextWidth("Wide text"), plain);
  EXPECT_EQ(canvas->TextExtent("").cx, 0);
}

TEST_F(CanvasTest, TextRectClipsAndFillsTheRectangle) {
  canvas->Brush()->SetColor(clAqua);
  canvas->Font()->SetColor(clBlack);
  canvas->TextRect(Rect(0, 0, 6, 20), 0, 0, "MMMMMMMM");
  EXPECT_EQ(canvas->Pixel(5, 19), clAqua);  // background below the text
  for (int y = 0; y < 20; ++y)
    for (int x = 6; x < 20; ++x) ASSERT_EQ(canvas->Pixel(x, y), clWhite) << x << "," << y;
}

TEST_F(CanvasTest, DrawingAnnouncesChangesToCanvasAndBitmap) {
  int canvasChanges = 0, bitmapChanges = 0;
  canvas->OnChange = [&](TObject*) { ++canvasChanges; };
  bitmap.OnChange = [&](TObject*) { ++bitmapChanges; };
  canvas->FillRect(Rect(0, 0, 2, 2));
  canvas->LineTo(5, 5);
  canvas->TextWidth("measure only");
  EXPECT_EQ(canvasChanges, 2);
  EXPECT_EQ(bitmapChanges, 2);
  EXPECT_TRUE(bitmap.Modified());
}

TEST_F(CanvasTest, CopyRectHonoursCopyMode) {
  TBitmap source;
  source.SetPixelFormat(pf24bit);
  source.SetSize(4, 4);
  source.Canvas()->Brush()->SetColor(clRed);
  source.Canvas()->FillRect(Rect(0, 0, 4, 4));
  canvas->CopyRect(Rect(0, 0, 8, 8), source.Canvas(), Rect(0, 0, 4, 4));
  EXPECT_EQ(canvas->Pixel(7, 7), clRed);
  EXPECT_EQ(canvas->Pixel(8, 8), clWhite);
  canvas->SetCopyMode(SRCINVERT);
  canvas->CopyRect(Rect(0, 0, 4, 4), source.Canvas(), Rect(0, 0, 4, 4));
  EXPECT_EQ(canvas->Pixel(1, 1), clBlack);  // red xor red
}

TEST_F(CanvasTest, BrushCopyPaintsTheKeyColourWithTheBrush) {
  TBitmap source;
  source.SetPixelFormat(pf24bit);
  source.SetSize(4, 4);
  source.Canvas()->Brush()->SetColor(clLime);
  source.Canvas()->FillRect(Rect(0, 0, 2, 4));  // left half lime, right half white
  canvas->Brush()->SetColor(clPurple);
  canvas->BrushCopy(Rect(0, 0, 4, 4), &source, Rect(0, 0, 4, 4), clWhite);
  EXPECT_EQ(canvas->Pixel(0, 0), clLime);
  EXPECT_EQ(canvas->Pixel(3, 3), clPurple);
  EXPECT_EQ(canvas->Pixel(4, 4), clWhite);
}

TEST(Canvas, WithoutAContextDrawingFails) {
  TCanvas canvas;
  EXPECT_FALSE(canvas.HandleAllocated());
  EXPECT_THROW(canvas.FillRect(Rect(0, 0, 1, 1)), EInvalidOperation);
}

TEST(Canvas, DrawsOnAContextItDoesNotOwn) {
  HDC dc = CreateCompatibleDC(nullptr);
  HBITMAP bm = CreateBitmap(4, 4, 1, 32, nullptr);
  HGDIOBJ old = SelectObject(dc, bm);
  {
    TCanvas canvas;
    canvas.SetHandle(dc);
    canvas.Brush()->SetColor(clTeal);
    canvas.FillRect(Rect(0, 0, 4, 4));
  }
  EXPECT_EQ(GetPixel(dc, 2, 2), static_cast<COLORREF>(clTeal));
  // The canvas put back what it found selected.
  EXPECT_EQ(GetCurrentObject(dc, OBJ_BRUSH), GetStockObject(WHITE_BRUSH));
  SelectObject(dc, old);
  DeleteObject(bm);
  DeleteDC(dc);
}
