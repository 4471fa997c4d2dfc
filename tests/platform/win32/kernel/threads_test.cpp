// Threads: created suspended, resumed, suspended again, priorities, exit codes.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <fstream>
#include <string>
#include <thread>

#include <backend/headless.h>
#include <win32/kernel32.h>

namespace {

struct Ticker {
  std::atomic<int> ticks{0};
  std::atomic<bool> stop{false};
  HANDLE tick = CreateEventA(nullptr, FALSE, FALSE, nullptr);
  ~Ticker() { CloseHandle(tick); }
};

// The loop of a timer thread: sleep, then tick.
DWORD WINAPI TickLoop(LPVOID p) {
  auto* t = static_cast<Ticker*>(p);
  while (!t->stop) {
    SleepEx(100, FALSE);
    if (t->stop) break;
    ++t->ticks;
    SetEvent(t->tick);
  }
  return 5;
}

// Advances the virtual clock in small steps until the ticker ticks again.
void AdvanceUntilTick(Ticker& t) {
  // Bounded by host time only so that a loaded machine cannot hang the test.
  auto giveUp = std::chrono::steady_clock::now() + std::chrono::seconds(20);
  while (std::chrono::steady_clock::now() < giveUp) {
    headless::AdvanceTime(10);
    if (WaitForSingleObject(t.tick, 0) == WAIT_OBJECT_0) return;
    std::this_thread::yield();
  }
  FAIL() << "no tick";
}

DWORD WINAPI ReturnSeven(LPVOID p) {
  static_cast<std::atomic<bool>*>(p)->store(true);
  return 7;
}

TEST(Threads, CreatedSuspendedRunsOnlyAfterResume) {
  std::atomic<bool> ran{false};
  DWORD tid = 0;
  HANDLE h = CreateThread(nullptr, 0, ReturnSeven, &ran, CREATE_SUSPENDED, &tid);
  ASSERT_NE(h, nullptr);
  EXPECT_NE(tid, 0u);
  EXPECT_NE(tid, GetCurrentThreadId());
  EXPECT_EQ(GetThreadId(h), tid);
  DWORD code = 0;
  ASSERT_TRUE(GetExitCodeThread(h, &code));
  EXPECT_EQ(code, static_cast<DWORD>(STILL_ACTIVE));
  EXPECT_EQ(WaitForSingleObject(h, 0), static_cast<DWORD>(WAIT_TIMEOUT));
  EXPECT_FALSE(ran);
  EXPECT_EQ(ResumeThread(h), 1u);
  EXPECT_EQ(WaitForSingleObject(h, INFINITE), static_cast<DWORD>(WAIT_OBJECT_0));
  EXPECT_TRUE(ran);
  ASSERT_TRUE(GetExitCodeThread(h, &code));
  EXPECT_EQ(code, 7u);
  // An ended thread stays signalled and cannot be suspended.
  EXPECT_EQ(WaitForSingleObject(h, 0), static_cast<DWORD>(WAIT_OBJECT_0));
  EXPECT_EQ(SuspendThread(h), static_cast<DWORD>(-1));
  EXPECT_TRUE(CloseHandle(h));
  EXPECT_FALSE(CloseHandle(h));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_HANDLE));
}

TEST(Threads, SuspendCountsNestAndOnlyTheLastResumeRuns) {
  std::atomic<bool> ran{false};
  HANDLE h = CreateThread(nullptr, 0, ReturnSeven, &ran, CREATE_SUSPENDED, nullptr);
  EXPECT_EQ(SuspendThread(h), 1u);
  EXPECT_EQ(SuspendThread(h), 2u);
  EXPECT_EQ(ResumeThread(h), 3u);
  EXPECT_EQ(ResumeThread(h), 2u);
  EXPECT_EQ(WaitForSingleObject(h, 0), static_cast<DWORD>(WAIT_TIMEOUT));
  EXPECT_EQ(ResumeThread(h), 1u);
  EXPECT_EQ(WaitForSingleObject(h, INFINITE), static_cast<DWORD>(WAIT_OBJECT_0));
  EXPECT_EQ(ResumeThread(h), 0u);  // not suspended: nothing to undo
  CloseHandle(h);
}

TEST(Threads, BadHandlesFail) {
  HANDLE bogus = reinterpret_cast<HANDLE>(0x12345);
  EXPECT_EQ(ResumeThread(bogus), static_cast<DWORD>(-1));
  EXPECT_EQ(SuspendThread(bogus), static_cast<DWORD>(-1));
  EXPECT_EQ(GetThreadPriority(bogus), THREAD_PRIORITY_ERROR_RETURN);
  EXPECT_EQ(CreateThread(nullptr, 0, nullptr, nullptr, 0, nullptr), nullptr);
  HANDLE ev = CreateEventA(nullptr, TRUE, FALSE, nullptr);
  EXPECT_EQ(ResumeThread(ev), static_cast<DWORD>(-1));  // an event is not a thread
  CloseHandle(ev);
}

TEST(Threads, PrioritiesAreKeptAndChecked) {
  std::atomic<bool> ran{false};
  HANDLE h = CreateThread(nullptr, 0, ReturnSeven, &ran, CREATE_SUSPENDED, nullptr);
  EXPECT_EQ(GetThreadPriority(h), THREAD_PRIORITY_NORMAL);
  EXPECT_TRUE(SetThreadPriority(h, THREAD_PRIORITY_TIME_CRITICAL));
  EXPECT_EQ(GetThreadPriority(h), THREAD_PRIORITY_TIME_CRITICAL);
  EXPECT_TRUE(SetThreadPriority(h, THREAD_PRIORITY_IDLE));
  EXPECT_FALSE(SetThreadPriority(h, 7));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
  EXPECT_EQ(GetThreadPriority(h), THREAD_PRIORITY_IDLE);
  EXPECT_TRUE(SetThreadPriority(GetCurrentThread(), THREAD_PRIORITY_NORMAL));
  ResumeThread(h);
  WaitForSingleObject(h, INFINITE);
  CloseHandle(h);
}

