#include "dialogs_test_support.h"

#include "modal_later.h"

#include <cstdint>
#include <vector>

namespace dialogs_test {

void DialogTest::SetUp() {
  headless::Start(800, 600);
  headless::SetIdleAdvance(true);
  static bool registered = false;
  if (!registered) {
    WNDCLASSA wc{};
    wc.lpfnWndProc = DefWindowProcA;
    wc.lpszClassName = "DlgTestOwner";
    wc.hbrBackground = GetSysColorBrush(COLOR_WINDOW);
    ASSERT_NE(RegisterClassA(&wc), 0);
    registered = true;
  }
  owner = CreateWindowExA(0, "DlgTestOwner", "owner", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 10, 10, 300, 200, nullptr,
                          nullptr, nullptr, nullptr);
  ASSERT_NE(owner, nullptr);
  MSG m;
  while (PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&m);
}

void DialogTest::TearDown() {
  if (IsWindow(owner)) DestroyWindow(owner);
  MSG m;
  while (PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&m);
  headless::SetIdleAdvance(false);
}

void DialogTest::WhileOpen(std::function<void()> body) { testsupport::Later(std::move(body)); }

void DialogTest::Key(unsigned vk) {
  headless::PressKey(vk);
  headless::ReleaseKey(vk);
}

COLORREF DialogTest::Pixel(HWND h, int x, int y) {
  POINT p{x, y};
  ClientToScreen(h, &p);
  int w = 0, hh = 0;
  std::vector<std::uint32_t> px = headless::ScreenPixels(&w, &hh);
  if (p.x < 0 || p.y < 0 || p.x >= w || p.y >= hh) return CLR_INVALID;
  const std::uint32_t v = px[static_cast<size_t>(p.y) * w + p.x];
  return RGB((v >> 16) & 0xFF, (v >> 8) & 0xFF, v & 0xFF);
}

int DialogTest::Count(HWND h, RECT r, COLORREF c) {
  int w = 0, hh = 0;
  std::vector<std::uint32_t> px = headless::ScreenPixels(&w, &hh);
  int n = 0;
  for (int y = r.top; y < r.bottom; ++y)
    for (int x = r.left; x < r.right; ++x) {
      POINT p{x, y};
      ClientToScreen(h, &p);
      if (p.x < 0 || p.y < 0 || p.x >= w || p.y >= hh) continue;
      const std::uint32_t v = px[static_cast<size_t>(p.y) * w + p.x];
      if (RGB((v >> 16) & 0xFF, (v >> 8) & 0xFF, v & 0xFF) == c) ++n;
    }
  return n;
}

HWND FindShown(const char* cls) {
  HWND h = FindWindowA(cls, nullptr);
  return h && IsWindowVisible(h) ? h : nullptr;
}

}  // namespace dialogs_test
