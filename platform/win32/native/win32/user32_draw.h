// The system's headers stand for every part of the Windows interfaces.
#pragma once

#include <win32/windows.h>
