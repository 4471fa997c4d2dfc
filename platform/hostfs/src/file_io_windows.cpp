// Reading and replacing whole files with the system's calls. A replacement
// is written to a temporary file in the same folder, flushed, and moved over
// the old file in one step, so that a failure leaves the old file whole.
#include <windows.h>
// Ours, not the system's ReplaceFileA that the header names so.
#undef ReplaceFile

#include <cerrno>
#include <random>

#include "replace_state.h"
#include "windows_errors.h"

namespace hostfs {
namespace {

namespace fs = std::filesystem;
using detail::FileErrorCodeOfWindows;
using detail::InFlight;
using detail::InjectedFault;
using testing::ReplaceStep;

constexpr DWORD kChunk = 64 * 1024;
// What a replaced list keeps of the old one's attributes.
constexpr DWORD kKeptAttributes =
    FILE_ATTRIBUTE_ARCHIVE | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_NOT_CONTENT_INDEXED;

class Handle {
 public:
  explicit Handle(HANDLE h) : h_(h) {}
  Handle(const Handle&) = delete;
  Handle& operator=(const Handle&) = delete;
  ~Handle() { Close(); }
  HANDLE get() const { return h_; }
  bool valid() const { return h_ != INVALID_HANDLE_VALUE; }
  void Reset(HANDLE h) {
    Close();
    h_ = h;
  }
  bool Close() {
    const bool ok = h_ == INVALID_HANDLE_VALUE || ::CloseHandle(h_);
    h_ = INVALID_HANDLE_VALUE;
    return ok;
  }

 private:
  HANDLE h_;
};

int LastErrorCode() { return FileErrorCodeOfWindows(::GetLastError()); }
// A test's injected fault is a host errno value, as on every host.
int Fault(ReplaceStep step) {
  const int fault = InjectedFault(step);
  return fault ? FileErrorCode(fault) : 0;
}

int WriteAll(HANDLE file, const std::string& bytes) {
  std::size_t done = 0;
  while (done < bytes.size()) {
    if (const int fault = Fault(ReplaceStep::Write)) return fault;
    const DWORD want = static_cast<DWORD>(std::min<std::size_t>(kChunk, bytes.size() - done));
    DWORD wrote = 0;
    if (!::WriteFile(file, bytes.data() + done, want, &wrote, nullptr)) return LastErrorCode();
    done += wrote;
  }
  return 0;
}

// The name the file has on disk, so that the new one keeps its letter case.
fs::path NameOnDisk(const fs::path& file) {
  WIN32_FIND_DATAA found{};
  HANDLE h = ::FindFirstFileA(file.string().c_str(), &found);
  if (h == INVALID_HANDLE_VALUE) return file;
  ::FindClose(h);
  return file.parent_path() / found.cFileName;
}

// A new temporary file beside `target`, listed as in progress; the program's
// error number when it can't be made.
int CreateTemporary(const fs::path& target, std::string& temp, Handle& out) {
  static const char kLetters[] = "abcdefghijklmnopqrstuvwxyz0123456789";
  std::random_device seed;
  std::mt19937 pick(seed());
  std::uniform_int_distribution<int> letter(0, sizeof kLetters - 2);
  const fs::path dir = target.parent_path();
  for (int attempt = 0; attempt < 100; ++attempt) {
    std::string name(1, '~');
    name.append(target.filename().string(), 0, 200);
    name += '.';
    for (int i = 0; i < 6; ++i) name += kLetters[letter(pick)];
    temp = (dir / name).string();
    std::lock_guard lock(InFlight().mutex);
    if (InFlight().abandoned) return FileErrorCode(EINTR);
    HANDLE h = ::CreateFileA(temp.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h != INVALID_HANDLE_VALUE) {
      InFlight().paths.push_back(temp);
      out.Reset(h);
      return 0;
    }
    if (::GetLastError() != ERROR_FILE_EXISTS) return LastErrorCode();
  }
  return FileErrorCodeOfWindows(ERROR_FILE_EXISTS);
}

// Writes the temporary file and moves it over `target`; the program's error
// number of the step that failed (the temporary file is then removed), 0 on success.
int WriteAndMove(Handle& file, const std::string& temp, const fs::path& target, const std::string& bytes,
                 DWORD oldAttributes) {
  int err = WriteAll(file.get(), bytes);
  if (!err) err = Fault(ReplaceStep::Sync);
  if (!err && !::FlushFileBuffers(file.get())) err = LastErrorCode();
  if (!err) err = Fault(ReplaceStep::Close);
  if (!file.Close() && !err) err = LastErrorCode();
  if (!err) err = Fault(ReplaceStep::Chmod);
  const DWORD kept = oldAttributes & kKeptAttributes;
  if (!err && kept && !::SetFileAttributesA(temp.c_str(), kept)) err = LastErrorCode();
  if (!err) err = Fault(ReplaceStep::Rename);
  std::lock_guard lock(InFlight().mutex);
  if (!err && InFlight().abandoned) err = FileErrorCode(EINTR);
  if (!err && !::MoveFileExA(temp.c_str(), target.string().c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
    err = LastErrorCode();
  if (err) {
    ::SetFileAttributesA(temp.c_str(), FILE_ATTRIBUTE_NORMAL);
    ::DeleteFileA(temp.c_str());
  }
  detail::Forget(temp);
  return err;
}

}  // namespace

std::string ReadHostFile(const std::filesystem::path& host) {
  Handle file(::CreateFileA(host.string().c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                            nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file.valid()) detail::ThrowLastError();
  // A device or a pipe is no list.
  if (::GetFileType(file.get()) != FILE_TYPE_DISK) detail::ThrowFileErrorCode(kErrorAccessDenied);
  std::string bytes;
  char buffer[kChunk];
  for (;;) {
    DWORD got = 0;
    if (!::ReadFile(file.get(), buffer, sizeof buffer, &got, nullptr)) detail::ThrowLastError();
    if (got == 0) break;
    bytes.append(buffer, got);
  }
  return bytes;
}

void ReplaceFile(const Drives& drives, const std::string& windowsPath, const std::string& bytes) {
  detail::RejectNul(windowsPath);
  const auto host = drives.ToHost(windowsPath);
  if (!host) throw FileError("Cannot create file " + windowsPath, kErrorFileNotFound);
  const DWORD attributes = ::GetFileAttributesA(host->string().c_str());
  const bool exists = attributes != INVALID_FILE_ATTRIBUTES;
  // Windows would not write a read-only file either; a folder is no list.
  if (exists && (attributes & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_DEVICE)))
    detail::ThrowFileErrorCode(kErrorAccessDenied);
  const fs::path target = exists ? NameOnDisk(*host) : *host;

  std::string temp;
  Handle file(INVALID_HANDLE_VALUE);
  int err = Fault(ReplaceStep::Create);
  if (!err) err = CreateTemporary(target, temp, file);
  if (err) throw FileError("Cannot create file " + windowsPath, err);
  if (const int failed = WriteAndMove(file, temp, target, bytes, exists ? attributes : 0))
    detail::ThrowFileErrorCode(failed);
}

}  // namespace hostfs
