#include "dir_lookup.h"

#include <dirent.h>
#include <sys/stat.h>

#include <memory>

#include "hostfs/codepage.h"

namespace hostfs::detail {

std::optional<std::string> FindEntry(const std::filesystem::path& dir, std::string_view ansiName) {
  const std::string exact = AnsiToUtf8(ansiName);
  struct stat st{};
  if (::lstat((dir / exact).c_str(), &st) == 0) return exact;

  std::unique_ptr<DIR, int (*)(DIR*)> handle(::opendir(dir.c_str()), &::closedir);
  if (!handle) return std::nullopt;
  std::optional<std::string> best;
  while (const dirent* entry = ::readdir(handle.get())) {
    const std::string_view name = entry->d_name;
    if (name == "." || name == "..") continue;
    if (!EqualNoCase(Utf8ToAnsi(name), ansiName)) continue;
    if (!best || name < *best) best = std::string(name);
  }
  return best;
}

}  // namespace hostfs::detail
