// Threads and synchronised calls on the headless backend: the test thread
// is the main thread and pumps CheckSynchronize as the application loop does.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <stdexcept>
#include <thread>

#include <backend/headless.h>
#include <win32/kernel32.h>
#include <win32/user32.h>

#include "framework/exceptions.h"
#include "framework/thread.h"

namespace {

class Worker : public TThread {
 public:
  explicit Worker(std::function<void(Worker&)> body) : TThread(true), body_(std::move(body)) {}
  using TThread::SetReturnValue;
  using TThread::Synchronize;
  std::atomic<int> runs{0};

 protected:
  void Execute() override {
    ++runs;
    body_(*this);
  }

 private:
  std::function<void(Worker&)> body_;
};

// Pumps synchronised calls until `done` holds. No timed wait: once the
// headless backend runs, those wait on its virtual clock.
template <class F>
bool PumpUntil(F done) {
  for (int i = 0; i < 2000000 && !done(); ++i) {
    CheckSynchronize();
    std::this_thread::yield();
  }
  return done();
}

TEST(Thread, SynchronizeRunsOnTheMainThreadWhileItPumps) {
  std::atomic<DWORD> ranOn{0};
  std::atomic<bool> back{false};
  Worker w([&](Worker& self) {
    self.Synchronize([&] { ranOn = GetCurrentThreadId(); });
    back = true;
    self.SetReturnValue(42);
  });
  EXPECT_TRUE(w.Suspended());
  w.Resume();
  EXPECT_FALSE(w.Suspended());
  ASSERT_TRUE(PumpUntil([&] { return back.load(); }));
  EXPECT_EQ(ranOn, GetCurrentThreadId());
  EXPECT_EQ(w.WaitFor(), 42u);
  EXPECT_TRUE(w.Finished());
  EXPECT_NE(w.ThreadID(), GetCurrentThreadId());
}

TEST(Thread, ExceptionInSynchronizedCallIsRaisedInTheWorker) {
  std::string caught;
  Worker w([&](Worker& self) {
    try {
      self.Synchronize([] { throw EInvalidOperation("bad call"); });
    } catch (const EInvalidOperation& e) {
      caught = e.Message();
    }
  });
  w.Resume();
  w.WaitFor();  // pumps the call itself
  EXPECT_EQ(caught, "bad call");
  EXPECT_FALSE(w.FatalException());
}

TEST(Thread, EscapedExceptionIsKeptAsFatal) {
  Worker w([](Worker&) { throw std::runtime_error("boom"); });
  w.Resume();
  w.WaitFor();
  ASSERT_TRUE(w.FatalException());
  EXPECT_THROW(std::rethrow_exception(w.FatalException()), std::runtime_error);
}

TEST(Thread, OnTerminateRunsOnTheMainThreadDuringWaitFor) {
  DWORD ranOn = 0;
  Worker w([](Worker&) {});
  w.OnTerminate = [&](TObject* sender) {
    EXPECT_EQ(sender, &w);
    ranOn = GetCurrentThreadId();
  };
  w.Resume();
  w.WaitFor();
  EXPECT_EQ(ranOn, GetCurrentThreadId());
}

TEST(Thread, TerminateEndsALoopAndANeverStartedThreadSkipsExecute) {
  headless::Start();
  auto* looping = new Worker([](Worker& self) {
    while (!self.Terminated()) SleepEx(50, FALSE);
  });
  looping->SetPriority(tpLower);
  EXPECT_EQ(looping->Priority(), tpLower);
  looping->Resume();
  ASSERT_TRUE(headless::WaitForSleepers(1));
  looping->Suspend();
  EXPECT_TRUE(looping->Suspended());
  looping->Terminate();
  EXPECT_TRUE(looping->Terminated());
  looping->Resume();
  std::atomic<bool> ended{false};
  std::thread clock([&] {
    while (!ended) {
      headless::AdvanceTime(50);
      std::this_thread::yield();
    }
  });
  looping->WaitFor();
  ended = true;
  clock.join();
  EXPECT_EQ(looping->runs, 1);
  Free(looping);

  auto* idle = new Worker([](Worker&) {});
  Free(idle);  // ends without hanging; Execute never ran (it would count)
}

TEST(Thread, FreeOnTerminateFreesItselfAndRefusesWaitFor) {
  static std::atomic<int> destroyed{0};
  struct Counted : Worker {
    using Worker::Worker;
    ~Counted() override { ++destroyed; }
  };
  auto* t = new Counted([](Worker&) {});
  t->SetFreeOnTerminate(true);
  EXPECT_THROW(t->WaitFor(), EThread);
  t->Resume();
  auto giveUp = std::chrono::steady_clock::now() + std::chrono::seconds(20);
  while (destroyed == 0 && std::chrono::steady_clock::now() < giveUp) std::this_thread::yield();
  EXPECT_EQ(destroyed, 1);
}

TEST(Synchronize, CheckSynchronizeOnlyOnTheMainThreadAndFalseWhenIdle) {
  EXPECT_FALSE(CheckSynchronize());
  std::atomic<bool> threw{false};
  std::thread other([&] {
    try {
      CheckSynchronize();
    } catch (const EThread&) {
      threw = true;
    }
  });
  other.join();
  EXPECT_TRUE(threw);
}

TEST(Synchronize, WakeHookIsCalledWhenACallIsQueued) {
  static std::atomic<int> wakes{0};
  auto old = WakeMainThread;
  WakeMainThread = [] { ++wakes; };
  std::atomic<bool> ran{false};
  std::thread other([&] { SynchronizeCall([&] { ran = true; }); });
  ASSERT_TRUE(PumpUntil([&] { return ran.load(); }));
  other.join();
  WakeMainThread = old;
  EXPECT_EQ(wakes, 1);
}

// The default wake-up posts WM_NULL, so a loop blocked in GetMessage comes
// round to CheckSynchronize.
TEST(Synchronize, DefaultWakeReturnsABlockedGetMessage) {
  headless::Start();
  MSG drain;
  while (PeekMessageA(&drain, nullptr, 0, 0, PM_REMOVE)) {
  }
  std::atomic<bool> ran{false};
  Worker w([&](Worker& self) { self.Synchronize([&] { ran = true; }); });
  w.Resume();
  MSG msg{};
  ASSERT_GT(GetMessageA(&msg, nullptr, 0, 0), 0);
  EXPECT_EQ(msg.message, static_cast<UINT>(WM_NULL));
  EXPECT_TRUE(CheckSynchronize());
  EXPECT_TRUE(ran);
  w.WaitFor();
}

}  // namespace
