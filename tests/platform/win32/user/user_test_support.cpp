#include "user_test_support.h"

#include <win32/user32_draw.h>

#include <cstdio>

namespace user_test {

std::string MessageName(UINT msg) {
  static const std::map<UINT, const char*> names = {
      {WM_CREATE, "WM_CREATE"}, {WM_DESTROY, "WM_DESTROY"}, {WM_MOVE, "WM_MOVE"}, {WM_SIZE, "WM_SIZE"},
      {WM_ACTIVATE, "WM_ACTIVATE"}, {WM_SETFOCUS, "WM_SETFOCUS"}, {WM_KILLFOCUS, "WM_KILLFOCUS"},
      {WM_ENABLE, "WM_ENABLE"}, {WM_PAINT, "WM_PAINT"}, {WM_CLOSE, "WM_CLOSE"}, {WM_ERASEBKGND, "WM_ERASEBKGND"},
      {WM_SHOWWINDOW, "WM_SHOWWINDOW"}, {WM_ACTIVATEAPP, "WM_ACTIVATEAPP"}, {WM_CANCELMODE, "WM_CANCELMODE"},
      {WM_SETCURSOR, "WM_SETCURSOR"}, {WM_MOUSEACTIVATE, "WM_MOUSEACTIVATE"}, {WM_GETMINMAXINFO, "WM_GETMINMAXINFO"},
      {WM_WINDOWPOSCHANGING, "WM_WINDOWPOSCHANGING"}, {WM_WINDOWPOSCHANGED, "WM_WINDOWPOSCHANGED"},
      {WM_NCCREATE, "WM_NCCREATE"}, {WM_NCDESTROY, "WM_NCDESTROY"}, {WM_NCCALCSIZE, "WM_NCCALCSIZE"},
      {WM_NCHITTEST, "WM_NCHITTEST"}, {WM_NCPAINT, "WM_NCPAINT"}, {WM_NCACTIVATE, "WM_NCACTIVATE"},
      {WM_KEYDOWN, "WM_KEYDOWN"}, {WM_KEYUP, "WM_KEYUP"}, {WM_CHAR, "WM_CHAR"}, {WM_SYSKEYDOWN, "WM_SYSKEYDOWN"},
      {WM_SYSKEYUP, "WM_SYSKEYUP"}, {WM_SYSCHAR, "WM_SYSCHAR"}, {WM_SYSCOMMAND, "WM_SYSCOMMAND"},
      {WM_TIMER, "WM_TIMER"}, {WM_MOUSEMOVE, "WM_MOUSEMOVE"}, {WM_LBUTTONDOWN, "WM_LBUTTONDOWN"},
      {WM_LBUTTONUP, "WM_LBUTTONUP"}, {WM_LBUTTONDBLCLK, "WM_LBUTTONDBLCLK"}, {WM_RBUTTONDOWN, "WM_RBUTTONDOWN"},
      {WM_NCLBUTTONDOWN, "WM_NCLBUTTONDOWN"}, {WM_NCMOUSEMOVE, "WM_NCMOUSEMOVE"},
      {WM_PARENTNOTIFY, "WM_PARENTNOTIFY"}, {WM_CAPTURECHANGED, "WM_CAPTURECHANGED"},
      {WM_MOUSELEAVE, "WM_MOUSELEAVE"}, {WM_MOUSEWHEEL, "WM_MOUSEWHEEL"}, {WM_USER, "WM_USER"},
      {WM_USER + 1, "WM_USER+1"}, {WM_USER + 2, "WM_USER+2"}, {WM_COPYDATA, "WM_COPYDATA"},
      {WM_SETTEXT, "WM_SETTEXT"}, {WM_PRINTCLIENT, "WM_PRINTCLIENT"}, {WM_CONTEXTMENU, "WM_CONTEXTMENU"},
  };
  auto it = names.find(msg);
  if (it != names.end()) return it->second;
  char buf[16];
  std::snprintf(buf, sizeof buf, "0x%04X", msg);
  return buf;
}

void Log::Add(HWND hwnd, UINT msg, WPARAM wp) {
  if (!watched.count(msg)) return;
  std::string e = ":" + MessageName(msg);
  if (msg == WM_ACTIVATE || msg == WM_NCACTIVATE || msg == WM_SHOWWINDOW || msg == WM_ACTIVATEAPP ||
      msg == WM_ENABLE || msg == WM_TIMER || msg == WM_CHAR || msg == WM_SYSCHAR || msg == WM_KEYDOWN ||
      msg == WM_KEYUP || msg == WM_SYSKEYDOWN || msg == WM_SYSKEYUP)
    e += "(" + std::to_string(LOWORD(wp)) + ")";
  if (msg == WM_SYSCOMMAND) e += "(" + std::to_string(wp & 0xFFF0) + ")";
  entries.emplace_back(hwnd, e);
}

std::vector<std::string> Log::Take() {
  std::vector<std::string> out;
  for (auto& [hwnd, text] : entries) {
    if (!hwnd) {
      out.push_back(text);
      continue;
    }
    auto it = names.find(hwnd);
    out.push_back((it == names.end() ? std::string("?") : it->second) + text);
  }
  entries.clear();
  return out;
}

Log& TheLog() {
  static Log log;
  return log;
}

std::map<HWND, Handler>& Handlers() {
  static std::map<HWND, Handler> handlers;
  return handlers;
}

LRESULT CALLBACK LoggingProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  TheLog().Add(hwnd, msg, wp);
  auto it = Handlers().find(hwnd);
  if (it != Handlers().end() && it->second) {
    Handler h = it->second;  // the handler may replace itself
    if (auto r = h(hwnd, msg, wp, lp)) return *r;
  }
  return DefWindowProcA(hwnd, msg, wp, lp);
}

