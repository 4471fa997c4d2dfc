// Shared by the wrappers: messages to the window, window style bits and the '&' accelerator of a
// caption.
#pragma once

#include <string>

#include "framework/wincontrol.h"

namespace stdctrls_detail {

// A message to the wrapped window; 0 while there is no window.
inline LRESULT Send(HWND window, UINT msg, WPARAM wp = 0, LPARAM lp = 0) {
  return window ? SendMessageA(window, msg, wp, lp) : 0;
}

// The window's style with `bits` set or cleared, then redrawn.
void SetStyleBits(HWND window, LONG bits, bool on);

// Whether `key` is the accelerator of `caption`: the character after a
// single '&' ("&&" is a plain ampersand), compared without regard to case.
bool IsAccel(char key, const std::string& caption);

}  // namespace stdctrls_detail
