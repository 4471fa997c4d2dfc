// Events and waits: reset kinds, waiting on several objects, timeouts on the
// virtual clock, and the polling interface of the window layer.
#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include <backend/headless.h>
#include <kernel/internal/kernel_internal.h>
#include <win32/kernel32.h>

namespace {

constexpr DWORD kObject0 = WAIT_OBJECT_0;
constexpr DWORD kTimeout = WAIT_TIMEOUT;

TEST(Events, AutoResetReleasesOneWaitManualResetStaysSet) {
  HANDLE autoEv = CreateEventA(nullptr, FALSE, TRUE, nullptr);
  HANDLE manual = CreateEventA(nullptr, TRUE, TRUE, nullptr);
  EXPECT_EQ(WaitForSingleObject(autoEv, 0), kObject0);
  EXPECT_EQ(WaitForSingleObject(autoEv, 0), kTimeout);
  EXPECT_EQ(WaitForSingleObject(manual, 0), kObject0);
  EXPECT_EQ(WaitForSingleObject(manual, 0), kObject0);
  EXPECT_TRUE(ResetEvent(manual));
  EXPECT_EQ(WaitForSingleObject(manual, 0), kTimeout);
  EXPECT_TRUE(SetEvent(autoEv));
  EXPECT_EQ(WaitForSingleObject(autoEv, 0), kObject0);
  CloseHandle(autoEv);
  CloseHandle(manual);
  EXPECT_FALSE(SetEvent(autoEv));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_HANDLE));
}

TEST(Events, NamedEventsAreShared) {
  HANDLE a = CreateEventA(nullptr, TRUE, FALSE, "xvt-test-event");
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(NO_ERROR));
  HANDLE b = CreateEventA(nullptr, TRUE, FALSE, "xvt-test-event");
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_ALREADY_EXISTS));
  EXPECT_NE(a, b);
  SetEvent(a);
  EXPECT_EQ(WaitForSingleObject(b, 0), kObject0);
  CloseHandle(a);
  CloseHandle(b);
}

TEST(Waits, AnyAnswersTheLowestSignalledIndexAllNeedsEveryObject) {
  HANDLE e[3];
  for (HANDLE& h : e) h = CreateEventA(nullptr, FALSE, FALSE, nullptr);
  EXPECT_EQ(WaitForMultipleObjects(3, e, FALSE, 0), kTimeout);
  SetEvent(e[2]);
  SetEvent(e[1]);
  EXPECT_EQ(WaitForMultipleObjects(3, e, FALSE, 0), kObject0 + 1);
  EXPECT_EQ(WaitForMultipleObjects(3, e, FALSE, 0), kObject0 + 2);
  SetEvent(e[0]);
  SetEvent(e[1]);
  // Not all set: nothing is consumed.
  EXPECT_EQ(WaitForMultipleObjects(3, e, TRUE, 0), kTimeout);
  SetEvent(e[2]);
  EXPECT_EQ(WaitForMultipleObjects(3, e, TRUE, 0), kObject0);
  EXPECT_EQ(WaitForMultipleObjects(3, e, FALSE, 0), kTimeout);
  for (HANDLE h : e) CloseHandle(h);
}

TEST(Waits, BadArgumentsFail) {
  HANDLE ev = CreateEventA(nullptr, TRUE, TRUE, nullptr);
  HANDLE mixed[] = {ev, reinterpret_cast<HANDLE>(0x777)};
  EXPECT_EQ(WaitForMultipleObjects(2, mixed, FALSE, 0), WAIT_FAILED);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_HANDLE));
  EXPECT_EQ(WaitForMultipleObjects(0, mixed, FALSE, 0), WAIT_FAILED);
  EXPECT_EQ(WaitForMultipleObjects(MAXIMUM_WAIT_OBJECTS + 1, mixed, FALSE, 0), WAIT_FAILED);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
  CloseHandle(ev);
  EXPECT_EQ(WaitForSingleObject(ev, 0), WAIT_FAILED);
}

// Waits with a timeout run on the backend clock: another thread moves the
// virtual clock while this one waits.
TEST(Waits, TimeoutsFollowTheVirtualClock) {
  headless::Start();
  HANDLE ev = CreateEventA(nullptr, FALSE, FALSE, nullptr);
  std::atomic<bool> done{false};

  // Set before the timeout: the wait succeeds.
  std::thread setter([&] {
    headless::AdvanceTime(400);
    SetEvent(ev);
  });
  EXPECT_EQ(WaitForSingleObject(ev, 500), kObject0);
  setter.join();

  // Never set: the wait ends once 500 ms of virtual time have passed.
  std::thread clock([&] {
    while (!done) {
      headless::AdvanceTime(50);
      std::this_thread::yield();
    }
  });
  DWORD start = GetTickCount();
  DWORD r = WaitForSingleObject(ev, 500);
  DWORD elapsed = GetTickCount() - start;
  done = true;
  clock.join();
  EXPECT_EQ(r, kTimeout);
  EXPECT_GE(elapsed, 500u);
  CloseHandle(ev);
}

TEST(Waits, ThreadsWakeAnInfiniteWait) {
  HANDLE ev = CreateEventA(nullptr, TRUE, FALSE, nullptr);
  std::thread t([&] { SetEvent(ev); });
  EXPECT_EQ(WaitForSingleObject(ev, INFINITE), kObject0);
  t.join();
  CloseHandle(ev);
}

TEST(KernelInternal, PollConsumesLikeAWaitAndListenersHearSignals) {
  HANDLE e[2] = {CreateEventA(nullptr, FALSE, FALSE, nullptr), CreateEventA(nullptr, TRUE, FALSE, nullptr)};
  std::atomic<int> heard{0};
  int id = kernel::AddSignalListener([&] { ++heard; });
  EXPECT_EQ(kernel::PollHandles(2, e, FALSE), kTimeout);
  SetEvent(e[0]);
  EXPECT_EQ(heard, 1);
  EXPECT_EQ(kernel::PollHandles(2, e, FALSE), kObject0);
  EXPECT_EQ(kernel::PollHandles(2, e, FALSE), kTimeout);  // auto-reset consumed
  kernel::RemoveSignalListener(id);
  SetEvent(e[1]);
  EXPECT_EQ(heard, 1);
  EXPECT_EQ(kernel::PollHandles(2, e, FALSE), kObject0 + 1);
  HANDLE bad = reinterpret_cast<HANDLE>(0x999);
  EXPECT_EQ(kernel::PollHandles(1, &bad, FALSE), WAIT_FAILED);
  for (HANDLE h : e) CloseHandle(h);
}

}  // namespace
