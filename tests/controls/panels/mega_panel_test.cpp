// The effects panel: its face and bevels, caption and shadows drawn by
// rule, and the hooks on its children: Enter, Up and Down moving the
// focus, the class flags, accelerators of its labels, the focus effects
// with their trace, and hooks given back in any order.
#include <string>
#include <vector>

#include "framework/panel.h"
#include "framework/stdctrls.h"
#include "panels/MegaPanl.h"
#include "panels/TB97Ctls.h"
#include "panels_fixture.h"
#include "mega_hooks.h"

namespace panels_test {
namespace {

class MegaTest : public FormTest {
 protected:
  void SetUp() override {
    FormTest::SetUp();
    panel = Make<TMegaPanel>(10, 10, 289, 249);
  }
  // A pixel of the panel as now painted.
  COLORREF At(int x, int y) {
    HWND h = panel->Handle();
    RedrawWindow(h, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    HDC dc = GetDC(h);
    const COLORREF c = GetPixel(dc, x, y);
    ReleaseDC(h, dc);
    return c;
  }
  TMegaPanel* panel = nullptr;
};

TEST_F(MegaTest, DefaultFaceIsOpaqueWithARaisedOuterBevel) {
  EXPECT_EQ(At(100, 100), kFace);
  EXPECT_EQ(At(0, 0), kLight);
  EXPECT_EQ(At(0, 100), kLight);
  EXPECT_EQ(At(288, 100), kShadow);
  EXPECT_EQ(At(288, 0), kShadow) << "the top-right corner ends in the second colour";
  EXPECT_EQ(At(0, 248), kShadow) << "so does the bottom-left one";
  EXPECT_EQ(At(1, 1), kFace) << "nothing more by default";
  panel->SetPanelBevelInner(bvLowered);
  EXPECT_EQ(At(1, 1), kShadow) << "the lowered inner bevel lies directly inside";
  EXPECT_EQ(At(287, 247), kLight);
  EXPECT_EQ(At(2, 2), kFace);
  EXPECT_EQ(panel->PanelInset(), 2);
}

TEST_F(MegaTest, GroupBoxCaptionAndShadowsFollowTheirGeometry) {
  panel->SetCaption("Details");
  panel->SetCaptionStyle(TMegaPanel::csGroupBox);
  EXPECT_TRUE(panel->CaptionShown());
  // Margin 2 + border 1 + clearance 2 + one raised bevel pixel.
  EXPECT_EQ(panel->CaptionInset(), 6);
  const TRect c = panel->CaptionRect();
  EXPECT_EQ(c.top, 0);
  EXPECT_GT(panel->ChildArea().top, c.bottom) << "children start below the caption";
  auto* box = Make<TCheckBox>(0, 0, 50, 20);
  box->SetParent(panel);
  box->SetBounds(100, 100, 50, 20);
  panel->CtlShadow()->SetStyle(TMegaPanel::csOpaque);
  panel->UpdateChildHooks();
  EXPECT_EQ(At(153, 123), RGB(128, 128, 128)) << "grey shadow 4 right and 4 down";
  EXPECT_EQ(At(99, 99), kFace);
  box->SetBounds(10, 150, 50, 20);
  HRGN pending = CreateRectRgn(0, 0, 0, 0);
  GetUpdateRgn(panel->Handle(), pending, FALSE);
  EXPECT_TRUE(PtInRegion(pending, 153, 123)) << "the old shadow, outside what the window system uncovers";
  DeleteObject(pending);
}

TEST_F(MegaTest, ColourValuesOfOlderVersionsAreRead) {
  EXPECT_EQ(MegaColorFromStored(0xFFFFFFEA), cl3DDkShadow);
  EXPECT_EQ(MegaColorFromStored(0xFFFFFFE7), clInfoBk);
  EXPECT_EQ(MegaColorFromStored(0xFFFFFFE6), clNone);
  TMegaColor c = 0;
  ASSERT_TRUE(MegaIdentToColor("clBtnLight", c));
  EXPECT_EQ(c, cl3DLight);
  EXPECT_FALSE(MegaIdentToColor("clNoSuch", c));
  panel->GradientFill()->SetBands(1000);
  EXPECT_EQ(panel->GradientFill()->Bands(), 256);
  panel->GradientFill()->SetStartColor(static_cast<TColor>(RGB(10, 20, 30)));
  EXPECT_EQ(panel->GradientFill()->Difference(2), 255 - 30);
}

class HookTest : public MegaTest {
 protected:
  void SetUp() override {
    MegaTest::SetUp();
    memo = Child<TMemo>(10, 10, 150, 40);
    edit = Child<TEdit97>(10, 60, 150, 19);
    first = Child<TRadioButton>(10, 90, 100, 17);
    second = Child<TRadioButton>(10, 110, 100, 17);
    panel->UpdateChildHooks();
    memo->SetFocus();
    Pump();
  }
  template <class T>
  T* Child(int left, int top, int width, int height) {
    auto* c = new T(form.get());
    c->SetParent(panel);
    c->SetBounds(left, top, width, height);
    c->Handle();
    return c;
  }
  static void WithKey(unsigned modifier, unsigned vk) {
    headless::PressKey(modifier);
    Key(vk);
    headless::ReleaseKey(modifier);
    Pump();
  }
  TMemo* memo = nullptr;
  TEdit97* edit = nullptr;
  TRadioButton *first = nullptr, *second = nullptr;
};

TEST_F(HookTest, EnterMovesTheFocusAndTheControlNeverSeesIt) {
  Key(VK_RETURN);
  EXPECT_TRUE(edit->Focused());
  EXPECT_EQ(memo->Text(), "") << "the memo got no line break";
  memo->SetFocus();
  Pump();
  WithKey(VK_SHIFT, VK_RETURN);
  EXPECT_TRUE(memo->Focused()) << "Shift+Enter reaches the memo";
  EXPECT_EQ(memo->Text(), "\r\n");
  WithKey(VK_CONTROL, VK_RETURN);
  EXPECT_TRUE(memo->Focused()) << "Ctrl+Enter too";
}

// The moves follow the tab order of the form, so an unchecked side button
// (no tab stop) is passed over as Tab passes over it.
TEST_F(HookTest, UpAndDownMoveToThePreviousAndNextControl) {
  second->SetChecked(true);
  ASSERT_FALSE(first->TabStop());
  second->SetFocus();
  Pump();
  Key(VK_UP);
  EXPECT_TRUE(edit->Focused());
  Key(VK_DOWN);
  EXPECT_TRUE(second->Focused());
  edit->SetFocus();
  Pump();
  Key(VK_UP);
  EXPECT_TRUE(memo->Focused());
}

TEST_F(HookTest, CharactersSharingTheArrowKeyCodesAreTyped) {
  edit->SetFocus();
  Pump();
  headless::TypeText("(a&b)");
  Pump();
  EXPECT_EQ(edit->Text(), "(a&b)");
  EXPECT_TRUE(edit->Focused());
}

TEST_F(HookTest, ClassWithAllFlagsOffGetsNoKeyFix) {
  panel->FixClasses()->Add("000000TMemo");
  memo->SetParent(form.get());
  panel->UpdateChildHooks();
  memo->SetParent(panel);
  panel->UpdateChildHooks();
  const auto* info = mega_hooks::Find(memo);
  ASSERT_NE(info, nullptr);
  EXPECT_TRUE(info->keys.Empty());
  EXPECT_EQ(info->effects, 0);
  memo->SetFocus();
  Pump();
  Key(VK_RETURN);
  EXPECT_TRUE(memo->Focused());
  EXPECT_EQ(memo->Text(), "\r\n");
  const auto* defaults = mega_hooks::Find(edit);
  ASSERT_NE(defaults, nullptr);
  EXPECT_EQ(defaults->effects, mega_hooks::efShadow | mega_hooks::efLabel | mega_hooks::efFocus);
}

TEST_F(HookTest, OlderFixClassesGetThreeMoreFlags) {
  panel->FixClasses()->Add("101TEdit97");
  panel->FixClasses()->Add("010TMemo");
  panel->UpgradeFixClasses();
  EXPECT_EQ(panel->FixClasses()->Strings(0), "101111TEdit97");
  EXPECT_EQ(panel->FixClasses()->Strings(1), "010111TMemo");
  panel->UpgradeFixClasses();
  EXPECT_EQ(panel->FixClasses()->Strings(0), "101111TEdit97") << "a current list stays";
}

std::vector<std::string>* traces = nullptr;

LRESULT CALLBACK TraceWindow(HWND h, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_COPYDATA && traces) {
    const auto* data = reinterpret_cast<const COPYDATASTRUCT*>(lp);
    traces->emplace_back(static_cast<const char*>(data->lpData));
    return 1;
  }
  return DefWindowProcA(h, msg, wp, lp);
}

TEST_F(HookTest, FocusEffectsAndTheirTraceWhenAViewerListens) {
  panel->SetLabelStyle(TMegaPanel::lsInPanel);
  panel->LabelFocusEffect()->SetEffect(TMegaPanel::feFocus);
  edit->SetHint("name field|&Name|");
  EXPECT_EQ(panel->ChildLabelText(edit), "&Name");
  edit->SetFocus();
  Pump();
  EXPECT_EQ(panel->FocusedChild(), edit) << "without a viewer nothing is sent, the effect still works";
  memo->SetFocus();
  Pump();

  std::vector<std::string> seen;
  traces = &seen;
  WNDCLASSA wc{};
  wc.lpfnWndProc = TraceWindow;
  wc.lpszClassName = "TDbWinScrn";
  RegisterClassA(&wc);
  HWND viewer = CreateWindowExA(0, "TDbWinScrn", "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
  edit->SetFocus();
  Pump();
  EXPECT_EQ(panel->FocusedChild(), edit);
  memo->SetFocus();
  Pump();
  EXPECT_EQ(panel->FocusedChild(), memo);
  // The memo lost and the edit got the focus, then the other way round.
  EXPECT_EQ(seen, std::vector<std::string>(4, "FocusEffect"));
  DestroyWindow(viewer);
  traces = nullptr;
}

TEST_F(HookTest, AcceleratorOfAPanelLabelFocusesItsControl) {
  panel->SetLabelStyle(TMegaPanel::lsInPanel);
  second->SetHint("|&Second|");
  memo->SetParent(form.get());
  panel->UpdateChildHooks();
  memo->SetParent(panel);
  panel->UpdateChildHooks();
  second->SetParent(form.get());
  panel->UpdateChildHooks();
  second->SetParent(panel);
  panel->UpdateChildHooks();
  memo->SetFocus();
  Pump();
  SendMessageA(memo->Handle(), WM_SYSCHAR, 's', 0);
  Pump();
  EXPECT_TRUE(second->Focused());
  EXPECT_TRUE(second->Checked()) << "a button-type control is clicked as well";
}

WNDPROC overPrevious = nullptr;
int overCalls = 0;
LRESULT CALLBACK OverHook(HWND h, UINT msg, WPARAM wp, LPARAM lp) {
  ++overCalls;
  return CallWindowProcA(overPrevious, h, msg, wp, lp);
}

// A procedure put over the panel's hook must keep working when the panel's
// window goes before the child's: the hook then stays in the chain as a plain
// pass-through instead of being cut out (which would have left the other
// procedure calling into a freed record), and goes with the window.
TEST_F(HookTest, HooksGoInAnyOrderWithoutBreakingAChainOverThem) {
  HWND h = edit->Handle();
  overPrevious = reinterpret_cast<WNDPROC>(SetWindowLongPtrA(h, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&OverHook)));
  mega_hooks::FreePanel(panel);
  EXPECT_EQ(mega_hooks::Find(edit), nullptr);
  EXPECT_EQ(mega_hooks::RecordCount(), 1) << "the edit's kept as a pass-through, the others given back";
  SetWindowTextA(h, "still works");
  EXPECT_EQ(edit->Text(), "still works");
  EXPECT_GT(overCalls, 0);
  SetWindowLongPtrA(h, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(overPrevious));
  Free(edit);
  EXPECT_EQ(mega_hooks::RecordCount(), 0) << "the pass-through goes with its window";
  panel->UpdateChildHooks();

  // The other way round: the panel goes first, its children after it.
  Free(panel);
  EXPECT_EQ(mega_hooks::RecordCount(), 0);
  panel = nullptr;
}

}  // namespace
}  // namespace panels_test
