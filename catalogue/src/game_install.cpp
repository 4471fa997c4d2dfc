#include "catalogue/game_install.h"

#include "registry/registry.h"

namespace catalogue {

RegistryError::RegistryError(const std::string& valueName)
    : std::runtime_error("Invalid data type for '" + valueName + "'") {}

std::string ReadRegistryString(registry::Registry& reg, const std::string& keyPath, const std::string& name) {
  registry::KeyHandle key = reg.OpenKey(keyPath);
  if (key == 0) return {};
  std::optional<registry::Value> value = reg.QueryValue(key, name);
  reg.CloseKey(key);
  if (!value) return {};
  auto type = static_cast<registry::ValueType>(value->type);
  if (type != registry::ValueType::String && type != registry::ValueType::ExpandString) {
    throw RegistryError(name);
  }
  std::string text = std::move(value->data);
  text.resize(std::min(text.size(), text.find('\0')));
  return text;
}

namespace {

GameInstall InstallFrom(std::string text) {
  GameInstall install;
  if (!text.empty()) {
    install.path = std::move(text);
    install.present = true;
  }
  return install;
}

}  // namespace

GameInstalls ReadInstallPaths(registry::Registry& reg) {
  std::string xvt = ReadRegistryString(reg, kXvTKey, kInstallPathValue);
  std::string bop = ReadRegistryString(reg, kBoPKey, kInstallPathValue);
  return GameInstalls{InstallFrom(std::move(xvt)), InstallFrom(std::move(bop))};
}

}  // namespace catalogue
