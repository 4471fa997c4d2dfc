#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>

#include "hostfs/hostfs.h"
#include "hostfs/replace_faults.h"
#include "temp_dir.h"

namespace {

namespace fs = std::filesystem;
using hostfs::Drives;
using hostfs::FileError;
using hostfs::testing::ReplaceStep;

class FileIoTest : public ::testing::Test {
 protected:
  void SetUp() override {
    fs::create_directories(tmp_.path() / "dosdevices");
    fs::create_directories(tmp_.path() / "drive_c/Games/XvT/combat");
    fs::create_symlink("../drive_c", tmp_.path() / "dosdevices" / "c:");
  }
  void TearDown() override { hostfs::testing::SetReplaceFaultHook({}); }

  fs::path Combat() const { return tmp_.path() / "drive_c/Games/XvT/combat"; }
  std::vector<std::string> CombatFolder() const {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(Combat())) names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
  }
  // Expects `call` to throw a FileError with this message and number.
  template <typename F>
  static void ExpectError(F call, const std::string& message, int code) {
    try {
      call();
      ADD_FAILURE() << "no error, expected " << message;
    } catch (const FileError& e) {
      EXPECT_EQ(e.what(), message);
      EXPECT_EQ(e.Code(), code);
    }
  }

  testsupport::TempDir tmp_;
  Drives drives_{tmp_.path()};
};

TEST_F(FileIoTest, ReadsWholeFilesWithEveryByte) {
  std::string bytes("//\r\n[Rebel]\r\n//\r\n1\r\nraid.tie\r\nRaid\x1a junk\0tail", 40);
  testsupport::WriteFile(Combat() / "MISSION.LST", bytes);
  EXPECT_EQ(hostfs::ReadFile(drives_, "C:\\Games\\XvT\\combat\\mission.lst"), bytes);
  testsupport::WriteFile(Combat() / "empty.lst", "");
  EXPECT_EQ(hostfs::ReadFile(drives_, "C:\\Games\\XvT\\combat\\empty.lst"), "");
}

TEST_F(FileIoTest, ReadErrorsCarryTheFileErrorTexts) {
  testsupport::WriteFile(Combat() / "plain.lst", "x");
  ExpectError([&] { hostfs::ReadFile(drives_, "C:\\Games\\XvT\\combat\\none.lst"); }, "File not found", 2);
  ExpectError([&] { hostfs::ReadFile(drives_, "C:\\Games\\XvT\\melee\\mission.lst"); }, "File not found", 2);
  ExpectError([&] { hostfs::ReadFile(drives_, "C:\\Games\\XvT\\combat\\plain.lst\\x"); }, "File not found", 2);
  ExpectError([&] { hostfs::ReadFile(drives_, "Not Installed!\\combat\\mission.lst"); }, "File not found", 2);
  ExpectError([&] { hostfs::ReadFile(drives_, "C:\\Games\\XvT\\combat"); }, "File access denied", 5);
  ExpectError([&] { hostfs::ReadFile(drives_, "C:\\Games\\" + std::string(300, 'n')); }, "Invalid filename", 3);
  ExpectError([&] { hostfs::ReadFile(drives_, std::string("C:\\Games\\XvT\\combat\\plain.lst\0x", 31)); },
              "Invalid filename", 3);
}

TEST_F(FileIoTest, ReplaceKeepsTheNameOnDiskAndThePermissionBits) {
  testsupport::WriteFile(Combat() / "MISSION.LST", "old text");
  fs::permissions(Combat() / "MISSION.LST", fs::perms(0640));
  hostfs::ReplaceFile(drives_, "C:\\Games\\XvT\\combat\\mission.lst", "new\r\ntext\r\n");
  EXPECT_EQ(CombatFolder(), std::vector<std::string>{"MISSION.LST"});
  EXPECT_EQ(testsupport::ReadBytes(Combat() / "MISSION.LST"), "new\r\ntext\r\n");
  EXPECT_EQ(fs::status(Combat() / "MISSION.LST").permissions(), fs::perms(0640));
}

TEST_F(FileIoTest, ReplaceWorksForTheLongestNameTheHostAllows) {
  const std::string name(255, 'L');
  testsupport::WriteFile(Combat() / name, "old");
  hostfs::ReplaceFile(drives_, "C:\\Games\\XvT\\combat\\" + std::string(255, 'l'), "new");
  EXPECT_EQ(CombatFolder(), std::vector<std::string>{name});
  EXPECT_EQ(testsupport::ReadBytes(Combat() / name), "new");
}

