// The "ListBox" class: single-selection lists of strings with item data,
// sorted or not, scrolled by keys, wheel and scroll bar. A combo box uses
// one as its drop-down list.
#include "control_base.h"
#include "scroll.h"

#include <algorithm>
#include <cstring>
#include <strings.h>
#include <vector>

namespace controls {
namespace {

struct Entry {
  std::string text;
  LPARAM data = 0;
};

struct List {
  std::vector<Entry> items;
  int cur = -1;
  int top = 0;
  int itemH = 13;
  bool focused = false;
  bool tracking = false;
  HFONT font = nullptr;
};

int Count(const List& l) { return static_cast<int>(l.items.size()); }

int Rows(HWND h, const List& l) {
  RECT r;
  GetClientRect(h, &r);
  return std::max(1, static_cast<int>(r.bottom - r.top) / l.itemH);
}

void Sync(HWND h, List& l) {
  l.top = std::clamp(l.top, 0, std::max(0, Count(l) - Rows(h, l)));
  if (Style(h) & WS_VSCROLL) {
    SCROLLINFO si{sizeof si, SIF_ALL, 0, std::max(0, Count(l) - 1), static_cast<UINT>(Rows(h, l)), l.top, 0};
    SetScrollInfo(h, SB_VERT, &si, TRUE);
  }
  InvalidateRect(h, nullptr, FALSE);
}

void Show(HWND h, List& l, int i) {
  if (i < 0) return;
  if (i < l.top) l.top = i;
  if (i >= l.top + Rows(h, l)) l.top = i - Rows(h, l) + 1;
  Sync(h, l);
}

// A drop-down list is a popup: it reports to the combo box that owns it.
void Send(HWND h, WORD code) {
  HWND combo = static_cast<HWND>(GetPropA(h, kComboProp));
  if (!combo) return NotifyCommand(h, code);
  SendMessageA(combo, WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(h), code), reinterpret_cast<LPARAM>(h));
}

void Notify(HWND h, WORD code) {
  if (Style(h) & LBS_NOTIFY) Send(h, code);
}

int Find(const List& l, int after, const char* s, bool exact) {
  if (!s) return LB_ERR;
  std::size_t n = std::strlen(s);
  for (int k = 1; k <= Count(l); ++k) {
    int i = (after + k + Count(l)) % Count(l);
    const std::string& t = l.items[static_cast<std::size_t>(i)].text;
    if (exact ? strcasecmp(t.c_str(), s) == 0 : strncasecmp(t.c_str(), s, n) == 0) return i;
  }
  return LB_ERR;
}

int Add(HWND h, List& l, int at, const char* s) {
  Entry e{s ? s : "", 0};
  if (at < 0 && (Style(h) & LBS_SORT)) {
    auto it = std::upper_bound(l.items.begin(), l.items.end(), e, [](const Entry& a, const Entry& b) {
      return strcasecmp(a.text.c_str(), b.text.c_str()) < 0;
    });
    at = static_cast<int>(it - l.items.begin());
  } else if (at < 0 || at > Count(l)) {
    at = Count(l);
  }
  l.items.insert(l.items.begin() + at, e);
  if (l.cur >= at) ++l.cur;
  Sync(h, l);
  return at;
}

void Paint(HWND h, List& l) {
  PAINTSTRUCT ps;
  HDC dc = BeginPaint(h, &ps);
  RECT c;
  GetClientRect(h, &c);
  HGDIOBJ old = SelectObject(dc, UsedFont(l.font));
  HBRUSH bg = ParentBrush(h, dc, WM_CTLCOLORLISTBOX);
  COLORREF ink = GetTextColor(dc);
  FillRect(dc, &c, bg);
  SetBkMode(dc, TRANSPARENT);
  for (int i = l.top, y = 0; i < Count(l) && y < c.bottom; ++i, y += l.itemH) {
    RECT r{0, y, c.right, y + l.itemH};
    bool sel = i == l.cur;
    if (sel) FillRect(dc, &r, SysBrush(COLOR_HIGHLIGHT));
    SetTextColor(dc, sel ? GetSysColor(COLOR_HIGHLIGHTTEXT) : (IsWindowEnabled(h) ? ink : GetSysColor(COLOR_GRAYTEXT)));
    const std::string& t = l.items[static_cast<std::size_t>(i)].text;
    TextOutA(dc, 2, y, t.c_str(), static_cast<int>(t.size()));
    if (sel && l.focused) DrawFocusRect(dc, &r);
  }
  SelectObject(dc, old);
  EndPaint(h, &ps);
}

void SetCur(HWND h, List& l, int i, bool notify) {
  i = Count(l) ? std::clamp(i, 0, Count(l) - 1) : -1;
  if (i == l.cur) return;
  l.cur = i;
  Show(h, l, i);
  if (notify) Notify(h, LBN_SELCHANGE);
}

int ItemAt(HWND h, const List& l, int y) {
  (void)h;
  int i = l.top + (y < 0 ? -1 : y / l.itemH);
  return std::clamp(i, 0, std::max(0, Count(l) - 1));
}

LRESULT ListMessage(HWND h, List& l, UINT msg, WPARAM wp, LPARAM lp) {
  auto valid = [&](WPARAM i) { return static_cast<int>(i) >= 0 && static_cast<int>(i) < Count(l); };
  switch (msg) {
    case LB_ADDSTRING: return Add(h, l, -1, reinterpret_cast<const char*>(lp));
    case LB_INSERTSTRING: return Add(h, l, static_cast<int>(wp) < 0 ? Count(l) : static_cast<int>(wp), reinterpret_cast<const char*>(lp));
    case LB_DELETESTRING:
      if (!valid(wp)) return LB_ERR;
      l.items.erase(l.items.begin() + static_cast<long>(wp));
      if (l.cur == static_cast<int>(wp)) l.cur = -1;
      else if (l.cur > static_cast<int>(wp)) --l.cur;
      Sync(h, l);
      return Count(l);
    case LB_RESETCONTENT: l.items.clear(); l.cur = -1; l.top = 0; Sync(h, l); return 0;
    case LB_SETCURSEL:
      if (static_cast<int>(wp) < 0 || !valid(wp)) { l.cur = -1; Sync(h, l); return static_cast<int>(wp) < 0 ? 0 : LB_ERR; }
      SetCur(h, l, static_cast<int>(wp), false);
      return l.cur;
    case LB_GETCURSEL: return l.cur;
    case LB_GETSEL: return valid(wp) ? static_cast<int>(wp) == l.cur : LB_ERR;
    case LB_GETTEXT:
      if (!valid(wp) || !lp) return LB_ERR;
      std::strcpy(reinterpret_cast<char*>(lp), l.items[wp].text.c_str());
      return static_cast<LRESULT>(l.items[wp].text.size());
    case LB_GETTEXTLEN: return valid(wp) ? static_cast<LRESULT>(l.items[wp].text.size()) : LB_ERR;
    case LB_GETCOUNT: return Count(l);
    case LB_FINDSTRING: return Find(l, static_cast<int>(wp), reinterpret_cast<const char*>(lp), false);
    case LB_FINDSTRINGEXACT: return Find(l, static_cast<int>(wp), reinterpret_cast<const char*>(lp), true);
    case LB_SELECTSTRING: {
      int i = Find(l, static_cast<int>(wp), reinterpret_cast<const char*>(lp), false);
      if (i >= 0) SetCur(h, l, i, false);
      return i;
    }
    case LB_GETTOPINDEX: return l.top;
    case LB_SETTOPINDEX: l.top = static_cast<int>(wp); Sync(h, l); return 0;
    case LB_GETITEMDATA: return valid(wp) ? l.items[wp].data : LB_ERR;
    case LB_SETITEMDATA: if (!valid(wp)) return LB_ERR; l.items[wp].data = lp; return 0;
    case LB_GETITEMRECT: {
      RECT* r = reinterpret_cast<RECT*>(lp);
      if (!r || !valid(wp)) return LB_ERR;
      RECT c;
      GetClientRect(h, &c);
      *r = RECT{0, (static_cast<int>(wp) - l.top) * l.itemH, c.right, (static_cast<int>(wp) - l.top + 1) * l.itemH};
      return 0;
    }
    case LB_SETITEMHEIGHT: l.itemH = std::max(1, static_cast<int>(LOWORD(lp))); Sync(h, l); return 0;
    case LB_GETITEMHEIGHT: return l.itemH;
    case LB_SETCARETINDEX: SetCur(h, l, static_cast<int>(wp), false); return 0;
    case LB_GETCARETINDEX: return std::max(0, l.cur);
    case LB_ITEMFROMPOINT: return ItemAt(h, l, GET_Y_LPARAM(lp));
  }
  return 0;
}

LRESULT Key(HWND h, List& l, WPARAM vk) {
  int page = std::max(1, Rows(h, l) - 1);
  switch (vk) {
    case VK_UP: SetCur(h, l, l.cur < 0 ? 0 : l.cur - 1, true); break;
    case VK_DOWN: SetCur(h, l, l.cur + 1, true); break;
    case VK_PRIOR: SetCur(h, l, l.cur - page, true); break;
    case VK_NEXT: SetCur(h, l, l.cur + page, true); break;
    case VK_HOME: SetCur(h, l, 0, true); break;
    case VK_END: SetCur(h, l, Count(l) - 1, true); break;
  }
  return 0;
}

LRESULT CALLBACK ListProc(HWND h, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_NCCREATE) States<List>().Create(h);
  List* l = States<List>().Get(h);
  if (!l) return DefWindowProcA(h, msg, wp, lp);
  if (msg >= LB_ADDSTRING && msg <= LB_ITEMFROMPOINT) return ListMessage(h, *l, msg, wp, lp);
  switch (msg) {
    case WM_CREATE: {
      HDC dc = GetDC(h);
      HGDIOBJ old = SelectObject(dc, UsedFont(nullptr));
      l->itemH = FontHeight(dc);
      SelectObject(dc, old);
      ReleaseDC(h, dc);
      Sync(h, *l);
      return 0;
    }
    case WM_NCDESTROY: States<List>().Erase(h); ForgetBars(h); RemovePropA(h, kComboProp); return DefWindowProcA(h, msg, wp, lp);
    case WM_NCPAINT: DefWindowProcA(h, msg, wp, lp); PaintWindowBars(h); return 0;
    case WM_NCLBUTTONDOWN: return WindowBarClick(h, wp, lp) ? 0 : DefWindowProcA(h, msg, wp, lp);
    case WM_PAINT: Paint(h, *l); return 0;
    case WM_ERASEBKGND: return 1;
    case WM_SIZE: Sync(h, *l); return 0;
    case WM_SETFONT: l->font = reinterpret_cast<HFONT>(wp); if (lp) Sync(h, *l); return 0;
    case WM_GETFONT: return reinterpret_cast<LRESULT>(l->font);
    case WM_SETFOCUS: l->focused = true; InvalidateRect(h, nullptr, FALSE); Notify(h, LBN_SETFOCUS); return 0;
    case WM_KILLFOCUS: l->focused = false; InvalidateRect(h, nullptr, FALSE); Notify(h, LBN_KILLFOCUS); return 0;
    case WM_KEYDOWN: return Key(h, *l, wp);
    case WM_LBUTTONDOWN:
      if (Style(h) & LBS_COMBOBOX) {
        // The drop-down list holds the capture: a press outside it closes it.
        RECT c;
        GetClientRect(h, &c);
        POINT p{GET_X_LPARAM(lp), GET_Y_LPARAM(lp)};
        if (!PtInRect(&c, p)) return Send(h, kListCancel), 0;
        SetCur(h, *l, ItemAt(h, *l, p.y), true);
        return 0;
      }
      SetFocus(h);
      SetCapture(h);
      l->tracking = true;
      SetCur(h, *l, ItemAt(h, *l, GET_Y_LPARAM(lp)), true);
      return 0;
    case WM_MOUSEMOVE:
      if (l->tracking || (Style(h) & LBS_COMBOBOX)) {
        RECT c;
        GetClientRect(h, &c);
        POINT p{GET_X_LPARAM(lp), GET_Y_LPARAM(lp)};
        if (l->tracking || PtInRect(&c, p)) SetCur(h, *l, ItemAt(h, *l, p.y), true);
      }
      return 0;
    case WM_LBUTTONUP: {
      if (l->tracking) l->tracking = false, ReleaseCapture();
      RECT c;
      GetClientRect(h, &c);
      POINT p{GET_X_LPARAM(lp), GET_Y_LPARAM(lp)};
      if ((Style(h) & LBS_COMBOBOX) && PtInRect(&c, p)) Send(h, kListPicked);
      return 0;
    }
    case WM_LBUTTONDBLCLK: Notify(h, LBN_DBLCLK); return 0;
    case WM_VSCROLL: {
      int page = Rows(h, *l);
      switch (LOWORD(wp)) {
        case SB_LINEUP: l->top -= 1; break;
        case SB_LINEDOWN: l->top += 1; break;
        case SB_PAGEUP: l->top -= page; break;
        case SB_PAGEDOWN: l->top += page; break;
        case SB_THUMBTRACK:
        case SB_THUMBPOSITION: l->top = HIWORD(wp); break;
      }
      Sync(h, *l);
      return 0;
    }
    case WM_MOUSEWHEEL: l->top -= 3 * static_cast<short>(HIWORD(wp)) / WHEEL_DELTA; Sync(h, *l); return 0;
    case WM_GETDLGCODE: return DLGC_WANTARROWS | DLGC_WANTCHARS;
  }
  return DefWindowProcA(h, msg, wp, lp);
}

}  // namespace

void RegisterListBox() { RegisterOnce(WC_LISTBOXA, ListProc, CS_DBLCLKS, -1); }

}  // namespace controls
