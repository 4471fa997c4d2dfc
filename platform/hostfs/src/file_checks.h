// What reading and replacing a list share: the file descriptor owner, the
// checks that refuse what is not a plain file the user may replace, and the
// whole-file read.
#pragma once

#include <sys/stat.h>

#include <filesystem>
#include <string>

namespace hostfs::detail {

class Fd {
 public:
  explicit Fd(int fd) : fd_(fd) {}
  Fd(const Fd&) = delete;
  Fd& operator=(const Fd&) = delete;
  ~Fd();
  int get() const { return fd_; }
  int Close();  // returns errno of a failed close, 0 on success

 private:
  int fd_;
};

// A FIFO, a device or a folder is no list: "File access denied".
void RequireRegular(const struct stat& st);

// Windows refuses to write a read-only file, and a mode without any write
// bit is what Wine shows as one; the check on the mode holds for root too,
// whom the host would let write anything. Throws "File access denied".
void RequireReplaceable(const std::filesystem::path& file, const struct stat& st);

// Every byte of an open regular file from its start; throws FileError.
std::string ReadAll(int fd, const struct stat& st);

}  // namespace hostfs::detail
