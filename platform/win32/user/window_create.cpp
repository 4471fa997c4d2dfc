// Creating and destroying windows, with the message order of Windows.
#include <algorithm>

#include "classes.h"
#include "window.h"

namespace user {
namespace {

int g_cascade = 0;

void DefaultPlacement(DWORD style, int& x, int& y, int& cx, int& cy) {
  if (style & (WS_CHILD | WS_POPUP)) {
    if (x == CW_USEDEFAULT) x = y = 0;
    if (cx == CW_USEDEFAULT) cx = cy = 0;
    return;
  }
  backend::Size screen = Host() ? Host()->ScreenSize() : backend::Size{1024, 768};
  if (x == CW_USEDEFAULT) {
    x = 26 * (g_cascade % 8);
    y = 26 * (g_cascade % 8);
    ++g_cascade;
  }
  if (cx == CW_USEDEFAULT) {
    cx = screen.width * 3 / 4;
    cy = screen.height * 3 / 4;
  }
}

void LinkIntoTree(Window* w, Window* parent) {
  w->parent = parent;
  auto& list = Siblings(w);
  if (parent) {
    // A new child goes to the bottom of its siblings, so walking GW_CHILD then
    // GW_HWNDNEXT visits children in creation order (the dialog tab order).
    list.push_back(w);
  } else if (!(w->exStyle & WS_EX_TOPMOST)) {
    // New ordinary top-level windows go below the top-most ones.
    auto it = std::find_if(list.begin(), list.end(), [](Window* o) { return !(o->exStyle & WS_EX_TOPMOST); });
    list.insert(it, w);
  } else {
    list.insert(list.begin(), w);
  }
}

void Unlink(Window* w) {
  auto& list = Siblings(w);
  std::erase(list, w);
}

void NotifyParents(Window* w, UINT event) {
  if (!(w->style & WS_CHILD) || (w->exStyle & WS_EX_NOPARENTNOTIFY)) return;
  for (Window* p = w->parent; p; p = p->parent) {
    Send(p, WM_PARENTNOTIFY, MAKEWPARAM(event, w->id), reinterpret_cast<LPARAM>(w->hwnd));
    if (!(p->style & WS_CHILD) || (p->exStyle & WS_EX_NOPARENTNOTIFY)) break;
  }
}

// The first half of destruction: WM_DESTROY goes to a window before its children.
void SendDestroy(Window* w) {
  w->destroying = true;
  if (S().capture == w) ReleaseCapture();
  CaretWindowDestroyed(w);
  Send(w, WM_DESTROY, 0, 0);
  std::vector<Window*> kids = w->children;
  for (Window* c : kids)
    if (Lookup(c->hwnd)) SendDestroy(c);
}

// The second half: children are freed first, each with WM_NCDESTROY.
void FreeWindow(Window* w) {
  std::vector<Window*> kids = w->children;
  for (Window* c : kids) FreeWindow(c);
  Send(w, WM_NCDESTROY, 0, 0);
  KillWindowTimers(w);
  ReleaseWindowDCs(w);
  ForgetWindow(w);
  if (IsTopLevel(w)) DestroySurface(w);
  Unlink(w);
  for (auto& [h, other] : S().windows)
    if (other->owner == w) other->owner = nullptr;
  DestroyWindowMenu(w);
  w->destroyed = true;
  Unregister(w);
}

std::shared_ptr<Window> Allocate(std::shared_ptr<WindowClass> cls, DWORD ex, DWORD style, HWND parentHandle,
                                 HMENU menu, HINSTANCE inst, bool& ok) {
  ok = true;
  auto w = std::make_shared<Window>();
  w->hwnd = NewHandle();
  w->cls = cls;
  w->proc = cls->proc;
  w->exStyle = ex;
  w->style = style & ~WS_VISIBLE;
  w->thread = CurrentThread();
  w->instance = inst;
  w->extra.assign(static_cast<std::size_t>(cls->wndExtra), 0);
  if (parentHandle == HWND_MESSAGE) {
    w->messageOnly = true;
  } else if (style & WS_CHILD) {
    Window* p = Lookup(parentHandle);
    if (!p) ok = false;
    w->parent = p;
    w->id = reinterpret_cast<LONG_PTR>(menu);
  } else {
    if (parentHandle) w->owner = Root(Lookup(parentHandle));
    w->menu = menu;
    // Overlapped windows always have a caption and clip their siblings.
    if (!(style & WS_POPUP)) {
      w->style |= WS_CAPTION | WS_CLIPSIBLINGS;
      w->exStyle |= WS_EX_WINDOWEDGE;
    }
  }
  if ((w->exStyle & WS_EX_DLGMODALFRAME) || (w->style & (WS_THICKFRAME | WS_DLGFRAME)) ||
      ((w->style & WS_CAPTION) == WS_CAPTION))
    w->exStyle |= WS_EX_WINDOWEDGE;
  return w;
}

}  // namespace
}  // namespace user

