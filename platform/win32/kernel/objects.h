// Kernel objects behind HANDLEs: the handle table, the one lock that guards
// every object's state, and the waits.
#pragma once

#include <condition_variable>
#include <cstdint>
#include <memory>
#include <mutex>
#include <string>

#include <win32/kernel32.h>

namespace kernel {

struct Object {
  enum Kind { kThread, kEvent };
  explicit Object(Kind k) : kind(k) {}
  virtual ~Object() = default;
  const Kind kind;
  // Guarded by Lock().
  bool signaled = false;
  bool manualReset = true;  // threads stay signalled once ended
};

struct Thread : Object {
  Thread() : Object(kThread) {}
  // Guarded by Lock().
  DWORD tid = 0;
  DWORD suspendCount = 0;
  DWORD exitCode = STILL_ACTIVE;
  int priority = THREAD_PRIORITY_NORMAL;
  bool started = false;
  // A suspended thread waits on its own condition, so that events and
  // other threads' resumes do not wake it (used with Lock()).
  std::condition_variable resumed;
};

struct Event : Object {
  Event() : Object(kEvent) {}
  std::string name;
};

// One lock and one condition for all objects: waits are rare and short,
// and a single condition makes waiting on several objects simple.
// Suspension alone has a condition per thread (Thread::resumed).
std::mutex& Lock();
std::condition_variable& Changed();

HANDLE Insert(std::shared_ptr<Object> object);
// Resolves a handle (and the current-thread pseudo handle); null when invalid.
std::shared_ptr<Object> Find(HANDLE handle);
bool Remove(HANDLE handle);

// Call after making an object signalled, without holding Lock().
void NotifySignaled();

// The calling thread's own object (made on first use for threads that
// CreateThread did not start).
std::shared_ptr<Thread> Self();
DWORD HostThreadId();

// Backend time when a backend runs, a steady host clock otherwise.
std::uint64_t Now();

}  // namespace kernel
