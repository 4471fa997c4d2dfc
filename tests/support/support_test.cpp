// The test helpers themselves: a golden comparison that can fail, its
// update rule, and the pixel questions.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "golden.h"
#include "pixels.h"

namespace {

namespace fs = std::filesystem;
using testsupport::Image;
using testsupport::Rgb;

class GoldenTest : public ::testing::Test {
 protected:
  void SetUp() override {
    unsetenv("XVT_UPDATE_GOLDEN");
    picture.At(1, 2) = Rgb(255, 0, 0);
    ASSERT_TRUE(testsupport::WritePng(golden, picture));
  }
  void TearDown() override {
    unsetenv("XVT_UPDATE_GOLDEN");
    fs::remove(golden);
    fs::remove("support_golden.actual.png");
  }
  Image picture{4, 3, Rgb(10, 20, 30)};
  const std::string golden = (fs::current_path() / "support_golden.png").string();
};

TEST_F(GoldenTest, PngRoundTripKeepsEveryPixel) {
  Image back;
  ASSERT_TRUE(testsupport::ReadPng(golden, back));
  EXPECT_EQ(back.width, 4);
  EXPECT_EQ(back.height, 3);
  EXPECT_EQ(back.pixels, picture.pixels);
  EXPECT_FALSE(testsupport::ReadPng(golden + ".missing", back));
}

TEST_F(GoldenTest, OnePixelOffFailsAndSaysWhere) {
  EXPECT_TRUE(testsupport::MatchesGolden(picture, golden));
  Image changed = picture;
  changed.At(3, 1) = Rgb(0, 0, 0);
  const ::testing::AssertionResult result = testsupport::MatchesGolden(changed, golden);
  EXPECT_FALSE(result);
  EXPECT_NE(std::string(result.message()).find("1 pixels differ, the first at (3,1)"), std::string::npos)
      << result.message();
  EXPECT_TRUE(fs::exists("support_golden.actual.png")) << "the actual picture is left to look at";
  EXPECT_FALSE(testsupport::MatchesGolden(Image(4, 4, Rgb(10, 20, 30)), golden)) << "a size change fails";
}

TEST_F(GoldenTest, UpdateRuleIsTheVariableSetToOne) {
  Image changed = picture;
  changed.At(0, 0) = Rgb(1, 2, 3);
  setenv("XVT_UPDATE_GOLDEN", "0", 1);
  EXPECT_FALSE(testsupport::MatchesGolden(changed, golden)) << "any other value compares";
  setenv("XVT_UPDATE_GOLDEN", "1", 1);
  EXPECT_TRUE(testsupport::MatchesGolden(changed, golden));
  unsetenv("XVT_UPDATE_GOLDEN");
  EXPECT_TRUE(testsupport::MatchesGolden(changed, golden)) << "the golden was rewritten";
}

TEST(Pixels, CountsBoundsAndChangesOutsideAnArea) {
  Image before(10, 8, Rgb(0, 0, 0));
  Image after = before;
  after.At(3, 2) = after.At(5, 4) = Rgb(255, 255, 255);
  EXPECT_EQ(testsupport::CountOf(after, Rgb(255, 255, 255)), 2);
  const testsupport::Area box = testsupport::BoundsOf(after, Rgb(255, 255, 255));
  EXPECT_EQ(box.left, 3);
  EXPECT_EQ(box.top, 2);
  EXPECT_EQ(box.right, 6);
  EXPECT_EQ(box.bottom, 5);
  EXPECT_EQ(testsupport::BoundsOf(after, Rgb(1, 1, 1)).right, 0);
  EXPECT_TRUE(testsupport::UnchangedOutside(before, after, box));
  EXPECT_FALSE(testsupport::UnchangedOutside(before, after, testsupport::Area{3, 2, 5, 4}))
      << "(5,4) lies outside: right and bottom are exclusive";
}

}  // namespace