TEST_F(FileIoTest, ReplaceCreatesAMissingFileAndShrinksALongerOne) {
  hostfs::ReplaceFile(drives_, "C:\\Games\\XvT\\combat\\rebel.lst", "first");
  EXPECT_EQ(testsupport::ReadBytes(Combat() / "rebel.lst"), "first");
  hostfs::ReplaceFile(drives_, "C:\\Games\\XvT\\COMBAT\\REBEL.LST", "");
  EXPECT_EQ(CombatFolder(), std::vector<std::string>{"rebel.lst"});
  EXPECT_EQ(testsupport::ReadBytes(Combat() / "rebel.lst"), "");
}

TEST_F(FileIoTest, ReplacingALinkedListRewritesItsTargetAndKeepsTheLink) {
  testsupport::WriteFile(tmp_.path() / "shared/imperial.lst", "old");
  fs::create_symlink(tmp_.path() / "shared/imperial.lst", Combat() / "imperial.lst");
  hostfs::ReplaceFile(drives_, "C:\\Games\\XvT\\combat\\imperial.lst", "new");
  EXPECT_TRUE(fs::is_symlink(Combat() / "imperial.lst"));
  EXPECT_EQ(testsupport::ReadBytes(tmp_.path() / "shared/imperial.lst"), "new");
}

TEST_F(FileIoTest, ReplaceThatCannotCreateItsFileNamesTheWindowsPath) {
  ExpectError([&] { hostfs::ReplaceFile(drives_, "C:\\Games\\XvT\\train\\rebel.lst", "x"); },
              "Cannot create file C:\\Games\\XvT\\train\\rebel.lst", 2);
  ExpectError([&] { hostfs::ReplaceFile(drives_, "Q:\\rebel.lst", "x"); }, "Cannot create file Q:\\rebel.lst", 2);
  ExpectError([&] { hostfs::ReplaceFile(drives_, "C:\\Games\\XvT\\combat", "x"); }, "File access denied", 5);
  ExpectError([&] { hostfs::ReplaceFile(drives_, std::string("C:\\Games\\XvT\\combat\\a\0b", 23), "x"); },
              "Invalid filename", 3);
  EXPECT_TRUE(fs::is_empty(Combat()));
}

// Every step of a save failing, with the error the host would give: the old
// list must stay byte for byte and no temporary file may be left behind.
TEST_F(FileIoTest, AFailedReplaceLeavesTheOldFileIntact) {
  const std::string old("//\r\n[Old]\r\n//\r\n1\r\nold.tie\r\nOld\r\n");
  const std::string big(300 * 1024, 'n');  // several writes, so one can fail midway
  const struct {
    ReplaceStep step;
    int failOnCall;
    int err;
    std::string message;
    int code;
  } cases[] = {
      {ReplaceStep::Create, 1, EACCES, "Cannot create file C:\\Games\\XvT\\combat\\MISSION.lst", 5},
      {ReplaceStep::Create, 1, ENOSPC, "Cannot create file C:\\Games\\XvT\\combat\\MISSION.lst", 101},
      {ReplaceStep::Write, 1, ENOSPC, "Disk full", 101},
      {ReplaceStep::Write, 3, EDQUOT, "Disk full", 101},
      {ReplaceStep::Chmod, 1, EPERM, "File access denied", 5},
      {ReplaceStep::Sync, 1, EIO, "I/O error 1117", 1117},
      {ReplaceStep::Close, 1, ENOSPC, "Disk full", 101},
      {ReplaceStep::Rename, 1, EROFS, "File access denied", 5},
      {ReplaceStep::Rename, 1, EBUSY, "I/O error 32", 32},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.message + " at step " + std::to_string(static_cast<int>(c.step)));
    testsupport::WriteFile(Combat() / "mission.lst", old);
    int calls = 0;
    hostfs::testing::SetReplaceFaultHook(
        [&](ReplaceStep step) { return step == c.step && ++calls == c.failOnCall ? c.err : 0; });
    ExpectError([&] { hostfs::ReplaceFile(drives_, "C:\\Games\\XvT\\combat\\MISSION.lst", big); }, c.message,
                c.code);
    EXPECT_EQ(calls, c.failOnCall);
    EXPECT_EQ(testsupport::ReadBytes(Combat() / "mission.lst"), old);
    EXPECT_EQ(CombatFolder(), std::vector<std::string>{"mission.lst"});
  }
  hostfs::testing::SetReplaceFaultHook({});
  hostfs::ReplaceFile(drives_, "C:\\Games\\XvT\\combat\\MISSION.lst", big);
  EXPECT_EQ(testsupport::ReadBytes(Combat() / "mission.lst"), big);
}

