// Controls on a form on the headless screen: alignment, windowless
// children painted and fed the mouse, parent font and colour, removal.
#include <backend/headless.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "framework/application.h"
#include "framework/forms.h"
#include "framework/panel.h"

namespace {

std::string Str(const TRect& r) {
  return std::to_string(r.left) + "," + std::to_string(r.top) + " " + std::to_string(r.right - r.left) + "x" +
         std::to_string(r.bottom - r.top);
}
#define EXPECT_RECT(r, l, t, w, h) EXPECT_EQ(Str(r), Str(Bounds(l, t, w, h)))

class Swatch : public TGraphicControl {
 public:
  using TGraphicControl::TGraphicControl;
  int enters = 0, leaves = 0, clicks = 0;
  TPoint lastDown{-1, -1};

 protected:
  void Paint() override {
    Canvas()->Brush()->SetColor(Color());
    Canvas()->FillRect(ClientRect());
  }
  void WndProc(TMessage& m) override {
    if (m.Msg == CM_MOUSEENTER && m.LParam == 0) ++enters;
    if (m.Msg == CM_MOUSELEAVE && m.LParam == 0) ++leaves;
    TGraphicControl::WndProc(m);
  }
};

class ControlsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    headless::Start(800, 600);
    form = new TForm(nullptr);
    form->SetBorderStyle(bsNone);
    form->SetBounds(100, 100, 300, 200);
  }
  void TearDown() override { Free(form); }
  void Pump() { Application->ProcessMessages(); }
  static COLORREF ScreenPixel(int x, int y) {
    int w = 0, h = 0;
    auto px = headless::ScreenPixels(&w, &h);
    const std::uint32_t v = px[static_cast<size_t>(y) * w + x];
    return RGB((v >> 16) & 0xFF, (v >> 8) & 0xFF, v & 0xFF);
  }
  TPanel* NewPanel(TAlign align, int w, int h) {
    auto* p = new TPanel(form);
    p->SetBounds(0, 0, w, h);
    p->SetAlign(align);
    p->SetParent(form);
    return p;
  }
  TForm* form = nullptr;
};

TEST_F(ControlsTest, AlignedChildrenDockByEdgeThenCreationOrderAndClientTakesWhatIsLeft) {
  TPanel* left = NewPanel(alLeft, 50, 10);
  TPanel* top = NewPanel(alTop, 10, 30);
  TPanel* client = NewPanel(alClient, 10, 10);
  TPanel* bottom = NewPanel(alBottom, 10, 20);  // created after the others, still docked before the sides
  TPanel* top2 = NewPanel(alTop, 10, 5);        // below the first top bar
  EXPECT_RECT(top->BoundsRect(), 0, 0, 300, 30);
  EXPECT_RECT(top2->BoundsRect(), 0, 30, 300, 5);
  EXPECT_RECT(bottom->BoundsRect(), 0, 180, 300, 20);
  EXPECT_RECT(left->BoundsRect(), 0, 35, 50, 145);
  EXPECT_RECT(client->BoundsRect(), 50, 35, 250, 145);
  top2->SetVisible(false);

  form->SetBounds(100, 100, 400, 300);
  EXPECT_RECT(top->BoundsRect(), 0, 0, 400, 30);
  EXPECT_RECT(client->BoundsRect(), 50, 30, 350, 250);

  // A hidden control gives its space back; border width insets everything.
  left->SetVisible(false);
  EXPECT_RECT(client->BoundsRect(), 0, 30, 400, 250);
  form->SetBorderWidth(5);
  EXPECT_RECT(top->BoundsRect(), 5, 5, 390, 30);
  EXPECT_RECT(client->BoundsRect(), 5, 35, 390, 240);
  // A docked control keeps its own height when given another one.
  top->SetHeight(40);
  EXPECT_RECT(client->BoundsRect(), 5, 45, 390, 230);
}

