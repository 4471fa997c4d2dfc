#include "controls_test_support.h"

namespace controls_test {
namespace {

using ButtonTest = ControlTest;

const COLORREF kWhite = RGB(255, 255, 255), kBlack = RGB(0, 0, 0), kGray = RGB(128, 128, 128),
               kFace = RGB(192, 192, 192);

TEST_F(ButtonTest, PushButtonBevelHasClassicCornerColours) {
  HWND b = Make("BUTTON", "OK", BS_PUSHBUTTON, {10, 10, 85, 33});
  EXPECT_EQ(Pixel(b, 0, 0), kWhite);
  EXPECT_EQ(Pixel(b, 74, 22), kBlack);
  EXPECT_EQ(Pixel(b, 73, 21), kGray);
  EXPECT_EQ(Pixel(b, 1, 1), kFace);
  EXPECT_EQ(Pixel(b, 10, 3), kFace);  // face inside the bevel, away from the text
  Save(b, "push");
}

TEST_F(ButtonTest, DefaultButtonGetsBlackFrameAndPushedLooksFlat) {
  HWND b = Make("BUTTON", "Open", BS_DEFPUSHBUTTON, {10, 10, 85, 33});
  EXPECT_EQ(Pixel(b, 0, 0), kBlack);
  EXPECT_EQ(Pixel(b, 1, 1), kWhite);
  SendMessageA(b, BM_SETSTATE, TRUE, 0);
  EXPECT_EQ(Pixel(b, 1, 1), kGray);
  EXPECT_EQ(SendMessageA(b, BM_GETSTATE, 0, 0) & BST_PUSHED, BST_PUSHED);
  Save(b, "default_pushed");
}

TEST_F(ButtonTest, MouseClickNotifiesOnlyWhenReleasedInside) {
  HWND b = Make("BUTTON", "Go", BS_PUSHBUTTON, {10, 10, 85, 33}, 7);
  Click(b, 20, 10);
  // The parent hears of it once: the id and code, and the button itself.
  using namespace testsupport;
  const ExpectedMessage kClicked[] = {
      {WM_COMMAND, sent | wparam | lparam, MAKEWPARAM(7, BN_CLICKED), reinterpret_cast<LPARAM>(b)}};
  EXPECT_TRUE(OkSequence(Notes().Take(), kClicked));
  EXPECT_EQ(GetFocus(), b);

  POINT p{20, 10};
  ClientToScreen(b, &p);
  headless::MoveMouse(p.x, p.y);
  headless::PressMouse(0);
  Pump();
  EXPECT_EQ(Pixel(b, 1, 1), kGray);  // drawn pressed while held
  headless::MoveMouse(p.x + 200, p.y);
  Pump();
  EXPECT_EQ(Pixel(b, 0, 0), kWhite);  // released look once the mouse leaves
  headless::ReleaseMouse(0);
  Pump();
  EXPECT_TRUE(Codes().empty());
}

TEST_F(ButtonTest, SpaceBarClicksAndBmClickNotifies) {
  HWND b = Make("BUTTON", "Go", BS_PUSHBUTTON, {10, 10, 85, 33}, 3);
  SetFocus(b);
  Key(VK_SPACE);
  EXPECT_EQ(Codes(), std::vector<int>{BN_CLICKED});
  SendMessageA(b, BM_CLICK, 0, 0);
  EXPECT_EQ(Codes(), std::vector<int>{BN_CLICKED});
  EnableWindow(b, FALSE);
  SendMessageA(b, BM_CLICK, 0, 0);
  EXPECT_TRUE(Codes().empty());
}

TEST_F(ButtonTest, AutoCheckBoxTogglesAndPlainCheckBoxDoesNot) {
  HWND a = Make("BUTTON", "Auto", BS_AUTOCHECKBOX, {10, 10, 150, 30}, 1);
  HWND m = Make("BUTTON", "Manual", BS_CHECKBOX, {10, 40, 150, 60}, 2);
  Click(a, 5, 10);
  Click(m, 5, 10);
  EXPECT_EQ(SendMessageA(a, BM_GETCHECK, 0, 0), BST_CHECKED);
  EXPECT_EQ(SendMessageA(m, BM_GETCHECK, 0, 0), BST_UNCHECKED);
  EXPECT_EQ(Codes(), (std::vector<int>{BN_CLICKED, BN_CLICKED}));
  // The tick is drawn in the window-text colour on the white box.
  int top = (20 - 13) / 2;
  EXPECT_EQ(Pixel(a, 2 + 1 + 3, top + 2 + 1 + 4), kBlack);
  EXPECT_EQ(Pixel(m, 2 + 1 + 3, top + 2 + 1 + 4), kWhite);
  EXPECT_EQ(Pixel(a, 0, top), kGray);       // sunken box: shadow outside top-left
  EXPECT_EQ(Pixel(a, 12, top + 12), kWhite);  // highlight outside bottom-right
  Save(a, "checkbox");
}

TEST_F(ButtonTest, AutoRadiosUncheckTheirGroupOnly) {
  HWND r1 = Make("BUTTON", "One", BS_AUTORADIOBUTTON | WS_GROUP, {10, 10, 150, 30}, 1);
  HWND r2 = Make("BUTTON", "Two", BS_AUTORADIOBUTTON, {10, 40, 150, 60}, 2);
  HWND r3 = Make("BUTTON", "Three", BS_AUTORADIOBUTTON | WS_GROUP, {10, 70, 150, 90}, 3);
  HWND r4 = Make("BUTTON", "Four", BS_AUTORADIOBUTTON, {10, 100, 150, 120}, 4);
  // Groups run along the z-order; make it the creation order explicitly.
  for (HWND r : {r1, r2, r3, r4}) SetWindowPos(r, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  SendMessageA(r1, BM_SETCHECK, BST_CHECKED, 0);
  SendMessageA(r3, BM_SETCHECK, BST_CHECKED, 0);
  Click(r2, 5, 10);
  EXPECT_EQ(SendMessageA(r1, BM_GETCHECK, 0, 0), BST_UNCHECKED);
  EXPECT_EQ(SendMessageA(r2, BM_GETCHECK, 0, 0), BST_CHECKED);
  EXPECT_EQ(SendMessageA(r3, BM_GETCHECK, 0, 0), BST_CHECKED);
  SendMessageA(r4, BM_CLICK, 0, 0);
  EXPECT_EQ(SendMessageA(r3, BM_GETCHECK, 0, 0), BST_UNCHECKED);
  EXPECT_EQ(SendMessageA(r2, BM_GETCHECK, 0, 0), BST_CHECKED);
  Save(parent, "radios");
}

TEST_F(ButtonTest, DisabledTextIsEmbossedAndFocusIsDotted) {
  HWND b = Make("BUTTON", "WWWW", BS_PUSHBUTTON, {10, 10, 85, 33});
  SetFocus(b);
  Pump();
  // The focus rectangle: alternate dots four pixels in.
  COLORREF a = Pixel(b, 4, 4), c = Pixel(b, 5, 4);
  EXPECT_NE(a, c);
  EnableWindow(b, FALSE);
  EXPECT_TRUE(Any(b, RECT{10, 4, 65, 19}, kGray));
  EXPECT_TRUE(Any(b, RECT{10, 4, 65, 19}, kWhite));
  EXPECT_FALSE(Any(b, RECT{10, 4, 65, 19}, kBlack));
  Save(b, "disabled");
}

TEST_F(ButtonTest, GroupBoxIsEtchedAndTransparentToClicks) {
  HWND g = Make("BUTTON", "Group", BS_GROUPBOX, {10, 10, 200, 100});
  EXPECT_EQ(SendMessageA(g, WM_GETDLGCODE, 0, 0), DLGC_STATIC);
  EXPECT_EQ(Pixel(g, 100, 50), kFace);
  bool etched = false;
  for (int y = 0; y < 20; ++y)
    if (Pixel(g, 100, y) == kGray && Pixel(g, 101, y + 1) == kWhite) etched = true;
  EXPECT_TRUE(etched);
}

}  // namespace
}  // namespace controls_test
