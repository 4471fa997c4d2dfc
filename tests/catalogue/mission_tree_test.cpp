#include "catalogue/mission_tree.h"

#include <gtest/gtest.h>

#include "catalogue_fixtures.h"

namespace catalogue {
namespace {

using test::Lst;

// The tree as indented captions, as the command line prints it.
std::vector<std::string> Dump(const MissionTreeView& tree) {
  std::vector<std::string> out;
  tree.Visit([&](NodeRef, std::string_view caption, int level) {
    out.push_back(std::string(static_cast<std::size_t>(level) * 2, ' ') + std::string(caption));
    return true;
  });
  return out;
}

using V = std::vector<std::string>;

TEST(MemoryTree, VisitsDepthFirstWhateverTheOrderOfAdding) {
  MemoryTree t;
  NodeRef a = t.AddTopLevel("a");
  NodeRef b = t.AddTopLevel("b");
  NodeRef a1 = t.AddChild(a, "a1");
  t.AddChild(b, "b1");
  t.AddChild(a1, "a1x");
  t.AddChild(a, "a2");
  EXPECT_EQ(Dump(t), (V{"a", "  a1", "    a1x", "  a2", "b", "  b1"}));
  EXPECT_EQ(t.Count(), 6u);
  EXPECT_EQ(t.Children(kNoNode), (std::vector<NodeRef>{a, b}));
  EXPECT_EQ(t.Parent(a1), a);
}

TEST(MemoryTree, FindCaptionGivesTheFirstInDepthFirstOrder) {
  MemoryTree t;
  NodeRef a = t.AddTopLevel("a");
  NodeRef b = t.AddTopLevel("b");
  NodeRef late = t.AddChild(b, "x");
  NodeRef early = t.AddChild(a, "x");  // added later, but comes first
  EXPECT_EQ(t.FindCaption("x"), early);
  EXPECT_NE(late, early);
  EXPECT_EQ(t.FindCaption("X"), kNoNode);
  t.Clear();
  EXPECT_EQ(t.Count(), 0u);
  EXPECT_EQ(t.FindCaption("a"), kNoNode);
  EXPECT_TRUE(Dump(t).empty());
}

TEST(RoundHalfEven, HalvesGoToTheEvenNeighbour) {
  EXPECT_EQ(RoundHalfEven(0.4), 0);
  EXPECT_EQ(RoundHalfEven(0.5), 0);
  EXPECT_EQ(RoundHalfEven(1.5), 2);
  EXPECT_EQ(RoundHalfEven(2.5), 2);
  EXPECT_EQ(RoundHalfEven(2.5000001), 3);
  EXPECT_EQ(RoundHalfEven(-0.5), 0);
  EXPECT_EQ(RoundHalfEven(-1.5), -2);
}

class TreeBuild : public ::testing::Test {
 protected:
  MemoryListFiles files;
  MemoryTree tree;
  test::RecordingStatus status;
  test::ManualClock clock;
  BuildState state;
  GameInstalls installs = test::BothInstalled();
  BuildOptions options;

