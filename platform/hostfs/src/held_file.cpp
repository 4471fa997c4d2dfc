#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <thread>

#include "file_checks.h"
#include "hostfs/hostfs.h"

namespace hostfs {

namespace {

bool SameNode(const struct stat& a, dev_t dev, ino_t ino) { return a.st_dev == dev && a.st_ino == ino; }

}  // namespace

HeldFile::HeldFile(const Drives& drives, std::string windowsPath)
    : drives_(drives), windowsPath_(std::move(windowsPath)) {
  if (windowsPath_.find('\0') != std::string::npos)
    throw FileError(FileErrorText(kErrorInvalidName), kErrorInvalidName);
  auto host = drives_.ToHost(windowsPath_);
  if (!host) throw FileError(FileErrorText(kErrorFileNotFound), kErrorFileNotFound);
  host_ = *host;
  Open();
}

HeldFile::~HeldFile() {
  if (fd_ >= 0) ::close(fd_);  // the lock goes with it
}

void HeldFile::Open() {
  if (fd_ >= 0) ::close(fd_);
  locked_ = replaced_ = false;
  fd_ = ::open(host_.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  if (fd_ < 0) ThrowFileError(errno);
  struct stat st{};
  if (::fstat(fd_, &st) != 0) ThrowFileError(errno);
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
    if (::flock(fd_, LOCK_EX | LOCK_NB) == 0) {
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
  if (locked_) ::flock(fd_, LOCK_UN);
  locked_ = false;
}

void HeldFile::Lock(std::chrono::milliseconds wait) { LockAll({this}, wait); }

void LockAll(const std::vector<HeldFile*>& files, std::chrono::milliseconds wait) {
  const auto deadline = std::chrono::steady_clock::now() + wait;
  auto pause = std::chrono::milliseconds(1);
  for (;;) {
    const HeldFile* busy = nullptr;
    for (HeldFile* file : files)
      if (!file->TryLock()) {
        busy = file;
        break;
      }
    if (!busy) return;
    // Never hold some while waiting for another, so that two installs can't
    // wait on each other in a circle.
    for (HeldFile* file : files) file->Unlock();
    if (std::chrono::steady_clock::now() >= deadline)
      throw FileError("Another program is rewriting " + busy->WindowsPath() + "; try again", 32);
    std::this_thread::sleep_for(pause);
    pause = std::min(pause * 2, std::chrono::milliseconds(25));
  }
}

bool HeldFile::SameFile(const HeldFile& other) const { return dev_ == other.dev_ && ino_ == other.ino_; }

std::string HeldFile::Read() const {
  if (replaced_) return ReadHostFile(host_);
  struct stat st{};
  if (::fstat(fd_, &st) != 0) ThrowFileError(errno);
  return detail::ReadAll(fd_, st);
}

void HeldFile::Replace(const std::string& bytes) {
  ReplaceFile(drives_, windowsPath_, bytes);
  // Held on as the new file when nobody has it yet; never waited for, since
  // a writer that has it may be waiting for another list this install holds.
  // Either way the old file's lock stays until the install is done.
  const int fd = ::open(host_.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  struct stat st{};
  if (fd >= 0 && ::fstat(fd, &st) == 0 && ::flock(fd, LOCK_EX | LOCK_NB) == 0) {
    ::close(fd_);
    fd_ = fd;
    dev_ = st.st_dev;
    ino_ = st.st_ino;
    replaced_ = false;
    return;
  }
  if (fd >= 0) ::close(fd);
  replaced_ = true;
}

}  // namespace hostfs
