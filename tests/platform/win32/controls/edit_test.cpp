#include "controls_test_support.h"

#include <algorithm>

namespace controls_test {
namespace {

using EditTest = ControlTest;

std::string Text(HWND h) {
  char buf[512] = {};
  GetWindowTextA(h, buf, sizeof buf);
  return buf;
}

std::pair<int, int> Sel(HWND h) {
  DWORD a = 0, b = 0;
  SendMessageA(h, EM_GETSEL, reinterpret_cast<WPARAM>(&a), reinterpret_cast<LPARAM>(&b));
  return {static_cast<int>(a), static_cast<int>(b)};
}


TEST_F(EditTest, TypingInsertsAtTheCaretAndNotifiesChange) {
  HWND e = Make("EDIT", "", ES_AUTOHSCROLL, {10, 10, 200, 30}, 5);
  SetFocus(e);
  Codes();
  headless::TypeText("hello");
  Pump();
  EXPECT_EQ(Text(e), "hello");
  auto codes = Codes();
  EXPECT_EQ(std::count(codes.begin(), codes.end(), EN_CHANGE), 5);
  Key(VK_HOME);
  headless::TypeText(">");
  Pump();
  EXPECT_EQ(Text(e), ">hello");
  Key(VK_END);
  Key(VK_BACK);
  Key(VK_HOME);
  Key(VK_DELETE);
  EXPECT_EQ(Text(e), "hell");
  EXPECT_EQ(Sel(e), std::make_pair(0, 0));
}

TEST_F(EditTest, ShiftArrowsAndCtrlWordsSelect) {
  HWND e = Make("EDIT", "one two three", ES_AUTOHSCROLL, {10, 10, 200, 30});
  SetFocus(e);
  SendMessageA(e, EM_SETSEL, 0, 0);
  headless::PressKey(VK_CONTROL);
  Key(VK_RIGHT);
  EXPECT_EQ(Sel(e), std::make_pair(4, 4));
  headless::PressKey(VK_SHIFT);
  Key(VK_RIGHT);
  EXPECT_EQ(Sel(e), std::make_pair(4, 8));
  headless::ReleaseKey(VK_CONTROL);
  Key(VK_LEFT);
  EXPECT_EQ(Sel(e), std::make_pair(4, 7));
  Key(VK_END);
  EXPECT_EQ(Sel(e), std::make_pair(4, 13));
  headless::ReleaseKey(VK_SHIFT);
  Pump();
  headless::TypeText("X");
  Pump();
  EXPECT_EQ(Text(e), "one X");
}

TEST_F(EditTest, ClipboardKeysAndMessages) {
  HWND e = Make("EDIT", "copy me", ES_AUTOHSCROLL, {10, 10, 200, 30});
  SetFocus(e);
  SendMessageA(e, EM_SETSEL, 0, 4);
  SendMessageA(e, WM_COPY, 0, 0);
  SendMessageA(e, EM_SETSEL, 7, 7);
  SendMessageA(e, WM_PASTE, 0, 0);
  EXPECT_EQ(Text(e), "copy mecopy");
  SendMessageA(e, WM_CHAR, 1, 0);  // Ctrl+A
  EXPECT_EQ(Sel(e), std::make_pair(0, 11));
  SendMessageA(e, WM_CHAR, 0x18, 0);  // Ctrl+X
  EXPECT_EQ(Text(e), "");
  SendMessageA(e, WM_CHAR, 0x16, 0);  // Ctrl+V
  EXPECT_EQ(Text(e), "copy mecopy");
}

TEST_F(EditTest, ReadOnlyKeepsTextButAllowsSelectAndCopy) {
  HWND e = Make("EDIT", "fixed", ES_READONLY, {10, 10, 200, 30});
  SetFocus(e);
  headless::TypeText("zz");
  Pump();
  SendMessageA(e, WM_CHAR, 1, 0);
  SendMessageA(e, WM_COPY, 0, 0);
  SendMessageA(e, WM_CUT, 0, 0);
  EXPECT_EQ(Text(e), "fixed");
  SendMessageA(e, EM_SETREADONLY, FALSE, 0);
  SendMessageA(e, EM_SETSEL, 0, -1);
  SendMessageA(e, WM_PASTE, 0, 0);
  EXPECT_EQ(Text(e), "fixed");
  SendMessageA(e, EM_REPLACESEL, 0, reinterpret_cast<LPARAM>("new"));
  EXPECT_EQ(Text(e), "fixednew");
}

TEST_F(EditTest, LimitCutsTypingAndReportsMaxText) {
  HWND e = Make("EDIT", "", ES_AUTOHSCROLL, {10, 10, 200, 30});
  SendMessageA(e, EM_LIMITTEXT, 3, 0);
  SetFocus(e);
  Codes();
  headless::TypeText("abcd");
  Pump();
  EXPECT_EQ(Text(e), "abc");
  auto codes = Codes();
  EXPECT_NE(std::find(codes.begin(), codes.end(), EN_MAXTEXT), codes.end());
  SetWindowTextA(e, "longer than three");  // set text is not limited
  EXPECT_EQ(Text(e), "longer than three");
}

TEST_F(EditTest, WithoutAutoScrollTextStopsAtTheRightEdge) {
  HWND e = Make("EDIT", "", 0, {10, 10, 40, 30});
  SetFocus(e);
  headless::TypeText("wwwwwwwwwwwwwwwwwwww");
  Pump();
  std::string t = Text(e);
  EXPECT_GT(t.size(), 0u);
  EXPECT_LT(t.size(), 20u);
}

TEST_F(EditTest, PasswordShowsStarsAndRefusesCopy) {
  HWND e = Make("EDIT", "secret", ES_PASSWORD | ES_AUTOHSCROLL, {10, 10, 200, 30});
  EXPECT_EQ(SendMessageA(e, EM_GETPASSWORDCHAR, 0, 0), '*');
  HWND plain = Make("EDIT", "x", ES_AUTOHSCROLL, {10, 40, 200, 60}, 2);
  SendMessageA(plain, EM_SETSEL, 0, -1);
  SendMessageA(plain, WM_COPY, 0, 0);
  SendMessageA(e, EM_SETSEL, 0, -1);
  SendMessageA(e, WM_COPY, 0, 0);  // must leave the clipboard alone
  SendMessageA(e, EM_SETSEL, 6, 6);
  SendMessageA(e, WM_PASTE, 0, 0);
  EXPECT_EQ(Text(e), "secretx");
  EXPECT_TRUE(Any(e, RECT{0, 0, 40, 18}, RGB(0, 0, 0)));  // stars are drawn
}

TEST_F(EditTest, MouseDragSelectsAndColoursComeFromTheParent) {
  HWND e = Make("EDIT", "abcdefgh", ES_AUTOHSCROLL, {10, 10, 200, 30});
  POINT a{1, 5}, b{199, 5};
  ClientToScreen(e, &a);
  ClientToScreen(e, &b);
  headless::MoveMouse(a.x, a.y);
  headless::PressMouse(0);
  Pump();
  headless::MoveMouse(b.x, b.y);
  Pump();
  headless::ReleaseMouse(0);
  Pump();
  EXPECT_EQ(Sel(e), std::make_pair(0, 8));
  EXPECT_EQ(Pixel(e, 2, 6), RGB(0, 0, 128));      // selection highlight
  EXPECT_EQ(Pixel(e, 150, 6), RGB(255, 255, 255));  // window colour beyond the text
  Save(e, "edit_selected");
}

TEST_F(EditTest, MultiLineLinesWrapAndAppendAtTheEnd) {
  HWND e = Make("EDIT", "", ES_MULTILINE | WS_VSCROLL, {10, 10, 120, 60});
  SetWindowTextA(e, "first line\r\nsecond");
  EXPECT_EQ(SendMessageA(e, EM_GETLINECOUNT, 0, 0), 2);
  EXPECT_EQ(SendMessageA(e, EM_LINEINDEX, 1, 0), 12);
  char buf[32] = {};
  *reinterpret_cast<WORD*>(buf) = sizeof buf;
  LRESULT n = SendMessageA(e, EM_GETLINE, 1, reinterpret_cast<LPARAM>(buf));
  EXPECT_EQ(std::string(buf, static_cast<std::size_t>(n)), "second");
  // A long run of words wraps at the width.
  SendMessageA(e, EM_SETSEL, -2, -1);
  SendMessageA(e, EM_SETSEL, 18, 18);
  SendMessageA(e, EM_REPLACESEL, 0, reinterpret_cast<LPARAM>(" aaa bbb ccc ddd eee fff ggg hhh iii"));
  EXPECT_GT(SendMessageA(e, EM_GETLINECOUNT, 0, 0), 3);
  for (int i = 0; i < 200; ++i) {
    int end = GetWindowTextLengthA(e);
    SendMessageA(e, EM_SETSEL, end, end);
    SendMessageA(e, EM_REPLACESEL, 0, reinterpret_cast<LPARAM>("\r\nline"));
  }
  LRESULT lines = SendMessageA(e, EM_GETLINECOUNT, 0, 0);
  EXPECT_GT(lines, 200);
  EXPECT_GT(SendMessageA(e, EM_GETFIRSTVISIBLELINE, 0, 0), 190);  // the caret stays in view
  SCROLLINFO si{sizeof si, SIF_ALL};
  ASSERT_TRUE(GetScrollInfo(e, SB_VERT, &si));
  EXPECT_EQ(si.nMax, lines - 1);
  SendMessageA(e, WM_VSCROLL, SB_TOP, 0);
  EXPECT_EQ(SendMessageA(e, EM_GETFIRSTVISIBLELINE, 0, 0), 0);
  Save(e, "edit_multiline");
}

TEST_F(EditTest, MultiLineEnterAndArrowsMoveBetweenLines) {
  HWND e = Make("EDIT", "", ES_MULTILINE | ES_WANTRETURN, {10, 10, 200, 80});
  SetFocus(e);
  headless::TypeText("ab");
  Pump();
  Key(VK_RETURN);
  headless::TypeText("cd");
  Pump();
  EXPECT_EQ(Text(e), "ab\r\ncd");
  Key(VK_UP);
  EXPECT_EQ(Sel(e).second, 2);
  Key(VK_RIGHT);  // steps over the line break whole
  EXPECT_EQ(Sel(e).second, 4);
  Key(VK_BACK);
  EXPECT_EQ(Text(e), "abcd");
}

}  // namespace
}  // namespace controls_test
