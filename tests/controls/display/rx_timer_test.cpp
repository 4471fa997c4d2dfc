// The timer thread and its window-timer mode on the headless backend's
// virtual clock. The test thread is the user-interface thread: it pumps
// messages and synchronised calls, and waits for the timer thread to be
// asleep before it moves the clock.
#include <gtest/gtest.h>

#include <memory>
#include <thread>

#include <backend/headless.h>
#include <win32/kernel32.h>
#include <win32/user32.h>

#include "display/RxTimer.h"
#include "framework/application.h"
#include "framework/exceptions.h"
#include "framework/synchronize.h"
#include "pump.h"

namespace {

template <class F>
bool PumpUntil(F done) {
  for (int i = 0; i < 1000000 && !done(); ++i) {
    Pump();
    std::this_thread::yield();
  }
  return done();
}

class RxTimerTest : public ::testing::Test {
 protected:
  void SetUp() override { headless::Start(); }
  void TearDown() override {
    timer.reset();
    // A freed timer's thread ends when its sleep does; it must be gone
    // before the next test replaces the backend it sleeps on.
    ASSERT_TRUE(PumpUntil([] {
      headless::AdvanceTime(1000);
      return headless::Sleepers() == 0;
    }));
  }

  // Moves the clock on by `ms`, one wake-up of the timer thread at a
  // time, and lets each woken sleep end (with its tick) before going on.
  void RunThreaded(int ms) {
    const std::uint64_t end = GetTickCount64() + ms;
    for (;;) {
      Settle();
      const std::uint64_t now = GetTickCount64(), wake = headless::NextWake();
      if (wake > end) {
        headless::AdvanceTime(static_cast<int>(end - now));
        return;
      }
      headless::AdvanceTime(static_cast<int>(wake - now));
      ASSERT_TRUE(PumpUntil([&] { return headless::NextWake() > wake; }));
    }
  }
  // A running thread is asleep, or handing over a tick that pumping serves.
  void Settle() {
    if (!timer || timer->TimerThread()->Suspended()) return;
    ASSERT_TRUE(PumpUntil([] { return headless::Sleepers() > 0; }));
  }
  void RunWindowed(int ms) {
    for (int t = 0; t < ms; t += 10) {
      headless::AdvanceTime(10);
      Pump();
    }
  }

