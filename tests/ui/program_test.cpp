// The real program on the headless screen: the five windows as the
// application creates them, their starting state, and a build, a side
// switch and the boxes driven by mouse input.
#include <gtest/gtest.h>

#include <backend/headless.h>

#include <cstdlib>
#include <filesystem>
#include <sstream>
#include <vector>

#include "framework/application.h"
#include "panels/AdvStatusBar.h"
#include "panels/TB97Ctls.h"
#include "panels/TFlatEditUnit.h"
#include "framework/menus.h"
#include "framework/screen.h"
#include "framework/stdctrls.h"
#include "ui/About.h"
#include "ui/Confirm.h"
#include "ui/Instructs.h"
#include "ui/LST.h"
#include "ui/Main.h"
#include "ui/program.h"

#include "program_fixture.h"

namespace fs = std::filesystem;

namespace {

using ui_test::ProgramTest;

TEST_F(ProgramTest, CreatesTheFiveWindowsInOrderAndShowsOnlyTheMainOne) {
  EXPECT_EQ(Application->Title(), "Varnholt XvT Inst.");
  // The menu bar's drop-down window is a form of its own, hidden until a
  // menu opens.
  std::vector<TCustomForm*> windows;
  for (int i = 0; i < Screen->FormCount(); ++i) {
    TCustomForm* form = Screen->Forms(i);
    if (form->ClassName() == "TPopupMenu2000Form")
      EXPECT_FALSE(form->Visible());
    else
      windows.push_back(form);
  }
  ASSERT_EQ(windows.size(), 5u);
  const char* names[] = {"MainForm", "ConfirmForm", "LSTForm", "AboutForm", "Instructions"};
  const char* classes[] = {"TMainForm", "TConfirmForm", "TLSTForm", "TAboutForm", "TInstructions"};
  for (int i = 0; i < 5; ++i) {
    EXPECT_EQ(windows[i]->Name(), names[i]);
    EXPECT_EQ(windows[i]->ClassName(), classes[i]);
    EXPECT_EQ(windows[i]->Visible(), i == 0) << names[i];
  }
  EXPECT_EQ(Application->MainForm(), MainForm);
  EXPECT_EQ(MainForm->ClientWidth(), 734);
  EXPECT_EQ(MainForm->ClientHeight(), 441);
  // Centred on the 1024 x 768 screen.
  TPoint origin = MainForm->ClientOrigin();
  EXPECT_NEAR(origin.x, (1024 - 734) / 2, 4);
}

TEST_F(ProgramTest, FormCreateShowsTheInstallPathsOfThePrefix) {
  EXPECT_EQ(MainForm->XvTPath->Caption(), "C:\\Games\\XvT");
  EXPECT_EQ(MainForm->BoPPath->Caption(), "C:\\Games\\XvT\\BalanceOfPower");
}

TEST_F(ProgramTest, StartsInTheStateOfTheTable) {
  TMainForm* f = MainForm;
  EXPECT_EQ(f->Refresh->Caption(), "Build Mission List");
  EXPECT_FALSE(f->OpenFile->Enabled());
  EXPECT_FALSE(f->Install->Enabled());
  EXPECT_FALSE(f->Remove->Enabled());
  EXPECT_TRUE(f->RImperial->Checked());
  for (TRadioButton* side : {f->RImperial, f->RRebel, f->RBoth}) EXPECT_FALSE(side->Enabled());
  EXPECT_FALSE(f->SP->Checked());
  EXPECT_FALSE(f->SP->Enabled());
  EXPECT_EQ(f->Filename->Caption(), "No File Loaded");
  EXPECT_EQ(f->MissionType->Caption(), "No File Loaded");
  EXPECT_EQ(f->MissionSection->Items()->Count(), 0);
  EXPECT_FALSE(f->MenuItems[ui::miOpen1]->Enabled());
  EXPECT_TRUE(f->MenuItems[ui::miXvTM]->Checked());
  // The tree fills the left side between the menu bar and the status bar.
  auto bounds = [](TControl* c) {
    return std::to_string(c->Left()) + "," + std::to_string(c->Top()) + "," + std::to_string(c->Width()) + "," +
           std::to_string(c->Height());
  };
  EXPECT_EQ(bounds(f->MissionTree), "0,19,433,403");
  EXPECT_EQ(bounds(f->StatusBar), "0,422,734,19");
}

TEST_F(ProgramTest, BuildByClickFillsTheTreeAndEnablesOpen) {
  ClickOn(MainForm->Refresh);
  TMainForm* f = MainForm;
  EXPECT_EQ(f->Refresh->Caption(), "Refresh Mission List");
  EXPECT_EQ(f->MenuItems[ui::miBuildMissionList1]->Caption(), "&Refresh Mission List");
  EXPECT_TRUE(f->OpenFile->Enabled());
  ASSERT_GT(f->MissionTree->Items()->Count(), 2);
  EXPECT_EQ(f->MissionTree->Items()->Item(0)->Text(), "XvT");
  EXPECT_EQ(f->StatusBar->Panels()->Items(0)->Text(), "Done.");
  if (const char* dir = std::getenv("XVT_SHOT_DIR")) headless::SaveScreen(std::string(dir) + "/main_built.png");
}

TEST_F(ProgramTest, ConfirmDialogAnswersByItsButtons) {
  ConfirmForm->OK->OnClick = nullptr;
  EXPECT_EQ(ConfirmForm->OK->ModalResult(), mrOk);
  EXPECT_EQ(ConfirmForm->Cancel->ModalResult(), mrCancel);
  EXPECT_TRUE(ConfirmForm->Game->ReadOnly());
  EXPECT_EQ(LSTForm->Caption(), "LST File Contents");
  EXPECT_GT(Instructions->Memo1->Lines()->Count(), 40);
  EXPECT_EQ(AboutForm->ToolbarButton971->ModalResult(), mrOk);
}

TEST_F(ProgramTest, SecondaryWindowsKeepTheirDesignedSizes) {
  EXPECT_EQ(ConfirmForm->ClientWidth(), 356);
  EXPECT_EQ(ConfirmForm->ClientHeight(), 109);
  EXPECT_EQ(LSTForm->Width(), 435);
  EXPECT_EQ(LSTForm->Left(), 200);
  EXPECT_EQ(AboutForm->ClientWidth(), 315);
  EXPECT_EQ(Instructions->ClientHeight(), 273);
  // The heading spans the top, the text fills the rest.
  EXPECT_EQ(Instructions->Label1->Width(), 427);
  EXPECT_EQ(Instructions->Memo1->Top(), 28);
  EXPECT_EQ(SendMessageA(Instructions->Memo1->Handle(), EM_GETFIRSTVISIBLELINE, 0, 0), 0);
  // The Confirm labels end at one right edge.
  int right = ConfirmForm->Label1->Left() + ConfirmForm->Label1->Width();
  for (TLabel* l : {ConfirmForm->Label2, ConfirmForm->Label3, ConfirmForm->Label4, ConfirmForm->Label5})
    EXPECT_NEAR(l->Left() + l->Width(), right, 1) << l->Caption();
  if (const char* dir = std::getenv("XVT_SHOT_DIR")) {
    for (TForm* form : std::initializer_list<TForm*>{ConfirmForm, LSTForm, AboutForm, Instructions}) {
      form->Show();
      Settle();
      headless::SaveScreen(std::string(dir) + "/" + form->Name() + ".png");
      form->Hide();
    }
  }
}

}  // namespace
