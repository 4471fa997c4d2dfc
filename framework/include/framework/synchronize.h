// Calls handed from other threads to the user-interface thread. A worker
// queues a call and waits; the main thread runs the queue whenever it calls
// CheckSynchronize (the application loop does so when woken).
#pragma once

#include <functional>

#include <win32/windef.h>

using TThreadMethod = std::function<void()>;

// The user-interface thread: the thread that started the program (the one
// that ran static initialisation), unless a test or host sets another.
DWORD MainThreadID();
void SetMainThreadID(DWORD threadId);

// Runs the calls queued by other threads, on the main thread only (EThread
// from any other). Waits up to `timeoutMs` for a first call when none is
// queued. True when at least one call ran.
bool CheckSynchronize(int timeoutMs = 0);

// Called (from the queuing thread) whenever a call is queued, so that a
// main loop blocked in GetMessage or a wait can come round to
// CheckSynchronize. The default posts WM_NULL to the main thread.
extern void (*WakeMainThread)();
void PostWakeToMainThread();

// A manual-reset event signalled while calls are queued: a main thread that
// waits on kernel objects adds it to its wait (MsgWaitForMultipleObjects)
// and calls CheckSynchronize when it fires.
HANDLE SyncEvent();

// Runs `method` on the main thread and waits for it to finish; on the main
// thread it runs at once. An exception thrown by the call is raised again
// in the calling thread.
void SynchronizeCall(const TThreadMethod& method);
