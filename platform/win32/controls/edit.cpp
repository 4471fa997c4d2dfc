// The "Edit" class: single-line and multi-line text entry with caret,
// selection by mouse and keyboard, clipboard, limits and notifications.
#include "control_base.h"
#include "edit_text.h"
#include "scroll.h"

#include <algorithm>
#include <cctype>
#include <cmath>

namespace controls {
namespace {

struct Edit {
  EditText t;
  HFONT font = nullptr;
  int lineH = 13;
  int scrollX = 0;  // pixels scrolled off the left
  int topLine = 0;  // first visible line (multi-line)
  bool focused = false;
  bool tracking = false;
  bool modified = false;
  int marginL = 1, marginR = 1;
};

bool Shift() { return GetKeyState(VK_SHIFT) & 0x8000; }
bool Ctrl() { return GetKeyState(VK_CONTROL) & 0x8000; }

RECT TextArea(HWND h, const Edit& e) {
  RECT r;
  GetClientRect(h, &r);
  r.left += e.marginL;
  r.right -= e.marginR;
  if (!e.t.multiline && r.bottom - r.top >= e.lineH + 2) r.top += 1;
  return r;
}

int VisibleLines(HWND h, const Edit& e) {
  RECT r = TextArea(h, e);
  return std::max(1, (r.bottom - r.top) / e.lineH);
}

void LoadFont(HWND h, Edit& e) {
  HDC dc = GetDC(h);
  HGDIOBJ old = SelectObject(dc, UsedFont(e.font));
  int w[256] = {};
  GetCharWidth32A(dc, 0, 255, w);
  std::copy(std::begin(w), std::end(w), e.t.widths.begin());
  e.lineH = FontHeight(dc);
  SelectObject(dc, old);
  ReleaseDC(h, dc);
}

void UpdateScrollBar(HWND h, Edit& e) {
  if (!(Style(h) & WS_VSCROLL)) return;
  SCROLLINFO si{sizeof si, SIF_RANGE | SIF_PAGE | SIF_POS, 0, e.t.LineCount() - 1,
                static_cast<UINT>(VisibleLines(h, e)), e.topLine, 0};
  SetScrollInfo(h, SB_VERT, &si, TRUE);
}

void Relayout(HWND h, Edit& e, int from) {
  LONG st = Style(h);
  RECT r = TextArea(h, e);
  int wrap = (e.t.multiline && !(st & (ES_AUTOHSCROLL | WS_HSCROLL))) ? std::max(1, static_cast<int>(r.right - r.left)) : 0;
  if (wrap != e.t.wrapWidth) {
    e.t.wrapWidth = wrap;
    from = 0;
  }
  e.t.Relayout(from);
}

int LineX(HWND h, const Edit& e, int line) {
  RECT r = TextArea(h, e);
  LONG align = Style(h) & (ES_CENTER | ES_RIGHT);
  int x = r.left - e.scrollX;
  if (e.t.multiline || align == ES_LEFT) return x;
  int w = e.t.Width(e.t.LineStart(line), e.t.LineEnd(line));
  int room = r.right - r.left;
  if (w >= room) return x;
  return align == ES_RIGHT ? r.right - w : r.left + (room - w) / 2;
}

POINT PosToPoint(HWND h, const Edit& e, int pos) {
  RECT r = TextArea(h, e);
  int line = e.t.LineOf(pos);
  int x = LineX(h, e, line) + e.t.Width(e.t.LineStart(line), pos);
  return POINT{x, r.top + (line - e.topLine) * e.lineH};
}

int PointToPos(HWND h, const Edit& e, POINT p) {
  RECT r = TextArea(h, e);
  int line = std::clamp(e.topLine + static_cast<int>(std::floor((p.y - r.top) / static_cast<double>(e.lineH))), 0,
                        e.t.LineCount() - 1);
  return e.t.PosInLine(line, p.x - LineX(h, e, line));
}

// Scrolls so that the caret shows, then moves the system caret there.
void ShowCaretPos(HWND h, Edit& e) {
  RECT r = TextArea(h, e);
  int line = e.t.LineOf(e.t.caret);
  int oldTop = e.topLine, oldX = e.scrollX;
  if (e.t.multiline) {
    int vis = VisibleLines(h, e);
    if (line < e.topLine) e.topLine = line;
    if (line >= e.topLine + vis) e.topLine = line - vis + 1;
  }
  if (e.t.multiline ? (Style(h) & (ES_AUTOHSCROLL | WS_HSCROLL)) : true) {
    int x = e.t.Width(e.t.LineStart(line), e.t.caret);
    int room = std::max(1, static_cast<int>(r.right - r.left) - 1);
    if (x < e.scrollX) e.scrollX = std::max(0, x - room / 3);
    if (x > e.scrollX + room) e.scrollX = x - room + room / 3;
  }
  if (oldTop != e.topLine || oldX != e.scrollX) {
    InvalidateRect(h, nullptr, FALSE);
    UpdateScrollBar(h, e);
  }
  if (e.focused) {
    POINT p = PosToPoint(h, e, e.t.caret);
    SetCaretPos(p.x, p.y);
  }
}

void Changed(HWND h, Edit& e, bool notify) {
  e.modified = true;
  InvalidateRect(h, nullptr, FALSE);
  UpdateScrollBar(h, e);
  ShowCaretPos(h, e);
  if (notify) {
    NotifyCommand(h, EN_UPDATE);
    NotifyCommand(h, EN_CHANGE);
  }
}

void SetSelection(HWND h, Edit& e, int anchor, int caret) {
  if (anchor == e.t.anchor && caret == e.t.caret) return;
  e.t.Select(anchor, caret);
  InvalidateRect(h, nullptr, FALSE);
  ShowCaretPos(h, e);
}

// Typed or pasted text; single lines without auto-scroll refuse what does not fit.
bool Insert(HWND h, Edit& e, const std::string& s) {
  LONG st = Style(h);
  std::string in = s;
  if (st & ES_UPPERCASE) std::transform(in.begin(), in.end(), in.begin(), [](char c) { return static_cast<char>(std::toupper(static_cast<unsigned char>(c))); });
  if (st & ES_LOWERCASE) std::transform(in.begin(), in.end(), in.begin(), [](char c) { return static_cast<char>(std::tolower(static_cast<unsigned char>(c))); });
  EditText before = e.t;
  bool whole = e.t.Replace(in);
  Relayout(h, e, e.t.SelMin());
  if (!e.t.multiline && !(st & ES_AUTOHSCROLL)) {
    RECT r = TextArea(h, e);
    if (e.t.Width(0, e.t.Size()) > r.right - r.left) {
      e.t = before;
      NotifyCommand(h, EN_MAXTEXT);
      return false;
    }
  }
  if (!whole) NotifyCommand(h, EN_MAXTEXT);
  if (before.text != e.t.text || !in.empty()) Changed(h, e, before.text != e.t.text);
  return whole;
}

void DeleteSelection(HWND h, Edit& e) {
  if (e.t.anchor == e.t.caret) return;
  Insert(h, e, "");
}

void Copy(const Edit& e) {
  if (e.t.anchor == e.t.caret || e.t.password) return;
  ClipboardSet(e.t.text.substr(static_cast<std::size_t>(e.t.SelMin()), static_cast<std::size_t>(e.t.SelMax() - e.t.SelMin())));
}

bool ReadOnly(HWND h) { return Style(h) & ES_READONLY; }

void Cut(HWND h, Edit& e) {
  if (ReadOnly(h)) return;
  Copy(e);
  if (!e.t.password) DeleteSelection(h, e);
}

void Paste(HWND h, Edit& e) {
  if (ReadOnly(h)) return;
  std::string s = ClipboardGet();
  if (e.t.multiline) {
    // Lone line feeds become the control's "\r\n" breaks.
    std::string fixed;
    for (std::size_t i = 0; i < s.size(); ++i) {
      if (s[i] == '\n' && (i == 0 || s[i - 1] != '\r')) fixed += '\r';
      fixed += s[i];
    }
    s = fixed;
  }
  Insert(h, e, s);
}

void Move(HWND h, Edit& e, int to) { SetSelection(h, e, Shift() ? e.t.anchor : to, to); }

int VerticalTarget(HWND h, Edit& e, int lines) {
  int line = e.t.LineOf(e.t.caret);
  int x = e.t.Width(e.t.LineStart(line), e.t.caret);
  int target = std::clamp(line + lines, 0, e.t.LineCount() - 1);
  if (lines > 0 && line + lines >= e.t.LineCount()) return e.t.Size();
  if (lines < 0 && line + lines < 0) return 0;
  (void)h;
  return e.t.PosInLine(target, x);
}

LRESULT KeyDown(HWND h, Edit& e, WPARAM vk) {
  bool ctrl = Ctrl();
  int line = e.t.LineOf(e.t.caret);
  switch (vk) {
    case VK_LEFT:
      if (!Shift() && e.t.anchor != e.t.caret && !ctrl) return Move(h, e, e.t.SelMin()), 0;
      Move(h, e, ctrl ? e.t.WordLeft(e.t.caret) : e.t.CharLeft(e.t.caret));
      return 0;
    case VK_RIGHT:
      if (!Shift() && e.t.anchor != e.t.caret && !ctrl) return Move(h, e, e.t.SelMax()), 0;
      Move(h, e, ctrl ? e.t.WordRight(e.t.caret) : e.t.CharRight(e.t.caret));
      return 0;
    case VK_HOME: Move(h, e, ctrl ? 0 : e.t.LineStart(line)); return 0;
    case VK_END: Move(h, e, ctrl ? e.t.Size() : e.t.LineEnd(line)); return 0;
    case VK_UP:
    case VK_DOWN:
      if (!e.t.multiline) Move(h, e, vk == VK_UP ? e.t.CharLeft(e.t.caret) : e.t.CharRight(e.t.caret));
      else Move(h, e, VerticalTarget(h, e, vk == VK_UP ? -1 : 1));
      return 0;
    case VK_PRIOR:
    case VK_NEXT:
      if (e.t.multiline) Move(h, e, VerticalTarget(h, e, (vk == VK_PRIOR ? -1 : 1) * VisibleLines(h, e)));
      return 0;
    case VK_DELETE:
      if (ReadOnly(h)) return 0;
      if (Shift()) return Cut(h, e), 0;
      if (e.t.anchor == e.t.caret) e.t.Select(e.t.caret, ctrl ? e.t.LineEnd(line) : e.t.CharRight(e.t.caret));
      DeleteSelection(h, e);
      return 0;
    case VK_INSERT:
      if (ctrl) Copy(e);
      else if (Shift()) Paste(h, e);
      return 0;
  }
  return 0;
}

LRESULT Char(HWND h, Edit& e, WPARAM wp) {
  unsigned char c = static_cast<unsigned char>(wp);
  switch (c) {
    case 1: SetSelection(h, e, 0, e.t.Size()); return 0;
    case 3: Copy(e); return 0;
    case 0x16: Paste(h, e); return 0;
    case 0x18: Cut(h, e); return 0;
  }
  if (ReadOnly(h)) return 0;
  if (c == 8) {
    if (e.t.anchor == e.t.caret) e.t.Select(e.t.CharLeft(e.t.caret), e.t.caret);
    DeleteSelection(h, e);
    return 0;
  }
  if (c == '\r' || c == '\n') {
    if (e.t.multiline) Insert(h, e, "\r\n");
    return 0;
  }
  if (c == '\t') {
    if (e.t.multiline) Insert(h, e, "\t");
    return 0;
  }
  if (c < 0x20 || c == 0x7F) return 0;
  if ((Style(h) & ES_NUMBER) && !std::isdigit(c)) return MessageBeep(0), 0;
  Insert(h, e, std::string(1, static_cast<char>(c)));
  return 0;
}

LRESULT MouseMsg(HWND h, Edit& e, UINT msg, LPARAM lp) {
  POINT p{GET_X_LPARAM(lp), GET_Y_LPARAM(lp)};
  if (msg == WM_LBUTTONDOWN) {
    SetFocus(h);
    SetCapture(h);
    e.tracking = true;
    int pos = PointToPos(h, e, p);
    SetSelection(h, e, Shift() ? e.t.anchor : pos, pos);
  } else if (msg == WM_LBUTTONDBLCLK) {
    int from, to;
    e.t.WordAt(PointToPos(h, e, p), &from, &to);
    SetSelection(h, e, from, to);
  } else if (msg == WM_MOUSEMOVE && e.tracking) {
    SetSelection(h, e, e.t.anchor, PointToPos(h, e, p));
  } else if (msg == WM_LBUTTONUP && e.tracking) {
    e.tracking = false;
    ReleaseCapture();
  }
  return 0;
}

void PaintLine(HDC dc, const Edit& e, int line, int x, int y, bool showSel) {
  int start = e.t.LineStart(line), end = e.t.LineEnd(line);
  std::string shown = e.t.text.substr(static_cast<std::size_t>(start), static_cast<std::size_t>(end - start));
  if (e.t.password) shown.assign(shown.size(), e.t.password);
  int s0 = std::clamp(e.t.SelMin(), start, end) - start, s1 = std::clamp(e.t.SelMax(), start, end) - start;
  if (!showSel) s0 = s1 = 0;
  auto run = [&](int a, int b, bool sel) {
    if (a >= b) return;
    int px = x + e.t.Width(start, start + a);
    std::string part = shown.substr(static_cast<std::size_t>(a), static_cast<std::size_t>(b - a));
    if (sel) {
      RECT hr{px, y, px + e.t.Width(start + a, start + b), y + e.lineH};
      FillRect(dc, &hr, SysBrush(COLOR_HIGHLIGHT));
      COLORREF old = SetTextColor(dc, GetSysColor(COLOR_HIGHLIGHTTEXT));
      TextOutA(dc, px, y, part.c_str(), static_cast<int>(part.size()));
      SetTextColor(dc, old);
    } else {
      TextOutA(dc, px, y, part.c_str(), static_cast<int>(part.size()));
    }
  };
  run(0, s0, false);
  run(s0, s1, true);
  run(s1, static_cast<int>(shown.size()), false);
}

void Paint(HWND h, Edit& e) {
  PAINTSTRUCT ps;
  HDC dc = BeginPaint(h, &ps);
  RECT client;
  GetClientRect(h, &client);
  HGDIOBJ oldFont = SelectObject(dc, UsedFont(e.font));
  bool disabled = !IsWindowEnabled(h);
  HBRUSH bg = ParentBrush(h, dc, (ReadOnly(h) || disabled) ? WM_CTLCOLORSTATIC : WM_CTLCOLOREDIT);
  FillRect(dc, &client, bg);
  if (disabled) SetTextColor(dc, GetSysColor(COLOR_GRAYTEXT));
  SetBkMode(dc, TRANSPARENT);
  RECT r = TextArea(h, e);
  IntersectClipRect(dc, r.left, r.top, r.right, r.bottom);
  bool showSel = e.focused || (Style(h) & ES_NOHIDESEL);
  int first = std::max(e.topLine, e.topLine + static_cast<int>((ps.rcPaint.top - r.top) / e.lineH));
  int last = std::min(e.t.LineCount() - 1, e.topLine + static_cast<int>((ps.rcPaint.bottom - r.top) / e.lineH));
  for (int line = first; line <= last; ++line)
    PaintLine(dc, e, line, LineX(h, e, line), r.top + (line - e.topLine) * e.lineH, showSel);
  SelectObject(dc, oldFont);
  EndPaint(h, &ps);
}

void ScrollTo(HWND h, Edit& e, int top) {
  int maxTop = std::max(0, e.t.LineCount() - VisibleLines(h, e));
  top = std::clamp(top, 0, maxTop);
  if (top == e.topLine) return;
  e.topLine = top;
  InvalidateRect(h, nullptr, FALSE);
  UpdateScrollBar(h, e);
  if (e.focused) {
    POINT p = PosToPoint(h, e, e.t.caret);
    SetCaretPos(p.x, p.y);
  }
  NotifyCommand(h, EN_VSCROLL);
}

LRESULT VScroll(HWND h, Edit& e, WPARAM wp) {
  int page = VisibleLines(h, e);
  switch (LOWORD(wp)) {
    case SB_LINEUP: ScrollTo(h, e, e.topLine - 1); break;
    case SB_LINEDOWN: ScrollTo(h, e, e.topLine + 1); break;
    case SB_PAGEUP: ScrollTo(h, e, e.topLine - page); break;
    case SB_PAGEDOWN: ScrollTo(h, e, e.topLine + page); break;
    case SB_TOP: ScrollTo(h, e, 0); break;
    case SB_BOTTOM: ScrollTo(h, e, e.t.LineCount()); break;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION: ScrollTo(h, e, static_cast<short>(HIWORD(wp))); break;
  }
  return 0;
}

void SetText(HWND h, Edit& e, const char* s) {
  e.t.Select(0, e.t.Size());
  int limit = e.t.limit;
  e.t.limit = 0x7FFFFFFE;  // set text is not cut by the typing limit
  e.t.Replace(s ? s : "");
  e.t.limit = limit;
  e.t.Select(0, 0);
  Relayout(h, e, 0);
  e.topLine = 0, e.scrollX = 0;
  e.modified = false;
  InvalidateRect(h, nullptr, FALSE);
  UpdateScrollBar(h, e);
  ShowCaretPos(h, e);
}

LRESULT GetSel(const Edit& e, WPARAM wp, LPARAM lp) {
  DWORD a = static_cast<DWORD>(e.t.SelMin()), b = static_cast<DWORD>(e.t.SelMax());
  if (wp) *reinterpret_cast<DWORD*>(wp) = a;
  if (lp) *reinterpret_cast<DWORD*>(lp) = b;
  return static_cast<LRESULT>(MAKELONG(std::min<DWORD>(a, 0xFFFF), std::min<DWORD>(b, 0xFFFF)));
}

LRESULT GetLine(const Edit& e, WPARAM wp, LPARAM lp) {
  int line = static_cast<int>(wp);
  if (!lp || line < 0 || line >= e.t.LineCount()) return 0;
  char* buf = reinterpret_cast<char*>(lp);
  WORD room = *reinterpret_cast<WORD*>(buf);
  int start = e.t.LineStart(line), n = std::min<int>(e.t.LineEnd(line) - start, room);
  std::copy_n(e.t.text.data() + start, n, buf);
  if (n < room) buf[n] = '\0';
  return n;
}

LRESULT EditMessage(HWND h, Edit& e, UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case EM_GETSEL: return GetSel(e, wp, lp);
    case EM_SETSEL: {
      int a = static_cast<int>(wp), c = static_cast<int>(lp);
      if (a == -1) a = c = e.t.caret;
      if (c == -1 || c > e.t.Size()) c = e.t.Size();
      if (a < -1) a = 0;
      SetSelection(h, e, a, c);
      return 0;
    }
    case EM_REPLACESEL: Insert(h, e, lp ? reinterpret_cast<const char*>(lp) : ""); return 0;
    case EM_SETREADONLY: {
      LONG st = Style(h);
      SetWindowLongA(h, GWL_STYLE, wp ? (st | ES_READONLY) : (st & ~ES_READONLY));
      InvalidateRect(h, nullptr, FALSE);
      return TRUE;
    }
    case EM_LIMITTEXT: e.t.limit = wp ? static_cast<int>(std::min<WPARAM>(wp, 0x7FFFFFFE)) : 0x7FFFFFFE; return 0;
    case EM_GETLIMITTEXT: return e.t.limit;
    case EM_GETMODIFY: return e.modified;
    case EM_SETMODIFY: e.modified = wp != 0; return 0;
    case EM_GETLINECOUNT: return e.t.LineCount();
    case EM_LINEINDEX: {
      int line = static_cast<int>(wp) == -1 ? e.t.LineOf(e.t.caret) : static_cast<int>(wp);
      return line >= 0 && line < e.t.LineCount() ? e.t.LineStart(line) : -1;
    }
    case EM_LINELENGTH: {
      int pos = static_cast<int>(wp);
      int line = e.t.LineOf(pos < 0 ? e.t.caret : std::min(pos, e.t.Size()));
      return e.t.LineEnd(line) - e.t.LineStart(line);
    }
    case EM_LINEFROMCHAR: return e.t.LineOf(static_cast<int>(wp) < 0 ? e.t.SelMin() : std::min(static_cast<int>(wp), e.t.Size()));
    case EM_GETLINE: return GetLine(e, wp, lp);
    case EM_SETPASSWORDCHAR: e.t.password = static_cast<char>(wp); InvalidateRect(h, nullptr, FALSE); return 0;
    case EM_GETPASSWORDCHAR: return static_cast<unsigned char>(e.t.password);
    case EM_SCROLLCARET: ShowCaretPos(h, e); return TRUE;
    case EM_GETFIRSTVISIBLELINE: return e.t.multiline ? e.topLine : 0;
    case EM_LINESCROLL: if (e.t.multiline) ScrollTo(h, e, e.topLine + static_cast<int>(lp)); return TRUE;
    case EM_SCROLL: return VScroll(h, e, wp), TRUE;
    case EM_POSFROMCHAR: {
      POINT p = PosToPoint(h, e, std::clamp(static_cast<int>(wp), 0, e.t.Size()));
      return static_cast<LRESULT>(MAKELONG(p.x, p.y));
    }
    case EM_CHARFROMPOS: {
      POINT p{GET_X_LPARAM(lp), GET_Y_LPARAM(lp)};
      int pos = PointToPos(h, e, p);
      return static_cast<LRESULT>(MAKELONG(pos, e.t.LineOf(pos)));
    }
    case EM_SETMARGINS:
      if (wp & EC_LEFTMARGIN) e.marginL = LOWORD(lp) == EC_USEFONTINFO ? 1 : LOWORD(lp);
      if (wp & EC_RIGHTMARGIN) e.marginR = HIWORD(lp) == EC_USEFONTINFO ? 1 : HIWORD(lp);
      Relayout(h, e, 0);
      InvalidateRect(h, nullptr, FALSE);
      return 0;
    case EM_GETMARGINS: return static_cast<LRESULT>(MAKELONG(e.marginL, e.marginR));
    case EM_CANUNDO:
    case EM_UNDO: return FALSE;
  }
  return 0;
}

LRESULT Focus(HWND h, Edit& e, bool gained) {
  e.focused = gained;
  if (gained) {
    CreateCaret(h, nullptr, 1, e.lineH);
    ShowCaretPos(h, e);
    ShowCaret(h);
  } else {
    DestroyCaret();
  }
  InvalidateRect(h, nullptr, FALSE);
  NotifyCommand(h, gained ? EN_SETFOCUS : EN_KILLFOCUS);
  return 0;
}

void Create(HWND h, Edit& e, const CREATESTRUCTA* cs) {
  LONG st = Style(h);
  e.t.multiline = st & ES_MULTILINE;
  if (st & ES_PASSWORD && !e.t.multiline) e.t.password = '*';
  LoadFont(h, e);
  Relayout(h, e, 0);
  SetText(h, e, cs && cs->lpszName ? cs->lpszName : "");
}

LRESULT CALLBACK EditProc(HWND h, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_NCCREATE) States<Edit>().Create(h);
  Edit* e = States<Edit>().Get(h);
  if (!e) return DefWindowProcA(h, msg, wp, lp);
  if (msg >= EM_GETSEL && msg <= EM_CHARFROMPOS) return EditMessage(h, *e, msg, wp, lp);
  switch (msg) {
    case WM_CREATE: Create(h, *e, reinterpret_cast<const CREATESTRUCTA*>(lp)); return 0;
    case WM_NCDESTROY: States<Edit>().Erase(h); ForgetBars(h); return DefWindowProcA(h, msg, wp, lp);
    case WM_NCPAINT: DefWindowProcA(h, msg, wp, lp); PaintWindowBars(h); return 0;
    case WM_NCLBUTTONDOWN: return WindowBarClick(h, wp, lp) ? 0 : DefWindowProcA(h, msg, wp, lp);
    case WM_PAINT: Paint(h, *e); return 0;
    case WM_ERASEBKGND: return 1;
    case WM_SETTEXT:
      SetText(h, *e, reinterpret_cast<const char*>(lp));
      DefWindowProcA(h, msg, wp, lp);
      // A multi-line edit stays silent for set text, a single line reports it.
      if (!e->t.multiline) NotifyCommand(h, EN_CHANGE);
      return TRUE;
    case WM_GETTEXT: {
      if (!wp || !lp) return 0;
      int n = std::min<int>(e->t.Size(), static_cast<int>(wp) - 1);
      std::copy_n(e->t.text.data(), n, reinterpret_cast<char*>(lp));
      reinterpret_cast<char*>(lp)[n] = '\0';
      return n;
    }
    case WM_GETTEXTLENGTH: return e->t.Size();
    case WM_SETFONT:
      e->font = reinterpret_cast<HFONT>(wp);
      LoadFont(h, *e);
      Relayout(h, *e, 0);
      if (lp) InvalidateRect(h, nullptr, FALSE);
      return 0;
    case WM_GETFONT: return reinterpret_cast<LRESULT>(e->font);
    case WM_SIZE: Relayout(h, *e, 0); UpdateScrollBar(h, *e); ShowCaretPos(h, *e); return 0;
    case WM_SETFOCUS: return Focus(h, *e, true);
    case WM_KILLFOCUS: return Focus(h, *e, false);
    case WM_ENABLE: InvalidateRect(h, nullptr, FALSE); return 0;
    case WM_KEYDOWN: return KeyDown(h, *e, wp);
    case WM_CHAR: return Char(h, *e, wp);
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
    case WM_MOUSEMOVE:
    case WM_LBUTTONUP: return MouseMsg(h, *e, msg, lp);
    case WM_CAPTURECHANGED: e->tracking = false; return 0;
    case WM_CUT: Cut(h, *e); return 0;
    case WM_COPY: Copy(*e); return 0;
    case WM_PASTE: Paste(h, *e); return 0;
    case WM_CLEAR: if (!ReadOnly(h)) DeleteSelection(h, *e); return 0;
    case WM_VSCROLL: return e->t.multiline ? VScroll(h, *e, wp) : 0;
    case WM_MOUSEWHEEL:
      if (e->t.multiline) ScrollTo(h, *e, e->topLine - 3 * static_cast<short>(HIWORD(wp)) / WHEEL_DELTA);
      return 0;
    case WM_GETDLGCODE: {
      LRESULT code = DLGC_WANTCHARS | DLGC_HASSETSEL | DLGC_WANTARROWS;
      if (e->t.multiline && (Style(h) & ES_WANTRETURN)) code |= DLGC_WANTALLKEYS;
      return code;
    }
  }
  return DefWindowProcA(h, msg, wp, lp);
}

}  // namespace

void RegisterEdit() { RegisterOnce(WC_EDITA, EditProc, CS_DBLCLKS, -1); }

}  // namespace controls
