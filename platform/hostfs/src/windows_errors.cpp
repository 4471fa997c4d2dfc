#include "windows_errors.h"

namespace hostfs::detail {

int FileErrorCodeOfWindows(DWORD error) {
  switch (error) {
    case ERROR_FILE_NOT_FOUND: case ERROR_PATH_NOT_FOUND: case ERROR_INVALID_DRIVE: case ERROR_BAD_NETPATH:
      return kErrorFileNotFound;
    case ERROR_INVALID_NAME: case ERROR_FILENAME_EXCED_RANGE: case ERROR_BAD_PATHNAME: case ERROR_DIRECTORY:
      return kErrorInvalidName;
    case ERROR_TOO_MANY_OPEN_FILES: return kErrorTooManyOpenFiles;
    case ERROR_ACCESS_DENIED: case ERROR_WRITE_PROTECT: return kErrorAccessDenied;
    case ERROR_DISK_FULL: case ERROR_HANDLE_DISK_FULL: return kErrorDiskFull;
    case ERROR_HANDLE_EOF: return kErrorReadBeyondEnd;
    default: return static_cast<int>(error);
  }
}

void ThrowFileErrorCode(int code) { throw FileError(FileErrorText(code), code); }

void ThrowLastError() { ThrowFileErrorCode(FileErrorCodeOfWindows(::GetLastError())); }

}  // namespace hostfs::detail
