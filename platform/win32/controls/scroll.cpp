// Scroll bars: the state of window scroll bars (SB_HORZ, SB_VERT), the
// "ScrollBar" class (SB_CTL), and the classic drawing of both.
#include "control_base.h"
#include "scroll.h"

#include <algorithm>
#include <map>

namespace controls {
namespace {

std::map<std::pair<HWND, int>, ScrollState>& Bars() {
  static std::map<std::pair<HWND, int>, ScrollState> m;
  return m;
}

void Clamp(ScrollState& s) {
  if (s.max < s.min) s.max = s.min;
  s.page = std::min<UINT>(s.page, static_cast<UINT>(s.max - s.min + 1));
  int top = s.max - std::max(0, static_cast<int>(s.page) - 1);
  s.pos = std::clamp(s.pos, s.min, std::max(s.min, top));
}

}  // namespace

ScrollState* FindBar(HWND h, int bar) {
  auto it = Bars().find({h, bar});
  return it == Bars().end() ? nullptr : &it->second;
}

ScrollState& Bar(HWND h, int bar) { return Bars()[{h, bar}]; }

void ForgetBars(HWND h) {
  Bars().erase({h, SB_HORZ});
  Bars().erase({h, SB_VERT});
  Bars().erase({h, SB_CTL});
}

int ApplyInfo(ScrollState& s, const SCROLLINFO& si) {
  if (si.fMask & SIF_RANGE) s.min = si.nMin, s.max = si.nMax;
  if (si.fMask & SIF_PAGE) s.page = si.nPage;
  if (si.fMask & SIF_POS) s.pos = si.nPos;
  Clamp(s);
  return s.pos;
}

void ReadInfo(const ScrollState& s, SCROLLINFO& si) {
  if (si.fMask & SIF_RANGE) si.nMin = s.min, si.nMax = s.max;
  if (si.fMask & SIF_PAGE) si.nPage = s.page;
  if (si.fMask & SIF_POS) si.nPos = s.pos;
  if (si.fMask & SIF_TRACKPOS) si.nTrackPos = s.tracking ? s.trackPos : s.pos;
}

BarGeometry Geometry(RECT r, bool vertical, const ScrollState& s) {
  BarGeometry g{};
  int len = vertical ? r.bottom - r.top : r.right - r.left;
  int thick = vertical ? r.right - r.left : r.bottom - r.top;
  int arrow = std::min(thick, len / 2);
  g.arrow = arrow;
  int track = len - 2 * arrow;
  int range = s.max - s.min + 1;
  int thumb = s.page ? std::max(8, static_cast<int>(static_cast<long long>(track) * s.page / std::max(1, range))) : thick;
  if (thumb > track || range <= static_cast<int>(s.page) || s.max <= s.min) {
    g.thumbStart = g.thumbEnd = -1;  // nothing to scroll: no thumb
    return g;
  }
  int span = range - std::max(1, static_cast<int>(s.page));
  int p = (s.tracking ? s.trackPos : s.pos) - s.min;
  g.thumbStart = arrow + (span > 0 ? static_cast<int>(static_cast<long long>(track - thumb) * p / span) : 0);
  g.thumbEnd = g.thumbStart + thumb;
  return g;
}

void PaintBar(HDC dc, RECT r, bool vertical, const ScrollState& s, int pressedPart) {
  BarGeometry g = Geometry(r, vertical, s);
  auto sub = [&](int a, int b) {
    return vertical ? RECT{r.left, r.top + a, r.right, r.top + b} : RECT{r.left + a, r.top, r.left + b, r.bottom};
  };
  int len = vertical ? r.bottom - r.top : r.right - r.left;
  RECT track = sub(g.arrow, len - g.arrow);
  FillRect(dc, &track, SysBrush(COLOR_SCROLLBAR));
  bool enabled = g.thumbStart >= 0;
  for (int i = 0; i < 2; ++i) {
    RECT a = i == 0 ? sub(0, g.arrow) : sub(len - g.arrow, len);
    look::PushFrame(dc, a, pressedPart == (i == 0 ? SB_LINEUP : SB_LINEDOWN), false);
    // Arrow head: a small triangle pointing away from the track.
    int cx = (a.left + a.right) / 2 + (pressedPart == (i == 0 ? SB_LINEUP : SB_LINEDOWN) ? 1 : 0);
    int cy = (a.top + a.bottom) / 2 + (pressedPart == (i == 0 ? SB_LINEUP : SB_LINEDOWN) ? 1 : 0);
    COLORREF ink = GetSysColor(enabled ? COLOR_BTNTEXT : COLOR_GRAYTEXT);
    for (int k = 0; k < 4; ++k) {
      for (int j = -k; j <= k; ++j) {
        int along = (i == 0 ? -2 + k : 2 - k);
        if (vertical) SetPixelV(dc, cx + j, cy + along, ink);
        else SetPixelV(dc, cx + along, cy + j, ink);
      }
    }
  }
  if (enabled) look::PushFrame(dc, sub(g.thumbStart, g.thumbEnd), false, false);
}

int HitPart(RECT r, bool vertical, const ScrollState& s, POINT p) {
  BarGeometry g = Geometry(r, vertical, s);
  int at = vertical ? p.y - r.top : p.x - r.left;
  int len = vertical ? r.bottom - r.top : r.right - r.left;
  if (at < g.arrow) return SB_LINEUP;
  if (at >= len - g.arrow) return SB_LINEDOWN;
  if (g.thumbStart < 0) return -1;
  if (at < g.thumbStart) return SB_PAGEUP;
  if (at >= g.thumbEnd) return SB_PAGEDOWN;
  return SB_THUMBTRACK;
}

}  // namespace controls

