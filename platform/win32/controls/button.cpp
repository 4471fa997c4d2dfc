// The "Button" class: push buttons, check boxes, radio buttons and group
// boxes, with mouse and space-bar pushing and BN_CLICKED to the parent.
#include "control_base.h"

#include <strings.h>

namespace controls {
namespace {

struct Button {
  UINT check = BST_UNCHECKED;
  bool pushed = false;    // drawn pressed
  bool tracking = false;  // mouse captured after a press
  bool spaceDown = false;
  bool focused = false;
  HFONT font = nullptr;
};

UINT Kind(HWND h) { return static_cast<UINT>(GetWindowLongA(h, GWL_STYLE) & BS_TYPEMASK); }
bool IsPush(UINT k) { return k == BS_PUSHBUTTON || k == BS_DEFPUSHBUTTON || k == BS_USERBUTTON || k == BS_PUSHBOX; }
bool IsCheck(UINT k) { return k == BS_CHECKBOX || k == BS_AUTOCHECKBOX || k == BS_3STATE || k == BS_AUTO3STATE; }
bool IsRadio(UINT k) { return k == BS_RADIOBUTTON || k == BS_AUTORADIOBUTTON; }

bool IsAutoRadio(HWND h) {
  char cls[16] = {};
  GetClassNameA(h, cls, sizeof cls);
  return strcasecmp(cls, WC_BUTTONA) == 0 && Kind(h) == BS_AUTORADIOBUTTON;
}

void SetCheck(HWND h, Button& b, UINT check) {
  if (b.check == check) return;
  b.check = check;
  Redraw(h);
}

// The group of a radio: the siblings from the last WS_GROUP window at or
// before it up to the next WS_GROUP window.
void UncheckGroup(HWND self) {
  HWND start = self;
  while (!(GetWindowLongA(start, GWL_STYLE) & WS_GROUP)) {
    HWND prev = GetWindow(start, GW_HWNDPREV);
    if (!prev) break;
    start = prev;
  }
  for (HWND w = start; w; w = GetWindow(w, GW_HWNDNEXT)) {
    if (w != start && (GetWindowLongA(w, GWL_STYLE) & WS_GROUP)) break;
    if (w != self && IsAutoRadio(w)) SendMessageA(w, BM_SETCHECK, BST_UNCHECKED, 0);
  }
}

void Click(HWND h, Button& b) {
  UINT k = Kind(h);
  if (k == BS_AUTOCHECKBOX) SetCheck(h, b, b.check == BST_CHECKED ? BST_UNCHECKED : BST_CHECKED);
  if (k == BS_AUTO3STATE) SetCheck(h, b, (b.check + 1) % 3);
  if (k == BS_AUTORADIOBUTTON) {
    SetCheck(h, b, BST_CHECKED);
    UncheckGroup(h);
  }
  NotifyCommand(h, BN_CLICKED);
}

void SetPushed(HWND h, Button& b, bool on) {
  if (b.pushed == on) return;
  b.pushed = on;
  Redraw(h);
}

UINT TextFormat(LONG style, bool push) {
  UINT f = DT_SINGLELINE;
  if (style & BS_MULTILINE) f = DT_WORDBREAK;
  LONG h = style & BS_CENTER;
  if (h == BS_RIGHT) f |= DT_RIGHT;
  else if (h == BS_CENTER || (h == 0 && push)) f |= DT_CENTER;
  LONG v = style & BS_VCENTER;
  if (v == BS_TOP) f |= DT_TOP;
  else if (v == BS_BOTTOM) f |= DT_BOTTOM;
  else if (!(style & BS_MULTILINE)) f |= DT_VCENTER;
  return f;
}

void FocusAround(HDC dc, const std::string& text, RECT area, UINT fmt) {
  RECT calc = area;
  DrawTextA(dc, text.c_str(), static_cast<int>(text.size()), &calc, fmt | DT_CALCRECT);
  int w = calc.right - calc.left, hgt = calc.bottom - calc.top;
  RECT f{area.left, area.top, area.left + w, area.top + hgt};
  if (fmt & DT_CENTER) OffsetRect(&f, (area.right - area.left - w) / 2, 0);
  else if (fmt & DT_RIGHT) OffsetRect(&f, area.right - area.left - w, 0);
  if (fmt & DT_VCENTER) OffsetRect(&f, 0, (area.bottom - area.top - hgt) / 2);
  InflateRect(&f, 1, 1);
  IntersectRect(&f, &f, &area);
  DrawFocusRect(dc, &f);
}

void PaintPush(HWND h, HDC dc, const Button& b, RECT r, LONG style, bool disabled) {
  bool def = Kind(h) == BS_DEFPUSHBUTTON;
  look::PushFrame(dc, r, b.pushed || b.check == BST_CHECKED, def);
  std::string text = WindowText(h);
  RECT tr = r;
  InflateRect(&tr, -4, -4);
  if (b.pushed) OffsetRect(&tr, 1, 1);
  SetTextColor(dc, GetSysColor(COLOR_BTNTEXT));
  UINT fmt = TextFormat(style, true);
  look::Text(dc, text, tr, fmt, disabled);
  if (b.focused) {
    RECT fr = r;
    InflateRect(&fr, -4, -4);
    DrawFocusRect(dc, &fr);
  }
}

void PaintBox(HWND h, HDC dc, const Button& b, RECT r, LONG style, bool disabled) {
  HBRUSH bg = ParentBrush(h, dc, WM_CTLCOLORSTATIC);
  FillRect(dc, &r, bg);
  const int size = IsRadio(Kind(h)) ? 12 : 13;
  int top = r.top + (r.bottom - r.top - size) / 2;
  bool leftText = style & BS_LEFTTEXT;
  RECT box{leftText ? r.right - size : r.left, top, 0, top + size};
  box.right = box.left + size;
  UINT state = IsRadio(Kind(h)) ? DFCS_BUTTONRADIO : DFCS_BUTTONCHECK;
  if (b.check == BST_CHECKED) state |= DFCS_CHECKED;
  if (b.check == BST_INDETERMINATE) state |= DFCS_CHECKED | DFCS_BUTTON3STATE;
  if (b.pushed) state |= DFCS_PUSHED;
  if (disabled) state |= DFCS_INACTIVE;
  DrawFrameControl(dc, &box, DFC_BUTTON, state);
  RECT tr = r;
  if (leftText) tr.right = box.left - 4;
  else tr.left = box.right + 4;
  std::string text = WindowText(h);
  UINT fmt = TextFormat(style, false);
  look::Text(dc, text, tr, fmt, disabled);
  if (b.focused && !text.empty()) FocusAround(dc, text, tr, fmt);
}

void PaintGroup(HWND h, HDC dc, RECT r, bool disabled) {
  HBRUSH bg = ParentBrush(h, dc, WM_CTLCOLORSTATIC);
  FillRect(dc, &r, bg);
  int fh = FontHeight(dc);
  RECT frame{r.left, r.top + fh / 2, r.right, r.bottom};
  look::Etched(dc, frame, BF_RECT);
  std::string text = WindowText(h);
  if (text.empty()) return;
  SIZE sz{};
  GetTextExtentPoint32A(dc, text.c_str(), static_cast<int>(text.size()), &sz);
  RECT tr{r.left + 8, r.top, r.left + 8 + sz.cx + 2, r.top + fh};
  FillRect(dc, &tr, bg);
  tr.left += 1;
  look::Text(dc, text, tr, DT_SINGLELINE | DT_LEFT | DT_TOP, disabled);
}

void Paint(HWND h, Button& b) {
  PAINTSTRUCT ps;
  HDC dc = BeginPaint(h, &ps);
  RECT r;
  GetClientRect(h, &r);
  HGDIOBJ oldFont = SelectObject(dc, UsedFont(b.font));
  LONG style = GetWindowLongA(h, GWL_STYLE);
  bool disabled = !IsWindowEnabled(h);
  UINT k = Kind(h);
  SetTextColor(dc, GetSysColor(COLOR_BTNTEXT));
  if (k == BS_GROUPBOX) PaintGroup(h, dc, r, disabled);
  else if (k == BS_OWNERDRAW) {
    DRAWITEMSTRUCT dis{ODT_BUTTON, static_cast<UINT>(GetDlgCtrlID(h)), 0, ODA_DRAWENTIRE, 0, h, dc, r, 0};
    if (b.pushed) dis.itemState |= ODS_SELECTED;
    if (b.focused) dis.itemState |= ODS_FOCUS;
    if (disabled) dis.itemState |= ODS_DISABLED;
    SendMessageA(GetParent(h), WM_DRAWITEM, dis.CtlID, reinterpret_cast<LPARAM>(&dis));
  } else if (IsCheck(k) || IsRadio(k)) {
    if (style & BS_PUSHLIKE) PaintPush(h, dc, b, r, style, disabled);
    else PaintBox(h, dc, b, r, style, disabled);
  } else {
    PaintPush(h, dc, b, r, style, disabled);
  }
  SelectObject(dc, oldFont);
  EndPaint(h, &ps);
}

LRESULT Mouse(HWND h, Button& b, UINT msg, LPARAM lp) {
  POINT pt{GET_X_LPARAM(lp), GET_Y_LPARAM(lp)};
  RECT r;
  GetClientRect(h, &r);
  switch (msg) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
      SetFocus(h);
      SetCapture(h);
      b.tracking = true;
      SetPushed(h, b, true);
      return 0;
    case WM_MOUSEMOVE:
      if (b.tracking) SetPushed(h, b, PtInRect(&r, pt));
      return 0;
    case WM_LBUTTONUP: {
      if (!b.tracking) return 0;
      b.tracking = false;
      bool inside = PtInRect(&r, pt);
      SetPushed(h, b, false);
      ReleaseCapture();
      if (inside) Click(h, b);
      return 0;
    }
  }
  return 0;
}

LRESULT Keys(HWND h, Button& b, UINT msg, WPARAM wp, LPARAM lp) {
  if (wp != VK_SPACE) return DefWindowProcA(h, msg, wp, lp);
  if (msg == WM_KEYDOWN) {
    b.spaceDown = true;
    SetPushed(h, b, true);
  } else if (b.spaceDown) {
    b.spaceDown = false;
    SetPushed(h, b, false);
    Click(h, b);
  }
  return 0;
}

LRESULT DialogCode(HWND h) {
  UINT k = Kind(h);
  if (k == BS_GROUPBOX) return DLGC_STATIC;
  if (k == BS_DEFPUSHBUTTON) return DLGC_BUTTON | DLGC_DEFPUSHBUTTON;
  if (IsPush(k)) return DLGC_BUTTON | DLGC_UNDEFPUSHBUTTON;
  if (IsRadio(k)) return DLGC_BUTTON | DLGC_RADIOBUTTON;
  return DLGC_BUTTON;
}

LRESULT StateMessage(HWND h, Button& b, UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case BM_GETCHECK: return b.check;
    case BM_SETCHECK: {
      UINT k = Kind(h);
      if (IsCheck(k) || IsRadio(k)) SetCheck(h, b, (k == BS_3STATE || k == BS_AUTO3STATE) ? wp % 3 : (wp ? 1 : 0));
      return 0;
    }
    case BM_GETSTATE: return b.check | (b.pushed ? BST_PUSHED : 0) | (b.focused ? BST_FOCUS : 0);
    case BM_SETSTATE: SetPushed(h, b, wp != 0); return 0;
    case BM_SETSTYLE: {
      LONG style = GetWindowLongA(h, GWL_STYLE);
      SetWindowLongA(h, GWL_STYLE, (style & ~0xFFFF) | static_cast<LONG>(LOWORD(wp)));
      if (LOWORD(lp)) Redraw(h);
      return 0;
    }
    case BM_CLICK:
      if (IsWindowEnabled(h)) Click(h, b);
      return 0;
  }
  return 0;
}

