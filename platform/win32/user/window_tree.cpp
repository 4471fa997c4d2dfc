// Relations between windows, window data (GetWindowLong and friends), text
// and properties.
#include <strings.h>
#include <unistd.h>

#include <algorithm>
#include <cstring>

#include "window.h"

namespace user {
namespace {

const HWND kDesktop = reinterpret_cast<HWND>(static_cast<std::uintptr_t>(0x10010));

HWND H(const Window* w) { return w ? w->hwnd : nullptr; }

bool TextMatches(const char* want, const std::string& have) {
  return !want || have == want;
}

bool ClassMatches(const char* want, const Window* w) {
  if (!want) return true;
  if (IS_INTRESOURCE(want)) return w->cls->atom == static_cast<ATOM>(reinterpret_cast<ULONG_PTR>(want));
  return ::strcasecmp(w->cls->name.c_str(), want) == 0;
}

std::string PropKey(LPCSTR name) {
  return IS_INTRESOURCE(name) ? "#" + std::to_string(reinterpret_cast<ULONG_PTR>(name)) : std::string(name);
}

void Reparent(Window* w, Window* np) {
  bool wasTop = IsTopLevel(w);
  RECT old = w->rect;
  if (Visible(w)) OnHiddenOrMoved(w, old);
  std::erase(Siblings(w), w);
  w->parent = np;
  if (np) {
    np->children.insert(np->children.begin(), w);
    if (wasTop) DestroySurface(w);
    w->pixels.reset();
  } else {
    S().topLevels.insert(S().topLevels.begin(), w);
    CreatePixels(w);
    SyncSurface(w);
  }
  if (Visible(w)) OnShown(w);
}

}  // namespace
}  // namespace user

using namespace user;

BOOL WINAPI IsWindow(HWND hwnd) { return Lookup(hwnd) != nullptr; }

BOOL WINAPI IsWindowVisible(HWND hwnd) {
  Window* w = Lookup(hwnd);
  return w && Visible(w);
}

BOOL WINAPI IsWindowEnabled(HWND hwnd) {
  Window* w = Lookup(hwnd);
  return w && !(w->style & WS_DISABLED);
}

BOOL WINAPI IsIconic(HWND hwnd) {
  Window* w = Lookup(hwnd);
  return w && (w->style & WS_MINIMIZE);
}

BOOL WINAPI IsZoomed(HWND hwnd) {
  Window* w = Lookup(hwnd);
  return w && (w->style & WS_MAXIMIZE);
}

HWND WINAPI GetDesktopWindow(void) { return kDesktop; }

HWND WINAPI GetParent(HWND hwnd) {
  Window* w = Lookup(hwnd);
  if (!w) return nullptr;
  if (w->style & WS_CHILD) return H(w->parent);
  if (w->style & WS_POPUP) return H(w->owner);
  return nullptr;
}

HWND WINAPI GetAncestor(HWND hwnd, UINT flags) {
  Window* w = Lookup(hwnd);
  if (!w) return nullptr;
  switch (flags) {
    case GA_PARENT: return w->parent ? w->parent->hwnd : kDesktop;
    case GA_ROOT: return Root(w)->hwnd;
    case GA_ROOTOWNER: {
      Window* r = Root(w);
      while (r->owner) r = r->owner;
      return r->hwnd;
    }
    default: return nullptr;
  }
}

HWND WINAPI SetParent(HWND child, HWND newParent) {
  Window* w = Lookup(child);
  if (!w) return nullptr;
  Window* np = (newParent == kDesktop) ? nullptr : Lookup(newParent);
  if (newParent && newParent != kDesktop && !np) return nullptr;
  if (np == w || IsDescendant(w, np)) return nullptr;  // would make a cycle
  HWND old = w->parent ? w->parent->hwnd : kDesktop;
  if (np != w->parent) Reparent(w, np);
  return old;
}

BOOL WINAPI IsChild(HWND parent, HWND hwnd) {
  Window* p = Lookup(parent);
  Window* w = Lookup(hwnd);
  if (!p || !w) return FALSE;
  // Only the WS_CHILD chain counts, as on Windows.
  for (Window* c = w; c && (c->style & WS_CHILD); c = c->parent)
    if (c->parent == p) return TRUE;
  return FALSE;
}

HWND WINAPI GetWindow(HWND hwnd, UINT cmd) {
  Window* w = Lookup(hwnd);
  if (!w) return nullptr;
  if (cmd == GW_CHILD) return w->children.empty() ? nullptr : w->children.front()->hwnd;
  if (cmd == GW_OWNER) return H(w->owner);
  if (cmd == GW_ENABLEDPOPUP) {
    for (Window* t : S().topLevels)
      if (t->owner == w && Visible(t) && !(t->style & WS_DISABLED)) return t->hwnd;
    return nullptr;
  }
  auto& list = Siblings(w);
  auto it = std::find(list.begin(), list.end(), w);
  if (it == list.end()) return nullptr;
  switch (cmd) {
    case GW_HWNDFIRST: return list.front()->hwnd;
    case GW_HWNDLAST: return list.back()->hwnd;
    case GW_HWNDNEXT: return (it + 1 == list.end()) ? nullptr : (*(it + 1))->hwnd;
    case GW_HWNDPREV: return it == list.begin() ? nullptr : (*(it - 1))->hwnd;
    default: return nullptr;
  }
}

