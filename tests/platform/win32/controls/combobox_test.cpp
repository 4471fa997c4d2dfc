#include "controls_test_support.h"

#include <algorithm>

namespace controls_test {
namespace {

class ComboTest : public ControlTest {
 protected:
  HWND combo = nullptr;
  void MakeCombo(DWORD style = CBS_DROPDOWN) {
    combo = Make(WC_COMBOBOXA, "", style | WS_VSCROLL, {10, 10, 160, 150}, 4);
    for (const char* s : {"Tatooine", "Hoth", "Endor", "Yavin"})
      SendMessageA(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(s));
  }
  std::string Text(HWND h) {
    char buf[64] = {};
    GetWindowTextA(h, buf, sizeof buf);
    return buf;
  }
  bool Has(const std::vector<int>& v, int code) { return std::find(v.begin(), v.end(), code) != v.end(); }
};

TEST_F(ComboTest, InnerEditIsTheFirstChildAndTypingNotifies) {
  MakeCombo();
  HWND edit = GetWindow(combo, GW_CHILD);
  ASSERT_NE(edit, nullptr);
  char cls[16] = {};
  GetClassNameA(edit, cls, sizeof cls);
  EXPECT_STREQ(cls, "Edit");
  EXPECT_EQ(FindWindowExA(combo, nullptr, "EDIT", nullptr), edit);  // lookups ignore case
  RECT r;
  GetWindowRect(combo, &r);
  EXPECT_LT(r.bottom - r.top, 30);  // the closed height, not the drop height
  SetFocus(edit);
  Codes();
  headless::TypeText("Ka");
  Pump();
  EXPECT_EQ(Text(combo), "Ka");
  EXPECT_TRUE(Has(Codes(), CBN_EDITCHANGE));
}

TEST_F(ComboTest, ListMessagesAndSelection) {
  MakeCombo();
  EXPECT_EQ(SendMessageA(combo, CB_GETCOUNT, 0, 0), 4);
  char buf[32] = {};
  SendMessageA(combo, CB_GETLBTEXT, 2, reinterpret_cast<LPARAM>(buf));
  EXPECT_STREQ(buf, "Endor");
  EXPECT_EQ(SendMessageA(combo, CB_GETCURSEL, 0, 0), CB_ERR);
  SendMessageA(combo, CB_SETCURSEL, 1, 0);
  EXPECT_EQ(SendMessageA(combo, CB_GETCURSEL, 0, 0), 1);
  EXPECT_EQ(Text(combo), "Hoth");
  EXPECT_FALSE(Has(Codes(), CBN_EDITCHANGE));  // set by the program, not typed
  EXPECT_EQ(SendMessageA(combo, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>("yavin")), 3);
  SendMessageA(combo, CB_RESETCONTENT, 0, 0);
  EXPECT_EQ(SendMessageA(combo, CB_GETCOUNT, 0, 0), 0);
  EXPECT_EQ(Text(combo), "");
}

TEST_F(ComboTest, KeyboardDropsAndSteps) {
  MakeCombo();
  HWND edit = GetWindow(combo, GW_CHILD);
  SetFocus(edit);
  Codes();
  Key(VK_DOWN);
  EXPECT_EQ(SendMessageA(combo, CB_GETCURSEL, 0, 0), 0);
  EXPECT_EQ(Text(combo), "Tatooine");
  EXPECT_TRUE(Has(Codes(), CBN_SELCHANGE));
  Key(VK_F4);
  EXPECT_TRUE(SendMessageA(combo, CB_GETDROPPEDSTATE, 0, 0));
  EXPECT_TRUE(Has(Codes(), CBN_DROPDOWN));
  Key(VK_DOWN);
  Key(VK_RETURN);
  EXPECT_FALSE(SendMessageA(combo, CB_GETDROPPEDSTATE, 0, 0));
  EXPECT_EQ(Text(combo), "Hoth");
  auto codes = Codes();
  EXPECT_TRUE(Has(codes, CBN_CLOSEUP));
  EXPECT_TRUE(Has(codes, CBN_SELENDOK));
  headless::PressKey(VK_MENU);
  Key(VK_DOWN);
  headless::ReleaseKey(VK_MENU);
  Pump();
  EXPECT_TRUE(SendMessageA(combo, CB_GETDROPPEDSTATE, 0, 0));
  Key(VK_ESCAPE);
  EXPECT_FALSE(SendMessageA(combo, CB_GETDROPPEDSTATE, 0, 0));
}

TEST_F(ComboTest, MouseOpensPicksAndClosesOutside) {
  MakeCombo();
  RECT r;
  GetClientRect(combo, &r);
  POINT bp{r.right - 5, r.bottom / 2};
  ClientToScreen(combo, &bp);
  headless::MoveMouse(bp.x, bp.y);
  headless::PressMouse(0);
  Pump();
  EXPECT_TRUE(SendMessageA(combo, CB_GETDROPPEDSTATE, 0, 0)) << "after press";
  headless::ReleaseMouse(0);
  Pump();
  ASSERT_TRUE(SendMessageA(combo, CB_GETDROPPEDSTATE, 0, 0));
  Save(parent, "combo_dropped");
  // Second row of the list, just under the combo box.
  int itemH = static_cast<int>(SendMessageA(combo, CB_GETITEMHEIGHT, 0, 0));
  Click(combo, 20, r.bottom + 1 + itemH + itemH / 2);
  EXPECT_FALSE(SendMessageA(combo, CB_GETDROPPEDSTATE, 0, 0));
  EXPECT_EQ(SendMessageA(combo, CB_GETCURSEL, 0, 0), 1);
  EXPECT_EQ(Text(combo), "Hoth");
  SendMessageA(combo, CB_SHOWDROPDOWN, TRUE, 0);
  Click(parent, 350, 250);
  EXPECT_FALSE(SendMessageA(combo, CB_GETDROPPEDSTATE, 0, 0));
  EXPECT_EQ(SendMessageA(combo, CB_GETCURSEL, 0, 0), 1);
  // Drop button: raised bevel with an arrow.
  EXPECT_EQ(Pixel(combo, r.right - 2 - GetSystemMetrics(SM_CXVSCROLL), 2), RGB(255, 255, 255));
}

TEST_F(ComboTest, ListBoxSortsSelectsAndNotifies) {
  HWND l = Make(WC_LISTBOXA, "", LBS_NOTIFY | LBS_SORT | WS_BORDER, {10, 10, 150, 100}, 6);
  for (const char* s : {"delta", "Alpha", "charlie", "Bravo"}) SendMessageA(l, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(s));
  char buf[16] = {};
  SendMessageA(l, LB_GETTEXT, 0, reinterpret_cast<LPARAM>(buf));
  EXPECT_STREQ(buf, "Alpha");
  SendMessageA(l, LB_GETTEXT, 3, reinterpret_cast<LPARAM>(buf));
  EXPECT_STREQ(buf, "delta");
  int itemH = static_cast<int>(SendMessageA(l, LB_GETITEMHEIGHT, 0, 0));
  Codes();
  Click(l, 10, itemH * 2 + 2);
  EXPECT_EQ(SendMessageA(l, LB_GETCURSEL, 0, 0), 2);
  EXPECT_TRUE(Has(Codes(), LBN_SELCHANGE));
  Key(VK_END);
  EXPECT_EQ(SendMessageA(l, LB_GETCURSEL, 0, 0), 3);
  EXPECT_EQ(Pixel(l, 5, itemH * 3 + 1), RGB(0, 0, 128));
  SendMessageA(l, LB_DELETESTRING, 3, 0);
  EXPECT_EQ(SendMessageA(l, LB_GETCURSEL, 0, 0), LB_ERR);
  EXPECT_EQ(SendMessageA(l, LB_GETTEXT, 9, reinterpret_cast<LPARAM>(buf)), LB_ERR);
}

}  // namespace
}  // namespace controls_test
