// The menu bar: layout, painting of its states, the pointer and the keyboard.
#include "menu_fixture.h"

namespace {

using MenuBar = MenuBarFixture;

TEST_F(MenuBar, LaysOutVisibleItemsInOneRowAcrossTheParent) {
  EXPECT_EQ(bar->Align(), alTop);
  EXPECT_EQ(bar->Width(), 734);
  EXPECT_EQ(bar->Height(), 19);
  ASSERT_EQ(bar->ItemCount(), 3);
  EXPECT_EQ(bar->ItemRect(0).left, 0);
  EXPECT_EQ(bar->ItemRect(1).left, bar->ItemRect(0).right);
  EXPECT_EQ(RectHeight(bar->ItemRect(0)), 18);
  EXPECT_EQ(bar->CurrentIndex(), 0);
  EXPECT_EQ(bar->BarState(), bsIdle);
  // A hidden item takes no room.
  const int helpLeft = bar->ItemRect(2).left;
  options->SetVisible(false);
  Pump();
  ASSERT_EQ(bar->ItemCount(), 2);
  EXPECT_EQ(bar->Item(1), help);
  EXPECT_LT(bar->ItemRect(1).left, helpLeft);
}

TEST_F(MenuBar, WithoutAMenuItIsFiftyByTenAndPaintsOnlyItsBackground) {
  auto* empty = new TMenuBar2000(form);
  EXPECT_EQ(empty->Width(), 50);
  EXPECT_EQ(empty->Height(), 10);
  EXPECT_EQ(empty->ItemCount(), 0);
  EXPECT_EQ(empty->CurrentIndex(), -1);
  empty->SetParent(form);
  empty->SetAlign(alBottom);
  Pump();
  EXPECT_EQ(empty->Height(), 10);
  const TPoint o = empty->ClientToScreen(Point(0, 0));
  EXPECT_EQ(Shot().Count({o.x, o.y, o.x + 200, o.y + 10}, 0xC0C0C0), 2000);
}

TEST_F(MenuBar, WideItemsWrapIntoRows) {
  form->SetClientWidth(100);
  Pump();
  ASSERT_EQ(bar->ItemCount(), 3);
  EXPECT_GT(bar->ItemRect(2).top, 0);
  EXPECT_EQ(bar->Height() % 19, 0);
  EXPECT_GE(bar->Height(), 38);
}

TEST_F(MenuBar, HotItemIsRaisedAndTheOpenOneSunken) {
  const TPoint o = bar->ClientToScreen(Point(0, 0));
  const TRect r = bar->ItemRect(1);
  headless::MoveMouse(ItemPoint(1).x, ItemPoint(1).y);
  Pump();
  EXPECT_EQ(bar->BarState(), bsHot);
  EXPECT_EQ(bar->CurrentItem(), options);
  EXPECT_EQ(Shot().At(o.x + r.left, o.y + r.top + 5), 0xFFFFFFu);
  EXPECT_EQ(Shot().At(o.x + r.right - 1, o.y + r.top + 5), 0x808080u);
  // Moves under three pixels are not looked at.
  headless::MoveMouse(ItemPoint(1).x + 2, ItemPoint(1).y + 2);
  Pump();
  headless::PressMouse(0);
  Pump();
  EXPECT_EQ(bar->BarState(), bsSelected);
  EXPECT_EQ(Shot().At(o.x + r.left, o.y + r.top + 5), 0x808080u);
  EXPECT_EQ(Shot().At(o.x + r.right - 1, o.y + r.top + 5), 0xFFFFFFu);
  headless::ReleaseMouse(0);
  Pump();
  EXPECT_TRUE(Shown(DropDown()));
  EXPECT_EQ(bar->OpenItem(), options);
  // Off the items the hot state ends; leaving with a menu open keeps it.
  CloseMenus(true, false);
  headless::MoveMouse(ItemPoint(1).x, ItemPoint(1).y + 60);
  Pump();
  EXPECT_EQ(bar->BarState(), bsIdle);
}

TEST_F(MenuBar, ClickOpensTheDropDownBelowTheItemAndASecondClickClosesIt) {
  Click(ItemPoint(0));
  ASSERT_TRUE(Shown(DropDown()));
  EXPECT_EQ(bar->BarState(), bsSelected);
  RECT w{};
  GetWindowRect(DropDown()->WindowHandle(), &w);
  const TPoint corner = bar->ClientToScreen(Point(bar->ItemRect(0).left, bar->ItemRect(0).bottom));
  EXPECT_EQ(w.left, corner.x);
  EXPECT_EQ(w.top, corner.y);
  EXPECT_EQ(ActivePopup(), bar->PopupMenu2000());
  EXPECT_EQ(GetActiveWindow(), form->Handle()) << "the drop-down never takes activation";
  Click(ItemPoint(0));
  EXPECT_FALSE(Shown(DropDown()));
  EXPECT_EQ(bar->BarState(), bsHot);
  EXPECT_EQ(ActivePopup(), nullptr);
}

TEST_F(MenuBar, MovingToAnotherItemWhileOpenSwitchesDropDowns) {
  Click(ItemPoint(0));
  Settle();
  headless::MoveMouse(ItemPoint(2).x, ItemPoint(2).y);
  Pump();
  EXPECT_EQ(bar->CurrentItem(), help);
  EXPECT_EQ(bar->OpenItem(), help);
  ASSERT_TRUE(Shown(DropDown()));
  EXPECT_EQ(DropDown()->RowCount(), 1);
  EXPECT_EQ(DropDown()->SelectedIndex(), -1) << "opened by the mouse: nothing selected";
}

TEST_F(MenuBar, ATopLevelItemWithoutEntriesIsACommand) {
  TMenuItem* go = Add(menu->Items(), "&Go");
  Pump();
  ASSERT_EQ(bar->ItemCount(), 4);
  Click(ItemPoint(3));
  EXPECT_EQ(clicks[go], 1);
  EXPECT_FALSE(Shown(DropDown()));
  EXPECT_EQ(bar->BarState(), bsHot);
  AltKey('G');
  EXPECT_EQ(clicks[go], 2);
  EXPECT_EQ(static_cast<int>(bar->BarState()), bsIdle);
}

TEST_F(MenuBar, AltAloneSelectsTheFirstItemAndAltAgainLetsGo) {
  Key(VK_MENU);
  EXPECT_EQ(bar->BarState(), bsSelected);
  EXPECT_TRUE(bar->KeyboardMode());
  EXPECT_EQ(bar->CurrentItem(), file);
  EXPECT_FALSE(Shown(DropDown()));
  Key(VK_RIGHT);
  EXPECT_EQ(bar->CurrentItem(), options);
  EXPECT_FALSE(Shown(DropDown())) << "arrows only move the highlight";
  Key(VK_LEFT);
  Key(VK_LEFT);
  EXPECT_EQ(bar->CurrentItem(), help) << "wraps at the ends";
  Key(VK_MENU);
  EXPECT_EQ(bar->BarState(), bsIdle);
  Key(VK_F10);
  EXPECT_EQ(bar->BarState(), bsSelected);
  Key(VK_DOWN);
  ASSERT_TRUE(Shown(DropDown()));
  EXPECT_EQ(bar->OpenItem(), help);
  EXPECT_EQ(DropDown()->SelectedIndex(), 0) << "opened from the keyboard: its first row";
}

TEST_F(MenuBar, AltLetterOpensWithTheFirstRowAndArrowsCarryTheDropDown) {
  AltKey('O');
  ASSERT_TRUE(Shown(DropDown()));
  EXPECT_EQ(bar->OpenItem(), options);
  EXPECT_EQ(DropDown()->SelectedIndex(), 0);
  EXPECT_EQ(PanelText(), "Load XvT Missions");
  Settle();
  Key(VK_LEFT);
  ASSERT_TRUE(Shown(DropDown()));
  EXPECT_EQ(bar->OpenItem(), file);
  EXPECT_EQ(DropDown()->SelectedIndex(), 0);
  Settle();
  Key(VK_DOWN);
  EXPECT_EQ(DropDown()->SelectedIndex(), 2) << "the separator is skipped";
  Key(VK_UP);
  Key(VK_UP);
  EXPECT_EQ(DropDown()->SelectedIndex(), 4) << "wraps to the last row";
  // The first letter of a caption also works, after the accelerators.
  Key(VK_MENU);
  EXPECT_EQ(bar->BarState(), bsIdle) << "Alt in an open menu closes everything";
  EXPECT_FALSE(Shown(DropDown()));
  AltKey('E');
  EXPECT_FALSE(Shown(DropDown())) << "no item starts with E";
}

TEST_F(MenuBar, EscapeTwiceGoesBackStepByStep) {
  AltKey('F');
  Settle();
  Key(VK_ESCAPE);
  EXPECT_FALSE(Shown(DropDown()));
  EXPECT_EQ(bar->BarState(), bsSelected);
  EXPECT_EQ(bar->CurrentItem(), file);
  Key(VK_RIGHT);
  EXPECT_FALSE(Shown(DropDown()));
  EXPECT_EQ(bar->CurrentItem(), options);
  Key(VK_ESCAPE);
  EXPECT_EQ(bar->BarState(), bsIdle);
}

TEST_F(MenuBar, HintsGoToThePanelAndAreClearedOnClose) {
  status->Panels()->Items(0)->SetText("Ready");
  Click(ItemPoint(0));
  Settle();
  headless::MoveMouse(RowPoint(DropDown(), 2).x, RowPoint(DropDown(), 2).y);
  Pump();
  EXPECT_EQ(DropDown()->SelectedIndex(), 2);
  EXPECT_EQ(PanelText(), "Build/Refresh Mission List");
  EXPECT_EQ(Application->Hint(), "Build/Refresh Mission List");
  Key(VK_ESCAPE);
  EXPECT_EQ(PanelText(), "");
  // An index past the panels leaves the status bar as it is.
  status->Panels()->Items(0)->SetText("Ready");
  status->Panels()->Items(1)->SetText("Built");
  bar->SetStatusBarIndex(2);
  AltKey('F');
  Settle();
  Key(VK_DOWN);
  EXPECT_EQ(PanelText(), "Ready");
  EXPECT_EQ(status->Panels()->Items(1)->Text(), "Built");
}

TEST_F(MenuBar, StatusHintsUseTheLongPartWithCodesAsBlanks) {
  EXPECT_EQ(StatusHintText(" Short|  Long &#169 text  "), "Long   text");
  EXPECT_EQ(StatusHintText("Only"), "Only");
  status->SetSimplePanel(true);
  WriteStatusHint(status, 5, "Simple");
  EXPECT_EQ(status->SimpleText(), "Simple");
  status->SetSimplePanel(false);
  WriteStatusHint(status, -1, "Nowhere");
  EXPECT_EQ(PanelText(), "");
}

// The bar is a tool control: a form whose only control it is keeps the
// focus itself, Tab passes the bar by, and the keys still reach the menu.
TEST_F(MenuBar, NeverTakesTheFocusEvenAsTheFormsOnlyControl) {
  auto* alone = new TForm(Application);
  alone->SetBorderStyle(bsNone);
  alone->SetBounds(100, 400, 300, 200);
  auto* own = new TMainMenu(alone);
  auto* item = new TMenuItem(alone);
  item->SetCaption("&Edit");
  own->Items()->Add(item);
  auto* entry = new TMenuItem(alone);
  entry->SetCaption("&Undo");
  item->Add(entry);
  auto* onlyBar = new TMenuBar2000(alone);
  onlyBar->SetParent(alone);
  onlyBar->SetMenu(own);
  EXPECT_NE(onlyBar->Perform(CM_ISTOOLCONTROL, 0, 0), 0);
  alone->Show();
  SetActiveWindow(alone->Handle());
  Pump();
  EXPECT_EQ(alone->ActiveControl(), nullptr);
  EXPECT_EQ(GetFocus(), alone->Handle());
  EXPECT_EQ(alone->FindNextControl(nullptr, true, false, false), nullptr);
  // Nor does a click on it move the focus there.
  Click(onlyBar->ClientToScreen(Point(10, 9)));
  EXPECT_NE(GetFocus(), onlyBar->Handle());
  Key(VK_ESCAPE);
  Key(VK_ESCAPE);
  Pump();
  AltKey('E');
  Settle();
  EXPECT_TRUE(Shown(onlyBar->PopupMenu2000()->Window())) << "Alt+E opens the form's Edit menu";
  CloseMenus(true, false);
  Free(alone);
}

}  // namespace
