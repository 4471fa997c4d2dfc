// Snapshots of what was drawn, as PNG files: an extension of this program's
// Windows layer, not a Windows call. Used by tests and for looking at output.
#pragma once

#include <win32/windef.h>

// Writes the bitmap as an 8-bit RGB PNG (monochrome bitmaps as black and
// white). FALSE for an invalid handle or when the file cannot be written.
BOOL xvtSaveBitmapPng(HBITMAP bitmap, const char* path);
// Writes the whole surface behind a DC (its selected bitmap, its window
// surface or the screen) as an 8-bit RGB PNG.
BOOL xvtSaveDCPng(HDC hdc, const char* path);
