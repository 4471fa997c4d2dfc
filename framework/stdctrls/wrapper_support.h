// Shared by the wrappers: answering the reflected WM_CTLCOLOR* messages
// with the control's font colour and background brush, style bits, and
// the '&' accelerator of a caption.
#pragma once

#include <string>

#include "framework/wincontrol.h"

namespace xvt_stdctrls {

// True when `message` was a reflected colour query, now answered.
bool HandleControlColor(TWinControl& control, TMessage& message);

// The window's style with `bits` set or cleared, then redrawn.
void SetStyleBits(HWND window, LONG bits, bool on);

// Whether `key` is the accelerator of `caption`: the character after a
// single '&' ("&&" is a plain ampersand), compared without regard to case.
bool IsAccel(char key, const std::string& caption);

}  // namespace xvt_stdctrls