// A FIFO would block the reader for ever and a link to /dev/zero would read
// until memory runs out: neither is a list, for reading nor for replacing.
TEST_F(FileIoTest, FilesThatAreNotRegularAreRefusedWithoutWaiting) {
  ASSERT_EQ(::mkfifo((Combat() / "mission.lst").c_str(), 0644), 0);
  fs::create_symlink("/dev/zero", Combat() / "rebel.lst");
  for (const char* name : {"mission.lst", "rebel.lst"}) {
    const std::string path = std::string("C:\\Games\\XvT\\combat\\") + name;
    SCOPED_TRACE(path);
    ExpectError([&] { hostfs::ReadFile(drives_, path); }, "File access denied", 5);
    ExpectError([&] { hostfs::HeldFile(drives_, path); }, "File access denied", 5);
  }
  ExpectError([&] { hostfs::ReplaceFile(drives_, "C:\\Games\\XvT\\combat\\mission.lst", "x"); }, "File access denied",
              5);
  EXPECT_TRUE(fs::is_fifo(Combat() / "mission.lst"));
  EXPECT_EQ(CombatFolder(), (std::vector<std::string>{"mission.lst", "rebel.lst"}));
}

// A list without any write bit is read-only to Windows, whoever runs us.
TEST_F(FileIoTest, ReadOnlyListsAreNotReplacedEvenByRoot) {
  testsupport::WriteFile(Combat() / "mission.lst", "old");
  fs::permissions(Combat() / "mission.lst", fs::perms(0444));
  ExpectError([&] { hostfs::ReplaceFile(drives_, "C:\\Games\\XvT\\combat\\mission.lst", "new"); },
              "File access denied", 5);
  ExpectError([&] { hostfs::HeldFile(drives_, "C:\\Games\\XvT\\combat\\mission.lst"); }, "File access denied", 5);
  EXPECT_EQ(testsupport::ReadBytes(Combat() / "mission.lst"), "old");
  EXPECT_EQ(CombatFolder(), std::vector<std::string>{"mission.lst"});
}

// Another user's list that we may not write stays theirs: run as that user
// in a child, since the test itself may be root.
TEST_F(FileIoTest, AListTheUserMayNotWriteIsNotReplaced) {
  if (::geteuid() != 0) GTEST_SKIP() << "needs root to play another user";
  testsupport::WriteFile(Combat() / "mission.lst", "old");
  fs::permissions(tmp_.path(), fs::perms(0755));
  fs::permissions(Combat(), fs::perms(0777));
  ASSERT_EQ(::chown((Combat() / "mission.lst").c_str(), 0, 0), 0);
  fs::permissions(Combat() / "mission.lst", fs::perms(0644));
  const pid_t child = ::fork();
  if (child == 0) {
    int status = 1;
    if (::setgid(65534) == 0 && ::setuid(65534) == 0) {
      try {
        hostfs::ReplaceFile(drives_, "C:\\Games\\XvT\\combat\\mission.lst", "new");
      } catch (const FileError& e) {
        status = std::string(e.what()) == "File access denied" ? 0 : 2;
      }
    }
    ::_exit(status);
  }
  int wstatus = 0;
  ASSERT_EQ(::waitpid(child, &wstatus, 0), child);
  EXPECT_TRUE(WIFEXITED(wstatus) && WEXITSTATUS(wstatus) == 0) << wstatus;
  struct stat st{};
  ASSERT_EQ(::stat((Combat() / "mission.lst").c_str(), &st), 0);
  EXPECT_EQ(st.st_uid, 0u);
  EXPECT_EQ(testsupport::ReadBytes(Combat() / "mission.lst"), "old");
}

// Two holders of one list follow each other: the second cannot lock it while
// the first holds it, and once it can, it reads the text the first wrote.
TEST_F(FileIoTest, AHeldListWaitsForTheOtherWriterAndReadsItsText) {
  testsupport::WriteFile(Combat() / "MISSION.LST", "first");
  auto one = std::make_unique<hostfs::HeldFile>(drives_, "C:\\Games\\XvT\\combat\\mission.lst");
  hostfs::HeldFile two(drives_, "c:\\games\\xvt\\COMBAT\\Mission.lst");
  EXPECT_TRUE(one->SameFile(two));
  one->Lock();
  ExpectError([&] { two.Lock(std::chrono::milliseconds(0)); },
              "Another program is rewriting c:\\games\\xvt\\COMBAT\\Mission.lst; try again", 32);
  EXPECT_EQ(one->Read(), "first");
  one->Replace("second");
  EXPECT_EQ(one->Read(), "second");
  one.reset();
  two.Lock(std::chrono::milliseconds(0));
  EXPECT_EQ(two.Read(), "second");
  two.Replace("third");
  EXPECT_EQ(testsupport::ReadBytes(Combat() / "MISSION.LST"), "third");
  EXPECT_EQ(CombatFolder(), std::vector<std::string>{"MISSION.LST"});
}

