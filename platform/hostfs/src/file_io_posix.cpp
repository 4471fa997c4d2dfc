#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <mutex>
#include <vector>

#include "file_checks.h"
#include "hostfs/hostfs.h"
#include "hostfs/replace_faults.h"
#include "replace_state.h"

namespace hostfs {
namespace {

namespace fs = std::filesystem;
using testing::ReplaceStep;

// Bounded writes, so that a failure can also strike in the middle of a file.
constexpr std::size_t kWriteChunk = 64 * 1024;

using detail::Fd;
using detail::InFlight;
using detail::InjectedFault;

int WriteAll(int fd, const std::string& bytes) {
  std::size_t done = 0;
  while (done < bytes.size()) {
    if (const int fault = InjectedFault(ReplaceStep::Write)) return fault;
    const std::size_t want = std::min(kWriteChunk, bytes.size() - done);
    const ssize_t n = ::write(fd, bytes.data() + done, want);
    if (n < 0) {
      if (errno == EINTR) continue;
      return errno;
    }
    done += static_cast<std::size_t>(n);
  }
  return 0;
}

// The file to write: a link is followed, so its target is replaced and the
// link stays a link.
fs::path ReplaceTarget(const fs::path& host) {
  char resolved[PATH_MAX];
  struct stat st{};
  if (::lstat(host.c_str(), &st) == 0 && S_ISLNK(st.st_mode) && ::realpath(host.c_str(), resolved))
    return resolved;
  return host;
}

mode_t NewFileMode() {
  const mode_t mask = ::umask(0);
  ::umask(mask);
  return 0666 & ~mask;
}

// Writes the temporary file and renames it over `target`; returns errno of
// the step that failed (the temporary file is then removed), 0 on success.
int WriteAndRename(int fd, const std::string& temp, const fs::path& target, const std::string& bytes,
                   const struct stat* old) {
  Fd file(fd);
  int err = WriteAll(fd, bytes);
  const mode_t mode = old ? (old->st_mode & 07777) : NewFileMode();
  if (!err) err = InjectedFault(ReplaceStep::Chmod);
  if (!err && ::fchmod(fd, mode) != 0) err = errno;
  if (!err && old && (old->st_uid != ::geteuid() || old->st_gid != ::getegid())) {
    [[maybe_unused]] const int ignored = ::fchown(fd, old->st_uid, old->st_gid);  // only root may
  }
  if (!err) err = InjectedFault(ReplaceStep::Sync);
  if (!err && ::fsync(fd) != 0) err = errno;
  if (!err) err = InjectedFault(ReplaceStep::Close);
  const int closeErr = file.Close();
  if (!err) err = closeErr;
  if (!err) err = InjectedFault(ReplaceStep::Rename);
  std::lock_guard lock(InFlight().mutex);
  if (!err && InFlight().abandoned) err = EINTR;
  if (!err && ::rename(temp.c_str(), target.c_str()) != 0) err = errno;
  if (err) ::unlink(temp.c_str());
  detail::Forget(temp);
  return err;
}

void SyncFolder(const fs::path& dir) {
  // The rename is done; a folder that can't be flushed doesn't undo it.
  const int fd = ::open(dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return;
  ::fsync(fd);
  ::close(fd);
}

}  // namespace

std::string ReadHostFile(const std::filesystem::path& host) {
  // Without O_NONBLOCK a FIFO would wait for a writer for ever.
  Fd file(::open(host.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC));
  if (file.get() < 0) ThrowFileError(errno);
  struct stat st{};
  if (::fstat(file.get(), &st) != 0) ThrowFileError(errno);
  detail::RequireRegular(st);
  return detail::ReadAll(file.get(), st);
}

void ReplaceFile(const Drives& drives, const std::string& windowsPath, const std::string& bytes) {
  detail::RejectNul(windowsPath);
  const auto host = drives.ToHost(windowsPath);
  if (!host) throw FileError("Cannot create file " + windowsPath, kErrorFileNotFound);
  const fs::path target = ReplaceTarget(*host);
  struct stat old{};
  const bool exists = ::stat(target.c_str(), &old) == 0;
  if (exists) detail::RequireReplaceable(target, old);

  const fs::path dir = target.parent_path();
  // Hidden, beside the file, and short enough for any name the file may have.
  std::string temp = (dir / ("." + target.filename().string().substr(0, 200) + ".XXXXXX")).string();
  int fd = -1;
  int err = InjectedFault(ReplaceStep::Create);
  if (!err) {
    std::lock_guard lock(InFlight().mutex);
    fd = InFlight().abandoned ? (errno = EINTR, -1) : ::mkostemp(temp.data(), O_CLOEXEC);
    if (fd < 0) err = errno;
    else InFlight().paths.push_back(temp);
  }
  if (err) throw FileError("Cannot create file " + windowsPath, FileErrorCode(err));

  if (const int failed = WriteAndRename(fd, temp, target, bytes, exists ? &old : nullptr))
    ThrowFileError(failed);
  SyncFolder(dir);
}

}  // namespace hostfs
