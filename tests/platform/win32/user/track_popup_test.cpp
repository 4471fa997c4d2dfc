// Pop-up menus: layout and look, choosing by pointer and keys, the
// notifications to the owner and the message filter of the menu loop.
#include <win32/user32_draw.h>

#include <algorithm>
#include <functional>

#include "user_test_support.h"

namespace user_test {
namespace {

using ::testing::ElementsAre;

constexpr UINT kOpen = 101, kInstall = 102, kXvT = 103, kDeep = 104;

struct Note {
  UINT msg;
  WPARAM wp;
  LPARAM lp;
};

class TrackPopup : public UserTest {
 protected:
  void SetUp() override {
    UserTest::SetUp();
    owner_ = Top("owner", WS_POPUP | WS_VISIBLE, {50, 50, 600, 500});
    SetActiveWindow(owner_);
    SetFocus(owner_);
    On(owner_, [this](HWND, UINT m, WPARAM wp, LPARAM lp) -> std::optional<LRESULT> {
      if (m == WM_ENTERIDLE || m == WM_MENUSELECT || m == WM_INITMENUPOPUP || m == WM_INITMENU ||
          m == WM_ENTERMENULOOP || m == WM_EXITMENULOOP || m == WM_COMMAND || m == WM_LBUTTONDOWN)
        notes_.push_back({m, wp, lp});
      if (m == WM_ENTERIDLE && !idle_.empty()) {
        auto step = idle_.front();
        idle_.erase(idle_.begin());
        step();
      }
      return std::nullopt;
    });
    menu_ = CreatePopupMenu();
    AppendMenuA(menu_, MF_STRING, kOpen, "&Open...");
    AppendMenuA(menu_, MF_SEPARATOR, 0, nullptr);
    AppendMenuA(menu_, MF_STRING | MF_GRAYED, kInstall, "&Install");
    AppendMenuA(menu_, MF_STRING | MF_CHECKED, kXvT, "&XvT Missions\tCtrl+X");
  }
  void TearDown() override {
    DestroyMenu(menu_);
    UserTest::TearDown();
  }

  // Runs `step` the next time the menu loop goes idle (the menu is shown).
  void WhenIdle(std::function<void()> step) { idle_.push_back(std::move(step)); }
  static void Key(unsigned vk) {
    headless::PressKey(vk);
    headless::ReleaseKey(vk);
  }
  static void Click(int x, int y) {
    headless::MoveMouse(x, y);
    headless::PressMouse(0);
    headless::ReleaseMouse(0);
  }
  UINT Track(UINT flags = TPM_RETURNCMD, int x = 150, int y = 150) {
    return static_cast<UINT>(TrackPopupMenu(menu_, flags, x, y, 0, owner_, nullptr));
  }
  static HWND MenuWindow() { return FindWindowA("#32768", nullptr); }
  // The menu windows shown, left to right.
  static std::vector<RECT> MenuRects() {
    std::vector<RECT> out;
    for (HWND h = FindWindowExA(nullptr, nullptr, "#32768", nullptr); h;
         h = FindWindowExA(nullptr, h, "#32768", nullptr)) {
      RECT r;
      GetWindowRect(h, &r);
      out.push_back(r);
    }
    std::sort(out.begin(), out.end(), [](const RECT& a, const RECT& b) { return a.left < b.left; });
    return out;
  }
  static RECT MenuRect() {
    RECT r{};
    GetWindowRect(MenuWindow(), &r);
    return r;
  }
  std::vector<Note> Notes(UINT msg) const {
    std::vector<Note> out;
    for (const Note& n : notes_)
      if (n.msg == msg) out.push_back(n);
    return out;
  }
  // Pixels of the screen as presented when taken.
  struct Shot {
    std::vector<std::uint32_t> px;
    int w = 0, h = 0;
    Shot() { px = headless::ScreenPixels(&w, &h); }
    std::uint32_t At(int x, int y) const { return px[static_cast<std::size_t>(y) * w + x]; }
    int Count(RECT r, std::uint32_t colour) const {
      int n = 0;
      for (int y = r.top; y < r.bottom; ++y)
        for (int x = r.left; x < r.right; ++x) n += At(x, y) == colour;
      return n;
    }
  };

