#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "file_checks.h"
#include "hostfs/hostfs.h"

namespace hostfs {

namespace {

bool SameNode(const struct stat& a, std::uint64_t dev, std::uint64_t ino) { return a.st_dev == dev && a.st_ino == ino; }

}  // namespace

HeldFile::~HeldFile() {
  if (handle_ >= 0) ::close(handle_);  // the lock goes with it
}

void HeldFile::Open() {
  if (handle_ >= 0) ::close(handle_);
  locked_ = replaced_ = false;
  handle_ = ::open(host_.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  if (handle_ < 0) ThrowFileError(errno);
  struct stat st{};
  if (::fstat(handle_, &st) != 0) ThrowFileError(errno);
  detail::RequireReplaceable(host_, st);
  dev_ = st.st_dev;
  ino_ = st.st_ino;
  // The new text is made beside the file, in the folder of a link's target.
  std::error_code ec;
  std::filesystem::path target = std::filesystem::canonical(host_, ec);
  const std::filesystem::path dir = (ec ? host_ : target).parent_path();
  if (::faccessat(AT_FDCWD, dir.c_str(), W_OK | X_OK, AT_EACCESS) != 0)
    throw FileError("Cannot create file " + windowsPath_, FileErrorCode(errno));
}

bool HeldFile::TryLock() {
  while (!locked_) {
    if (::flock(handle_, LOCK_EX | LOCK_NB) == 0) {
      struct stat now{};
      if (::stat(host_.c_str(), &now) == 0 && SameNode(now, dev_, ino_)) {
        locked_ = true;
        break;
      }
      Open();  // the other writer replaced it: its text is the one to build on
      continue;
    }
    // A file system without locks can't serialise anything: go on unlocked.
    if (errno == ENOLCK || errno == EOPNOTSUPP) break;
    if (errno == EWOULDBLOCK) return false;
    if (errno != EINTR) ThrowFileError(errno);
  }
  return true;
}

void HeldFile::Unlock() {
  if (locked_) ::flock(handle_, LOCK_UN);
  locked_ = false;
}

bool HeldFile::SameFile(const HeldFile& other) const { return dev_ == other.dev_ && ino_ == other.ino_; }

std::string HeldFile::Read() const {
  if (replaced_) return ReadHostFile(host_);
  struct stat st{};
  if (::fstat(handle_, &st) != 0) ThrowFileError(errno);
  return detail::ReadAll(handle_, st);
}

void HeldFile::Replace(const std::string& bytes) {
  ReplaceFile(drives_, windowsPath_, bytes);
  // Held on as the new file when nobody has it yet; never waited for, since
  // a writer that has it may be waiting for another list this install holds.
  // Either way the old file's lock stays until the install is done.
  const int fd = ::open(host_.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  struct stat st{};
  if (fd >= 0 && ::fstat(fd, &st) == 0 && ::flock(fd, LOCK_EX | LOCK_NB) == 0) {
    ::close(handle_);
    handle_ = fd;
    dev_ = st.st_dev;
    ino_ = st.st_ino;
    replaced_ = false;
    return;
  }
  if (fd >= 0) ::close(fd);
  replaced_ = true;
}

}  // namespace hostfs
