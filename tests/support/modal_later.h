// Runs a check from inside a modal loop: the test arms a timer, then starts
// the dialog or form whose own loop dispatches it.
#pragma once

#include <win32/windows.h>

#include <functional>
#include <utility>

namespace testsupport {

namespace later_detail {
inline std::function<void()>& PendingLater() {
  static std::function<void()> body;
  return body;
}

inline VOID CALLBACK RunLater(HWND, UINT, UINT_PTR id, DWORD) {
  KillTimer(nullptr, id);
  std::function<void()> body = std::move(PendingLater());
  PendingLater() = nullptr;
  if (body) body();
}
}  // namespace later_detail

// Runs `body` once from a timer, i.e. inside whatever modal loop runs next
// on this thread. One body waits at a time: a new call replaces one that has
// not run, so a body left over by a test that stopped early (its captures
// gone) never runs in the next test. A body may arm the next one.
inline void Later(std::function<void()> body) {
  later_detail::PendingLater() = std::move(body);
  SetTimer(nullptr, 0, 10, later_detail::RunLater);
}

}  // namespace testsupport
