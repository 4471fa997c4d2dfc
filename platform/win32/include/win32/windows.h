// The Windows API subset the program uses. Code above the platform layer
// includes only this header.
#pragma once

#include <win32/windef.h>
#include <win32/kernel32.h>
#include <win32/gdi32.h>
#include <win32/gdi32_text.h>
#include <win32/user32.h>
#include <win32/user32_draw.h>
#include <win32/user32_text.h>
#include <win32/user32_clipboard.h>
#include <win32/user32_controls.h>
#include <win32/user32_msgbox.h>
#include <win32/comctl32.h>
#include <win32/comctl32_imagelist.h>
#include <win32/comdlg32.h>
#include <win32/shell32.h>
#include <win32/winmm.h>