  void SetUp() override { clock.times = {1000.0}; }
  void PutGame(const std::string& path, const std::string& tag) {
    files.Put(path + "\\TRAIN\\imperial.lst", Lst({"//", "[" + tag + " imp]", "//", "1", "i.tie", "Imp"}));
    files.Put(path + "\\train\\REBEL.lst", Lst({"//", "[" + tag + " reb]", "//", "1", "r.tie", "Reb"}));
    files.Put(path + "\\melee\\mission.lst", Lst({"//", "[" + tag + " mel]", "//"}));
    files.Put(path + "\\combat\\mission.lst", Lst({"1", "early.tie", "Early", "//", "[" + tag + " com]", "//",
                                                   "2", "c.tie", "Com"}));
  }
  void Build() { BuildMissionTree(installs, options, files, tree, status, clock, state); }
};

TEST_F(TreeBuild, BothGamesFourListsEach) {
  PutGame(test::kXvT, "x");
  PutGame(test::kBoP, "b");
  Build();
  V xvt{"XvT",          "  Imperial Training", "    [x imp]",       "      Imp - i.tie",
        "  Rebel Training", "    [x reb]",     "      Reb - r.tie", "  Melees",
        "    [x mel]",  "  Combat",           "    Early - early.tie", "    [x com]",
        "      Com - c.tie"};
  V bop{"BoP",              "  BoP Imperial Training", "    [b imp]",       "      Imp - i.tie",
        "  BoP Rebel Training", "    [b reb]",         "      Reb - r.tie", "  BoP Melees",
        "    [b mel]",      "  BoP Combat",            "    Early - early.tie", "    [b com]",
        "      Com - c.tie"};
  V both = xvt;
  both.insert(both.end(), bop.begin(), bop.end());
  EXPECT_EQ(Dump(tree), both);
  EXPECT_EQ(state.missionTotal, 8);
  EXPECT_EQ(state.secondGameNode, tree.Children(kNoNode).at(1));
  EXPECT_EQ(status.panel[0], "Done.");
  EXPECT_EQ(status.panel[1], "8 Missions, in 0 seconds.");
}

TEST_F(TreeBuild, SecondBuildGivesTheSameTree) {
  PutGame(test::kXvT, "x");
  PutGame(test::kBoP, "b");
  Build();
  V first = Dump(tree);
  Build();
  EXPECT_EQ(Dump(tree), first);
  EXPECT_EQ(state.missionTotal, 8);
}

TEST_F(TreeBuild, OnlyBoPWhenXvTUncheckedOrAbsent) {
  PutGame(test::kBoP, "b");  // no XvT lists at all: they must not be read
  options.xvtMissions = false;
  Build();
  EXPECT_EQ(tree.Children(kNoNode).size(), 1u);
  EXPECT_EQ(tree.Caption(tree.Children(kNoNode)[0]), "BoP");
  options.xvtMissions = true;
  installs.xvt = GameInstall{};
  Build();
  EXPECT_EQ(Dump(tree).front(), "BoP");
  EXPECT_EQ(state.missionTotal, 4);
}

TEST_F(TreeBuild, NeitherGameGivesAnEmptyTree) {
  options.bopMissions = false;
  installs.xvt = GameInstall{};
  Build();
  EXPECT_EQ(tree.Count(), 0u);
  EXPECT_EQ(state.secondGameNode, kNoNode);
  EXPECT_EQ(status.panel[0], "Done.");
  EXPECT_EQ(status.panel[1], "0 Missions, in 0 seconds.");
}

TEST_F(TreeBuild, ElapsedSecondsRoundHalfToEven) {
  options.bopMissions = false;
  installs.xvt = GameInstall{};
  clock.times = {10.0, 10.0 + 2.5 / 86400.0};
  Build();
  EXPECT_EQ(status.panel[1], "0 Missions, in 2 seconds.");
  clock.next = 0;
  clock.times = {10.0, 10.0 + 3.7 / 86400.0};
  Build();
  EXPECT_EQ(status.panel[1], "0 Missions, in 4 seconds.");
}

TEST_F(TreeBuild, MissingListStopsWithNodesSoFar) {
  PutGame(test::kXvT, "x");
  MemoryListFiles partial;  // XvT's training lists only
  for (const char* s : {"\\TRAIN\\imperial.lst", "\\train\\REBEL.lst"}) {
    partial.Put(std::string(test::kXvT) + s, files.Get(std::string(test::kXvT) + s));
  }
  state.secondGameNode = 77;  // left from an earlier build
  try {
    BuildMissionTree(installs, options, partial, tree, status, clock, state);
    FAIL();
  } catch (const hostfs::FileError& e) {
    EXPECT_STREQ(e.what(), "File not found");
  }
  EXPECT_EQ(Dump(tree), (V{"XvT", "  Imperial Training", "    [x imp]", "      Imp - i.tie", "  Rebel Training",
                           "    [x reb]", "      Reb - r.tie"}));
  EXPECT_EQ(state.missionTotal, 2);
  EXPECT_EQ(state.secondGameNode, kNoNode);
  EXPECT_EQ(status.panel[0], "Adding Missions...(2)");
  EXPECT_EQ(status.panel[1], "Reb");  // the last line shown: the title
}

TEST_F(TreeBuild, BadNumberStopsTheBuildAtThatLine) {
  PutGame(test::kXvT, "x");
  files.Put(std::string(test::kXvT) + "\\train\\rebel.lst", Lst({"//", "[r]", "//", "1", "a.tie", "A", "2 ",
                                                                 "b.tie", "B"}));
  options.bopMissions = false;
  try {
    Build();
    FAIL();
  } catch (const ConvertError& e) {
    EXPECT_STREQ(e.what(), "'2 ' is not a valid integer value");
  }
  EXPECT_EQ(Dump(tree).back(), "      A - a.tie");
  EXPECT_EQ(status.panel[1], "2 ");
  EXPECT_EQ(status.panel[0], "Adding Missions...(2)");
}

TEST_F(TreeBuild, StatusShowsEveryGroupLineThenTheTitle) {
  struct Log : StatusSink {
    V lines;
    void SetPanelText(int panel, std::string_view t) override { lines.push_back(std::to_string(panel) + ":" + std::string(t)); }
  } log;
  files.Put("C:\\x.lst", Lst({"//", "[S]", "//", "-3", "4", "f.tie", "T"}));
  AddListToTree("C:\\x.lst", "G", "C", files, tree, log, state);
  EXPECT_EQ(log.lines, (V{"1://", "1:-3", "1:4", "1:T", "0:Adding Missions...(1)"}));
}

TEST_F(TreeBuild, CaptionsAlreadyInTheTreeAreFoundAnywhere) {
  // A section named like a game takes that game's lists; a category caption
  // already present leaves its list unread.
  files.Put("C:\\a.lst", Lst({"//", "BoP", "//", "//", "Cat2", "//"}));
  files.Put("C:\\b.lst", Lst({"1", "b.tie", "B"}));
  files.Put("C:\\c.lst", Lst({"1", "c.tie", "C"}));
  NodeRef xvt = AddListToTree("C:\\a.lst", "XvT", "Cat1", files, tree, status, state);
  NodeRef bop = AddListToTree("C:\\b.lst", "BoP", "Cat3", files, tree, status, state);
  EXPECT_NE(bop, xvt);
  EXPECT_EQ(tree.Parent(tree.Parent(bop)), xvt);  // the section node
  AddListToTree("C:\\c.lst", "XvT", "Cat2", files, tree, status, state);
  EXPECT_EQ(Dump(tree), (V{"XvT", "  Cat1", "    BoP", "      Cat3", "        B - b.tie", "    Cat2"}));
  EXPECT_EQ(state.missionTotal, 1);
}

TEST_F(TreeBuild, FileIsReadBeforeTheGameNodeIsAdded) {
  EXPECT_THROW(AddListToTree("C:\\none.lst", "XvT", "Cat", files, tree, status, state), hostfs::FileError);
  EXPECT_EQ(tree.Count(), 0u);
}

}  // namespace
}  // namespace catalogue
