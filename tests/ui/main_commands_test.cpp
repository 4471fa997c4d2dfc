#include "ui/main_commands.h"

#include <gtest/gtest.h>

#include "ui_fixtures.h"

namespace ui {
namespace {

using namespace catalogue;
using test::MainWindowRig;

TEST(MainCommandsStart, PathLabelsShowTheRegistryOrNotInstalled) {
  MainWindowRig rig(false, true);
  EXPECT_EQ(rig.controls.xvtPath, kNotInstalled);
  EXPECT_EQ(rig.controls.bopPath, catalogue::test::kBoP);
  EXPECT_FALSE(rig.commands.Installs().xvt.present);
}

TEST(MainCommandsBuild, CompleteBuildSwitchesCaptionsAndEnablesTheOpenCommands) {
  MainWindowRig rig;
  rig.commands.RefreshClick();
  EXPECT_EQ(rig.controls.refreshCaption, "Refresh Mission List");
  EXPECT_EQ(rig.menu.Item(miBuildMissionList1).caption, "&Refresh Mission List");
  for (MenuItemId item : {miOpen1, miInstall1, miExpandAll1}) EXPECT_TRUE(rig.menu.Item(item).enabled) << item;
  EXPECT_FALSE(rig.menu.Item(miRemove1).enabled);
  EXPECT_TRUE(rig.controls.openFileEnabled);
  EXPECT_EQ(rig.status.panel[0], "Done.");
  EXPECT_EQ(rig.status.panel[1], "8 Missions, in 0 seconds.");
  EXPECT_NE(rig.commands.Build().secondGameNode, kNoNode);
}

TEST(MainCommandsBuild, AFailedBuildLeavesTheMenuEnabledButNotTheOpenButton) {
  MainWindowRig rig;
  rig.files.Put(std::string(catalogue::test::kXvT) + "\\melee\\mission.lst", "//\r\n[M]\r\n//\r\n7 \r\n");
  EXPECT_THROW(rig.commands.RefreshClick(), std::exception);
  EXPECT_TRUE(rig.menu.Item(miOpen1).enabled);
  EXPECT_FALSE(rig.controls.openFileEnabled);
  EXPECT_GT(rig.tree.Count(), 0u);  // what was added stays
}

TEST(MainCommandsBuild, OptionsChooseTheGamesOfTheNextBuild) {
  MainWindowRig rig;
  rig.commands.XvTMClick();
  EXPECT_FALSE(rig.menu.Checked(miXvTM));
  rig.commands.RefreshClick();
  ASSERT_EQ(rig.tree.nodes.Children(kNoNode).size(), 1u);
  EXPECT_EQ(rig.tree.nodes.Caption(rig.tree.FirstNode()), "BoP");
  rig.commands.XvTMClick();
  rig.commands.BoPMClick();
  rig.commands.RefreshClick();
  EXPECT_EQ(rig.tree.nodes.Caption(rig.tree.FirstNode()), "XvT");
  EXPECT_EQ(rig.commands.Build().secondGameNode, kNoNode);
}

TEST(MainCommandsOpen, NeedsABuiltTreeThenClassifiesFromTheXvTFolder) {
  MainWindowRig rig;
  rig.commands.OpenFileClick();
  ASSERT_EQ(rig.prompts.shown.size(), 1u);
  EXPECT_EQ(rig.prompts.shown[0], std::string("I:") + kBuildTreeFirst);

  rig.commands.RefreshClick();
  rig.dialog.answer = std::string(catalogue::test::kXvT) + "\\combat\\raid.tie";
  rig.commands.OpenFileClick();
  EXPECT_EQ(rig.dialog.startFolder, catalogue::test::kXvT);
  EXPECT_EQ(rig.dialog.filter, kMissionFilter);
  EXPECT_EQ(rig.details.filename, "raid.tie");
  EXPECT_EQ(rig.details.missionType, "XvT Combat");
  EXPECT_TRUE(rig.details.installEnabled);
  EXPECT_EQ(rig.details.sectionItems, std::vector<std::string>{"[xvt\\combat\\mission.lst]"});
}

TEST(MainCommandsInstall, ConfirmedTrainingInstallWritesTheListsAndResetsThePanel) {
  MainWindowRig rig;
  rig.commands.RefreshClick();
  rig.dialog.answer = std::string(catalogue::test::kBoP) + "\\TRAIN\\t1.tie";
  rig.commands.OpenFileClick();
  rig.details.SetSideChecked(sbRebel);
  rig.commands.SideClick();
  EXPECT_EQ(rig.details.sectionItems, std::vector<std::string>{"[bop\\train\\rebel.lst]"});
  rig.details.missionName = "Escape";
  rig.details.missionSection = "[New]";
  rig.commands.ShowLSTProcessing1Click();  // the window stays hidden, the buffer still fills
  rig.commands.InstallClick();

  EXPECT_EQ(rig.confirm.players, "Multi");
  const std::string rebel = rig.files.Get(std::string(catalogue::test::kBoP) + "\\train\\rebel.lst");
  EXPECT_NE(rebel.find("//\r\n[New]\r\n//\r\n2\r\nt1.tie\r\nEscape\r\n"), std::string::npos);
  EXPECT_TRUE(rig.files.Get(std::string(catalogue::test::kBoP) + "\\train\\mission.lst").ends_with("Escape\r\n"));
  EXPECT_FALSE(rig.contents.shown);
  EXPECT_EQ(rig.contents.caption, std::string("LST FILE:") + catalogue::test::kBoP + "\\train\\mission.lst");
  EXPECT_EQ(rig.details.filename, kNoFileLoaded);
  EXPECT_FALSE(rig.details.installEnabled);
}

TEST(MainCommandsInstall, CancelWritesNothing) {
  MainWindowRig rig;
  rig.commands.RefreshClick();
  rig.dialog.answer = std::string(catalogue::test::kXvT) + "\\melee\\m.tie";
  rig.commands.OpenFileClick();
  rig.details.missionName = "Brawl";
  rig.details.missionSection = "[x]";
  rig.confirm.answer = false;
  int before = rig.files.replaces;
  rig.commands.InstallClick();
  EXPECT_EQ(rig.files.replaces, before);
  EXPECT_EQ(rig.details.missionName, "Brawl");
}

TEST(MainCommandsExpand, EmptyTreeIsAnInvalidIndexAndTheMarkStays) {
  MainWindowRig rig(false, false);
  rig.commands.RefreshClick();
  try {
    rig.commands.ExpandAll1Click();
    FAIL() << "expected an error";
  } catch (const std::exception& e) {
    EXPECT_STREQ(e.what(), kInvalidIndex);
  }
  EXPECT_FALSE(rig.menu.Checked(miExpandAll1));
}

TEST(MainCommandsExpand, BothBranchesOpenThenCloseByTheMark) {
  MainWindowRig rig;
  rig.commands.RefreshClick();
  rig.commands.ExpandAll1Click();
  EXPECT_TRUE(rig.menu.Checked(miExpandAll1));
  EXPECT_TRUE(rig.tree.Open("XvT"));
  EXPECT_TRUE(rig.tree.Open("BoP"));
  EXPECT_TRUE(rig.tree.Open("BoP Combat"));
  EXPECT_EQ(rig.tree.expanded.size(), rig.tree.Count());
  EXPECT_EQ(rig.menu.Item(miExpandAll1).caption, "&Expand Tree");

  // A new build keeps the mark, so the next click closes.
  rig.commands.RefreshClick();
  rig.tree.Expand(rig.tree.FirstNode(), false);
  rig.commands.ExpandAll1Click();
  EXPECT_FALSE(rig.menu.Checked(miExpandAll1));
  EXPECT_TRUE(rig.tree.expanded.empty());
}

TEST(MainCommandsExpand, OnlyBoPIsBothFirstAndSecondNode) {
  MainWindowRig rig(false, true);
  rig.commands.RefreshClick();
  rig.commands.ExpandAll1Click();
  EXPECT_TRUE(rig.tree.Open("BoP"));
  EXPECT_EQ(rig.tree.FirstNode(), rig.commands.Build().secondGameNode);
}

TEST(MainCommandsMenu, FadesSwitchAndWindowCommands) {
  MainWindowRig rig;
  rig.commands.MenuFades1Click();
  EXPECT_FALSE(rig.controls.fadeIn);
  EXPECT_FALSE(rig.menu.Checked(miMenuFades1));
  rig.commands.MenuFades1Click();
  EXPECT_TRUE(rig.controls.fadeIn);
  EXPECT_TRUE(rig.menu.Checked(miMenuFades1));

  rig.commands.Help2Click();
  rig.commands.Help2Click();
  rig.commands.About1Click();
  rig.commands.Exit1Click();
  EXPECT_EQ(rig.controls.instructionsShown, 2);
  EXPECT_EQ(rig.controls.aboutShown, 1);
  EXPECT_TRUE(rig.controls.terminated);
}

}  // namespace
}  // namespace ui
