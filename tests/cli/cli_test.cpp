// xvtinst-cli end to end: the built program on a temporary copy of the demo
// install, its output and the list files it leaves on disk.
#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "temp_prefix.h"

extern char** environ;

namespace {

namespace fs = std::filesystem;
using catalogue::test::TempPrefix;

struct Result {
  int status = -1;
  std::string out;
  std::string err;
};

class Cli : public ::testing::Test {
 protected:
  TempPrefix prefix{true};
  fs::path xvt = prefix.C() / "Games" / "XvT";
  fs::path bop = xvt / "BalanceOfPower";

  // Starts the program with --wine-prefix first unless `bare`; its output
  // goes to files named after `tag`.
  pid_t Start(std::vector<std::string> args, bool bare = false, const std::string& tag = "") {
    if (!bare) args.insert(args.begin(), {"--wine-prefix", prefix.Dir().string()});
    args.insert(args.begin(), XVTINST_CLI);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, OutFile(tag, "stdout").c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    posix_spawn_file_actions_addopen(&actions, 2, OutFile(tag, "stderr").c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    std::vector<char*> argv;
    for (std::string& a : args) argv.push_back(a.data());
    argv.push_back(nullptr);
    pid_t pid = 0;
    if (posix_spawn(&pid, XVTINST_CLI, &actions, nullptr, argv.data(), environ) != 0) pid = -1;
    posix_spawn_file_actions_destroy(&actions);
    return pid;
  }

  Result Finish(pid_t pid, const std::string& tag = "") {
    Result r;
    int wstatus = 0;
    if (pid > 0 && waitpid(pid, &wstatus, 0) == pid) r.status = WIFEXITED(wstatus) ? WEXITSTATUS(wstatus) : -1;
    for (auto [name, text] : {std::pair{"stdout", &r.out}, std::pair{"stderr", &r.err}}) {
      *text = TempPrefix::Slurp(OutFile(tag, name));
      fs::remove(OutFile(tag, name));
    }
    return r;
  }

  Result Run(std::vector<std::string> args, bool bare = false) { return Finish(Start(std::move(args), bare)); }

  fs::path OutFile(const std::string& tag, const char* stream) const {
    return prefix.Dir() / (std::string(stream) + tag + ".txt");
  }
};

const char* const kDemoTree =
    "XvT\n"
    "  Imperial Training\n"
    "    [Academy Basics]\n"
    "      First Flight - drill01.tie\n"
    "      Gunnery Range - drill02.tie\n"
    "    [Advanced Tactics]\n"
    "      Formation Break - drill03.tie\n"
    "  Rebel Training\n"
    "    [Rebel Flight School]\n"
    "      Asteroid Slalom - rdrill1.tie\n"
    "      Torpedo Run - rdrill2.tie\n"
    "  Melees\n"
    "    [Free For All]\n"
    "      Dust Storm Brawl - arena1.tie\n"
    "      Nebula Knife Fight - arena2.tie\n"
    "    [Team Melee]\n"
    "      Two on Two - arena5.tie\n"
    "  Combat\n"
    "    [Frontier Patrol]\n"
    "      Quiet Border - patrol1.tie\n"
    "      Convoy Ambush - patrol2.tie\n"
    "    [Deep Strike]\n"
    "      Relay Station Raid - strike7.tie\n";

TEST_F(Cli, PathsFromTheWow6432View) {
  Result r = Run({"paths"});
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.out, "XvT: C:\\Games\\XvT\nBoP: C:\\Games\\XvT\\BalanceOfPower\n");
  EXPECT_EQ(r.err, "");
}

TEST_F(Cli, PathsWithoutRegistryOrWithAForeignFile) {
  fs::remove(prefix.Dir() / "system.reg");
  Result r = Run({"paths"});
  EXPECT_EQ(r.out, "XvT: Not Installed!\nBoP: Not Installed!\n");
  EXPECT_EQ(r.status, 0);
  TempPrefix::Write(prefix.Dir() / "system.reg", "just some text\n");
  r = Run({"paths"});
  EXPECT_EQ(r.out, "XvT: Not Installed!\nBoP: Not Installed!\n");
  EXPECT_NE(r.err, "");  // the warning
}

TEST_F(Cli, PathOfTheWrongTypeIsAnError) {
  TempPrefix::Write(prefix.Dir() / "system.reg",
                    "WINE REGISTRY Version 2\n\n[Software\\\\LucasArts Entertainment Company\\\\X-Wing vs. TIE "
                    "Fighter\\\\1.0] 1700000000\n\"Install Path\"=dword:00000001\n");
  Result r = Run({"paths"});
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.err, "Invalid data type for 'Install Path'.\n");
}

