#include "framework/synchronize.h"

#include <atomic>
#include <deque>
#include <exception>
#include <memory>
#include <mutex>

#include <win32/kernel32.h>
#include <win32/user32.h>

#include "framework/exceptions.h"
#include "framework/format.h"

namespace {

// One queued call and what its caller waits for.
struct SyncRequest {
  TThreadMethod method;
  std::exception_ptr error;
  HANDLE done = nullptr;
};

struct SyncQueue {
  std::mutex lock;
  std::deque<SyncRequest*> calls;
  HANDLE pending = CreateEventA(nullptr, TRUE, FALSE, nullptr);
};

SyncQueue& Queue() {
  static SyncQueue* queue = new SyncQueue;  // lives as long as any thread may queue
  return *queue;
}

std::atomic<DWORD> g_mainThreadId{GetCurrentThreadId()};

// Takes the queue as it stands; calls queued while these run wait for the
// next round, so a call that queues another cannot starve the loop.
std::deque<SyncRequest*> TakeCalls() {
  SyncQueue& q = Queue();
  std::lock_guard<std::mutex> hold(q.lock);
  std::deque<SyncRequest*> taken;
  taken.swap(q.calls);
  ResetEvent(q.pending);
  return taken;
}

}  // namespace

void (*WakeMainThread)() = &PostWakeToMainThread;

DWORD MainThreadID() { return g_mainThreadId; }
void SetMainThreadID(DWORD threadId) { g_mainThreadId = threadId; }

void PostWakeToMainThread() { PostThreadMessageA(MainThreadID(), WM_NULL, 0, 0); }

HANDLE SyncEvent() { return Queue().pending; }

bool CheckSynchronize(int timeoutMs) {
  if (GetCurrentThreadId() != MainThreadID())
    throw EThread(Format("CheckSynchronize called from thread $%x, which is NOT the main thread",
                         static_cast<unsigned>(GetCurrentThreadId())));
  if (timeoutMs > 0) WaitForSingleObject(Queue().pending, static_cast<DWORD>(timeoutMs));
  std::deque<SyncRequest*> calls = TakeCalls();
  for (SyncRequest* call : calls) {
    try {
      call->method();
    } catch (...) {
      call->error = std::current_exception();
    }
    SetEvent(call->done);
  }
  return !calls.empty();
}

void SynchronizeCall(const TThreadMethod& method) {
  if (!method) return;
  if (GetCurrentThreadId() == MainThreadID()) return method();
  SyncRequest request{method, nullptr, CreateEventA(nullptr, FALSE, FALSE, nullptr)};
  {
    SyncQueue& q = Queue();
    std::lock_guard<std::mutex> hold(q.lock);
    q.calls.push_back(&request);
    SetEvent(q.pending);
  }
  if (WakeMainThread) WakeMainThread();
  WaitForSingleObject(request.done, INFINITE);
  CloseHandle(request.done);
  if (request.error) std::rethrow_exception(request.error);
}
