// The registry of a Wine prefix read from its system.reg (hosts whose
// registry is a prefix's file, not the system's).
#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>

#include "registry/registry.h"
#include "temp_dir.h"

namespace {

constexpr const char* kXvt10Key = "Software\\LucasArts Entertainment Company\\X-Wing vs. TIE Fighter\\1.0\\";

constexpr const char* kWin64SystemReg = R"(WINE REGISTRY Version 2
#arch=win64

[Software\\LucasArts Entertainment Company\\X-Wing vs. TIE Fighter\\1.0] 1700000000
"Install Path"="C:\\Stale\\XvT"

[Software\\Wow6432Node\\LucasArts Entertainment Company\\X-Wing vs. TIE Fighter\\1.0] 1700000002
"Install Path"="C:\\Games\\XvT"
)";

TEST(OpenWineRegistry, ReadsSystemRegOfThePrefix) {
  testsupport::TempDir dir;
  testsupport::WriteFile(dir.path() / "system.reg", kWin64SystemReg);
  testsupport::WriteFile(dir.path() / "user.reg", "WINE REGISTRY Version 2\n[Software\\\\Maker] 1\n");
  std::ostringstream warnings;
  auto reg = registry::OpenWineRegistry(dir.path(), warnings);
  const auto key = reg->OpenKey(kXvt10Key);
  ASSERT_NE(key, 0u);
  EXPECT_EQ(reg->QueryValue(key, "Install Path")->data, "C:\\Games\\XvT");
  EXPECT_EQ(reg->OpenKey("Software\\Maker"), 0u);  // user.reg is not HKEY_LOCAL_MACHINE
  EXPECT_EQ(warnings.str(), "");
}

TEST(OpenWineRegistry, MissingFileIsAnEmptyRegistryWithoutAWord) {
  testsupport::TempDir dir;
  std::ostringstream warnings;
  EXPECT_EQ(registry::OpenWineRegistry(dir.path(), warnings)->OpenKey("Software"), 0u);
  EXPECT_EQ(registry::OpenWineRegistry(dir.path() / "no such prefix", warnings)->OpenKey("Software"), 0u);
  EXPECT_EQ(warnings.str(), "");
}

TEST(OpenWineRegistry, UnreadableOrForeignFilesWarnWithTheirPath) {
  testsupport::TempDir dir;
  std::filesystem::create_directory(dir.path() / "system.reg");
  std::ostringstream warnings;
  EXPECT_EQ(registry::OpenWineRegistry(dir.path(), warnings)->OpenKey("Software"), 0u);
  EXPECT_EQ(warnings.str(), "warning: cannot read " + (dir.path() / "system.reg").string() +
                               ": File access denied; no games are found in it\n");

  testsupport::TempDir other;
  testsupport::WriteFile(other.path() / "system.reg", "garbage\n");
  std::ostringstream foreign;
  registry::OpenWineRegistry(other.path(), foreign);
  EXPECT_NE(foreign.str().find((other.path() / "system.reg").string() + " is not a Wine registry file"),
            std::string::npos);
}

}  // namespace