using namespace user;

HWND WINAPI CreateWindowExA(DWORD ex, LPCSTR className, LPCSTR name, DWORD style, int x, int y, int cx, int cy,
                            HWND parent, HMENU menu, HINSTANCE inst, LPVOID param) {
  auto cls = FindClass(className);
  if (!cls) return nullptr;
  Host();
  bool ok;
  auto holder = Allocate(cls, ex, style, parent, menu, inst, ok);
  if (!ok) return nullptr;
  Window* w = holder.get();
  {
    State& s = S();
    std::lock_guard<std::recursive_mutex> g(s.lock);
    if (!s.inputThread && !w->messageOnly) s.inputThread = CurrentThread();
  }
  DefaultPlacement(style, x, y, cx, cy);
  CREATESTRUCTA cs{param, inst, menu, parent, cy, cx, y, x, static_cast<LONG>(style), name, className, ex};
  Register(holder);
  if (HasHook(WH_CBT)) {
    CBT_CREATEWNDA cbt{&cs, HWND_TOP};
    if (CallHooks(WH_CBT, HCBT_CREATEWND, reinterpret_cast<WPARAM>(w->hwnd), reinterpret_cast<LPARAM>(&cbt))) {
      w->destroyed = true;
      Unregister(w);
      return nullptr;
    }
  }
  w->rect = RECT{cs.x, cs.y, cs.x + std::max(0, cs.cx), cs.y + std::max(0, cs.cy)};
  w->client = RECT{0, 0, w->rect.right - w->rect.left, w->rect.bottom - w->rect.top};
  LinkIntoTree(w, w->parent);
  if (IsTopLevel(w)) CreatePixels(w);
  HWND h = w->hwnd;
  if (!w->messageOnly && !(style & WS_CHILD) && (style & (WS_THICKFRAME | WS_CAPTION))) {
    MINMAXINFO mmi{};
    Send(w, WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&mmi));
  }
  if (!Send(w, WM_NCCREATE, 0, reinterpret_cast<LPARAM>(&cs))) {
    if (Lookup(h)) DestroyWindow(h);
    return nullptr;
  }
  RecalcClient(w);
  if (Send(w, WM_CREATE, 0, reinterpret_cast<LPARAM>(&cs)) == -1) {
    if (Lookup(h)) DestroyWindow(h);
    return nullptr;
  }
  if (!Lookup(h)) return nullptr;
  Send(w, WM_SIZE, SIZE_RESTORED, MAKELPARAM(w->client.right - w->client.left, w->client.bottom - w->client.top));
  Send(w, WM_MOVE, 0, MAKELPARAM(w->rect.left + w->client.left, w->rect.top + w->client.top));
  NotifyParents(w, WM_CREATE);
  if (!Lookup(h)) return nullptr;
  if (style & WS_VISIBLE) {
    if (style & WS_MAXIMIZE)
      ShowWindow(h, SW_SHOWMAXIMIZED);
    else if (style & WS_MINIMIZE)
      ShowWindow(h, SW_SHOWMINIMIZED);
    else
      ShowWindow(h, SW_SHOW);
  }
  return Lookup(h) ? h : nullptr;
}

BOOL WINAPI DestroyWindow(HWND hwnd) {
  Window* w = Lookup(hwnd);
  if (!w || w->destroying) return FALSE;
  if (w->thread != CurrentThread()) return FALSE;  // ERROR_ACCESS_DENIED, as on Windows
  if (HasHook(WH_CBT) && CallHooks(WH_CBT, HCBT_DESTROYWND, reinterpret_cast<WPARAM>(hwnd), 0)) return FALSE;
  auto keep = Hold(hwnd);
  NotifyParents(w, WM_DESTROY);
  if (!Lookup(hwnd)) return TRUE;
  if (w->style & WS_VISIBLE) {
    SetWindowPos(hwnd, nullptr, 0, 0, 0, 0,
                 SWP_HIDEWINDOW | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE |
                     (IsTopLevel(w) ? 0 : SWP_DEFERERASE));
    if (!Lookup(hwnd)) return TRUE;
  }
  // Owned windows go with their owner.
  std::vector<HWND> owned;
  for (Window* t : S().topLevels)
    if (t->owner == w) owned.push_back(t->hwnd);
  for (HWND o : owned) DestroyWindow(o);
  if (S().active == w) ActivateAnother(w);
  if (S().focus && (S().focus == w || IsDescendant(w, S().focus))) SetFocusWindow(nullptr);
  SendDestroy(w);
  FreeWindow(w);
  return TRUE;
}
