// Windows error numbers as the program's file error numbers.
#pragma once

#include <windows.h>

#include <string>

#include "hostfs/hostfs.h"

namespace hostfs::detail {

// The program's number for a Windows error: a missing folder on the way is
// "File not found", a full disk "Disk full", and so on; others as they are.
int FileErrorCodeOfWindows(DWORD error);
[[noreturn]] void ThrowFileErrorCode(int code);
[[noreturn]] void ThrowLastError();

}  // namespace hostfs::detail
