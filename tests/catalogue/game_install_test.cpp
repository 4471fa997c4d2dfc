#include "catalogue/game_install.h"

#include <gtest/gtest.h>

#include "registry/registry.h"

namespace catalogue {
namespace {

using registry::MemoryRegistry;
using registry::Value;
using registry::ValueType;

TEST(InstallPaths, BothGamesPresent) {
  MemoryRegistry reg;
  reg.SetString(kXvTKey, kInstallPathValue, "C:\\Games\\XvT");
  reg.SetString(kBoPKey, kInstallPathValue, "C:\\Games\\XvT\\BalanceOfPower");
  GameInstalls g = ReadInstallPaths(reg);
  EXPECT_EQ(g.xvt.path, "C:\\Games\\XvT");
  EXPECT_TRUE(g.xvt.present);
  EXPECT_EQ(g.bop.path, "C:\\Games\\XvT\\BalanceOfPower");
  EXPECT_TRUE(g.bop.present);
}

TEST(InstallPaths, MissingKeyValueOrEmptyIsNotInstalled) {
  MemoryRegistry reg;
  reg.AddKey(kXvTKey);                            // key without the value
  reg.SetString(kBoPKey, kInstallPathValue, "");  // empty value
  GameInstalls g = ReadInstallPaths(reg);
  EXPECT_EQ(g.xvt.path, "Not Installed!");
  EXPECT_FALSE(g.xvt.present);
  EXPECT_EQ(g.bop.path, "Not Installed!");
  EXPECT_FALSE(g.bop.present);
  MemoryRegistry none;
  EXPECT_FALSE(ReadInstallPaths(none).xvt.present);
}

TEST(InstallPaths, OnlyBoPInstalled) {
  MemoryRegistry reg;
  reg.SetString(kBoPKey, kInstallPathValue, "D:\\BoP");
  GameInstalls g = ReadInstallPaths(reg);
  EXPECT_FALSE(g.xvt.present);
  EXPECT_EQ(g.bop.path, "D:\\BoP");
}

TEST(InstallPaths, CutAtFirstNulAndTrailingBackslashKept) {
  MemoryRegistry reg;
  reg.SetValue(kXvTKey, kInstallPathValue, Value{1, std::string("C:\\XvT\\\0junk\0", 13)});
  reg.SetValue(kBoPKey, kInstallPathValue, Value{1, std::string("\0C:\\BoP", 7)});
  GameInstalls g = ReadInstallPaths(reg);
  EXPECT_EQ(g.xvt.path, "C:\\XvT\\");
  EXPECT_FALSE(g.bop.present);  // empty before its first NUL
}

TEST(InstallPaths, ExpandStringIsUsedUnexpanded) {
  MemoryRegistry reg;
  reg.SetValue(kXvTKey, kInstallPathValue, Value{static_cast<std::uint32_t>(ValueType::ExpandString),
                                                 "%ProgramFiles%\\XvT"});
  EXPECT_EQ(ReadInstallPaths(reg).xvt.path, "%ProgramFiles%\\XvT");
}

TEST(InstallPaths, NonStringValueFails) {
  for (ValueType type : {ValueType::Dword, ValueType::Binary, ValueType::MultiString}) {
    MemoryRegistry reg;
    reg.SetValue(kBoPKey, kInstallPathValue, Value{static_cast<std::uint32_t>(type), std::string(4, '\0')});
    try {
      ReadInstallPaths(reg);
      FAIL();
    } catch (const RegistryError& e) {
      EXPECT_STREQ(e.what(), "Invalid data type for 'Install Path'");
    }
  }
}

// The key is closed again after the read, also when the value is missing.
class CountingRegistry : public MemoryRegistry {
 public:
  int open = 0;
  registry::KeyHandle OpenKey(const std::string& path) override {
    registry::KeyHandle key = MemoryRegistry::OpenKey(path);
    if (key) ++open;
    return key;
  }
  void CloseKey(registry::KeyHandle key) override {
    --open;
    MemoryRegistry::CloseKey(key);
  }
};

TEST(InstallPaths, KeysAreClosed) {
  CountingRegistry reg;
  reg.AddKey(kXvTKey);
  reg.SetString(kBoPKey, kInstallPathValue, "C:\\BoP");
  ReadInstallPaths(reg);
  EXPECT_EQ(reg.open, 0);
}

}  // namespace
}  // namespace catalogue
