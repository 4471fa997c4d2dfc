// Installing into real files of a prefix: names found without regard to
// case stay as they are on disk, and a failed save leaves the list intact.
#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include "catalogue/catalogue.h"
#include "catalogue_fixtures.h"
#include "hostfs/hostfs.h"
#include "hostfs/replace_faults.h"
#include "temp_prefix.h"

namespace catalogue {
namespace {

namespace fs = std::filesystem;
using hostfs::testing::ReplaceStep;
using test::Lst;
using test::TempPrefix;

class HostInstall : public ::testing::Test {
 protected:
  TempPrefix prefix{false};
  hostfs::Drives drives{prefix.Dir()};
  HostListFiles files{drives};
  TextBuffer buffer{files};
  fs::path list = prefix.C() / "XvT" / "COMBAT" / "MISSION.LST";
  std::string original = Lst({"//", "[A]", "//", "1", "a.tie", "A"});
  NewMission mission{"[A]", "b.tie", "B"};

  void SetUp() override { TempPrefix::Write(list, original); }
  void TearDown() override { hostfs::testing::SetReplaceFaultHook({}); }
  std::size_t FilesInFolder() const {
    return static_cast<std::size_t>(std::distance(fs::directory_iterator(list.parent_path()), fs::directory_iterator()));
  }
};

TEST_F(HostInstall, NameOnDiskAndPermissionsKept) {
  fs::permissions(list, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
  InsertIntoList("C:\\XvT\\combat\\mission.lst", mission, files, buffer, false);
  EXPECT_EQ(TempPrefix::Slurp(list), Lst({"//", "[A]", "//", "2", "b.tie", "B", "1", "a.tie", "A"}));
  EXPECT_EQ(FilesInFolder(), 1u);
  EXPECT_EQ(fs::status(list).permissions() & fs::perms::all,
            fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
}

TEST_F(HostInstall, EveryFailedStepLeavesTheListByteForByte) {
  for (ReplaceStep failing : {ReplaceStep::Create, ReplaceStep::Write, ReplaceStep::Chmod, ReplaceStep::Sync,
                              ReplaceStep::Close, ReplaceStep::Rename}) {
    hostfs::testing::SetReplaceFaultHook([failing](ReplaceStep step) { return step == failing ? ENOSPC : 0; });
    EXPECT_THROW(InsertIntoList("C:\\XvT\\combat\\mission.lst", mission, files, buffer, false), hostfs::FileError)
        << static_cast<int>(failing);
    EXPECT_EQ(TempPrefix::Slurp(list), original) << static_cast<int>(failing);
    EXPECT_EQ(FilesInFolder(), 1u) << "temporary file left after step " << static_cast<int>(failing);
  }
}

TEST_F(HostInstall, ReadOnlyFolderReportsAndKeepsTheList) {
  if (geteuid() == 0) GTEST_SKIP() << "root writes into read-only folders";
  fs::permissions(list.parent_path(), fs::perms::owner_read | fs::perms::owner_exec);
  EXPECT_THROW(InsertIntoList("C:\\XvT\\combat\\mission.lst", mission, files, buffer, false), hostfs::FileError);
  fs::permissions(list.parent_path(), fs::perms::owner_all);
  EXPECT_EQ(TempPrefix::Slurp(list), original);
}

TEST_F(HostInstall, MissingListIsFileNotFound) {
  try {
    InsertIntoList("C:\\XvT\\combat\\rebel.lst", mission, files, buffer, false);
    FAIL();
  } catch (const hostfs::FileError& e) {
    EXPECT_STREQ(e.what(), "File not found");
  }
  EXPECT_FALSE(fs::exists(list.parent_path() / "rebel.lst"));
}

}  // namespace
}  // namespace catalogue
