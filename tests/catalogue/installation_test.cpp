#include "catalogue/installation.h"

#include <gtest/gtest.h>

#include "catalogue_fixtures.h"

namespace catalogue {
namespace {

using test::Lst;
using V = std::vector<std::string>;

const std::string kCombat = std::string(test::kXvT) + "\\combat\\mission.lst";

TEST(InstallTargets, EveryRowOfTheTable) {
  EXPECT_EQ(InstallTargets(mtTraining, sdRebel, true), (V{"\\train\\rebel.lst"}));
  EXPECT_EQ(InstallTargets(mtTraining, sdRebel, false), (V{"\\train\\rebel.lst", "\\train\\mission.lst"}));
  EXPECT_EQ(InstallTargets(mtTraining, sdImperial, true), (V{"\\train\\imperial.lst"}));
  EXPECT_EQ(InstallTargets(mtTraining, sdImperial, false), (V{"\\train\\imperial.lst", "\\train\\mission.lst"}));
  V combat{"\\combat\\mission.lst", "\\combat\\rebel.lst", "\\combat\\imperial.lst"};
  EXPECT_EQ(InstallTargets(mtCombat, sdBoth, true), combat);
  EXPECT_EQ(InstallTargets(mtCombat, sdBoth, false), combat);
  EXPECT_EQ(InstallTargets(mtMelee, sdBoth, false), (V{"\\melee\\mission.lst"}));
  EXPECT_EQ(InstallTargets(mtMelee, sdBoth, true), (V{"\\melee\\mission.lst"}));
}

TEST(InstallTargets, OtherCombinationsWriteNothing) {
  EXPECT_TRUE(InstallTargets(mtTraining, sdBoth, false).empty());
  EXPECT_TRUE(InstallTargets(mtCombat, sdRebel, false).empty());
  EXPECT_TRUE(InstallTargets(mtMelee, sdImperial, true).empty());
  EXPECT_TRUE(InstallTargets(mtNone, sdBoth, false).empty());
}

class Insert : public ::testing::Test {
 protected:
  MemoryListFiles files;
  TextBuffer buffer{files};
  NewMission mission{"[Deep Strike]", "new.tie", "New One"};