TEST_F(Cli, TreeOfTheDemoInstall) {
  Result r = Run({"tree"});
  EXPECT_EQ(r.status, 0);
  ASSERT_EQ(r.out.rfind(kDemoTree, 0), 0u) << r.out;
  EXPECT_NE(r.out.find("\nBoP\n  BoP Imperial Training\n    [Officer Trials]\n"), std::string::npos);
  EXPECT_TRUE(r.out.ends_with("      Cruiser Screen - siege4.tie\n18 Missions\n")) << r.out;
  EXPECT_EQ(Run({"tree", "--no-bop"}).out, std::string(kDemoTree) + "11 Missions\n");
  EXPECT_EQ(Run({"tree", "--no-xvt"}).out.rfind("BoP\n", 0), 0u);
  EXPECT_EQ(Run({"tree", "--no-xvt", "--no-bop"}).out, "0 Missions\n");
}

TEST_F(Cli, TreeStopsAtAMissingList) {
  fs::remove(xvt / "Melee" / "MISSION.LST");
  Result r = Run({"tree"});
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.err, "File not found.\n");
  EXPECT_TRUE(r.out.ends_with("      Torpedo Run - rdrill2.tie\n")) << r.out;
}

TEST_F(Cli, TreeStopsAtABadNumber) {
  TempPrefix::Write(bop / "melee" / "mission.lst", "//\r\n[Ring]\r\n//\r\n1 \r\nx.tie\r\nX\r\n");
  Result r = Run({"tree"});
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.err, "'1 ' is not a valid integer value.\n");
  EXPECT_TRUE(r.out.ends_with("  BoP Melees\n    [Ring]\n")) << r.out;
}

TEST_F(Cli, SectionsByWindowsPathAndByHostPath) {
  Result r = Run({"sections", "c:\\games\\xvt\\COMBAT\\ember.tie"});
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.out, "XvT Combat\n[Frontier Patrol]\n[Deep Strike]\n");
  r = Run({"sections", (bop / "Train" / "cadet.tie").string()});
  EXPECT_EQ(r.out, "BoP Training\n[Officer Trials]\n");
  r = Run({"sections", (bop / "Train" / "cadet.tie").string(), "--side", "rebel"});
  EXPECT_EQ(r.out, "BoP Training\n[Recruit Course]\n");
  EXPECT_EQ(Run({"sections", "C:/Games/XvT/combat/ember.tie"}).out, "XvT Combat\n[Frontier Patrol]\n[Deep Strike]\n");
  r = Run({"sections", (xvt / "Melee" / "crossfire.tie").string()});
  EXPECT_EQ(r.out, "XvT Melee\n[Free For All]\n[Team Melee]\n");
}

// The windows open such a mission quietly and install nothing; the command
// line says why and fails.
TEST_F(Cli, AMissionThatFitsNoGameIsAnError) {
  TempPrefix::Write(prefix.C() / "Other" / "combat" / "stray.tie", "x");
  TempPrefix::Write(xvt / "Missions" / "loose.tie", "x");
  const std::string before = TempPrefix::Slurp(xvt / "combat" / "mission.lst");
  const struct {
    std::string mission, error;
  } cases[] = {
      {"C:\\Other\\combat\\stray.tie", "C:\\Other\\combat\\stray.tie is outside the install folders of both games.\n"},
      {(xvt / "Missions" / "loose.tie").string(),
       "C:\\Games\\XvT\\Missions\\loose.tie is not in the combat, melee or train folder of its game.\n"},
  };
  for (const auto& c : cases) {
    for (std::vector<std::string> args : {std::vector<std::string>{"sections", c.mission},
                                          {"install", c.mission, "--title", "T", "--section", "[Deep Strike]"}}) {
      Result r = Run(args);
      EXPECT_EQ(r.status, 1) << args[0] << " " << c.mission;
      EXPECT_EQ(r.out, "");
      EXPECT_EQ(r.err, c.error);
    }
  }
  EXPECT_EQ(TempPrefix::Slurp(xvt / "combat" / "mission.lst"), before);
}

