// The drop-down windows: choosing, the keyboard, sub-menus, placement and
// the animations.
#include <set>

#include "menu_fixture.h"

namespace {

using DropDownWindow = MenuBarFixture;

TEST_F(DropDownWindow, ChoosingARowClosesTheMenusThenRunsTheCommand) {
  std::vector<std::string> seen;
  bar->OnMenuCommand = [&](TMenuItem* item) { seen.push_back("command " + item->Caption()); };
  about->OnClick = [&](TObject*) {
    seen.push_back("click");
    EXPECT_EQ(ActivePopup(), nullptr);
    EXPECT_FALSE(Shown(DropDown()));
    EXPECT_EQ(bar->BarState(), bsIdle);
  };
  Click(ItemPoint(2));
  Settle();
  Click(RowPoint(DropDown(), 0));
  EXPECT_EQ(seen, (std::vector<std::string>{"command &About", "click"}));
  const std::vector<std::string> sounds = headless::PlayedSounds();
  ASSERT_GE(sounds.size(), 2u);
  EXPECT_EQ(sounds.front(), "MenuPopup");
  EXPECT_EQ(sounds.back(), "MenuCommand");
}

TEST_F(DropDownWindow, DisabledRowsAndSeparatorsDoNothingAndCloseQueryCanRefuse) {
  Click(ItemPoint(0));
  Settle();
  Click(RowPoint(DropDown(), 0));  // Open..., disabled
  Click(RowPoint(DropDown(), 1));  // the separator
  EXPECT_TRUE(Shown(DropDown()));
  EXPECT_EQ(clicks[open], 0);
  bool asked = false;
  bar->OnCloseQuery = [&](TMenuItem* item, bool& canClose) {
    asked = item == exit;
    canClose = false;
  };
  Key(VK_ESCAPE);
  AltKey('F');
  Settle();
  Click(RowPoint(DropDown(), 4));
  EXPECT_TRUE(asked);
  EXPECT_EQ(clicks[exit], 0);
  EXPECT_TRUE(Shown(DropDown()));
}

TEST_F(DropDownWindow, LettersChooseAndUnknownLettersBeep) {
  AltKey('O');
  Settle();
  Key('Q');
  EXPECT_TRUE(Shown(DropDown()));
  Key('X');
  EXPECT_EQ(clicks[xvt], 1);
  EXPECT_FALSE(Shown(DropDown()));
  AltKey('F');
  Settle();
  Key(VK_UP);
  Key(VK_RETURN);
  EXPECT_EQ(clicks[exit], 1);
}

TEST_F(DropDownWindow, RightOpensASubMenuAndLeftComesBack) {
  AltKey('O');
  Settle();
  Key(VK_DOWN);
  ASSERT_EQ(DropDown()->SelectedIndex(), 2);
  Key(VK_RIGHT);
  TPopupMenu2000Form* sub = DropDown()->ChildWindow();
  ASSERT_TRUE(Shown(sub));
  EXPECT_EQ(sub->SelectedIndex(), 0);
  RECT parent{}, child{};
  GetWindowRect(DropDown()->WindowHandle(), &parent);
  Settle();
  GetWindowRect(sub->WindowHandle(), &child);
  EXPECT_EQ(child.left, parent.right);
  Key(VK_LEFT);
  EXPECT_FALSE(Shown(sub));
  EXPECT_TRUE(Shown(DropDown()));
  EXPECT_EQ(bar->OpenItem(), options);
  // Right on a plain row goes on to the bar's next item.
  Key(VK_UP);
  Key(VK_RIGHT);
  EXPECT_EQ(bar->OpenItem(), help);
  Settle();
  Key(VK_LEFT);
  Settle();
  ASSERT_EQ(bar->OpenItem(), options);
  ASSERT_EQ(DropDown()->SelectedIndex(), 0);
  Key(VK_DOWN);
  ASSERT_EQ(DropDown()->SelectedIndex(), 2);
  Key(VK_RETURN);
  ASSERT_TRUE(Shown(DropDown()->ChildWindow()));
  Settle();
  Key(VK_RETURN);
  EXPECT_EQ(clicks[deeper], 1);
}

TEST_F(DropDownWindow, HoveringARowWithASubMenuOpensItAfterTheHoverTime) {
  Click(ItemPoint(1));
  Settle();
  const TPoint p = RowPoint(DropDown(), 2);
  headless::MoveMouse(p.x, p.y);
  Pump();
  EXPECT_FALSE(Shown(DropDown()->ChildWindow()));
  for (int i = 0; i < 6; ++i) {
    headless::AdvanceTime(50);
    Pump();
  }
  ASSERT_TRUE(Shown(DropDown()->ChildWindow()));
  const TPoint q = RowPoint(DropDown(), 0);
  headless::MoveMouse(q.x, q.y);
  Pump();
  for (int i = 0; i < 6; ++i) {
    headless::AdvanceTime(50);
    Pump();
  }
  EXPECT_FALSE(Shown(DropDown()->ChildWindow()));
}

TEST_F(DropDownWindow, AClickElsewhereClosesWithoutFadingOrCommand) {
  bar->Options()->Animation = anFadeIn;
  Click(ItemPoint(0));
  Settle();
  Key(VK_DOWN);
  Click(form->ClientToScreen(Point(300, 200)));
  EXPECT_FALSE(Shown(DropDown()));
  EXPECT_EQ(bar->BarState(), bsIdle);
  EXPECT_EQ(DropDown()->FramesShown(), 20) << "only the opening frames";
}

}  // namespace