void UserTest::SetUp() {
  headless::Start();
  static bool registered = false;
  if (!registered) {
    WNDCLASSA wc{};
    wc.lpfnWndProc = LoggingProc;
    wc.lpszClassName = kClass;
    wc.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<std::intptr_t>(COLOR_BTNFACE + 1));
    wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    ASSERT_NE(RegisterClassA(&wc), 0);
    wc.lpszClassName = kDblClass;
    wc.style = CS_DBLCLKS;
    ASSERT_NE(RegisterClassA(&wc), 0);
    registered = true;
  }
  TheLog() = Log{};
  Handlers().clear();
}

void UserTest::TearDown() {
  Handlers().clear();
  for (auto it = created_.rbegin(); it != created_.rend(); ++it)
    if (IsWindow(*it)) DestroyWindow(*it);
  MSG m;
  while (PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE)) {
  }
  ReleaseCapture();
  TheLog() = Log{};
}

HWND UserTest::Top(const char* name, DWORD style, RECT r, DWORD ex, HWND owner) {
  HWND h = CreateWindowExA(ex, kClass, name, style, r.left, r.top, r.right - r.left, r.bottom - r.top, owner,
                           nullptr, nullptr, nullptr);
  EXPECT_NE(h, nullptr);
  TheLog().names[h] = name;
  created_.push_back(h);
  return h;
}

HWND UserTest::Child(const char* name, HWND parent, RECT r, DWORD style, DWORD ex, int id) {
  HWND h = CreateWindowExA(ex, kClass, name, WS_CHILD | style, r.left, r.top, r.right - r.left, r.bottom - r.top,
                           parent, reinterpret_cast<HMENU>(static_cast<std::intptr_t>(id)), nullptr, nullptr);
  EXPECT_NE(h, nullptr);
  TheLog().names[h] = name;
  created_.push_back(h);
  return h;
}

int UserTest::Pump() {
  int n = 0;
  MSG m;
  while (PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&m);
    DispatchMessageA(&m);
    if (++n > 10000) break;  // a window that never validates must not hang the test
  }
  return n;
}

std::uint32_t ScreenPixel(int x, int y) {
  int w = 0, h = 0;
  auto px = headless::ScreenPixels(&w, &h);
  return px[static_cast<std::size_t>(y) * w + x];
}

}  // namespace user_test