HWND WINAPI GetTopWindow(HWND hwnd) {
  if (!hwnd || hwnd == kDesktop) return S().topLevels.empty() ? nullptr : S().topLevels.front()->hwnd;
  return GetWindow(hwnd, GW_CHILD);
}

HWND WINAPI GetLastActivePopup(HWND hwnd) {
  Window* w = Lookup(hwnd);
  if (!w) return nullptr;
  Window* p = Lookup(w->lastActivePopup);
  if (p && Visible(p) && !(p->style & WS_DISABLED)) return p->hwnd;
  return hwnd;
}

HWND WINAPI FindWindowExA(HWND parent, HWND after, LPCSTR cls, LPCSTR name) {
  std::vector<Window*> list;
  if (parent && parent != kDesktop) {
    Window* p = Lookup(parent);
    if (!p) return nullptr;
    list = p->children;
  } else {
    list = S().topLevels;
  }
  bool started = after == nullptr;
  for (Window* w : list) {
    if (!started) {
      started = w->hwnd == after;
      continue;
    }
    if (ClassMatches(cls, w) && TextMatches(name, w->text)) return w->hwnd;
  }
  return nullptr;
}

HWND WINAPI FindWindowA(LPCSTR cls, LPCSTR name) { return FindWindowExA(nullptr, nullptr, cls, name); }

BOOL WINAPI EnumWindows(WNDENUMPROC fn, LPARAM lp) {
  std::vector<HWND> list;
  for (Window* w : S().topLevels) list.push_back(w->hwnd);
  for (HWND h : list)
    if (Lookup(h) && !fn(h, lp)) return FALSE;
  return TRUE;
}

BOOL WINAPI EnumThreadWindows(DWORD tid, WNDENUMPROC fn, LPARAM lp) {
  std::vector<HWND> list;
  for (Window* w : S().topLevels)
    if (w->thread == tid) list.push_back(w->hwnd);
  for (HWND h : list)
    if (Lookup(h) && !fn(h, lp)) return FALSE;
  return TRUE;
}

namespace {
void CollectDescendants(Window* w, std::vector<HWND>& out) {
  for (Window* c : w->children) {
    out.push_back(c->hwnd);
    CollectDescendants(c, out);
  }
}
}  // namespace

BOOL WINAPI EnumChildWindows(HWND parent, WNDENUMPROC fn, LPARAM lp) {
  Window* p = Lookup(parent);
  if (!p) return EnumWindows(fn, lp);
  std::vector<HWND> list;
  CollectDescendants(p, list);
  for (HWND h : list)
    if (Lookup(h) && !fn(h, lp)) return FALSE;
  return TRUE;
}

DWORD WINAPI GetWindowThreadProcessId(HWND hwnd, LPDWORD pid) {
  Window* w = Lookup(hwnd);
  if (!w) return 0;
  if (pid) *pid = static_cast<DWORD>(::getpid());
  return w->thread;
}

int WINAPI GetDlgCtrlID(HWND hwnd) {
  Window* w = Lookup(hwnd);
  return w && (w->style & WS_CHILD) ? static_cast<int>(w->id) : 0;
}

HWND WINAPI GetDlgItem(HWND dlg, int id) {
  Window* p = Lookup(dlg);
  if (!p) return nullptr;
  for (Window* c : p->children)
    if (c->id == id) return c->hwnd;
  return nullptr;
}

LONG_PTR WINAPI GetWindowLongPtrA(HWND hwnd, int index) {
  Window* w = Lookup(hwnd);
  if (!w) return 0;
  if (index >= 0) {
    if (index + static_cast<int>(sizeof(LONG_PTR)) > static_cast<int>(w->extra.size())) return 0;
    LONG_PTR v;
    std::memcpy(&v, w->extra.data() + index, sizeof v);
    return v;
  }
  switch (index) {
    case GWLP_WNDPROC: return reinterpret_cast<LONG_PTR>(w->proc);
    case GWLP_HINSTANCE: return reinterpret_cast<LONG_PTR>(w->instance);
    case GWLP_HWNDPARENT: return reinterpret_cast<LONG_PTR>(H(w->parent ? w->parent : w->owner));
    case GWL_STYLE: return static_cast<LONG_PTR>(static_cast<LONG>(w->style));
    case GWL_EXSTYLE: return static_cast<LONG_PTR>(static_cast<LONG>(w->exStyle));
    case GWLP_USERDATA: return w->userData;
    case GWLP_ID: return w->id;
    default: return 0;
  }
}

