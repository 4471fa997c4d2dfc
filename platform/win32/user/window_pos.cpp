// Placement, z-order and visibility: SetWindowPos and what is built on it,
// coordinate mapping and hit-testing.
#include <algorithm>

#include "window.h"

namespace user {
namespace {

int Width(const RECT& r) { return r.right - r.left; }
int Height(const RECT& r) { return r.bottom - r.top; }

std::vector<Window*>::iterator BandStart(std::vector<Window*>& list, bool topmost) {
  if (topmost) return list.begin();
  return std::find_if(list.begin(), list.end(), [](Window* o) { return !(o->exStyle & WS_EX_TOPMOST); });
}

// Moves w in its sibling list; returns true when its place changed.
bool ApplyZOrder(Window* w, HWND after) {
  auto& list = Siblings(w);
  auto before = list;
  std::erase(list, w);
  bool top = IsTopLevel(w);
  if (after == HWND_TOPMOST && top) {
    w->exStyle |= WS_EX_TOPMOST;
    list.insert(list.begin(), w);
  } else if (after == HWND_NOTOPMOST && top) {
    w->exStyle &= ~WS_EX_TOPMOST;
    list.insert(BandStart(list, false), w);
  } else if (after == HWND_TOP || after == HWND_TOPMOST || after == HWND_NOTOPMOST) {
    list.insert(BandStart(list, top && (w->exStyle & WS_EX_TOPMOST)), w);
  } else if (after == HWND_BOTTOM) {
    if (top) w->exStyle &= ~WS_EX_TOPMOST;
    list.push_back(w);
  } else {
    Window* a = Lookup(after);
    auto it = a ? std::find(list.begin(), list.end(), a) : list.end();
    if (it == list.end())
      list.insert(BandStart(list, top && (w->exStyle & WS_EX_TOPMOST)), w);
    else
      list.insert(it + 1, w);
  }
  if (top) {
    // Owned windows stay above their owner.
    std::vector<Window*> owned;
    for (Window* o : list)
      if (o->owner == w && Visible(o)) owned.push_back(o);
    for (Window* o : owned) {
      std::erase(list, o);
      list.insert(std::find(list.begin(), list.end(), w), o);
    }
  }
  return before != list;
}

// The client rectangle the window procedure proposed, relative to the window.
RECT ClientIn(const RECT& proposed, const RECT& window) {
  RECT c = RectOffset(proposed, -window.left, -window.top);
  if (c.right < c.left) c.right = c.left;
  if (c.bottom < c.top) c.bottom = c.top;
  return c;
}

RECT CalcClient(Window* w, const RECT& newRect, WINDOWPOS* wp) {
  NCCALCSIZE_PARAMS p{};
  p.rgrc[0] = newRect;
  p.rgrc[1] = w->rect;
  p.rgrc[2] = RectOffset(w->client, w->rect.left, w->rect.top);
  p.lppos = wp;
  Send(w, WM_NCCALCSIZE, TRUE, reinterpret_cast<LPARAM>(&p));
  return ClientIn(p.rgrc[0], newRect);
}

void HostEffects(Window* w, bool sized, bool zChanged) {
  if (!IsTopLevel(w)) return;
  if (sized) ResizePixels(w);
  SyncSurface(w);
  if (zChanged) RaiseTopLevel(w);
}

void RedrawEffects(Window* w, const RECT& oldRect, bool wasVisible, bool moved, bool sized, bool zChanged,
                   UINT flags) {
  bool nowVisible = Visible(w);
  if (flags & SWP_NOREDRAW) return;
  if (IsTopLevel(w)) {
    if (nowVisible && (!wasVisible || sized || (flags & SWP_FRAMECHANGED))) OnShown(w);
    return;
  }
  bool changed = moved || sized || zChanged || (flags & SWP_FRAMECHANGED);
  if (wasVisible && (changed || !nowVisible)) OnHiddenOrMoved(w, oldRect);
  if (nowVisible && (changed || !wasVisible)) OnShown(w);
}

}  // namespace

// At creation the question has no earlier rectangles: wParam FALSE, and
// lParam the window rectangle to turn into the client rectangle.
void RecalcClient(Window* w) {
  RECT r = w->rect;
  Send(w, WM_NCCALCSIZE, FALSE, reinterpret_cast<LPARAM>(&r));
  w->client = ClientIn(r, w->rect);
}

}  // namespace user

using namespace user;

