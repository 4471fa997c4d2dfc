// The default handling of the messages the program's windows receive.
#include <cstring>

#include <win32/user32_draw.h>

#include "scrollbar_seam.h"
#include "window.h"

namespace user {
namespace {

HBRUSH BrushOf(HBRUSH b) {
  auto v = reinterpret_cast<std::uintptr_t>(b);
  if (v > 0 && v <= COLOR_MENUBAR + 1) return GetSysColorBrush(static_cast<int>(v - 1));
  return b;
}

void NcCalcSize(Window* w, WPARAM wp, LPARAM lp) {
  RECT* r = wp ? &reinterpret_cast<NCCALCSIZE_PARAMS*>(lp)->rgrc[0] : reinterpret_cast<RECT*>(lp);
  if (!r || (w->style & WS_MINIMIZE)) return;
  RECT in = NonClientInsets(w->style, w->exStyle, HasHostFrame(w));
  r->left += in.left, r->top += in.top, r->right -= in.right, r->bottom -= in.bottom;
  if (r->right < r->left) r->right = r->left;
  if (r->bottom < r->top) r->bottom = r->top;
}

LRESULT Erase(Window* w, HDC dc) {
  HBRUSH b = w->cls->background;
  if (!b) return 0;
  RECT rc{0, 0, w->client.right - w->client.left, w->client.bottom - w->client.top};
  FillRect(dc, &rc, BrushOf(b));
  return 1;
}

void Print(Window* w, HDC dc, LPARAM flags) {
  if ((flags & PRF_CHECKVISIBLE) && !Visible(w)) return;
  HWND h = w->hwnd;
  if (flags & PRF_NONCLIENT) DefaultNcPaint(w, dc);
  POINT old;
  if (flags & (PRF_CLIENT | PRF_ERASEBKGND | PRF_CHILDREN))
    OffsetViewportOrgEx(dc, w->client.left, w->client.top, &old);
  if (flags & PRF_ERASEBKGND) Send(w, WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), 0);
  if ((flags & PRF_CLIENT) && Lookup(h)) Send(w, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc), flags);
  if ((flags & PRF_CHILDREN) && Lookup(h)) {
    std::vector<Window*> kids(w->children.rbegin(), w->children.rend());
    for (Window* c : kids) {
      if (!(c->style & WS_VISIBLE)) continue;
      POINT o;
      OffsetViewportOrgEx(dc, c->rect.left, c->rect.top, &o);
      Send(c, WM_PRINT, reinterpret_cast<WPARAM>(dc), flags | PRF_NONCLIENT);
      SetViewportOrgEx(dc, o.x, o.y, nullptr);
    }
  }
  if (flags & (PRF_CLIENT | PRF_ERASEBKGND | PRF_CHILDREN)) SetViewportOrgEx(dc, old.x, old.y, nullptr);
}

LRESULT SetCursorDefault(Window* w, WPARAM wp, LPARAM lp) {
  if ((w->style & WS_CHILD) && w->parent && Send(w->parent, WM_SETCURSOR, wp, lp)) return TRUE;
  int hit = static_cast<SHORT>(LOWORD(lp));
  UINT mouse = HIWORD(lp);
  if (hit == HTERROR) {
    if (mouse == WM_LBUTTONDOWN || mouse == WM_RBUTTONDOWN || mouse == WM_MBUTTONDOWN) MessageBeep(0);
    return FALSE;
  }
  if (hit == HTCLIENT) {
    if (w->cls->cursor) SetCursor(w->cls->cursor);
    return w->cls->cursor != nullptr;
  }
  LPCSTR id = IDC_ARROW;
  switch (hit) {
    case HTLEFT: case HTRIGHT: id = IDC_SIZEWE; break;
    case HTTOP: case HTBOTTOM: id = IDC_SIZENS; break;
    case HTTOPLEFT: case HTBOTTOMRIGHT: id = IDC_SIZENWSE; break;
    case HTTOPRIGHT: case HTBOTTOMLEFT: id = IDC_SIZENESW; break;
    default: break;
  }
  SetCursor(LoadCursorA(nullptr, id));
  return TRUE;
}

