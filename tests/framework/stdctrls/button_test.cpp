// Push buttons on a real form on the headless screen: mouse clicks, the
// modal result they give their form, Enter and Escape for the default and
// cancel buttons, and what a disabled button refuses.
#include <backend/headless.h>
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "framework/application.h"
#include "framework/button.h"
#include "framework/checkbox.h"
#include "framework/edit.h"
#include "framework/forms.h"
#include "framework/glyph_placement.h"

namespace {

std::function<void()>& Pending() {
  static std::function<void()> f;
  return f;
}
VOID CALLBACK RunPending(HWND, UINT, UINT_PTR id, DWORD) {
  KillTimer(nullptr, id);
  auto f = std::move(Pending());
  Pending() = nullptr;
  if (f) f();
}
// Runs `body` from a timer, that is inside the modal loop running then.
void Later(std::function<void()> body) {
  Pending() = std::move(body);
  SetTimer(nullptr, 0, 10, RunPending);
}

void Key(unsigned vk) {
  headless::PressKey(vk);
  headless::ReleaseKey(vk);
}

class ButtonTest : public ::testing::Test {
 protected:
  void SetUp() override {
    headless::Start(800, 600);
    headless::SetIdleAdvance(true);
    form.reset(new TForm(nullptr));
    form->SetBounds(40, 40, 320, 160);
    form->SetBorderStyle(bsNone);
    edit = new TEdit(form.get());
    edit->SetParent(form.get());
    edit->SetBounds(8, 8, 120, 21);
    ok = MakeButton("OK", 8, mrOk);
    ok->SetDefault(true);
    cancel = MakeButton("Cancel", 96, mrCancel);
    cancel->SetCancel(true);
  }
  void TearDown() override {
    form.reset();
    headless::SetIdleAdvance(false);
  }
  TButton* MakeButton(const char* caption, int left, TModalResult result) {
    auto* b = new TButton(form.get());
    b->SetParent(form.get());
    b->SetBounds(left, 100, 75, 25);
    b->SetCaption(caption);
    b->SetModalResult(result);
    b->OnClick = [this, b](TObject*) { clicks.push_back(b->Caption() + ":" + std::to_string(form->ModalResult())); };
    return b;
  }
  void ClickMouse(TControl* c) {
    const TPoint p = c->ClientToScreen(TPoint{c->Width() / 2, c->Height() / 2});
    headless::MoveMouse(p.x, p.y);
    headless::PressMouse(0);
    headless::ReleaseMouse(0);
  }
  static LONG Kind(TButton* b) { return GetWindowLongA(b->Handle(), GWL_STYLE) & BS_TYPEMASK; }
  void Pump() { Application->ProcessMessages(); }

