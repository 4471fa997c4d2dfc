// On Windows the registry is the system's: HKEY_LOCAL_MACHINE in the 32-bit
// view, where the games' 32-bit installers wrote, also from a 64-bit build.
#include <windows.h>

#include <ostream>
#include <unordered_map>
#include <vector>

#include "registry/registry.h"

namespace registry {
namespace {

class SystemRegistry : public Registry {
 public:
  ~SystemRegistry() override {
    for (const auto& [handle, key] : open_) ::RegCloseKey(key);
  }

  KeyHandle OpenKey(const std::string& path) override {
    std::string subkey = path;
    while (!subkey.empty() && subkey.back() == '\\') subkey.pop_back();
    // An empty path would open the root itself, which no caller means.
    if (subkey.empty() || subkey.find('\0') != std::string::npos) return 0;
    HKEY key = nullptr;
    if (::RegOpenKeyExA(HKEY_LOCAL_MACHINE, subkey.c_str(), 0, KEY_READ | KEY_WOW64_32KEY, &key) != ERROR_SUCCESS)
      return 0;
    const KeyHandle handle = next_++;
    if (next_ == 0) next_ = 1;
    open_[handle] = key;
    return handle;
  }

  std::optional<Value> QueryValue(KeyHandle handle, const std::string& name) override {
    const auto open = open_.find(handle);
    if (open == open_.end() || name.find('\0') != std::string::npos) return std::nullopt;
    DWORD type = 0;
    DWORD size = 0;
    // The size can grow between the two calls when another program writes.
    for (int attempt = 0; attempt < 4; ++attempt) {
      LONG rc = ::RegQueryValueExA(open->second, name.c_str(), nullptr, &type, nullptr, &size);
      if (rc != ERROR_SUCCESS) return std::nullopt;
      std::vector<BYTE> data(size);
      rc = ::RegQueryValueExA(open->second, name.c_str(), nullptr, &type, data.data(), &size);
      if (rc == ERROR_MORE_DATA) continue;
      if (rc != ERROR_SUCCESS) return std::nullopt;
      Value value{static_cast<std::uint32_t>(type), std::string(reinterpret_cast<const char*>(data.data()), size)};
      // As system.reg gives them: a string's text without the terminating NUL.
      const bool text = type == REG_SZ || type == REG_EXPAND_SZ || type == REG_MULTI_SZ;
      if (text && !value.data.empty() && value.data.back() == '\0') value.data.pop_back();
      return value;
    }
    return std::nullopt;
  }

  void CloseKey(KeyHandle handle) override {
    const auto open = open_.find(handle);
    if (open == open_.end()) return;
    ::RegCloseKey(open->second);
    open_.erase(open);
  }

 private:
  std::unordered_map<KeyHandle, HKEY> open_;
  KeyHandle next_ = 1;
};

}  // namespace

// The prefix does not matter here: a Windows program has one registry.
std::unique_ptr<Registry> OpenWineRegistry(const std::filesystem::path&, std::ostream&) {
  return std::make_unique<SystemRegistry>();
}

}  // namespace registry
