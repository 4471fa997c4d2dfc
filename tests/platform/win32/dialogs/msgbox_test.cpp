#include <filesystem>

#include "dialogs_test_support.h"

namespace {

using dlgtest::DialogTest;
using dlgtest::FindShown;

const char kBox[] = "XvtMessageBox";

class MessageBoxTest : public DialogTest {};

TEST_F(MessageBoxTest, QueuedKeysCloseWithTheRightAnswer) {
  Key(VK_RETURN);
  EXPECT_EQ(MessageBoxA(owner, "Saved.", "Info", MB_OK), IDOK);
  Key(VK_SPACE);
  EXPECT_EQ(MessageBoxA(owner, "Saved.", "Info", MB_OK), IDOK);
  // Escape on a box with only OK answers OK.
  Key(VK_ESCAPE);
  EXPECT_EQ(MessageBoxA(owner, "Saved.", "Info", MB_OK | MB_ICONINFORMATION), IDOK);
  Key(VK_ESCAPE);
  EXPECT_EQ(MessageBoxA(owner, "Go on?", "Q", MB_OKCANCEL), IDCANCEL);
  Key(VK_RETURN);
  EXPECT_EQ(MessageBoxA(owner, "Go on?", "Q", MB_OKCANCEL | MB_DEFBUTTON2), IDCANCEL);
  // Yes/No cannot be escaped: Escape is ignored, Tab moves to No, Space presses it.
  Key(VK_ESCAPE);
  Key(VK_TAB);
  Key(VK_SPACE);
  EXPECT_EQ(MessageBoxA(owner, "Delete?", "Q", MB_YESNO | MB_ICONQUESTION), IDNO);
  EXPECT_EQ(FindShown(kBox), nullptr) << "the box is gone after it returns";
}

TEST_F(MessageBoxTest, DisablesTheThreadsWindowsWhileOpenAndCentres) {
  HWND other = CreateWindowExA(0, "DlgTestOwner", "other", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 400, 10, 200, 100,
                               nullptr, nullptr, nullptr, nullptr);
  HWND already = CreateWindowExA(0, "DlgTestOwner", "off", WS_OVERLAPPEDWINDOW | WS_VISIBLE | WS_DISABLED, 400, 300,
                                 200, 100, nullptr, nullptr, nullptr, nullptr);
  bool ownerOn = true, otherOn = true, boxOn = false, seen = false;
  RECT box{};
  WhileOpen([&] {
    HWND h = FindShown(kBox);
    seen = h != nullptr;
    ownerOn = IsWindowEnabled(owner);
    otherOn = IsWindowEnabled(other);
    boxOn = h && IsWindowEnabled(h);
    if (h) GetWindowRect(h, &box);
    Key(VK_RETURN);
  });
  EXPECT_EQ(MessageBoxA(owner, "Working", "Title", MB_OK), IDOK);
  ASSERT_TRUE(seen);
  EXPECT_FALSE(ownerOn);
  EXPECT_FALSE(otherOn);
  EXPECT_TRUE(boxOn);
  EXPECT_TRUE(IsWindowEnabled(owner));
  EXPECT_TRUE(IsWindowEnabled(other));
  EXPECT_FALSE(IsWindowEnabled(already)) << "a window disabled before stays disabled";
  EXPECT_NEAR((box.left + box.right) / 2, 400, 1);
  EXPECT_NEAR((box.top + box.bottom) / 2, 300, 1);
  DestroyWindow(other);
  DestroyWindow(already);
}

TEST_F(MessageBoxTest, QuitDuringTheBoxEndsItAndReachesTheCallersLoop) {
  PostQuitMessage(3);
  EXPECT_EQ(MessageBoxA(owner, "x", "y", MB_OK), IDOK);
  EXPECT_EQ(FindShown(kBox), nullptr);
  MSG m{};
  ASSERT_TRUE(PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE));
  EXPECT_EQ(m.message, static_cast<UINT>(WM_QUIT));
  EXPECT_EQ(m.wParam, 3u);
}

// Long text wraps inside a bounded width instead of widening the box.
TEST_F(MessageBoxTest, LongTextWrapsAndShortTextIsCompact) {
  RECT shortBox{}, longBox{};
  auto measure = [&](RECT* out) {
    WhileOpen([out] {
      GetWindowRect(FindShown(kBox), out);
      Key(VK_RETURN);
    });
  };
  measure(&shortBox);
  MessageBoxA(owner, "Short.", "T", MB_OK | MB_ICONERROR);
  std::string text;
  for (int i = 0; i < 60; ++i) text += "word" + std::to_string(i) + " ";
  measure(&longBox);
  MessageBoxA(owner, text.c_str(), "T", MB_OK | MB_ICONERROR);
  EXPECT_LT(shortBox.right - shortBox.left, 260);
  EXPECT_LE(longBox.right - longBox.left, 800 * 5 / 8 + 20);
  EXPECT_GT(longBox.bottom - longBox.top, (shortBox.bottom - shortBox.top) + 20);
}

struct IconCase {
  UINT style;
  COLORREF mark;  // a colour only that icon has
  int minimum;
};

TEST_F(MessageBoxTest, EachIconIsDrawnInItsColours) {
  const IconCase cases[] = {{MB_ICONERROR, RGB(255, 0, 0), 300},
                            {MB_ICONINFORMATION, RGB(0, 0, 255), 40},
                            {MB_ICONWARNING, RGB(255, 255, 0), 150},
                            {MB_ICONQUESTION, RGB(0, 0, 255), 30}};
  for (const IconCase& c : cases) {
    int marks = 0, whites = 0, noIcon = -1;
    WhileOpen([&] {
      HWND h = FindShown(kBox);
      marks = Count(h, RECT{0, 0, 60, 60}, c.mark);
      whites = Count(h, RECT{0, 0, 60, 60}, RGB(255, 255, 255));
      Key(VK_RETURN);
    });
    MessageBoxA(owner, "Something happened.", "Icons", MB_OK | c.style);
    EXPECT_GE(marks, c.minimum) << std::hex << c.style;
    if (c.style != MB_ICONWARNING) {
      EXPECT_GT(whites, 20) << std::hex << c.style;  // the cross or the bubble
    }
    WhileOpen([&] {
      noIcon = Count(FindShown(kBox), RECT{0, 0, 60, 60}, c.mark);
      Key(VK_RETURN);
    });
    MessageBoxA(owner, "Something happened.", "Icons", MB_OK);
    EXPECT_EQ(noIcon, 0);
  }
}

TEST_F(MessageBoxTest, ScreenshotShowsTextAndButton) {
  const std::string png = (std::filesystem::temp_directory_path() / "xvt_msgbox_warning.png").string();
  int dark = 0;
  WhileOpen([&] {
    HWND h = FindShown(kBox);
    RECT c;
    GetClientRect(h, &c);
    dark = Count(h, RECT{50, 0, c.right, c.bottom - 40}, RGB(0, 0, 0));  // the text
    headless::SaveScreen(png);
    Key(VK_RETURN);
  });
  MessageBoxA(owner, "The file could not be written.\nCheck the disk and try again.", "Warning",
              MB_OK | MB_ICONWARNING);
  EXPECT_GT(dark, 50);
  EXPECT_TRUE(std::filesystem::exists(png));
}

}  // namespace
