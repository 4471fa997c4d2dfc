// Host error numbers to the program's file error texts. The numbers carried
// with them are Windows error numbers, so that "I/O error %d" shows what a
// Windows user of the program would see:
//   2 File not found (ENOENT, ENOTDIR: a missing folder on the way)
//   3 Invalid filename (ENAMETOOLONG, EINVAL, EILSEQ, ELOOP)
//   4 Too many open files (EMFILE, ENFILE)
//   5 File access denied (EACCES, EPERM, EROFS, EISDIR, ETXTBSY)
//   100 Read beyond end of file (no host number: a read cut short)
//   101 Disk full (ENOSPC, EDQUOT, EFBIG)
// and "I/O error %d" for: 8 ENOMEM, 17 EXDEV, 21 ENXIO/ENODEV, 32 EBUSY,
// 80 EEXIST, 145 ENOTEMPTY, 1117 EIO, 31 anything else.
#include <cerrno>
#include <string>

#include "hostfs/hostfs.h"

namespace hostfs {

int FileErrorCode(int hostErrno) {
  switch (hostErrno) {
    case ENOENT: case ENOTDIR: return kErrorFileNotFound;
    case ENAMETOOLONG: case EINVAL: case EILSEQ: case ELOOP: return kErrorInvalidName;
    case EMFILE: case ENFILE: return kErrorTooManyOpenFiles;
    case EACCES: case EPERM: case EROFS: case EISDIR: case ETXTBSY: return kErrorAccessDenied;
    case ENOSPC: case EFBIG: return kErrorDiskFull;
#ifdef EDQUOT  // not every C library has quotas
    case EDQUOT: return kErrorDiskFull;
#endif
    case ENOMEM: return 8;
    case EXDEV: return 17;
    case ENXIO: case ENODEV: return 21;
    case EBUSY: return 32;
    case EEXIST: return 80;
    case ENOTEMPTY: return 145;
    case EIO: return 1117;
    default: return 31;
  }
}

std::string FileErrorText(int code) {
  switch (code) {
    case kErrorFileNotFound: return "File not found";
    case kErrorInvalidName: return "Invalid filename";
    case kErrorTooManyOpenFiles: return "Too many open files";
    case kErrorAccessDenied: return "File access denied";
    case kErrorReadBeyondEnd: return "Read beyond end of file";
    case kErrorDiskFull: return "Disk full";
    default: return "I/O error " + std::to_string(code);
  }
}

std::string FileErrorMessage(int hostErrno) { return FileErrorText(FileErrorCode(hostErrno)); }

void ThrowFileError(int hostErrno) {
  const int code = FileErrorCode(hostErrno);
  throw FileError(FileErrorText(code), code);
}

}  // namespace hostfs
