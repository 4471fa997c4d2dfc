// What the two flat edits share about the border they draw in the
// non-client area: its width, a window DC limited to the update region, the
// control that has the focus, and the process-wide list of edit classes
// whose focused instance keeps the hot look from the others.
#pragma once

#include <win32/windows.h>

class TWinControl;

namespace edit_border {

inline constexpr int kWidth = 3;

// The window's DC limited to the WM_NCPAINT region `region` (1: all of it);
// release with ReleaseDC.
HDC WindowDc(HWND window, WPARAM region);
// The window rectangle in window coordinates.
RECT WindowRect(HWND window);
// The framework control whose window has the keyboard focus, or nullptr.
TWinControl* FocusedControl();

// A class of the list, as the test whether a control is of that class (or
// derives from it). A class enters with its first instance and leaves with
// its last: each Enter is matched by one Leave.
using ClassTest = bool (*)(const TWinControl* control);
void EnterHotClass(ClassTest isOfClass);
void LeaveHotClass(ClassTest isOfClass);
// Whether `control` is of a class on the list; false for nullptr.
bool IsOfHotClass(const TWinControl* control);
// How many classes are on the list.
int HotClassCount();

}  // namespace edit_border
