// What the flat toolbar buttons share in a process: the one hot button,
// the 125 ms timer that polls whether the pointer left it, the hooks that
// see the application deactivate and posted mouse moves, and the dithered
// brush of held-down buttons.
#pragma once

#include <win32/windows.h>

class TControl;
class TToolbarButton97;

namespace toolbar_hot {

inline constexpr unsigned kLeaveInterval = 125;

// Every button attaches when made and detaches when it goes; the first
// makes the timer and registers the hooks, the last frees them.
void Attach(TToolbarButton97* button);
void Detach(TToolbarButton97* button);

TToolbarButton97* Hot();
// Makes `button` the hot one and points the enabled leave timer at it.
void SetHot(TToolbarButton97* button);
// Stops the leave timer and clears the hot button when it is `button`.
void StopIfHot(TToolbarButton97* button);
bool LeaveTimerEnabled();

// The control under the pointer's screen position, disabled ones included.
TControl* ControlAtPointer();

// An 8 x 8 pattern of button face with highlight where x and y are both
// even or both odd, made on first use and kept until DropPattern.
HBRUSH DownPattern();
void DropPattern();
// After a change of the system colours: the pattern goes when the face or
// highlight colour it was made of changed, to be made again in the new ones.
void SysColorsChanged();

}  // namespace toolbar_hot
