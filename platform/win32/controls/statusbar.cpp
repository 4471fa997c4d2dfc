// The "msctls_statusbar32" class: parts with sunken, raised or no borders,
// tab-aligned text, owner-drawn parts, a simple mode and a size grip. It
// sits along the bottom (or top) of its parent and follows its width.
#include "control_base.h"

#include <algorithm>
#include <cstring>
#include <vector>

namespace controls {
namespace {

struct Part {
  std::string text;
  UINT flags = 0;  // SBT_*
  LPARAM data = 0;  // owner-draw value
};

struct StatusBar {
  std::vector<int> rights{-1};
  std::vector<Part> parts{Part{}};
  Part simpleText;
  bool simple = false;
  int minHeight = 0;
  HFONT font = nullptr;
};

constexpr int kBorderY = 2, kGap = 2;

int GripWidth(HWND h) {
  if (!(Style(h) & SBARS_SIZEGRIP)) return 0;
  RECT r;
  GetClientRect(h, &r);
  return std::max(0, static_cast<int>(r.bottom - r.top));
}

int BarHeight(HWND h, const StatusBar& s) {
  HDC dc = GetDC(h);
  HGDIOBJ old = SelectObject(dc, UsedFont(s.font));
  int fh = FontHeight(dc);
  SelectObject(dc, old);
  ReleaseDC(h, dc);
  return std::max(fh + 2 * kBorderY + 3, s.minHeight + 2 * kBorderY);
}

// Keeps the bar along its parent's bottom or top edge, full width.
void Align(HWND h, const StatusBar& s) {
  LONG st = Style(h);
  HWND parent = GetParent(h);
  if (!parent || (st & CCS_NOPARENTALIGN) || (st & CCS_NORESIZE)) return;
  RECT pr;
  GetClientRect(parent, &pr);
  int hgt = BarHeight(h, s);
  bool top = (st & CCS_BOTTOM) == CCS_TOP;
  SetWindowPos(h, nullptr, 0, top ? 0 : pr.bottom - hgt, pr.right, hgt, SWP_NOZORDER | SWP_NOACTIVATE);
}

RECT PartRect(HWND h, const StatusBar& s, int i) {
  RECT c;
  GetClientRect(h, &c);
  if (s.simple) return RECT{0, kBorderY, c.right, c.bottom};
  int left = i == 0 ? 0 : s.rights[static_cast<std::size_t>(i) - 1] + kGap;
  int right = s.rights[static_cast<std::size_t>(i)];
  if (right < 0 || right > c.right) right = static_cast<int>(c.right) - (i + 1 == static_cast<int>(s.rights.size()) ? GripWidth(h) : 0);
  if (i > 0 && s.rights[static_cast<std::size_t>(i) - 1] < 0) left = right;
  return RECT{left, kBorderY, std::max(left, right), c.bottom};
}

void PartText(HDC dc, const std::string& text, RECT r) {
  // "left\tcentre\tright": each tab moves the text to the next alignment.
  InflateRect(&r, -3, -1);
  static const UINT kAlign[3] = {DT_LEFT, DT_CENTER, DT_RIGHT};
  std::size_t start = 0;
  for (int seg = 0; seg < 3; ++seg) {
    std::size_t tab = seg < 2 ? text.find('\t', start) : std::string::npos;
    std::string piece = text.substr(start, tab == std::string::npos ? std::string::npos : tab - start);
    if (!piece.empty())
      DrawTextA(dc, piece.c_str(), static_cast<int>(piece.size()), &r,
                kAlign[seg] | DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS);
    if (tab == std::string::npos) break;
    start = tab + 1;
  }
}

void PaintPart(HWND h, HDC dc, const Part& p, RECT r, int index) {
  if (r.right <= r.left) return;
  if (!(p.flags & SBT_NOBORDERS)) {
    bool out = p.flags & SBT_POPOUT;
    look::Bevel(dc, r, out ? COLOR_BTNHIGHLIGHT : COLOR_BTNSHADOW, out ? COLOR_BTNSHADOW : COLOR_BTNHIGHLIGHT);
  }
  if (p.flags & SBT_OWNERDRAW) {
    RECT inner = r;
    InflateRect(&inner, -1, -1);
    DRAWITEMSTRUCT dis{0, static_cast<UINT>(GetDlgCtrlID(h)), static_cast<UINT>(index), ODA_DRAWENTIRE, 0, h, dc,
                       inner, static_cast<ULONG_PTR>(p.data)};
    SendMessageA(GetParent(h), WM_DRAWITEM, dis.CtlID, reinterpret_cast<LPARAM>(&dis));
    return;
  }
  PartText(dc, p.text, r);
}

void PaintGrip(HWND h, HDC dc) {
  RECT c;
  GetClientRect(h, &c);
  // Three pairs of diagonal strokes, highlight then shadow, in the corner.
  for (int k = 0; k < 3; ++k) {
    int off = 4 * k + 2;
    for (int d = 0; d < 12 - 4 * k; ++d) {
      int x = c.right - 1 - d, y = c.bottom - off - (12 - 4 * k) + d + 1;
      if (y < c.top) continue;
      SetPixelV(dc, x, y, GetSysColor(COLOR_BTNHIGHLIGHT));
      SetPixelV(dc, x - 1 < 0 ? 0 : x, y + 1, GetSysColor(COLOR_BTNSHADOW));
      SetPixelV(dc, x, y + 2, GetSysColor(COLOR_BTNSHADOW));
    }
  }
}

void Paint(HWND h, StatusBar& s) {
  PAINTSTRUCT ps;
  HDC dc = BeginPaint(h, &ps);
  RECT c;
  GetClientRect(h, &c);
  FillRect(dc, &c, SysBrush(COLOR_BTNFACE));
  HGDIOBJ old = SelectObject(dc, UsedFont(s.font));
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, GetSysColor(COLOR_BTNTEXT));
  if (s.simple) PaintPart(h, dc, s.simpleText, PartRect(h, s, 0), SB_SIMPLEID);
  else
    for (int i = 0; i < static_cast<int>(s.parts.size()); ++i) PaintPart(h, dc, s.parts[static_cast<std::size_t>(i)], PartRect(h, s, i), i);
  if (Style(h) & SBARS_SIZEGRIP) PaintGrip(h, dc);
  SelectObject(dc, old);
  EndPaint(h, &ps);
}

Part* PartAt(StatusBar& s, int index) {
  if (index == SB_SIMPLEID) return &s.simpleText;
  if (index < 0 || index >= static_cast<int>(s.parts.size())) return nullptr;
  return &s.parts[static_cast<std::size_t>(index)];
}

LRESULT GetText(StatusBar& s, WPARAM wp, LPARAM lp, bool copy) {
  Part* p = PartAt(s, static_cast<int>(wp & 0xFF));
  if (!p) return 0;
  if (p->flags & SBT_OWNERDRAW) return p->data;
  if (copy && lp) std::memcpy(reinterpret_cast<char*>(lp), p->text.c_str(), p->text.size() + 1);
  return static_cast<LRESULT>(MAKELONG(p->text.size(), p->flags));
}

LRESULT SetParts(HWND h, StatusBar& s, WPARAM wp, LPARAM lp) {
  int n = static_cast<int>(wp);
  if (n <= 0 || n > 256 || !lp) return FALSE;
  const int* r = reinterpret_cast<const int*>(lp);
  s.rights.assign(r, r + n);
  s.parts.resize(static_cast<std::size_t>(n));
  InvalidateRect(h, nullptr, FALSE);
  return TRUE;
}

LRESULT BarMessage(HWND h, StatusBar& s, UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case SB_SETTEXTA: {
      Part* p = PartAt(s, static_cast<int>(wp & 0xFF));
      if (!p) return FALSE;
      p->flags = static_cast<UINT>(wp & 0xFF00);
      if (p->flags & SBT_OWNERDRAW) p->data = lp, p->text.clear();
      else p->text = lp ? reinterpret_cast<const char*>(lp) : "";
      InvalidateRect(h, nullptr, FALSE);
      return TRUE;
    }
    case SB_GETTEXTA: return GetText(s, wp, lp, true);
    case SB_GETTEXTLENGTHA: return GetText(s, wp, lp, false);
    case SB_SETPARTS: return SetParts(h, s, wp, lp);
    case SB_GETPARTS: {
      int* out = reinterpret_cast<int*>(lp);
      for (std::size_t i = 0; out && i < s.rights.size() && i < wp; ++i) out[i] = s.rights[i];
      return static_cast<LRESULT>(s.rights.size());
    }
    case SB_GETBORDERS: {
      int* b = reinterpret_cast<int*>(lp);
      if (!b) return FALSE;
      b[0] = 0, b[1] = kBorderY, b[2] = kGap;
      return TRUE;
    }
    case SB_SETMINHEIGHT: s.minHeight = static_cast<int>(wp); return 0;
    case SB_SIMPLE: s.simple = wp != 0; InvalidateRect(h, nullptr, FALSE); return 0;
    case SB_ISSIMPLE: return s.simple;
    case SB_GETRECT: {
      RECT* r = reinterpret_cast<RECT*>(lp);
      int i = static_cast<int>(wp);
      if (!r || (!s.simple && (i < 0 || i >= static_cast<int>(s.rights.size())))) return FALSE;
      *r = PartRect(h, s, s.simple ? 0 : i);
      return TRUE;
    }
  }
  return 0;
}

