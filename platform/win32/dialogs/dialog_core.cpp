#include "dialog_core.h"

#include <algorithm>
#include <cstdint>
#include <set>
#include <string>

namespace dialogs {

HFONT DialogFont() {
  // 8 points at the 96 dpi the screen reports: a cell height of 11 pixels.
  static HFONT font = CreateFontA(-11, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, ANSI_CHARSET, OUT_DEFAULT_PRECIS,
                                  CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_SWISS, "MS Sans Serif");
  return font;
}

namespace {
BOOL CALLBACK CollectEnabled(HWND hwnd, LPARAM lp) {
  if (IsWindowEnabled(hwnd)) reinterpret_cast<std::vector<HWND>*>(lp)->push_back(hwnd);
  return TRUE;
}
}  // namespace

TaskModal::TaskModal() {
  EnumThreadWindows(GetCurrentThreadId(), CollectEnabled, reinterpret_cast<LPARAM>(&disabled_));
  for (HWND h : disabled_) EnableWindow(h, FALSE);
}

TaskModal::~TaskModal() { Restore(); }

void TaskModal::Restore() {
  for (HWND h : disabled_)
    if (IsWindow(h)) EnableWindow(h, TRUE);
  disabled_.clear();
}

void CenterOnScreen(HWND hwnd) {
  RECT r, work{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
  GetWindowRect(hwnd, &r);
  SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
  const int w = r.right - r.left, h = r.bottom - r.top;
  // Centred in the work area; a window larger than it keeps its top left corner there.
  const int x = std::max<int>(work.left, (work.left + work.right - w) / 2);
  const int y = std::max<int>(work.top, (work.top + work.bottom - h) / 2);
  SetWindowPos(hwnd, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

SIZE WindowSizeFor(int cx, int cy, DWORD style, DWORD exStyle) {
  RECT r{0, 0, cx, cy};
  AdjustWindowRectEx(&r, style, FALSE, exStyle);
  return SIZE{r.right - r.left, r.bottom - r.top};
}

HWND MakeControl(HWND parent, const char* cls, const char* text, DWORD style, int id, RECT r, DWORD exStyle) {
  HWND h = CreateWindowExA(exStyle, cls, text, WS_CHILD | WS_VISIBLE | style, r.left, r.top, r.right - r.left,
                           r.bottom - r.top, parent, reinterpret_cast<HMENU>(static_cast<std::intptr_t>(id)), nullptr,
                           nullptr);
  if (h) SendMessageA(h, WM_SETFONT, reinterpret_cast<WPARAM>(DialogFont()), FALSE);
  return h;
}

bool RunModal(HWND dlg, const bool& done, const std::function<bool(const MSG&)>& keyFilter) {
  MSG m;
  while (!done && IsWindow(dlg)) {
    const BOOL got = GetMessageA(&m, nullptr, 0, 0);
    if (got == 0) {
      PostQuitMessage(static_cast<int>(m.wParam));
      return false;
    }
    if (got < 0) return false;
    const bool key = m.message >= WM_KEYFIRST && m.message <= WM_KEYLAST;
    if (key && (m.hwnd == dlg || IsChild(dlg, m.hwnd)) && keyFilter(m)) continue;
    TranslateMessage(&m);
    DispatchMessageA(&m);
  }
  return true;
}

void CycleFocus(HWND dlg, bool backwards) {
  std::vector<HWND> stops;
  for (HWND c = GetWindow(dlg, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT))
    if ((GetWindowLongA(c, GWL_STYLE) & WS_TABSTOP) && IsWindowEnabled(c) && IsWindowVisible(c)) stops.push_back(c);
  if (stops.empty()) return;
  HWND focus = GetFocus();
  size_t at = stops.size();
  for (size_t i = 0; i < stops.size(); ++i)
    if (stops[i] == focus || IsChild(stops[i], focus)) at = i;
  size_t next = 0;
  if (at == stops.size()) next = 0;
  else if (backwards) next = (at + stops.size() - 1) % stops.size();
  else next = (at + 1) % stops.size();
  SetFocus(stops[next]);
}

bool RegisterDialogClass(const char* name, WNDPROC proc) {
  static std::set<std::string> registered;
  if (registered.count(name)) return true;
  controls::RegisterStandardClasses();
  WNDCLASSA wc{};
  wc.lpfnWndProc = proc;
  wc.lpszClassName = name;
  wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
  wc.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
  if (!RegisterClassA(&wc)) return false;
  registered.insert(name);
  return true;
}

void* DialogData(HWND hwnd, UINT msg, LPARAM lp) {
  if (msg == WM_NCCREATE) {
    auto* cs = reinterpret_cast<CREATESTRUCTA*>(lp);
    SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(cs->lpCreateParams));
  }
  return reinterpret_cast<void*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
}

void EndModal(HWND dlg, TaskModal& modal, HWND prevActive, HWND prevFocus) {
  SetWindowLongPtrA(dlg, GWLP_USERDATA, 0);
  modal.Restore();
  if (IsWindow(dlg)) DestroyWindow(dlg);
  if (prevActive && IsWindow(prevActive)) SetActiveWindow(prevActive);
  if (prevFocus && IsWindow(prevFocus)) SetFocus(prevFocus);
}

bool IsPushButton(HWND hwnd) {
  char cls[16] = {};
  if (!hwnd || !GetClassNameA(hwnd, cls, sizeof cls) || lstrcmpiA(cls, WC_BUTTONA) != 0) return false;
  const LONG type = GetWindowLongA(hwnd, GWL_STYLE) & BS_TYPEMASK;
  return type == BS_PUSHBUTTON || type == BS_DEFPUSHBUTTON;
}

}  // namespace dialogs
