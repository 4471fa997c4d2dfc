#include "framework/thread.h"

#include <win32/kernel32.h>

#include "framework/exceptions.h"
#include "framework/format.h"

namespace {

constexpr int kWin32Priorities[] = {
    THREAD_PRIORITY_IDLE,         THREAD_PRIORITY_LOWEST,  THREAD_PRIORITY_BELOW_NORMAL,
    THREAD_PRIORITY_NORMAL,       THREAD_PRIORITY_ABOVE_NORMAL, THREAD_PRIORITY_HIGHEST,
    THREAD_PRIORITY_TIME_CRITICAL};

[[noreturn]] void ThreadError(const char* what) {
  throw EThread(Format("Thread Error: %s (%d)", what, static_cast<int>(GetLastError())));
}

// Waits for `thread` to end. The main thread keeps serving synchronised
// calls meanwhile: the thread may be waiting in one (OnTerminate is one).
void WaitForEnd(HANDLE thread) {
  if (GetCurrentThreadId() != MainThreadID()) {
    WaitForSingleObject(thread, INFINITE);
    return;
  }
  HANDLE both[] = {thread, SyncEvent()};
  while (WaitForMultipleObjects(2, both, FALSE, INFINITE) != WAIT_OBJECT_0) CheckSynchronize();
}

}  // namespace

int ThreadPriorityToWin32(TThreadPriority priority) { return kWin32Priorities[priority]; }

TThreadPriority ThreadPriorityFromWin32(int priority) {
  for (int i = tpIdle; i <= tpTimeCritical; ++i)
    if (kWin32Priorities[i] == priority) return static_cast<TThreadPriority>(i);
  return tpNormal;
}

TThread::TThread(bool createSuspended) {
  handle_ = CreateThread(nullptr, 0, &TThread::ThreadProc, this, CREATE_SUSPENDED, &threadId_);
  if (!handle_) ThreadError("cannot create thread");
  if (!createSuspended) Resume();
}

TThread::~TThread() {
  EndThread();
  if (handle_) CloseHandle(handle_);
}

void TThread::EndThread() {
  if (handle_ && !finished_ && GetCurrentThreadId() != threadId_) {
    Terminate();
    // A suspended thread could never see Terminated: let it run to its end
    // (one never started skips Execute altogether).
    for (DWORD count = ResumeThread(handle_); count != static_cast<DWORD>(-1) && count > 1;)
      count = ResumeThread(handle_);
    suspended_ = false;
    WaitForEnd(handle_);
  }
}

DWORD WINAPI TThread::ThreadProc(LPVOID self) {
  auto* thread = static_cast<TThread*>(self);
  if (!thread->terminated_) {
    try {
      thread->Execute();
    } catch (...) {
      thread->fatalException_ = std::current_exception();
    }
  }
  bool freeThread = thread->freeOnTerminate_;
  DWORD result = static_cast<DWORD>(thread->returnValue_.load());
  try {
    thread->DoTerminate();
  } catch (...) {
    // OnTerminate failing must not take the process down with the thread.
  }
  thread->finished_ = true;
  if (freeThread) delete thread;
  return result;
}

void TThread::DoTerminate() {
  if (OnTerminate) Synchronize([this] { OnTerminate(this); });
}

void TThread::Resume() {
  // Once the last suspension is lifted, a free-on-terminate thread may run
  // to its end and free this object: nothing here is touched after that.
  const bool wasSuspended = suspended_;
  suspended_ = false;
  DWORD previous = ResumeThread(handle_);
  if (previous == static_cast<DWORD>(-1)) {
    suspended_ = wasSuspended;
    ThreadError("cannot resume");
  }
  if (previous > 1) suspended_ = true;  // still held, so still alive
}

void TThread::Suspend() {
  bool was = suspended_;
  suspended_ = true;
  if (SuspendThread(handle_) == static_cast<DWORD>(-1)) {
    suspended_ = was;
    ThreadError("cannot suspend");
  }
}

void TThread::SetSuspended(bool value) {
  if (value == suspended_) return;
  value ? Suspend() : Resume();
}

void TThread::Terminate() { terminated_ = true; }

DWORD TThread::WaitFor() {
  if (freeOnTerminate_) throw EThread("Cannot call WaitFor on a FreeOnTerminate thread");
  WaitForEnd(handle_);
  DWORD code = 0;
  GetExitCodeThread(handle_, &code);
  return code;
}

TThreadPriority TThread::Priority() const { return ThreadPriorityFromWin32(GetThreadPriority(handle_)); }

void TThread::SetPriority(TThreadPriority priority) {
  if (!SetThreadPriority(handle_, ThreadPriorityToWin32(priority))) ThreadError("cannot set priority");
}

void TThread::Synchronize(TThread*, const TThreadMethod& method) { SynchronizeCall(method); }