DWORD WINAPI SuspendSelf(LPVOID p) {
  SuspendThread(GetCurrentThread());
  static_cast<std::atomic<bool>*>(p)->store(true);
  return 0;
}

TEST(Threads, AThreadSuspendingItselfStopsAtOnce) {
  std::atomic<bool> after{false};
  HANDLE h = CreateThread(nullptr, 0, SuspendSelf, &after, 0, nullptr);
  for (;;) {
    ASSERT_FALSE(after) << "ran on past its own suspension";
    if (ResumeThread(h) == 1) break;
    std::this_thread::yield();
  }
  EXPECT_EQ(WaitForSingleObject(h, INFINITE), static_cast<DWORD>(WAIT_OBJECT_0));
  EXPECT_TRUE(after);
  CloseHandle(h);
}

// How often the host has woken a thread of this process so far.
long HostWakeUps(DWORD tid) {
  std::ifstream status("/proc/self/task/" + std::to_string(tid) + "/status");
  for (std::string key; status >> key;) {
    if (key == "voluntary_ctxt_switches:") {
      long n = 0;
      status >> n;
      return n;
    }
  }
  return -1;
}

// A resting timer thread must cost nothing: neither events being set nor
// another thread's resume may wake a thread that is suspended.
TEST(Threads, ASuspendedThreadSleepsThroughOtherThreadsEvents) {
  std::atomic<bool> ran{false}, other{false};
  DWORD tid = 0;
  HANDLE h = CreateThread(nullptr, 0, ReturnSeven, &ran, CREATE_SUSPENDED, &tid);
  HANDLE e = CreateEventA(nullptr, FALSE, FALSE, nullptr);
  std::this_thread::sleep_for(std::chrono::milliseconds(20));  // settled in its wait
  const long before = HostWakeUps(tid);
  ASSERT_GE(before, 0);
  for (int i = 0; i < 40; ++i) {
    SetEvent(e);
    HANDLE o = CreateThread(nullptr, 0, ReturnSeven, &other, CREATE_SUSPENDED, nullptr);
    ResumeThread(o);
    WaitForSingleObject(o, INFINITE);
    CloseHandle(o);
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }
  EXPECT_LE(HostWakeUps(tid) - before, 3) << "woken by events meant for others";
  EXPECT_FALSE(ran);
  ResumeThread(h);
  EXPECT_EQ(WaitForSingleObject(h, INFINITE), static_cast<DWORD>(WAIT_OBJECT_0));
  EXPECT_TRUE(ran);
  CloseHandle(e);
  CloseHandle(h);
}

// The life of a timer thread on virtual time: it ticks after each interval,
// stops ticking while suspended and picks up again when resumed.
TEST(Threads, TimerThreadTicksOnVirtualTimeAndPausesWhileSuspended) {
  headless::Start();
  Ticker t;
  HANDLE h = CreateThread(nullptr, 0, TickLoop, &t, CREATE_SUSPENDED, nullptr);
  headless::AdvanceTime(1000);
  EXPECT_EQ(t.ticks, 0);
  ResumeThread(h);
  AdvanceUntilTick(t);
  EXPECT_EQ(t.ticks, 1);
  EXPECT_GE(GetTickCount(), 1100u);

  EXPECT_EQ(SuspendThread(h), 0u);
  for (int i = 0; i < 20; ++i) {
    headless::AdvanceTime(100);
    std::this_thread::yield();
  }
  EXPECT_EQ(t.ticks, 1);
  EXPECT_EQ(ResumeThread(h), 1u);
  AdvanceUntilTick(t);
  EXPECT_EQ(t.ticks, 2);

  t.stop = true;
  while (WaitForSingleObject(h, 0) != WAIT_OBJECT_0) headless::AdvanceTime(100);
  DWORD code = 0;
  GetExitCodeThread(h, &code);
  EXPECT_EQ(code, 5u);
  CloseHandle(h);
}

struct Shared {
  CRITICAL_SECTION cs;
  long counter = 0;
};

DWORD WINAPI CountUnderLock(LPVOID p) {
  auto* s = static_cast<Shared*>(p);
  for (int i = 0; i < 20000; ++i) {
    EnterCriticalSection(&s->cs);
    EnterCriticalSection(&s->cs);  // re-entered by its owner
    ++s->counter;
    LeaveCriticalSection(&s->cs);
    LeaveCriticalSection(&s->cs);
  }
  return 0;
}

TEST(CriticalSections, ExcludeOtherThreadsAndNest) {
  Shared s;
  InitializeCriticalSection(&s.cs);
  HANDLE a = CreateThread(nullptr, 0, CountUnderLock, &s, 0, nullptr);
  HANDLE b = CreateThread(nullptr, 0, CountUnderLock, &s, 0, nullptr);
  HANDLE both[] = {a, b};
  EXPECT_EQ(WaitForMultipleObjects(2, both, TRUE, INFINITE), static_cast<DWORD>(WAIT_OBJECT_0));
  EXPECT_EQ(s.counter, 40000);
  EXPECT_TRUE(TryEnterCriticalSection(&s.cs));
  EXPECT_EQ(s.cs.RecursionCount, 1);
  LeaveCriticalSection(&s.cs);
  DeleteCriticalSection(&s.cs);
  CloseHandle(a);
  CloseHandle(b);
}

}  // namespace
