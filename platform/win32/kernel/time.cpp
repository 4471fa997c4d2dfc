// The tick count, sleeping and the calendar time, all on the backend clock.
#include <chrono>
#include <climits>
#include <ctime>
#include <thread>

#include <backend/backend.h>

#include "internal/kernel_internal.h"
#include "objects.h"

namespace {

void SleepHost(DWORD ms) {
  if (ms == 0) {
    std::this_thread::yield();
    return;
  }
  backend::Backend* b = backend::Current();
  if (ms == INFINITE) {
    for (;;) {
      if (b)
        b->SleepFor(INT_MAX);
      else
        std::this_thread::sleep_for(std::chrono::hours(24));
    }
  }
  if (b)
    b->SleepFor(static_cast<int>(std::min<DWORD>(ms, INT_MAX)));
  else
    std::this_thread::sleep_for(std::chrono::milliseconds(ms));
}

std::int64_t UnixMs() {
  if (backend::Backend* b = backend::Current()) return b->UnixTimeMs();
  using namespace std::chrono;
  return duration_cast<milliseconds>(system_clock::now().time_since_epoch()).count();
}

void Fill(const std::tm& tm, int ms, LPSYSTEMTIME st) {
  st->wYear = static_cast<WORD>(tm.tm_year + 1900);
  st->wMonth = static_cast<WORD>(tm.tm_mon + 1);
  st->wDayOfWeek = static_cast<WORD>(tm.tm_wday);
  st->wDay = static_cast<WORD>(tm.tm_mday);
  st->wHour = static_cast<WORD>(tm.tm_hour);
  st->wMinute = static_cast<WORD>(tm.tm_min);
  st->wSecond = static_cast<WORD>(tm.tm_sec);
  st->wMilliseconds = static_cast<WORD>(ms);
}

void CalendarTime(LPSYSTEMTIME st, bool local) {
  if (!st) return;
  std::int64_t unixMs = UnixMs();
  std::int64_t secs = unixMs / 1000, ms = unixMs % 1000;
  if (ms < 0) secs -= 1, ms += 1000;
  std::time_t t = static_cast<std::time_t>(secs);
  std::tm tm{};
  if (local)
    localtime_r(&t, &tm);
  else
    gmtime_r(&t, &tm);
  Fill(tm, static_cast<int>(ms), st);
}

}  // namespace

DWORD WINAPI GetTickCount(void) {
  kernel::SuspensionPoint();
  return static_cast<DWORD>(kernel::Now());
}

ULONGLONG WINAPI GetTickCount64(void) {
  kernel::SuspensionPoint();
  return kernel::Now();
}

VOID WINAPI Sleep(DWORD ms) { SleepEx(ms, FALSE); }

// No asynchronous procedure calls are ever queued, so an alertable sleep
// always runs its full time and answers 0.
DWORD WINAPI SleepEx(DWORD ms, BOOL) {
  kernel::SuspensionPoint();
  SleepHost(ms);
  kernel::SuspensionPoint();
  return 0;
}

VOID WINAPI GetLocalTime(LPSYSTEMTIME st) { CalendarTime(st, true); }

VOID WINAPI GetSystemTime(LPSYSTEMTIME st) { CalendarTime(st, false); }
