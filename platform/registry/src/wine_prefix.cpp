#include <pwd.h>
#include <unistd.h>

#include <cstdlib>

#include "registry/registry.h"

namespace registry {

std::filesystem::path WinePrefix(const std::string& option) {
  if (!option.empty()) return option;
  if (const char* env = std::getenv("WINEPREFIX"); env && *env) return env;
  const char* home = std::getenv("HOME");
  if (!home || !*home) {
    // Started without a HOME (from a service, say): the account's own folder.
    const passwd* account = ::getpwuid(::getuid());
    home = account && account->pw_dir && *account->pw_dir ? account->pw_dir : ".";
  }
  return std::filesystem::path(home) / ".wine";
}

}  // namespace registry