TEST_F(ControlsTest, PanelBevelsNarrowTheAreaForItsChildren) {
  TPanel* panel = NewPanel(alClient, 0, 0);
  panel->SetBevelInner(bvLowered);
  panel->SetBevelWidth(2);
  auto* inner = new TPanel(form);
  inner->SetParent(panel);
  inner->SetAlign(alClient);
  EXPECT_RECT(inner->BoundsRect(), 4, 4, 292, 192);
}

TEST_F(ControlsTest, WindowlessChildrenArePaintedAndGetTheMouse) {
  auto* back = new Swatch(form);
  back->SetParent(form);
  back->SetBounds(10, 10, 60, 40);
  back->SetColor(clRed);
  auto* front = new Swatch(form);
  front->SetParent(form);
  front->SetBounds(40, 20, 60, 40);
  front->SetColor(clBlue);
  TPoint down{-1, -1};
  int clicks = 0;
  front->OnMouseDown = [&](TObject*, TMouseButton, TShiftState, int x, int y) { down = Point(x, y); };
  front->OnClick = [&](TObject*) { ++clicks; };
  form->SetColor(clLime);
  form->Show();
  Pump();
  EXPECT_EQ(ScreenPixel(100 + 15, 100 + 15), RGB(255, 0, 0));
  EXPECT_EQ(ScreenPixel(100 + 45, 100 + 25), RGB(0, 0, 255)) << "the later control is painted on top";
  EXPECT_EQ(ScreenPixel(100 + 200, 100 + 150), RGB(0, 255, 0));

  headless::MoveMouse(100 + 45, 100 + 25);
  Pump();
  EXPECT_EQ(front->enters, 1);
  EXPECT_EQ(back->enters, 0);
  headless::PressMouse(0);
  headless::ReleaseMouse(0);
  Pump();
  EXPECT_EQ(down.x, 5);
  EXPECT_EQ(down.y, 5);
  EXPECT_EQ(clicks, 1);
  headless::MoveMouse(100 + 15, 100 + 15);
  Pump();
  EXPECT_EQ(front->leaves, 1);
  EXPECT_EQ(back->enters, 1);

  // A press that is released off the control is no click.
  headless::MoveMouse(100 + 45, 100 + 25);
  headless::PressMouse(0);
  headless::MoveMouse(100 + 250, 100 + 150);
  headless::ReleaseMouse(0);
  Pump();
  EXPECT_EQ(clicks, 1);
}

TEST_F(ControlsTest, ChildrenFollowTheParentsFontAndColourUntilGivenTheirOwn) {
  TPanel* panel = NewPanel(alNone, 50, 50);
  auto* swatch = new Swatch(form);
  swatch->SetParent(panel);
  panel->SetParentColor(true);
  form->Font()->SetHeight(-20);
  form->SetColor(clYellow);
  EXPECT_EQ(panel->Font()->Height(), -20);
  EXPECT_EQ(swatch->Font()->Height(), -20) << "passed on down the tree";
  EXPECT_EQ(panel->Color(), clYellow);
  EXPECT_EQ(swatch->Color(), clYellow);
  EXPECT_TRUE(swatch->ParentFont());

  swatch->Font()->SetStyle({fsBold});
  EXPECT_FALSE(swatch->ParentFont());
  form->Font()->SetHeight(-12);
  EXPECT_EQ(panel->Font()->Height(), -12);
  EXPECT_EQ(swatch->Font()->Height(), -20) << "its own font stays";
  swatch->SetParentFont(true);
  EXPECT_EQ(swatch->Font()->Height(), -12);
  EXPECT_FALSE(swatch->Font()->Style().Contains(fsBold));
}

TEST_F(ControlsTest, DestroyingAContainerTakesItsChildrenAndClearsReferences) {
  TPanel* panel = NewPanel(alNone, 100, 100);
  auto* child = new TPanel(form);
  child->SetParent(panel);
  child->SetTabStop(true);
  form->Show();
  Pump();
  form->SetActiveControl(child);
  EXPECT_EQ(form->ActiveControl(), child);
  const int before = form->ComponentCount();
  Free(panel);
  EXPECT_EQ(form->ComponentCount(), before - 2);
  EXPECT_EQ(form->ControlCount(), 0);
  EXPECT_EQ(form->ActiveControl(), nullptr);
}

