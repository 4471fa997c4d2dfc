#include <gtest/gtest.h>

#include "hostfs/hostfs.h"
#include "temp_dir.h"

namespace {

namespace fs = std::filesystem;
using hostfs::Drives;

// A prefix as Wine lays it out: c: a relative link to drive_c, z: the host's
// root, d: an absolute link elsewhere, and the raw-device entries Wine adds.
class DrivesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    prefix_ = tmp_.path() / "prefix";
    fs::create_directories(prefix_ / "dosdevices");
    fs::create_directories(prefix_ / "drive_c");
    fs::create_directories(tmp_.path() / "cdrom");
    fs::create_symlink("../drive_c", prefix_ / "dosdevices" / "c:");
    fs::create_symlink("/", prefix_ / "dosdevices" / "z:");
    fs::create_symlink(tmp_.path() / "cdrom", prefix_ / "dosdevices" / "d:");
    fs::create_symlink("/dev/null", prefix_ / "dosdevices" / "d::");
    fs::create_symlink("/dev/ttyS0", prefix_ / "dosdevices" / "com1");
  }
  fs::path C() const { return prefix_ / "drive_c"; }
  void Touch(const fs::path& relative) { testsupport::WriteFile(C() / relative, "x"); }

  testsupport::TempDir tmp_;
  fs::path prefix_;
};

TEST_F(DrivesTest, EveryComponentIsFoundWithoutRegardToCase) {
  Touch("Games/XvT/Train/IMPERIAL.LST");
  Touch("Games/XvT/combat/Mission.lst");
  const Drives drives(prefix_);
  EXPECT_EQ(drives.ToHost("C:\\Games\\XvT\\Train\\Imperial.lst"), C() / "Games/XvT/Train/IMPERIAL.LST");
  EXPECT_EQ(drives.ToHost("c:\\GAMES\\xvt\\train\\imperial.LST"), C() / "Games/XvT/Train/IMPERIAL.LST");
  EXPECT_EQ(drives.ToHost("C:\\games\\XVT\\COMBAT\\MISSION.LST"), C() / "Games/XvT/combat/Mission.lst");
}

TEST_F(DrivesTest, AnExactMatchWinsElseTheFirstInSortedOrder) {
  Touch("Games/train/a");
  Touch("Games/Train/b");
  Touch("Games/TRAIN/c");
  const Drives drives(prefix_);
  EXPECT_EQ(drives.ToHost("C:\\Games\\train"), C() / "Games/train");
  EXPECT_EQ(drives.ToHost("C:\\Games\\Train"), C() / "Games/Train");
  EXPECT_EQ(drives.ToHost("C:\\Games\\tRAIN"), C() / "Games/TRAIN");  // 'T','R' sorts first
}

TEST_F(DrivesTest, SeparatorsDotsAndMissingParts) {
  Touch("Games/XvT/combat/mission.lst");
  const Drives drives(prefix_);
  EXPECT_EQ(drives.ToHost("C:\\\\Games\\\\XvT\\\\combat\\mission.lst"), C() / "Games/XvT/combat/mission.lst");
  EXPECT_EQ(drives.ToHost("C:/Games/xvt\\.\\COMBAT\\..\\combat\\mission.lst"),
            C() / "Games/XvT/combat/mission.lst");
  EXPECT_EQ(drives.ToHost("C:\\..\\..\\Games"), C() / "Games");  // never above the drive
  EXPECT_EQ(drives.ToHost("C:"), C());
  EXPECT_EQ(drives.ToHost("C:\\"), C());
  // What doesn't exist is kept as written, so a new file can be named.
  EXPECT_EQ(drives.ToHost("C:\\games\\XvT\\New Folder\\New.LST"), C() / "Games/XvT/New Folder/New.LST");
}

