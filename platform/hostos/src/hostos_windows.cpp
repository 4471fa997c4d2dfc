#include <windows.h>

#include <cstdlib>
#include <random>
#include <system_error>

#include "hostos/hostos.h"

namespace hostos {

namespace fs = std::filesystem;

std::tm LocalTime(std::time_t t) {
  std::tm local{};
  localtime_s(&local, &t);
  return local;
}

long LocalOffsetSeconds(std::time_t t) {
  std::tm local = LocalTime(t);
  std::tm utc{};
  gmtime_s(&utc, &t);
  // The UTC fields read as local time: the difference is the offset.
  utc.tm_isdst = local.tm_isdst;
  return static_cast<long>(t - std::mktime(&utc));
}

fs::path MakeScratchFolder(const fs::path& parent, const std::string& stem) {
  static const char kLetters[] = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
  std::random_device seed;
  std::mt19937 pick(seed());
  std::uniform_int_distribution<int> letter(0, sizeof kLetters - 2);
  for (int attempt = 0; attempt < 100; ++attempt) {
    std::string name = stem + "-";
    for (int i = 0; i < 6; ++i) name += kLetters[letter(pick)];
    fs::path folder = parent / name;
    // The folder inherits the ACL of the temporary folder, which is the user's own.
    if (::CreateDirectoryA(folder.string().c_str(), nullptr)) return folder;
    if (::GetLastError() != ERROR_ALREADY_EXISTS) break;
  }
  throw fs::filesystem_error("cannot make a scratch folder", parent,
                             std::error_code(static_cast<int>(::GetLastError()), std::system_category()));
}

void IgnoreFileSizeSignal() {}

void EndBySignal(int signal) { std::_Exit(128 + signal); }

fs::path ExecutablePath() {
  char buf[MAX_PATH * 4];
  DWORD n = ::GetModuleFileNameA(nullptr, buf, sizeof buf);
  return n == 0 || n >= sizeof buf ? fs::path() : fs::path(std::string(buf, n));
}

bool ReadsWinePrefix() { return false; }

fs::path HomeFolder() {
  for (const char* name : {"HOME", "USERPROFILE"})
    if (const char* v = std::getenv(name); v && *v) return v;
  return ".";
}

}  // namespace hostos
