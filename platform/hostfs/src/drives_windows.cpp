// On Windows a Windows path is the host path: the system finds the drive and
// ignores the letter case of every component itself.
#include <windows.h>

#include <cctype>
#include <system_error>

#include "hostfs/hostfs.h"

namespace hostfs {
namespace {

namespace fs = std::filesystem;

bool StartsWithDrive(std::string_view path) {
  return path.size() >= 2 && std::isalpha(static_cast<unsigned char>(path[0])) && path[1] == ':';
}

}  // namespace

Drives::Drives(std::filesystem::path prefix) : prefix_(std::move(prefix)) {}

std::optional<std::filesystem::path> Drives::ToHost(const std::string& windowsPath) const {
  if (!StartsWithDrive(windowsPath)) return std::nullopt;
  return fs::path(windowsPath);
}

std::optional<std::string> Drives::ToWindows(const std::filesystem::path& hostPath) const {
  std::error_code ec;
  fs::path full = fs::absolute(hostPath, ec);
  if (ec) return std::nullopt;
  std::string windows = full.lexically_normal().make_preferred().string();
  if (!StartsWithDrive(windows)) return std::nullopt;
  windows[0] = static_cast<char>(std::toupper(static_cast<unsigned char>(windows[0])));
  if (windows.size() == 2) windows += '\\';
  return windows;
}

std::vector<std::string> Drives::DriveLetters() const {
  std::vector<std::string> letters;
  const DWORD present = ::GetLogicalDrives();
  for (int i = 0; i < 26; ++i)
    if (present & (1u << i)) letters.push_back({static_cast<char>('A' + i), ':'});
  return letters;
}

}  // namespace hostfs