BOOL WINAPI SetWindowPos(HWND hwnd, HWND after, int x, int y, int cx, int cy, UINT flags) {
  Window* w = Lookup(hwnd);
  if (!w) return FALSE;
  auto keep = Hold(hwnd);
  if (after == hwnd) flags |= SWP_NOZORDER;
  WINDOWPOS wp{hwnd, after, x, y, cx, cy, flags};
  if (flags & SWP_NOMOVE) wp.x = w->rect.left, wp.y = w->rect.top;
  if (flags & SWP_NOSIZE) wp.cx = Width(w->rect), wp.cy = Height(w->rect);
  if ((flags & SWP_SHOWWINDOW) && (w->style & WS_VISIBLE)) wp.flags &= ~SWP_SHOWWINDOW;
  if ((flags & SWP_HIDEWINDOW) && !(w->style & WS_VISIBLE)) wp.flags &= ~SWP_HIDEWINDOW;
  if (!(flags & SWP_NOSENDCHANGING)) {
    Send(w, WM_WINDOWPOSCHANGING, 0, reinterpret_cast<LPARAM>(&wp));
    if (!Lookup(hwnd)) return FALSE;
  }
  flags = wp.flags;
  if (wp.cx < 0) wp.cx = 0;
  if (wp.cy < 0) wp.cy = 0;
  RECT oldRect = w->rect;
  RECT oldClientInParent = RectOffset(w->client, oldRect.left, oldRect.top);
  RECT newRect{wp.x, wp.y, wp.x + wp.cx, wp.y + wp.cy};
  bool moved = newRect.left != oldRect.left || newRect.top != oldRect.top;
  bool sized = Width(newRect) != Width(oldRect) || Height(newRect) != Height(oldRect);
  if (!moved) flags |= SWP_NOMOVE;
  if (!sized) flags |= SWP_NOSIZE;
  bool wasVisible = Visible(w);
  RECT newClient = w->client;
  if (sized || (flags & SWP_FRAMECHANGED)) newClient = CalcClient(w, newRect, &wp);
  if (!Lookup(hwnd)) return FALSE;
  w->rect = newRect;
  w->client = newClient;
  bool zChanged = !(flags & SWP_NOZORDER) && ApplyZOrder(w, wp.hwndInsertAfter);
  if (!zChanged) flags |= SWP_NOZORDER;
  if (flags & SWP_SHOWWINDOW) w->style |= WS_VISIBLE;
  if (flags & SWP_HIDEWINDOW) w->style &= ~WS_VISIBLE;
  HostEffects(w, sized, zChanged || (flags & SWP_SHOWWINDOW));
  RedrawEffects(w, oldRect, wasVisible, moved, sized, zChanged, flags);
  if ((flags & SWP_HIDEWINDOW) && S().active == w) ActivateAnother(w);
  if (!(flags & SWP_NOACTIVATE) && IsTopLevel(w) && Visible(w) && !(w->style & WS_DISABLED))
    ActivateWindow(w, false, false);
  if (!Lookup(hwnd)) return TRUE;
  RECT newClientInParent = RectOffset(w->client, w->rect.left, w->rect.top);
  if (newClientInParent.left == oldClientInParent.left && newClientInParent.top == oldClientInParent.top)
    flags |= SWP_NOCLIENTMOVE;
  if (Width(newClientInParent) == Width(oldClientInParent) && Height(newClientInParent) == Height(oldClientInParent))
    flags |= SWP_NOCLIENTSIZE;
  const UINT nothing = SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER;
  if ((flags & (nothing | SWP_SHOWWINDOW | SWP_HIDEWINDOW | SWP_FRAMECHANGED)) != nothing) {
    WINDOWPOS done{hwnd, wp.hwndInsertAfter, w->rect.left, w->rect.top, Width(w->rect), Height(w->rect), flags};
    Send(w, WM_WINDOWPOSCHANGED, 0, reinterpret_cast<LPARAM>(&done));
  }
  return TRUE;
}

BOOL WINAPI MoveWindow(HWND hwnd, int x, int y, int cx, int cy, BOOL repaint) {
  return SetWindowPos(hwnd, nullptr, x, y, cx, cy, SWP_NOZORDER | SWP_NOACTIVATE | (repaint ? 0 : SWP_NOREDRAW));
}