  std::int32_t Run(const std::string& text, bool show = false) {
    files.Put(kCombat, text);
    return InsertIntoList(kCombat, mission, files, buffer, show);
  }
  std::string Saved() const { return files.Get(kCombat); }
};

TEST_F(Insert, FirstInItsSectionNumberedAboveTheHighest) {
  EXPECT_EQ(Run(Lst({"//", "[Patrol]", "//", "41", "a.tie", "A", "//", "[Deep Strike]", "//", "3", "b.tie", "B"})),
            42);
  EXPECT_EQ(Saved(), Lst({"//", "[Patrol]", "//", "41", "a.tie", "A", "//", "[Deep Strike]", "//", "42", "new.tie",
                          "New One", "3", "b.tie", "B"}));
}

TEST_F(Insert, NewSectionAtTheEndOfAFileWithoutFinalLineEnd) {
  Run("//\r\n[Patrol]\r\n//\r\n41\r\na.tie\r\nA");
  EXPECT_EQ(Saved(), Lst({"//", "[Patrol]", "//", "41", "a.tie", "A", "//", "[Deep Strike]", "//", "42", "new.tie",
                          "New One"}));
}

TEST_F(Insert, EmptyFileGetsSectionAndNumberOne) {
  EXPECT_EQ(Run(""), 1);
  EXPECT_EQ(Saved(), Lst({"//", "[Deep Strike]", "//", "1", "new.tie", "New One"}));
}

TEST_F(Insert, SectionMatchIsExact) {
  Run(Lst({"//", "[deep strike]", "//", "//", "[Deep Strike] ", "//"}));
  EXPECT_EQ(Saved(), Lst({"//", "[deep strike]", "//", "//", "[Deep Strike] ", "//", "//", "[Deep Strike]", "//",
                          "1", "new.tie", "New One"}));
}

TEST_F(Insert, HeaderTwiceGetsTheMissionTwice) {
  Run(Lst({"//", "[Deep Strike]", "//", "5", "a", "A", "//", "[Deep Strike]", "//"}));
  EXPECT_EQ(Saved(), Lst({"//", "[Deep Strike]", "//", "6", "new.tie", "New One", "5", "a", "A", "//",
                          "[Deep Strike]", "//", "6", "new.tie", "New One"}));
}

TEST_F(Insert, GroupOpenUntilItsClosingSeparator) {
  // The line after the header is not "//": copying goes on to the next one.
  Run(Lst({"//", "[Deep Strike]", "note", "-1", "//", "[B]", "//", "2", "a", "A"}));
  EXPECT_EQ(Saved(), Lst({"//", "[Deep Strike]", "note", "-1", "//", "3", "new.tie", "New One", "[B]", "//", "2",
                          "a", "A"}));
}

TEST_F(Insert, HeaderWithoutClosingSeparatorPutsTheMissionAtTheEnd) {
  Run(Lst({"//", "[Deep Strike]", "x", "-1", "-7"}));
  EXPECT_EQ(Saved(), Lst({"//", "[Deep Strike]", "x", "-1", "-7", "1", "new.tie", "New One"}));
  // A title that reads like the header opens a group that never closes.
  Run(Lst({"4", "a.tie", "[Deep Strike]", "5", "b.tie", "B"}));
  EXPECT_EQ(Saved(), Lst({"4", "a.tie", "[Deep Strike]", "5", "b.tie", "B", "6", "new.tie", "New One"}));
  Run("//\r\n[Deep Strike]");
  EXPECT_EQ(Saved(), Lst({"//", "[Deep Strike]", "1", "new.tie", "New One"}));
}

TEST_F(Insert, ReadingRulesCarryOverToTheSavedText) {
  // Lines ended by CR alone come back with CR LF; text after Ctrl-Z is gone.
  Run("//\r[Deep Strike]\r//\r\x1a" "garbage");
  EXPECT_EQ(Saved(), Lst({"//", "[Deep Strike]", "//", "1", "new.tie", "New One"}));
}

TEST_F(Insert, BufferCaptionAndShowing) {
  buffer.shown = false;
  Run("", false);
  EXPECT_EQ(buffer.caption, "LST FILE:" + kCombat);
  EXPECT_FALSE(buffer.shown);
  EXPECT_EQ(buffer.lines.size(), 6u);  // filled all the same
  Run("", true);
  EXPECT_TRUE(buffer.shown);
}

TEST_F(Insert, BadNumberOrMissingFileWritesNothing) {
  files.Put(kCombat, Lst({"//", "[A]", "//", "x", "a", "A"}));
  EXPECT_THROW(InsertIntoList(kCombat, mission, files, buffer, false), ConvertError);
  EXPECT_THROW(InsertIntoList("C:\\none.lst", mission, files, buffer, false), hostfs::FileError);
  EXPECT_EQ(files.replaces, 0);
}

TEST_F(Insert, HighestNumberCannotGrowFurther) {
  files.Put(kCombat, Lst({"2147483647", "a", "A"}));
  EXPECT_THROW(InsertIntoList(kCombat, mission, files, buffer, false), std::range_error);
  EXPECT_EQ(files.replaces, 0);
}

struct LoggingPrompts : Prompts {
  V* log;
  explicit LoggingPrompts(V* l) : log(l) {}
  void Information(const std::string& t) override { log->push_back("info " + t); }
  void Error(const std::string& t) override { log->push_back("error " + t); }
};

// Records the order of boxes and saves in one log.
struct LoggingFiles : MemoryListFiles {
  V* log;
  explicit LoggingFiles(V* l) : log(l) {}
  void Replace(const std::string& path, const std::string& bytes) override {
    MemoryListFiles::Replace(path, bytes);
    log->push_back("save " + path);
  }
};

class InstallCommand : public ::testing::Test {
 protected:
  V log;
  PlainMissionDetails details;
  MissionSelection selection;
  GameInstalls installs = test::BothInstalled();
  LoggingFiles files{&log};
  LoggingPrompts prompts{&log};
  PlainConfirmDialog confirm;
  TextBuffer buffer{files};
  InstallContext ctx{details, selection, installs, files, prompts, confirm, buffer, true};

