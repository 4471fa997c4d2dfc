#include <win32/comdlg32.h>

#include <unistd.h>

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "dialogs/file_browse.h"
#include "dialogs_test_support.h"

namespace {

namespace fs = std::filesystem;
using dialogs_test::DialogTest;
using dialogs_test::FindShown;
using dialogs_test::kBox;

const char kDialog[] = "XvtFileDialog";

// A Wine prefix with drive C: holding a small game folder.
class TempPrefix {
 public:
  TempPrefix() {
    root_ = fs::temp_directory_path() / ("xvt-filedlg-" + std::to_string(::getpid()));
    fs::remove_all(root_);
    fs::create_directories(root_ / "dosdevices");
    fs::create_directories(root_ / "drive_c/Games/XvT/Combat");
    fs::create_directory_symlink("../drive_c", root_ / "dosdevices/c:");
    for (const char* d : {"Alpha", "beta", "Zed"}) fs::create_directories(root_ / "drive_c/Games/XvT/Combat" / d);
    for (const char* f : {"Mission.lst", "b1m1.tie", "Readme.TXT", "notes.txt", ".hidden"}) Touch(f);
  }
  ~TempPrefix() { fs::remove_all(root_); }
  void Touch(const std::string& name) { std::ofstream(root_ / "drive_c/Games/XvT/Combat" / name) << "x"; }
  std::string Path() const { return root_.string(); }

 private:
  fs::path root_;
};

const char kFilter[] = "Mission lists (*.lst)\0*.lst\0Text files\0*.txt\0All files\0*.*\0";
const char kCombat[] = "C:\\Games\\XvT\\Combat";

class FileDialogTest : public DialogTest {
 protected:
  void SetUp() override {
    DialogTest::SetUp();
    xvtSetFileDialogPrefix(prefix.Path().c_str());
    ofn.lStructSize = sizeof ofn;
    ofn.hwndOwner = owner;
    ofn.lpstrFilter = kFilter;
    ofn.lpstrFile = file;
    ofn.nMaxFile = sizeof file;
    ofn.lpstrInitialDir = "c:\\games\\xvt\\combat";
    ofn.Flags = OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY;
  }
  void TearDown() override {
    xvtSetFileDialogPrefix(nullptr);
    DialogTest::TearDown();
  }
  static void Type(const std::string& s) { headless::TypeText(s); }
  // The rows of the dialog's list box.
  static std::vector<std::string> Rows() {
    HWND list = GetDlgItem(FindShown(kDialog), lst1);
    std::vector<std::string> out;
    const int n = static_cast<int>(SendMessageA(list, LB_GETCOUNT, 0, 0));
    for (int i = 0; i < n; ++i) {
      char buf[MAX_PATH] = {};
      SendMessageA(list, LB_GETTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(buf));
      out.push_back(buf);
    }
    return out;
  }

