// The application: forms in creation order, hints of the control under
// the pointer, closing actions, and dialog characters reaching nested
// windowless controls.
#include <backend/headless.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "framework/application.h"
#include "framework/forms.h"
#include "framework/panel.h"
#include "framework/screen.h"

namespace {

class MainForm : public TForm {
 public:
  explicit MainForm(TComponent* owner) : TForm(owner) {
    OnCreate = [this](TObject*) { createdVisible = Visible(); ++created; };
  }
  int created = 0;
  bool createdVisible = true;
};

// Answers one accelerator character, as a label with a focus control does.
class Accel : public TGraphicControl {
 public:
  Accel(TComponent* owner, char ch) : TGraphicControl(owner), ch_(ch) {}
  int hits = 0;

 protected:
  void WndProc(TMessage& m) override {
    if (m.Msg == CM_DIALOGCHAR && static_cast<char>(m.WParam) == ch_) {
      ++hits;
      m.Result = 1;
      return;
    }
    TGraphicControl::WndProc(m);
  }

 private:
  char ch_;
};

class ApplicationTest : public ::testing::Test {
 protected:
  void SetUp() override {
    headless::Start(800, 600);
    headless::SetIdleAdvance(true);
    saved_ = Application;
    app_.reset(new TApplication(nullptr));
    Application = app_.get();
  }
  void TearDown() override {
    app_.reset();
    Application = saved_;
    headless::SetIdleAdvance(false);
  }
  void Pump() { Application->ProcessMessages(); }
  TOwned<TApplication> app_;
  TApplication* saved_ = nullptr;
};

TEST_F(ApplicationTest, TheFirstFormCreatedIsTheMainFormAndOnCreateRunsOnce) {
  MainForm* first = nullptr;
  MainForm* second = nullptr;
  Application->CreateForm(first);
  Application->CreateForm(second);
  EXPECT_EQ(Application->MainForm(), first);
  EXPECT_EQ(first->created, 1);
  EXPECT_FALSE(second->createdVisible) << "forms are created hidden";
  EXPECT_EQ(second->Owner(), Application);
  second->AfterConstruction();
  second->Show();
  EXPECT_EQ(second->created, 1) << "OnCreate runs once only";
  Free(first);
  EXPECT_EQ(Application->MainForm(), nullptr) << "a freed main form is forgotten";
}

TEST_F(ApplicationTest, TheHintFollowsTheControlUnderThePointer) {
  TForm* form = nullptr;
  Application->CreateForm(form);
  form->SetBorderStyle(bsNone);
  form->SetBounds(0, 0, 300, 200);
  auto* panel = new TPanel(form);
  panel->SetParent(form);
  panel->SetBounds(0, 0, 100, 100);
  panel->SetHint("Build|Reads every mission list");
  auto* inner = new Accel(form, 'x');
  inner->SetParent(panel);
  inner->SetBounds(10, 10, 20, 20);  // no hint of its own: its parent's counts
  std::vector<std::string> hints;
  Application->OnHint = [&](TObject*) { hints.push_back(Application->Hint()); };
  form->Show();
  Pump();
  headless::MoveMouse(15, 15);
  Pump();
  Application->DoMouseIdle();  // what the loop does when it runs out of messages
  EXPECT_EQ(Application->Hint(), "Reads every mission list");
  headless::MoveMouse(200, 150);
  Pump();
  Application->DoMouseIdle();
  EXPECT_EQ(Application->Hint(), "");
  EXPECT_EQ(GetShortHint("Build|Reads"), "Build");
  EXPECT_EQ(GetLongHint("Plain"), "Plain");
  ASSERT_GE(hints.size(), 2u);
}

TEST_F(ApplicationTest, CloseActionsHideOrFreeTheForm) {
  TForm* main = nullptr;
  TForm* other = nullptr;
  Application->CreateForm(main);
  Application->CreateForm(other);
  main->Show();
  other->Show();
  Pump();
  bool canClose = false;
  other->OnCloseQuery = [&](TObject*, bool& can) { can = canClose; };
  other->Close();
  EXPECT_TRUE(other->Visible()) << "refused";
  canClose = true;
  other->Close();
  EXPECT_FALSE(other->Visible()) << "caHide by default";
  EXPECT_FALSE(Application->Terminated());

  other->OnClose = [](TObject*, TCloseAction& action) { action = caFree; };
  other->Show();
  Pump();
  const int before = Application->ComponentCount();
  other->Close();
  Pump();
  EXPECT_EQ(Application->ComponentCount(), before - 1) << "released once its messages were handled";
  for (int i = 0; i < Screen->FormCount(); ++i) EXPECT_NE(Screen->Forms(i), other);

  main->OnClose = [](TObject*, TCloseAction& action) { action = caNone; };
  main->Close();
  EXPECT_FALSE(Application->Terminated()) << "caNone keeps the main form";
  main->OnClose = nullptr;
  main->Close();
  EXPECT_TRUE(Application->Terminated());
}

TEST_F(ApplicationTest, DialogCharactersReachNestedWindowlessControls) {
  TForm* form = nullptr;
  Application->CreateForm(form);
  auto* panel = new TPanel(form);
  panel->SetParent(form);
  auto* accel = new Accel(form, 'b');
  accel->SetParent(panel);
  form->Show();
  Pump();
  headless::PressKey(VK_MENU);
  headless::TypeText("b");
  headless::ReleaseKey(VK_MENU);
  Pump();
  EXPECT_EQ(accel->hits, 1) << "Alt+B";
  headless::TypeText("b");
  Pump();
  EXPECT_EQ(accel->hits, 2) << "a plain b: nothing focused wants characters";
}

}  // namespace
