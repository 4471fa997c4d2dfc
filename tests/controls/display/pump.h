// One turn of the user-interface thread's work in the display tests: the
// window messages waiting and the calls other threads have synchronised.
#pragma once

#include <win32/user32.h>

#include "framework/synchronize.h"

inline void Pump() {
  MSG msg;
  while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
  CheckSynchronize();
}
