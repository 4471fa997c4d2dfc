// Window scroll bars (WS_VSCROLL, WS_HSCROLL): drawn in the non-client area
// and tracked with the mouse in a loop of their own, as the default window
// procedure of any window does; the "ScrollBar" control tracks the same way.
#include <user/scrollbar_seam.h>

#include <algorithm>

#include "control_base.h"
#include "scroll.h"

namespace controls {
namespace {

constexpr UINT_PTR kRepeatTimer = 0xFFF0;
constexpr UINT kFirstRepeat = 400, kNextRepeat = 50;

// The arrow held down, drawn pushed while the mouse stays over it.
struct Pressed {
  HWND hwnd = nullptr;
  int bar = -1;
  int part = -1;
} g_pressed;

RECT WindowBarRect(HWND h, int bar) {
  // Client rectangle in window coordinates, then the bar beside it.
  RECT wr, cr;
  GetWindowRect(h, &wr);
  GetClientRect(h, &cr);
  POINT o{0, 0};
  ClientToScreen(h, &o);
  OffsetRect(&cr, o.x - wr.left, o.y - wr.top);
  if (bar == SB_VERT) return RECT{cr.right, cr.top, cr.right + GetSystemMetrics(SM_CXVSCROLL), cr.bottom};
  return RECT{cr.left, cr.bottom, cr.right, cr.bottom + GetSystemMetrics(SM_CYHSCROLL)};
}

// A bar control (SB_CTL) is its whole client area and reports to its
// parent; a window bar sits in the non-client area and reports to its window.
bool IsVertical(HWND h, int bar) {
  return bar == SB_CTL ? (GetWindowLongA(h, GWL_STYLE) & SBS_VERT) != 0 : bar == SB_VERT;
}

RECT BarRect(HWND h, int bar) {
  if (bar != SB_CTL) return WindowBarRect(h, bar);
  RECT r;
  GetClientRect(h, &r);
  return r;
}

// A screen point in the coordinates of BarRect.
POINT ToBar(HWND h, int bar, POINT screen) {
  if (bar == SB_CTL) {
    ScreenToClient(h, &screen);
    return screen;
  }
  RECT wr;
  GetWindowRect(h, &wr);
  return POINT{screen.x - wr.left, screen.y - wr.top};
}

void Send(HWND h, int bar, int code, int pos = 0) {
  const UINT msg = IsVertical(h, bar) ? WM_VSCROLL : WM_HSCROLL;
  const WPARAM wp = MAKEWPARAM(code, static_cast<WORD>(pos));
  if (bar == SB_CTL) SendMessageA(GetParent(h), msg, wp, reinterpret_cast<LPARAM>(h));
  else SendMessageA(h, msg, wp, 0);
}

void Repaint(HWND h, int bar) {
  if (bar != SB_CTL) return PaintWindowBars(h);
  InvalidateRect(h, nullptr, FALSE);
  UpdateWindow(h);
}

// The position the thumb stands for when its leading edge is at `lead`.
int PosForThumb(RECT r, bool vertical, const ScrollState& s, int lead) {
  const BarGeometry g = Geometry(r, vertical, s);
  const int len = vertical ? r.bottom - r.top : r.right - r.left;
  const int room = (len - 2 * g.arrow) - (g.thumbEnd - g.thumbStart);
  const int span = (s.max - s.min + 1) - std::max(1, static_cast<int>(s.page));
  if (room <= 0 || span <= 0) return s.min;
  const int at = std::clamp(lead - g.arrow, 0, room);
  return s.min + static_cast<int>((static_cast<long long>(at) * span + room / 2) / room);
}

struct Tracking {
  HWND h;
  int bar;
  bool vertical;
  int part;
  int grab = 0;  // offset of the mouse into the thumb
  bool over = true;
};

void OnMove(Tracking& t, POINT p) {
  ScrollState& s = Bar(t.h, t.bar);
  const RECT r = BarRect(t.h, t.bar);
  if (t.part == SB_THUMBTRACK) {
    const int lead = (t.vertical ? p.y - r.top : p.x - r.left) - t.grab;
    const int pos = PosForThumb(r, t.vertical, s, lead);
    if (pos == s.trackPos) return;
    s.trackPos = pos;
    Send(t.h, t.bar, SB_THUMBTRACK, pos);
    Repaint(t.h, t.bar);
    return;
  }
  t.over = HitPart(r, t.vertical, s, p) == t.part;
  const int shown = t.over && (t.part == SB_LINEUP || t.part == SB_LINEDOWN) ? t.part : -1;
  if (shown != g_pressed.part) {
    g_pressed.part = shown;
    Repaint(t.h, t.bar);
  }
}

// Runs messages until the left button comes up; false when WM_QUIT came.
bool TrackLoop(Tracking& t) {
  MSG m;
  while (GetCapture() == t.h) {
    // A release the window never saw (made over no window before the
    // capture) must not leave the bar tracking.
    if (!(GetAsyncKeyState(VK_LBUTTON) & 0x8000) && !PeekMessageA(&m, nullptr, WM_MOUSEFIRST, WM_MOUSELAST, PM_NOREMOVE) &&
        !PeekMessageA(&m, nullptr, WM_NCMOUSEMOVE, WM_NCMBUTTONDBLCLK, PM_NOREMOVE))
      break;
    const BOOL got = GetMessageA(&m, nullptr, 0, 0);
    if (got <= 0) {
      if (got == 0) PostQuitMessage(static_cast<int>(m.wParam));
      return false;
    }
    // Input read from the host before the capture was taken still arrives
    // in its non-client form.
    if (m.message == WM_LBUTTONUP || m.message == WM_NCLBUTTONUP) break;
    if (m.message == WM_MOUSEMOVE || m.message == WM_NCMOUSEMOVE) {
      OnMove(t, ToBar(t.h, t.bar, m.pt));
    } else if (m.message == WM_TIMER && m.hwnd == t.h && m.wParam == kRepeatTimer) {
      SetTimer(t.h, kRepeatTimer, kNextRepeat, nullptr);
      if (t.over) Send(t.h, t.bar, t.part);
      // A page click stops once the thumb reaches the mouse.
      OnMove(t, ToBar(t.h, t.bar, m.pt));
    } else if (m.message < WM_KEYFIRST || m.message > WM_KEYLAST) {
      TranslateMessage(&m);
      DispatchMessageA(&m);
    }
  }
  return true;
}

}  // namespace

void PaintWindowBars(HWND h) {
  const LONG st = GetWindowLongA(h, GWL_STYLE);
  if (!(st & (WS_VSCROLL | WS_HSCROLL))) return;
  HDC dc = GetWindowDC(h);
  if (st & WS_VSCROLL) PaintBar(dc, WindowBarRect(h, SB_VERT), true, Bar(h, SB_VERT), PressedPart(h, SB_VERT));
  if (st & WS_HSCROLL) PaintBar(dc, WindowBarRect(h, SB_HORZ), false, Bar(h, SB_HORZ), PressedPart(h, SB_HORZ));
  ReleaseDC(h, dc);
}

int PressedPart(HWND h, int bar) { return g_pressed.hwnd == h && g_pressed.bar == bar ? g_pressed.part : -1; }

void TrackBar(HWND h, int bar, POINT screen) {
  Tracking t{h, bar, IsVertical(h, bar), -1};
  const RECT r = BarRect(h, bar);
  const POINT p = ToBar(h, bar, screen);
  ScrollState& s = Bar(h, bar);
  t.part = HitPart(r, t.vertical, s, p);
  if (t.part < 0) return;
  SetCapture(h);
  if (t.part == SB_THUMBTRACK) {
    t.grab = (t.vertical ? p.y - r.top : p.x - r.left) - Geometry(r, t.vertical, s).thumbStart;
    s.tracking = true;
    s.trackPos = s.pos;
  } else {
    g_pressed = {h, bar, t.part == SB_LINEUP || t.part == SB_LINEDOWN ? t.part : -1};
    Repaint(h, bar);
    Send(h, bar, t.part);
    SetTimer(h, kRepeatTimer, kFirstRepeat, nullptr);
  }
  TrackLoop(t);
  KillTimer(h, kRepeatTimer);
  if (GetCapture() == h) ReleaseCapture();
  g_pressed = {};
  if (!IsWindow(h)) return;
  ScrollState& after = Bar(h, bar);
  if (t.part == SB_THUMBTRACK) {
    Send(h, bar, SB_THUMBPOSITION, after.trackPos);
    after.tracking = false;
  }
  Send(h, bar, SB_ENDSCROLL);
  Repaint(h, bar);
}

bool WindowBarClick(HWND h, WPARAM hit, LPARAM lp) {
  if (hit != HTVSCROLL && hit != HTHSCROLL) return false;
  TrackBar(h, hit == HTVSCROLL ? SB_VERT : SB_HORZ, POINT{GET_X_LPARAM(lp), GET_Y_LPARAM(lp)});
  return true;
}

void InstallWindowBars() {
  static bool done = false;
  if (done) return;
  done = true;
  user::WindowScrollBars bars;
  bars.paint = PaintWindowBars;
  bars.press = WindowBarClick;
  user::SetWindowScrollBars(bars);
}

}  // namespace controls
