// Host input becomes queued messages: mouse messages with hit-testing,
// activation by click, cursor setting and double clicks; key messages with
// Windows key data. Capture and mouse tracking live here too.
#include <algorithm>
#include <cstdlib>

#include "keyboard.h"
#include "window.h"

namespace user {
namespace {

struct ClickState {
  HWND hwnd = nullptr;
  int button = -1;
  std::uint64_t time = 0;
  POINT pt{};
  bool nonClient = false;
};
ClickState g_click;
UINT g_doubleClickTime = 500;

struct Tracking {
  HWND hwnd = nullptr;
  DWORD flags = 0;
  DWORD hoverTime = 400;
  std::uint64_t since = 0;
  POINT where{};
};
Tracking g_track;

const UINT kDown[3] = {WM_LBUTTONDOWN, WM_RBUTTONDOWN, WM_MBUTTONDOWN};
const UINT kUp[3] = {WM_LBUTTONUP, WM_RBUTTONUP, WM_MBUTTONUP};
const UINT kButtonVk[3] = {VK_LBUTTON, VK_RBUTTON, VK_MBUTTON};

WPARAM MouseKeys() {
  State& s = S();
  WPARAM k = 0;
  if (s.asyncKeys[VK_LBUTTON] & 0x80) k |= MK_LBUTTON;
  if (s.asyncKeys[VK_RBUTTON] & 0x80) k |= MK_RBUTTON;
  if (s.asyncKeys[VK_MBUTTON] & 0x80) k |= MK_MBUTTON;
  if (s.asyncKeys[VK_SHIFT] & 0x80) k |= MK_SHIFT;
  if (s.asyncKeys[VK_CONTROL] & 0x80) k |= MK_CONTROL;
  return k;
}

bool IsDoubleClick(Window* w, int button, POINT pt, std::uint64_t now, bool nonClient) {
  bool allowed = nonClient || (w->cls->style & CS_DBLCLKS);
  bool dbl = allowed && g_click.hwnd == w->hwnd && g_click.button == button && g_click.nonClient == nonClient &&
             now - g_click.time <= g_doubleClickTime &&
             std::abs(pt.x - g_click.pt.x) <= GetSystemMetrics(SM_CXDOUBLECLK) / 2 &&
             std::abs(pt.y - g_click.pt.y) <= GetSystemMetrics(SM_CYDOUBLECLK) / 2;
  if (dbl)
    g_click = ClickState{};
  else
    g_click = ClickState{w->hwnd, button, now, pt, nonClient};
  return dbl;
}

void LeaveTracked(Window* now, int hit) {
  if (!g_track.hwnd) return;
  bool nc = g_track.flags & TME_NONCLIENT;
  bool inside = now && now->hwnd == g_track.hwnd && ((hit == HTCLIENT) != nc);
  if (inside) return;
  if ((g_track.flags & TME_LEAVE))
    if (Window* t = Lookup(g_track.hwnd)) Post(t, nc ? WM_NCMOUSELEAVE : WM_MOUSELEAVE, 0, 0);
  g_track = Tracking{};
}

// Clicking a window that a modal window disabled activates that modal window.
void ClickOnDisabled(Window* target, UINT msg) {
  Send(target, WM_SETCURSOR, reinterpret_cast<WPARAM>(target->hwnd), MAKELPARAM(HTERROR, msg));
  if (msg != WM_LBUTTONDOWN && msg != WM_RBUTTONDOWN && msg != WM_MBUTTONDOWN) return;
  Window* top = Root(target);
  HWND popup = GetLastActivePopup(top->hwnd);
  if (popup == top->hwnd) popup = GetWindow(top->hwnd, GW_ENABLEDPOPUP);
  if (Window* p = Lookup(popup)) ActivateWindow(p, true, false);
}

void MouseEvent(const backend::Event& e) {
  State& s = S();
  POINT pt{e.screen.x, e.screen.y};
  s.cursorPos = pt;
  int button = std::clamp(e.button, 0, 2);
  std::uint64_t now = e.timeMs;
  if (e.type == backend::EventType::MouseDown) s.asyncKeys[kButtonVk[button]] |= 0x80;
  if (e.type == backend::EventType::MouseUp) s.asyncKeys[kButtonVk[button]] &= ~0x80;
  Window* target = s.capture;
  int hit = HTCLIENT;
  if (!target) target = WindowAtPoint(pt, &hit);
  if (e.type == backend::EventType::MouseMove) LeaveTracked(target, hit);
  if (e.type == backend::EventType::MouseWheel) {
    Window* f = s.focus ? s.focus : s.active;
    if (f)
      PushInput(f, MSG{f->hwnd, WM_MOUSEWHEEL, MAKEWPARAM(MouseKeys(), e.wheelDelta), MAKELPARAM(pt.x, pt.y),
                       static_cast<DWORD>(now), pt},
                false);
    return;
  }
  if (!target) return;
  bool client = hit == HTCLIENT;
  UINT msg = WM_MOUSEMOVE;
  if (e.type == backend::EventType::MouseDown) {
    msg = kDown[button];
    if (IsDoubleClick(target, button, pt, now, !client)) msg += 2;  // ...DBLCLK follows ...DOWN
  } else if (e.type == backend::EventType::MouseUp) {
    msg = kUp[button];
  }
  if (!s.capture && (Root(target)->style & WS_DISABLED)) {
    ClickOnDisabled(target, msg);
    return;
  }
  HWND h = target->hwnd;
  bool eat = false;
  if (!s.capture && e.type == backend::EventType::MouseDown) {
    Window* top = Root(target);
    if (top != s.active) {
      LRESULT r = Send(target, WM_MOUSEACTIVATE, reinterpret_cast<WPARAM>(top->hwnd), MAKELPARAM(hit, msg));
      if ((r == MA_ACTIVATE || r == MA_ACTIVATEANDEAT) && Lookup(top->hwnd)) ActivateWindow(top, true, false);
      eat = r == MA_ACTIVATEANDEAT || r == MA_NOACTIVATEANDEAT;
    }
  }
  if (!Lookup(h)) return;
  if (!s.capture && e.type != backend::EventType::MouseUp)
    Send(target, WM_SETCURSOR, reinterpret_cast<WPARAM>(h), MAKELPARAM(hit, msg));
  if (eat || !Lookup(h)) return;
  MSG m{h, msg, 0, 0, static_cast<DWORD>(now), pt};
  if (client) {
    POINT c = pt;
    ScreenToClient(h, &c);
    m.wParam = MouseKeys();
    m.lParam = MAKELPARAM(c.x, c.y);
  } else {
    m.message = msg - WM_MOUSEMOVE + WM_NCMOUSEMOVE;
    m.wParam = static_cast<WPARAM>(hit);
    m.lParam = MAKELPARAM(pt.x, pt.y);
  }
  if (g_track.hwnd == h && e.type == backend::EventType::MouseMove) g_track.since = now, g_track.where = pt;
  PushInput(target, m, msg == WM_MOUSEMOVE);
}

void KeyEvent(const backend::Event& e, bool down) {
  State& s = S();
  unsigned vk = e.vk & 0xFF;
  bool wasDown = s.asyncKeys[vk] & 0x80;
  SetAsyncKey(vk, down);
  bool alt = s.asyncKeys[VK_MENU] & 0x80;
  bool ctrl = s.asyncKeys[VK_CONTROL] & 0x80;
  Window* target = s.focus ? s.focus : s.active;
  if (!target) return;
  unsigned generic = GenericVk(vk);
  bool sys = generic == VK_F10 || (alt && !ctrl) || (generic == VK_MENU && !ctrl) || !s.focus;
  LPARAM lp = 1 | ((e.scanCode & 0xFF) << 16);
  if (IsExtendedKey(vk)) lp |= 1 << 24;
  if (alt && generic != VK_F10) lp |= 1 << 29;
  if (down ? wasDown : true) lp |= 1 << 30;
  if (!down) lp |= static_cast<LPARAM>(1u << 31);
  UINT msg = sys ? (down ? WM_SYSKEYDOWN : WM_SYSKEYUP) : (down ? WM_KEYDOWN : WM_KEYUP);
  MSG m{target->hwnd, msg, generic, static_cast<LPARAM>(static_cast<DWORD>(lp)), static_cast<DWORD>(e.timeMs),
        s.cursorPos};
  PushInput(target, m, false);
  if (down) RememberKeyDown(m);
}

void TextEvent(const backend::Event& e) {
  State& s = S();
  Window* target = s.focus ? s.focus : s.active;
  if (!target || e.text.empty()) return;
  if (AttachText(target->hwnd, e.text)) return;
  for (unsigned char ch : e.text)
    PushInput(target, MSG{target->hwnd, WM_CHAR, ch, 1, static_cast<DWORD>(e.timeMs), s.cursorPos}, false);
}

Window* WindowOfSurface(backend::SurfaceId id) {
  for (Window* t : S().topLevels)
    if (t->surface == id) return t;
  return nullptr;
}

void HostEvent(const backend::Event& e) {
  using T = backend::EventType;
  switch (e.type) {
    case T::MouseMove:
    case T::MouseDown:
    case T::MouseUp:
    case T::MouseWheel: MouseEvent(e); break;
    case T::KeyDown: KeyEvent(e, true); break;
    case T::KeyUp: KeyEvent(e, false); break;
    case T::Text: TextEvent(e); break;
    case T::CloseRequest:
      if (Window* w = WindowOfSurface(e.surface)) Post(w, WM_SYSCOMMAND, SC_CLOSE, 0);
      break;
    case T::Activate:
      if (Window* w = WindowOfSurface(e.surface)) {
        if (w->style & WS_DISABLED) w = Lookup(GetLastActivePopup(w->hwnd));
        if (w && S().active != w) ActivateWindow(w, false, true);
      }
      break;
    case T::Deactivate: DeactivateApp(); break;
    case T::Expose:
      if (Window* w = WindowOfSurface(e.surface)) PresentAll(w);
      break;
    case T::Quit:
      if (auto q = QueueOf(S().inputThread)) {
        std::lock_guard<std::mutex> g(q->m);
        q->quit = true;
      }
      break;
  }
}

}  // namespace

void PollHost() {
  backend::Backend* host = Host();
  if (!host || CurrentThread() != S().inputThread) return;
  backend::Event e;
  while (host->PollEvent(e)) HostEvent(e);
}

bool CheckMouseHover(ThreadQueue& q) {
  if (!g_track.hwnd || !(g_track.flags & TME_HOVER)) return false;
  Window* w = Lookup(g_track.hwnd);
  if (!w || w->thread != q.tid) return false;
  if (backend::NowMs() - g_track.since < g_track.hoverTime) return false;
  POINT c = g_track.where;
  ScreenToClient(w->hwnd, &c);
  g_track.flags &= ~TME_HOVER;
  return Post(w, WM_MOUSEHOVER, MouseKeys(), MAKELPARAM(c.x, c.y));
}

void ForgetWindow(Window* w) {
  State& s = S();
  if (s.capture == w) s.capture = nullptr;
  if (s.focus == w) s.focus = nullptr;
  if (s.active == w) s.active = nullptr;
  if (g_track.hwnd == w->hwnd) g_track = Tracking{};
  if (g_click.hwnd == w->hwnd) g_click = ClickState{};
}

}  // namespace user