  HWND owner_ = nullptr;
  HMENU menu_ = nullptr;
  std::vector<Note> notes_;
  std::vector<std::function<void()>> idle_;
};

TEST_F(TrackPopup, IsSizedFromItsItemsAndDrawnInTheClassicLook) {
  bool shown = false;
  WhenIdle([&] {
    shown = IsWindowVisible(MenuWindow());
    const RECT r = MenuRect();
    headless::SaveScreen(::testing::TempDir() + "track_popup_menu.png");
    EXPECT_EQ(r.left, 150);
    EXPECT_EQ(r.top, 150);
    EXPECT_EQ(r.bottom - r.top, 3 + 19 + 9 + 19 + 19 + 3) << "three text items and a separator";
    const Shot shot;
    // The raised edge: light, white, then gray and black at the bottom right.
    EXPECT_EQ(shot.At(r.left, r.top), 0xC0C0C0u);
    EXPECT_EQ(shot.At(r.left + 1, r.top + 1), 0xFFFFFFu);
    EXPECT_EQ(shot.At(r.right - 2, r.bottom - 2), 0x808080u);
    EXPECT_EQ(shot.At(r.right - 1, r.bottom - 1), 0x000000u);
    const int row0 = r.top + 3, row2 = row0 + 19 + 9, row3 = row2 + 19;
    const RECT grayed{r.left + 20, row2, r.right - 20, row2 + 19};
    EXPECT_GT(shot.Count({r.left + 20, row0, r.right - 20, row0 + 19}, 0x000000), 20);
    EXPECT_GT(shot.Count(grayed, 0xFFFFFF), 10) << "a grayed item is embossed";
    EXPECT_GT(shot.Count(grayed, 0x808080), 10);
    EXPECT_EQ(shot.Count(grayed, 0x000000), 0);
    EXPECT_GE(shot.Count({r.left + 3, row3, r.left + 20, row3 + 19}, 0x000000), 12) << "the check mark";
    int shortcutRight = 0;
    for (int x = r.left + 3; x < r.right - 3; ++x)
      if (shot.Count({x, row3, x + 1, row3 + 19}, 0x000000) > 0) shortcutRight = x;
    EXPECT_EQ(shortcutRight, r.right - 3 - 17 - 1) << "the shortcut ends where the arrow column starts";
    Key(VK_ESCAPE);
  });
  EXPECT_EQ(Track(), 0u);
  EXPECT_TRUE(shown);
  EXPECT_EQ(MenuWindow(), nullptr) << "the window goes with the menu";
}

TEST_F(TrackPopup, KeysMoveOverSeparatorsAndEnterOrAMnemonicChooses) {
  Key(VK_DOWN);
  Key(VK_DOWN);  // over the separator onto the grayed item
  Key(VK_DOWN);
  Key(VK_RETURN);
  EXPECT_EQ(Track(), kXvT);
  Key(VK_UP);  // from nothing: the last item
  Key(VK_DOWN);  // wraps to the first
  Key(VK_RETURN);
  EXPECT_EQ(Track(), kOpen);
  headless::TypeText("x");
  EXPECT_EQ(Track(), kXvT);
  // A grayed item is reached but not chosen, by Enter or by its mnemonic.
  Key(VK_UP);
  Key(VK_UP);
  Key(VK_RETURN);
  headless::TypeText("i");
  Key(VK_ESCAPE);
  EXPECT_EQ(Track(), 0u);
  // Alt closes as Escape does.
  Key(VK_MENU);
  EXPECT_EQ(Track(), 0u);
}

TEST_F(TrackPopup, ClicksChooseEnabledItemsAndAClickOutsideIsEaten) {
  Click(170, 160);  // on "Open..."
  EXPECT_EQ(Track(), kOpen);
  Click(170, 176);  // the separator
  Click(170, 190);  // the grayed item
  Click(40, 40);    // outside: closes
  EXPECT_EQ(Track(), 0u);
  Click(300, 300);  // outside, over the owner
  EXPECT_EQ(Track(), 0u);
  Pump();
  EXPECT_TRUE(Notes(WM_LBUTTONDOWN).empty()) << "the closing click reaches no window";
}

TEST_F(TrackPopup, PostsWmCommandUnlessTheCommandIsReturned) {
  Key(VK_DOWN);
  Key(VK_RETURN);
  EXPECT_EQ(Track(TPM_LEFTALIGN), TRUE);
  EXPECT_TRUE(Notes(WM_COMMAND).empty()) << "posted, not sent";
  Key(VK_ESCAPE);
  EXPECT_EQ(Track(TPM_LEFTALIGN), TRUE) << "a dismissed menu still succeeded";
  Key(VK_DOWN);
  Key(VK_RETURN);
  EXPECT_EQ(Track(TPM_RETURNCMD), kOpen);
  Pump();
  ASSERT_EQ(Notes(WM_COMMAND).size(), 1u);
  EXPECT_EQ(Notes(WM_COMMAND)[0].wp, MAKEWPARAM(kOpen, 0));
}

TEST_F(TrackPopup, TellsTheOwnerAboutTheLoopThePopupAndEverySelection) {
  Key(VK_DOWN);
  Key(VK_DOWN);
  Key(VK_ESCAPE);
  Track();
  std::vector<UINT> order;
  for (const Note& n : notes_)
    if (n.msg != WM_ENTERIDLE) order.push_back(n.msg);
  EXPECT_THAT(order, ElementsAre(WM_ENTERMENULOOP, WM_INITMENU, WM_INITMENUPOPUP, WM_MENUSELECT, WM_MENUSELECT,
                                 WM_MENUSELECT, WM_EXITMENULOOP));
  EXPECT_EQ(Notes(WM_INITMENUPOPUP)[0].wp, reinterpret_cast<WPARAM>(menu_));
  auto select = Notes(WM_MENUSELECT);
  EXPECT_EQ(LOWORD(select[0].wp), kOpen);
  EXPECT_EQ(HIWORD(select[0].wp), MF_HILITE);
  EXPECT_EQ(select[0].lp, reinterpret_cast<LPARAM>(menu_));
  EXPECT_EQ(LOWORD(select[1].wp), kInstall);
  EXPECT_EQ(HIWORD(select[1].wp), MF_HILITE | MF_GRAYED) << "the state travels with the item";
  EXPECT_EQ(select[2].wp, MAKEWPARAM(0, 0xFFFF)) << "closing is told with 0xFFFF and no menu";
  // The pointer reports its selections as mouse selections, separators too.
  notes_.clear();
  WhenIdle([] { headless::MoveMouse(170, 160); });  // moves in one batch would merge
  WhenIdle([] {
    headless::MoveMouse(170, 176);
    Key(VK_ESCAPE);
  });
  Track();
  select = Notes(WM_MENUSELECT);
  ASSERT_EQ(select.size(), 3u);
  EXPECT_EQ(HIWORD(select[0].wp), MF_HILITE | MF_MOUSESELECT);
  EXPECT_EQ(HIWORD(select[1].wp), MF_SEPARATOR | MF_MOUSESELECT);
  // TPM_NONOTIFY keeps the owner out of it.
  notes_.clear();
  Key(VK_DOWN);
  Key(VK_RETURN);
  EXPECT_EQ(Track(TPM_NONOTIFY | TPM_RETURNCMD), kOpen);
  EXPECT_TRUE(notes_.empty());
}

TEST_F(TrackPopup, SubMenusOpenToTheRightByKeyOrPointerAndCloseWithLeft) {
  HMENU sub = CreatePopupMenu();
  AppendMenuA(sub, MF_STRING, kDeep, "&Deep");
  AppendMenuA(menu_, MF_POPUP, reinterpret_cast<UINT_PTR>(sub), "&More");
  const int moreTop = 150 + 3 + 19 + 9 + 19 + 19;
  Key(VK_UP);  // from nothing to the last item, "More"
  Key(VK_RIGHT);
  WhenIdle([&] {
    const std::vector<RECT> menus = MenuRects();
    EXPECT_EQ(menus.size(), 2u);
    if (menus.size() == 2) {
      EXPECT_EQ(menus[1].left, menus[0].right - 3);
      EXPECT_EQ(menus[1].top, moreTop - 3) << "its first item lines up with \"More\"";
    }
    headless::SaveScreen(::testing::TempDir() + "track_popup_submenu.png");
    Key(VK_LEFT);
    Key(VK_DOWN);  // back in the parent, wrapping to "Open..."
    Key(VK_RETURN);
  });
  EXPECT_EQ(Track(), kOpen);
  // Resting the pointer on "More" opens it too; a click inside chooses.
  headless::MoveMouse(170, moreTop + 9);
  WhenIdle([&] {
    const RECT deep = MenuRects().back();
    Click(deep.left + 20, deep.top + 10);
  });
  EXPECT_EQ(Track(), kDeep);
}

TEST_F(TrackPopup, StaysInsideTheWorkAreaAndHonoursAlignment) {
  RECT work{};
  SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
  RECT r{};
  WhenIdle([&] {
    r = MenuRect();
    Key(VK_ESCAPE);
  });
  Track(TPM_RETURNCMD, work.right - 5, work.bottom - 5);
  EXPECT_LE(r.right, work.right);
  EXPECT_LE(r.bottom, work.bottom);
  EXPECT_EQ(r.bottom, work.bottom - 5) << "flipped above the point";
  WhenIdle([&] {
    r = MenuRect();
    Key(VK_ESCAPE);
  });
  Track(TPM_RETURNCMD | TPM_RIGHTALIGN | TPM_BOTTOMALIGN, 400, 300);
  EXPECT_EQ(r.right, 400);
  EXPECT_EQ(r.bottom, 300);
}

HHOOK g_filter = nullptr;
std::vector<int> g_filterCodes;
LRESULT CALLBACK EatDownKeys(int code, WPARAM wp, LPARAM lp) {
  auto* m = reinterpret_cast<MSG*>(lp);
  g_filterCodes.push_back(code);
  if (code == MSGF_MENU && m->message == WM_KEYDOWN && m->wParam == VK_DOWN) return TRUE;
  if (code == MSGF_MENU && m->message == WM_KEYDOWN && m->wParam == 'Q') {
    EndMenu();
    return TRUE;
  }
  return CallNextHookEx(g_filter, code, wp, lp);
}

TEST_F(TrackPopup, TheMessageFilterSeesMenuMessagesFirstAndCanEndTheMenu) {
  g_filterCodes.clear();
  g_filter = SetWindowsHookExA(WH_MSGFILTER, EatDownKeys, nullptr, 0);
  ASSERT_NE(g_filter, nullptr);
  Key(VK_DOWN);  // eaten by the hook: nothing is selected
  Key(VK_RETURN);
  Key('Q');
  EXPECT_EQ(Track(), 0u);
  EXPECT_FALSE(g_filterCodes.empty());
  for (int c : g_filterCodes) EXPECT_EQ(c, MSGF_MENU);
  UnhookWindowsHookEx(g_filter);
  // One menu at a time: a second call while one is open fails.
  BOOL nested = TRUE;
  WhenIdle([&] {
    nested = TrackPopupMenu(menu_, TPM_RETURNCMD, 10, 10, 0, owner_, nullptr);
    Key(VK_ESCAPE);
  });
  Track();
  EXPECT_FALSE(nested);
  EXPECT_FALSE(TrackPopupMenu(menu_, 0, 10, 10, 0, nullptr, nullptr)) << "no owner";
}

}  // namespace
}  // namespace user_test
