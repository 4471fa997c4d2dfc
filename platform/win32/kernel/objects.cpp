// The handle table, events and the waits on threads and events.
#include "objects.h"

#include <sys/syscall.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <map>
#include <unordered_map>
#include <vector>

#include <backend/backend.h>

#include "internal/kernel_internal.h"

namespace kernel {
namespace {

const HANDLE kCurrentThreadPseudo = reinterpret_cast<HANDLE>(static_cast<LONG_PTR>(-2));

// Never destroyed: detached threads may still use it while the process exits.
struct Table {
  std::mutex m;
  std::condition_variable changed;
  std::unordered_map<std::uintptr_t, std::shared_ptr<Object>> objects;
  std::uintptr_t next = 0x100;
  std::map<std::string, std::weak_ptr<Event>> namedEvents;
  std::mutex listenersM;
  std::map<int, std::function<void()>> listeners;
  int nextListener = 1;
};

Table& T() {
  static Table* t = new Table;
  return *t;
}

// Lock() held. Answers WAIT_OBJECT_0 + i, WAIT_TIMEOUT or WAIT_FAILED.
DWORD PollLocked(const std::vector<std::shared_ptr<Object>>& objs, bool waitAll) {
  if (waitAll) {
    for (auto& o : objs)
      if (!o->signaled) return WAIT_TIMEOUT;
    for (auto& o : objs)
      if (!o->manualReset) o->signaled = false;
    return WAIT_OBJECT_0;
  }
  for (std::size_t i = 0; i < objs.size(); ++i) {
    if (!objs[i]->signaled) continue;
    if (!objs[i]->manualReset) objs[i]->signaled = false;
    return WAIT_OBJECT_0 + static_cast<DWORD>(i);
  }
  return WAIT_TIMEOUT;
}

bool Resolve(DWORD count, const HANDLE* handles, std::vector<std::shared_ptr<Object>>& out) {
  if (count == 0 || count > MAXIMUM_WAIT_OBJECTS || !handles) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return false;
  }
  for (DWORD i = 0; i < count; ++i) {
    auto o = Find(handles[i]);
    if (!o) {
      SetLastError(ERROR_INVALID_HANDLE);
      return false;
    }
    out.push_back(std::move(o));
  }
  return true;
}

DWORD Wait(DWORD count, const HANDLE* handles, bool waitAll, DWORD ms) {
  SuspensionPoint();
  std::vector<std::shared_ptr<Object>> objs;
  if (!Resolve(count, handles, objs)) return WAIT_FAILED;
  const std::uint64_t deadline = Now() + ms;
  DWORD r;
  {
    std::unique_lock<std::mutex> lk(Lock());
    for (;;) {
      r = PollLocked(objs, waitAll);
      if (r != WAIT_TIMEOUT || ms == 0) break;
      if (ms == INFINITE) {
        Changed().wait(lk);
        continue;
      }
      std::uint64_t now = Now();
      if (now >= deadline) break;
      // The backend clock may be virtual, so it is looked at again often
      // rather than trusted to match the host clock.
      auto slice = std::min<std::uint64_t>(deadline - now, backend::Current() ? 2 : deadline - now);
      Changed().wait_for(lk, std::chrono::milliseconds(slice));
    }
  }
  SuspensionPoint();
  return r;
}

}  // namespace

std::mutex& Lock() { return T().m; }
std::condition_variable& Changed() { return T().changed; }

HANDLE Insert(std::shared_ptr<Object> object) {
  std::lock_guard<std::mutex> g(Lock());
  Table& t = T();
  std::uintptr_t h = t.next;
  t.next += 4;
  t.objects[h] = std::move(object);
  return reinterpret_cast<HANDLE>(h);
}

std::shared_ptr<Object> Find(HANDLE handle) {
  if (handle == kCurrentThreadPseudo) return Self();
  std::lock_guard<std::mutex> g(Lock());
  auto it = T().objects.find(reinterpret_cast<std::uintptr_t>(handle));
  return it == T().objects.end() ? nullptr : it->second;
}

