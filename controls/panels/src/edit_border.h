// What the two flat edits share about the border they draw in the
// non-client area: three pixels taken from the client area, a window DC
// limited to the update region, and the control that has the focus.
#pragma once

#include <win32/windows.h>

class TWinControl;
struct TCreateParams;

namespace edit_border {

inline constexpr int kWidth = 3;

// No system border and no 3-D edge: the border is drawn by the edit.
void StripSystemBorder(TCreateParams& params);
// After the default WM_NCCALCSIZE: the proposed client rectangle loses
// three pixels on each side.
void ShrinkClient(LPARAM lParam);
// The window's DC limited to the WM_NCPAINT region `region` (1: all of it);
// release with ReleaseDC.
HDC WindowDc(HWND window, WPARAM region);
// The window rectangle in window coordinates.
RECT WindowRect(HWND window);
// The framework control whose window has the keyboard focus, or nullptr.
TWinControl* FocusedControl();

}  // namespace edit_border
