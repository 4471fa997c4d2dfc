// Threads with suspend counts and priorities. A host thread cannot be
// stopped from outside at an arbitrary point, so suspension is honoured
// where the thread enters the kernel (see kernel32.h).
#include <unistd.h>

#include <thread>

#include "internal/kernel_internal.h"
#include "objects.h"

namespace kernel {
namespace {

std::shared_ptr<Thread> FindThread(HANDLE h) {
  auto o = Find(h);
  if (!o || o->kind != Object::kThread) {
    SetLastError(ERROR_INVALID_HANDLE);
    return nullptr;
  }
  return std::static_pointer_cast<Thread>(o);
}

thread_local std::shared_ptr<Thread> tSelf;

bool ValidPriority(int p) {
  switch (p) {
    case THREAD_PRIORITY_IDLE:
    case THREAD_PRIORITY_LOWEST:
    case THREAD_PRIORITY_BELOW_NORMAL:
    case THREAD_PRIORITY_NORMAL:
    case THREAD_PRIORITY_ABOVE_NORMAL:
    case THREAD_PRIORITY_HIGHEST:
    case THREAD_PRIORITY_TIME_CRITICAL:
      return true;
    default:
      return false;
  }
}

void RunThread(std::shared_ptr<Thread> self, LPTHREAD_START_ROUTINE start, LPVOID param) {
  tSelf = self;
  {
    std::lock_guard<std::mutex> g(Lock());
    self->tid = HostThreadId();
    self->started = true;
  }
  Changed().notify_all();
  SuspensionPoint();  // a thread created suspended waits here for its first resume
  DWORD code = start(param);
  {
    std::lock_guard<std::mutex> g(Lock());
    self->exitCode = code;
    self->signaled = true;
  }
  NotifySignaled();
}

}  // namespace

std::shared_ptr<Thread> Self() {
  if (!tSelf) {
    auto t = std::make_shared<Thread>();
    t->tid = HostThreadId();
    t->started = true;
    tSelf = t;
  }
  return tSelf;
}

void SuspensionPoint() {
  auto self = Self();
  std::unique_lock<std::mutex> lk(Lock());
  self->resumed.wait(lk, [&] { return self->suspendCount == 0; });
}

}  // namespace kernel

using namespace kernel;

HANDLE WINAPI CreateThread(LPSECURITY_ATTRIBUTES, SIZE_T, LPTHREAD_START_ROUTINE start, LPVOID param, DWORD flags,
                           LPDWORD threadId) {
  if (!start) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return nullptr;
  }
  auto t = std::make_shared<Thread>();
  t->suspendCount = (flags & CREATE_SUSPENDED) ? 1 : 0;
  try {
    std::thread(RunThread, t, start, param).detach();
  } catch (const std::system_error&) {
    SetLastError(ERROR_NOT_ENOUGH_MEMORY);
    return nullptr;
  }
  {
    // The id is the host's thread id, which the window layer uses too.
    std::unique_lock<std::mutex> lk(Lock());
    Changed().wait(lk, [&] { return t->started; });
  }
  if (threadId) *threadId = t->tid;
  return Insert(t);
}

HANDLE WINAPI GetCurrentThread(void) { return reinterpret_cast<HANDLE>(static_cast<LONG_PTR>(-2)); }

DWORD WINAPI GetCurrentThreadId(void) { return HostThreadId(); }

DWORD WINAPI GetCurrentProcessId(void) { return static_cast<DWORD>(::getpid()); }

DWORD WINAPI GetThreadId(HANDLE h) {
  auto t = FindThread(h);
  if (!t) return 0;
  std::lock_guard<std::mutex> g(Lock());
  return t->tid;
}

DWORD WINAPI SuspendThread(HANDLE h) {
  auto t = FindThread(h);
  if (!t) return static_cast<DWORD>(-1);
  DWORD previous;
  {
    std::lock_guard<std::mutex> g(Lock());
    if (t->signaled) {
      SetLastError(ERROR_ACCESS_DENIED);
      return static_cast<DWORD>(-1);
    }
    if (t->suspendCount >= MAXIMUM_SUSPEND_COUNT) {
      SetLastError(ERROR_SIGNAL_REFUSED);
      return static_cast<DWORD>(-1);
    }
    previous = t->suspendCount++;
  }
  if (t == Self()) SuspensionPoint();
  return previous;
}

DWORD WINAPI ResumeThread(HANDLE h) {
  auto t = FindThread(h);
  if (!t) return static_cast<DWORD>(-1);
  DWORD previous;
  {
    std::lock_guard<std::mutex> g(Lock());
    previous = t->suspendCount;
    if (previous > 0) --t->suspendCount;
  }
  if (previous == 1) t->resumed.notify_all();
  return previous;
}

// Priorities are kept and answered; the host scheduler is left alone, as
// raising a thread's priority needs privileges a desktop user lacks.
BOOL WINAPI SetThreadPriority(HANDLE h, int priority) {
  auto t = FindThread(h);
  if (!t) return FALSE;
  if (!ValidPriority(priority)) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  std::lock_guard<std::mutex> g(Lock());
  t->priority = priority;
  return TRUE;
}

int WINAPI GetThreadPriority(HANDLE h) {
  auto t = FindThread(h);
  if (!t) return THREAD_PRIORITY_ERROR_RETURN;
  std::lock_guard<std::mutex> g(Lock());
  return t->priority;
}

BOOL WINAPI GetExitCodeThread(HANDLE h, LPDWORD code) {
  auto t = FindThread(h);
  if (!t || !code) {
    if (t) SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  std::lock_guard<std::mutex> g(Lock());
  *code = t->exitCode;
  return TRUE;
}

BOOL WINAPI SwitchToThread(void) {
  SuspensionPoint();
  std::this_thread::yield();
  return TRUE;
}
