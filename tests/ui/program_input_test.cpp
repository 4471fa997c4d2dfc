// What the user types into the real program: names in the Open dialog, and
// Tab, Return and Escape in the main window and in Confirm. The checks are on
// behaviour only (where the focus goes, which key clicks what, what the lists
// hold afterwards), whichever controls the windows are built from.
#include <win32/comdlg32.h>

#include <cctype>
#include <fstream>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "framework/stdctrls.h"
#include "framework/treeview.h"
#include "modal_later.h"
#include "program_fixture.h"
#include "panels/TB97Ctls.h"
#include "panels/TFlatEditUnit.h"
#include "framework/menus.h"
#include "ui/About.h"
#include "ui/Confirm.h"
#include "ui/main_menu.h"

namespace {

using testsupport::Later;
using ui_test::ProgramTest;
namespace fs = std::filesystem;

class ProgramInput : public ProgramTest {
 protected:
  void SetUp() override {
    ProgramTest::SetUp();
    headless::SetIdleAdvance(true);  // the Later timers run inside the modal loops
    ClickOn(MainForm->Refresh);
  }
  void TearDown() override {
    headless::SetIdleAdvance(false);
    ProgramTest::TearDown();
  }
  static void Key(unsigned vk) {
    headless::PressKey(vk);
    headless::ReleaseKey(vk);
  }
  static HWND Shown(const char* cls) {
    HWND h = FindWindowA(cls, nullptr);
    return h && IsWindowVisible(h) ? h : nullptr;
  }
  // Every list file of the prefix with its text.
  std::map<fs::path, std::string> Lists() const {
    std::map<fs::path, std::string> out;
    for (const auto& e : fs::recursive_directory_iterator(scratch_)) {
      std::string ext = e.path().extension().string();
      for (char& c : ext) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
      if (e.is_regular_file() && ext == ".lst") {
        std::ifstream in(e.path(), std::ios::binary);
        out[e.path()] = std::string(std::istreambuf_iterator<char>(in), {});
      }
    }
    return out;
  }
  // Opens `path` by typing it into the Open dialog's name field.
  void OpenTyped(const std::string& path) {
    Later([path] {
      SetWindowTextA(GetDlgItem(Shown("XvtFileDialog"), edt1), path.c_str());
      Key(VK_RETURN);
    });
    ClickOn(MainForm->OpenFile);
  }
  // The name of the control that has the keyboard focus (a combo box for its edit).
  static std::string Focused() {
    HWND h = GetFocus();
    for (; h; h = GetParent(h))
      if (TWinControl* c = TWinControl::FindControl(h)) return c->Name();
    return "";
  }
  // Confirms the install by clicking the dialog's OK, as the user would.
  void InstallAndAnswer(std::function<void()> inConfirm) {
    MainForm->MissionName->SetText("Typed Mission");
    MainForm->MissionSection->SetText("[Deep Strike]");
    Later(std::move(inConfirm));
    ClickOn(MainForm->Install);
  }
};

TEST_F(ProgramInput, OpenWithAMissingFileOrFolderWarnsKeepsTheDialogAndInstallsNothing) {
  const auto before = Lists();
  for (const char* path : {"C:\\Games\\XvT\\combat\\nothere.tie", "C:\\Nowhere\\combat\\z.tie", "nothere.tie"}) {
    bool warned = false, stillOpen = false;
    Later([&] {
      SetWindowTextA(GetDlgItem(Shown("XvtFileDialog"), edt1), path);
      Later([&] {
        warned = Shown("XvtMessageBox") != nullptr;
        Key(VK_RETURN);
        Later([&] {
          stillOpen = Shown("XvtFileDialog") && !Shown("XvtMessageBox");
          Key(VK_ESCAPE);
        });
      });
      Key(VK_RETURN);
    });
    ClickOn(MainForm->OpenFile);
    EXPECT_TRUE(warned) << path;
    EXPECT_TRUE(stillOpen) << path;
    EXPECT_EQ(Shown("XvtFileDialog"), nullptr) << path;
    EXPECT_EQ(MainForm->Filename->Caption(), "No File Loaded") << path;
    EXPECT_EQ(MainForm->MissionType->Caption(), "No File Loaded") << path;
    EXPECT_EQ(MainForm->MissionSection->Items()->Count(), 0) << path;
  }
  InstallAndAnswer([] { ClickOn(ConfirmForm->OK); });
  EXPECT_EQ(Lists(), before);
}

TEST_F(ProgramInput, TabWalksTheMainWindowInItsTabOrderAndNeverStopsOnAButton) {
  OpenTyped("C:\\Games\\XvT\\TRAIN\\novice.tie");
  ASSERT_EQ(MainForm->MissionType->Caption(), "XvT Training");
  EXPECT_EQ(MainForm->MissionName->TabOrder(), 0);
  // Looked up by name: the panel's class is not what this test is about.
  auto* panel = dynamic_cast<TWinControl*>(MainForm->FindComponent("MegaPanel1"));
  ASSERT_NE(panel, nullptr);
  EXPECT_EQ(panel->TabOrder(), 1);
  MainForm->MissionTree->SetFocus();
  Settle();
  std::vector<std::string> walk;
  for (int i = 0; i < 6; ++i) {
    Key(VK_TAB);
    Settle();
    walk.push_back(Focused());
  }
  EXPECT_EQ(walk, (std::vector<std::string>{"MissionName", "SP", "MissionSection", "RImperial", "MissionTree",
                                            "MissionName"}));
  std::vector<std::string> back;
  for (int i = 0; i < 5; ++i) {
    headless::PressKey(VK_SHIFT);
    Key(VK_TAB);
    headless::ReleaseKey(VK_SHIFT);
    Settle();
    back.push_back(Focused());
  }
  EXPECT_EQ(back, (std::vector<std::string>{"MissionTree", "RImperial", "MissionSection", "SP", "MissionName"}));
}

TEST_F(ProgramInput, AClickedButtonLeavesTheFocusAndReturnDoesNotRunItAgain) {
  MainForm->MissionTree->SetFocus();
  Settle();
  TTreeNode* first = MainForm->MissionTree->Items()->Item(0);
  ClickOn(MainForm->Refresh);
  TTreeNode* rebuilt = MainForm->MissionTree->Items()->Item(0);
  EXPECT_NE(rebuilt, first) << "the click built the tree anew";
  EXPECT_EQ(Focused(), "MissionTree");
  Key(VK_RETURN);
  Settle();
  EXPECT_EQ(MainForm->MissionTree->Items()->Item(0), rebuilt) << "Return built it again";
}

TEST_F(ProgramInput, ReturnAndEscapeInConfirmClickNothingAndTabStaysInTheFields) {
  const auto before = Lists();
  OpenTyped("C:\\Games\\XvT\\combat\\ember.tie");
  ASSERT_EQ(MainForm->MissionType->Caption(), "XvT Combat");
  std::string first;
  std::vector<std::string> walk;
  bool openAfterKeys = false;
  InstallAndAnswer([&] {
    first = Focused();
    Key(VK_RETURN);
    Key(VK_ESCAPE);
    Settle();
    openAfterKeys = ConfirmForm->Visible();
    for (int i = 0; i < 5; ++i) {
      Key(VK_TAB);
      Settle();
      walk.push_back(Focused());
    }
    ClickOn(ConfirmForm->Cancel);
  });
  EXPECT_EQ(first, "Game");
  EXPECT_TRUE(openAfterKeys) << "Return or Escape ended the dialog";
  EXPECT_EQ(walk, (std::vector<std::string>{"MType", "MSection", "Sides", "Players", "Game"}));
  EXPECT_FALSE(ConfirmForm->Visible());
  EXPECT_EQ(Lists(), before);
  EXPECT_EQ(MainForm->MissionType->Caption(), "XvT Combat") << "a cancelled install keeps the panel";
}

TEST_F(ProgramInput, ReturnAndEscapeLeaveTheAboutWindowOpenItsButtonClosesIt) {
  bool openAfterKeys = false;
  Later([&] {
    Key(VK_RETURN);
    Key(VK_ESCAPE);
    Settle();
    openAfterKeys = AboutForm->Visible();
    ClickOn(AboutForm->ToolbarButton971);
  });
  MainForm->MenuItems[ui::miAbout1]->Click();
  EXPECT_TRUE(openAfterKeys);
  EXPECT_FALSE(AboutForm->Visible());
}

}  // namespace