  std::unique_ptr<TRxTimer> timer = std::make_unique<TRxTimer>(nullptr);
  std::atomic<int> ticks{0};
  TNotifyEvent count = [this](TObject*) { ++ticks; };
};

TEST_F(RxTimerTest, NothingRunsUntilAHandlerThenTicksEverySecondOnThisThread) {
  EXPECT_TRUE(timer->Enabled());
  EXPECT_EQ(timer->Interval(), 1000u);
  EXPECT_TRUE(timer->Threaded());
  EXPECT_TRUE(timer->SyncEvent());
  EXPECT_EQ(timer->ThreadPriority(), tpNormal);
  EXPECT_TRUE(timer->TimerThread()->Suspended());
  DWORD ranOn = 0;
  timer->SetOnTimer([&](TObject* sender) {
    EXPECT_EQ(sender, timer.get());
    ranOn = GetCurrentThreadId();
    ++ticks;
  });
  EXPECT_FALSE(timer->TimerThread()->Suspended());
  RunThreaded(990);
  EXPECT_EQ(ticks, 0);
  RunThreaded(20);
  EXPECT_EQ(ticks, 1);
  EXPECT_EQ(ranOn, GetCurrentThreadId());
  RunThreaded(2000);
  EXPECT_EQ(ticks, 3);
}

TEST_F(RxTimerTest, IntervalZeroStopsAndAnotherHandlerKeepsThePace) {
  timer->SetInterval(100);
  timer->SetOnTimer(count);
  RunThreaded(300);
  EXPECT_EQ(ticks, 3);
  timer->SetInterval(0);
  RunThreaded(500);
  EXPECT_EQ(ticks, 3);
  EXPECT_TRUE(timer->Enabled());
  EXPECT_TRUE(timer->TimerThread()->Suspended());
  timer->SetInterval(100);
  RunThreaded(50);
  int other = 0;
  timer->SetOnTimer([&](TObject*) { ++other; });
  RunThreaded(60);
  EXPECT_EQ(other, 1);  // the sleep begun before the swap went on
  timer->SetEnabled(false);
  RunThreaded(300);
  EXPECT_EQ(other, 1);
}

TEST_F(RxTimerTest, SwitchingThreadedMovesTheTicksBetweenThreadAndWindow) {
  timer->SetInterval(100);
  timer->SetOnTimer(count);
  RunThreaded(200);
  EXPECT_EQ(ticks, 2);
  EXPECT_EQ(timer->WindowHandle(), nullptr);
  timer->SetThreaded(false);
  ASSERT_NE(timer->WindowHandle(), nullptr);
  // The thread's sleep in progress ends without a tick: it is suspended.
  RunWindowed(200);
  EXPECT_EQ(ticks, 4);
  timer->SetThreaded(true);
  EXPECT_EQ(timer->WindowHandle(), nullptr);
  RunThreaded(200);
  EXPECT_EQ(ticks, 6);
}

TEST_F(RxTimerTest, UnsynchronisedTicksRunOnTheTimerThread) {
  std::atomic<DWORD> ranOn{0};
  timer->SetSyncEvent(false);
  timer->SetInterval(50);
  timer->SetOnTimer([&](TObject*) {
    ranOn = GetCurrentThreadId();
    ++ticks;
  });
  RunThreaded(100);
  EXPECT_EQ(ticks, 2);
  EXPECT_EQ(ranOn, timer->TimerThread()->ThreadID());
}

TEST_F(RxTimerTest, DestroyedWhileAsleepNeverTicksAgain) {
  timer->SetInterval(100);
  timer->SetOnTimer(count);
  RunThreaded(50);
  timer.reset();
  headless::AdvanceTime(50);
  ASSERT_TRUE(PumpUntil([] { return headless::Sleepers() == 0; }));
  Pump();
  EXPECT_EQ(ticks, 0);
}

// Stands in for the program's application while it lives, recording the
// error boxes instead of showing them.
class RecordingApplication : public TApplication {
 public:
  RecordingApplication() : TApplication(nullptr), saved_(Application) { Application = this; }
  ~RecordingApplication() override { Application = saved_; }
  int MessageBox(const std::string& text, const std::string&, UINT) override {
    boxes.push_back(text);
    return IDOK;
  }
  std::vector<std::string> boxes;

 private:
  TApplication* saved_;
};

TEST_F(RxTimerTest, ErrorsInTheHandlerGoToTheApplicationAndTheTicksGoOn) {
  RecordingApplication app;
  timer->SetInterval(100);
  timer->SetOnTimer([&](TObject*) {
    ++ticks;
    throw EInvalidOperation("tick failed");
  });
  RunThreaded(200);
  EXPECT_EQ(ticks, 2);
  ASSERT_EQ(app.boxes.size(), 2u);
  EXPECT_EQ(app.boxes[0], "tick failed.");
  timer->SetThreaded(false);
  RunWindowed(100);
  EXPECT_EQ(ticks, 3);
  EXPECT_EQ(app.boxes.size(), 3u);
  timer->SetOnTimer(nullptr);
}

TEST_F(RxTimerTest, WhileTheApplicationTerminatesTheThreadSleepsWithoutTicking) {
  RecordingApplication app;
  timer->SetInterval(100);
  timer->SetOnTimer(count);
  RunThreaded(100);
  EXPECT_EQ(ticks, 1);
  app.Terminate();
  RunThreaded(500);
  EXPECT_EQ(ticks, 1);
  // Still asleep each time the clock stops: it waits, it does not spin.
  EXPECT_EQ(headless::Sleepers(), 1);
  timer.reset();
}

}  // namespace
