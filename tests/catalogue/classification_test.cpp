#include "catalogue/classification.h"

#include <gtest/gtest.h>

#include "catalogue_fixtures.h"

namespace catalogue {
namespace {

using test::Lst;
using V = std::vector<std::string>;

TEST(SplitMissionPath, LastTwoBackslashes) {
  MissionPathParts p = SplitMissionPath("C:\\Games\\XvT\\combat\\raid.tie");
  EXPECT_EQ(p.gameRoot, "C:\\Games\\XvT");
  EXPECT_EQ(p.parentDir, "combat");
  EXPECT_EQ(p.fileName, "raid.tie");
  p = SplitMissionPath("C:\\train\\a.tie");
  EXPECT_EQ(p.gameRoot, "C:");
  EXPECT_EQ(p.parentDir, "train");
}

TEST(SplitMissionPath, FewerThanTwoBackslashesHaveNoRootOrParent) {
  for (const char* path : {"C:\\raid.tie", "raid.tie", "\\raid.tie"}) {
    MissionPathParts p = SplitMissionPath(path);
    EXPECT_EQ(p.gameRoot, "") << path;
    EXPECT_EQ(p.parentDir, "") << path;
    EXPECT_EQ(p.fileName, "raid.tie") << path;
  }
  EXPECT_EQ(SplitMissionPath("").fileName, "");
  EXPECT_EQ(SplitMissionPath("C:\\").fileName, "");
}

TEST(SplitMissionPath, DeepPathsSplitAtTheRealEnd) {
  std::string root = "C:";
  for (int i = 0; i < 25; ++i) root += "\\d" + std::to_string(i);
  MissionPathParts p = SplitMissionPath(root + "\\combat\\deep.tie");
  EXPECT_EQ(p.gameRoot, root);
  EXPECT_EQ(p.parentDir, "combat");
  EXPECT_EQ(p.fileName, "deep.tie");
}

TEST(SplitMissionPath, EmptyComponentsStay) {
  MissionPathParts p = SplitMissionPath("C:\\XvT\\\\combat\\a.tie");
  EXPECT_EQ(p.gameRoot, "C:\\XvT\\");
  EXPECT_EQ(SplitMissionPath("C:\\XvT\\combat\\\\a.tie").parentDir, "");
}

TEST(AnsiLowerCase, AsciiAndAccentedLetters) {
  EXPECT_EQ(AnsiLowerCase("C:\\GAMES\\XvT"), "c:\\games\\xvt");
  EXPECT_EQ(AnsiLowerCase("\xC9T\xC9 \xD7 \x8A\x9F"), "\xE9t\xE9 \xD7 \x9A\xFF");
}

class Open : public ::testing::Test {
 protected:
  PlainMissionDetails details;
  MissionSelection selection;
  GameInstalls installs = test::BothInstalled();
  MemoryListFiles files;
  OpenContext ctx{details, selection, installs, files};

