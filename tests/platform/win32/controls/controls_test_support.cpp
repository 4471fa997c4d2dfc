#include "controls_test_support.h"

#include <cstdint>
#include <filesystem>

namespace controls_test {

testsupport::MessageLog& Notes() {
  static testsupport::MessageLog log = [] {
    testsupport::MessageLog l;
    l.Watch({WM_COMMAND, WM_NOTIFY, WM_HSCROLL, WM_VSCROLL});
    return l;
  }();
  return log;
}

namespace {
LRESULT CALLBACK ParentProc(HWND h, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_COMMAND) Notes().Add(h, msg, wp, lp, HIWORD(wp));
  if ((msg == WM_VSCROLL || msg == WM_HSCROLL) && LOWORD(wp) != SB_ENDSCROLL) Notes().Add(h, msg, wp, lp, LOWORD(wp));
  if (msg == WM_NOTIFY) Notes().Add(h, msg, wp, lp, static_cast<int>(reinterpret_cast<NMHDR*>(lp)->code));
  return DefWindowProcA(h, msg, wp, lp);
}
}  // namespace

void ControlTest::SetUp() {
  headless::Start(640, 480);
  InitCommonControls();
  static bool registered = false;
  if (!registered) {
    WNDCLASSA wc{};
    wc.lpfnWndProc = ParentProc;
    wc.lpszClassName = "CtlTestParent";
    wc.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<std::intptr_t>(COLOR_BTNFACE + 1));
    ASSERT_NE(RegisterClassA(&wc), 0);
    registered = true;
  }
  parent = CreateWindowExA(0, "CtlTestParent", "parent", WS_POPUP | WS_VISIBLE, 0, 0, 400, 300, nullptr, nullptr,
                           nullptr, nullptr);
  ASSERT_NE(parent, nullptr);
  Pump();
  Notes().Clear();
}

void ControlTest::TearDown() {
  if (IsWindow(parent)) DestroyWindow(parent);
  Pump();
  ReleaseCapture();
  Notes().Clear();
}

HWND ControlTest::Make(const char* cls, const char* text, DWORD style, RECT r, int id, DWORD ex) {
  HWND h = CreateWindowExA(ex, cls, text, WS_CHILD | WS_VISIBLE | style, r.left, r.top, r.right - r.left,
                           r.bottom - r.top, parent, reinterpret_cast<HMENU>(static_cast<std::intptr_t>(id)), nullptr,
                           nullptr);
  EXPECT_NE(h, nullptr) << cls;
  Pump();
  return h;
}

void ControlTest::Pump() {
  MSG m;
  while (PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&m);
    testsupport::DispatchLogged(m);
  }
  UpdateWindow(parent);
}

std::vector<int> ControlTest::Codes() {
  std::vector<int> out;
  for (const auto& n : Notes().Take()) out.push_back(static_cast<int>(n.detail));
  return out;
}

COLORREF ControlTest::Pixel(HWND h, int x, int y) {
  Pump();
  POINT p{x, y};
  ClientToScreen(h, &p);
  int w = 0, hgt = 0;
  auto px = headless::ScreenPixels(&w, &hgt);
  if (p.x < 0 || p.y < 0 || p.x >= w || p.y >= hgt) return CLR_INVALID;
  std::uint32_t v = px[static_cast<std::size_t>(p.y) * static_cast<std::size_t>(w) + static_cast<std::size_t>(p.x)];
  return RGB((v >> 16) & 0xFF, (v >> 8) & 0xFF, v & 0xFF);
}

bool ControlTest::Any(HWND h, RECT r, COLORREF c) {
  Pump();
  POINT o{0, 0};
  ClientToScreen(h, &o);
  int w = 0, hgt = 0;
  auto px = headless::ScreenPixels(&w, &hgt);
  std::uint32_t want = (GetRValue(c) << 16) | (GetGValue(c) << 8) | GetBValue(c);
  for (int y = r.top + o.y; y < r.bottom + o.y; ++y)
    for (int x = r.left + o.x; x < r.right + o.x; ++x)
      if (x >= 0 && y >= 0 && x < w && y < hgt &&
          (px[static_cast<std::size_t>(y) * static_cast<std::size_t>(w) + static_cast<std::size_t>(x)] & 0xFFFFFF) == want)
        return true;
  return false;
}

void ControlTest::Click(HWND h, int x, int y) {
  POINT p{x, y};
  ClientToScreen(h, &p);
  headless::MoveMouse(p.x, p.y);
  headless::PressMouse(0);
  Pump();
  headless::ReleaseMouse(0);
  Pump();
}

void ControlTest::Key(unsigned vk) {
  headless::PressKey(vk);
  Pump();
  headless::ReleaseKey(vk);
  Pump();
}

void ControlTest::Save(HWND h, const std::string& name) {
  Pump();
  // Beside the other test output, never in the folder the test was started from.
  const std::filesystem::path dir = std::filesystem::path(::testing::TempDir()) / "controls_shots";
  std::filesystem::create_directories(dir);
  headless::SaveWindow(h, (dir / (name + ".png")).string());
}

}  // namespace controls_test
