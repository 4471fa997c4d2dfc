// The "Static" class: text, filled and framed rectangles, etched lines.
#include "control_base.h"

namespace controls {
namespace {

struct Static {
  HFONT font = nullptr;
  HANDLE image = nullptr;
};

void PaintText(HWND h, HDC dc, RECT r, LONG style, HBRUSH bg) {
  FillRect(dc, &r, bg);
  LONG kind = style & SS_TYPEMASK;
  UINT fmt = DT_EXPANDTABS;
  if (kind == SS_CENTER) fmt |= DT_CENTER | DT_WORDBREAK;
  else if (kind == SS_RIGHT) fmt |= DT_RIGHT | DT_WORDBREAK;
  else if (kind == SS_LEFT) fmt |= DT_WORDBREAK;
  else fmt |= DT_SINGLELINE;  // SS_SIMPLE, SS_LEFTNOWORDWRAP
  if (style & SS_NOPREFIX) fmt |= DT_NOPREFIX;
  // Wraps as a multi-line edit does: a word longer than the line is split.
  if ((style & SS_EDITCONTROL) && (fmt & DT_WORDBREAK)) fmt |= DT_EDITCONTROL;
  if (style & SS_CENTERIMAGE) fmt = (fmt & ~DT_WORDBREAK) | DT_SINGLELINE | DT_VCENTER;
  if (style & SS_ENDELLIPSIS) fmt |= DT_END_ELLIPSIS;
  std::string text = WindowText(h);
  bool disabled = !IsWindowEnabled(h);
  if (disabled) SetTextColor(dc, GetSysColor(COLOR_GRAYTEXT));
  int mode = SetBkMode(dc, TRANSPARENT);
  DrawTextA(dc, text.c_str(), static_cast<int>(text.size()), &r, fmt);
  SetBkMode(dc, mode);
}

void PaintShape(HDC dc, RECT r, LONG kind) {
  static const int kColours[] = {COLOR_WINDOWFRAME, COLOR_BTNSHADOW, COLOR_BTNHIGHLIGHT};
  switch (kind) {
    case SS_BLACKRECT:
    case SS_GRAYRECT:
    case SS_WHITERECT: FillRect(dc, &r, SysBrush(kColours[kind - SS_BLACKRECT])); break;
    case SS_BLACKFRAME:
    case SS_GRAYFRAME:
    case SS_WHITEFRAME: FrameRect(dc, &r, SysBrush(kColours[kind - SS_BLACKFRAME])); break;
    case SS_ETCHEDHORZ: look::Etched(dc, RECT{r.left, r.top, r.right, r.top + 2}, BF_TOP); break;
    case SS_ETCHEDVERT: look::Etched(dc, RECT{r.left, r.top, r.left + 2, r.bottom}, BF_LEFT); break;
    case SS_ETCHEDFRAME: look::Etched(dc, r, BF_RECT); break;
  }
}

void Paint(HWND h, Static& s) {
  PAINTSTRUCT ps;
  HDC dc = BeginPaint(h, &ps);
  RECT r;
  GetClientRect(h, &r);
  LONG style = GetWindowLongA(h, GWL_STYLE);
  LONG kind = style & SS_TYPEMASK;
  HGDIOBJ oldFont = SelectObject(dc, UsedFont(s.font));
  if (kind == SS_OWNERDRAW) {
    DRAWITEMSTRUCT dis{ODT_STATIC, static_cast<UINT>(GetDlgCtrlID(h)), 0, ODA_DRAWENTIRE, 0, h, dc, r, 0};
    SendMessageA(GetParent(h), WM_DRAWITEM, dis.CtlID, reinterpret_cast<LPARAM>(&dis));
  } else if (kind <= SS_RIGHT || kind == SS_SIMPLE || kind == SS_LEFTNOWORDWRAP) {
    PaintText(h, dc, r, style, ParentBrush(h, dc, WM_CTLCOLORSTATIC));
  } else {
    if (kind == SS_ICON || kind == SS_BITMAP) FillRect(dc, &r, ParentBrush(h, dc, WM_CTLCOLORSTATIC));
    PaintShape(dc, r, kind);
  }
  if (style & SS_SUNKEN) DrawEdge(dc, &r, BDR_SUNKENOUTER, BF_RECT);
  SelectObject(dc, oldFont);
  EndPaint(h, &ps);
}

LRESULT CALLBACK StaticProc(HWND h, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_NCCREATE) States<Static>().Create(h);
  Static* s = States<Static>().Get(h);
  if (!s) return DefWindowProcA(h, msg, wp, lp);
  switch (msg) {
    case WM_NCDESTROY: States<Static>().Erase(h); return DefWindowProcA(h, msg, wp, lp);
    case WM_PAINT: Paint(h, *s); return 0;
    case WM_ERASEBKGND: return 1;
    // Labels let the mouse through to what is under them unless they notify.
    case WM_NCHITTEST: return (GetWindowLongA(h, GWL_STYLE) & SS_NOTIFY) ? HTCLIENT : HTTRANSPARENT;
    case WM_LBUTTONDOWN: NotifyCommand(h, STN_CLICKED); return 0;
    case WM_LBUTTONDBLCLK: NotifyCommand(h, STN_DBLCLK); return 0;
    case WM_SETTEXT:
    case WM_ENABLE: {
      LRESULT r = DefWindowProcA(h, msg, wp, lp);
      InvalidateRect(h, nullptr, FALSE);
      return r;
    }
    case WM_SETFONT:
      s->font = reinterpret_cast<HFONT>(wp);
      if (lp) InvalidateRect(h, nullptr, FALSE);
      return 0;
    case WM_GETFONT: return reinterpret_cast<LRESULT>(s->font);
    case WM_GETDLGCODE: return DLGC_STATIC;
    case STM_SETICON:
    case STM_SETIMAGE: {
      HANDLE old = s->image;
      s->image = reinterpret_cast<HANDLE>(msg == STM_SETICON ? wp : lp);
      InvalidateRect(h, nullptr, FALSE);
      return reinterpret_cast<LRESULT>(old);
    }
    case STM_GETICON:
    case STM_GETIMAGE: return reinterpret_cast<LRESULT>(s->image);
  }
  return DefWindowProcA(h, msg, wp, lp);
}

}  // namespace

void RegisterStatic() { RegisterOnce(WC_STATICA, StaticProc, CS_DBLCLKS, -1); }

}  // namespace controls