  TOwned<TForm> form;
  TEdit* edit = nullptr;
  TButton* ok = nullptr;
  TButton* cancel = nullptr;
  std::vector<std::string> clicks;
};

TEST_F(ButtonTest, AMouseClickEndsTheModalLoopWithTheButtonsResultSetBeforeOnClick) {
  Later([&] { ClickMouse(cancel); });
  EXPECT_EQ(form->ShowModal(), mrCancel);
  EXPECT_EQ(clicks, (std::vector<std::string>{"Cancel:2"})) << "one click, the form's result already set";

  // A button without a result runs its handler and leaves the form open.
  auto* apply = MakeButton("Apply", 184, mrNone);
  clicks.clear();
  Later([&] {
    ClickMouse(apply);
    Later([&] { ClickMouse(ok); });
  });
  EXPECT_EQ(form->ShowModal(), mrOk);
  EXPECT_EQ(clicks, (std::vector<std::string>{"Apply:0", "OK:1"}));
}

TEST_F(ButtonTest, EnterClicksTheDefaultButtonAndEscapeTheCancelButton) {
  form->Show();
  Pump();
  ASSERT_TRUE(edit->Focused());
  EXPECT_EQ(Kind(ok), BS_DEFPUSHBUTTON);
  Key(VK_RETURN);
  Pump();
  EXPECT_EQ(clicks, (std::vector<std::string>{"OK:1"}));
  form->SetModalResult(mrNone);
  Key(VK_ESCAPE);
  Pump();
  EXPECT_EQ(clicks, (std::vector<std::string>{"OK:1", "Cancel:2"}));

  // Enter goes to the focused button; the default one loses its heavy
  // frame meanwhile and gets it back when the focus leaves the buttons.
  clicks.clear();
  cancel->SetFocus();
  Pump();
  EXPECT_EQ(Kind(ok), BS_PUSHBUTTON);
  EXPECT_EQ(Kind(cancel), BS_DEFPUSHBUTTON);
  Key(VK_RETURN);
  Pump();
  EXPECT_EQ(clicks, (std::vector<std::string>{"Cancel:2"}));
  edit->SetFocus();
  Pump();
  EXPECT_EQ(Kind(ok), BS_DEFPUSHBUTTON);
  EXPECT_EQ(Kind(cancel), BS_PUSHBUTTON);

  // With no default button Enter does nothing.
  clicks.clear();
  ok->SetDefault(false);
  EXPECT_EQ(Kind(ok), BS_PUSHBUTTON);
  Key(VK_RETURN);
  Pump();
  EXPECT_TRUE(clicks.empty());
}

TEST_F(ButtonTest, DisabledButtonsIgnoreMouseEnterAndEscape) {
  ok->SetEnabled(false);
  cancel->SetEnabled(false);
  form->Show();
  Pump();
  ClickMouse(ok);
  Pump();
  Key(VK_RETURN);
  Pump();
  Key(VK_ESCAPE);
  Pump();
  EXPECT_TRUE(clicks.empty());
  EXPECT_EQ(form->ModalResult(), mrNone);
  // Enabled again, both answer.
  ok->SetEnabled(true);
  ClickMouse(ok);
  Pump();
  EXPECT_EQ(clicks, (std::vector<std::string>{"OK:1"}));
}

TEST_F(ButtonTest, TheCaptionsAcceleratorClicksIt) {
  ok->SetCaption("&Yes");
  form->Show();
  Pump();
  ok->SetFocus();
  Pump();
  headless::TypeText("y");
  Pump();
  EXPECT_EQ(clicks, (std::vector<std::string>{"&Yes:1"}));
}

TEST_F(ButtonTest, CheckBoxesAndRadioButtonsClickedByMouseFireOnClickOnce) {
  auto* box = new TCheckBox(form.get());
  auto* radio = new TRadioButton(form.get());
  int boxClicks = 0, radioClicks = 0;
  for (TButtonControl* c : std::initializer_list<TButtonControl*>{box, radio}) c->SetParent(form.get());
  box->SetBounds(8, 40, 97, 17);
  radio->SetBounds(8, 60, 113, 17);
  box->OnClick = [&](TObject*) { ++boxClicks; };
  radio->OnClick = [&](TObject*) { ++radioClicks; };
  form->Show();
  Pump();
  ClickMouse(box);
  ClickMouse(radio);
  Pump();
  EXPECT_EQ(boxClicks, 1);
  EXPECT_TRUE(box->Checked());
  EXPECT_EQ(radioClicks, 1);
  EXPECT_TRUE(radio->Checked());
}

// Glyph and caption placement shared by the glyph buttons: a 16 x 16
// glyph and a 40 x 13 caption in a 100 x 22 room.
TEST(GlyphPlacement, MarginAndSpacingRulesAlongEachLayout) {
  const TRect room{0, 0, 100, 22};
  const TSize glyph{16, 16}, text{40, 13};
  // Centred together: margin (100 - 56 - 4 + 1) / 2 = 20.
  TGlyphPlacement p = PlaceGlyphAndText(room, glyph, text, blGlyphLeft, -1, 4);
  EXPECT_EQ(p.glyph.x, 20);
  EXPECT_EQ(p.glyph.y, 3);
  EXPECT_EQ(p.text.left, 40);
  EXPECT_EQ(p.text.top, 5);
  // Glyph on the right, from the far side.
  p = PlaceGlyphAndText(room, glyph, text, blGlyphRight, -1, 4);
  EXPECT_EQ(p.glyph.x, 100 - 20 - 16);
  EXPECT_EQ(p.text.left, 100 - 20 - 16 - 4 - 40);
  // Both automatic: the free 44 pixels in thirds.
  p = PlaceGlyphAndText(room, glyph, text, blGlyphLeft, -1, -1);
  EXPECT_EQ(p.glyph.x, 14);
  EXPECT_EQ(p.text.left, 14 + 16 + 14);
  // A fixed margin with automatic spacing: the rest halved.
  p = PlaceGlyphAndText(room, glyph, text, blGlyphLeft, 2, -1);
  EXPECT_EQ(p.glyph.x, 2);
  EXPECT_EQ(p.text.left, 2 + 16 + 21);
  // Vertical block: centred across, glyph on top.
  p = PlaceGlyphAndText(TRect{0, 0, 60, 60}, glyph, text, blGlyphTop, -1, 4);
  EXPECT_EQ(p.glyph.x, 22);
  EXPECT_EQ(p.glyph.y, 14);
  EXPECT_EQ(p.text.top, 34);
  // No caption: no spacing, the glyph alone centred.
  p = PlaceGlyphAndText(TRect{0, 0, 21, 20}, glyph, TSize{0, 0}, blGlyphLeft, -1, 4);
  EXPECT_EQ(p.glyph.x, 3);
}

}  // namespace
