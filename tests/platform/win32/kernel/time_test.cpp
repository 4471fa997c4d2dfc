// The tick count, sleeps and calendar time on the backend clock.
#include <gtest/gtest.h>

#include <cstdlib>
#include <ctime>
#include <thread>

#include <backend/headless.h>
#include <win32/kernel32.h>

namespace {

TEST(Time, TickCountAndCalendarFollowTheVirtualClock) {
  headless::Start();
  EXPECT_EQ(GetTickCount(), 0u);
  SYSTEMTIME st{};
  GetSystemTime(&st);
  // The headless clock starts at 2000-01-01 00:00:00 UTC, a Saturday.
  EXPECT_EQ(st.wYear, 2000);
  EXPECT_EQ(st.wMonth, 1);
  EXPECT_EQ(st.wDay, 1);
  EXPECT_EQ(st.wDayOfWeek, 6);
  EXPECT_EQ(st.wHour, 0);
  headless::AdvanceTime(61250);
  EXPECT_EQ(GetTickCount(), 61250u);
  GetSystemTime(&st);
  EXPECT_EQ(st.wMinute, 1);
  EXPECT_EQ(st.wSecond, 1);
  EXPECT_EQ(st.wMilliseconds, 250);
}

TEST(Time, LocalTimeAppliesTheHostTimeZone) {
  headless::Start();
  const char* old = std::getenv("TZ");
  std::string saved = old ? old : "";
  setenv("TZ", "XVT-2", 1);  // two hours east of UTC
  tzset();
  SYSTEMTIME local{}, utc{};
  GetLocalTime(&local);
  GetSystemTime(&utc);
  EXPECT_EQ(local.wHour, 2);
  EXPECT_EQ(utc.wHour, 0);
  EXPECT_EQ(local.wDay, utc.wDay);
  if (old)
    setenv("TZ", saved.c_str(), 1);
  else
    unsetenv("TZ");
  tzset();
}

TEST(Time, SleepReturnsOnceTheClockHasMovedFarEnough) {
  headless::Start();
  std::atomic<bool> woke{false};
  std::thread sleeper([&] {
    EXPECT_EQ(SleepEx(300, TRUE), 0u);
    woke = true;
  });
  while (!woke) {
    headless::AdvanceTime(20);
    std::this_thread::yield();
  }
  sleeper.join();
  EXPECT_GE(GetTickCount(), 300u);
}

}  // namespace
