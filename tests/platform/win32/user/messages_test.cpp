// Send, post and retrieval order, filters, re-entrancy and other threads.
#include <atomic>
#include <thread>

#include <win32/kernel32.h>

#include "user_test_support.h"

namespace user_test {
namespace {

using ::testing::ElementsAre;
using namespace testsupport;  // the flags: sent, posted, wparam, ...

class Messages : public UserTest {};

TEST_F(Messages, SentMessagesRunAtOncePostedOnesWaitForThePump) {
  HWND a = Top("a");
  log().Watch({WM_USER, WM_USER + 1});
  PostMessageA(a, WM_USER, 5, 6);
  SendMessageA(a, WM_USER + 1, 7, 0);
  const ExpectedMessage kSent[] = {{WM_USER + 1, sent | wparam, 7}};
  EXPECT_TRUE(OkSequence(log().TakeMessages(), kSent));
  Pump();
  const ExpectedMessage kPosted[] = {{WM_USER, posted | wparam | lparam, 5, 6}};
  EXPECT_TRUE(OkSequence(log().TakeMessages(), kPosted));
}

TEST_F(Messages, SequenceCheckNamesTheFirstDifference) {
  HWND a = Top("a");
  log().Watch({WM_USER, WM_USER + 1, WM_USER + 2});
  SendMessageA(a, WM_USER, 1, 0);
  log().Note("between");
  PostMessageA(a, WM_USER + 2, 0, 3);
  Pump();
  const auto got = log().TakeMessages();
  const ExpectedMessage kRight[] = {{WM_USER, sent | wparam, 1}, {WM_USER + 1, sent | optional}, {WM_USER + 2, posted}};
  EXPECT_TRUE(OkSequence(got, kRight));
  const ExpectedMessage kPostedFirst[] = {{WM_USER, posted}, {WM_USER + 2, posted}};
  const auto notPosted = OkSequence(got, kPostedFirst);
  EXPECT_FALSE(notPosted);
  EXPECT_NE(std::string(notPosted.message()).find("sent, not posted"), std::string::npos) << notPosted.message();
  const ExpectedMessage kOtherW[] = {{WM_USER, sent | wparam, 2}, {WM_USER + 2, posted}};
  EXPECT_FALSE(OkSequence(got, kOtherW));
  const ExpectedMessage kOtherL[] = {{WM_USER, sent}, {WM_USER + 2, posted | lparam, 0, 4}};
  EXPECT_FALSE(OkSequence(got, kOtherL));
  const ExpectedMessage kShort[] = {{WM_USER, sent}};
  const auto leftOver = OkSequence(got, kShort);
  EXPECT_FALSE(leftOver);
  EXPECT_NE(std::string(leftOver.message()).find("unexpected WM_USER+2"), std::string::npos) << leftOver.message();
  const ExpectedMessage kLong[] = {{WM_USER, sent}, {WM_USER + 2, posted}, {WM_USER + 1, sent}};
  EXPECT_FALSE(OkSequence(got, kLong));
}

TEST_F(Messages, PeekHonoursRangeWindowAndRemoveFlags) {
  HWND a = Top("a");
  HWND c = Child("c", a, {0, 0, 10, 10});
  HWND b = Top("b");
  PostMessageA(b, WM_USER, 1, 0);
  PostMessageA(c, WM_USER + 1, 2, 0);
  PostThreadMessageA(GetWindowThreadProcessId(a, nullptr), WM_USER + 2, 3, 0);
  MSG m;
  // A window filter includes the window's children.
  ASSERT_TRUE(PeekMessageA(&m, a, 0, 0, PM_NOREMOVE));
  EXPECT_EQ(m.hwnd, c);
  ASSERT_TRUE(PeekMessageA(&m, a, 0, 0, PM_REMOVE));
  EXPECT_FALSE(PeekMessageA(&m, a, 0, 0, PM_REMOVE));
  // (HWND)-1 asks for thread messages only.
  ASSERT_TRUE(PeekMessageA(&m, reinterpret_cast<HWND>(-1), 0, 0, PM_REMOVE));
  EXPECT_EQ(m.message, static_cast<UINT>(WM_USER + 2));
  EXPECT_EQ(m.hwnd, nullptr);
  EXPECT_FALSE(PeekMessageA(&m, nullptr, WM_USER + 1, WM_USER + 5, PM_REMOVE));
  ASSERT_TRUE(PeekMessageA(&m, nullptr, WM_USER, WM_USER, PM_REMOVE));
  EXPECT_EQ(m.wParam, 1u);
}

TEST_F(Messages, PostedMessagesKeepTheirOrder) {
  HWND a = Top("a");
  for (int i = 0; i < 5; ++i) PostMessageA(a, WM_USER, static_cast<WPARAM>(i), 0);
  MSG m;
  for (WPARAM i = 0; i < 5; ++i) {
    ASSERT_TRUE(PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE));
    EXPECT_EQ(m.wParam, i);
  }
}

TEST_F(Messages, NestedSendsUnwindInOrder) {
  HWND a = Top("a");
  On(a, [&](HWND h, UINT msg, WPARAM, LPARAM) -> std::optional<LRESULT> {
    if (msg == WM_USER) {
      log().Note("enter");
      LRESULT r = SendMessageA(h, WM_USER + 1, 0, 0);
      log().Note("leave " + std::to_string(r));
      return 7;
    }
    if (msg == WM_USER + 1) return 42;
    return std::nullopt;
  });
  log().Watch({WM_USER, WM_USER + 1});
  EXPECT_EQ(SendMessageA(a, WM_USER, 0, 0), 7);
  EXPECT_THAT(Take(), ElementsAre("a:WM_USER", "enter", "a:WM_USER+1", "leave 42"));
}

TEST_F(Messages, QuitComesAfterPostedMessagesAndCarriesTheCode) {
  HWND a = Top("a");
  PostQuitMessage(3);
  PostMessageA(a, WM_USER, 0, 0);
  MSG m;
  ASSERT_TRUE(GetMessageA(&m, nullptr, 0, 0));
  EXPECT_EQ(m.message, static_cast<UINT>(WM_USER));
  EXPECT_FALSE(GetMessageA(&m, nullptr, 0, 0));
  EXPECT_EQ(m.message, static_cast<UINT>(WM_QUIT));
  EXPECT_EQ(m.wParam, 3u);
  EXPECT_FALSE(PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE));
}