// A name made on the host with a character Windows-1252 lacks would enter
// the list as "?", naming no file.
TEST_F(Cli, AMissionNameOutsideWindows1252IsRefusedBeforeWriting) {
  const fs::path odd = xvt / "combat" / "\xE4\xB8\xAD.tie";
  TempPrefix::Write(odd, "x");
  const std::string before = TempPrefix::Slurp(xvt / "combat" / "mission.lst");
  for (const std::string& mission : {odd.string(), std::string("C:\\Games\\XvT\\combat\\\xE4\xB8\xAD.tie")}) {
    Result r = Run({"install", mission, "--title", "T", "--section", "[Deep Strike]"});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.out, "");
    EXPECT_EQ(r.err, "The mission file name has a character that the mission lists cannot hold.\n");
  }
  EXPECT_EQ(TempPrefix::Slurp(xvt / "combat" / "mission.lst"), before);
  TempPrefix::Write(xvt / "combat" / "caf\xC3\xA9 \xE2\x82\xAC.tie", "x");  // in the code page: installed
  EXPECT_EQ(Run({"install", (xvt / "combat" / "caf\xC3\xA9 \xE2\x82\xAC.tie").string(), "--title", "T", "--section",
                 "[Deep Strike]"})
                .status,
            0);
}

// The error quotes a bad line shortened, however long the line.
TEST_F(Cli, AHugeBadNumberLineIsQuotedShort) {
  TempPrefix::Write(bop / "melee" / "mission.lst", "//\r\n[Ring]\r\n//\r\n" + std::string(2'000'000, '9') + "x\r\n");
  Result r = Run({"tree"});
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.err, "'" + std::string(77, '9') + "...' is not a valid integer value.\n");
}

TEST_F(Cli, MissionMustExistOnADrive) {
  Result r = Run({"sections", "C:\\Games\\XvT\\combat\\nothing.tie"});
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.err, "File not found.\n");
  r = Run({"install", "C:\\Nowhere\\combat\\z.tie", "--title", "Z", "--section", "[A]"});
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.err, "File not found.\n");
  EXPECT_EQ(Run({"sections", (prefix.Dir() / "nothing.tie").string()}).err, "File not found.\n");
  EXPECT_EQ(Run({"sections", "C:\\Games\\XvT\\combat"}).err, "File not found.\n");  // a folder
  fs::path outside = prefix.Dir() / "outside.tie";
  TempPrefix::Write(outside, "x");
  r = Run({"sections", outside.string()});
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.err, "The mission is not on a drive of the Wine prefix " + prefix.Dir().string() + ".\n");
}

TEST_F(Cli, InstallCombatWritesThreeListsKeepingTheirNames) {
  Result r = Run({"install", (bop / "COMBAT" / "vigil.tie").string(), "--title", "Night Vigil", "--section",
                  "[Siege Lines]"});
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out,
            "wrote C:\\Games\\XvT\\BalanceOfPower\\combat\\mission.lst\n"
            "wrote C:\\Games\\XvT\\BalanceOfPower\\combat\\rebel.lst\n"
            "wrote C:\\Games\\XvT\\BalanceOfPower\\combat\\imperial.lst\n");
  EXPECT_EQ(r.err, "Combat\n");  // the information box of BoP combat
  EXPECT_EQ(TempPrefix::Slurp(bop / "COMBAT" / "MISSION.LST"),
            "//\r\n[Outer Rim Campaign]\r\n//\r\n1\r\nrim1.tie\r\nLost Freighter\r\n3\r\nrim3.tie\r\nMine Field "
            "Escape\r\n//\r\n[Siege Lines]\r\n//\r\n5\r\nvigil.tie\r\nNight Vigil\r\n4\r\nsiege4.tie\r\nCruiser "
            "Screen\r\n");
  EXPECT_EQ(TempPrefix::Slurp(bop / "COMBAT" / "rebel.lst"),
            "//\r\n[Outer Rim Campaign]\r\n//\r\n1\r\nrim1.tie\r\nLost Freighter\r\n//\r\n[Siege Lines]\r\n//\r\n"
            "2\r\nvigil.tie\r\nNight Vigil\r\n");
  EXPECT_FALSE(fs::exists(bop / "COMBAT" / "mission.lst") && !fs::equivalent(bop / "COMBAT" / "mission.lst",
                                                                            bop / "COMBAT" / "MISSION.LST"));
  EXPECT_EQ(Run({"tree"}).out.find("Night Vigil - vigil.tie") != std::string::npos, true);
}