BOOL WINAPI BringWindowToTop(HWND hwnd) {
  return SetWindowPos(hwnd, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
}

namespace {

bool MinMax(Window* w, int cmd) {
  if (HasHook(WH_CBT) && CallHooks(WH_CBT, HCBT_MINMAX, reinterpret_cast<WPARAM>(w->hwnd), cmd)) return false;
  return true;
}

// Minimise, maximise and restore: the new style and rectangle.
UINT ApplySizeState(Window* w, int cmd, RECT& target) {
  bool minimize = cmd == SW_MINIMIZE || cmd == SW_SHOWMINIMIZED || cmd == SW_SHOWMINNOACTIVE ||
                  cmd == SW_FORCEMINIMIZE;
  bool maximize = cmd == SW_SHOWMAXIMIZED;
  bool restore = cmd == SW_RESTORE || cmd == SW_SHOWNORMAL || cmd == SW_SHOWDEFAULT;
  target = w->rect;
  if (!minimize && !maximize && !(restore && (w->style & (WS_MINIMIZE | WS_MAXIMIZE)))) return SWP_NOSIZE | SWP_NOMOVE;
  if (!MinMax(w, cmd)) return SWP_NOSIZE | SWP_NOMOVE;
  if (!(w->style & (WS_MINIMIZE | WS_MAXIMIZE))) w->normalRect = w->rect;
  w->style &= ~(WS_MINIMIZE | WS_MAXIMIZE);
  if (minimize) {
    w->style |= WS_MINIMIZE;
    return SWP_NOSIZE | SWP_NOMOVE | SWP_FRAMECHANGED;
  }
  if (maximize) {
    w->style |= WS_MAXIMIZE;
    if (w->parent) {
      target = RECT{0, 0, Width(w->parent->client), Height(w->parent->client)};
    } else if (Host()) {
      backend::Rect a = Host()->WorkArea();
      target = RECT{a.x, a.y, a.x + a.width, a.y + a.height};
    }
    return SWP_FRAMECHANGED;
  }
  target = w->normalRect;
  return SWP_FRAMECHANGED;
}

}  // namespace

BOOL WINAPI ShowWindow(HWND hwnd, int cmd) {
  Window* w = Lookup(hwnd);
  if (!w) return FALSE;
  auto keep = Hold(hwnd);
  bool wasVisible = (w->style & WS_VISIBLE) != 0;
  bool child = (w->style & WS_CHILD) != 0;
  UINT swp = 0;
  bool show = cmd != SW_HIDE;
  switch (cmd) {
    case SW_HIDE:
      if (!wasVisible) return FALSE;
      swp = SWP_HIDEWINDOW | SWP_NOSIZE | SWP_NOMOVE | (child ? SWP_NOACTIVATE | SWP_NOZORDER : 0);
      break;
    case SW_SHOWNA:
      swp = SWP_SHOWWINDOW | SWP_NOSIZE | SWP_NOMOVE | SWP_NOACTIVATE | (child ? SWP_NOZORDER : 0);
      break;
    case SW_SHOW:
      if (wasVisible) return TRUE;
      swp = SWP_SHOWWINDOW | SWP_NOSIZE | SWP_NOMOVE | (child ? SWP_NOACTIVATE | SWP_NOZORDER : 0);
      break;
    case SW_SHOWNOACTIVATE:
    case SW_SHOWMINNOACTIVE:
      swp = SWP_SHOWWINDOW | SWP_NOACTIVATE | SWP_NOZORDER;
      break;
    default:
      swp = SWP_SHOWWINDOW | (child ? SWP_NOACTIVATE | SWP_NOZORDER : 0);
      break;
  }
  RECT target = w->rect;
  if (cmd != SW_HIDE && cmd != SW_SHOW && cmd != SW_SHOWNA) swp |= ApplySizeState(w, cmd, target);
  if (cmd == SW_MINIMIZE || cmd == SW_SHOWMINNOACTIVE) swp |= SWP_NOACTIVATE;
  if (show != wasVisible) {
    Send(w, WM_SHOWWINDOW, show, 0);
    if (!Lookup(hwnd)) return wasVisible;
  }
  SetWindowPos(hwnd, HWND_TOP, target.left, target.top, Width(target), Height(target), swp);
  if (!Lookup(hwnd)) return wasVisible;
  if (cmd == SW_HIDE) {
    Window* f = S().focus;
    if (f && (f == w || IsDescendant(w, f))) SetFocus(w->parent ? w->parent->hwnd : nullptr);
  }
  return wasVisible;
}

BOOL WINAPI GetWindowRect(HWND hwnd, LPRECT r) {
  Window* w = Lookup(hwnd);
  if (!w || !r) return FALSE;
  *r = WindowRectScreen(w);
  return TRUE;
}

BOOL WINAPI GetClientRect(HWND hwnd, LPRECT r) {
  Window* w = Lookup(hwnd);
  if (!w || !r) return FALSE;
  *r = RECT{0, 0, Width(w->client), Height(w->client)};
  return TRUE;
}

BOOL WINAPI ClientToScreen(HWND hwnd, LPPOINT p) {
  Window* w = Lookup(hwnd);
  if (!w || !p) return FALSE;
  POINT o = ClientOriginScreen(w);
  p->x += o.x;
  p->y += o.y;
  return TRUE;
}

BOOL WINAPI ScreenToClient(HWND hwnd, LPPOINT p) {
  Window* w = Lookup(hwnd);
  if (!w || !p) return FALSE;
  POINT o = ClientOriginScreen(w);
  p->x -= o.x;
  p->y -= o.y;
  return TRUE;
}

int WINAPI MapWindowPoints(HWND from, HWND to, LPPOINT pts, UINT n) {
  POINT a{0, 0}, b{0, 0};
  if (from && from != GetDesktopWindow()) {
    Window* w = Lookup(from);
    if (!w) return 0;
    a = ClientOriginScreen(w);
  }
  if (to && to != GetDesktopWindow()) {
    Window* w = Lookup(to);
    if (!w) return 0;
    b = ClientOriginScreen(w);
  }
  int dx = a.x - b.x, dy = a.y - b.y;
  for (UINT i = 0; pts && i < n; ++i) {
    pts[i].x += dx;
    pts[i].y += dy;
  }
  return MAKELONG(static_cast<WORD>(static_cast<SHORT>(dx)), static_cast<WORD>(static_cast<SHORT>(dy)));
}

namespace user {

bool PointIn(const RECT& r, POINT p) { return p.x >= r.left && p.x < r.right && p.y >= r.top && p.y < r.bottom; }

// The deepest enabled, visible window under a screen point and its hit-test
// code; null when the window answers HTTRANSPARENT (the caller looks below).
Window* HitWindow(Window* w, POINT pt, int* hit) {
  if (PointIn(ClientRectScreen(w), pt)) {
    std::vector<Window*> kids = w->children;
    for (Window* c : kids) {
      if (!(c->style & WS_VISIBLE) || (c->style & WS_DISABLED)) continue;
      if (!PointIn(WindowRectScreen(c), pt)) continue;
      if (Window* r = HitWindow(c, pt, hit)) return r;
    }
  }
  LRESULT h = Send(w, WM_NCHITTEST, 0, MAKELPARAM(pt.x, pt.y));
  if (h == HTTRANSPARENT) return nullptr;
  if (hit) *hit = static_cast<int>(h);
  return w;
}

Window* WindowAtPoint(POINT pt, int* hit) {
  std::vector<Window*> tops = S().topLevels;
  for (Window* t : tops) {
    if (!Lookup(t->hwnd) || !Visible(t) || (t->style & WS_MINIMIZE)) continue;
    if (!PointIn(WindowRectScreen(t), pt)) continue;
    if (Window* r = HitWindow(t, pt, hit)) return r;
  }
  return nullptr;
}

}  // namespace user

HWND WINAPI WindowFromPoint(POINT pt) {
  int hit = HTNOWHERE;
  Window* w = WindowAtPoint(pt, &hit);
  return w ? w->hwnd : nullptr;
}

HWND WINAPI ChildWindowFromPointEx(HWND parent, POINT pt, UINT flags) {
  Window* p = Lookup(parent);
  if (!p) return nullptr;
  RECT client{0, 0, Width(p->client), Height(p->client)};
  if (!PointIn(client, pt)) return nullptr;
  POINT screen = pt;
  ClientToScreen(parent, &screen);
  for (Window* c : p->children) {
    if ((flags & CWP_SKIPINVISIBLE) && !(c->style & WS_VISIBLE)) continue;
    if ((flags & CWP_SKIPDISABLED) && (c->style & WS_DISABLED)) continue;
    if ((flags & CWP_SKIPTRANSPARENT) && (c->exStyle & WS_EX_TRANSPARENT)) continue;
    if (PointIn(WindowRectScreen(c), screen)) return c->hwnd;
  }
  return parent;
}

HWND WINAPI ChildWindowFromPoint(HWND parent, POINT pt) { return ChildWindowFromPointEx(parent, pt, CWP_ALL); }
