// Thread hooks. Each chain runs newest first, as on Windows; a hook passes
// on with CallNextHookEx. Unhooking during a call is safe: a removed hook
// keeps its link to the older ones.
#include "window.h"

namespace user {
namespace {

std::mutex g_hookLock;
std::map<HHOOK, std::shared_ptr<Hook>>& Hooks() {
  static auto* hooks = new std::map<HHOOK, std::shared_ptr<Hook>>;
  return *hooks;
}
std::uintptr_t g_nextHook = 0x30000;

LRESULT RunFrom(std::shared_ptr<Hook> h, int code, WPARAM wp, LPARAM lp) {
  while (h && h->removed) h = h->next;
  if (!h) return 0;
  return h->proc(code, wp, lp);
}

}  // namespace

bool HasHook(int id) {
  auto& hooks = MyQueue().hooks;
  auto it = hooks.find(id);
  return it != hooks.end() && it->second;
}

LRESULT CallHooks(int id, int code, WPARAM wp, LPARAM lp) {
  auto& hooks = MyQueue().hooks;
  auto it = hooks.find(id);
  if (it == hooks.end()) return 0;
  return RunFrom(it->second, code, wp, lp);
}

}  // namespace user

using namespace user;

HHOOK WINAPI SetWindowsHookExA(int id, HOOKPROC proc, HINSTANCE, DWORD tid) {
  if (!proc) return nullptr;
  if (id != WH_GETMESSAGE && id != WH_CALLWNDPROC && id != WH_CBT && id != WH_CALLWNDPROCRET &&
      id != WH_KEYBOARD && id != WH_MOUSE && id != WH_MSGFILTER)
    return nullptr;
  // Hooks are per thread; a process-wide request hooks the calling thread.
  if (tid != 0 && tid != CurrentThread()) return nullptr;
  auto h = std::make_shared<Hook>();
  {
    std::lock_guard<std::mutex> g(g_hookLock);
    h->handle = reinterpret_cast<HHOOK>(g_nextHook);
    g_nextHook += 2;
    Hooks()[h->handle] = h;
  }
  h->id = id;
  h->proc = proc;
  auto& head = MyQueue().hooks[id];
  h->next = head;
  head = h;
  return h->handle;
}

BOOL WINAPI UnhookWindowsHookEx(HHOOK hhk) {
  std::shared_ptr<Hook> h;
  {
    std::lock_guard<std::mutex> g(g_hookLock);
    auto it = Hooks().find(hhk);
    if (it == Hooks().end() || it->second->removed) return FALSE;
    h = it->second;
  }
  h->removed = true;
  auto& head = MyQueue().hooks[h->id];
  if (head == h) {
    head = h->next;
  } else {
    for (auto p = head; p; p = p->next)
      if (p->next == h) {
        p->next = h->next;
        break;
      }
  }
  // The hook object stays in the table (marked removed) so that a call that
  // is still running can pass on through it.
  return TRUE;
}

LRESULT WINAPI CallNextHookEx(HHOOK hhk, int code, WPARAM wp, LPARAM lp) {
  std::shared_ptr<Hook> h;
  {
    std::lock_guard<std::mutex> g(g_hookLock);
    auto it = Hooks().find(hhk);
    if (it == Hooks().end()) return 0;
    h = it->second;
  }
  return RunFrom(h->next, code, wp, lp);
}

// Modal loops (menus, dialogs) offer each message to the message-filter
// hooks before handling it; TRUE means a hook took it.
BOOL WINAPI CallMsgFilterA(LPMSG msg, int code) {
  if (!msg || !HasHook(WH_MSGFILTER)) return FALSE;
  return CallHooks(WH_MSGFILTER, code, 0, reinterpret_cast<LPARAM>(msg)) != 0;
}
