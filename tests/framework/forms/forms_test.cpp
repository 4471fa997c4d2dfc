// Forms and the application on the headless screen: Tab order and dialog
// keys, modal results with the other windows disabled, closing, and the
// error box for an exception escaping an event handler.
#include <backend/headless.h>
#include <gtest/gtest.h>
#include <gmock/gmock.h>

#include <functional>
#include <thread>
#include <string>
#include <vector>

#include "framework/application.h"
#include "framework/forms.h"
#include "framework/menus.h"
#include "framework/shortcut.h"
#include "framework/synchronize.h"
#include "framework/panel.h"
#include "framework/screen.h"
#include "modal_later.h"

namespace {

// A focusable windowed control that answers one dialog key like a default
// or cancel button does.
class KeyButton : public TCustomControl {
 public:
  KeyButton(TComponent* owner, std::uint16_t key, TModalResult result)
      : TCustomControl(owner), key_(key), result_(result) {
    SetTabStop(true);
    SetBounds(0, 0, 60, 20);
  }
  int enters = 0, exits = 0;

 protected:
  void WndProc(TMessage& m) override {
    if (m.Msg == CM_DIALOGKEY && m.WParam == key_ && key_ != 0) {
      if (auto* f = dynamic_cast<TCustomForm*>(GetParentForm())) f->SetModalResult(result_);
      m.Result = 1;
      return;
    }
    if (m.Msg == CM_ENTER) ++enters;
    if (m.Msg == CM_EXIT) ++exits;
    TCustomControl::WndProc(m);
  }

 private:
  std::uint16_t key_;
  TModalResult result_;
};

using testsupport::Later;

void Key(unsigned vk) {
  headless::PressKey(vk);
  headless::ReleaseKey(vk);
}

BOOL CALLBACK CollectText(HWND h, LPARAM p) {
  char buf[256] = {};
  GetWindowTextA(h, buf, sizeof buf);
  reinterpret_cast<std::vector<std::string>*>(p)->push_back(buf);
  return TRUE;
}

// The real box, with what it was asked to show kept.
class RecordingApplication : public TApplication {
 public:
  using TApplication::TApplication;
  struct Box {
    std::string text, caption;
    UINT flags;
  };
  std::vector<Box> boxes;
  int MessageBox(const std::string& text, const std::string& caption, UINT flags) override {
    boxes.push_back({text, caption, flags});
    return TApplication::MessageBox(text, caption, flags);
  }
};

class FormsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    headless::Start(800, 600);
    headless::SetIdleAdvance(true);
  }
  void TearDown() override { headless::SetIdleAdvance(false); }
  void Pump() { Application->ProcessMessages(); }
};

TEST_F(FormsTest, TabAndShiftTabFollowTheTabOrderAndSkipWhatCannotTakeFocus) {
  TOwned<TForm> form(new TForm(nullptr));
  auto* a = new KeyButton(form.get(), 0, mrNone);
  auto* b = new KeyButton(form.get(), 0, mrNone);
  auto* off = new KeyButton(form.get(), 0, mrNone);
  auto* panel = new TPanel(form.get());
  auto* c = new KeyButton(form.get(), 0, mrNone);
  for (TControl* ctl : std::vector<TControl*>{a, b, off, panel}) ctl->SetParent(form.get());
  c->SetParent(panel);  // nested: reached through the panel's place in the order
  off->SetEnabled(false);
  b->SetTabOrder(0);  // b, a, off, panel(c)
  form->Show();
  Pump();
  EXPECT_EQ(form->ActiveControl(), b) << "the first in tab order gets the focus";
  EXPECT_TRUE(b->Focused());
  Key(VK_TAB);
  Pump();
  EXPECT_TRUE(a->Focused());
  Key(VK_TAB);
  Pump();
  EXPECT_TRUE(c->Focused()) << "disabled skipped, panel is no tab stop";
  EXPECT_EQ(Screen->ActiveControl(), c);
  Key(VK_TAB);
  Pump();
  EXPECT_TRUE(b->Focused()) << "wraps around";
  headless::PressKey(VK_SHIFT);
  Key(VK_TAB);
  headless::ReleaseKey(VK_SHIFT);
  Pump();
  EXPECT_TRUE(c->Focused());
  EXPECT_EQ(a->enters, 1);
  EXPECT_EQ(a->exits, 1);
  EXPECT_EQ(c->enters, 2);

  form->Perform(WM_NEXTDLGCTL, 0, 0);
  EXPECT_TRUE(b->Focused());
  form->Perform(WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(a->Handle()), 1);
  EXPECT_TRUE(a->Focused());
}

