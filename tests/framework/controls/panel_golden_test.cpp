// A small form of panels against its golden picture, pixel for pixel, and
// the bevel colours the panel draws. XVT_UPDATE_GOLDEN=1 rewrites the
// golden after a deliberate change.
#include <backend/headless.h>
#include <gtest/gtest.h>
#include <png.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "framework/application.h"
#include "framework/forms.h"
#include "framework/panel.h"

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

TPanel* AddPanel(TWinControl* parent, TAlign align, int size, const char* caption) {
  auto* p = new TPanel(parent);
  p->SetParent(parent);
  p->SetBounds(0, 0, size, size);
  p->SetAlign(align);
  p->SetCaption(caption);
  return p;
}

TEST(PanelGolden, FormOfPanelsLooksLikeItsGoldenPicture) {
  headless::Start(400, 300);
  TOwned<TForm> form(new TForm(nullptr));
  form->SetBorderStyle(bsNone);
  form->SetBounds(20, 20, 200, 120);
  AddPanel(form.get(), alTop, 28, "Top");
  TPanel* side = AddPanel(form.get(), alLeft, 50, "");
  side->SetBevelOuter(bvLowered);
  TPanel* body = AddPanel(form.get(), alClient, 0, "Body");
  body->SetBevelInner(bvLowered);
  body->SetBorderWidth(2);
  TPanel* inner = AddPanel(body, alBottom, 20, "");
  inner->SetColor(clWhite);
  inner->SetBevelOuter(bvNone);
  form->Show();
  Application->ProcessMessages();

  // Raised outer bevel: white top-left, grey bottom-right; lowered the other way.
  const std::string actual = (std::filesystem::current_path() / "panels.actual.png").string();
  ASSERT_TRUE(headless::SaveWindow(form->Handle(), actual));
  std::vector<unsigned char> got;
  int w = 0, h = 0;
  ASSERT_TRUE(ReadRgb(actual, got, w, h));
  ASSERT_EQ(w, 200);
  auto at = [&](int x, int y) {
    const size_t i = (static_cast<size_t>(y) * w + x) * 3;
    return RGB(got[i], got[i + 1], got[i + 2]);
  };
  EXPECT_EQ(at(0, 0), RGB(255, 255, 255));
  EXPECT_EQ(at(199, 27), RGB(128, 128, 128));
  EXPECT_EQ(at(0, 28), RGB(128, 128, 128)) << "the lowered side panel's top-left";
  EXPECT_EQ(at(49, 119), RGB(255, 255, 255));
  EXPECT_EQ(at(100, 110), RGB(255, 255, 255)) << "the white panel docked at the body's bottom";

  const std::string golden = std::string(XVT_SOURCE_DIR) + "/tests/framework/controls/golden/panels.png";
  if (std::getenv("XVT_UPDATE_GOLDEN")) {
    std::filesystem::create_directories(std::filesystem::path(golden).parent_path());
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
