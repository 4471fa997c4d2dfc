#include "catalogue/start_prefix.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

namespace catalogue {
namespace {

namespace fs = std::filesystem;

class StartupPrefixTest : public ::testing::Test {
 protected:
  fs::path root;
  void SetUp() override {
    root = fs::temp_directory_path() / ("xvtinst-ui-" + std::to_string(::getpid()));
    fs::remove_all(root);
    fs::create_directories(root / "scratch");
  }
  void TearDown() override { fs::remove_all(root); }
  fs::path Demo() const { return fs::path(XVT_SOURCE_DIR) / "examples" / "demo-prefix"; }
};

TEST_F(StartupPrefixTest, AnEmptyPrefixStartsOnAScratchCopyAndSaysSo) {
  std::ostringstream err;
  StartPrefix p = ChooseStartPrefix(root / "nothing", Demo(), root / "scratch", err);
  EXPECT_TRUE(p.scratch);
  EXPECT_TRUE(fs::exists(p.prefix / "system.reg"));
  // The drive link stays a link, so the copy's files are its own.
  EXPECT_TRUE(fs::is_symlink(p.prefix / "dosdevices" / "c:"));
  EXPECT_TRUE(PrefixHasGames(p.prefix, err));
  EXPECT_NE(err.str().find(p.prefix.string()), std::string::npos);
}

TEST_F(StartupPrefixTest, APrefixWithAGameIsUsedAsItIs) {
  fs::path user = root / "user";
  fs::create_directories(user);
  std::ofstream(user / "system.reg")
      << "WINE REGISTRY Version 2\n\n[Software\\\\LucasArts Entertainment Company\\\\X-Wing vs. TIE Fighter\\\\2.0]\n"
         "\"Install Path\"=\"C:\\\\BoP\"\n";
  std::ostringstream err;
  StartPrefix p = ChooseStartPrefix(user, Demo(), root / "scratch", err);
  EXPECT_FALSE(p.scratch);
  EXPECT_EQ(p.prefix, user);
  EXPECT_TRUE(err.str().empty());
}

}  // namespace
}  // namespace catalogue
