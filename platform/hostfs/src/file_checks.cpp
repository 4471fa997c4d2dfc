#include "file_checks.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>

#include "hostfs/hostfs.h"

namespace hostfs::detail {

Fd::~Fd() {
  if (fd_ >= 0) ::close(fd_);
}

int Fd::Close() {
  const int fd = fd_;
  fd_ = -1;
  return ::close(fd) == 0 ? 0 : errno;
}

void RequireRegular(const struct stat& st) {
  if (!S_ISREG(st.st_mode)) throw FileError(FileErrorText(kErrorAccessDenied), kErrorAccessDenied);
}

void RequireReplaceable(const std::filesystem::path& file, const struct stat& st) {
  RequireRegular(st);
  if ((st.st_mode & 0222) == 0 || ::faccessat(AT_FDCWD, file.c_str(), W_OK, AT_EACCESS) != 0)
    throw FileError(FileErrorText(kErrorAccessDenied), kErrorAccessDenied);
}

std::string ReadAll(int fd, const struct stat& st) {
  std::string bytes;
  bytes.reserve(static_cast<std::size_t>(st.st_size));
  char buffer[64 * 1024];
  for (off_t at = 0;;) {
    const ssize_t n = ::pread(fd, buffer, sizeof buffer, at);
    if (n < 0) {
      if (errno == EINTR) continue;
      ThrowFileError(errno);
    }
    if (n == 0) break;
    bytes.append(buffer, static_cast<std::size_t>(n));
    at += n;
  }
  return bytes;
}

}  // namespace hostfs::detail