bool Remove(HANDLE handle) {
  std::shared_ptr<Object> doomed;  // released outside the lock
  std::lock_guard<std::mutex> g(Lock());
  auto it = T().objects.find(reinterpret_cast<std::uintptr_t>(handle));
  if (it == T().objects.end()) return false;
  doomed = std::move(it->second);
  T().objects.erase(it);
  return true;
}

void NotifySignaled() {
  Changed().notify_all();
  std::vector<std::function<void()>> calls;
  {
    std::lock_guard<std::mutex> g(T().listenersM);
    for (auto& [id, fn] : T().listeners) calls.push_back(fn);
  }
  for (auto& fn : calls) fn();
}

std::uint64_t Now() { return backend::NowMs(); }

DWORD HostThreadId() {
  thread_local DWORD tid = static_cast<DWORD>(::syscall(SYS_gettid));
  return tid;
}

DWORD PollHandles(DWORD count, const HANDLE* handles, BOOL waitAll) {
  std::vector<std::shared_ptr<Object>> objs;
  if (!Resolve(count, handles, objs)) return WAIT_FAILED;
  std::lock_guard<std::mutex> g(Lock());
  return PollLocked(objs, waitAll != FALSE);
}

int AddSignalListener(std::function<void()> wake) {
  std::lock_guard<std::mutex> g(T().listenersM);
  int id = T().nextListener++;
  T().listeners[id] = std::move(wake);
  return id;
}

void RemoveSignalListener(int id) {
  std::lock_guard<std::mutex> g(T().listenersM);
  T().listeners.erase(id);
}

namespace {
std::shared_ptr<Event> FindEvent(HANDLE h) {
  auto o = Find(h);
  if (!o || o->kind != Object::kEvent) {
    SetLastError(ERROR_INVALID_HANDLE);
    return nullptr;
  }
  return std::static_pointer_cast<Event>(o);
}

// Named events are shared: a second create answers the same object.
HANDLE CreateNamedEvent(const std::string& name, BOOL manualReset, BOOL initialState) {
  std::shared_ptr<Event> e;
  bool existed = false;
  {
    std::lock_guard<std::mutex> g(Lock());
    auto& slot = T().namedEvents[name];
    e = slot.lock();
    existed = e != nullptr;
    if (!e) {
      e = std::make_shared<Event>();
      e->name = name, e->manualReset = manualReset != FALSE, e->signaled = initialState != FALSE;
      slot = e;
    }
  }
  HANDLE h = Insert(e);
  SetLastError(existed ? ERROR_ALREADY_EXISTS : NO_ERROR);
  return h;
}
}  // namespace

}  // namespace kernel

using namespace kernel;

HANDLE WINAPI CreateEventA(LPSECURITY_ATTRIBUTES, BOOL manualReset, BOOL initialState, LPCSTR name) {
  if (name && *name) return CreateNamedEvent(name, manualReset, initialState);
  auto e = std::make_shared<Event>();
  e->manualReset = manualReset != FALSE;
  e->signaled = initialState != FALSE;
  SetLastError(NO_ERROR);
  return Insert(std::move(e));
}

BOOL WINAPI SetEvent(HANDLE h) {
  auto e = FindEvent(h);
  if (!e) return FALSE;
  {
    std::lock_guard<std::mutex> g(Lock());
    e->signaled = true;
  }
  NotifySignaled();
  return TRUE;
}

BOOL WINAPI ResetEvent(HANDLE h) {
  auto e = FindEvent(h);
  if (!e) return FALSE;
  std::lock_guard<std::mutex> g(Lock());
  e->signaled = false;
  return TRUE;
}

DWORD WINAPI WaitForSingleObject(HANDLE h, DWORD ms) { return Wait(1, &h, false, ms); }

DWORD WINAPI WaitForMultipleObjects(DWORD count, const HANDLE* handles, BOOL waitAll, DWORD ms) {
  return Wait(count, handles, waitAll != FALSE, ms);
}

BOOL WINAPI CloseHandle(HANDLE h) {
  if (h == kCurrentThreadPseudo) return TRUE;  // closing the pseudo handle does nothing
  if (Remove(h)) return TRUE;
  SetLastError(ERROR_INVALID_HANDLE);
  return FALSE;
}
