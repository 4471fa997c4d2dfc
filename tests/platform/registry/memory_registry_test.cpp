#include <gtest/gtest.h>

#include <pwd.h>
#include <unistd.h>

#include <cstdlib>

#include "registry/registry.h"

namespace {

using registry::MemoryRegistry;

TEST(MemoryRegistry, KeysAndValuesIgnoreCaseAndParentsExist) {
  MemoryRegistry reg;
  reg.SetString("Software\\Maker\\Game\\1.0\\", "Install Path", "C:\\Games\\XvT");
  reg.SetValue("Software\\Maker\\Game\\1.0", "Build", {4, std::string("\x2a\0\0\0", 4)});
  reg.AddKey("Software\\Empty");

  const auto key = reg.OpenKey("SOFTWARE\\maker\\GAME\\1.0");
  ASSERT_NE(key, 0u);
  EXPECT_EQ(reg.QueryValue(key, "install path")->data, "C:\\Games\\XvT");
  EXPECT_EQ(reg.QueryValue(key, "install path")->type, 1u);
  EXPECT_EQ(reg.QueryValue(key, "BUILD")->type, 4u);
  EXPECT_FALSE(reg.QueryValue(key, "Missing"));
  EXPECT_NE(reg.OpenKey("Software\\Maker"), 0u);
  EXPECT_NE(reg.OpenKey("software\\empty\\"), 0u);
  EXPECT_EQ(reg.OpenKey("Software\\Maker\\Gam"), 0u);
}

TEST(MemoryRegistry, SettingAgainReplacesTheValueWhateverItsCase) {
  MemoryRegistry reg;
  reg.SetString("Software\\Maker", "Name", "old");
  reg.SetString("software\\MAKER", "NAME", "new");
  const auto key = reg.OpenKey("Software\\Maker");
  EXPECT_EQ(reg.QueryValue(key, "Name")->data, "new");
}

TEST(MemoryRegistry, ClosedHandlesReadNothing) {
  MemoryRegistry reg;
  reg.SetString("Software\\Maker", "", "default");
  const auto key = reg.OpenKey("Software\\Maker");
  EXPECT_EQ(reg.QueryValue(key, "")->data, "default");
  reg.CloseKey(key);
  EXPECT_FALSE(reg.QueryValue(key, ""));
  EXPECT_FALSE(reg.QueryValue(0, ""));
  EXPECT_NE(reg.OpenKey("Software\\Maker"), key);  // handles are not reused
}

class WinePrefixTest : public ::testing::Test {
 protected:
  void SetUp() override {
    if (const char* v = std::getenv("WINEPREFIX")) savedPrefix_ = v;
    if (const char* v = std::getenv("HOME")) savedHome_ = v;
  }
  void TearDown() override {
    Restore("WINEPREFIX", savedPrefix_);
    Restore("HOME", savedHome_);
  }
  static void Restore(const char* name, const std::optional<std::string>& value) {
    if (value) {
      ::setenv(name, value->c_str(), 1);
    } else {
      ::unsetenv(name);
    }
  }

 private:
  std::optional<std::string> savedPrefix_, savedHome_;
};

TEST_F(WinePrefixTest, OptionThenEnvironmentThenHome) {
  ::setenv("HOME", "/home/pilot", 1);
  ::setenv("WINEPREFIX", "/games/prefix", 1);
  EXPECT_EQ(registry::WinePrefix("/from/option"), "/from/option");
  EXPECT_EQ(registry::WinePrefix(""), "/games/prefix");
  ::setenv("WINEPREFIX", "", 1);
  EXPECT_EQ(registry::WinePrefix(""), "/home/pilot/.wine");
  ::unsetenv("WINEPREFIX");
  EXPECT_EQ(registry::WinePrefix(""), "/home/pilot/.wine");
  ::unsetenv("HOME");
  const passwd* account = ::getpwuid(::getuid());
  ASSERT_NE(account, nullptr);
  EXPECT_EQ(registry::WinePrefix(""), std::filesystem::path(account->pw_dir) / ".wine");
}

}  // namespace
