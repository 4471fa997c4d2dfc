// Timers and WM_PAINT generation, virtual time and the caret.
#include <atomic>
#include <thread>

#include "user_test_support.h"

namespace user_test {
namespace {

using ::testing::ElementsAre;

class Timers : public UserTest {};

std::vector<UINT_PTR> g_ticks;
VOID CALLBACK TimerProc(HWND, UINT, UINT_PTR id, DWORD) { g_ticks.push_back(id); }

TEST_F(Timers, FireOnTheVirtualClockOnceWhenLate) {
  HWND a = Top("a");
  log().Watch({WM_TIMER});
  SetTimer(a, 5, 100, nullptr);
  headless::AdvanceTime(99);
  Pump();
  EXPECT_TRUE(Take().empty());
  headless::AdvanceTime(1);
  Pump();
  EXPECT_THAT(Take(), ElementsAre("a:WM_TIMER(5)"));
  headless::AdvanceTime(1000);  // ten intervals late: one message
  Pump();
  EXPECT_THAT(Take(), ElementsAre("a:WM_TIMER(5)"));
  SetTimer(a, 5, 300, nullptr);  // the same id is replaced, not doubled
  headless::AdvanceTime(100);
  Pump();
  EXPECT_TRUE(Take().empty());
  EXPECT_TRUE(KillTimer(a, 5));
  EXPECT_FALSE(KillTimer(a, 5));
  headless::AdvanceTime(1000);
  Pump();
  EXPECT_TRUE(Take().empty());
}

TEST_F(Timers, CallbackTimersRunThroughDispatch) {
  g_ticks.clear();
  UINT_PTR id = SetTimer(nullptr, 0, 50, TimerProc);
  ASSERT_NE(id, 0u);
  HWND a = Top("a");
  SetTimer(a, 9, 50, TimerProc);
  headless::AdvanceTime(50);
  Pump();
  EXPECT_EQ(g_ticks.size(), 2u);
  KillTimer(nullptr, id);
  KillTimer(a, 9);
}

TEST_F(Timers, PostedThenPaintThenTimer) {
  HWND a = Top("a", WS_POPUP | WS_VISIBLE);
  Pump();
  log().Watch({WM_TIMER, WM_PAINT, WM_USER});
  SetTimer(a, 1, 10, nullptr);
  headless::AdvanceTime(10);
  InvalidateRect(a, nullptr, FALSE);
  PostMessageA(a, WM_USER, 0, 0);
  Pump();
  EXPECT_THAT(Take(), ElementsAre("a:WM_USER", "a:WM_PAINT", "a:WM_TIMER(1)"));
  KillTimer(a, 1);
}

TEST_F(Timers, DestroyingAWindowKillsItsTimers) {
  HWND a = Top("a");
  SetTimer(a, 1, 10, nullptr);
  DestroyWindow(a);
  headless::AdvanceTime(20);
  MSG m;
  EXPECT_FALSE(PeekMessageA(&m, nullptr, WM_TIMER, WM_TIMER, PM_REMOVE));
}

TEST_F(Timers, SleepingThreadsWakeWhenTheClockPassesTheirTime) {
  std::atomic<bool> woke{false};
  backend::Backend* host = backend::Current();
  std::thread t([&] {
    host->SleepFor(450);
    woke = true;
  });
  ASSERT_TRUE(headless::WaitForSleepers(1));
  EXPECT_FALSE(woke);
  headless::AdvanceTime(449);
  EXPECT_FALSE(woke);
  headless::AdvanceTime(1);
  t.join();
  EXPECT_TRUE(woke);
  EXPECT_EQ(host->NowMs(), 450u);
  EXPECT_EQ(host->UnixTimeMs(), 946684800000 + 450);
}

TEST_F(Timers, IdleAdvanceLetsGetMessageReachTheNextTimer) {
  HWND a = Top("a");
  headless::SetIdleAdvance(true);
  SetTimer(a, 1, 2500, nullptr);
  MSG m;
  ASSERT_TRUE(GetMessageA(&m, nullptr, WM_TIMER, WM_TIMER));
  EXPECT_EQ(backend::Current()->NowMs(), 2500u);
  headless::SetIdleAdvance(false);
  KillTimer(a, 1);
}

class Caret : public UserTest {};

TEST_F(Caret, HideCountAndBlink) {
  HWND a = Top("a", WS_POPUP | WS_VISIBLE, {0, 0, 50, 50});
  Pump();
  ASSERT_TRUE(CreateCaret(a, nullptr, 2, 10));
  POINT p;
  EXPECT_TRUE(SetCaretPos(5, 6));
  GetCaretPos(&p);
  EXPECT_EQ(p.x, 5);
  EXPECT_TRUE(HideCaret(a));  // hidden twice now: created hidden, plus one
  EXPECT_TRUE(ShowCaret(a));
  EXPECT_TRUE(ShowCaret(a));
  EXPECT_FALSE(ShowCaret(a));  // already shown
  EXPECT_FALSE(ShowCaret(Top("b")));  // not the caret's window
  EXPECT_EQ(GetCaretBlinkTime(), 530u);
  // Shown, the caret inverts the button face; it blinks on the host clock.
  EXPECT_EQ(ScreenPixel(5, 6), 0x3F3F3Fu);
  EXPECT_EQ(ScreenPixel(7, 6), 0xC0C0C0u);  // two pixels wide
  headless::AdvanceTime(530);
  Pump();
  EXPECT_EQ(ScreenPixel(5, 6), 0xC0C0C0u);
  headless::AdvanceTime(530);
  Pump();
  EXPECT_EQ(ScreenPixel(6, 15), 0x3F3F3Fu);
  // Repainting under the caret keeps it drawn once, not twice inverted.
  InvalidateRect(a, nullptr, TRUE);
  Pump();
  EXPECT_EQ(ScreenPixel(5, 6), 0x3F3F3Fu);
  EXPECT_TRUE(DestroyCaret());
  EXPECT_EQ(ScreenPixel(5, 6), 0xC0C0C0u);
  EXPECT_FALSE(DestroyCaret());
}

TEST_F(Timers, AWaitForKeysLetsItsTimePassOverADueTimerAndAPostedMessage) {
  HWND a = Top("a", WS_POPUP | WS_VISIBLE, {0, 0, 50, 50});
  SetTimer(a, 1, 10, nullptr);
  headless::AdvanceTime(20);  // the timer is due, and nothing serves it
  PostMessageA(a, WM_USER, 0, 0);
  headless::SetIdleAdvance(true);
  // Should the wait spin on what its mask leaves out, the watchdog's key ends it.
  std::atomic<bool> done{false};
  std::thread watchdog([&] {
    for (int i = 0; i < 500 && !done; ++i) std::this_thread::sleep_for(std::chrono::milliseconds(10));
    if (!done) headless::PressKey('A');
  });
  std::uint64_t start = backend::Current()->NowMs();
  DWORD r = MsgWaitForMultipleObjects(0, nullptr, FALSE, 50, QS_KEY | QS_MOUSEBUTTON);
  done = true;
  watchdog.join();
  headless::SetIdleAdvance(false);
  EXPECT_EQ(r, static_cast<DWORD>(WAIT_TIMEOUT)) << "the wait spun on the due timer or the posted message";
  EXPECT_GE(backend::Current()->NowMs() - start, 50u);
  KillTimer(a, 1);
}

TEST_F(Caret, ABlinkDueDuringAWaitIsServedAndTheWaitSleeps) {
  HWND a = Top("a", WS_POPUP | WS_VISIBLE, {0, 0, 50, 50});
  Pump();
  ASSERT_TRUE(CreateCaret(a, nullptr, 2, 10));
  ASSERT_TRUE(ShowCaret(a));
  headless::AdvanceTime(530);  // a blink is due, and nothing has served it
  headless::SetIdleAdvance(true);
  // Should the wait spin on the due blink, the watchdog's post ends it.
  std::atomic<bool> done{false};
  std::thread watchdog([&] {
    for (int i = 0; i < 500 && !done; ++i) std::this_thread::sleep_for(std::chrono::milliseconds(10));
    if (!done) PostMessageA(a, WM_USER, 0, 0);
  });
  std::uint64_t start = backend::Current()->NowMs();
  DWORD r = MsgWaitForMultipleObjects(0, nullptr, FALSE, 2000, QS_ALLINPUT);
  done = true;
  watchdog.join();
  headless::SetIdleAdvance(false);
  EXPECT_EQ(r, static_cast<DWORD>(WAIT_TIMEOUT)) << "the wait spun on the due blink";
  EXPECT_GE(backend::Current()->NowMs() - start, 2000u);
  // Blinks at 530, 1060, 1590 and 2120 ms, each served: hidden, shown,
  // hidden, shown again.
  EXPECT_EQ(ScreenPixel(0, 0), 0x3F3F3Fu);
  DestroyCaret();
}

}  // namespace
}  // namespace user_test
