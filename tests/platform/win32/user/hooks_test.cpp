// Thread hooks: codes, chain order, removal during a call.
#include "user_test_support.h"

namespace user_test {
namespace {

using ::testing::ElementsAre;

std::vector<std::string> g_hookLog;
HHOOK g_first, g_second, g_cbt;
bool g_unhookSelf = false;
bool g_refuseCreate = false;

LRESULT CALLBACK FirstHook(int code, WPARAM w, LPARAM l) {
  g_hookLog.push_back("first");
  return CallNextHookEx(g_first, code, w, l);
}

LRESULT CALLBACK SecondHook(int code, WPARAM w, LPARAM l) {
  g_hookLog.push_back("second");
  if (g_unhookSelf) UnhookWindowsHookEx(g_second);
  return CallNextHookEx(g_second, code, w, l);
}

LRESULT CALLBACK CbtHook(int code, WPARAM w, LPARAM l) {
  const char* names[] = {"MOVESIZE", "MINMAX", "QS", "CREATEWND", "DESTROYWND", "ACTIVATE", "CLICKSKIPPED",
                         "KEYSKIPPED", "SYSCOMMAND", "SETFOCUS"};
  if (code >= 0 && code <= 9) g_hookLog.push_back(names[code]);
  if (code == HCBT_CREATEWND && g_refuseCreate) return 1;
  if (code == HCBT_MINMAX) g_hookLog.push_back("sw" + std::to_string(LOWORD(l)));
  return CallNextHookEx(g_cbt, code, w, l);
}

LRESULT CALLBACK GetMessageHook(int code, WPARAM w, LPARAM l) {
  auto* m = reinterpret_cast<MSG*>(l);
  g_hookLog.push_back(std::string(w == PM_REMOVE ? "remove " : "peek ") + MessageName(m->message));
  if (m->message == WM_USER) m->wParam = 77;  // hooks may change the message
  return CallNextHookEx(nullptr, code, w, l);
}

LRESULT CALLBACK CallWndHook(int code, WPARAM w, LPARAM l) {
  auto* c = reinterpret_cast<CWPSTRUCT*>(l);
  if (c->message >= WM_USER) g_hookLog.push_back("call " + MessageName(c->message));
  return CallNextHookEx(nullptr, code, w, l);
}

class Hooks : public UserTest {
 protected:
  void SetUp() override {
    UserTest::SetUp();
    g_hookLog.clear();
    g_unhookSelf = g_refuseCreate = false;
  }
  void TearDown() override {
    for (HHOOK h : hooks_) UnhookWindowsHookEx(h);
    UserTest::TearDown();
  }
  HHOOK Hook(int id, HOOKPROC p) {
    HHOOK h = SetWindowsHookExA(id, p, nullptr, GetWindowThreadProcessId(probe_, nullptr));
    hooks_.push_back(h);
    return h;
  }
  HWND probe_ = nullptr;
  std::vector<HHOOK> hooks_;
};

TEST_F(Hooks, ChainRunsNewestFirstAndSurvivesUnhookingInACall) {
  probe_ = Top("probe");
  g_first = Hook(WH_GETMESSAGE, FirstHook);
  g_second = Hook(WH_GETMESSAGE, SecondHook);
  ASSERT_NE(g_first, nullptr);
  PostMessageA(probe_, WM_USER, 0, 0);
  Pump();
  EXPECT_THAT(g_hookLog, ElementsAre("second", "first"));
  g_hookLog.clear();
  g_unhookSelf = true;
  PostMessageA(probe_, WM_USER, 0, 0);
  PostMessageA(probe_, WM_USER, 0, 0);
  Pump();
  EXPECT_THAT(g_hookLog, ElementsAre("second", "first", "first"));
  EXPECT_FALSE(UnhookWindowsHookEx(g_second));  // already gone
}

TEST_F(Hooks, GetMessageHookSeesRemoveFlagAndMayChangeTheMessage) {
  probe_ = Top("probe");
  Hook(WH_GETMESSAGE, GetMessageHook);
  WPARAM seen = 0;
  On(probe_, [&](HWND, UINT m, WPARAM w, LPARAM) -> std::optional<LRESULT> {
    if (m == WM_USER) seen = w;
    return std::nullopt;
  });
  PostMessageA(probe_, WM_USER, 1, 0);
  MSG m;
  PeekMessageA(&m, nullptr, WM_USER, WM_USER, PM_NOREMOVE);
  PeekMessageA(&m, nullptr, WM_USER, WM_USER, PM_REMOVE);
  DispatchMessageA(&m);
  EXPECT_THAT(g_hookLog, ElementsAre("peek WM_USER", "remove WM_USER"));
  EXPECT_EQ(seen, 77u);
}

TEST_F(Hooks, CallWndProcHookSeesSentButNotPostedMessages) {
  probe_ = Top("probe");
  Hook(WH_CALLWNDPROC, CallWndHook);
  SendMessageA(probe_, WM_USER + 1, 0, 0);
  PostMessageA(probe_, WM_USER + 2, 0, 0);
  Pump();
  EXPECT_THAT(g_hookLog, ElementsAre("call WM_USER+1"));
}

TEST_F(Hooks, CbtHookCodesInOrder) {
  probe_ = Top("probe");
  g_cbt = Hook(WH_CBT, CbtHook);
  HWND a = Top("a", WS_POPUP | WS_VISIBLE);
  HWND c = Child("c", a, {0, 0, 10, 10});
  SetFocus(c);
  ShowWindow(a, SW_MINIMIZE);
  DestroyWindow(c);
  EXPECT_THAT(g_hookLog, ElementsAre("CREATEWND", "ACTIVATE", "SETFOCUS", "CREATEWND", "SETFOCUS", "MINMAX", "sw6",
                                     "DESTROYWND"));
  g_hookLog.clear();
  g_refuseCreate = true;
  EXPECT_EQ(CreateWindowExA(0, kClass, "", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr), nullptr);
}

TEST_F(Hooks, HooksForOtherThreadsOrUnknownKindsAreRefused) {
  EXPECT_EQ(SetWindowsHookExA(WH_CBT, CbtHook, nullptr, 0x7FFFFFF0), nullptr);
  EXPECT_EQ(SetWindowsHookExA(99, CbtHook, nullptr, 0), nullptr);
  EXPECT_EQ(SetWindowsHookExA(WH_CBT, nullptr, nullptr, 0), nullptr);
}

}  // namespace
}  // namespace user_test
