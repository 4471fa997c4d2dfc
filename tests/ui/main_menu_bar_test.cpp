// The main window's menu bar in the real program: the bar with the
// window's settings, File opened by the mouse and by Alt+F, the hints in
// the first status panel, the Menu Fades switch, and keys that reach the
// bar while an edit of the window has the focus.
#include <gtest/gtest.h>

#include <backend/headless.h>

#include "framework/application.h"
#include "framework/menus.h"
#include "framework/treeview.h"
#include "menus/am2000menubar.h"
#include "panels/AdvStatusBar.h"
#include "panels/TB97Ctls.h"
#include "ui/Main.h"

#include "golden.h"
#include "program_fixture.h"
#include "window_shot.h"

namespace {

enum { kFile, kOptions, kHelp };
// Rows of the File and Options drop-downs, separators counted.
enum { kOpenRow = 0, kBuildRow = 2, kExitRow = 6 };
enum { kXvTRow = 0, kMenuFadesRow = 7 };

class MainMenuBar : public ui_test::ProgramTest {
 protected:
  void SetUp() override {
    headless::SetIdleAdvance(true);
    ProgramTest::SetUp();
    bar = MainForm->MenuBar;
  }
  void TearDown() override {
    CloseMenus(true, false);
    ProgramTest::TearDown();
    headless::SetIdleAdvance(false);
  }

  TPopupMenu2000Form* DropDown() { return bar->PopupMenu2000()->Window(); }
  bool Open() {
    TPopupMenu2000Form* w = DropDown();
    return w && w->HandleAllocated() && IsWindowVisible(w->WindowHandle());
  }
  // Lets the virtual clock run past an opening animation.
  static void Run(int ms) {
    for (int t = 0; t < ms; t += 5) {
      headless::AdvanceTime(5);
      Settle();
    }
  }
  TPoint ItemPoint(int index) {
    const TRect r = bar->ItemRect(index);
    return bar->ClientToScreen(Point((r.left + r.right) / 2, (r.top + r.bottom) / 2));
  }
  TPoint RowPoint(int row) {
    const TRect r = DropDown()->RowRect(row);
    return DropDown()->ClientToScreen(Point(r.left + 30, (r.top + r.bottom) / 2));
  }
  static void MoveTo(TPoint p) {
    headless::MoveMouse(p.x, p.y);
    Settle();
  }
  static void Click(TPoint p) {
    MoveTo(p);
    headless::PressMouse(0);
    Settle();
    headless::ReleaseMouse(0);
    Settle();
  }
  static void Key(unsigned vk) {
    headless::PressKey(vk);
    Settle();
    headless::ReleaseKey(vk);
    Settle();
  }
  static void AltKey(unsigned vk) {
    headless::PressKey(VK_MENU);
    headless::PressKey(vk);
    headless::ReleaseKey(vk);
    headless::ReleaseKey(VK_MENU);
    Settle();
  }
  std::string Panel0() { return MainForm->StatusBar->Panels()->Items(0)->Text(); }

