// Files on Windows: paths as they are, replacements that keep the list's
// name and attributes or leave it whole, and the lock between writers.
#include <windows.h>
#undef ReplaceFile

#include <gtest/gtest.h>

#include <atomic>
#include <cerrno>
#include <filesystem>
#include <fstream>
#include <thread>

#include "hostfs/hostfs.h"
#include "hostfs/replace_faults.h"

namespace hostfs_test {
namespace {

namespace fs = std::filesystem;

class WindowsFilesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = fs::temp_directory_path() / ("xvtinst-hostfs-" + std::to_string(GetCurrentProcessId()));
    fs::remove_all(dir_);
    fs::create_directories(dir_);
  }
  void TearDown() override {
    hostfs::testing::SetReplaceFaultHook({});
    for (const auto& entry : fs::directory_iterator(dir_))
      SetFileAttributesA(entry.path().string().c_str(), FILE_ATTRIBUTE_NORMAL);
    fs::remove_all(dir_);
  }
  std::string Windows(const std::string& name) const { return (dir_ / name).string(); }
  void Write(const std::string& name, const std::string& bytes) const {
    std::ofstream(dir_ / name, std::ios::binary) << bytes;
  }
  std::vector<std::string> Names() const {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(dir_)) names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
  }

  fs::path dir_;
  hostfs::Drives drives_{""};
};

TEST_F(WindowsFilesTest, PathsAreUsedAsTheyAre) {
  EXPECT_EQ(drives_.ToHost("C:\\Games\\XvT\\combat\\mission.lst"), fs::path("C:\\Games\\XvT\\combat\\mission.lst"));
  EXPECT_FALSE(drives_.ToHost("Games\\XvT").has_value());
  EXPECT_EQ(drives_.ToWindows("c:/Games/XvT/../XvT/train"), "C:\\Games\\XvT\\train");
  EXPECT_EQ(drives_.ToWindows("C:"), "C:\\");
  const auto letters = drives_.DriveLetters();
  EXPECT_NE(std::find(letters.begin(), letters.end(), "C:"), letters.end());
}

TEST_F(WindowsFilesTest, ReplacingKeepsTheNameOnDiskAndItsAttributes) {
  Write("MISSION.LST", "old\r\n");
  ASSERT_TRUE(SetFileAttributesA(Windows("MISSION.LST").c_str(), FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_ARCHIVE));
  hostfs::ReplaceFile(drives_, Windows("mission.lst"), "new\r\n");
  EXPECT_EQ(Names(), std::vector<std::string>{"MISSION.LST"});
  EXPECT_EQ(hostfs::ReadFile(drives_, Windows("Mission.Lst")), "new\r\n");
  EXPECT_TRUE(GetFileAttributesA(Windows("MISSION.LST").c_str()) & FILE_ATTRIBUTE_HIDDEN);

  hostfs::ReplaceFile(drives_, Windows("fresh.lst"), "made\r\n");  // a missing list is made
  EXPECT_EQ(hostfs::ReadFile(drives_, Windows("fresh.lst")), "made\r\n");
}

TEST_F(WindowsFilesTest, RefusedOrFailedReplacementsLeaveTheOldList) {
  Write("locked.lst", "kept\r\n");
  SetFileAttributesA(Windows("locked.lst").c_str(), FILE_ATTRIBUTE_READONLY);
  try {
    hostfs::ReplaceFile(drives_, Windows("locked.lst"), "lost");
    FAIL() << "a read-only list was replaced";
  } catch (const hostfs::FileError& e) {
    EXPECT_STREQ(e.what(), "File access denied");
  }
  SetFileAttributesA(Windows("locked.lst").c_str(), FILE_ATTRIBUTE_NORMAL);

  for (auto step : {hostfs::testing::ReplaceStep::Write, hostfs::testing::ReplaceStep::Sync,
                    hostfs::testing::ReplaceStep::Rename}) {
    hostfs::testing::SetReplaceFaultHook([step](hostfs::testing::ReplaceStep now) { return now == step ? ENOSPC : 0; });
    try {
      hostfs::ReplaceFile(drives_, Windows("locked.lst"), "lost");
      FAIL() << "a failed replacement reported success";
    } catch (const hostfs::FileError& e) {
      EXPECT_STREQ(e.what(), "Disk full");
    }
    EXPECT_EQ(Names(), std::vector<std::string>{"locked.lst"});  // no temporary file left
    EXPECT_EQ(hostfs::ReadFile(drives_, Windows("locked.lst")), "kept\r\n");
  }
  hostfs::testing::SetReplaceFaultHook({});

  try {
    hostfs::ReplaceFile(drives_, Windows("no such folder\\x.lst"), "lost");
    FAIL() << "a list was made in a missing folder";
  } catch (const hostfs::FileError& e) {
    EXPECT_EQ(std::string(e.what()), "Cannot create file " + Windows("no such folder\\x.lst"));
  }
}

TEST_F(WindowsFilesTest, ReadingErrorsHaveTheProgramsTexts) {
  try {
    hostfs::ReadFile(drives_, Windows("missing.lst"));
    FAIL();
  } catch (const hostfs::FileError& e) {
    EXPECT_STREQ(e.what(), "File not found");
  }
  try {
    hostfs::HeldFile held(drives_, (dir_).string());
    FAIL() << "a folder was taken as a list";
  } catch (const hostfs::FileError& e) {
    EXPECT_STREQ(e.what(), "File access denied");
  }
}

TEST_F(WindowsFilesTest, AHeldListKeepsOtherWritersWaiting) {
  Write("combat.lst", "1\r\n");
  hostfs::HeldFile first(drives_, Windows("combat.lst"));
  first.Lock(std::chrono::milliseconds(0));
  // Another writer is another thread with its own hold, as another program would be.
  auto otherTries = [&] {
    std::atomic<bool> got{false};
    std::thread([&] {
      hostfs::HeldFile other(drives_, Windows("COMBAT.LST"));
      got = other.TryLock();
    }).join();
    return got.load();
  };
  EXPECT_FALSE(otherTries());
  first.Replace("2\r\n");  // the lock outlives the replacement
  EXPECT_FALSE(otherTries());
  EXPECT_EQ(first.Read(), "2\r\n");
  first.Unlock();
  EXPECT_TRUE(otherTries());

  hostfs::HeldFile again(drives_, Windows("combat.lst"));
  EXPECT_TRUE(again.SameFile(first));
}

}  // namespace
}  // namespace hostfs_test
