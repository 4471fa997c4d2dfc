#include <cstdlib>

#include "registry/registry.h"

namespace registry {

std::filesystem::path WinePrefix(const std::string& option) {
  if (!option.empty()) return option;
  if (const char* env = std::getenv("WINEPREFIX"); env && *env) return env;
  const char* home = std::getenv("HOME");
  return std::filesystem::path(home && *home ? home : ".") / ".wine";
}

}  // namespace registry