  void SetUp() override { test::PutAllLists(files, installs); }
  void Opened(const std::string& type, SideButton side, bool sp) {
    details.filename = "new.tie";
    details.missionType = type;
    details.missionName = "Title";
    details.missionSection = "[New]";
    details.checkedSide = side;
    details.spChecked = sp;
    details.installEnabled = true;
    details.sectionItems = {"[x]"};
  }
  V Saves() const {
    V saves;
    for (const std::string& e : log) {
      if (e.rfind("save ", 0) == 0) saves.push_back(e.substr(5));
    }
    return saves;
  }
};

TEST_F(InstallCommand, ChecksInOrderWithTheirMessages) {
  struct Case {
    const char* name;
    const char* section;
    const char* message;
  };
  for (const Case& c : {Case{"", "", kNeedMissionName}, Case{"T", "", kNeedMissionSection},
                        Case{"T", "New]", kNeedOpeningBracket}, Case{"T", "[New", kNeedClosingBracket},
                        Case{"T", "[", kNeedClosingBracket}}) {
    log.clear();
    Opened("XvT Combat", sbBoth, false);
    details.missionName = c.name;
    details.missionSection = c.section;
    EXPECT_FALSE(InstallClick(ctx));
    EXPECT_EQ(log, (V{std::string("error ") + c.message}));
    EXPECT_EQ(confirm.shown, 0);
    EXPECT_EQ(details.missionName, c.name);  // the panel keeps its entries
  }
}

TEST_F(InstallCommand, TwoBracketsAlonePass) {
  Opened("XvT Melee", sbBoth, false);
  details.missionSection = "[]";
  EXPECT_TRUE(InstallClick(ctx));
  EXPECT_EQ(Saves(), (V{std::string(test::kXvT) + "\\melee\\mission.lst"}));
}

TEST_F(InstallCommand, ConfirmFieldsAndCancel) {
  Opened("XvT Training", sbRebel, false);
  confirm.answer = false;
  EXPECT_FALSE(InstallClick(ctx));
  EXPECT_EQ(confirm.game, "XvT");
  EXPECT_EQ(confirm.mType, "Training");
  EXPECT_EQ(confirm.sides, "Rebel");
  EXPECT_EQ(confirm.players, "Multi");
  EXPECT_EQ(confirm.mSection, "[New]");
  EXPECT_TRUE(Saves().empty());
  EXPECT_EQ(details.missionType, "XvT Training");
  Opened("BoP Combat", sbBoth, true);
  InstallClick(ctx);
  EXPECT_EQ(confirm.game, "BoP");
  EXPECT_EQ(confirm.mType, "Combat");
  EXPECT_EQ(confirm.sides, "Imperial;Rebel");
  EXPECT_EQ(confirm.players, "Single");
}

TEST_F(InstallCommand, MultiplayerRebelTrainingNumbersEachFileOnItsOwn) {
  std::string rebel = std::string(test::kXvT) + "\\train\\rebel.lst";
  std::string multi = std::string(test::kXvT) + "\\train\\mission.lst";
  files.Put(rebel, Lst({"//", "[New]", "//", "9", "r", "R"}));
  files.Put(multi, Lst({"//", "[New]", "//", "3", "m", "M"}));
  Opened("XvT Training", sbRebel, false);
  EXPECT_TRUE(InstallClick(ctx));
  EXPECT_EQ(Saves(), (V{rebel, multi}));
  EXPECT_EQ(files.Get(rebel), Lst({"//", "[New]", "//", "10", "new.tie", "Title", "9", "r", "R"}));
  EXPECT_EQ(files.Get(multi), Lst({"//", "[New]", "//", "4", "new.tie", "Title", "3", "m", "M"}));
  EXPECT_EQ(buffer.caption, "LST FILE:" + multi);  // the last file written
  EXPECT_TRUE(buffer.shown);
}

TEST_F(InstallCommand, BoPCombatShowsItsBoxBeforeAnyFile) {
  Opened("BoP Combat", sbBoth, false);
  EXPECT_TRUE(InstallClick(ctx));
  std::string b = test::kBoP;
  EXPECT_EQ(log, (V{"info Combat", "save " + b + "\\combat\\mission.lst", "save " + b + "\\combat\\rebel.lst",
                    "save " + b + "\\combat\\imperial.lst"}));
}

TEST_F(InstallCommand, BoPMeleeBoxAlsoWhenTheSideSelectsNoFile) {
  Opened("BoP Melee", sbRebel, false);
  EXPECT_TRUE(InstallClick(ctx));
  EXPECT_EQ(log, (V{"info Melee"}));
}

TEST_F(InstallCommand, XvTCombatShowsNoBox) {
  Opened("XvT Combat", sbBoth, false);
  EXPECT_TRUE(InstallClick(ctx));
  EXPECT_EQ(Saves().size(), 3u);
  EXPECT_EQ(log.front().rfind("save ", 0), 0u);
}

TEST_F(InstallCommand, ResetAfterwardsKeepsSelection) {
  Opened("XvT Training", sbImperial, true);
  EXPECT_TRUE(InstallClick(ctx));
  EXPECT_EQ(details.filename, "No File Loaded");
  EXPECT_EQ(details.missionType, "No File Loaded");
  EXPECT_EQ(details.missionName, "");
  EXPECT_EQ(details.missionSection, "");
  EXPECT_TRUE(details.sectionItems.empty());
  EXPECT_FALSE(details.spChecked);
  EXPECT_FALSE(details.spEnabled);
  EXPECT_EQ(details.sideEnabled, (std::array<bool, 3>{false, false, false}));
  EXPECT_EQ(details.checkedSide, sbImperial);
  EXPECT_FALSE(details.installEnabled);
  EXPECT_EQ(selection.game, gmXvT);
  EXPECT_EQ(selection.type, mtTraining);
  EXPECT_TRUE(selection.singlePlayer);
}

TEST_F(InstallCommand, FromTheMenuAfterAResetUsesTheLastSelection) {
  Opened("XvT Training", sbImperial, true);
  InstallClick(ctx);
  log.clear();
  details.missionName = "Again";
  details.missionSection = "[New]";
  details.SetSideChecked(sbImperial);
  EXPECT_TRUE(InstallClick(ctx));
  std::string imperial = std::string(test::kXvT) + "\\train\\imperial.lst";
  EXPECT_EQ(Saves(), (V{imperial, std::string(test::kXvT) + "\\train\\mission.lst"}));
  EXPECT_NE(files.Get(imperial).find("\r\nNo File Loaded\r\nAgain\r\n"), std::string::npos);
}

TEST_F(InstallCommand, NothingClassifiedWritesNothingButResets) {
  Opened("No File Loaded", sbBoth, false);
  EXPECT_TRUE(InstallClick(ctx));
  EXPECT_TRUE(Saves().empty());
  EXPECT_FALSE(details.installEnabled);
}

// Every target is read before the first is written: a bad number line or a
// missing list in the last one leaves the first untouched, so that running
// again once it is mended does not add the mission twice to the first.
TEST_F(InstallCommand, AFailingListStopsTheInstallBeforeAnyIsWritten) {
  std::string b = std::string(test::kXvT);
  std::string missionBefore = files.Get(b + "\\combat\\mission.lst");
  std::string imperialBefore = files.Get(b + "\\combat\\imperial.lst");
  files.Put(b + "\\combat\\rebel.lst", Lst({"//", "[New]", "//", "one", "a", "A"}));
  Opened("XvT Combat", sbBoth, false);
  EXPECT_THROW(InstallClick(ctx), ConvertError);
  files.Put(b + "\\combat\\rebel.lst", "");
  files.Put(b + "\\combat\\imperial.lst", "//\r\n[X]\r\n//\r\n2147483647\r\na\r\nA\r\n");
  EXPECT_THROW(InstallClick(ctx), std::range_error);
  EXPECT_TRUE(Saves().empty());
  EXPECT_EQ(files.Get(b + "\\combat\\mission.lst"), missionBefore);
  EXPECT_EQ(details.missionName, "Title");
  EXPECT_TRUE(details.installEnabled);
  files.Put(b + "\\combat\\imperial.lst", imperialBefore);
  EXPECT_TRUE(InstallClick(ctx));
  EXPECT_EQ(Saves().size(), 3u);
}

// "?" stands where the host's name had a character Windows-1252 lacks.
TEST_F(InstallCommand, AFileNameNoWindowsFileHasIsRefusedBeforeTheDialog) {
  Opened("XvT Combat", sbBoth, false);
  for (const char* name : {"?.tie", "a*.tie"}) {
    details.filename = name;
    try {
      InstallClick(ctx);
      ADD_FAILURE() << name;
    } catch (const std::invalid_argument& e) {
      EXPECT_STREQ(e.what(), kNameOutsideCodePage);
    }
  }
  EXPECT_TRUE(log.empty());
  EXPECT_TRUE(details.installEnabled);
}

TEST_F(InstallCommand, FailedSaveKeepsTheList) {
  std::string before = files.Get(kCombat);
  files.failReplace = [](const std::string& path) { throw hostfs::FileError("Cannot create file " + path, 5); };
  Opened("XvT Combat", sbBoth, false);
  try {
    InstallClick(ctx);
    FAIL();
  } catch (const hostfs::FileError& e) {
    EXPECT_EQ(std::string(e.what()), "Cannot create file " + kCombat);
  }
  EXPECT_EQ(files.Get(kCombat), before);
  EXPECT_TRUE(details.installEnabled);
}

}  // namespace
}  // namespace catalogue
