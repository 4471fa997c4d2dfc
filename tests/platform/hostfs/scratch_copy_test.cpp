#include "hostfs/scratch_copy.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include "temp_dir.h"

namespace {

namespace fs = std::filesystem;
using testsupport::TempDir;
using testsupport::WriteFile;

TEST(ScratchCopy, CopiesTheTreeIntoAPrivateFolderWithLinksAsLinks) {
  TempDir tmp;
  const fs::path tree = tmp.path() / "tree";
  WriteFile(tree / "drive_c" / "a.txt", "a");
  fs::create_directories(tree / "dosdevices");
  fs::create_symlink("../drive_c", tree / "dosdevices" / "c:");
  fs::create_directories(tmp.path() / "scratch");

  hostfs::ScratchCopy c = hostfs::CopyToScratchFolder(tree, tmp.path() / "scratch", "xvtinst", "prefix");
  EXPECT_EQ(c.folder.parent_path(), tmp.path() / "scratch");
  EXPECT_EQ(c.folder.filename().string().rfind("xvtinst-", 0), 0u);
  EXPECT_EQ(c.copy, c.folder / "prefix");
  EXPECT_EQ(testsupport::ReadBytes(c.copy / "dosdevices" / "c:" / "a.txt"), "a");
  ASSERT_TRUE(fs::is_symlink(c.copy / "dosdevices" / "c:"));
  EXPECT_EQ(fs::read_symlink(c.copy / "dosdevices" / "c:"), "../drive_c");
  struct stat st {};
  ASSERT_EQ(::stat(c.folder.c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 0777, 0700u);
}

TEST(ScratchCopy, AFailedCopyLeavesNoFolderAndAMissingParentIsAnError) {
  TempDir tmp;
  fs::create_directories(tmp.path() / "scratch");
  EXPECT_THROW(hostfs::CopyToScratchFolder(tmp.path() / "missing", tmp.path() / "scratch", "xvtinst", "prefix"),
               fs::filesystem_error);
  EXPECT_TRUE(fs::is_empty(tmp.path() / "scratch"));
  EXPECT_THROW(hostfs::CopyToScratchFolder(tmp.path(), tmp.path() / "no-such-parent", "xvtinst", "prefix"),
               fs::filesystem_error);
}

}  // namespace
