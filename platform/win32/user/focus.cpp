// Keyboard focus, activation and enabling, with the message order of Windows.
#include "window.h"

namespace user {
namespace {

HWND H(Window* w) { return w ? w->hwnd : nullptr; }

void SendActivateApp(bool active, DWORD otherThread) {
  std::vector<HWND> tops;
  for (Window* t : S().topLevels)
    if (t->thread == CurrentThread()) tops.push_back(t->hwnd);
  for (HWND h : tops)
    if (Window* t = Lookup(h)) Send(t, WM_ACTIVATEAPP, active, static_cast<LPARAM>(otherThread));
}

bool CanActivate(Window* w) {
  return w && IsTopLevel(w) && Visible(w) && !(w->style & WS_DISABLED) && !(w->exStyle & WS_EX_NOACTIVATE);
}

}  // namespace

void SetFocusWindow(Window* w) {
  State& s = S();
  Window* old = s.focus;
  if (old == w) return;
  s.focus = w;
  if (old && Lookup(old->hwnd)) Send(old, WM_KILLFOCUS, reinterpret_cast<WPARAM>(H(w)), 0);
  if (w && s.focus == w && Lookup(w->hwnd)) Send(w, WM_SETFOCUS, reinterpret_cast<WPARAM>(H(old)), 0);
}

bool ActivateWindow(Window* w, bool mouse, bool fromHost) {
  State& s = S();
  Window* old = s.active;
  if (w == old) return true;
  HWND h = H(w);
  if (HasHook(WH_CBT)) {
    CBTACTIVATESTRUCT cbt{mouse, H(old)};
    if (CallHooks(WH_CBT, HCBT_ACTIVATE, reinterpret_cast<WPARAM>(h), reinterpret_cast<LPARAM>(&cbt))) return false;
  }
  if (old && Lookup(old->hwnd)) {
    Send(old, WM_NCACTIVATE, FALSE, reinterpret_cast<LPARAM>(h));
    Send(old, WM_ACTIVATE, MAKEWPARAM(WA_INACTIVE, (old->style & WS_MINIMIZE) != 0), reinterpret_cast<LPARAM>(h));
  }
  if (w && !Lookup(h)) return false;
  s.active = w;
  if (!w) return true;
  if (!s.appActive) {
    s.appActive = true;
    SendActivateApp(true, 0);
    if (!Lookup(h)) return false;
  }
  // Activation raises the window (and the windows it owns) to the top.
  SetWindowPos(h, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  Window* rootOwner = w;
  while (rootOwner->owner) rootOwner = rootOwner->owner;
  rootOwner->lastActivePopup = h;
  if (!fromHost && w->surface != backend::kNoSurface && !(w->style & WS_POPUP))
    if (backend::Backend* host = Host()) host->FocusSurface(w->surface);
  Send(w, WM_NCACTIVATE, TRUE, reinterpret_cast<LPARAM>(H(old)));
  Send(w, WM_ACTIVATE, MAKEWPARAM(mouse ? WA_CLICKACTIVE : WA_ACTIVE, (w->style & WS_MINIMIZE) != 0),
       reinterpret_cast<LPARAM>(H(old)));
  // Keystrokes must not keep going to a window that is no longer active.
  if (s.active == w && s.focus && Root(s.focus) != w) SetFocusWindow(nullptr);
  return true;
}

void DeactivateApp() {
  State& s = S();
  if (!s.appActive) return;
  Window* old = s.active;
  if (old && Lookup(old->hwnd)) {
    Send(old, WM_NCACTIVATE, FALSE, 0);
    Send(old, WM_ACTIVATE, MAKEWPARAM(WA_INACTIVE, (old->style & WS_MINIMIZE) != 0), 0);
  }
  s.active = nullptr;
  s.appActive = false;
  SendActivateApp(false, 0);
  SetFocusWindow(nullptr);
}

void ActivateAnother(Window* leaving) {
  Window* next = nullptr;
  if (leaving->owner && CanActivate(leaving->owner)) next = leaving->owner;
  if (!next)
    for (Window* t : S().topLevels)
      if (t != leaving && t->owner != leaving && CanActivate(t) && !(t->style & WS_MINIMIZE)) {
        next = t;
        break;
      }
  if (next) {
    ActivateWindow(next, false, false);
  } else {
    DeactivateApp();
  }
}

}  // namespace user

using namespace user;

HWND WINAPI SetFocus(HWND hwnd) {
  State& s = S();
  HWND previous = H(s.focus);
  if (!hwnd) {
    if (HasHook(WH_CBT) && CallHooks(WH_CBT, HCBT_SETFOCUS, 0, reinterpret_cast<LPARAM>(previous))) return nullptr;
    SetFocusWindow(nullptr);
    return previous;
  }
  Window* w = Lookup(hwnd);
  if (!w || w->thread != CurrentThread()) return nullptr;
  for (Window* p = w; p; p = p->parent)
    if (p->style & (WS_MINIMIZE | WS_DISABLED)) return nullptr;
  if (s.focus == w) return previous;
  if (HasHook(WH_CBT) &&
      CallHooks(WH_CBT, HCBT_SETFOCUS, reinterpret_cast<WPARAM>(hwnd), reinterpret_cast<LPARAM>(previous)))
    return nullptr;
  Window* top = Root(w);
  if (top != s.active) {
    if (!ActivateWindow(top, false, false)) return nullptr;
    if (!Lookup(hwnd)) return nullptr;
  }
  SetFocusWindow(w);
  return previous;
}

HWND WINAPI GetFocus(void) { return H(S().focus); }

HWND WINAPI SetActiveWindow(HWND hwnd) {
  HWND previous = H(S().active);
  Window* w = Lookup(hwnd);
  if (hwnd && !w) return nullptr;
  if (w) w = Root(w);
  if (w && (w->style & WS_DISABLED)) return nullptr;
  if (!ActivateWindow(w, false, false)) return nullptr;
  return previous;
}

HWND WINAPI GetActiveWindow(void) { return H(S().active); }

HWND WINAPI GetForegroundWindow(void) { return S().appActive ? H(S().active) : nullptr; }

BOOL WINAPI SetForegroundWindow(HWND hwnd) {
  Window* w = Lookup(hwnd);
  if (!w) return FALSE;
  w = Root(w);
  if (!ActivateWindow(w, false, false)) return FALSE;
  if (w->surface != backend::kNoSurface)
    if (backend::Backend* host = Host()) host->RaiseSurface(w->surface);
  return TRUE;
}

BOOL WINAPI EnableWindow(HWND hwnd, BOOL enable) {
  Window* w = Lookup(hwnd);
  if (!w) return FALSE;
  bool wasDisabled = (w->style & WS_DISABLED) != 0;
  if (enable && wasDisabled) {
    w->style &= ~WS_DISABLED;
    Send(w, WM_ENABLE, TRUE, 0);
  } else if (!enable && !wasDisabled) {
    Send(w, WM_CANCELMODE, 0, 0);
    if (!Lookup(hwnd)) return FALSE;
    w->style |= WS_DISABLED;
    Window* f = S().focus;
    if (f && (f == w || IsDescendant(w, f))) SetFocus(nullptr);
    if (S().capture && (S().capture == w || IsDescendant(w, S().capture))) ReleaseCapture();
    Send(w, WM_ENABLE, FALSE, 0);
  }
  return wasDisabled;
}

BOOL WINAPI MessageBeep(UINT type) {
  const char* name = ".Default";
  switch (type & 0xF0) {
    case MB_ICONHAND: name = "SystemHand"; break;
    case MB_ICONQUESTION: name = "SystemQuestion"; break;
    case MB_ICONEXCLAMATION: name = "SystemExclamation"; break;
    case MB_ICONASTERISK: name = "SystemAsterisk"; break;
    default: break;
  }
  if (backend::Backend* host = Host()) host->PlaySound(name);
  return TRUE;
}
