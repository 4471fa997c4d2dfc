// Held files on Windows. Windows will not replace a file that is held open,
// so a held file is checked and then let go; the lock that keeps other
// rewrites of it waiting is a named mutex of the file's full path.
#include <windows.h>
// Ours, not the system's ReplaceFileA that the header names so.
#undef ReplaceFile

#include <cstdio>

#include "hostfs/codepage.h"
#include "windows_errors.h"

namespace hostfs {

namespace {

// The mutex of a file: its full path, without regard to case, hashed into
// the name (a mutex's name may not hold a backslash).
std::string LockName(const std::filesystem::path& host) {
  char full[MAX_PATH * 4];
  const DWORD n = ::GetFullPathNameA(host.string().c_str(), sizeof full, full, nullptr);
  const std::string path = n > 0 && n < sizeof full ? std::string(full, n) : host.string();
  std::uint64_t hash = 14695981039346656037ull;  // 64-bit FNV-1a
  for (char c : path) hash = (hash ^ FoldCase(static_cast<unsigned char>(c == '/' ? '\\' : c))) * 1099511628211ull;
  char name[64];
  std::snprintf(name, sizeof name, "Local\\xvtinst-list-%016llx", static_cast<unsigned long long>(hash));
  return name;
}

HANDLE MutexOf(std::intptr_t handle) { return reinterpret_cast<HANDLE>(handle); }

}  // namespace

HeldFile::~HeldFile() {
  Unlock();
  if (handle_ != -1) ::CloseHandle(MutexOf(handle_));
}

void HeldFile::Open() {
  locked_ = replaced_ = false;
  const DWORD attributes = ::GetFileAttributesA(host_.string().c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES) detail::ThrowLastError();
  if (attributes & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_DEVICE))
    detail::ThrowFileErrorCode(kErrorAccessDenied);
  HANDLE file = ::CreateFileA(host_.string().c_str(), GENERIC_READ,
                              FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) detail::ThrowLastError();
  BY_HANDLE_FILE_INFORMATION info{};
  const bool disk = ::GetFileType(file) == FILE_TYPE_DISK;
  const bool known = ::GetFileInformationByHandle(file, &info);
  ::CloseHandle(file);
  if (!disk) detail::ThrowFileErrorCode(kErrorAccessDenied);
  if (known) {
    dev_ = info.dwVolumeSerialNumber;
    ino_ = (static_cast<std::uint64_t>(info.nFileIndexHigh) << 32) | info.nFileIndexLow;
  }
  // The new text is made beside the file: a file made there and gone at once
  // tells whether it can be.
  const std::filesystem::path probe = host_.parent_path() / "~xvtinst-probe.tmp";
  HANDLE made = ::CreateFileA(probe.string().c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                              FILE_ATTRIBUTE_TEMPORARY | FILE_FLAG_DELETE_ON_CLOSE, nullptr);
  if (made == INVALID_HANDLE_VALUE && ::GetLastError() != ERROR_FILE_EXISTS)
    throw FileError("Cannot create file " + windowsPath_, detail::FileErrorCodeOfWindows(::GetLastError()));
  if (made != INVALID_HANDLE_VALUE) ::CloseHandle(made);
}

bool HeldFile::TryLock() {
  if (locked_) return true;
  if (handle_ == -1) {
    HANDLE mutex = ::CreateMutexA(nullptr, FALSE, LockName(host_).c_str());
    if (!mutex) detail::ThrowLastError();
    handle_ = reinterpret_cast<std::intptr_t>(mutex);
  }
  const DWORD waited = ::WaitForSingleObject(MutexOf(handle_), 0);
  // An abandoned mutex is one whose holder ended: the lock is ours.
  if (waited != WAIT_OBJECT_0 && waited != WAIT_ABANDONED) return false;
  locked_ = true;
  return true;
}

void HeldFile::Unlock() {
  if (locked_) ::ReleaseMutex(MutexOf(handle_));
  locked_ = false;
}

bool HeldFile::SameFile(const HeldFile& other) const {
  return dev_ == other.dev_ && ino_ == other.ino_ && (ino_ != 0 || host_ == other.host_);
}

// Read from the path each time: what another writer put there under the lock
// is the text to build on.
std::string HeldFile::Read() const { return ReadHostFile(host_); }

void HeldFile::Replace(const std::string& bytes) {
  ReplaceFile(drives_, windowsPath_, bytes);
  // The lock is the path's, so it stays; the file is a new one.
  HANDLE file = ::CreateFileA(host_.string().c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                              nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  BY_HANDLE_FILE_INFORMATION info{};
  if (file != INVALID_HANDLE_VALUE && ::GetFileInformationByHandle(file, &info)) {
    dev_ = info.dwVolumeSerialNumber;
    ino_ = (static_cast<std::uint64_t>(info.nFileIndexHigh) << 32) | info.nFileIndexLow;
  }
  if (file != INVALID_HANDLE_VALUE) ::CloseHandle(file);
}

}  // namespace hostfs