  TMenuBar2000* bar = nullptr;
};

TEST_F(MainMenuBar, CarriesTheWindowsSettingsAndDrawsTheOnlyMenuBar) {
  EXPECT_EQ(bar->ClassName(), "TMenuBar2000");
  EXPECT_EQ(bar->Name(), "MenuBar");
  EXPECT_EQ(bar->Menu(), MainForm->MainMenu1);
  EXPECT_EQ(MainForm->Menu(), nullptr) << "no menu bar of the system's own";
  EXPECT_EQ(bar->Options()->Animation, anFadeIn);
  EXPECT_EQ(bar->Font()->Name(), "MS Sans Serif");
  EXPECT_EQ(bar->Font()->Height(), -11);
  EXPECT_FALSE(bar->ParentFont());
  EXPECT_TRUE(bar->ShowHint());
  EXPECT_FALSE(bar->ParentShowHint());
  EXPECT_EQ(bar->StatusBar(), MainForm->StatusBar);
  EXPECT_EQ(bar->StatusBarIndex(), 0);
  EXPECT_TRUE(bar->Transparent());
  EXPECT_EQ(bar->Align(), alTop);
  EXPECT_EQ(bar->Left(), 0);
  EXPECT_EQ(bar->Top(), 0);
  EXPECT_EQ(bar->Width(), 734);
  EXPECT_EQ(bar->Height(), 19);
  ASSERT_EQ(bar->ItemCount(), 3);
  EXPECT_EQ(bar->Item(kFile)->Caption(), "&File");
  EXPECT_EQ(bar->Item(kHelp)->Caption(), "&Help");
}

TEST_F(MainMenuBar, FileOpensByTheMouseAndItsBuildEntryBuildsTheTree) {
  Click(ItemPoint(kFile));
  ASSERT_TRUE(Open());
  EXPECT_EQ(bar->BarState(), bsSelected);
  EXPECT_EQ(DropDown()->Animating(), anFadeIn);
  EXPECT_EQ(DropDown()->RowCount(), 7);
  EXPECT_EQ(MainForm->WindowHandle(), GetActiveWindow()) << "the drop-down never takes activation";
  Run(150);
  Click(RowPoint(kBuildRow));
  EXPECT_FALSE(Open());
  EXPECT_EQ(MainForm->MenuItems[ui::miBuildMissionList1]->Caption(), "&Refresh Mission List");
  EXPECT_TRUE(MainForm->MenuItems[ui::miOpen1]->Enabled());
  EXPECT_GT(MainForm->MissionTree->Items()->Count(), 0);
  EXPECT_EQ(bar->BarState(), bsIdle);
}

TEST_F(MainMenuBar, AltFOpensFileWithItsFirstRowAndEscapeGoesBackStepByStep) {
  AltKey('F');
  ASSERT_TRUE(Open());
  EXPECT_EQ(bar->OpenItem(), MainForm->MenuItems[ui::miFile1]);
  EXPECT_EQ(DropDown()->SelectedIndex(), kOpenRow) << "a disabled row is selected too";
  Run(150);
  Key(VK_UP);
  EXPECT_EQ(DropDown()->SelectedIndex(), kExitRow) << "wraps to the last row";
  Key(VK_RIGHT);
  EXPECT_EQ(bar->OpenItem(), MainForm->MenuItems[ui::miOptions1]);
  Key(VK_ESCAPE);
  EXPECT_FALSE(Open());
  EXPECT_EQ(bar->BarState(), bsSelected);
  Key(VK_ESCAPE);
  EXPECT_EQ(bar->BarState(), bsIdle);
}

TEST_F(MainMenuBar, TheHintOfTheRowUnderThePointerGoesToTheFirstPanel) {
  Click(ItemPoint(kOptions));
  Run(150);
  MoveTo(RowPoint(kXvTRow));
  EXPECT_EQ(DropDown()->SelectedIndex(), kXvTRow);
  EXPECT_EQ(Application->Hint(), "Load XvT Missions");
  EXPECT_EQ(Panel0(), "Load XvT Missions");
  MoveTo(RowPoint(1));
  EXPECT_EQ(Panel0(), "Load BoP Missions");
  MoveTo(RowPoint(2));  // the separator under BoP Missions
  EXPECT_EQ(Panel0(), "") << "over a separator no hint shows";
  MoveTo(RowPoint(3));
  Key(VK_ESCAPE);
  EXPECT_EQ(Panel0(), "") << "cleared when the menu closes";
}

TEST_F(MainMenuBar, MenuFadesSwitchesTheDropDownsBetweenFadingAndSliding) {
  TMenuItem* fades = MainForm->MenuItems[ui::miMenuFades1];
  AltKey('O');
  Run(150);
  Key('M');
  EXPECT_FALSE(Open());
  EXPECT_FALSE(fades->Checked());
  EXPECT_EQ(bar->Options()->Animation, anSmart);
  Click(ItemPoint(kOptions));
  ASSERT_TRUE(Open());
  EXPECT_EQ(DropDown()->Animating(), anVSlide) << "the smart kind slides down out of the bar";
  Run(300);
  EXPECT_EQ(DropDown()->AnimRect().bottom, DropDown()->MenuHeight());
  Click(RowPoint(kMenuFadesRow));
  EXPECT_TRUE(fades->Checked());
  EXPECT_EQ(bar->Options()->Animation, anFadeIn);
  Click(ItemPoint(kOptions));
  EXPECT_EQ(DropDown()->Animating(), anFadeIn);
}

TEST_F(MainMenuBar, KeysReachTheBarWhileTheMissionNameHasTheFocus) {
  MainForm->MissionName->SetFocus();
  Settle();
  ASSERT_TRUE(MainForm->MissionName->Focused());
  AltKey('O');
  ASSERT_TRUE(Open());
  Run(150);
  Key(VK_DOWN);
  EXPECT_EQ(DropDown()->SelectedIndex(), 1);
  EXPECT_TRUE(MainForm->MissionName->Focused()) << "the drop-down never takes the focus";
  Key(VK_ESCAPE);
  Key(VK_ESCAPE);
  EXPECT_EQ(bar->BarState(), bsIdle);
  EXPECT_EQ(MainForm->MissionName->Text(), "") << "no key leaks into the edit";
  EXPECT_TRUE(MainForm->MissionName->Focused());
}

// Looked at: the raised hot item, the sunken open one; check marks in
// their sunken dithered cells, short dividers, the disabled Open row
// selected without its emboss.
TEST_F(MainMenuBar, TheBarAndTheDropDownsLookLikeTheirGoldenPictures) {
  using testsupport::GoldenPath;
  using testsupport::MatchesGolden;
  using testsupport::ShotOf;
  MoveTo(ItemPoint(kOptions));
  ASSERT_EQ(bar->BarState(), bsHot);
  EXPECT_TRUE(MatchesGolden(ShotOf(bar->Handle()), GoldenPath("ui/golden/menu_bar_hot.png")));
  Click(ItemPoint(kOptions));
  Run(150);
  MoveTo(RowPoint(kXvTRow));
  ASSERT_EQ(bar->BarState(), bsSelected);
  EXPECT_TRUE(MatchesGolden(ShotOf(bar->Handle()), GoldenPath("ui/golden/menu_bar_selected.png")));
  EXPECT_TRUE(MatchesGolden(ShotOf(DropDown()->Handle()), GoldenPath("ui/golden/menu_options.png")));
  Key(VK_ESCAPE);
  Key(VK_ESCAPE);
  AltKey('F');
  Run(150);
  ASSERT_EQ(DropDown()->SelectedIndex(), kOpenRow);
  EXPECT_TRUE(MatchesGolden(ShotOf(DropDown()->Handle()), GoldenPath("ui/golden/menu_file.png")));
}

}  // namespace
