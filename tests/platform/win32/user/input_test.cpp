// Mouse and keyboard input, capture, focus, activation and a modal loop.
#include "user_test_support.h"

namespace user_test {
namespace {

using ::testing::Contains;
using ::testing::ElementsAre;
using ::testing::Not;

class Input : public UserTest {
 protected:
  HWND Click(int x, int y, int button = 0) {
    headless::MoveMouse(x, y);
    headless::PressMouse(button);
    headless::ReleaseMouse(button);
    Pump();
    return nullptr;
  }
};

TEST_F(Input, ClickActivatesSetsTheCursorAndArrivesInClientCoordinates) {
  HWND top = Top("top", WS_POPUP | WS_VISIBLE, {100, 100, 300, 300});
  HWND other = Top("other", WS_POPUP | WS_VISIBLE, {400, 100, 500, 200});
  HWND c = Child("c", top, {10, 20, 110, 120});
  ASSERT_EQ(GetActiveWindow(), other);
  POINT at{};
  On(c, [&](HWND, UINT m, WPARAM, LPARAM l) -> std::optional<LRESULT> {
    if (m == WM_LBUTTONDOWN) at = POINT{GET_X_LPARAM(l), GET_Y_LPARAM(l)};
    return std::nullopt;
  });
  log().Watch({WM_MOUSEACTIVATE, WM_SETCURSOR, WM_LBUTTONDOWN, WM_LBUTTONUP, WM_ACTIVATE});
  headless::MoveMouse(115, 125);
  headless::PressMouse(0);
  headless::ReleaseMouse(0);
  Pump();
  EXPECT_THAT(Take(), ElementsAre("c:WM_SETCURSOR", "top:WM_SETCURSOR", "c:WM_MOUSEACTIVATE",
                                  "top:WM_MOUSEACTIVATE", "other:WM_ACTIVATE(0)", "top:WM_ACTIVATE(2)",
                                  "c:WM_SETCURSOR", "top:WM_SETCURSOR", "c:WM_LBUTTONDOWN", "c:WM_LBUTTONUP"));
  EXPECT_EQ(at.x, 5);
  EXPECT_EQ(at.y, 5);
  EXPECT_EQ(GetActiveWindow(), top);
  POINT p;
  GetCursorPos(&p);
  EXPECT_EQ(p.x, 115);
}

TEST_F(Input, MouseActivateCanRefuseActivationAndEatTheClick) {
  HWND top = Top("top", WS_POPUP | WS_VISIBLE, {0, 0, 100, 100});
  HWND other = Top("other", WS_POPUP | WS_VISIBLE, {200, 0, 300, 100});
  On(top, [](HWND, UINT m, WPARAM, LPARAM) -> std::optional<LRESULT> {
    if (m == WM_MOUSEACTIVATE) return MA_NOACTIVATEANDEAT;
    return std::nullopt;
  });
  log().Watch({WM_LBUTTONDOWN, WM_LBUTTONUP});
  Click(10, 10);
  EXPECT_EQ(GetActiveWindow(), other);
  EXPECT_THAT(Take(), ElementsAre("top:WM_LBUTTONUP"));
}

TEST_F(Input, DoubleClicksNeedTheClassStyleTimeAndPlace) {
  HWND plain = Top("plain", WS_POPUP | WS_VISIBLE, {0, 0, 100, 100});
  HWND dbl = CreateWindowExA(0, kDblClass, "dbl", WS_POPUP | WS_VISIBLE, 200, 0, 100, 100, nullptr, nullptr,
                             nullptr, nullptr);
  created_.push_back(dbl);
  log().names[dbl] = "dbl";
  log().Watch({WM_LBUTTONDOWN, WM_LBUTTONDBLCLK});
  Click(10, 10);
  Click(10, 10);
  Click(210, 10);
  headless::AdvanceTime(100);
  Click(211, 11);
  Click(211, 11);  // a third click is a plain click again
  headless::AdvanceTime(501);
  Click(211, 11);
  Click(230, 11);  // too far away
  EXPECT_THAT(Take(), ElementsAre("plain:WM_LBUTTONDOWN", "plain:WM_LBUTTONDOWN", "dbl:WM_LBUTTONDOWN",
                                  "dbl:WM_LBUTTONDBLCLK", "dbl:WM_LBUTTONDOWN", "dbl:WM_LBUTTONDOWN",
                                  "dbl:WM_LBUTTONDOWN"));
  (void)plain;
}

TEST_F(Input, CaptureRoutesAllMouseMessagesAndReportsItsLoss) {
  HWND top = Top("top", WS_POPUP | WS_VISIBLE, {0, 0, 100, 100});
  HWND other = Top("other", WS_POPUP | WS_VISIBLE, {200, 0, 300, 100});
  POINT at{};
  On(top, [&](HWND, UINT m, WPARAM, LPARAM l) -> std::optional<LRESULT> {
    if (m == WM_MOUSEMOVE) at = POINT{GET_X_LPARAM(l), GET_Y_LPARAM(l)};
    return std::nullopt;
  });
  log().Watch({WM_MOUSEMOVE, WM_CAPTURECHANGED, WM_SETCURSOR});
  EXPECT_EQ(SetCapture(top), nullptr);
  headless::MoveMouse(250, 50);
  Pump();
  EXPECT_THAT(Take(), ElementsAre("top:WM_MOUSEMOVE"));  // no WM_SETCURSOR under capture
  EXPECT_EQ(at.x, 250);
  EXPECT_EQ(SetCapture(other), top);
  EXPECT_TRUE(ReleaseCapture());
  EXPECT_THAT(Take(), ElementsAre("top:WM_CAPTURECHANGED", "other:WM_CAPTURECHANGED"));
  EXPECT_EQ(GetCapture(), nullptr);
}

TEST_F(Input, BorderClicksAreNonClientAndDisabledChildrenPassClicksToTheParent) {
  HWND top = Top("top", WS_POPUP | WS_VISIBLE, {0, 0, 200, 200});
  HWND edged = Child("edged", top, {10, 10, 60, 60}, WS_VISIBLE | WS_BORDER);
  HWND off = Child("off", top, {100, 100, 150, 150}, WS_VISIBLE | WS_DISABLED);
  log().Watch({WM_LBUTTONDOWN, WM_NCLBUTTONDOWN});
  Click(10, 30);   // the border pixel of `edged`
  Click(120, 120);  // inside the disabled child
  EXPECT_THAT(Take(), ElementsAre("edged:WM_NCLBUTTONDOWN", "top:WM_LBUTTONDOWN"));
  (void)edged;
  (void)off;
}

TEST_F(Input, TrackMouseEventPostsLeaveOnce) {
  HWND a = Top("a", WS_POPUP | WS_VISIBLE, {0, 0, 100, 100});
  Top("b", WS_POPUP | WS_VISIBLE, {100, 0, 200, 100});
  log().Watch({WM_MOUSELEAVE});
  headless::MoveMouse(50, 50);
  Pump();
  TRACKMOUSEEVENT t{sizeof t, TME_LEAVE, a, 0};
  EXPECT_TRUE(TrackMouseEvent(&t));
  headless::MoveMouse(60, 50);
  Pump();
  EXPECT_TRUE(Take().empty());
  headless::MoveMouse(150, 50);
  headless::MoveMouse(50, 50);
  headless::MoveMouse(150, 50);
  Pump();
  EXPECT_THAT(Take(), ElementsAre("a:WM_MOUSELEAVE"));
}

TEST_F(Input, KeysGoToTheFocusAndTranslateIntoCharacters) {
  HWND top = Top("top", WS_POPUP | WS_VISIBLE);
  HWND edit = Child("edit", top, {0, 0, 50, 20});
  SetFocus(edit);
  log().Watch({WM_KEYDOWN, WM_KEYUP, WM_CHAR});
  headless::TypeText("aB!");
  Pump();
  EXPECT_THAT(Take(), ElementsAre("edit:WM_KEYDOWN(65)", "edit:WM_CHAR(97)", "edit:WM_KEYUP(65)",
                                  "edit:WM_KEYDOWN(16)", "edit:WM_KEYDOWN(66)", "edit:WM_CHAR(66)",
                                  "edit:WM_KEYUP(66)", "edit:WM_KEYUP(16)", "edit:WM_KEYDOWN(16)",
                                  "edit:WM_KEYDOWN(49)", "edit:WM_CHAR(33)", "edit:WM_KEYUP(49)",
                                  "edit:WM_KEYUP(16)"));
  // A key pressed alone translates through the layout.
  headless::PressKey(VK_RETURN);
  headless::ReleaseKey(VK_RETURN);
  headless::PressKey(VK_CONTROL);
  headless::PressKey('C');
  Pump();
  EXPECT_THAT(Take(), ElementsAre("edit:WM_KEYDOWN(13)", "edit:WM_CHAR(13)", "edit:WM_KEYUP(13)",
                                  "edit:WM_KEYDOWN(17)", "edit:WM_KEYDOWN(67)", "edit:WM_CHAR(3)"));
  headless::ReleaseKey('C');
  headless::ReleaseKey(VK_CONTROL);
  Pump();
}

TEST_F(Input, AltAndF10MakeSystemKeys) {
  HWND top = Top("top", WS_POPUP | WS_VISIBLE);
  SetFocus(top);
  log().Watch({WM_SYSKEYDOWN, WM_SYSKEYUP, WM_SYSCHAR, WM_SYSCOMMAND, WM_KEYDOWN});
  LPARAM data = 0;
  On(top, [&](HWND, UINT m, WPARAM w, LPARAM l) -> std::optional<LRESULT> {
    if (m == WM_SYSKEYDOWN && w == 'F') data = l;
    return std::nullopt;
  });
  headless::PressKey(VK_MENU);
  headless::PressKey('F');
  headless::ReleaseKey('F');
  headless::ReleaseKey(VK_MENU);
  Pump();
  EXPECT_THAT(Take(), ElementsAre("top:WM_SYSKEYDOWN(18)", "top:WM_SYSKEYDOWN(70)", "top:WM_SYSCHAR(102)",
                                  "top:WM_SYSCOMMAND(61696)", "top:WM_SYSKEYUP(70)", "top:WM_SYSKEYUP(18)"));
  EXPECT_TRUE(data & (1 << 29));  // the Alt context bit
  // Alt or F10 alone asks for the menu when released.
  headless::PressKey(VK_F10);
  headless::ReleaseKey(VK_F10);
  Pump();
  EXPECT_THAT(Take(), ElementsAre("top:WM_SYSKEYDOWN(121)", "top:WM_SYSKEYUP(121)", "top:WM_SYSCOMMAND(61696)"));
}

TEST_F(Input, AltF4InAFocusedChildClosesItsTopLevelWindow) {
  HWND top = Top("top", WS_POPUP | WS_VISIBLE);
  HWND edit = Child("edit", top, {0, 0, 50, 20});
  SetFocus(edit);
  log().Watch({WM_SYSCOMMAND, WM_CLOSE});
  On(top, [](HWND, UINT m, WPARAM, LPARAM) -> std::optional<LRESULT> {
    if (m == WM_CLOSE) return 0;  // keep the window for the rest of the test
    return std::nullopt;
  });
  headless::PressKey(VK_MENU);
  headless::PressKey(VK_F4);
  headless::ReleaseKey(VK_F4);
  headless::ReleaseKey(VK_MENU);
  Pump();
  EXPECT_THAT(Take(), ElementsAre("top:WM_SYSCOMMAND(61536)", "top:WM_CLOSE"));
}

TEST_F(Input, KeyStateFollowsRetrievedMessagesAsyncStateTheHost) {
  Top("top", WS_POPUP | WS_VISIBLE);
  headless::PressKey(VK_SHIFT);
  EXPECT_LT(GetAsyncKeyState(VK_SHIFT), 0);
  EXPECT_GE(GetKeyState(VK_SHIFT), 0);  // not yet retrieved
  Pump();
  EXPECT_LT(GetKeyState(VK_SHIFT), 0);
  EXPECT_LT(GetKeyState(VK_LSHIFT), 0);
  headless::ReleaseKey(VK_SHIFT);
  Pump();
  EXPECT_GE(GetKeyState(VK_SHIFT), 0);
  SHORT caps = GetKeyState(VK_CAPITAL) & 1;
  headless::PressKey(VK_CAPITAL);
  headless::ReleaseKey(VK_CAPITAL);
  Pump();
  EXPECT_NE(GetKeyState(VK_CAPITAL) & 1, caps);
}

TEST_F(Input, FocusChangesSendKillThenSet) {
  HWND top = Top("top", WS_POPUP | WS_VISIBLE);
  HWND a = Child("a", top, {0, 0, 10, 10});
  HWND b = Child("b", top, {20, 0, 30, 10});
  SetFocus(a);
  log().Watch({WM_SETFOCUS, WM_KILLFOCUS});
  EXPECT_EQ(SetFocus(b), a);
  EXPECT_THAT(Take(), ElementsAre("a:WM_KILLFOCUS", "b:WM_SETFOCUS"));
  EXPECT_EQ(GetFocus(), b);
  // Disabling the focus window takes the focus away.
  EnableWindow(b, FALSE);
  EXPECT_EQ(GetFocus(), nullptr);
  EXPECT_THAT(Take(), ElementsAre("b:WM_KILLFOCUS"));
  EXPECT_EQ(SetFocus(b), nullptr);  // a disabled window cannot take the focus
  EnableWindow(b, TRUE);
  // Hiding the focus window hands the focus to its parent.
  SetFocus(b);
  Take();
  ShowWindow(b, SW_HIDE);
  EXPECT_EQ(GetFocus(), top);
}

TEST_F(Input, ActivationSequenceBetweenTopLevelWindows) {
  log().Watch({WM_ACTIVATEAPP, WM_NCACTIVATE, WM_ACTIVATE, WM_SETFOCUS, WM_KILLFOCUS});
  HWND a = Top("a", WS_POPUP | WS_VISIBLE);
  EXPECT_THAT(Take(), ElementsAre("a:WM_ACTIVATEAPP(1)", "a:WM_NCACTIVATE(1)", "a:WM_ACTIVATE(1)",
                                  "a:WM_SETFOCUS"));
  HWND b = Top("b", WS_POPUP | WS_VISIBLE);
  EXPECT_THAT(Take(), ElementsAre("a:WM_NCACTIVATE(0)", "a:WM_ACTIVATE(0)", "b:WM_NCACTIVATE(1)",
                                  "b:WM_ACTIVATE(1)", "a:WM_KILLFOCUS", "b:WM_SETFOCUS"));
  EXPECT_EQ(GetForegroundWindow(), b);
  EXPECT_EQ(SetActiveWindow(a), b);
  Take();
  DestroyWindow(a);  // the next window takes over
  EXPECT_EQ(GetActiveWindow(), b);
}

TEST_F(Input, ModalLoopWithADisabledOwner) {
  HWND owner = Top("owner", WS_POPUP | WS_VISIBLE, {0, 0, 200, 200});
  HWND dialog = Top("dialog", WS_POPUP, {300, 0, 400, 100}, 0, owner);
  bool done = false;
  On(dialog, [&](HWND h, UINT m, WPARAM, LPARAM) -> std::optional<LRESULT> {
    if (m == WM_TIMER) {
      KillTimer(h, 1);
      done = true;
    }
    return std::nullopt;
  });
  log().Watch({WM_LBUTTONDOWN, WM_ENABLE, WM_TIMER});
  EnableWindow(owner, FALSE);
  ShowWindow(dialog, SW_SHOW);
  EXPECT_EQ(GetActiveWindow(), dialog);
  SetActiveWindow(owner);  // a disabled window cannot be activated
  EXPECT_EQ(GetActiveWindow(), dialog);
  SetActiveWindow(nullptr);
  headless::SetIdleAdvance(true);
  SetTimer(dialog, 1, 1000, nullptr);
  // A click on the disabled owner beeps and brings the dialog back.
  headless::MoveMouse(50, 50);
  headless::PressMouse(0);
  headless::ReleaseMouse(0);
  MSG m;
  while (!done && GetMessageA(&m, nullptr, 0, 0)) {
    TranslateMessage(&m);
    DispatchMessageA(&m);
  }
  headless::SetIdleAdvance(false);
  EnableWindow(owner, TRUE);
  DestroyWindow(dialog);
  EXPECT_THAT(Take(), ElementsAre("owner:WM_ENABLE(0)", "dialog:WM_TIMER(1)", "owner:WM_ENABLE(1)"));
  EXPECT_THAT(headless::PlayedSounds(), Contains(".Default"));
  EXPECT_EQ(GetActiveWindow(), owner);
}

TEST_F(Input, WheelGoesToTheFocusAndRightClickAsksForAContextMenu) {
  HWND top = Top("top", WS_POPUP | WS_VISIBLE, {0, 0, 100, 100});
  HWND c = Child("c", top, {0, 0, 50, 50});
  SetFocus(c);
  log().Watch({WM_MOUSEWHEEL, WM_CONTEXTMENU});
  headless::MoveMouse(80, 80);
  headless::Wheel(-120);
  Click(10, 10, 1);
  EXPECT_THAT(Take(), ElementsAre("c:WM_MOUSEWHEEL", "top:WM_MOUSEWHEEL", "c:WM_CONTEXTMENU", "top:WM_CONTEXTMENU"));
}

}  // namespace
}  // namespace user_test