TEST_F(Cli, InstallTrainingDefaultsToImperialMultiplayer) {
  Result r = Run({"install", "C:\\Games\\XvT\\TRAIN\\novice.tie", "--title", "Novice", "--section", "[Academy Basics]"});
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out, "wrote C:\\Games\\XvT\\train\\imperial.lst\nwrote C:\\Games\\XvT\\train\\mission.lst\n");
  r = Run({"install", "C:\\Games\\XvT\\TRAIN\\novice.tie", "--title", "Novice", "--section", "[Rebels]", "--side",
           "rebel", "--single"});
  EXPECT_EQ(r.out, "wrote C:\\Games\\XvT\\train\\rebel.lst\n");
  EXPECT_TRUE(TempPrefix::Slurp(xvt / "TRAIN" / "REBEL.LST").ends_with("//\r\n[Rebels]\r\n//\r\n5\r\nnovice.tie\r\nNovice\r\n"));
}

TEST_F(Cli, DryRunShowsTheNewTextAndWritesNothing) {
  std::string before = TempPrefix::Slurp(xvt / "Melee" / "MISSION.LST");
  Result r = Run({"install", "C:\\Games\\XvT\\Melee\\crossfire.tie", "--title", "Crossfire", "--section",
                  "[Team Melee]", "--dry-run"});
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out,
            "--- C:\\Games\\XvT\\melee\\mission.lst\n//\n[Free For All]\n//\n1\narena1.tie\nDust Storm Brawl\n2\n"
            "arena2.tie\nNebula Knife Fight\n//\n[Team Melee]\n//\n6\ncrossfire.tie\nCrossfire\n5\narena5.tie\nTwo on Two\n");
  EXPECT_EQ(TempPrefix::Slurp(xvt / "Melee" / "MISSION.LST"), before);
}

TEST_F(Cli, InstallChecksAreErrors) {
  std::string mission = "C:\\Games\\XvT\\combat\\ember.tie";
  Result r = Run({"install", mission, "--title", "", "--section", "[A]"});
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.err, "You Must Provide a Mission Name.\n");
  r = Run({"install", mission, "--title", "T", "--section", "Deep]"});
  EXPECT_EQ(r.err, "You must include a [ at the start of the mission section.\n");
  r = Run({"install", mission, "--title", "T", "--section", "[Deep"});
  EXPECT_EQ(r.err, "You must include a ] at the end of the mission section.\n");
  EXPECT_EQ(r.out, "");
}

// Every list is checked before the first is written, so a run again after
// the missing list is back adds the mission once to each.
TEST_F(Cli, InstallStopsAtAMissingListBeforeWritingAny) {
  const fs::path rebel = xvt / "combat" / "Rebel.lst";
  const std::string rebelText = TempPrefix::Slurp(rebel);
  fs::remove(rebel);
  const std::string missionBefore = TempPrefix::Slurp(xvt / "combat" / "mission.lst");
  const std::vector<std::string> install{"install", "C:\\Games\\XvT\\combat\\ember.tie", "--title", "E", "--section",
                                         "[Deep Strike]"};
  Result r = Run(install);
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.out, "");
  EXPECT_EQ(r.err, "File not found.\n");
  EXPECT_EQ(TempPrefix::Slurp(xvt / "combat" / "mission.lst"), missionBefore);
  TempPrefix::Write(rebel, rebelText);
  EXPECT_EQ(Run(install).status, 0);
  for (const char* list : {"mission.lst", "Rebel.lst", "imperial.lst"}) {
    const std::string text = TempPrefix::Slurp(xvt / "combat" / list);
    EXPECT_EQ(text.find("ember.tie"), text.rfind("ember.tie")) << list;
  }
}

