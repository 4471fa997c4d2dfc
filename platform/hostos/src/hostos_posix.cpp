#include <pwd.h>
#include <signal.h>
#include <stdlib.h>
#include <unistd.h>

#include <cerrno>
#include <system_error>
#include <vector>

#include "hostos/hostos.h"

namespace hostos {

namespace fs = std::filesystem;

std::tm LocalTime(std::time_t t) {
  std::tm local{};
  localtime_r(&t, &local);
  return local;
}

long LocalOffsetSeconds(std::time_t t) { return LocalTime(t).tm_gmtoff; }

fs::path MakeScratchFolder(const fs::path& parent, const std::string& stem) {
  std::string pattern = (parent / (stem + "-XXXXXX")).string();
  std::vector<char> buf(pattern.begin(), pattern.end());
  buf.push_back('\0');
  if (!::mkdtemp(buf.data()))
    throw fs::filesystem_error("cannot make a scratch folder", parent, std::error_code(errno, std::generic_category()));
  return fs::path(buf.data());
}

void IgnoreFileSizeSignal() { ::signal(SIGXFSZ, SIG_IGN); }

void EndBySignal(int signal) {
  ::signal(signal, SIG_DFL);
  ::raise(signal);
  ::_exit(128 + signal);
}

fs::path ExecutablePath() {
  std::error_code ec;
  fs::path self = fs::read_symlink("/proc/self/exe", ec);
  return ec ? fs::path() : self;
}

bool ReadsWinePrefix() { return true; }

fs::path HomeFolder() {
  if (const char* home = std::getenv("HOME"); home && *home) return home;
  // Started without a HOME (from a service, say): the account's own folder.
  const passwd* account = ::getpwuid(::getuid());
  return account && account->pw_dir && *account->pw_dir ? fs::path(account->pw_dir) : fs::path(".");
}

}  // namespace hostos
