#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "dialogs_test_support.h"

namespace {

using dialogs_test::DialogTest;
using dialogs_test::FindShown;
using dialogs_test::kBox;

class MessageBoxTest : public DialogTest {};

// Where a shown box put things: its frame, client area, OK button, and the
// ink of its text (black pixels above the buttons, right of any icon).
struct Placed {
  RECT window{}, client{}, ok{};
  RECT ink{10000, 10000, -1, -1};
  bool okOnScreen = false;
};

class BoxLayout : public MessageBoxTest {
 protected:
  Placed Show(const std::string& text, UINT icon = MB_ICONERROR) {
    Placed p;
    const int fromX = icon ? 50 : 0;  // right of the icon's column
    WhileOpen([&p, fromX, this] {
      HWND box = FindShown(kBox);
      GetWindowRect(box, &p.window);
      GetClientRect(box, &p.client);
      HWND ok = GetDlgItem(box, IDOK);
      GetWindowRect(ok, &p.ok);
      MapWindowPoints(nullptr, box, reinterpret_cast<POINT*>(&p.ok), 2);
      RECT work{};
      SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
      POINT tl{p.ok.left, p.ok.top}, br{p.ok.right, p.ok.bottom};
      ClientToScreen(box, &tl);
      ClientToScreen(box, &br);
      p.okOnScreen = tl.x >= work.left && tl.y >= work.top && br.x <= work.right && br.y <= work.bottom;
      int w = 0, h = 0;
      const std::vector<std::uint32_t> px = headless::ScreenPixels(&w, &h);
      POINT origin{0, 0};
      ClientToScreen(box, &origin);
      for (int y = 0; y < p.ok.top; ++y)
        for (int x = fromX; x < p.client.right; ++x)
          if (origin.x + x < w && origin.y + y < h &&
              (px[static_cast<size_t>(origin.y + y) * w + origin.x + x] & 0xFFFFFF) == 0) {
            p.ink.left = std::min<LONG>(p.ink.left, x);
            p.ink.top = std::min<LONG>(p.ink.top, y);
            p.ink.right = std::max<LONG>(p.ink.right, x + 1);
            p.ink.bottom = std::max<LONG>(p.ink.bottom, y + 1);
          }
      if (const char* dir = std::getenv("XVT_SHOT_DIR"))
        headless::SaveScreen(std::string(dir) + "/" + ::testing::UnitTest::GetInstance()->current_test_info()->name() +
                             "_" + std::to_string(++shots) + ".png");
      Key(VK_RETURN);
    });
    EXPECT_EQ(MessageBoxA(owner, text.c_str(), "Error", MB_OK | icon), IDOK) << text.substr(0, 40);
    return p;
  }
  int shots = 0;
};

// One line, several lines and a long word: the text begins after the icon
// and its gap, and keeps a margin of 14 dialog units (21 pixels in the 8-point
// font) to the right edge; the button row keeps 7 units below it.
TEST_F(BoxLayout, TextAndIconKeepTheDialogUnitMargins) {
  for (const std::string& text : {std::string("File not found."),
                                 std::string("The mission list could not be written.\nCheck the disk.\nTry again."),
                                 "C:\\" + std::string(300, 'x') + "\\mission.lst"}) {
    const Placed p = Show(text);
    ASSERT_GT(p.ink.right, 0) << text;
    EXPECT_GE(p.ink.left, 11 + 32 + 15) << text;
    EXPECT_LE(p.ink.left, 11 + 32 + 15 + 2) << text;
    EXPECT_GE(p.client.right - p.ink.right, 21) << text;
    EXPECT_LE(p.client.right - p.ink.right, 21 + 8) << text;  // a character's right bearing at most
    EXPECT_EQ(p.client.bottom - p.ok.bottom, 11) << text;
    EXPECT_EQ(p.ok.right - p.ok.left, 75);
    EXPECT_EQ(p.ok.bottom - p.ok.top, 23);
    EXPECT_NEAR((p.ok.left + p.ok.right) / 2, p.client.right / 2, 1) << text;
    EXPECT_LE(p.window.right - p.window.left, 800 * 5 / 8) << text;
  }
}

TEST_F(BoxLayout, OneLineSitsByTheIconAndMoreLinesGrowDown) {
  const Placed one = Show("File not found.");
  const Placed three = Show("File not found.\nFile not found.\nFile not found.");
  EXPECT_NEAR((one.ink.top + one.ink.bottom) / 2, 11 + 16, 3);  // level with the icon's middle
  EXPECT_LE(three.ink.top, 11 + 2);  // taller than the icon: from the top margin
  EXPECT_EQ((three.client.bottom - one.client.bottom), 3 * 13 - 32);
  const Placed bare = Show("File not found.", 0);
  EXPECT_LT(bare.ink.left, 11 + 4);  // no icon: the text takes its place
}

TEST_F(BoxLayout, AnyTextLeavesTheBoxAndItsButtonOnTheScreen) {
  std::string words;
  for (int i = 0; i < 4000; ++i) words += "word" + std::to_string(i) + " ";
  for (const std::string& text : {words, std::string(20000, 'w'), std::string(300, '\n') + "end"}) {
    const Placed p = Show(text);
    EXPECT_TRUE(p.okOnScreen) << text.size();
    EXPECT_GE(p.window.left, 0);
    EXPECT_GE(p.window.top, 0);
    EXPECT_LE(p.window.right, 800);
    EXPECT_LE(p.window.bottom, 600);
    EXPECT_LT(p.ink.bottom, p.ok.top) << "the text is cut above the buttons";
  }
}

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

// The text is a static child with the id Windows gives it, so that a reader
// of the window tree finds it; '&' stays a character, as the box shows it.
TEST_F(MessageBoxTest, TextIsAStaticChildHoldingTheWholeText) {
  const std::string text = "Lists & sections:\nC:\\Games\\XvT\\combat\\mission.lst could not be read.";
  char cls[32] = {}, read[256] = {};
  LONG style = 0;
  RECT textRect{}, ok{};
  WhileOpen([&] {
    HWND box = FindShown(kBox);
    HWND label = GetDlgItem(box, 0xFFFF);
    GetClassNameA(label, cls, sizeof cls);
    GetWindowTextA(label, read, sizeof read);
    style = GetWindowLongA(label, GWL_STYLE);
    GetWindowRect(label, &textRect);
    GetWindowRect(GetDlgItem(box, IDOK), &ok);
    Key(VK_RETURN);
  });
  MessageBoxA(owner, text.c_str(), "Error", MB_OK | MB_ICONERROR);
  EXPECT_STREQ(cls, "Static");
  EXPECT_EQ(read, text);
  EXPECT_TRUE(style & SS_NOPREFIX);
  EXPECT_FALSE(style & WS_TABSTOP);  // Tab still goes between the buttons only
  EXPECT_LT(textRect.bottom, ok.top);
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