// Installs at the same moment into one list follow each other: none may
// lose another's mission, however the runs interleave.
// Installs at the same moment into the same lists follow each other: none
// may lose another's mission, however the runs interleave, and installs
// that each take three lists never wait on each other for good.
TEST_F(Cli, ParallelInstallsIntoTheSameListsKeepEveryMission) {
  constexpr int kRuns = 12;
  std::vector<pid_t> runs;
  for (int i = 0; i < kRuns; ++i) {
    const std::string name = "duel" + std::to_string(i) + ".tie";
    const fs::path folder = i % 2 ? xvt / "Melee" : xvt / "combat";
    TempPrefix::Write(folder / name, "x");
    runs.push_back(Start({"install", (folder / name).string(), "--title", "Duel " + std::to_string(i), "--section",
                          i % 4 < 2 ? "[Team Melee]" : "[Duels]"},
                         false, std::to_string(i)));
  }
  for (int i = 0; i < kRuns; ++i) {
    Result r = Finish(runs[static_cast<std::size_t>(i)], std::to_string(i));
    EXPECT_EQ(r.status, 0) << r.err;
  }
  for (const fs::path& list : {xvt / "Melee" / "MISSION.LST", xvt / "combat" / "mission.lst", xvt / "combat" / "Rebel.lst",
                               xvt / "combat" / "imperial.lst"}) {
    const std::string text = TempPrefix::Slurp(list);
    const bool melee = list.parent_path().filename() == "Melee";
    for (int i = melee ? 1 : 0; i < kRuns; i += 2) {
      const std::string line = "\r\nduel" + std::to_string(i) + ".tie\r\n";
      EXPECT_NE(text.find(line), std::string::npos) << list << " " << i;
      EXPECT_EQ(text.find(line), text.rfind(line)) << list << " " << i;
    }
    EXPECT_EQ(text.find("[Duels]"), text.rfind("[Duels]")) << list;
    EXPECT_EQ(std::distance(fs::directory_iterator(list.parent_path()), fs::directory_iterator()),
              melee ? kRuns / 2 + 2 : kRuns / 2 + 4);
  }
}

// Lists that are not plain files the user may replace are refused, for
// reading without waiting on a FIFO, and for writing before any list is.
TEST_F(Cli, OddAndProtectedListsAreFileAccessDenied) {
  const fs::path melee = xvt / "Melee" / "MISSION.LST";
  fs::remove(melee);
  ASSERT_EQ(mkfifo(melee.c_str(), 0644), 0);
  Result r = Run({"tree", "--no-bop"});
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.err, "File access denied.\n");
  fs::remove(melee);
  fs::create_symlink("/dev/zero", melee);
  EXPECT_EQ(Run({"sections", "C:\\Games\\XvT\\Melee\\crossfire.tie"}).err, "File access denied.\n");

  const fs::path imperial = xvt / "combat" / "imperial.lst";
  fs::permissions(imperial, fs::perms(0444));  // what Wine shows as read-only, refused for root too
  const std::string missionBefore = TempPrefix::Slurp(xvt / "combat" / "mission.lst");
  r = Run({"install", "C:\\Games\\XvT\\combat\\ember.tie", "--title", "E", "--section", "[Deep Strike]"});
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.out, "");
  EXPECT_EQ(r.err, "File access denied.\n");
  EXPECT_EQ(TempPrefix::Slurp(xvt / "combat" / "mission.lst"), missionBefore);
  EXPECT_EQ(fs::status(imperial).permissions(), fs::perms(0444));
}

// Under a file-size limit the host stops a write with SIGXFSZ, which would
// end the program without a word and leave its new text half-written.
TEST_F(Cli, UnderAFileSizeLimitASaveFailsAsDiskFull) {
  const fs::path list = xvt / "Melee" / "MISSION.LST";
  TempPrefix::Write(list, TempPrefix::Slurp(list) + "//\r\n[Bulk]\r\n//\r\n9\r\nbulk.tie\r\n" +
                              std::string(64 * 1024, 'b') + "\r\n");
  const std::string before = TempPrefix::Slurp(list);
  struct rlimit old{};
  ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &old), 0);
  struct rlimit small = old;
  small.rlim_cur = 16 * 1024;
  ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
  const pid_t run = Start({"install", "C:\\Games\\XvT\\Melee\\crossfire.tie", "--title", "C", "--section", "[Bulk]"});
  ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &old), 0);
  Result r = Finish(run);
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.err, "Disk full.\n");
  EXPECT_EQ(TempPrefix::Slurp(list), before);
  EXPECT_EQ(std::distance(fs::directory_iterator(list.parent_path()), fs::directory_iterator()), 2);
}