LRESULT SysKey(Window* w, UINT msg, WPARAM wp, LPARAM lp) {
  ThreadQueue& q = MyQueue();
  if (msg == WM_SYSKEYDOWN) {
    if (wp == VK_MENU || wp == VK_F10) {
      if (!(lp & 0x40000000)) q.altAlone = true;
    } else {
      q.altAlone = false;
      // Alt+F4 closes the top-level window, whichever child has the focus.
      if (wp == VK_F4 && (lp & 0x20000000)) Post(Root(w), WM_SYSCOMMAND, SC_CLOSE, 0);
    }
    return 0;
  }
  if (msg == WM_SYSKEYUP) {
    if ((wp == VK_MENU || wp == VK_F10) && q.altAlone) {
      q.altAlone = false;
      Window* top = Root(w);
      Send(top, WM_SYSCOMMAND, SC_KEYMENU, 0);
    }
    return 0;
  }
  // WM_SYSCHAR: Alt+letter asks the (absent) native menu.
  if (wp == VK_RETURN || wp == VK_ESCAPE) return 0;
  if (lp & 0x20000000) Send(Root(w), WM_SYSCOMMAND, SC_KEYMENU, static_cast<LPARAM>(wp));
  return 0;
}

LRESULT SysCommand(Window* w, WPARAM wp, LPARAM) {
  switch (wp & 0xFFF0) {
    case SC_CLOSE: return Send(w, WM_CLOSE, 0, 0);
    case SC_MINIMIZE: ShowWindow(w->hwnd, SW_MINIMIZE); return 0;
    case SC_MAXIMIZE: ShowWindow(w->hwnd, SW_MAXIMIZE); return 0;
    case SC_RESTORE: ShowWindow(w->hwnd, SW_RESTORE); return 0;
    case SC_KEYMENU: return 0;  // no native menu bar to enter
    default: return 0;
  }
}

LRESULT GetText(Window* w, WPARAM max, LPARAM buf) {
  if (!buf || max == 0) return 0;
  std::size_t n = std::min<std::size_t>(w->text.size(), max - 1);
  std::memcpy(reinterpret_cast<char*>(buf), w->text.data(), n);
  reinterpret_cast<char*>(buf)[n] = 0;
  return static_cast<LRESULT>(n);
}

void SetText(Window* w, LPARAM text) {
  w->text = text ? reinterpret_cast<const char*>(text) : "";
  if (IsTopLevel(w) && w->surface != backend::kNoSurface)
    if (backend::Backend* host = Host()) host->SetTitle(w->surface, w->text);
  if ((w->style & WS_CAPTION) == WS_CAPTION && !HasHostFrame(w)) RedrawWindow(w->hwnd, nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME | RDW_NOCHILDREN);
}

LRESULT CtlColor(UINT msg, WPARAM wp) {
  HDC dc = reinterpret_cast<HDC>(wp);
  bool window = msg == WM_CTLCOLOREDIT || msg == WM_CTLCOLORLISTBOX;
  SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
  SetBkColor(dc, GetSysColor(window ? COLOR_WINDOW : COLOR_BTNFACE));
  return reinterpret_cast<LRESULT>(GetSysColorBrush(window ? COLOR_WINDOW : COLOR_BTNFACE));
}

LRESULT PositionChanged(Window* w, LPARAM lp) {
  auto* wp = reinterpret_cast<WINDOWPOS*>(lp);
  if (!(wp->flags & SWP_NOCLIENTMOVE))
    Send(w, WM_MOVE, 0, MAKELPARAM(w->rect.left + w->client.left, w->rect.top + w->client.top));
  if (!(wp->flags & SWP_NOCLIENTSIZE) && Lookup(wp->hwnd)) {
    WPARAM kind = (w->style & WS_MINIMIZE) ? SIZE_MINIMIZED : (w->style & WS_MAXIMIZE) ? SIZE_MAXIMIZED : SIZE_RESTORED;
    Send(w, WM_SIZE, kind, MAKELPARAM(w->client.right - w->client.left, w->client.bottom - w->client.top));
  }
  return 0;
}

LRESULT PassToParent(Window* w, UINT msg, WPARAM wp, LPARAM lp) {
  if ((w->style & WS_CHILD) && w->parent) return Send(w->parent, msg, wp, lp);
  return 0;
}

LRESULT Paint(Window* w) {
  PAINTSTRUCT ps;
  if (BeginPaint(w->hwnd, &ps)) EndPaint(w->hwnd, &ps);
  return 0;
}

