// The "ScrollBar" class: a bar as a child window (SB_CTL) that reports
// arrow and page clicks and thumb drags to its parent as WM_HSCROLL or
// WM_VSCROLL.
#include "control_base.h"
#include "scroll.h"

namespace controls {
namespace {

bool Vertical(HWND h) { return GetWindowLongA(h, GWL_STYLE) & SBS_VERT; }

LRESULT CALLBACK BarProc(HWND h, UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_NCDESTROY: ForgetBars(h); return DefWindowProcA(h, msg, wp, lp);
    case WM_PAINT: {
      PAINTSTRUCT ps;
      HDC dc = BeginPaint(h, &ps);
      RECT r;
      GetClientRect(h, &r);
      PaintBar(dc, r, Vertical(h), Bar(h, SB_CTL), PressedPart(h, SB_CTL));
      EndPaint(h, &ps);
      return 0;
    }
    case WM_ERASEBKGND: return 1;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK: {
      POINT p{GET_X_LPARAM(lp), GET_Y_LPARAM(lp)};
      ClientToScreen(h, &p);
      TrackBar(h, SB_CTL, p);
      return 0;
    }
    case SBM_SETSCROLLINFO: {
      auto* si = reinterpret_cast<const SCROLLINFO*>(lp);
      if (!si) return 0;
      int pos = ApplyInfo(Bar(h, SB_CTL), *si);
      if (wp) InvalidateRect(h, nullptr, FALSE);
      return pos;
    }
    case SBM_GETSCROLLINFO: {
      auto* si = reinterpret_cast<SCROLLINFO*>(lp);
      if (!si) return FALSE;
      ReadInfo(Bar(h, SB_CTL), *si);
      return TRUE;
    }
    case SBM_SETPOS: {
      int old = Bar(h, SB_CTL).pos;
      SCROLLINFO si{sizeof si, SIF_POS, 0, 0, 0, static_cast<int>(wp), 0};
      ApplyInfo(Bar(h, SB_CTL), si);
      if (lp) InvalidateRect(h, nullptr, FALSE);
      return old;
    }
    case SBM_GETPOS: return Bar(h, SB_CTL).pos;
    case SBM_SETRANGE:
    case SBM_SETRANGEREDRAW: {
      SCROLLINFO si{sizeof si, SIF_RANGE, static_cast<int>(wp), static_cast<int>(lp), 0, 0, 0};
      ApplyInfo(Bar(h, SB_CTL), si);
      if (msg == SBM_SETRANGEREDRAW) InvalidateRect(h, nullptr, FALSE);
      return Bar(h, SB_CTL).pos;
    }
    case SBM_GETRANGE:
      if (wp) *reinterpret_cast<int*>(wp) = Bar(h, SB_CTL).min;
      if (lp) *reinterpret_cast<int*>(lp) = Bar(h, SB_CTL).max;
      return 0;
  }
  return DefWindowProcA(h, msg, wp, lp);
}

}  // namespace

void RegisterScrollBar() { RegisterOnce(WC_SCROLLBARA, BarProc, CS_DBLCLKS, COLOR_SCROLLBAR); }

}  // namespace controls
