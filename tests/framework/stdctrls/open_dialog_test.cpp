#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <string>

#include "framework/open_dialog.h"

namespace {

// ------------------------------------------------------------------ open dialog

class OpenDialogProbe : public TOpenDialog {
 public:
  using TOpenDialog::BuildStruct;
  using TOpenDialog::ReadResult;
  using TOpenDialog::TOpenDialog;
};

TEST(OpenDialogTest, OptionsFilterAndFolderMapOntoTheStructure) {
  OpenDialogProbe dialog(nullptr);
  dialog.SetTitle("Open");
  dialog.SetInitialDir("C:\\Games\\XvT");
  dialog.SetFilter("XvT/BoP Missions (*.tie)|*.tie|All Files (*.*)|*.*");
  dialog.SetOptions(TOpenOptions{ofPathMustExist, ofFileMustExist});
  OPENFILENAMEA ofn;
  std::string filter, file;
  dialog.BuildStruct(ofn, filter, file);
  EXPECT_EQ(ofn.lStructSize, sizeof(OPENFILENAMEA));
  EXPECT_EQ(ofn.Flags, static_cast<DWORD>(OFN_PATHMUSTEXIST | OFN_FILEMUSTEXIST | OFN_EXPLORER));
  static constexpr char kFilter[] = "XvT/BoP Missions (*.tie)\0*.tie\0All Files (*.*)\0*.*\0\0";
  EXPECT_EQ(std::string(ofn.lpstrFilter, filter.size()), std::string(kFilter, sizeof kFilter - 1));
  EXPECT_EQ(ofn.nFilterIndex, 1u);
  EXPECT_STREQ(ofn.lpstrInitialDir, "C:\\Games\\XvT");
  EXPECT_STREQ(ofn.lpstrTitle, "Open");
  EXPECT_GE(ofn.nMaxFile, 260u);
  // The dialog's answer comes back as the file name and its filter.
  std::snprintf(ofn.lpstrFile, ofn.nMaxFile, "%s", "C:\\Games\\XvT\\combat\\raid.tie");
  ofn.nFilterIndex = 2;
  dialog.ReadResult(ofn);
  EXPECT_EQ(dialog.FileName(), "C:\\Games\\XvT\\combat\\raid.tie");
  EXPECT_EQ(dialog.FilterIndex(), 2);
  EXPECT_EQ(dialog.Files().Count(), 1);
}

TEST(OpenDialogTest, SeveralChosenFilesComeAsFolderAndNames) {
  OpenDialogProbe dialog(nullptr);
  dialog.SetOptions(TOpenOptions{ofAllowMultiSelect});
  OPENFILENAMEA ofn;
  std::string filter, file;
  dialog.BuildStruct(ofn, filter, file);
  EXPECT_EQ(ofn.lpstrFilter, nullptr);
  EXPECT_TRUE(ofn.Flags & OFN_ALLOWMULTISELECT);
  const char names[] = "C:\\m\0a.tie\0b.tie\0";
  std::copy(names, names + sizeof(names), ofn.lpstrFile);
  dialog.ReadResult(ofn);
  ASSERT_EQ(dialog.Files().Count(), 2);
  EXPECT_EQ(dialog.Files().Strings(1), "C:\\m\\b.tie");
  EXPECT_EQ(dialog.FileName(), "C:\\m\\a.tie");
  // A long preset name is cut to the buffer, never written past it.
  dialog.SetOptions(TOpenOptions{});
  dialog.SetFileName(std::string(10000, 'x'));
  dialog.BuildStruct(ofn, filter, file);
  EXPECT_EQ(std::string(ofn.lpstrFile).size(), ofn.nMaxFile - 1);
}

}  // namespace