LRESULT NcPaint(Window* w, WPARAM wp) {
  HRGN rgn = reinterpret_cast<HRGN>(wp);
  HDC dc = GetDCEx(w->hwnd, wp > 1 ? rgn : nullptr, DCX_WINDOW | DCX_CACHE | (wp > 1 ? DCX_INTERSECTRGN : 0));
  if (!dc) return 0;
  DefaultNcPaint(w, dc);
  ReleaseDC(w->hwnd, dc);
  return 0;
}

}  // namespace

WindowScrollBars& ScrollBarsSlot() {
  static WindowScrollBars bars;
  return bars;
}
void SetWindowScrollBars(const WindowScrollBars& bars) { ScrollBarsSlot() = bars; }
const WindowScrollBars& CurrentWindowScrollBars() { return ScrollBarsSlot(); }

}  // namespace user

using namespace user;

LRESULT WINAPI DefWindowProcA(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  Window* w = Lookup(hwnd);
  if (!w) return 0;
  switch (msg) {
    case WM_NCCREATE: {
      auto* cs = reinterpret_cast<CREATESTRUCTA*>(lp);
      if (cs && cs->lpszName && !IS_INTRESOURCE(cs->lpszName)) w->text = cs->lpszName;
      return TRUE;
    }
    case WM_NCCALCSIZE: NcCalcSize(w, wp, lp); return 0;
    case WM_NCHITTEST: return DefaultNcHitTest(w, POINT{GET_X_LPARAM(lp), GET_Y_LPARAM(lp)});
    case WM_NCPAINT:
      NcPaint(w, wp);
      if (CurrentWindowScrollBars().paint) CurrentWindowScrollBars().paint(hwnd);
      return 0;
    case WM_NCLBUTTONDOWN:
    case WM_NCLBUTTONDBLCLK:
      if ((wp == HTVSCROLL || wp == HTHSCROLL) && CurrentWindowScrollBars().press)
        CurrentWindowScrollBars().press(hwnd, wp, lp);
      return 0;
    case WM_NCACTIVATE:
      if (!HasHostFrame(w) && (w->style & WS_CAPTION) == WS_CAPTION)
        RedrawWindow(hwnd, nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME | RDW_NOCHILDREN);
      return TRUE;
    case WM_PAINT: return Paint(w);
    case WM_ERASEBKGND: return Erase(w, reinterpret_cast<HDC>(wp));
    case WM_PRINT: Print(w, reinterpret_cast<HDC>(wp), lp); return 0;
    case WM_SETTEXT: SetText(w, lp); return TRUE;
    case WM_GETTEXT: return GetText(w, wp, lp);
    case WM_GETTEXTLENGTH: return static_cast<LRESULT>(w->text.size());
    case WM_CLOSE: DestroyWindow(hwnd); return 0;
    case WM_SYSCOMMAND: return SysCommand(w, wp, lp);
    case WM_SYSKEYDOWN:
    case WM_SYSKEYUP:
    case WM_SYSCHAR: return SysKey(w, msg, wp, lp);
    case WM_KEYDOWN:
      if (wp != VK_MENU && wp != VK_F10) MyQueue().altAlone = false;
      return 0;
    case WM_SETCURSOR: return SetCursorDefault(w, wp, lp);
    case WM_MOUSEACTIVATE: {
      LRESULT r = PassToParent(w, msg, wp, lp);
      return r ? r : MA_ACTIVATE;
    }
    case WM_ACTIVATE:
      if (LOWORD(wp) != WA_INACTIVE && !(w->style & WS_MINIMIZE)) SetFocus(hwnd);
      return 0;
    case WM_WINDOWPOSCHANGED: return PositionChanged(w, lp);
    case WM_CANCELMODE:
      if (S().capture == w) ReleaseCapture();
      return 0;
    case WM_RBUTTONUP: {
      POINT pt{GET_X_LPARAM(lp), GET_Y_LPARAM(lp)};
      ClientToScreen(hwnd, &pt);
      Send(w, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(hwnd), MAKELPARAM(pt.x, pt.y));
      return 0;
    }
    case WM_CONTEXTMENU:
    case WM_MOUSEWHEEL: return PassToParent(w, msg, wp, lp);
    case WM_CTLCOLORMSGBOX:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORDLG:
    case WM_CTLCOLORSCROLLBAR:
    case WM_CTLCOLORSTATIC: return CtlColor(msg, wp);
    case WM_QUERYENDSESSION:
    case WM_QUERYOPEN: return TRUE;
    case WM_SHOWWINDOW:
    case WM_GETMINMAXINFO:
    case WM_WINDOWPOSCHANGING:
    default: return 0;
  }
}
