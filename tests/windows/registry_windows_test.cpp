// The registry of a Windows program: the system's, in its 32-bit view.
#include <windows.h>

#include <gtest/gtest.h>

#include <sstream>

#include "registry/registry.h"

namespace registry_test {
namespace {

constexpr const char* kKey = "Software\\xvtinst-test\\Game\\1.0";

// Writes `text` as the value "Install Path" in one view of the key.
void WriteView(REGSAM view, const char* text) {
  HKEY key = nullptr;
  ASSERT_EQ(RegCreateKeyExA(HKEY_LOCAL_MACHINE, kKey, 0, nullptr, 0, KEY_WRITE | view, nullptr, &key, nullptr),
            ERROR_SUCCESS);
  RegSetValueExA(key, "Install Path", 0, REG_SZ, reinterpret_cast<const BYTE*>(text), DWORD(strlen(text) + 1));
  const DWORD number = 42;
  RegSetValueExA(key, "Version", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&number), sizeof number);
  RegCloseKey(key);
}

class SystemRegistryTest : public ::testing::Test {
 protected:
  void SetUp() override {
    WriteView(KEY_WOW64_32KEY, "C:\\Games\\Thirty-two");
    WriteView(KEY_WOW64_64KEY, "C:\\Games\\Sixty-four");
    reg_ = registry::OpenWineRegistry("", warnings_);
  }
  void TearDown() override {
    for (REGSAM view : {KEY_WOW64_32KEY, KEY_WOW64_64KEY})
      for (const char* key : {kKey, "Software\\xvtinst-test\\Game", "Software\\xvtinst-test"})
        RegDeleteKeyExA(HKEY_LOCAL_MACHINE, key, view, 0);
  }

  std::ostringstream warnings_;
  std::unique_ptr<registry::Registry> reg_;
};

TEST_F(SystemRegistryTest, ReadsThe32BitViewAsTheGamesWroteIt) {
  const auto key = reg_->OpenKey(std::string(kKey) + "\\");
  ASSERT_NE(key, 0u);
  const auto path = reg_->QueryValue(key, "install path");
  ASSERT_TRUE(path.has_value());
  EXPECT_EQ(path->type, 1u);
  EXPECT_EQ(path->data, "C:\\Games\\Thirty-two");  // the text without its NUL, as system.reg gives it
  const auto version = reg_->QueryValue(key, "Version");
  ASSERT_TRUE(version.has_value());
  EXPECT_EQ(version->type, 4u);
  EXPECT_EQ(version->data, std::string("\x2a\0\0\0", 4));
  EXPECT_EQ(warnings_.str(), "");
}

TEST_F(SystemRegistryTest, MissingKeysValuesAndClosedHandles) {
  EXPECT_EQ(reg_->OpenKey("Software\\xvtinst-test\\Nothing"), 0u);
  EXPECT_EQ(reg_->OpenKey(""), 0u);
  EXPECT_EQ(reg_->OpenKey("\\"), 0u);
  const auto key = reg_->OpenKey(kKey);
  ASSERT_NE(key, 0u);
  EXPECT_FALSE(reg_->QueryValue(key, "No Such Value").has_value());
  EXPECT_FALSE(reg_->QueryValue(key, std::string("Install Path\0x", 14)).has_value());
  const auto other = reg_->OpenKey(kKey);
  EXPECT_NE(other, key);
  reg_->CloseKey(key);
  EXPECT_FALSE(reg_->QueryValue(key, "Install Path").has_value());
  EXPECT_TRUE(reg_->QueryValue(other, "Install Path").has_value());
  reg_->CloseKey(other);
  reg_->CloseKey(other);  // twice is harmless
}

}  // namespace
}  // namespace registry_test