TEST_F(Messages, MessagesToDestroyedWindowsFail) {
  HWND a = Top("a");
  DestroyWindow(a);
  EXPECT_FALSE(PostMessageA(a, WM_USER, 0, 0));
  EXPECT_EQ(SendMessageA(a, WM_USER, 0, 0), 0);
  EXPECT_FALSE(IsWindow(a));
}

TEST_F(Messages, ForgedTimerMessageDoesNotCallArbitraryCode) {
  HWND a = Top("a");
  // A WM_TIMER whose lParam is not a registered timer procedure must not be called.
  MSG m{a, WM_TIMER, 1, 0x1234, 0, {0, 0}};
  EXPECT_EQ(DispatchMessageA(&m), 0);
}

TEST_F(Messages, AnotherThreadsPostWakesGetMessage) {
  HWND a = Top("a");
  std::thread t([a] { PostMessageA(a, WM_USER, 9, 0); });
  MSG m;
  ASSERT_TRUE(GetMessageA(&m, nullptr, WM_USER, WM_USER));
  EXPECT_EQ(m.wParam, 9u);
  t.join();
}

TEST_F(Messages, PostThreadMessageReachesAThreadsOwnLoop) {
  std::atomic<DWORD> tid{0};
  std::atomic<int> got{0};
  std::thread t([&] {
    // A message-only window gives the worker a queue and tells its thread id.
    HWND helper = CreateWindowExA(0, kClass, "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
    tid = GetWindowThreadProcessId(helper, nullptr);
    MSG m;
    while (GetMessageA(&m, nullptr, 0, 0)) got += static_cast<int>(m.wParam);
    DestroyWindow(helper);
  });
  while (!tid) std::this_thread::yield();
  EXPECT_TRUE(PostThreadMessageA(tid, WM_USER, 5, 0));
  EXPECT_TRUE(PostThreadMessageA(tid, WM_USER, 6, 0));
  EXPECT_TRUE(PostThreadMessageA(tid, WM_QUIT, 0, 0));
  t.join();
  EXPECT_EQ(got.load(), 11);
  EXPECT_FALSE(PostThreadMessageA(0x7FFFFFF0, WM_USER, 0, 0));
}

TEST_F(Messages, SendToAnotherThreadWaitsForItsReply) {
  HWND a = Top("a");
  On(a, [](HWND, UINT msg, WPARAM wp, LPARAM) -> std::optional<LRESULT> {
    if (msg == WM_USER) return static_cast<LRESULT>(wp * 2);
    return std::nullopt;
  });
  std::atomic<LRESULT> result{0};
  std::thread t([&] {
    result = SendMessageA(a, WM_USER, 21, 0);
    PostMessageA(a, WM_USER + 1, 0, 0);
  });
  MSG m;
  // The sent message is served inside GetMessage; the post follows it.
  ASSERT_TRUE(GetMessageA(&m, nullptr, WM_USER + 1, WM_USER + 1));
  t.join();
  EXPECT_EQ(result.load(), 42);
}

}  // namespace
}  // namespace user_test

namespace user_test {
namespace {

class MessageWait : public UserTest {};

TEST_F(MessageWait, WakesForAnEventOrForQueuedInput) {
  HWND a = Top("a");
  HANDLE ev = CreateEventA(nullptr, FALSE, FALSE, nullptr);
  std::thread t([ev] { SetEvent(ev); });
  EXPECT_EQ(MsgWaitForMultipleObjects(1, &ev, FALSE, INFINITE, QS_ALLINPUT), WAIT_OBJECT_0);
  t.join();
  PostMessageA(a, WM_USER, 0, 0);
  EXPECT_EQ(MsgWaitForMultipleObjects(1, &ev, FALSE, INFINITE, QS_ALLINPUT), WAIT_OBJECT_0 + 1);
  MSG m;
  EXPECT_TRUE(PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE));
  EXPECT_EQ(MsgWaitForMultipleObjects(0, nullptr, FALSE, 0, QS_ALLINPUT), static_cast<DWORD>(WAIT_TIMEOUT));
  CloseHandle(ev);
}

}  // namespace
}  // namespace user_test
