// PNG snapshots: a sheet of classic controls, written and read back.
#include "gdi_fixture.h"

#include <win32/xvt_snapshot.h>

#include <png.h>

#include <cstdio>
#include <filesystem>
#include <string>

using gdi_test::Canvas;

namespace {

// Draws raised and sunken edges, a pressed button, a focus rectangle and a
// menu arrow on a button-face sheet: what a person checks by eye.
void DrawSheet(HDC dc) {
  RECT all{0, 0, 160, 60};
  FillRect(dc, &all, GetSysColorBrush(COLOR_BTNFACE));
  RECT b1{8, 8, 48, 32};
  DrawEdge(dc, &b1, EDGE_RAISED, BF_RECT | BF_SOFT | BF_MIDDLE);
  RECT b2{56, 8, 96, 32};
  DrawEdge(dc, &b2, EDGE_SUNKEN, BF_RECT | BF_ADJUST);
  FillRect(dc, &b2, GetSysColorBrush(COLOR_WINDOW));
  RECT b3{104, 8, 144, 32};
  DrawEdge(dc, &b3, EDGE_ETCHED, BF_RECT);
  RECT focus{12, 12, 44, 28};
  DrawFocusRect(dc, &focus);
  SelectObject(dc, GetStockObject(BLACK_BRUSH));
  const POINT arrow[3] = {{20, 40}, {20, 52}, {26, 46}};
  Polygon(dc, arrow, 3);
  RECT flat{40, 40, 100, 54};
  DrawEdge(dc, &flat, BDR_SUNKENOUTER, BF_RECT);
}

}  // namespace

TEST(Snapshot, WritesAReadablePngOfWhatWasDrawn) {
  Canvas c(160, 60);
  DrawSheet(c.dc);
  const std::string path = (std::filesystem::temp_directory_path() / "xvt_gdi_sheet.png").string();
  ASSERT_TRUE(xvtSaveDCPng(c.dc, path.c_str()));
  png_image img{};
  img.version = PNG_IMAGE_VERSION;
  ASSERT_TRUE(png_image_begin_read_from_file(&img, path.c_str()));
  img.format = PNG_FORMAT_RGB;
  std::vector<png_byte> px(PNG_IMAGE_SIZE(img));
  ASSERT_TRUE(png_image_finish_read(&img, nullptr, px.data(), 0, nullptr));
  EXPECT_EQ(img.width, 160u);
  EXPECT_EQ(img.height, 60u);
  // The soft raised button's top-left pixel is white; the face is grey.
  EXPECT_EQ(px[(8 * 160 + 8) * 3], 255);
  EXPECT_EQ(px[(20 * 160 + 30) * 3], 192);
  EXPECT_EQ(px[(20 * 160 + 30) * 3 + 2], 192);
  ASSERT_TRUE(xvtSaveBitmapPng(c.bitmap, path.c_str()));
  EXPECT_FALSE(xvtSaveBitmapPng(nullptr, path.c_str()));
  EXPECT_FALSE(xvtSaveDCPng(c.dc, "/nonexistent-dir/x.png"));
  if (const char* keep = std::getenv("XVT_KEEP_SNAPSHOTS")) {
    DrawSheet(c.dc);
    xvtSaveDCPng(c.dc, keep);
  }
  std::filesystem::remove(path);
}