TEST_F(Cli, TextIsWindows1252OnDiskAndUtf8Outside) {
  Result r = Run({"install", "C:\\Games\\XvT\\combat\\ember.tie", "--title", "\xC3\x9C" "ber", "--section", "[Deep Strike]"});
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_NE(TempPrefix::Slurp(xvt / "combat" / "mission.lst").find("\r\n\xDC" "ber\r\n"), std::string::npos);
  EXPECT_NE(Run({"tree"}).out.find("\xC3\x9C" "ber - ember.tie"), std::string::npos);
}

TEST_F(Cli, UsageErrorsExitTwoWithOneSentenceAndTheUsage) {
  const std::string ember = "C:\\Games\\XvT\\combat\\ember.tie";
  const std::vector<std::pair<std::vector<std::string>, std::string>> bad{
      {{}, "no command given"},
      {{"frobnicate"}, "unknown command frobnicate"},
      {{"tree", "--bogus"}, "unknown option --bogus"},
      {{"tree", "--no-xvt=1"}, "--no-xvt takes no value"},
      {{"tree", "extra"}, "unexpected argument extra"},
      {{"paths", "--no-xvt"}, "--no-xvt does not go with this command"},
      {{"sections"}, "MISSION is missing"},
      {{"sections", ember, "--side", "both"}, "--side takes imperial or rebel"},
      {{"install", ember, "--section", "[A]"}, "--title is missing"},
      {{"install", ember, "--title", "T"}, "--section is missing"},
      {{"install", ember, "--title", "T", "--section", "[A]", "--side", "up"}, "--side takes imperial, rebel or both"},
      {{"install", ember, "--title", "T", "--section", "[A]", "--single", "--multi"},
       "--single and --multi exclude each other"},
      {{"install", ember, "--title", "T", "--section", "[A]", "--side", "rebel"},
       "--side rebel is not offered for this mission"},
      {{"install", "C:\\Games\\XvT\\Melee\\crossfire.tie", "--title", "T", "--section", "[A]", "--single"},
       "--single is not offered for this mission"},
      {{"tree", "--side", "rebel"}, "--side does not go with this command"},
      {{"tree", "--side"}, "--side needs a value"},
      {{"install", ember, "--title", "Two\nLines", "--section", "[A]"}, "--title must be one line of text"},
      {{"install", ember, "--title", "T", "--section", "[A\x1a]"}, "--section must be one line of text"},
  };
  for (const auto& [args, text] : bad) {
    Result r = Run(args);
    std::string joined;
    for (const auto& a : args) joined += a + " ";
    EXPECT_EQ(r.status, 2) << joined;
    EXPECT_EQ(r.err.substr(0, r.err.find('\n') + 1), "xvtinst-cli: " + text + ".\n") << joined;
    EXPECT_NE(r.err.find("\nusage: xvtinst-cli"), std::string::npos) << joined;
    EXPECT_EQ(r.out, "") << joined;
  }
  Result help = Run({"--help"}, true);
  EXPECT_EQ(help.status, 0);
  EXPECT_EQ(help.out.rfind("usage: xvtinst-cli [--wine-prefix DIR] paths\n", 0), 0u);
  EXPECT_NE(help.out.find("\n                   [--side imperial|rebel|both]"), std::string::npos) << help.out;
}

TEST_F(Cli, PrefixFromTheEnvironment) {
  setenv("WINEPREFIX", prefix.Dir().c_str(), 1);
  Result r = Run({"paths"}, true);
  unsetenv("WINEPREFIX");
  EXPECT_EQ(r.out, "XvT: C:\\Games\\XvT\nBoP: C:\\Games\\XvT\\BalanceOfPower\n");
}

}  // namespace
