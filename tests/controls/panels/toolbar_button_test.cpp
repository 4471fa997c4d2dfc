// The flat toolbar button on a shown form: frames by state, the one hot
// button of the process and its leave timer, clicks by mouse and keys,
// groups, glyph images and the embossed disabled look.
#include <string>
#include <vector>

#include "panels/TB97Ctls.h"
#include "panels_fixture.h"
#include "system_colours.h"

namespace panels_test {
namespace {

// 16 x 16 on a fuchsia ground (the bottom-left pixel): a red square from 4
// to 11 holding a white and a silver pixel.
void PaintGlyph(TBitmap& glyph) {
  glyph.SetSize(16, 16);
  TCanvas* c = glyph.Canvas();
  c->Brush()->SetColor(clFuchsia);
  c->FillRect(TRect{0, 0, 16, 16});
  c->Brush()->SetColor(clRed);
  c->FillRect(TRect{4, 4, 12, 12});
  c->SetPixel(6, 6, clWhite);
  c->SetPixel(8, 8, clSilver);
}

class ButtonTest : public FormTest {
 protected:
  TToolbarButton97* Button(int left, int top, const std::string& caption = "") {
    auto* b = Make<TToolbarButton97>(left, top, 89, 22);
    b->SetCaption(caption);
    return b;
  }
  // The centre of a control, in the form's client area.
  void Over(TControl* c) { MoveTo(c->Left() + c->Width() / 2, c->Top() + c->Height() / 2); }
  void Press() {
    headless::PressMouse(0);
    Pump();
  }
  void Release() {
    headless::ReleaseMouse(0);
    Pump();
  }
};

TEST_F(ButtonTest, NewButtonHasItsDefaults) {
  TToolbarButton97 b(nullptr);
  EXPECT_EQ(b.Width(), 23);
  EXPECT_EQ(b.Height(), 22);
  EXPECT_EQ(b.Version(), "Flat toolbar controls version 1.0");
  EXPECT_TRUE(b.Flat());
  EXPECT_TRUE(b.Opaque());
  EXPECT_EQ(b.Spacing(), 4);
  EXPECT_EQ(b.Margin(), -1);
  b.SetMargin(-5);
  EXPECT_EQ(b.Margin(), -1) << "below -1 is refused";
  b.SetDown(true);
  EXPECT_FALSE(b.Down()) << "no group, no Down";
}

TEST_F(ButtonTest, GlyphShapeSetsTheNumberOfImages) {
  TToolbarButton97 b(nullptr);
  TBitmap g;
  for (auto [w, n] : std::vector<std::pair<int, int>>{{16, 1}, {32, 2}, {80, 5}, {96, 1}, {20, 1}}) {
    g.SetSize(w, 16);
    b.SetGlyph(&g);
    EXPECT_EQ(b.NumGlyphs(), n) << w;
  }
}

TEST_F(ButtonTest, FrameShowsOnlyUnderThePointerAndSinksWhilePressed) {
  auto* b = Button(20, 20, "OK");
  MoveTo(300, 200);
  EXPECT_EQ(Pixel(20, 20), kFace) << "flat and idle: no frame";
  Over(b);
  EXPECT_EQ(TToolbarButton97::HotButton(), b);
  EXPECT_EQ(b->State(), bsMouseIn);
  EXPECT_EQ(Pixel(20, 20), kLight) << "thin raised frame";
  EXPECT_EQ(Pixel(20 + 88, 20 + 21), kShadow);
  Press();
  EXPECT_EQ(b->State(), bsDown);
  EXPECT_EQ(Pixel(20, 20), kShadow) << "thin sunken frame";
  EXPECT_EQ(Pixel(20 + 88, 20 + 21), kLight);
  Release();
}

TEST_F(ButtonTest, OneHotButtonAtATimeAndItLeavesWithinTheTimerPeriod) {
  auto* a = Button(20, 20, "A");
  auto* b = Button(20, 60, "B");
  Over(a);
  ASSERT_EQ(TToolbarButton97::HotButton(), a);
  Over(b);
  EXPECT_EQ(TToolbarButton97::HotButton(), b);
  EXPECT_FALSE(a->MouseInControl());
  EXPECT_EQ(a->State(), bsUp);

  // Off the form altogether: no mouse message reaches the button, the
  // shared timer notices.
  headless::MoveMouse(600, 450);
  headless::AdvanceTime(125);
  Pump();
  EXPECT_EQ(TToolbarButton97::HotButton(), nullptr);
  EXPECT_EQ(b->State(), bsUp);
  EXPECT_EQ(Pixel(20, 60), kFace);
}

TEST_F(ButtonTest, DeactivatingTheApplicationEndsTheHotLook) {
  auto* a = Button(20, 20, "A");
  Over(a);
  ASSERT_EQ(TToolbarButton97::HotButton(), a);
  SendMessageA(form->Handle(), WM_ACTIVATEAPP, 0, 0);
  EXPECT_EQ(TToolbarButton97::HotButton(), nullptr);
  EXPECT_FALSE(a->MouseInControl());
}

TEST_F(ButtonTest, ModalResultIsSetBeforeOnClickRuns) {
  auto* b = Button(20, 20, "OK");
  b->SetModalResult(mrOk);
  TModalResult seen = mrNone;
  int clicks = 0;
  b->OnClick = [&](TObject*) {
    seen = form->ModalResult();
    ++clicks;
  };
  Over(b);
  Press();
  Release();
  EXPECT_EQ(clicks, 1);
  EXPECT_EQ(seen, mrOk);
  EXPECT_EQ(b->State(), bsMouseIn) << "still under the pointer after the click";
}

TEST_F(ButtonTest, PressMoveOffReleaseDoesNotClick) {
  auto* b = Button(20, 20, "OK");
  int clicks = 0;
  b->OnClick = [&](TObject*) { ++clicks; };
  Over(b);
  Press();
  MoveTo(300, 200);
  EXPECT_EQ(b->State(), bsUp) << "tracking shows it up while the pointer is off";
  MoveTo(40, 30);
  EXPECT_EQ(b->State(), bsDown);
  MoveTo(300, 200);
  Release();
  EXPECT_EQ(clicks, 0);
  EXPECT_EQ(b->State(), bsUp);
}

TEST_F(ButtonTest, DialogKeysClickOnlyDefaultAndCancelButtons) {
  auto* ok = Button(20, 20, "OK");
  auto* cancel = Button(20, 60, "Cancel");
  int okClicks = 0, cancelClicks = 0;
  ok->OnClick = [&](TObject*) { ++okClicks; };
  cancel->OnClick = [&](TObject*) { ++cancelClicks; };
  TMessage enter{CM_DIALOGKEY, VK_RETURN, 0, 0};
  form->Broadcast(enter);
  EXPECT_EQ(okClicks, 0) << "Default is false";
  ok->SetDefault(true);
  cancel->SetCancel(true);
  TMessage again{CM_DIALOGKEY, VK_RETURN, 0, 0};
  form->Broadcast(again);
  TMessage esc{CM_DIALOGKEY, VK_ESCAPE, 0, 0};
  form->Broadcast(esc);
  EXPECT_EQ(okClicks, 1);
  EXPECT_EQ(cancelClicks, 1);
  ok->SetEnabled(false);
  TMessage disabled{CM_DIALOGKEY, VK_RETURN, 0, 0};
  form->Broadcast(disabled);
  EXPECT_EQ(okClicks, 1) << "a disabled button takes no keys";
}

TEST_F(ButtonTest, AcceleratorOfTheCaptionClicks) {
  auto* b = Button(20, 20, "&Install");
  int clicks = 0;
  b->OnClick = [&](TObject*) { ++clicks; };
  TMessage other{CM_DIALOGCHAR, 'x', 0, 0};
  b->Perform(other.Msg, other.WParam, other.LParam);
  EXPECT_EQ(b->Perform(CM_DIALOGCHAR, 'i', 0), 1);
  EXPECT_EQ(clicks, 1);
  b->SetDisplayMode(dmGlyphOnly);
  EXPECT_EQ(b->Perform(CM_DIALOGCHAR, 'i', 0), 0);
}

TEST_F(ButtonTest, GroupButtonsHoldDownOneAtATime) {
  auto* a = Button(20, 20, "A");
  auto* b = Button(20, 60, "B");
  a->SetGroupIndex(1);
  b->SetGroupIndex(1);
  a->SetDown(true);
  EXPECT_EQ(a->State(), bsExclusive);
  a->SetDown(false);
  EXPECT_TRUE(a->Down()) << "without AllowAllUp the down one stays";
  b->SetDown(true);
  EXPECT_FALSE(a->Down());
  EXPECT_TRUE(b->Down());
  Over(a);
  Press();
  Release();
  EXPECT_TRUE(a->Down()) << "a click toggles a group button";
  EXPECT_FALSE(b->Down());
}

TEST_F(ButtonTest, HeldDownPatternFollowsTheSystemColours) {
  auto* a = Button(20, 20, "A");
  a->SetGroupIndex(1);
  a->SetDown(true);
  MoveTo(300, 200);
  ASSERT_EQ(a->State(), bsExclusive);
  EXPECT_EQ(Pixel(24, 24), kLight) << "x and y both even";
  EXPECT_EQ(Pixel(25, 24), kFace);
  testsupport::ChangedSysColors changed({COLOR_BTNFACE, COLOR_BTNHIGHLIGHT}, {RGB(0, 64, 0), RGB(0, 255, 128)});
  ASSERT_TRUE(changed.ok());
  Pump();
  EXPECT_EQ(Pixel(24, 24), RGB(0, 255, 128)) << "the pattern made again in the new colours";
  EXPECT_EQ(Pixel(25, 25), RGB(0, 255, 128));
  EXPECT_EQ(Pixel(25, 24), RGB(0, 64, 0));
}

TEST_F(ButtonTest, DisabledGlyphIsEmbossedAndCaptionDrawnTwice) {
  TBitmap glyph;
  PaintGlyph(glyph);
  auto* b = Button(20, 20, "");
  b->SetBounds(20, 20, 23, 22);
  b->SetGlyph(&glyph);
  b->SetEnabled(false);
  // The glyph sits at (4, 3) in the button: the frame's pixel, then
  // (21 - 16 + 1) / 2 across and (20 - 16 + 1) / 2 down.
  const int gx = 20 + 4, gy = 20 + 3;
  EXPECT_EQ(Pixel(gx + 4, gy + 4), kShadow) << "ink: shadow at 0, 0";
  EXPECT_EQ(Pixel(gx + 12, gy + 12), kLight) << "ink: highlight at 1, 1 past the last shadow row";
  EXPECT_EQ(Pixel(gx + 1, gy + 1), kFace) << "transparent colour stays face";
  EXPECT_EQ(Pixel(gx + 6, gy + 6), kLight) << "white is no ink: the highlight of 5, 5 shows";
  EXPECT_EQ(Pixel(gx + 8, gy + 8), kLight) << "silver is no ink either";
  EXPECT_EQ(Pixel(gx + 9, gy + 9), kShadow);

  auto* t = Button(20, 60, "Remove");
  t->SetEnabled(false);
  int light = 0, shadow = 0;
  Pixel(0, 0);
  HDC dc = GetDC(form->Handle());
  for (int y = 60; y < 82; ++y)
    for (int x = 20; x < 109; ++x) {
      const COLORREF c = GetPixel(dc, x, y);
      light += c == kLight;
      shadow += c == kShadow;
    }
  ReleaseDC(form->Handle(), dc);
  EXPECT_GT(light, 10);
  EXPECT_GT(shadow, 10);
  EXPECT_EQ(Pixel(20, 60), kFace) << "no frame while disabled";
}

TEST_F(ButtonTest, LastButtonGoneGivesTheHooksBack) {
  auto* b = Button(20, 20, "A");
  Over(b);
  Free(b);
  EXPECT_EQ(TToolbarButton97::HotButton(), nullptr);
  MoveTo(300, 200);
  Wait(125);
}

}  // namespace
}  // namespace panels_test
