// The timer component on the headless backend's virtual clock.
#include <gtest/gtest.h>

#include <backend/headless.h>
#include <win32/user32.h>

#include "framework/timer.h"

namespace {

void Pump() {
  MSG msg;
  while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
}

// Advances the clock in steps of 10 ms, pumping after each.
void RunFor(int ms) {
  for (int t = 0; t < ms; t += 10) {
    headless::AdvanceTime(10);
    Pump();
  }
}

class Timer : public ::testing::Test {
 protected:
  void SetUp() override { headless::Start(); }
  int ticks = 0;
  TNotifyEvent count = [this](TObject*) { ++ticks; };
};

TEST_F(Timer, TicksEverySecondByDefaultOnceAHandlerIsSet) {
  TTimer timer(nullptr);
  RunFor(2000);
  EXPECT_EQ(ticks, 0);  // no handler, no ticks
  timer.SetOnTimer(count);
  RunFor(990);
  EXPECT_EQ(ticks, 0);
  RunFor(20);
  EXPECT_EQ(ticks, 1);
  RunFor(2000);
  EXPECT_EQ(ticks, 3);
}

TEST_F(Timer, IntervalZeroAndDisablingStopAndReplacingKeepsThePace) {
  TTimer timer(nullptr);
  timer.SetInterval(100);
  timer.SetOnTimer(count);
  RunFor(300);
  EXPECT_EQ(ticks, 3);
  timer.SetInterval(0);
  RunFor(500);
  EXPECT_EQ(ticks, 3);
  EXPECT_TRUE(timer.Enabled());
  timer.SetInterval(100);
  RunFor(50);
  int other = 0;
  timer.SetOnTimer([&](TObject* sender) {
    EXPECT_EQ(sender, &timer);
    ++other;
  });
  RunFor(60);  // the timer was not restarted by the new handler
  EXPECT_EQ(other, 1);
  timer.SetEnabled(false);
  RunFor(500);
  EXPECT_EQ(other, 1);
}

TEST_F(Timer, UtilityWindowHandsMessagesToItsHandler) {
  UINT seen = 0;
  HWND window = AllocateHWnd([&](HWND, UINT message, WPARAM, LPARAM) -> LRESULT {
    seen = message;
    return 7;
  });
  EXPECT_EQ(SendMessageA(window, WM_USER + 1, 0, 0), 7);
  EXPECT_EQ(seen, static_cast<UINT>(WM_USER + 1));
  DeallocateHWnd(window);
  EXPECT_FALSE(IsWindow(window));
}

}  // namespace
