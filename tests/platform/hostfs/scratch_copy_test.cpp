#include "hostfs/scratch_copy.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "temp_dir.h"

namespace hostfs {
namespace {

namespace fs = std::filesystem;
using testsupport::ReadBytes;
using testsupport::TempDir;
using testsupport::WriteFile;

TEST(ScratchCopy, CopiesTheTreeIntoAFolderOfItsOwnKeepingLinksAsLinks) {
  TempDir tmp;
  WriteFile(tmp.path() / "src" / "drive_c" / "Games" / "a.lst", "list");
  fs::create_directories(tmp.path() / "src" / "dosdevices");
  fs::create_directory_symlink("../drive_c", tmp.path() / "src" / "dosdevices" / "c:");
  fs::create_directories(tmp.path() / "scratch");

  ScratchCopy a = CopyToScratch(tmp.path() / "src", tmp.path() / "scratch", "prefix");
  ScratchCopy b = CopyToScratch(tmp.path() / "src", tmp.path() / "scratch", "prefix");
  EXPECT_NE(a.folder, b.folder);
  EXPECT_EQ(a.folder.parent_path(), tmp.path() / "scratch");
  EXPECT_EQ(a.copy, a.folder / "prefix");
  EXPECT_EQ(ReadBytes(a.copy / "dosdevices" / "c:" / "Games" / "a.lst"), "list");
  ASSERT_TRUE(fs::is_symlink(a.copy / "dosdevices" / "c:"));
  EXPECT_EQ(fs::read_symlink(a.copy / "dosdevices" / "c:"), "../drive_c");
}

TEST(ScratchCopy, AFailedCopyLeavesNoFolderBehind) {
  TempDir tmp;
  fs::create_directories(tmp.path() / "scratch");
  EXPECT_THROW(CopyToScratch(tmp.path() / "missing", tmp.path() / "scratch", "prefix"), fs::filesystem_error);
  EXPECT_TRUE(fs::is_empty(tmp.path() / "scratch"));
  EXPECT_THROW(CopyToScratch(tmp.path(), tmp.path() / "no-such-parent", "prefix"), fs::filesystem_error);
}

}  // namespace
}  // namespace hostfs