// A tool control says so when asked and is never given the focus: neither
// at activation, where the form then holds the focus itself, nor by Tab.
class ToolControl : public TCustomControl {
 public:
  using TCustomControl::TCustomControl;

 protected:
  void WndProc(TMessage& m) override {
    if (m.Msg == CM_ISTOOLCONTROL) {
      m.Result = 1;
      return;
    }
    TCustomControl::WndProc(m);
  }
};

TEST_F(FormsTest, ToolControlsNeverTakeTheFocusAndAFormWithoutOtherControlsHoldsIt) {
  TOwned<TForm> form(new TForm(nullptr));
  auto* tool = new ToolControl(form.get());
  tool->SetParent(form.get());
  tool->SetTabStop(true);
  form->Show();
  Pump();
  EXPECT_EQ(form->ActiveControl(), nullptr);
  EXPECT_EQ(GetFocus(), form->Handle());
  auto* button = new KeyButton(form.get(), 0, mrNone);
  button->SetParent(form.get());
  button->SetTabOrder(1);
  Key(VK_TAB);
  Pump();
  EXPECT_TRUE(button->Focused());
  Key(VK_TAB);
  Pump();
  EXPECT_TRUE(button->Focused()) << "Tab passes the tool control by";
}

TEST_F(FormsTest, ShowModalDisablesTheOtherWindowsAndReturnsTheResult) {
  TOwned<TForm> main(new TForm(nullptr));
  TOwned<TForm> dialog(new TForm(nullptr));
  auto* ok = new KeyButton(dialog.get(), VK_RETURN, mrOk);
  auto* cancel = new KeyButton(dialog.get(), VK_ESCAPE, mrCancel);
  ok->SetParent(dialog.get());
  cancel->SetParent(dialog.get());
  main->Show();
  Pump();
  bool mainEnabled = true, dialogShown = false;
  Later([&] {
    mainEnabled = IsWindowEnabled(main->Handle());
    dialogShown = IsWindowVisible(dialog->Handle());
    Key(VK_RETURN);
  });
  EXPECT_EQ(dialog->ShowModal(), mrOk);
  EXPECT_FALSE(mainEnabled);
  EXPECT_TRUE(dialogShown);
  EXPECT_TRUE(IsWindowEnabled(main->Handle()));
  EXPECT_FALSE(dialog->Visible());

  Later([&] { Key(VK_ESCAPE); });
  EXPECT_EQ(dialog->ShowModal(), mrCancel);

  // Refusing to close keeps the loop going; Close() on a modal form cancels.
  int asked = 0;
  dialog->OnCloseQuery = [&](TObject*, bool& can) { can = ++asked > 1; };
  Later([&] {
    dialog->SetModalResult(mrOk);
    Later([&] { dialog->Close(); });
  });
  EXPECT_EQ(dialog->ShowModal(), mrCancel);
  EXPECT_EQ(asked, 2);
}

TEST_F(FormsTest, AnExceptionFromAnEventHandlerShowsTheErrorBoxAndTheLoopGoesOn) {
  TApplication* saved = Application;
  TOwned<RecordingApplication> app(new RecordingApplication(nullptr));
  Application = app.get();
  Application->SetTitle("Test App");
  TForm* form = nullptr;
  Application->CreateForm(form);
  auto* panel = new TPanel(form);
  panel->SetParent(form);
  int clicks = 0;
  panel->OnClick = [&](TObject*) {
    ++clicks;
    throw EListError(clicks == 1 ? "Invalid index" : "Cannot create file C:\\x.lst.");
  };
  form->SetBounds(0, 0, 300, 200);
  form->SetBorderStyle(bsNone);
  form->Show();
  Pump();
  std::vector<std::vector<std::string>> boxes;
  std::function<void()> readBox = [&] {
    HWND box = FindWindowA("XvtMessageBox", nullptr);
    std::vector<std::string> texts;
    if (box) {
      char caption[64] = {};
      GetWindowTextA(box, caption, sizeof caption);
      texts.push_back(caption);
      EnumChildWindows(box, CollectText, reinterpret_cast<LPARAM>(&texts));
    }
    boxes.push_back(texts);
    Key(VK_RETURN);
  };
  for (int i = 0; i < 2; ++i) {
    Later(readBox);
    headless::MoveMouse(20, 20);
    headless::PressMouse(0);
    headless::ReleaseMouse(0);
    Pump();
  }
  ASSERT_EQ(boxes.size(), 2u);
  ASSERT_EQ(boxes[0].size(), 3u) << "a box captioned with the title, with its text and one button";
  EXPECT_EQ(boxes[0][0], "Test App");
  EXPECT_THAT(std::vector<std::string>(boxes[0].begin() + 1, boxes[0].end()),
              ::testing::UnorderedElementsAre("Invalid index.", "OK"));
  ASSERT_EQ(app->boxes.size(), 2u);
  EXPECT_EQ(app->boxes[0].text, "Invalid index.");
  EXPECT_EQ(app->boxes[0].caption, "Test App");
  EXPECT_EQ(app->boxes[0].flags, static_cast<UINT>(MB_ICONSTOP | MB_OK));
  EXPECT_EQ(app->boxes[1].text, "Cannot create file C:\\x.lst.") << "no doubled full stop";
  EXPECT_EQ(clicks, 2) << "the loop went on after the first error";

  // Closing the main form ends Run.
  Later([&] { form->Close(); });
  Application->Run();
  EXPECT_TRUE(Application->Terminated());
  app.reset();
  Application = saved;
}

