#include <cstdlib>

#include "hostos/hostos.h"
#include "registry/registry.h"

namespace registry {

std::filesystem::path WinePrefix(const std::string& option) {
  if (!option.empty()) return option;
  if (const char* env = std::getenv("WINEPREFIX"); env && *env) return env;
  return hostos::HomeFolder() / ".wine";
}

}  // namespace registry
