#include <gtest/gtest.h>

#include <pwd.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <optional>
#include <string>

#include "registry/registry.h"

namespace {

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