// Several lists are taken all together or not at all: a writer that finds
// one busy holds none of the others while it waits.
TEST_F(FileIoTest, ListsAreLockedAllOrNone) {
  testsupport::WriteFile(Combat() / "mission.lst", "m");
  testsupport::WriteFile(Combat() / "rebel.lst", "r");
  hostfs::HeldFile rebelElsewhere(drives_, "C:\\Games\\XvT\\combat\\rebel.lst");
  rebelElsewhere.Lock();
  hostfs::HeldFile mission(drives_, "C:\\Games\\XvT\\combat\\mission.lst");
  hostfs::HeldFile rebel(drives_, "C:\\Games\\XvT\\combat\\rebel.lst");
  ExpectError([&] { hostfs::LockAll({&mission, &rebel}, std::chrono::milliseconds(0)); },
              "Another program is rewriting C:\\Games\\XvT\\combat\\rebel.lst; try again", 32);
  hostfs::HeldFile missionElsewhere(drives_, "C:\\Games\\XvT\\combat\\mission.lst");
  EXPECT_TRUE(missionElsewhere.TryLock());
  missionElsewhere.Unlock();
  rebelElsewhere.Unlock();
  hostfs::LockAll({&mission, &rebel}, std::chrono::milliseconds(0));
  EXPECT_FALSE(missionElsewhere.TryLock());
}

TEST_F(FileIoTest, HoldingChecksThatTheNewTextCanBeMade) {
  ExpectError([&] { hostfs::HeldFile(drives_, "C:\\Games\\XvT\\combat\\none.lst"); }, "File not found", 2);
  testsupport::WriteFile(Combat() / "rebel.lst", "x");
  hostfs::HeldFile held(drives_, "C:\\Games\\XvT\\combat\\rebel.lst");
  if (::geteuid() == 0) return;  // root writes into read-only folders
  fs::permissions(Combat(), fs::perms(0555));
  ExpectError([&] { hostfs::HeldFile(drives_, "C:\\Games\\XvT\\combat\\rebel.lst"); },
              "Cannot create file C:\\Games\\XvT\\combat\\rebel.lst", 5);
  fs::permissions(Combat(), fs::perms(0755));
}

// What a process ending on a signal does: its half-written temporary file
// goes, and the replacement it interrupted does not finish. In a child, as
// nothing may be replaced after it.
TEST_F(FileIoTest, RemovedTemporaryFilesLeaveTheOldList) {
  testsupport::WriteFile(Combat() / "mission.lst", "old");
  EXPECT_EXIT(
      {
        hostfs::testing::SetReplaceFaultHook([](ReplaceStep step) {
          if (step == ReplaceStep::Write) hostfs::RemoveTemporaryFiles();
          return 0;
        });
        bool failed = false;
        try {
          hostfs::ReplaceFile(drives_, "C:\\Games\\XvT\\combat\\mission.lst", "new");
        } catch (const FileError&) {
          failed = true;
        }
        const bool clean = CombatFolder() == std::vector<std::string>{"mission.lst"} &&
                           testsupport::ReadBytes(Combat() / "mission.lst") == "old";
        std::exit(failed && clean ? 0 : 1);
      },
      ::testing::ExitedWithCode(0), "");
}

TEST(FileErrorText, HostErrorsMapToTheProgramsTexts) {
  const struct {
    int err;
    const char* message;
    int code;
  } cases[] = {
      {ENOENT, "File not found", 2},      {ENOTDIR, "File not found", 2},
      {ENAMETOOLONG, "Invalid filename", 3}, {EINVAL, "Invalid filename", 3},
      {EMFILE, "Too many open files", 4}, {ENFILE, "Too many open files", 4},
      {EACCES, "File access denied", 5}, {EPERM, "File access denied", 5},
      {EROFS, "File access denied", 5},  {EISDIR, "File access denied", 5},
      {ENOSPC, "Disk full", 101},        {EDQUOT, "Disk full", 101},
      {EIO, "I/O error 1117", 1117},     {EXDEV, "I/O error 17", 17},
      {0, "I/O error 31", 31},           {ENOTSUP, "I/O error 31", 31},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.err);
    EXPECT_EQ(hostfs::FileErrorMessage(c.err), c.message);
    try {
      hostfs::ThrowFileError(c.err);
    } catch (const FileError& e) {
      EXPECT_EQ(e.what(), std::string(c.message));
      EXPECT_EQ(e.Code(), c.code);
    }
  }
  EXPECT_EQ(hostfs::FileErrorText(hostfs::kErrorReadBeyondEnd), "Read beyond end of file");
}

}  // namespace
