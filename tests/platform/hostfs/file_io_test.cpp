#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cerrno>

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