namespace {
typedef struct tagSTYLESTRUCT {
  DWORD styleOld;
  DWORD styleNew;
} STYLESTRUCT;

void ChangeStyle(Window* w, int index, DWORD value) {
  STYLESTRUCT ss{index == GWL_STYLE ? w->style : w->exStyle, value};
  Send(w, WM_STYLECHANGING, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&ss));
  if (!Lookup(w->hwnd)) return;
  if (index == GWL_STYLE)
    w->style = ss.styleNew;
  else
    w->exStyle = ss.styleNew;
  Send(w, WM_STYLECHANGED, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&ss));
}
}  // namespace

LONG_PTR WINAPI SetWindowLongPtrA(HWND hwnd, int index, LONG_PTR v) {
  Window* w = Lookup(hwnd);
  if (!w) return 0;
  LONG_PTR old = GetWindowLongPtrA(hwnd, index);
  if (index >= 0) {
    if (index + static_cast<int>(sizeof(LONG_PTR)) > static_cast<int>(w->extra.size())) return 0;
    std::memcpy(w->extra.data() + index, &v, sizeof v);
    return old;
  }
  switch (index) {
    case GWLP_WNDPROC: w->proc = reinterpret_cast<WNDPROC>(v); break;
    case GWLP_HINSTANCE: w->instance = reinterpret_cast<HINSTANCE>(v); break;
    case GWLP_HWNDPARENT:
      if (!(w->style & WS_CHILD)) w->owner = Root(Lookup(reinterpret_cast<HWND>(v)));
      break;
    case GWL_STYLE:
    case GWL_EXSTYLE: ChangeStyle(w, index, static_cast<DWORD>(v)); break;
    case GWLP_USERDATA: w->userData = v; break;
    case GWLP_ID: w->id = v; break;
    default: return 0;
  }
  return old;
}

LONG WINAPI GetWindowLongA(HWND hwnd, int index) {
  if (index >= 0) {
    Window* w = Lookup(hwnd);
    if (!w || index + 4 > static_cast<int>(w->extra.size())) return 0;
    LONG v;
    std::memcpy(&v, w->extra.data() + index, 4);
    return v;
  }
  if (index == GWL_WNDPROC || index == GWL_HINSTANCE) return 0;
  return static_cast<LONG>(GetWindowLongPtrA(hwnd, index));
}

LONG WINAPI SetWindowLongA(HWND hwnd, int index, LONG v) {
  if (index >= 0) {
    Window* w = Lookup(hwnd);
    if (!w || index + 4 > static_cast<int>(w->extra.size())) return 0;
    LONG old;
    std::memcpy(&old, w->extra.data() + index, 4);
    std::memcpy(w->extra.data() + index, &v, 4);
    return old;
  }
  // A procedure or module pointer does not fit the 32-bit form on this host:
  // refuse it, as 64-bit Windows does, rather than store a truncated pointer.
  if (index == GWL_WNDPROC || index == GWL_HINSTANCE) return 0;
  return static_cast<LONG>(SetWindowLongPtrA(hwnd, index, v));
}

BOOL WINAPI SetWindowTextA(HWND hwnd, LPCSTR text) {
  Window* w = Lookup(hwnd);
  if (!w) return FALSE;
  return static_cast<BOOL>(SendMessageA(hwnd, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text ? text : "")));
}

int WINAPI GetWindowTextA(HWND hwnd, LPSTR buf, int max) {
  Window* w = Lookup(hwnd);
  if (!w || !buf || max <= 0) return 0;
  buf[0] = 0;
  return static_cast<int>(SendMessageA(hwnd, WM_GETTEXT, static_cast<WPARAM>(max), reinterpret_cast<LPARAM>(buf)));
}

int WINAPI GetWindowTextLengthA(HWND hwnd) {
  return Lookup(hwnd) ? static_cast<int>(SendMessageA(hwnd, WM_GETTEXTLENGTH, 0, 0)) : 0;
}

BOOL WINAPI SetPropA(HWND hwnd, LPCSTR name, HANDLE data) {
  Window* w = Lookup(hwnd);
  if (!w || !name) return FALSE;
  std::string key = PropKey(name);
  w->props[key] = data;
  return TRUE;
}

HANDLE WINAPI GetPropA(HWND hwnd, LPCSTR name) {
  Window* w = Lookup(hwnd);
  if (!w || !name) return nullptr;
  std::string key = PropKey(name);
  auto it = w->props.find(key);
  return it == w->props.end() ? nullptr : it->second;
}

HANDLE WINAPI RemovePropA(HWND hwnd, LPCSTR name) {
  Window* w = Lookup(hwnd);
  if (!w || !name) return nullptr;
  std::string key = PropKey(name);
  auto it = w->props.find(key);
  if (it == w->props.end()) return nullptr;
  HANDLE h = it->second;
  w->props.erase(it);
  return h;
}

BOOL WINAPI IsWindowUnicode(HWND) { return FALSE; }
