// The "tooltips_class32" class: tools are rectangles of windows; mouse
// moves relayed to the tooltip start the initial delay, after which the tip
// shows under the pointer until the pointer leaves, a button is pressed or
// the show time runs out.
#include "control_base.h"

#include <algorithm>
#include <vector>

namespace controls {
namespace {

struct Tool {
  TOOLINFOA info{};
  std::string text;
};

struct Tip {
  std::vector<Tool> tools;
  bool active = true;
  int current = -1;  // tool under the pointer
  bool shown = false;
  int initial = 500, autopop = 5000;
  POINT at{};  // screen point of the last relayed move
  HFONT font = nullptr;
};

constexpr UINT_PTR kShowTimer = 1, kPopTimer = 2;

int FindTool(const Tip& t, const TOOLINFOA* ti) {
  if (!ti) return -1;
  for (std::size_t i = 0; i < t.tools.size(); ++i)
    if (t.tools[i].info.hwnd == ti->hwnd && t.tools[i].info.uId == ti->uId) return static_cast<int>(i);
  return -1;
}

RECT ToolRect(const Tool& tool) {
  RECT r = tool.info.rect;
  if (tool.info.uFlags & TTF_IDISHWND) GetClientRect(reinterpret_cast<HWND>(tool.info.uId), &r);
  return r;
}

HWND ToolWindow(const Tool& tool) {
  return (tool.info.uFlags & TTF_IDISHWND) ? reinterpret_cast<HWND>(tool.info.uId) : tool.info.hwnd;
}

std::string TextOf(HWND h, const Tool& tool) {
  if (tool.info.lpszText != LPSTR_TEXTCALLBACKA) return tool.text;
  NMTTDISPINFOA di{};
  di.lParam = tool.info.lParam;
  di.uFlags = tool.info.uFlags;
  di.hdr.hwndFrom = h;
  di.hdr.idFrom = tool.info.uId;
  di.hdr.code = TTN_GETDISPINFOA;
  SendMessageA(tool.info.hwnd, WM_NOTIFY, tool.info.uId, reinterpret_cast<LPARAM>(&di));
  if (di.lpszText && di.lpszText != LPSTR_TEXTCALLBACKA) return di.lpszText;
  return di.szText;
}

void Hide(HWND h, Tip& t) {
  KillTimer(h, kShowTimer);
  KillTimer(h, kPopTimer);
  if (t.shown) {
    t.shown = false;
    ShowWindow(h, SW_HIDE);
  }
}

void Show(HWND h, Tip& t) {
  if (t.current < 0 || !t.active) return;
  std::string text = TextOf(h, t.tools[static_cast<std::size_t>(t.current)]);
  if (text.empty()) return;
  SetWindowTextA(h, text.c_str());
  HDC dc = GetDC(h);
  HGDIOBJ old = SelectObject(dc, UsedFont(t.font));
  RECT calc{0, 0, 400, 0};
  DrawTextA(dc, text.c_str(), static_cast<int>(text.size()), &calc, DT_CALCRECT | DT_NOPREFIX);
  SelectObject(dc, old);
  ReleaseDC(h, dc);
  int w = calc.right + 8, hg = calc.bottom + 4;
  int sw = GetSystemMetrics(SM_CXSCREEN), sh = GetSystemMetrics(SM_CYSCREEN);
  int x = std::clamp(static_cast<int>(t.at.x), 0, std::max(0, sw - w));
  int y = t.at.y + 20 + hg > sh ? t.at.y - hg - 2 : t.at.y + 20;
  SetWindowPos(h, HWND_TOPMOST, x, y, w, hg, SWP_NOACTIVATE | SWP_SHOWWINDOW);
  InvalidateRect(h, nullptr, TRUE);
  t.shown = true;
  SetTimer(h, kPopTimer, static_cast<UINT>(t.autopop), nullptr);
}

void Relay(HWND h, Tip& t, const MSG* m) {
  if (!m) return;
  if (m->message == WM_LBUTTONDOWN || m->message == WM_RBUTTONDOWN || m->message == WM_MBUTTONDOWN) {
    Hide(h, t);
    return;
  }
  if (m->message != WM_MOUSEMOVE) return;
  POINT p{GET_X_LPARAM(m->lParam), GET_Y_LPARAM(m->lParam)};
  t.at = p;
  ClientToScreen(m->hwnd, &t.at);
  int hit = -1;
  for (std::size_t i = 0; i < t.tools.size() && hit < 0; ++i) {
    const Tool& tool = t.tools[i];
    if (ToolWindow(tool) != m->hwnd) continue;
    RECT r = ToolRect(tool);
    if (PtInRect(&r, p)) hit = static_cast<int>(i);
  }
  if (hit == t.current) return;
  Hide(h, t);
  t.current = hit;
  if (hit >= 0 && t.active) SetTimer(h, kShowTimer, static_cast<UINT>(t.initial), nullptr);
}

void Paint(HWND h, Tip& t) {
  PAINTSTRUCT ps;
  HDC dc = BeginPaint(h, &ps);
  RECT r;
  GetClientRect(h, &r);
  FillRect(dc, &r, SysBrush(COLOR_INFOBK));
  FrameRect(dc, &r, SysBrush(COLOR_WINDOWFRAME));
  HGDIOBJ old = SelectObject(dc, UsedFont(t.font));
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, GetSysColor(COLOR_INFOTEXT));
  std::string text = WindowText(h);
  InflateRect(&r, -4, -2);
  DrawTextA(dc, text.c_str(), static_cast<int>(text.size()), &r, DT_NOPREFIX);
  SelectObject(dc, old);
  EndPaint(h, &ps);
}

LRESULT TipMessage(HWND h, Tip& t, UINT msg, WPARAM wp, LPARAM lp) {
  auto* ti = reinterpret_cast<TOOLINFOA*>(lp);
  int i = msg == TTM_ADDTOOLA || msg == TTM_RELAYEVENT ? -1 : FindTool(t, ti);
  switch (msg) {
    case TTM_ACTIVATE: t.active = wp != 0; if (!t.active) Hide(h, t); return 0;
    case TTM_SETDELAYTIME: {
      int v = static_cast<short>(LOWORD(lp));
      if (wp == TTDT_INITIAL) t.initial = v < 0 ? 500 : v;
      else if (wp == TTDT_AUTOPOP) t.autopop = v < 0 ? 5000 : v;
      else if (wp == TTDT_AUTOMATIC) t.initial = v < 0 ? 500 : v, t.autopop = t.initial * 10;
      return 0;
    }
    case TTM_ADDTOOLA: {
      if (!ti) return FALSE;
      Tool tool{*ti, {}};
      if (ti->lpszText && ti->lpszText != LPSTR_TEXTCALLBACKA) tool.text = ti->lpszText;
      t.tools.push_back(tool);
      return TRUE;
    }
    case TTM_DELTOOLA:
      if (i < 0) return 0;
      if (i == t.current) Hide(h, t), t.current = -1;
      else if (i < t.current) --t.current;
      t.tools.erase(t.tools.begin() + i);
      return 0;
    case TTM_NEWTOOLRECTA: if (i >= 0) t.tools[static_cast<std::size_t>(i)].info.rect = ti->rect; return 0;
    case TTM_UPDATETIPTEXTA:
      if (i >= 0) {
        Tool& tool = t.tools[static_cast<std::size_t>(i)];
        tool.info.lpszText = ti->lpszText;
        tool.text = ti->lpszText && ti->lpszText != LPSTR_TEXTCALLBACKA ? ti->lpszText : "";
        if (i == t.current && t.shown) Show(h, t);
      }
      return 0;
    case TTM_GETTEXTA:
      if (i >= 0 && ti->lpszText) {
        std::string s = TextOf(h, t.tools[static_cast<std::size_t>(i)]);
        std::copy(s.begin(), s.end(), ti->lpszText);
        ti->lpszText[s.size()] = '\0';
      }
      return 0;
    case TTM_GETTOOLCOUNT: return static_cast<LRESULT>(t.tools.size());
    case TTM_RELAYEVENT: Relay(h, t, reinterpret_cast<const MSG*>(lp)); return 0;
    case TTM_POP: Hide(h, t); return 0;
  }
  return 0;
}

LRESULT CALLBACK TipProc(HWND h, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_NCCREATE) States<Tip>().Create(h);
  Tip* t = States<Tip>().Get(h);
  if (!t) return DefWindowProcA(h, msg, wp, lp);
  if ((msg >= TTM_ACTIVATE && msg <= TTM_GETTOOLCOUNT) || msg == TTM_POP) return TipMessage(h, *t, msg, wp, lp);
  switch (msg) {
    case WM_NCDESTROY: States<Tip>().Erase(h); return DefWindowProcA(h, msg, wp, lp);
    case WM_PAINT: Paint(h, *t); return 0;
    case WM_ERASEBKGND: return 1;
    case WM_TIMER:
      if (wp == kShowTimer) KillTimer(h, kShowTimer), Show(h, *t);
      else if (wp == kPopTimer) Hide(h, *t);
      return 0;
    case WM_NCHITTEST: return HTTRANSPARENT;
    case WM_MOUSEACTIVATE: return MA_NOACTIVATE;
    case WM_SETFONT: t->font = reinterpret_cast<HFONT>(wp); return 0;
    case WM_GETFONT: return reinterpret_cast<LRESULT>(t->font);
  }
  return DefWindowProcA(h, msg, wp, lp);
}

}  // namespace

void RegisterToolTip() { RegisterOnce(TOOLTIPS_CLASSA, TipProc, CS_SAVEBITS, COLOR_INFOBK); }

}  // namespace controls