TEST_F(FormsTest, FormsAreCentredAndListedOnTheScreen) {
  TOwned<TForm> form(new TForm(nullptr));
  form->SetBounds(0, 0, 200, 100);
  form->SetPosition(poScreenCenter);
  form->SetClientWidth(180);
  EXPECT_EQ(form->ClientWidth(), 180);
  form->Show();
  Pump();
  EXPECT_EQ(form->Left() + form->Width() / 2, 400);
  EXPECT_EQ(form->Top() + form->Height() / 2, 300);
  bool listed = false;
  for (int i = 0; i < Screen->FormCount(); ++i) listed |= Screen->Forms(i) == form.get();
  EXPECT_TRUE(listed);
  EXPECT_EQ(Screen->ActiveForm(), form.get());
  TForm* gone = form.get();
  form.reset();
  for (int i = 0; i < Screen->FormCount(); ++i) EXPECT_NE(Screen->Forms(i), gone);
  EXPECT_EQ(Screen->ActiveForm(), nullptr);
}

TEST_F(FormsTest, MenuShortcutsAndKeyPreviewSeeKeysBeforeTheFocusedControl) {
  TOwned<TForm> form(new TForm(nullptr));
  auto* edit = new KeyButton(form.get(), 0, mrNone);
  edit->SetParent(form.get());
  std::vector<std::string> seen;
  edit->OnKeyDown = [&](TObject*, std::uint16_t& key, TShiftState) {
    if (key != VK_CONTROL) seen.push_back("control " + std::to_string(key));
  };
  auto* menu = new TMainMenu(form.get());
  auto* open = new TMenuItem(form.get());
  open->SetShortCut(ShortCut('O', {ssCtrl}));
  int opened = 0;
  open->OnClick = [&](TObject*) { ++opened; };
  menu->Items()->Add(open);
  form->SetMenu(menu);
  form->Show();
  Pump();
  ASSERT_TRUE(edit->Focused());

  headless::PressKey(VK_CONTROL);
  Key('O');
  headless::ReleaseKey(VK_CONTROL);
  Pump();
  EXPECT_EQ(opened, 1);
  EXPECT_TRUE(seen.empty()) << "a shortcut's key goes no further";
  open->SetEnabled(false);
  headless::PressKey(VK_CONTROL);
  Key('O');
  headless::ReleaseKey(VK_CONTROL);
  Pump();
  EXPECT_EQ(opened, 1) << "a disabled item does not run";

  seen.clear();
  form->SetKeyPreview(true);
  form->OnKeyDown = [&](TObject*, std::uint16_t& key, TShiftState) {
    if (key != VK_CONTROL) seen.push_back("form " + std::to_string(key));
    if (key == 'X') key = 0;  // the form keeps this one
  };
  Key('A');
  Key('X');
  Pump();
  ASSERT_EQ(seen.size(), 3u);
  EXPECT_EQ(seen[0], "form 65");
  EXPECT_EQ(seen[1], "control 65");
  EXPECT_EQ(seen[2], "form 88");

  Free(menu);
  EXPECT_EQ(form->Menu(), nullptr) << "the freed menu is forgotten";
}

TEST_F(FormsTest, TheLoopRunsCallsQueuedByOtherThreads) {
  SetMainThreadID(GetCurrentThreadId());
  TOwned<TForm> form(new TForm(nullptr));
  form->Show();
  Pump();
  int ran = 0;
  std::thread worker([&] { SynchronizeCall([&] { ++ran; }); });
  // The worker blocks until the loop runs its call; the loop wakes for it.
  while (ran == 0) Application->HandleMessage();
  worker.join();
  EXPECT_EQ(ran, 1);
}

}  // namespace
