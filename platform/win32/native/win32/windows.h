// On Windows the program's Windows interfaces are the system's own: the
// umbrella header is <windows.h> with the common controls, common dialogs,
// shell and multimedia headers.
#pragma once

#ifndef NOMINMAX
#define NOMINMAX
#endif
#ifndef STRICT
#define STRICT
#endif
#include <windows.h>

#include <commctrl.h>
#include <commdlg.h>
#include <mmsystem.h>
#include <shellapi.h>