TEST_F(ControlsTest, ReplacedWindowProcSeesMessagesAndCanPassThemOn) {
  TPanel* panel = NewPanel(alNone, 100, 100);
  int texts = 0;
  TWndMethod old = panel->WindowProc;
  panel->WindowProc = [&](TMessage& m) {
    if (m.Msg == CM_TEXTCHANGED) ++texts;
    old(m);
  };
  panel->SetCaption("one");
  form->Show();
  Pump();
  panel->SetCaption("two");
  EXPECT_EQ(texts, 2);
  EXPECT_EQ(panel->Caption(), "two");
  char buf[16] = {};
  GetWindowTextA(panel->Handle(), buf, sizeof buf);
  EXPECT_STREQ(buf, "two");
  EXPECT_EQ(panel->Perform(CM_HITTEST), HTCLIENT);
}

TEST_F(ControlsTest, APressedWindowlessControlKeepsTheMouseUntilRelease) {
  auto* swatch = new Swatch(form);
  swatch->SetParent(form);
  swatch->SetBounds(10, 10, 40, 40);
  std::vector<TPoint> moves;
  swatch->OnMouseMove = [&](TObject*, TShiftState, int x, int y) { moves.push_back(Point(x, y)); };
  int parentDowns = 0;
  form->OnMouseDown = [&](TObject*, TMouseButton, TShiftState, int, int) { ++parentDowns; };
  form->Show();
  Pump();
  headless::MoveMouse(100 + 20, 100 + 20);
  headless::PressMouse(0);
  Pump();
  EXPECT_EQ(CaptureControl(), swatch);
  headless::MoveMouse(100 + 150, 100 + 120);
  Pump();
  ASSERT_FALSE(moves.empty());
  EXPECT_EQ(moves.back().x, 140) << "still the swatch's, in its coordinates";
  EXPECT_EQ(swatch->leaves, 1) << "yet the pointer has left it";
  headless::ReleaseMouse(0);
  Pump();
  EXPECT_EQ(CaptureControl(), nullptr);
  EXPECT_EQ(parentDowns, 0);

  // A disabled windowless control lets the press through to its parent.
  swatch->SetEnabled(false);
  headless::MoveMouse(100 + 20, 100 + 20);
  headless::PressMouse(0);
  headless::ReleaseMouse(0);
  Pump();
  EXPECT_EQ(parentDowns, 1);
}

// A windowed control over a standard window class, told of its own
// notifications as CN_COMMAND.
class TPushButton : public TWinControl {
 public:
  using TWinControl::TWinControl;
  int commands = 0;

 protected:
  void CreateParams(TCreateParams& params) override {
    TWinControl::CreateParams(params);
    CreateSubClass(params, "BUTTON");
    params.Style |= BS_PUSHBUTTON;
  }
  void WndProc(TMessage& m) override {
    if (m.Msg == CN_COMMAND && HIWORD(m.WParam) == BN_CLICKED) ++commands;
    TWinControl::WndProc(m);
  }
};

TEST_F(ControlsTest, StandardWindowsAreSubclassedAndTheirNotificationsReflected) {
  auto* button = new TPushButton(form);
  button->SetParent(form);
  button->SetBounds(20, 20, 80, 24);
  button->SetCaption("Go");
  form->Show();
  Pump();
  char cls[32] = {};
  GetClassNameA(button->Handle(), cls, sizeof cls);
  EXPECT_STREQ(cls, "TPushButton") << "registered under the control's class name";
  EXPECT_EQ(TWinControl::FindControl(button->Handle()), button);
  headless::MoveMouse(100 + 40, 100 + 30);
  headless::PressMouse(0);
  headless::ReleaseMouse(0);
  Pump();
  EXPECT_EQ(button->commands, 1) << "the BUTTON procedure ran and its click came back";
  char text[8] = {};
  GetWindowTextA(button->Handle(), text, sizeof text);
  EXPECT_STREQ(text, "Go");
}

}  // namespace