using namespace user;

HWND WINAPI SetCapture(HWND hwnd) {
  State& s = S();
  Window* w = Lookup(hwnd);
  Window* old = s.capture;
  HWND oldHandle = old ? old->hwnd : nullptr;
  s.capture = w;
  if (old && old != w) Send(old, WM_CAPTURECHANGED, 0, reinterpret_cast<LPARAM>(hwnd));
  return oldHandle;
}

BOOL WINAPI ReleaseCapture(void) {
  State& s = S();
  Window* old = s.capture;
  s.capture = nullptr;
  if (old) Send(old, WM_CAPTURECHANGED, 0, 0);
  return TRUE;
}

HWND WINAPI GetCapture(void) { return S().capture ? S().capture->hwnd : nullptr; }

BOOL WINAPI TrackMouseEvent(LPTRACKMOUSEEVENT t) {
  if (!t || t->cbSize < sizeof(TRACKMOUSEEVENT)) return FALSE;
  if (t->dwFlags & TME_QUERY) {
    *t = TRACKMOUSEEVENT{sizeof(TRACKMOUSEEVENT), g_track.flags, g_track.hwnd, g_track.hoverTime};
    return TRUE;
  }
  if (t->dwFlags & TME_CANCEL) {
    if (g_track.hwnd == t->hwndTrack) g_track.flags &= ~(t->dwFlags & (TME_HOVER | TME_LEAVE));
    if (!(g_track.flags & (TME_HOVER | TME_LEAVE))) g_track = Tracking{};
    return TRUE;
  }
  Window* w = Lookup(t->hwndTrack);
  if (!w) return FALSE;
  int hit = HTNOWHERE;
  Window* under = WindowAtPoint(S().cursorPos, &hit);
  bool nc = t->dwFlags & TME_NONCLIENT;
  if (under != w || ((hit == HTCLIENT) == nc)) {
    // The pointer is already elsewhere: the leave message comes at once.
    if (t->dwFlags & TME_LEAVE) Post(w, nc ? WM_NCMOUSELEAVE : WM_MOUSELEAVE, 0, 0);
    return TRUE;
  }
  if (g_track.hwnd != w->hwnd) g_track = Tracking{w->hwnd, 0, 400, backend::NowMs(), S().cursorPos};
  g_track.flags |= t->dwFlags & (TME_HOVER | TME_LEAVE | TME_NONCLIENT);
  if (t->dwFlags & TME_HOVER) {
    g_track.hoverTime = t->dwHoverTime == HOVER_DEFAULT ? 400 : t->dwHoverTime;
    g_track.since = backend::NowMs();
  }
  return TRUE;
}

UINT WINAPI GetDoubleClickTime(void) { return g_doubleClickTime; }
BOOL WINAPI SetDoubleClickTime(UINT ms) {
  g_doubleClickTime = ms ? ms : 500;
  return TRUE;
}
BOOL WINAPI SwapMouseButton(BOOL) { return FALSE; }

BOOL WINAPI GetCursorPos(LPPOINT p) {
  if (!p) return FALSE;
  *p = S().cursorPos;
  return TRUE;
}

BOOL WINAPI SetCursorPos(int x, int y) {
  S().cursorPos = POINT{x, y};
  return TRUE;
}