LRESULT CALLBACK StatusProc(HWND h, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_NCCREATE) {
    States<StatusBar>().Create(h);
    // Controls placed on the bar keep their pixels when it repaints.
    SetWindowLongA(h, GWL_STYLE, Style(h) | WS_CLIPCHILDREN);
  }
  StatusBar* s = States<StatusBar>().Get(h);
  if (!s) return DefWindowProcA(h, msg, wp, lp);
  if (msg >= SB_SETTEXTA && msg <= SB_ISSIMPLE) return BarMessage(h, *s, msg, wp, lp);
  switch (msg) {
    case WM_CREATE: {
      auto* cs = reinterpret_cast<const CREATESTRUCTA*>(lp);
      if (cs && cs->lpszName) s->parts[0].text = cs->lpszName;
      Align(h, *s);
      return 0;
    }
    case WM_NCDESTROY: States<StatusBar>().Erase(h); return DefWindowProcA(h, msg, wp, lp);
    case WM_PAINT: Paint(h, *s); return 0;
    case WM_ERASEBKGND: return 1;
    // The parent forwards its own WM_SIZE; the bar then re-aligns itself.
    case WM_SIZE: Align(h, *s); InvalidateRect(h, nullptr, FALSE); return 0;
    case WM_SETFONT: s->font = reinterpret_cast<HFONT>(wp); Align(h, *s); if (lp) InvalidateRect(h, nullptr, FALSE); return 0;
    case WM_GETFONT: return reinterpret_cast<LRESULT>(s->font);
    case WM_SETTEXT: s->parts[0].text = lp ? reinterpret_cast<const char*>(lp) : ""; InvalidateRect(h, nullptr, FALSE); return DefWindowProcA(h, msg, wp, lp);
    case WM_NCHITTEST: {
      POINT p{GET_X_LPARAM(lp), GET_Y_LPARAM(lp)};
      ScreenToClient(h, &p);
      RECT c;
      GetClientRect(h, &c);
      if ((Style(h) & SBARS_SIZEGRIP) && p.x >= c.right - GripWidth(h)) return HTBOTTOMRIGHT;
      return HTCLIENT;
    }
  }
  return DefWindowProcA(h, msg, wp, lp);
}

}  // namespace

void RegisterStatusBar() { RegisterOnce(STATUSCLASSNAMEA, StatusProc, CS_DBLCLKS, COLOR_BTNFACE); }

}  // namespace controls
