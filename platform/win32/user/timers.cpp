// Timers: WM_TIMER is made up when the queue is otherwise empty; a timer
// that is late fires once, not once per missed interval, as on Windows.
#include <algorithm>

#include "window.h"

namespace user {
namespace {

UINT_PTR g_nextThreadTimer = 1;

UINT Clamp(UINT ms) {
  if (ms < USER_TIMER_MINIMUM) return USER_TIMER_MINIMUM;
  if (ms > USER_TIMER_MAXIMUM) return USER_TIMER_MAXIMUM;
  return ms;
}

}  // namespace

bool TakeDueTimer(ThreadQueue& q, HWND filter, bool remove, MSG& out) {
  std::uint64_t now = backend::NowMs();
  Timer* best = nullptr;
  for (Timer& t : q.timers) {
    if (t.due > now) continue;
    if (filter && filter != t.hwnd && !(t.hwnd && IsChild(filter, t.hwnd))) continue;
    if (!best || t.due < best->due) best = &t;
  }
  if (!best) return false;
  out = MSG{best->hwnd, WM_TIMER, best->id, reinterpret_cast<LPARAM>(best->proc), static_cast<DWORD>(now),
            S().cursorPos};
  if (remove) best->due = now + best->interval;
  return true;
}

int NextTimerDelay(ThreadQueue& q) {
  if (q.timers.empty()) return -1;
  std::uint64_t now = backend::NowMs();
  std::uint64_t due = q.timers.front().due;
  for (const Timer& t : q.timers) due = std::min(due, t.due);
  return due <= now ? 0 : static_cast<int>(std::min<std::uint64_t>(due - now, 0x7FFFFFFF));
}

bool IsTimerProc(ThreadQueue& q, LPARAM proc) {
  return std::any_of(q.timers.begin(), q.timers.end(),
                     [&](const Timer& t) { return reinterpret_cast<LPARAM>(t.proc) == proc; });
}

void KillWindowTimers(Window* w) {
  auto q = QueueOf(w->thread);
  if (!q) return;
  std::erase_if(q->timers, [&](const Timer& t) { return t.hwnd == w->hwnd; });
}

}  // namespace user

using namespace user;

UINT_PTR WINAPI SetTimer(HWND hwnd, UINT_PTR id, UINT ms, TIMERPROC proc) {
  ThreadQueue& q = MyQueue();
  if (hwnd) {
    Window* w = Lookup(hwnd);
    if (!w || w->thread != CurrentThread()) return 0;
  }
  std::uint64_t due = backend::NowMs() + Clamp(ms);
  for (Timer& t : q.timers)
    if (t.hwnd == hwnd && t.id == id && (hwnd || id)) {
      t.interval = Clamp(ms), t.proc = proc, t.due = due;
      return hwnd ? 1 : id;
    }
  if (!hwnd) id = g_nextThreadTimer++;
  q.timers.push_back(Timer{hwnd, id, Clamp(ms), proc, due});
  return hwnd ? 1 : id;
}

BOOL WINAPI KillTimer(HWND hwnd, UINT_PTR id) {
  ThreadQueue& q = MyQueue();
  auto n = std::erase_if(q.timers, [&](const Timer& t) { return t.hwnd == hwnd && t.id == id; });
  // A WM_TIMER already in the posted queue is not removed; one made up from
  // the timer list can no longer appear.
  return n ? TRUE : FALSE;
}
