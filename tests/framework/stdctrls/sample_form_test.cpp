// The sample form against its golden picture, pixel for pixel. Set
// XVT_UPDATE_GOLDEN=1 to rewrite the golden after a deliberate change; on a
// mismatch the actual picture is left in the working directory.
#include <gtest/gtest.h>
#include <png.h>

#include <backend/headless.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "sample_form.h"

namespace {

struct Picture {
  int width = 0, height = 0;
  std::vector<unsigned char> rgb;
};

bool Read(const std::string& path, Picture& out) {
  png_image image{};
  image.version = PNG_IMAGE_VERSION;
  if (!png_image_begin_read_from_file(&image, path.c_str())) return false;
  image.format = PNG_FORMAT_RGB;
  out.width = static_cast<int>(image.width);
  out.height = static_cast<int>(image.height);
  out.rgb.resize(PNG_IMAGE_SIZE(image));
  return png_image_finish_read(&image, nullptr, out.rgb.data(), 0, nullptr) != 0;
}

TEST(SampleForm, LooksLikeItsGoldenPicture) {
  headless::Start(640, 480);
  InitCommonControls();
  sample_form::SampleForm form;
  std::string golden = std::string(XVT_SOURCE_DIR) + "/tests/framework/stdctrls/golden/sample_form.png";
  if (const char* update = std::getenv("XVT_UPDATE_GOLDEN"); update && *update == '1') {
    ASSERT_TRUE(form.SavePng(golden.c_str()));
    GTEST_SKIP() << "golden rewritten";
  }
  std::string actual = (std::filesystem::current_path() / "sample_form.actual.png").string();
  ASSERT_TRUE(form.SavePng(actual.c_str()));
  Picture want, got;
  ASSERT_TRUE(Read(golden, want)) << golden;
  ASSERT_TRUE(Read(actual, got));
  ASSERT_EQ(got.width, want.width);
  ASSERT_EQ(got.height, want.height);
  size_t differing = 0;
  for (size_t i = 0; i < got.rgb.size(); ++i) differing += got.rgb[i] != want.rgb[i];
  EXPECT_EQ(differing, 0u) << "see " << actual;
  if (differing == 0) std::filesystem::remove(actual);
}

}  // namespace
