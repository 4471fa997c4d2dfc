// The control gallery against its golden picture, pixel for pixel, with a
// few pixels its controls fix by rule checked by name first, so that a
// difference says which control moved. XVT_UPDATE_GOLDEN=1 rewrites the
// golden after a deliberate change.
#include <backend/headless.h>
#include <gtest/gtest.h>
#include <png.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "framework/application.h"
#include "gallery.h"
#include "panels/TB97Ctls.h"

namespace {

bool ReadRgb(const std::string& path, std::vector<unsigned char>& rgb, int& w, int& h) {
  png_image image{};
  image.version = PNG_IMAGE_VERSION;
  if (!png_image_begin_read_from_file(&image, path.c_str())) return false;
  image.format = PNG_FORMAT_RGB;
  w = static_cast<int>(image.width);
  h = static_cast<int>(image.height);
  rgb.resize(PNG_IMAGE_SIZE(image));
  return png_image_finish_read(&image, nullptr, rgb.data(), 0, nullptr) != 0;
}

COLORREF ClientPixel(TControl* c, int x, int y) {
  auto* host = c->Parent();
  HDC dc = GetDC(host->Handle());
  const COLORREF p = GetPixel(dc, c->Left() + x, c->Top() + y);
  ReleaseDC(host->Handle(), dc);
  return p;
}

TEST(ControlGallery, LooksLikeItsGoldenPicture) {
  headless::Start(800, 700);
  InitCommonControls();
  TOwned<gallery::TGalleryForm> form(new gallery::TGalleryForm(nullptr));
  form->ShowSections();

  auto* hot = dynamic_cast<TToolbarButton97*>(form->FindComponent("Button1"));
  auto* up = dynamic_cast<TToolbarButton97*>(form->FindComponent("Button0"));
  ASSERT_TRUE(hot && up);
  EXPECT_EQ(TToolbarButton97::HotButton(), hot);
  EXPECT_EQ(ClientPixel(hot, 0, 0), RGB(255, 255, 255)) << "the hot button's raised frame";
  EXPECT_EQ(ClientPixel(up, 0, 0), RGB(192, 192, 192)) << "an idle flat button has none";

  const std::string actual = (std::filesystem::current_path() / "gallery.actual.png").string();
  ASSERT_TRUE(headless::SaveWindow(form->Handle(), actual));
  std::vector<unsigned char> got;
  int w = 0, h = 0;
  ASSERT_TRUE(ReadRgb(actual, got, w, h));
  const std::string golden = std::string(XVT_SOURCE_DIR) + "/tests/tools/control-gallery/golden/gallery.png";
  if (std::getenv("XVT_UPDATE_GOLDEN")) {
    std::filesystem::copy_file(actual, golden, std::filesystem::copy_options::overwrite_existing);
    GTEST_SKIP() << "golden rewritten";
  }
  std::vector<unsigned char> want;
  int gw = 0, gh = 0;
  ASSERT_TRUE(ReadRgb(golden, want, gw, gh)) << golden;
  ASSERT_EQ(gw, w);
  ASSERT_EQ(gh, h);
  EXPECT_TRUE(got == want) << "differs from " << golden << "; see " << actual;
}

}  // namespace
