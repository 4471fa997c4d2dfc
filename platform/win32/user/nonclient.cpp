// The non-client area. Child windows and frameless pop-ups carry their own
// borders, edges and scroll-bar space, drawn here; a captioned top-level
// window's frame belongs to the host, so its window rectangle is all client.
#include <algorithm>

#include <win32/user32_draw.h>

#include "window.h"

namespace user {
namespace {

int Metric(int index) { return GetSystemMetrics(index); }

}  // namespace

RECT NonClientInsets(DWORD style, DWORD ex, bool hostFrame) {
  RECT in{0, 0, 0, 0};
  if (!hostFrame) {
    int adjust = 0;
    if ((ex & (WS_EX_STATICEDGE | WS_EX_DLGMODALFRAME)) == WS_EX_STATICEDGE)
      adjust = 1;
    else if ((ex & WS_EX_DLGMODALFRAME) || (style & (WS_THICKFRAME | WS_DLGFRAME)))
      adjust = 2;
    if (style & WS_THICKFRAME) adjust += Metric(SM_CXFRAME) - Metric(SM_CXDLGFRAME);
    if ((style & (WS_BORDER | WS_DLGFRAME)) || (ex & WS_EX_DLGMODALFRAME)) adjust++;
    in = RECT{adjust, adjust, adjust, adjust};
    if ((style & WS_CAPTION) == WS_CAPTION)
      in.top += (ex & WS_EX_TOOLWINDOW) ? Metric(SM_CYSMCAPTION) : Metric(SM_CYCAPTION);
  }
  if (ex & WS_EX_CLIENTEDGE) {
    in.left += Metric(SM_CXEDGE), in.right += Metric(SM_CXEDGE);
    in.top += Metric(SM_CYEDGE), in.bottom += Metric(SM_CYEDGE);
  }
  if (style & WS_VSCROLL) {
    if (ex & WS_EX_LEFTSCROLLBAR)
      in.left += Metric(SM_CXVSCROLL);
    else
      in.right += Metric(SM_CXVSCROLL);
  }
  if (style & WS_HSCROLL) in.bottom += Metric(SM_CYHSCROLL);
  return in;
}

LRESULT DefaultNcHitTest(Window* w, POINT pt) {
  RECT win = WindowRectScreen(w);
  if (!PointIn(win, pt)) return HTNOWHERE;
  if (PointIn(ClientRectScreen(w), pt)) return HTCLIENT;
  RECT in = NonClientInsets(w->style, w->exStyle, HasHostFrame(w));
  RECT inner = RectOffset(w->client, win.left, win.top);
  if ((w->style & WS_VSCROLL) && pt.y >= inner.top && pt.y < inner.bottom &&
      ((pt.x >= inner.right && pt.x < inner.right + Metric(SM_CXVSCROLL)) ||
       (pt.x < inner.left && pt.x >= inner.left - Metric(SM_CXVSCROLL))))
    return HTVSCROLL;
  if ((w->style & WS_HSCROLL) && pt.y >= inner.bottom && pt.y < inner.bottom + Metric(SM_CYHSCROLL) &&
      pt.x >= inner.left && pt.x < inner.right)
    return HTHSCROLL;
  if ((w->style & WS_CAPTION) == WS_CAPTION && pt.y < win.top + in.top && pt.y >= win.top + in.left)
    return HTCAPTION;
  if (w->style & WS_THICKFRAME) {
    bool l = pt.x < win.left + 4, r = pt.x >= win.right - 4, t = pt.y < win.top + 4, b = pt.y >= win.bottom - 4;
    if (t && l) return HTTOPLEFT;
    if (t && r) return HTTOPRIGHT;
    if (b && l) return HTBOTTOMLEFT;
    if (b && r) return HTBOTTOMRIGHT;
    if (l) return HTLEFT;
    if (r) return HTRIGHT;
    if (t) return HTTOP;
    if (b) return HTBOTTOM;
  }
  return HTBORDER;
}

void PaintFrame(HDC dc, RECT& r, const FrameLook& look) {
  const DWORD st = look.style, ex = look.exStyle;
  if ((ex & (WS_EX_STATICEDGE | WS_EX_DLGMODALFRAME)) == WS_EX_STATICEDGE) {
    DrawEdge(dc, &r, BDR_SUNKENOUTER, BF_RECT | BF_ADJUST);
  } else if ((ex & WS_EX_DLGMODALFRAME) || (st & (WS_THICKFRAME | WS_DLGFRAME))) {
    DrawEdge(dc, &r, EDGE_RAISED, BF_RECT | BF_ADJUST);
    if (st & WS_THICKFRAME) {
      FrameRect(dc, &r, reinterpret_cast<HBRUSH>(static_cast<std::intptr_t>(COLOR_BTNFACE + 1)));
      InflateRect(&r, -1, -1);
    }
  }
  if ((st & (WS_BORDER | WS_DLGFRAME)) || (ex & WS_EX_DLGMODALFRAME)) {
    HBRUSH brush = reinterpret_cast<HBRUSH>(
        static_cast<std::intptr_t>(((st & WS_DLGFRAME) || (ex & WS_EX_DLGMODALFRAME)) ? COLOR_BTNFACE + 1
                                                                                       : COLOR_WINDOWFRAME + 1));
    FrameRect(dc, &r, brush);
    InflateRect(&r, -1, -1);
  }
  if ((st & WS_CAPTION) == WS_CAPTION) {
    int h = (ex & WS_EX_TOOLWINDOW) ? Metric(SM_CYSMCAPTION) : Metric(SM_CYCAPTION);
    RECT cap{r.left, r.top, r.right, r.top + h - 1};
    PaintCaption(dc, cap, look);
    RECT line{r.left, r.top + h - 1, r.right, r.top + h};
    FillRect(dc, &line, reinterpret_cast<HBRUSH>(static_cast<std::intptr_t>(COLOR_BTNFACE + 1)));
    r.top += h;
  }
}

void DefaultNcPaint(Window* w, HDC dc) {
  if (HasHostFrame(w)) return;
  RECT r{0, 0, w->rect.right - w->rect.left, w->rect.bottom - w->rect.top};
  DWORD st = w->style, ex = w->exStyle;
  PaintFrame(dc, r, FrameLook{st, ex, Root(w) == S().active, w->text});
  if (ex & WS_EX_CLIENTEDGE) DrawEdge(dc, &r, EDGE_SUNKEN, BF_RECT | BF_ADJUST);
  // Scroll-bar space: the bars themselves are drawn by the controls that use them.
  RECT c = w->client;
  HBRUSH bar = reinterpret_cast<HBRUSH>(static_cast<std::intptr_t>(COLOR_SCROLLBAR + 1));
  if (st & WS_VSCROLL) {
    RECT v = (ex & WS_EX_LEFTSCROLLBAR) ? RECT{c.left - Metric(SM_CXVSCROLL), c.top, c.left, c.bottom}
                                        : RECT{c.right, c.top, c.right + Metric(SM_CXVSCROLL), c.bottom};
    FillRect(dc, &v, bar);
  }
  if (st & WS_HSCROLL) {
    RECT hr{c.left, c.bottom, c.right, c.bottom + Metric(SM_CYHSCROLL)};
    FillRect(dc, &hr, bar);
    if (st & WS_VSCROLL) {
      RECT corner{c.right, c.bottom, c.right + Metric(SM_CXVSCROLL), c.bottom + Metric(SM_CYHSCROLL)};
      FillRect(dc, &corner, reinterpret_cast<HBRUSH>(static_cast<std::intptr_t>(COLOR_BTNFACE + 1)));
    }
  }
}

}  // namespace user

using namespace user;

BOOL WINAPI AdjustWindowRectEx(LPRECT r, DWORD style, BOOL, DWORD ex) {
  if (!r) return FALSE;
  bool hostFrame = !(style & WS_CHILD) && ((style & WS_CAPTION) == WS_CAPTION || !(style & WS_POPUP));
  RECT in = NonClientInsets(style, ex, hostFrame);
  r->left -= in.left, r->top -= in.top, r->right += in.right, r->bottom += in.bottom;
  return TRUE;
}

BOOL WINAPI AdjustWindowRect(LPRECT r, DWORD style, BOOL menu) { return AdjustWindowRectEx(r, style, menu, 0); }
