// What the window layer needs from kernel32 beyond the public calls: waiting
// on kernel objects together with its own message queue.
//
// A message wait (MsgWaitForMultipleObjects) polls the handles, registers a
// signal listener that wakes its queue, and sleeps on its queue as usual:
//
//   int id = kernel::AddSignalListener([q] { WakeThread(*q); });
//   for (;;) {
//     DWORD r = kernel::PollHandles(n, handles, all);
//     if (r != WAIT_TIMEOUT) break;      // WAIT_OBJECT_0 + i or WAIT_FAILED
//     ... check the queue, wait for work ...
//   }
//   kernel::RemoveSignalListener(id);
#pragma once

#include <functional>

#include <win32/kernel32.h>

namespace kernel {

// Checks the handles without blocking. Answers WAIT_OBJECT_0 + i for the
// first signalled handle (with waitAll: WAIT_OBJECT_0 once all are), and
// consumes what a satisfied wait consumes (an auto-reset event is reset);
// WAIT_TIMEOUT when the wait is not satisfied; WAIT_FAILED (last error
// ERROR_INVALID_HANDLE) when a handle is not a waitable object.
DWORD PollHandles(DWORD count, const HANDLE* handles, BOOL waitAll);

// `wake` is called, on the signalling thread and outside every kernel lock,
// each time an object becomes signalled (an event set, a thread ended).
int AddSignalListener(std::function<void()> wake);
void RemoveSignalListener(int id);

// Blocks while another thread holds the calling thread suspended. Every
// kernel call passes through here; a message loop may call it too so that
// a suspended thread that only pumps messages stops as well.
void SuspensionPoint();

}  // namespace kernel
