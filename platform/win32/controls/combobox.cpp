// The "ComboBox" class with CBS_DROPDOWN: an inner "Edit" child (the first
// child window), a drop button, and a "ListBox" popup as the drop-down list.
#include "control_base.h"

#include <algorithm>

namespace controls {
namespace {

struct Combo {
  HWND edit = nullptr;
  HWND list = nullptr;
  WNDPROC editProc = nullptr;
  int dropHeight = 100;
  bool dropped = false;
  bool quiet = false;  // text set by the combo itself: no CBN_EDITCHANGE
  HFONT font = nullptr;
};

constexpr int kEditId = 1001;

int ButtonWidth() { return GetSystemMetrics(SM_CXVSCROLL); }

void SetEditText(Combo& c, const std::string& s) {
  c.quiet = true;
  SetWindowTextA(c.edit, s.c_str());
  SendMessageA(c.edit, EM_SETSEL, 0, -1);
  c.quiet = false;
}

std::string ListText(const Combo& c, int i) {
  LRESULT n = SendMessageA(c.list, LB_GETTEXTLEN, static_cast<WPARAM>(i), 0);
  if (n < 0) return {};
  std::string s(static_cast<std::size_t>(n) + 1, '\0');
  SendMessageA(c.list, LB_GETTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(s.data()));
  s.resize(static_cast<std::size_t>(n));
  return s;
}

void ShowCurrent(Combo& c) {
  int cur = static_cast<int>(SendMessageA(c.list, LB_GETCURSEL, 0, 0));
  SetEditText(c, cur >= 0 ? ListText(c, cur) : std::string());
}

void Drop(HWND h, Combo& c, bool open, bool picked = false) {
  if (open == c.dropped) return;
  if (open) {
    NotifyCommand(h, CBN_DROPDOWN);
    RECT wr;
    GetWindowRect(h, &wr);
    int itemH = static_cast<int>(SendMessageA(c.list, LB_GETITEMHEIGHT, 0, 0));
    int n = std::max(1, static_cast<int>(SendMessageA(c.list, LB_GETCOUNT, 0, 0)));
    int hgt = std::min(std::max(itemH + 2, c.dropHeight - (wr.bottom - wr.top)), n * itemH + 2);
    SetWindowPos(c.list, HWND_TOPMOST, wr.left, wr.bottom, wr.right - wr.left, hgt, SWP_NOACTIVATE | SWP_SHOWWINDOW);
    c.dropped = true;
    SetCapture(c.list);
    InvalidateRect(h, nullptr, FALSE);
    return;
  }
  c.dropped = false;
  ShowWindow(c.list, SW_HIDE);
  if (GetCapture() == c.list) ReleaseCapture();
  InvalidateRect(h, nullptr, FALSE);
  if (picked) ShowCurrent(c);
  NotifyCommand(h, picked ? CBN_SELENDOK : CBN_SELENDCANCEL);
  NotifyCommand(h, CBN_CLOSEUP);
  SetFocus(c.edit);
}

void Step(HWND h, Combo& c, int by) {
  int n = static_cast<int>(SendMessageA(c.list, LB_GETCOUNT, 0, 0));
  if (n == 0) return;
  int cur = static_cast<int>(SendMessageA(c.list, LB_GETCURSEL, 0, 0));
  int next = std::clamp(cur < 0 ? 0 : cur + by, 0, n - 1);
  if (next == cur) return;
  SendMessageA(c.list, LB_SETCURSEL, static_cast<WPARAM>(next), 0);
  ShowCurrent(c);
  NotifyCommand(h, CBN_SELCHANGE);
}

// The inner edit's keys that belong to the combo box.
LRESULT CALLBACK EditHook(HWND e, UINT msg, WPARAM wp, LPARAM lp) {
  HWND h = GetParent(e);
  Combo* c = States<Combo>().Get(h);
  if (!c) return DefWindowProcA(e, msg, wp, lp);
  bool alt = msg == WM_SYSKEYDOWN;
  if (msg == WM_KEYDOWN || alt) {
    if (wp == VK_F4 || (alt && (wp == VK_DOWN || wp == VK_UP))) return Drop(h, *c, !c->dropped), 0;
    if (wp == VK_DOWN || wp == VK_UP) return Step(h, *c, wp == VK_DOWN ? 1 : -1), 0;
    if (c->dropped && wp == VK_RETURN) return Drop(h, *c, false, true), 0;
    if (c->dropped && wp == VK_ESCAPE) return Drop(h, *c, false), 0;
  }
  if (msg == WM_CHAR && c->dropped && (wp == '\r' || wp == 27)) return 0;
  return CallWindowProcA(c->editProc, e, msg, wp, lp);
}

void Create(HWND h, Combo& c, const CREATESTRUCTA* cs) {
  LONG st = GetWindowLongA(h, GWL_STYLE);
  c.dropHeight = cs->cy;
  HDC dc = GetDC(h);
  HGDIOBJ old = SelectObject(dc, UsedFont(nullptr));
  int hgt = FontHeight(dc) + 8;
  SelectObject(dc, old);
  ReleaseDC(h, dc);
  SetWindowPos(h, nullptr, 0, 0, cs->cx, hgt, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  RECT client;
  GetClientRect(h, &client);
  DWORD es = WS_CHILD | WS_VISIBLE | ES_AUTOHSCROLL | ((st & CBS_DROPDOWNLIST) == CBS_DROPDOWNLIST ? ES_READONLY : 0);
  c.edit = CreateWindowExA(0, WC_EDITA, cs->lpszName ? cs->lpszName : "", es, 3, 3, client.right - 5 - ButtonWidth(),
                           client.bottom - 6, h, reinterpret_cast<HMENU>(static_cast<INT_PTR>(kEditId)), nullptr, nullptr);
  c.editProc = reinterpret_cast<WNDPROC>(
      SetWindowLongPtrA(c.edit, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(EditHook)));
  DWORD ls = WS_POPUP | WS_BORDER | WS_VSCROLL | LBS_COMBOBOX | LBS_NOTIFY | ((st & CBS_SORT) ? LBS_SORT : 0);
  c.list = CreateWindowExA(WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE, WC_LISTBOXA, "", ls, 0, 0, cs->cx, c.dropHeight, h,
                           nullptr, nullptr, nullptr);
  SetPropA(c.list, kComboProp, h);
}

void Paint(HWND h, Combo& c) {
  PAINTSTRUCT ps;
  HDC dc = BeginPaint(h, &ps);
  RECT r;
  GetClientRect(h, &r);
  FillRect(dc, &r, SysBrush(IsWindowEnabled(h) ? COLOR_WINDOW : COLOR_BTNFACE));
  RECT edge = r;
  DrawEdge(dc, &edge, EDGE_SUNKEN, BF_RECT);
  RECT b{r.right - 2 - ButtonWidth(), r.top + 2, r.right - 2, r.bottom - 2};
  look::PushFrame(dc, b, c.dropped, false);
  int cx = (b.left + b.right) / 2 + (c.dropped ? 1 : 0), cy = (b.top + b.bottom) / 2 - 1 + (c.dropped ? 1 : 0);
  COLORREF ink = GetSysColor(IsWindowEnabled(h) ? COLOR_BTNTEXT : COLOR_GRAYTEXT);
  for (int k = 0; k < 4; ++k)
    for (int j = -3 + k; j <= 3 - k; ++j) SetPixelV(dc, cx + j, cy + k, ink);
  EndPaint(h, &ps);
}

LRESULT FromChildren(HWND h, Combo& c, WPARAM wp) {
  WORD code = HIWORD(wp);
  if (LOWORD(wp) == kEditId) {
    if (code == EN_CHANGE && !c.quiet) NotifyCommand(h, CBN_EDITCHANGE);
    if (code == EN_UPDATE && !c.quiet) NotifyCommand(h, CBN_EDITUPDATE);
    if (code == EN_SETFOCUS) NotifyCommand(h, CBN_SETFOCUS);
    if (code == EN_KILLFOCUS && !c.dropped) NotifyCommand(h, CBN_KILLFOCUS);
    return 0;
  }
  if (code == LBN_SELCHANGE) {
    ShowCurrent(c);
    NotifyCommand(h, CBN_SELCHANGE);
  } else if (code == kListPicked) {
    Drop(h, c, false, true);
  } else if (code == kListCancel) {
    Drop(h, c, false);
  }
  return 0;
}

LRESULT ComboMessage(HWND h, Combo& c, UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case CB_ADDSTRING: return SendMessageA(c.list, LB_ADDSTRING, wp, lp);
    case CB_INSERTSTRING: return SendMessageA(c.list, LB_INSERTSTRING, wp, lp);
    case CB_DELETESTRING: return SendMessageA(c.list, LB_DELETESTRING, wp, lp);
    case CB_GETCOUNT: return SendMessageA(c.list, LB_GETCOUNT, 0, 0);
    case CB_GETLBTEXT: return SendMessageA(c.list, LB_GETTEXT, wp, lp);
    case CB_GETLBTEXTLEN: return SendMessageA(c.list, LB_GETTEXTLEN, wp, 0);
    case CB_RESETCONTENT: SendMessageA(c.list, LB_RESETCONTENT, 0, 0); SetEditText(c, ""); return CB_OKAY;
    case CB_FINDSTRING: return SendMessageA(c.list, LB_FINDSTRING, wp, lp);
    case CB_FINDSTRINGEXACT: return SendMessageA(c.list, LB_FINDSTRINGEXACT, wp, lp);
    case CB_SELECTSTRING: {
      LRESULT i = SendMessageA(c.list, LB_SELECTSTRING, wp, lp);
      if (i >= 0) ShowCurrent(c);
      return i;
    }
    case CB_SETCURSEL: {
      LRESULT r = SendMessageA(c.list, LB_SETCURSEL, wp, 0);
      ShowCurrent(c);
      return static_cast<int>(wp) < 0 ? CB_ERR : r;
    }
    case CB_GETCURSEL: return SendMessageA(c.list, LB_GETCURSEL, 0, 0);
    case CB_GETITEMDATA: return SendMessageA(c.list, LB_GETITEMDATA, wp, 0);
    case CB_SETITEMDATA: return SendMessageA(c.list, LB_SETITEMDATA, wp, lp);
    case CB_SETITEMHEIGHT: return SendMessageA(c.list, LB_SETITEMHEIGHT, 0, lp);
    case CB_GETITEMHEIGHT: return SendMessageA(c.list, LB_GETITEMHEIGHT, 0, 0);
    case CB_SHOWDROPDOWN: Drop(h, c, wp != 0); return TRUE;
    case CB_GETDROPPEDSTATE: return c.dropped;
    case CB_LIMITTEXT: return SendMessageA(c.edit, EM_LIMITTEXT, wp, 0), TRUE;
    case CB_GETEDITSEL: return SendMessageA(c.edit, EM_GETSEL, wp, lp);
    case CB_SETEDITSEL: return SendMessageA(c.edit, EM_SETSEL, static_cast<WPARAM>(static_cast<short>(LOWORD(lp))),
                                            static_cast<short>(HIWORD(lp))), TRUE;
    case CB_GETDROPPEDCONTROLRECT: {
      RECT* r = reinterpret_cast<RECT*>(lp);
      if (!r) return CB_ERR;
      GetWindowRect(h, r);
      r->bottom = r->top + c.dropHeight;
      return TRUE;
    }
  }
  return 0;
}

LRESULT CALLBACK ComboProc(HWND h, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_NCCREATE) {
    States<Combo>().Create(h);
    // Scroll-bar styles given to a combo box are meant for its list.
    SetWindowLongA(h, GWL_STYLE, GetWindowLongA(h, GWL_STYLE) & ~(WS_VSCROLL | WS_HSCROLL));
  }
  Combo* c = States<Combo>().Get(h);
  if (!c) return DefWindowProcA(h, msg, wp, lp);
  if (msg >= CB_GETEDITSEL && msg <= CB_FINDSTRINGEXACT) return ComboMessage(h, *c, msg, wp, lp);
  switch (msg) {
    case WM_CREATE: Create(h, *c, reinterpret_cast<const CREATESTRUCTA*>(lp)); return 0;
    case WM_DESTROY: if (c->list) DestroyWindow(c->list); c->list = nullptr; return 0;
    case WM_NCDESTROY: States<Combo>().Erase(h); return DefWindowProcA(h, msg, wp, lp);
    case WM_PAINT: Paint(h, *c); return 0;
    case WM_ERASEBKGND: return 1;
    case WM_COMMAND: return FromChildren(h, *c, wp);
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
      SetFocus(c->edit);
      Drop(h, *c, !c->dropped);
      return 0;
    case WM_SETFOCUS: SetFocus(c->edit); return 0;
    case WM_SETTEXT: SetEditText(*c, lp ? reinterpret_cast<const char*>(lp) : ""); return TRUE;
    case WM_GETTEXT: return SendMessageA(c->edit, WM_GETTEXT, wp, lp);
    case WM_GETTEXTLENGTH: return SendMessageA(c->edit, WM_GETTEXTLENGTH, 0, 0);
    case WM_SETFONT:
      c->font = reinterpret_cast<HFONT>(wp);
      SendMessageA(c->edit, WM_SETFONT, wp, lp);
      SendMessageA(c->list, WM_SETFONT, wp, lp);
      return 0;
    case WM_GETFONT: return reinterpret_cast<LRESULT>(c->font);
    case WM_ENABLE: EnableWindow(c->edit, static_cast<BOOL>(wp)); InvalidateRect(h, nullptr, FALSE); return 0;
    case WM_GETDLGCODE: return DLGC_WANTARROWS | DLGC_WANTCHARS;
  }
  return DefWindowProcA(h, msg, wp, lp);
}

}  // namespace

void RegisterComboBox() { RegisterOnce(WC_COMBOBOXA, ComboProc, CS_DBLCLKS, -1); }

}  // namespace controls
