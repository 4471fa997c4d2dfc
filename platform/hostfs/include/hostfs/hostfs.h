// Windows paths on the host: drive letters through a Wine prefix's
// dosdevices/ links, every component looked up without regard to case, and
// whole-file reading and replacing with the file error texts of the program.
#pragma once

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

namespace hostfs {

// A file operation that failed. The message is one of "File not found",
// "Invalid filename", "Too many open files", "File access denied",
// "Read beyond end of file", "Disk full" or "I/O error %d" (the error number),
// mapped from the host error number; "Cannot create file %s" for a file that
// could not be written.
class FileError : public std::runtime_error {
 public:
  FileError(const std::string& message, int code) : std::runtime_error(message), code_(code) {}
  int Code() const { return code_; }  // the Windows-style error number behind the message

 private:
  int code_;
};

// Windows error numbers behind the messages (FileError::Code()).
inline constexpr int kErrorFileNotFound = 2;
inline constexpr int kErrorInvalidName = 3;
inline constexpr int kErrorTooManyOpenFiles = 4;
inline constexpr int kErrorAccessDenied = 5;
inline constexpr int kErrorReadBeyondEnd = 100;
inline constexpr int kErrorDiskFull = 101;

// The Windows-style error number for a host errno value; numbers without a
// text of their own give "I/O error %d" (EIO is 1117, unknown ones 31).
int FileErrorCode(int hostErrno);
// The message for a Windows-style error number.
std::string FileErrorText(int code);

// The message for a host errno value ("File not found" for ENOENT, ...).
std::string FileErrorMessage(int hostErrno);
// Throws the FileError for a host errno value.
[[noreturn]] void ThrowFileError(int hostErrno);

class Drives {
 public:
  // The drives of the Wine prefix at `prefix` (its dosdevices/ folder).
  explicit Drives(std::filesystem::path prefix);

  const std::filesystem::path& Prefix() const { return prefix_; }

  // The host file behind a Windows path ("C:\Games\XvT\combat\mission.lst"):
  // the drive letter through dosdevices/<letter>:, then each component looked
  // up without regard to case (an exact match wins, else the first match in
  // sorted order). Empty components (doubled backslashes) are skipped.
  // Components that do not exist are kept as written, so the result can name a
  // file to create. nullopt when the path has no drive letter or the drive is unknown.
  std::optional<std::filesystem::path> ToHost(const std::string& windowsPath) const;

  // The Windows path of a host path inside one of the drives (the drive whose
  // target holds it; the longest target wins), with backslashes; nullopt when
  // outside every drive.
  std::optional<std::string> ToWindows(const std::filesystem::path& hostPath) const;

  // Drive letters present, in order ("C:", "Z:").
  std::vector<std::string> DriveLetters() const;

 private:
  std::filesystem::path prefix_;
};

// Reads a whole host file; throws FileError ("File access denied" for
// anything but a regular file, which is never waited on or read without end).
std::string ReadHostFile(const std::filesystem::path& hostPath);

// Reads a whole file named by a Windows path; throws FileError.
std::string ReadFile(const Drives& drives, const std::string& windowsPath);

// Replaces a whole file named by a Windows path with `bytes`, never leaving it
// half-written or rewriting what the user may not write (an existing file
// that is not regular, has no write bit in its mode, or is not writable by
// this user gives "File access denied", also for root):
// half-written: the bytes go to a temporary file in the same folder, are
// flushed to disk and renamed over the file, keeping its permission bits and
// its name on disk (the file found without regard to case is the one
// replaced). On failure the old file stays as it was, the temporary file is
// removed, and FileError is thrown: "Cannot create file <windowsPath>" when
// the temporary file can't be made (a missing folder, say), else the text of
// the step's error ("Disk full", ...). A missing file is created; a file that
// is a symbolic link has its target replaced, so the link stays.
void ReplaceFile(const Drives& drives, const std::string& windowsPath, const std::string& bytes);

// Removes the temporary files of replacements in progress, and makes every
// replacement still running fail instead of finishing; for a process that is
// about to end on a signal. Safe to call from any thread.
void RemoveTemporaryFiles() noexcept;

// How long a rewrite waits for another program that rewrites the same list.
inline constexpr std::chrono::milliseconds kListLockWait{30000};

// A file taken for rewriting: opened, checked to be a regular file that this
// user may replace in a folder where the new text can be made, and, once
// locked, kept from every other program that rewrites it through a HeldFile
// (an advisory flock on the file; on Windows, which will not replace a file
// held open, a named mutex of the file's full path) until destroyed. Two rewrites of one list
// then follow each other instead of one losing the other's change.
class HeldFile {
 public:
  // Opens and checks; throws FileError ("File not found", "File access
  // denied", "Cannot create file <windowsPath>", ...).
  HeldFile(const Drives& drives, std::string windowsPath);
  ~HeldFile();
  HeldFile(const HeldFile&) = delete;
  HeldFile& operator=(const HeldFile&) = delete;

  // Takes the lock, waiting at most `wait` for the writer that has it. A
  // file replaced meanwhile is opened anew, so the text read under the lock
  // is the newest. Throws FileError when the wait runs out.
  void Lock(std::chrono::milliseconds wait = kListLockWait);
  // The same without waiting: false when another writer has the lock.
  bool TryLock();
  void Unlock();
  // The same file on disk (two names of one list, through a link, say).
  bool SameFile(const HeldFile& other) const;
  const std::string& WindowsPath() const { return windowsPath_; }

  std::string Read() const;
  // Replaces the file as ReplaceFile does; a later Read sees this text.
  void Replace(const std::string& bytes);

 private:
  void Open();

  const Drives& drives_;
  std::string windowsPath_;
  std::filesystem::path host_;
  std::intptr_t handle_ = -1;  // the open file (POSIX) or the lock's mutex (Windows)
  std::uint64_t dev_ = 0;      // the file's device or volume, and its number there
  std::uint64_t ino_ = 0;
  bool locked_ = false;
  bool replaced_ = false;  // replaced, but the new file is another's to lock
};

// Takes the locks of all the files or of none, waiting at most `wait` in
// all; throws as HeldFile::Lock does.
void LockAll(const std::vector<HeldFile*>& files, std::chrono::milliseconds wait = kListLockWait);

}  // namespace hostfs