  void SetUp() override { test::PutAllLists(files, installs); }
  void OpenPath(const std::string& path) { OpenMissionFile(ctx, path); }
};

TEST_F(Open, XvTCombatIgnoringCase) {
  installs.xvt.path = "C:\\GAMES\\XVT";
  details.spChecked = true;
  OpenPath("C:\\Games\\XvT\\combat\\raid.tie");
  EXPECT_EQ(details.filename, "raid.tie");
  EXPECT_EQ(details.missionType, "XvT Combat");
  EXPECT_EQ(selection.game, gmXvT);
  EXPECT_EQ(selection.type, mtCombat);
  EXPECT_EQ(details.checkedSide, sbBoth);
  EXPECT_EQ(details.sideEnabled, (std::array<bool, 3>{false, false, true}));
  EXPECT_FALSE(details.spEnabled);
  EXPECT_TRUE(details.spChecked);  // disabled, check kept
  EXPECT_EQ(details.sectionItems, (V{"[xvt\\combat\\mission.lst]"}));
  EXPECT_TRUE(details.installEnabled);
}

TEST_F(Open, BoPTrainingThenRebelSide) {
  OpenPath(std::string(test::kBoP) + "\\Train\\t.tie");
  EXPECT_EQ(details.missionType, "BoP Training");
  EXPECT_EQ(details.checkedSide, sbImperial);
  EXPECT_EQ(details.sideEnabled, (std::array<bool, 3>{true, true, false}));
  EXPECT_TRUE(details.spEnabled);
  EXPECT_EQ(details.sectionItems, (V{"[bop\\train\\imperial.lst]"}));
  details.SetSideChecked(sbRebel);
  SideClick(ctx);
  EXPECT_EQ(details.sectionItems, (V{"[bop\\train\\rebel.lst]"}));
}

TEST_F(Open, MeleeDisablesEverySide) {
  details.spChecked = true;
  details.missionSection = "[kept]";
  OpenPath(std::string(test::kXvT) + "\\MELEE\\m.tie");
  EXPECT_EQ(details.missionType, "XvT Melee");
  EXPECT_EQ(details.checkedSide, sbBoth);
  EXPECT_EQ(details.sideEnabled, (std::array<bool, 3>{false, false, false}));
  EXPECT_FALSE(details.spChecked);
  EXPECT_FALSE(details.spEnabled);
  EXPECT_EQ(details.missionSection, "[kept]");  // the edit text stays
}

TEST_F(Open, BoPWinsWhenBothGamesShareAFolder) {
  installs.bop.path = test::kXvT;
  OpenPath(std::string(test::kXvT) + "\\combat\\c.tie");
  EXPECT_EQ(details.missionType, "BoP Combat");
  EXPECT_EQ(selection.game, gmBoP);
}

TEST_F(Open, OutsideBothGamesKeepsOldGameAndCaption) {
  OpenPath("C:\\Elsewhere\\combat\\x.tie");
  EXPECT_EQ(details.missionType, "No File LoadedCombat");
  EXPECT_EQ(selection.game, gmNone);
  EXPECT_TRUE(details.sectionItems.empty());
  // An earlier classification still selects a list.
  OpenPath(std::string(test::kXvT) + "\\melee\\m.tie");
  OpenPath("D:\\Other\\notatype\\x.tie");
  EXPECT_EQ(details.missionType, "XvT Melee");
  EXPECT_EQ(selection.type, mtMelee);
  EXPECT_EQ(details.sideEnabled, (std::array<bool, 3>{true, true, true}));
  EXPECT_EQ(details.sectionItems, (V{"[xvt\\melee\\mission.lst]"}));
}

TEST_F(Open, UnknownParentLeavesTheGameWordAlone) {
  OpenPath(std::string(test::kXvT) + "\\missions\\x.tie");
  EXPECT_EQ(details.missionType, "XvT ");
  EXPECT_EQ(selection.type, mtNone);
  EXPECT_TRUE(details.sectionItems.empty());
}

TEST_F(Open, CancelledDialogRefillsFromTheEarlierSelection) {
  OpenPath(std::string(test::kXvT) + "\\combat\\c.tie");
  details.installEnabled = false;
  details.sectionItems.clear();
  OpenMissionFile(ctx, std::nullopt);
  EXPECT_EQ(details.filename, "c.tie");
  EXPECT_EQ(details.missionType, "XvT Combat");  // a no-match keeps it
  EXPECT_EQ(details.sideEnabled, (std::array<bool, 3>{true, true, true}));
  EXPECT_EQ(details.sectionItems, (V{"[xvt\\combat\\mission.lst]"}));
  EXPECT_TRUE(details.installEnabled);
}

TEST_F(Open, HeaderTwiceIsOfferedTwice) {
  files.Put(std::string(test::kXvT) + "\\combat\\mission.lst",
            Lst({"//", "[A]", "//", "1", "a", "A", "//", "[A]", "//"}));
  OpenPath(std::string(test::kXvT) + "\\combat\\c.tie");
  EXPECT_EQ(details.sectionItems, (V{"[A]", "[A]"}));
}

TEST_F(Open, MissingListStopsBeforeInstallIsEnabled) {
  MemoryListFiles empty;
  OpenContext bare{details, selection, installs, empty};
  EXPECT_THROW(OpenMissionFile(bare, std::string(test::kXvT) + "\\combat\\c.tie"), hostfs::FileError);
  EXPECT_FALSE(details.installEnabled);
  EXPECT_EQ(details.missionType, "XvT Combat");
}

struct FakeDialog : FileOpenDialog {
  std::optional<std::string> answer;
  std::string start, filter;
  std::optional<std::string> Choose(const std::string& s, const std::string& f) override {
    start = s;
    filter = f;
    return answer;
  }
};
struct FakePrompts : Prompts {
  V shown;
  void Information(const std::string& t) override { shown.push_back("info " + t); }
  void Error(const std::string& t) override { shown.push_back("error " + t); }
};

TEST_F(Open, WholeCommandNeedsABuiltTree) {
  MemoryTree tree;
  FakeDialog dialog;
  FakePrompts prompts;
  details.missionName = "typed";
  OpenFileClick(ctx, tree, dialog, prompts);
  EXPECT_EQ(prompts.shown, (V{"info You must build a Mission Tree first."}));
  EXPECT_EQ(details.missionName, "typed");
  tree.AddTopLevel("XvT");
  dialog.answer = std::string(test::kXvT) + "\\train\\t.tie";
  OpenFileClick(ctx, tree, dialog, prompts);
  EXPECT_EQ(details.missionName, "");
  EXPECT_EQ(dialog.start, test::kXvT);
  EXPECT_EQ(dialog.filter, "XvT/BoP Missions (*.tie)|*.tie|All Files (*.*)|*.*");
  EXPECT_EQ(details.missionType, "XvT Training");
}

TEST(OpenDialogStart, TrailingBackslashDroppedExceptAtDriveRoot) {
  GameInstalls g;
  g.xvt.path = "C:\\Games\\XvT\\";
  EXPECT_EQ(OpenDialogStartFolder(g), "C:\\Games\\XvT");
  g.xvt.path = "C:\\";
  EXPECT_EQ(OpenDialogStartFolder(g), "C:\\");
  g.xvt = GameInstall{};
  EXPECT_EQ(OpenDialogStartFolder(g), "Not Installed!");
}

}  // namespace
}  // namespace catalogue