using namespace controls;

int WINAPI SetScrollInfo(HWND h, int bar, LPCSCROLLINFO si, BOOL redraw) {
  if (!si || !IsWindow(h)) return 0;
  InstallWindowBars();
  if (bar == SB_CTL) return static_cast<int>(SendMessageA(h, SBM_SETSCROLLINFO, redraw, reinterpret_cast<LPARAM>(si)));
  int pos = ApplyInfo(Bar(h, bar), *si);
  if (redraw) PaintWindowBars(h);
  return pos;
}

BOOL WINAPI GetScrollInfo(HWND h, int bar, LPSCROLLINFO si) {
  if (!si || !IsWindow(h)) return FALSE;
  if (bar == SB_CTL) return static_cast<BOOL>(SendMessageA(h, SBM_GETSCROLLINFO, 0, reinterpret_cast<LPARAM>(si)));
  ScrollState* s = FindBar(h, bar);
  if (!s) return FALSE;
  ReadInfo(*s, *si);
  return TRUE;
}

int WINAPI SetScrollPos(HWND h, int bar, int pos, BOOL redraw) {
  SCROLLINFO old{sizeof old, SIF_POS};
  GetScrollInfo(h, bar, &old);
  SCROLLINFO si{sizeof si, SIF_POS, 0, 0, 0, pos, 0};
  SetScrollInfo(h, bar, &si, redraw);
  return old.nPos;
}

int WINAPI GetScrollPos(HWND h, int bar) {
  SCROLLINFO si{sizeof si, SIF_POS};
  return GetScrollInfo(h, bar, &si) ? si.nPos : 0;
}

BOOL WINAPI SetScrollRange(HWND h, int bar, int lo, int hi, BOOL redraw) {
  SCROLLINFO si{sizeof si, SIF_RANGE, lo, hi, 0, 0, 0};
  SetScrollInfo(h, bar, &si, redraw);
  return TRUE;
}

BOOL WINAPI GetScrollRange(HWND h, int bar, LPINT lo, LPINT hi) {
  SCROLLINFO si{sizeof si, SIF_RANGE};
  BOOL ok = GetScrollInfo(h, bar, &si);
  if (lo) *lo = ok ? si.nMin : 0;
  if (hi) *hi = ok ? si.nMax : 0;
  return ok;
}

BOOL WINAPI ShowScrollBar(HWND h, int bar, BOOL show) {
  if (!IsWindow(h)) return FALSE;
  LONG bits = bar == SB_VERT ? WS_VSCROLL : bar == SB_HORZ ? WS_HSCROLL : bar == SB_BOTH ? (WS_VSCROLL | WS_HSCROLL) : 0;
  if (bar == SB_CTL) return ShowWindow(h, show ? SW_SHOW : SW_HIDE), TRUE;
  LONG st = GetWindowLongA(h, GWL_STYLE);
  LONG now = show ? (st | bits) : (st & ~bits);
  if (now != st) {
    SetWindowLongA(h, GWL_STYLE, now);
    SetWindowPos(h, nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
  }
  return TRUE;
}
