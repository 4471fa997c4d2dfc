#include "user_test_support.h"

#include <win32/user32_draw.h>

#include <cstdio>

namespace user_test {

namespace {

// The line of one entry, with the argument that tells entries of the same
// message apart where it matters.
std::string Line(const testsupport::LoggedMessage& m) {
  std::string e = ":" + MessageName(m.message);
  const UINT msg = m.message;
  if (msg == WM_ACTIVATE || msg == WM_NCACTIVATE || msg == WM_SHOWWINDOW || msg == WM_ACTIVATEAPP ||
      msg == WM_ENABLE || msg == WM_TIMER || msg == WM_CHAR || msg == WM_SYSCHAR || msg == WM_KEYDOWN ||
      msg == WM_KEYUP || msg == WM_SYSKEYDOWN || msg == WM_SYSKEYUP)
    e += "(" + std::to_string(LOWORD(m.wParam)) + ")";
  if (msg == WM_SYSCOMMAND) e += "(" + std::to_string(m.wParam & 0xFFF0) + ")";
  return e;
}

}  // namespace

std::vector<std::string> Log::Take() {
  std::vector<std::string> out;
  for (const auto& m : messages.Take()) {
    if (!m.hwnd) {
      out.push_back(m.note);
      continue;
    }
    auto it = names.find(m.hwnd);
    out.push_back((it == names.end() ? std::string("?") : it->second) + Line(m));
  }
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
  TheLog().messages.Add(hwnd, msg, wp, lp);
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
    testsupport::DispatchLogged(m);
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
