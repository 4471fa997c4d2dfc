#include "message_hooks.h"

#include <algorithm>
#include <vector>

namespace {

struct Entry {
  const void* key;
  THookProc proc;
  THookProcKinds kinds;
  int refs;
};

enum HookId { hkCallWndProc, hkCbt, hkGetMessage, kHookCount };

struct Service {
  std::vector<Entry> entries;
  HHOOK hooks[kHookCount] = {};
};

Service& TheService() {
  static Service service;
  return service;
}

void Notify(THookProcKind kind, HWND window, WPARAM wp, LPARAM lp) {
  // A callback may unregister itself; walk a copy.
  const std::vector<Entry> entries = TheService().entries;
  for (const Entry& e : entries)
    if (e.kinds.Contains(kind)) e.proc(kind, window, wp, lp);
}

LRESULT CALLBACK CallWndProcHook(int code, WPARAM wp, LPARAM lp) {
  if (code == HC_ACTION) {
    const auto* m = reinterpret_cast<const CWPSTRUCT*>(lp);
    if (m->message == WM_ACTIVATEAPP) Notify(hpSendActivateApp, m->hwnd, m->wParam, m->lParam);
    if (m->message == WM_WINDOWPOSCHANGED) Notify(hpSendWindowPosChanged, m->hwnd, m->wParam, m->lParam);
  }
  return CallNextHookEx(TheService().hooks[hkCallWndProc], code, wp, lp);
}

LRESULT CALLBACK CbtHook(int code, WPARAM wp, LPARAM lp) {
  if (code == HCBT_DESTROYWND) Notify(hpPreDestroy, reinterpret_cast<HWND>(wp), 0, 0);
  return CallNextHookEx(TheService().hooks[hkCbt], code, wp, lp);
}

LRESULT CALLBACK GetMessageHook(int code, WPARAM wp, LPARAM lp) {
  if (code == HC_ACTION && wp == PM_REMOVE) {
    const auto* m = reinterpret_cast<const MSG*>(lp);
    if (m->message == WM_MOUSEMOVE) Notify(hpGetMessagePostMouseMove, m->hwnd, m->wParam, m->lParam);
  }
  return CallNextHookEx(TheService().hooks[hkGetMessage], code, wp, lp);
}

THookProcKinds KindsOf(HookId id) {
  switch (id) {
    case hkCallWndProc: return {hpSendActivateApp, hpSendWindowPosChanged};
    case hkCbt: return {hpPreDestroy};
    default: return {hpGetMessagePostMouseMove};
  }
}

void UpdateHooks() {
  static const int kTypes[kHookCount] = {WH_CALLWNDPROC, WH_CBT, WH_GETMESSAGE};
  static const HOOKPROC kProcs[kHookCount] = {CallWndProcHook, CbtHook, GetMessageHook};
  Service& s = TheService();
  for (int id = 0; id < kHookCount; ++id) {
    const THookProcKinds kinds = KindsOf(static_cast<HookId>(id));
    const bool wanted = std::any_of(s.entries.begin(), s.entries.end(), [&](const Entry& e) {
      for (THookProcKind k : {hpSendActivateApp, hpSendWindowPosChanged, hpPreDestroy, hpGetMessagePostMouseMove})
        if (kinds.Contains(k) && e.kinds.Contains(k)) return true;
      return false;
    });
    if (wanted && !s.hooks[id]) {
      s.hooks[id] = SetWindowsHookExA(kTypes[id], kProcs[id], nullptr, GetCurrentThreadId());
    } else if (!wanted && s.hooks[id]) {
      UnhookWindowsHookEx(s.hooks[id]);
      s.hooks[id] = nullptr;
    }
  }
}

}  // namespace

void InstallHookProc(const void* key, THookProc proc, THookProcKinds kinds) {
  auto& entries = TheService().entries;
  auto it = std::find_if(entries.begin(), entries.end(), [key](const Entry& e) { return e.key == key; });
  if (it != entries.end()) {
    ++it->refs;
    return;
  }
  entries.push_back(Entry{key, std::move(proc), kinds, 1});
  UpdateHooks();
}

void UninstallHookProc(const void* key) {
  auto& entries = TheService().entries;
  auto it = std::find_if(entries.begin(), entries.end(), [key](const Entry& e) { return e.key == key; });
  if (it == entries.end() || --it->refs > 0) return;
  entries.erase(it);
  UpdateHooks();
}

int InstalledHookCount() {
  int n = 0;
  for (HHOOK h : TheService().hooks) n += h != nullptr;
  return n;
}