TEST_F(DrivesTest, PathsWithoutAKnownDriveMapToNothing) {
  const Drives drives(prefix_);
  EXPECT_FALSE(drives.ToHost("Not Installed!\\combat\\mission.lst"));
  EXPECT_FALSE(drives.ToHost("\\Games\\XvT"));
  EXPECT_FALSE(drives.ToHost("Q:\\Games"));
  EXPECT_FALSE(drives.ToHost("1:\\Games"));
  EXPECT_FALSE(drives.ToHost(""));
  EXPECT_FALSE(Drives(tmp_.path() / "no prefix").ToHost("C:\\"));
}

TEST_F(DrivesTest, DriveLinksResolveAbsoluteRelativeAndUpperCase) {
  fs::create_directories(tmp_.path() / "elsewhere");
  fs::create_symlink("../../elsewhere", prefix_ / "dosdevices" / "E:");
  fs::create_directory(prefix_ / "dosdevices" / "f:");  // a copied prefix may hold a folder
  const Drives drives(prefix_);
  EXPECT_EQ(drives.ToHost("D:\\"), tmp_.path() / "cdrom");
  EXPECT_EQ(drives.ToHost("e:\\x"), tmp_.path() / "elsewhere" / "x");
  EXPECT_EQ(drives.ToHost("F:\\x"), prefix_ / "dosdevices" / "f:" / "x");
  EXPECT_EQ(drives.ToHost("Z:\\tmp"), fs::path("/tmp"));
  EXPECT_EQ(drives.DriveLetters(), (std::vector<std::string>{"C:", "D:", "E:", "F:", "Z:"}));
}

TEST_F(DrivesTest, Windows1252NamesMeetUtf8HostNames) {
  Touch("Spiele/Caf\xC3\xA9/mission.lst");  // "Café" on the host
  const Drives drives(prefix_);
  EXPECT_EQ(drives.ToHost("C:\\Spiele\\Caf\xE9\\mission.lst"), C() / "Spiele/Caf\xC3\xA9/mission.lst");
  EXPECT_EQ(drives.ToHost("C:\\SPIELE\\CAF\xC9\\MISSION.LST"), C() / "Spiele/Caf\xC3\xA9/mission.lst");
  EXPECT_EQ(drives.ToHost("C:\\Neu\xE9"), C() / "Neu\xC3\xA9");
  EXPECT_EQ(drives.ToWindows(C() / "Spiele/Caf\xC3\xA9"), "C:\\Spiele\\Caf\xE9");
}

TEST_F(DrivesTest, HostPathsMapBackThroughTheDriveThatHoldsThem) {
  Touch("Games/XvT/combat/raid.tie");
  const Drives drives(prefix_);
  EXPECT_EQ(drives.ToWindows(C() / "Games/XvT/combat/raid.tie"), "C:\\Games\\XvT\\combat\\raid.tie");
  EXPECT_EQ(drives.ToWindows(C()), "C:\\");
  EXPECT_EQ(drives.ToWindows(prefix_ / "dosdevices/c:/Games/XvT"), "C:\\Games\\XvT");
  EXPECT_EQ(drives.ToWindows(C() / "Games/../Games/XvT/not yet.tie"), "C:\\Games\\XvT\\not yet.tie");
  EXPECT_EQ(drives.ToWindows(tmp_.path() / "cdrom" / "setup.exe"), "D:\\setup.exe");
  // Outside C: and D:, the host root drive holds it.
  const fs::path canonicalTmp = fs::canonical(tmp_.path());
  std::string expected = "Z:";
  for (const auto& part : canonicalTmp.relative_path()) expected += "\\" + part.string();
  EXPECT_EQ(drives.ToWindows(tmp_.path()), expected);
}

TEST_F(DrivesTest, RelativeHostPathsAndPathsOutsideEveryDrive) {
  fs::remove(prefix_ / "dosdevices" / "z:");
  Touch("Games/x.tie");
  const Drives drives(prefix_);
  EXPECT_FALSE(drives.ToWindows(tmp_.path() / "cdrom-not"));
  EXPECT_FALSE(drives.ToWindows("/"));
  const fs::path saved = fs::current_path();
  fs::current_path(C() / "Games");
  EXPECT_EQ(drives.ToWindows("x.tie"), "C:\\Games\\x.tie");
  fs::current_path(saved);
}

}  // namespace
