#include <gtest/gtest.h>

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

}  // namespace