LRESULT CALLBACK ButtonProc(HWND h, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_NCCREATE) States<Button>().Create(h);
  Button* b = States<Button>().Get(h);
  if (!b) return DefWindowProcA(h, msg, wp, lp);
  switch (msg) {
    case WM_NCDESTROY: States<Button>().Erase(h); return DefWindowProcA(h, msg, wp, lp);
    case WM_PAINT: Paint(h, *b); return 0;
    case WM_ERASEBKGND: return 1;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
    case WM_MOUSEMOVE:
    case WM_LBUTTONUP: return Mouse(h, *b, msg, lp);
    case WM_CAPTURECHANGED:
      if (b->tracking) b->tracking = false, SetPushed(h, *b, false);
      return 0;
    case WM_KEYDOWN:
    case WM_KEYUP: return Keys(h, *b, msg, wp, lp);
    case WM_SETFOCUS: b->focused = true; Redraw(h); return 0;
    case WM_KILLFOCUS:
      b->focused = false;
      b->spaceDown = false;
      SetPushed(h, *b, false);
      Redraw(h);
      return 0;
    case WM_ENABLE: Redraw(h); return 0;
    case WM_SETTEXT: {
      LRESULT r = DefWindowProcA(h, msg, wp, lp);
      Redraw(h);
      return r;
    }
    case WM_SETFONT: b->font = reinterpret_cast<HFONT>(wp); if (lp) Redraw(h); return 0;
    case WM_GETFONT: return reinterpret_cast<LRESULT>(b->font);
    case WM_GETDLGCODE: return DialogCode(h);
    case BM_GETCHECK:
    case BM_SETCHECK:
    case BM_GETSTATE:
    case BM_SETSTATE:
    case BM_SETSTYLE:
    case BM_CLICK: return StateMessage(h, *b, msg, wp, lp);
  }
  return DefWindowProcA(h, msg, wp, lp);
}

}  // namespace

void RegisterButton() { RegisterOnce(WC_BUTTONA, ButtonProc, CS_DBLCLKS, -1); }

}  // namespace controls
