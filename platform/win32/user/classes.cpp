// Window classes: registration and lookup by name or atom.
#include "classes.h"

#include <strings.h>

#include <cstring>

namespace user {

std::shared_ptr<WindowClass> FindClass(LPCSTR name) {
  State& s = S();
  std::lock_guard<std::recursive_mutex> g(s.lock);
  for (auto& c : s.classes) {
    if (IS_INTRESOURCE(name)) {
      if (c->atom == static_cast<ATOM>(reinterpret_cast<ULONG_PTR>(name))) return c;
    } else if (name && ::strcasecmp(c->name.c_str(), name) == 0) {
      return c;
    }
  }
  return nullptr;
}

}  // namespace user

using namespace user;

ATOM WINAPI RegisterClassExA(const WNDCLASSEXA* wc) {
  if (!wc || !wc->lpszClassName || IS_INTRESOURCE(wc->lpszClassName) || !wc->lpfnWndProc) return 0;
  if (FindClass(wc->lpszClassName)) return 0;  // ERROR_CLASS_ALREADY_EXISTS
  auto c = std::make_shared<WindowClass>();
  c->name = wc->lpszClassName;
  c->style = wc->style;
  c->proc = wc->lpfnWndProc;
  c->clsExtra = wc->cbClsExtra < 0 ? 0 : wc->cbClsExtra;
  c->wndExtra = wc->cbWndExtra < 0 ? 0 : wc->cbWndExtra;
  c->instance = wc->hInstance;
  c->icon = wc->hIcon;
  c->iconSm = wc->hIconSm;
  c->cursor = wc->hCursor;
  c->background = wc->hbrBackground;
  if (wc->lpszMenuName && !IS_INTRESOURCE(wc->lpszMenuName)) c->menuName = wc->lpszMenuName;
  c->extra.assign(static_cast<std::size_t>(c->clsExtra), 0);
  State& s = S();
  std::lock_guard<std::recursive_mutex> g(s.lock);
  c->atom = s.nextAtom++;
  s.classes.push_back(c);
  return c->atom;
}

ATOM WINAPI RegisterClassA(const WNDCLASSA* wc) {
  if (!wc) return 0;
  WNDCLASSEXA ex{sizeof(WNDCLASSEXA), wc->style, wc->lpfnWndProc, wc->cbClsExtra, wc->cbWndExtra, wc->hInstance,
                 wc->hIcon, wc->hCursor, wc->hbrBackground, wc->lpszMenuName, wc->lpszClassName, nullptr};
  return RegisterClassExA(&ex);
}

BOOL WINAPI UnregisterClassA(LPCSTR name, HINSTANCE) {
  auto c = FindClass(name);
  if (!c) return FALSE;
  State& s = S();
  std::lock_guard<std::recursive_mutex> g(s.lock);
  for (auto& [h, w] : s.windows)
    if (w->cls == c && !w->destroyed) return FALSE;  // ERROR_CLASS_HAS_WINDOWS
  std::erase(s.classes, c);
  return TRUE;
}

BOOL WINAPI GetClassInfoExA(HINSTANCE, LPCSTR name, LPWNDCLASSEXA out) {
  auto c = FindClass(name);
  if (!c || !out) return FALSE;
  out->style = c->style;
  out->lpfnWndProc = c->proc;
  out->cbClsExtra = c->clsExtra;
  out->cbWndExtra = c->wndExtra;
  out->hInstance = c->instance;
  out->hIcon = c->icon;
  out->hIconSm = c->iconSm;
  out->hCursor = c->cursor;
  out->hbrBackground = c->background;
  out->lpszMenuName = c->menuName.empty() ? nullptr : c->menuName.c_str();
  out->lpszClassName = c->name.c_str();
  return c->atom;
}

BOOL WINAPI GetClassInfoA(HINSTANCE inst, LPCSTR name, LPWNDCLASSA out) {
  WNDCLASSEXA ex{};
  BOOL ok = GetClassInfoExA(inst, name, &ex);
  if (!ok || !out) return FALSE;
  *out = WNDCLASSA{ex.style, ex.lpfnWndProc, ex.cbClsExtra, ex.cbWndExtra, ex.hInstance, ex.hIcon,
                   ex.hCursor, ex.hbrBackground, ex.lpszMenuName, ex.lpszClassName};
  return ok;
}

int WINAPI GetClassNameA(HWND hwnd, LPSTR buf, int max) {
  Window* w = Lookup(hwnd);
  if (!w || !buf || max <= 0) return 0;
  int n = static_cast<int>(w->cls->name.size());
  if (n > max - 1) n = max - 1;
  std::memcpy(buf, w->cls->name.data(), static_cast<std::size_t>(n));
  buf[n] = 0;
  return n;
}

ULONG_PTR WINAPI GetClassLongPtrA(HWND hwnd, int index) {
  Window* w = Lookup(hwnd);
  if (!w) return 0;
  WindowClass& c = *w->cls;
  if (index >= 0) {
    if (index + static_cast<int>(sizeof(LONG_PTR)) > c.clsExtra) return 0;
    LONG_PTR v;
    std::memcpy(&v, c.extra.data() + index, sizeof v);
    return static_cast<ULONG_PTR>(v);
  }
  switch (index) {
    case GCL_STYLE: return c.style;
    case GCLP_WNDPROC: return reinterpret_cast<ULONG_PTR>(c.proc);
    case GCLP_HCURSOR: return reinterpret_cast<ULONG_PTR>(c.cursor);
    case GCLP_HBRBACKGROUND: return reinterpret_cast<ULONG_PTR>(c.background);
    case GCL_HICON: return reinterpret_cast<ULONG_PTR>(c.icon);
    case GCL_HMODULE: return reinterpret_cast<ULONG_PTR>(c.instance);
    case GCL_CBWNDEXTRA: return static_cast<ULONG_PTR>(c.wndExtra);
    case GCL_CBCLSEXTRA: return static_cast<ULONG_PTR>(c.clsExtra);
    case GCW_ATOM: return c.atom;
    default: return 0;
  }
}

ULONG_PTR WINAPI SetClassLongPtrA(HWND hwnd, int index, LONG_PTR v) {
  Window* w = Lookup(hwnd);
  if (!w) return 0;
  WindowClass& c = *w->cls;
  ULONG_PTR old = GetClassLongPtrA(hwnd, index);
  if (index >= 0) {
    if (index + static_cast<int>(sizeof(LONG_PTR)) > c.clsExtra) return 0;
    std::memcpy(c.extra.data() + index, &v, sizeof v);
    return old;
  }
  switch (index) {
    case GCL_STYLE: c.style = static_cast<UINT>(v); break;
    case GCLP_WNDPROC: c.proc = reinterpret_cast<WNDPROC>(v); break;
    case GCLP_HCURSOR: c.cursor = reinterpret_cast<HCURSOR>(v); break;
    case GCLP_HBRBACKGROUND: c.background = reinterpret_cast<HBRUSH>(v); break;
    case GCL_HICON: c.icon = reinterpret_cast<HICON>(v); break;
    default: return 0;
  }
  return old;
}

DWORD WINAPI GetClassLongA(HWND hwnd, int index) { return static_cast<DWORD>(GetClassLongPtrA(hwnd, index)); }
DWORD WINAPI SetClassLongA(HWND hwnd, int index, LONG v) {
  return static_cast<DWORD>(SetClassLongPtrA(hwnd, index, v));
}
