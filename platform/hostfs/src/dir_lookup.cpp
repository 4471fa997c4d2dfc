#include "dir_lookup.h"

#include <dirent.h>
#include <sys/stat.h>

#include <memory>

#include "hostfs/codepage.h"

namespace hostfs::detail {
namespace {

// Compares a host name with a Windows-1252 one as they are, stopping at the
// first difference: a crowded folder is mostly names that differ at once.
bool SameName(std::string_view host, std::string_view ansi) {
  std::size_t i = 0, k = 0;
  for (; i < host.size() && k < ansi.size(); ++k) {
    const auto b = static_cast<unsigned char>(host[i]);
    char32_t code = b;
    const std::size_t len = b < 0x80 ? 1 : DecodeUtf8(host, i, code);
    const unsigned char c = len == 0 ? b : static_cast<unsigned char>(UnicodeToAnsi(code));
    if (FoldCase(c) != FoldCase(static_cast<unsigned char>(ansi[k]))) return false;
    i += len ? len : 1;
  }
  return i == host.size() && k == ansi.size();
}

}  // namespace

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
    if (!SameName(name, ansiName)) continue;
    if (!best || name < *best) best = std::string(name);
  }
  return best;
}

}  // namespace hostfs::detail
