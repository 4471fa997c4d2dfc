// The sample form against its golden picture, pixel for pixel.
#include <gtest/gtest.h>

#include <backend/headless.h>

#include <filesystem>
#include <string>

#include "golden.h"
#include "sample_form.h"

namespace {

TEST(SampleForm, LooksLikeItsGoldenPicture) {
  headless::Start(640, 480);
  InitCommonControls();
  sample_form::SampleForm form;
  const std::string file = (std::filesystem::current_path() / "sample_form.png").string();
  ASSERT_TRUE(form.SavePng(file.c_str()));
  testsupport::Image shot;
  ASSERT_TRUE(testsupport::ReadPng(file, shot));
  std::filesystem::remove(file);
  EXPECT_TRUE(testsupport::MatchesGolden(shot, testsupport::GoldenPath("framework/stdctrls/golden/sample_form.png")));
}

}  // namespace