  TempPrefix prefix;
  OPENFILENAMEA ofn{};
  char file[MAX_PATH] = "";
};

TEST_F(FileDialogTest, TypedNameOpensWithTheSpellingOnDiskAndOffsets) {
  Type("mission.LST");
  Key(VK_RETURN);
  ASSERT_TRUE(GetOpenFileNameA(&ofn));
  EXPECT_STREQ(file, "C:\\Games\\XvT\\Combat\\Mission.lst");
  EXPECT_EQ(ofn.nFileOffset, 20);
  EXPECT_EQ(ofn.nFileExtension, 28);
  EXPECT_EQ(ofn.nFilterIndex, 1u);
  EXPECT_EQ(CommDlgExtendedError(), 0u);
  EXPECT_EQ(FindShown(kDialog), nullptr);
  EXPECT_TRUE(IsWindowEnabled(owner));
}

TEST_F(FileDialogTest, EscapeCancelsWithoutAnError) {
  Key(VK_ESCAPE);
  EXPECT_FALSE(GetOpenFileNameA(&ofn));
  EXPECT_EQ(CommDlgExtendedError(), 0u);
  EXPECT_STREQ(file, "");
}

TEST_F(FileDialogTest, ListsFoldersThenMatchingFilesAndIsModalOverItsOwner) {
  std::vector<std::string> rows;
  std::string title;
  bool ownerOn = true;
  RECT box{}, own{};
  WhileOpen([&] {
    HWND dlg = FindShown(kDialog);
    rows = Rows();
    char buf[64] = {};
    GetWindowTextA(dlg, buf, sizeof buf);
    title = buf;
    ownerOn = IsWindowEnabled(owner);
    GetWindowRect(dlg, &box);
    GetWindowRect(owner, &own);
    Key(VK_ESCAPE);
  });
  ofn.lpstrTitle = "Pick a list";
  EXPECT_FALSE(GetOpenFileNameA(&ofn));
  EXPECT_EQ(rows, (std::vector<std::string>{"[Alpha]", "[beta]", "[Zed]", "Mission.lst"}));
  EXPECT_EQ(title, "Pick a list");
  EXPECT_FALSE(ownerOn);
  // Centred on the owner as far as the screen allows.
  EXPECT_NEAR((box.left + box.right) / 2, std::max<int>((own.left + own.right) / 2, (box.right - box.left) / 2), 1);
}

TEST_F(FileDialogTest, FilterIndexWildcardAndTypeComboChangeTheList) {
  std::vector<std::string> byIndex, byWildcard, byCombo;
  WhileOpen([&] {
    byIndex = Rows();
    HWND dlg = FindShown(kDialog);
    SetWindowTextA(GetDlgItem(dlg, edt1), "*.tie");
    SendMessageA(dlg, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    byWildcard = Rows();
    HWND types = GetDlgItem(dlg, cmb1);
    SendMessageA(types, CB_SETCURSEL, 2, 0);
    SendMessageA(dlg, WM_COMMAND, MAKEWPARAM(cmb1, CBN_SELCHANGE), reinterpret_cast<LPARAM>(types));
    byCombo = Rows();
    SetWindowTextA(GetDlgItem(dlg, edt1), "notes.txt");
    Key(VK_RETURN);
  });
  ofn.nFilterIndex = 2;
  ASSERT_TRUE(GetOpenFileNameA(&ofn));
  const std::vector<std::string> folders{"[Alpha]", "[beta]", "[Zed]"};
  auto with = [&](std::vector<std::string> files) {
    std::vector<std::string> v = folders;
    v.insert(v.end(), files.begin(), files.end());
    return v;
  };
  EXPECT_EQ(byIndex, with({"notes.txt", "Readme.TXT"}));
  EXPECT_EQ(byWildcard, with({"b1m1.tie"}));
  EXPECT_EQ(byCombo, with({"b1m1.tie", "Mission.lst", "notes.txt", "Readme.TXT"}));
  EXPECT_EQ(ofn.nFilterIndex, 3u);
  EXPECT_STREQ(file, "C:\\Games\\XvT\\Combat\\notes.txt");
}

TEST_F(FileDialogTest, TypedFolderAndFullPathNavigateOrOpen) {
  std::vector<std::string> inGames, inAlpha;
  std::string lookIn;
  prefix.Touch("Alpha/deep.lst");
  WhileOpen([&] {
    HWND dlg = FindShown(kDialog);
    HWND edit = GetDlgItem(dlg, edt1);
    SetWindowTextA(edit, "..");
    Key(VK_RETURN);
    WhileOpen([&, dlg, edit] {
      inGames = Rows();
      SetWindowTextA(edit, "c:\\GAMES\\xvt\\combat\\alpha");
      Key(VK_RETURN);
      WhileOpen([&, dlg, edit] {
        inAlpha = Rows();
        char buf[64] = {};
        HWND combo = GetDlgItem(dlg, cmb2);
        SendMessageA(combo, CB_GETLBTEXT, static_cast<WPARAM>(SendMessageA(combo, CB_GETCURSEL, 0, 0)),
                     reinterpret_cast<LPARAM>(buf));
        lookIn = buf;
        SetWindowTextA(edit, "C:\\Games\\XvT\\Combat\\b1m1.tie");
        Key(VK_RETURN);
      });
    });
  });
  ASSERT_TRUE(GetOpenFileNameA(&ofn));
  EXPECT_EQ(inGames, (std::vector<std::string>{"[Combat]"}));
  EXPECT_EQ(inAlpha, (std::vector<std::string>{"deep.lst"}));
  EXPECT_EQ(lookIn, "        Alpha");  // four levels below the drive
  EXPECT_STREQ(file, "C:\\Games\\XvT\\Combat\\b1m1.tie");
}

TEST_F(FileDialogTest, EnterOnAFolderInTheListOpensIt) {
  std::vector<std::string> rows;
  WhileOpen([&] {
    HWND list = GetDlgItem(FindShown(kDialog), lst1);
    SetFocus(list);
    SendMessageA(list, LB_SETCURSEL, 2, 0);  // [Zed]
    Key(VK_RETURN);
    WhileOpen([&] {
      rows = Rows();
      Key(VK_ESCAPE);
    });
  });
  EXPECT_FALSE(GetOpenFileNameA(&ofn));
  EXPECT_TRUE(rows.empty()) << rows.size();
}

TEST_F(FileDialogTest, MissingFileWarnsAndKeepsTheDialogOpen) {
  bool warned = false, stillOpen = false;
  WhileOpen([&] {
    SetWindowTextA(GetDlgItem(FindShown(kDialog), edt1), "nothere.lst");
    WhileOpen([&] {
      warned = FindShown(kBox) != nullptr;
      Key(VK_RETURN);  // dismisses the warning
      WhileOpen([&] {
        stillOpen = FindShown(kDialog) != nullptr && FindShown(kBox) == nullptr;
        Key(VK_ESCAPE);
      });
    });
    Key(VK_RETURN);
  });
  EXPECT_FALSE(GetOpenFileNameA(&ofn));
  EXPECT_TRUE(warned);
  EXPECT_TRUE(stillOpen);
}

// Types `text`, presses Enter, and reports whether a warning box came and,
// once dismissed, left the dialog open.
struct Outcome {
  bool warned = false, stillOpen = false, returned = false;
};

class MustExist : public FileDialogTest {
 protected:
  Outcome Try(const std::string& text) {
    Outcome o;
    file[0] = '\0';
    WhileOpen([&] {
      SetWindowTextA(GetDlgItem(FindShown(kDialog), edt1), text.c_str());
      WhileOpen([&] {
        o.warned = FindShown(kBox) != nullptr;
        if (!o.warned) return;
        Key(VK_RETURN);  // dismisses the warning
        WhileOpen([&] {
          o.stillOpen = FindShown(kDialog) != nullptr && FindShown(kBox) == nullptr;
          Key(VK_ESCAPE);
        });
      });
      Key(VK_RETURN);
    });
    o.returned = GetOpenFileNameA(&ofn);
    return o;
  }
};

TEST_F(MustExist, EveryWayOfTypingAMissingFileOrFolderWarnsAndKeepsTheDialog) {
  for (const char* text : {"nothere.lst", "Alpha\\nothere.lst", "..\\Combat\\nothere.lst",
                           "C:\\Games\\XvT\\Combat\\nothere.lst", "c:/games/xvt/combat/nothere.lst",
                           "\\Games\\XvT\\Combat\\nothere.lst", "C:\\Nowhere\\combat\\z.tie", "Nowhere\\z.lst",
                           "C:\\Nowhere\\*.tie", "Nowhere\\*.*", "Q:\\x.tie"}) {
    const Outcome o = Try(text);
    EXPECT_TRUE(o.warned) << text;
    EXPECT_TRUE(o.stillOpen) << text;
    EXPECT_FALSE(o.returned) << text;
    EXPECT_STREQ(file, "") << text;
  }
}

TEST_F(MustExist, WhatExistsIsTakenAndAWildcardInAnExistingFolderFilters) {
  std::vector<std::string> rows;
  WhileOpen([&] {
    HWND dlg = FindShown(kDialog);
    SetWindowTextA(GetDlgItem(dlg, edt1), "Alpha\\*.lst");
    SendMessageA(dlg, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    rows = Rows();
    Key(VK_ESCAPE);
  });
  prefix.Touch("Alpha/found.lst");
  EXPECT_FALSE(GetOpenFileNameA(&ofn));
  EXPECT_EQ(rows, (std::vector<std::string>{"found.lst"}));
  const Outcome o = Try("..\\Combat\\Alpha\\FOUND.LST");
  EXPECT_FALSE(o.warned);
  EXPECT_TRUE(o.returned);
  EXPECT_STREQ(file, "C:\\Games\\XvT\\Combat\\Alpha\\found.lst");
}

TEST_F(MustExist, TheWarningNamesTheMissingFileOrFolder) {
  using dialogs::MustExistWarning;
  const hostfs::Drives drives(prefix.Path());
  const DWORD both = OFN_PATHMUSTEXIST | OFN_FILEMUSTEXIST;
  EXPECT_EQ(MustExistWarning(drives, "C:\\Games\\XvT\\Combat\\nothere.tie", both),
            "nothere.tie\nFile not found.\nPlease verify the correct file name was given.");
  EXPECT_EQ(MustExistWarning(drives, "C:\\Nowhere\\combat\\z.tie", both),
            "C:\\Nowhere\\combat\\z.tie\nPath does not exist.\nPlease verify the correct path was given.");
  // A file that must exist needs its folder too.
  EXPECT_EQ(MustExistWarning(drives, "C:\\Nowhere\\z.tie", OFN_FILEMUSTEXIST),
            "C:\\Nowhere\\z.tie\nPath does not exist.\nPlease verify the correct path was given.");
  EXPECT_EQ(MustExistWarning(drives, "C:\\Games\\XvT\\Combat\\nothere.tie", OFN_PATHMUSTEXIST), std::nullopt);
  EXPECT_EQ(MustExistWarning(drives, "C:\\Nowhere\\z.tie", 0), std::nullopt);
  EXPECT_EQ(MustExistWarning(drives, "c:\\games\\xvt\\combat\\MISSION.LST", both), std::nullopt);
}

TEST_F(FileDialogTest, MissingFolderWarnsUnderPathMustExist) {
  ofn.Flags = OFN_PATHMUSTEXIST;
  std::string text;
  WhileOpen([&] {
    SetWindowTextA(GetDlgItem(FindShown(kDialog), edt1), "C:\\Nowhere\\x.lst");
    WhileOpen([&] {
      // The message is the box's own painted text; its caption is the dialog's title.
      char buf[64] = {};
      GetWindowTextA(FindShown(kBox), buf, sizeof buf);
      text = buf;
      Key(VK_RETURN);
      WhileOpen([] { Key(VK_ESCAPE); });
    });
    Key(VK_RETURN);
  });
  EXPECT_FALSE(GetOpenFileNameA(&ofn));
  EXPECT_EQ(text, "Open");
}

TEST_F(FileDialogTest, WithoutMustExistAMissingFileInAnExistingFolderIsReturned) {
  ofn.Flags = OFN_PATHMUSTEXIST;
  ofn.lpstrDefExt = "lst";
  Type("newlist");
  Key(VK_RETURN);
  ASSERT_TRUE(GetOpenFileNameA(&ofn));
  EXPECT_STREQ(file, "C:\\Games\\XvT\\Combat\\newlist.lst");
}

TEST_F(FileDialogTest, BadArgumentsAndSmallBuffersFail) {
  OPENFILENAMEA bad = ofn;
  bad.lStructSize = 12;
  EXPECT_FALSE(GetOpenFileNameA(&bad));
  EXPECT_EQ(CommDlgExtendedError(), static_cast<DWORD>(CDERR_STRUCTSIZE));
  bad = ofn;
  bad.lpstrFile = nullptr;
  EXPECT_FALSE(GetOpenFileNameA(&bad));
  EXPECT_EQ(CommDlgExtendedError(), static_cast<DWORD>(CDERR_INITIALIZATION));
  // The old, shorter structure is still taken.
  ofn.lStructSize = OPENFILENAME_SIZE_VERSION_400A;
  ofn.nMaxFile = 10;
  Type("Mission.lst");
  Key(VK_RETURN);
  EXPECT_FALSE(GetOpenFileNameA(&ofn));
  EXPECT_EQ(CommDlgExtendedError(), static_cast<DWORD>(FNERR_BUFFERTOOSMALL));
  WORD need = 0;
  std::memcpy(&need, file, sizeof need);
  EXPECT_EQ(need, 32);
}

TEST_F(FileDialogTest, InitialFileTextGivesTheFolderAndTheName) {
  std::strcpy(file, "C:\\Games\\XvT\\Combat\\Alpha\\");
  ofn.lpstrInitialDir = nullptr;
  prefix.Touch("Alpha/x.lst");
  std::vector<std::string> rows;
  WhileOpen([&] {
    rows = Rows();
    Key(VK_ESCAPE);
  });
  EXPECT_FALSE(GetOpenFileNameA(&ofn));
  EXPECT_EQ(rows, (std::vector<std::string>{"x.lst"}));
}

// The browsing model on its own.
TEST(FileBrowse, PatternsPathsAndFolderRows) {
  using namespace dialogs;
  EXPECT_TRUE(MatchesPatterns("MISSION.LST", "*.txt; *.lst"));
  EXPECT_TRUE(MatchesPatterns("README", "*.*"));
  EXPECT_TRUE(MatchesPatterns("b1m1.tie", "b?m*.TIE"));
  EXPECT_FALSE(MatchesPatterns("b1m1.tie2", "*.tie"));
  EXPECT_FALSE(MatchesPatterns("x", ""));
  const auto f = ParseFilter("A\0*.a\0B\0*.b;*.c\0");
  ASSERT_EQ(f.size(), 2u);
  EXPECT_EQ(f[1].patterns, "*.b;*.c");
  EXPECT_TRUE(ParseFilter(nullptr).empty());
  EXPECT_EQ(NormalFolder("c:\\a\\.\\b\\..\\c\\"), "C:\\a\\c");
  EXPECT_EQ(NormalFolder("c:\\..\\.."), "C:\\");
  EXPECT_EQ(ParentFolder("C:\\a"), std::optional<std::string>("C:\\"));
  EXPECT_EQ(ParentFolder("C:\\"), std::nullopt);
  EXPECT_EQ(JoinPath("C:\\", "x"), "C:\\x");
  TempPrefix p;
  hostfs::Drives drives(p.Path());
  const auto rows = FolderRows(drives, "C:\\Games\\XvT");
  ASSERT_EQ(rows.size(), 3u);
  EXPECT_EQ(rows[0].label, "C:\\");
  EXPECT_EQ(rows[2].path, "C:\\Games\\XvT");
  EXPECT_EQ(rows[2].depth, 2);
  const Typed t = InterpretTyped(drives, "C:\\Games", "xvt\\combat\\*.lst");
  EXPECT_EQ(t.kind, Typed::Filter);
  EXPECT_EQ(t.folder, kCombat);
  EXPECT_EQ(t.value, "*.lst");
  EXPECT_EQ(InterpretTyped(drives, "C:\\Games", "  \"XVT\"  ").kind, Typed::Folder);
  EXPECT_EQ(InterpretTyped(drives, "C:\\Games", "\\Games\\x.lst").value, "C:\\Games\\x.lst");
}

}  // namespace
