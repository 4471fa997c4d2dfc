// How the window layer reaches the scroll bars of any window: their state and
// drawing live with the scroll-bar control, which installs these on first use.
#pragma once

#include <win32/user32.h>

namespace user {

struct WindowScrollBars {
  void (*paint)(HWND) = nullptr;                 // after the default WM_NCPAINT
  bool (*press)(HWND, WPARAM, LPARAM) = nullptr;  // WM_NCLBUTTONDOWN; true when a bar took it
};

void SetWindowScrollBars(const WindowScrollBars& bars);
const WindowScrollBars& CurrentWindowScrollBars();

}  // namespace user
