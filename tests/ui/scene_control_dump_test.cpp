// The window dump of framework forms and of plain windows beside them:
// creation order against z-order, screen bounds, items and flags.
#include "control_dump.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "backend/headless.h"
#include "framework/application.h"
#include "framework/forms.h"
#include "framework/menus.h"
#include "framework/panel.h"
#include "framework/screen.h"
#include "framework/stdctrls.h"
#include "panels/TB97Ctls.h"

namespace scene {
namespace {

class ControlDumpTest : public ::testing::Test {
 protected:
  void SetUp() override {
    headless::Start(800, 600);
    InitCommonControls();
    EnsureApplication();
  }
  static void Pump() { Application->ProcessMessages(); }

  static const DumpNode* Find(const std::vector<DumpNode>& nodes, const std::string& name) {
    for (const DumpNode& n : nodes) {
      if (n.name == name) return &n;
      if (const DumpNode* below = Find(n.children, name)) return below;
    }
    return nullptr;
  }
  static std::vector<std::string> Names(const DumpNode& n) {
    std::vector<std::string> out;
    for (const DumpNode& c : n.children) out.push_back(c.name.empty() ? c.caption : c.name);
    return out;
  }
  static DumpBounds ScreenClient(HWND h) {
    RECT r{};
    GetClientRect(h, &r);
    MapWindowPoints(h, nullptr, reinterpret_cast<POINT*>(&r), 2);
    return {r.left, r.top, r.right - r.left, r.bottom - r.top};
  }
  static void ExpectBounds(const DumpNode& n, DumpBounds want) {
    ASSERT_TRUE(n.bounds) << n.name;
    EXPECT_EQ(n.bounds->x, want.x) << n.name;
    EXPECT_EQ(n.bounds->y, want.y) << n.name;
    EXPECT_EQ(n.bounds->width, want.width) << n.name;
    EXPECT_EQ(n.bounds->height, want.height) << n.name;
  }
};

template <class T>
T* Put(TForm* owner, TWinControl* parent, const char* name, int left, int top, int width, int height) {
  auto* c = new T(owner);
  c->SetName(name);
  c->SetParent(parent);
  c->SetBounds(left, top, width, height);
  return c;
}

TEST_F(ControlDumpTest, ControlsComeInCreationOrderWithScreenBoundsWhateverTheirZOrder) {
  TOwned<TForm> form(new TForm(nullptr));
  form->SetName("First");
  form->SetBounds(100, 50, 320, 240);
  auto* early = Put<TLabel>(form.get(), form.get(), "Early", 8, 8, 60, 13);
  auto* panel = Put<TPanel>(form.get(), form.get(), "Box", 10, 40, 200, 120);
  Put<TLabel>(form.get(), form.get(), "Late", 8, 180, 60, 13);
  // A child made before its parent is set, and one made later but placed
  // under an earlier sibling in z-order.
  auto* check = Put<TCheckBox>(form.get(), panel, "Tick", 5, 6, 90, 17);
  auto* radio = Put<TRadioButton>(form.get(), panel, "Pick", 5, 30, 90, 17);
  early->BringToFront();
  radio->SendToBack();
  check->SetChecked(true);
  radio->SetChecked(true);
  TOwned<TForm> hidden(new TForm(nullptr));
  hidden->SetName("Second");
  form->Show();
  Pump();

  auto dump = DumpScreen(nullptr);
  ASSERT_GE(dump.size(), 2u);
  EXPECT_EQ(dump[0].name, "First");
  EXPECT_EQ(dump[1].name, "Second") << "a hidden form is dumped too, in creation order";
  EXPECT_FALSE(dump[1].flags & dfVisible);
  EXPECT_EQ(dump[0].cls, "TForm");
  EXPECT_EQ(Names(dump[0]), (std::vector<std::string>{"Early", "Box", "Late"}));
  const DumpNode* box = Find(dump, "Box");
  ASSERT_NE(box, nullptr);
  EXPECT_EQ(Names(*box), (std::vector<std::string>{"Tick", "Pick"}));

  ExpectBounds(dump[0], ScreenClient(form->Handle()));
  const DumpBounds client = ScreenClient(form->Handle());
  ExpectBounds(*box, {client.x + 10, client.y + 40, 200, 120});
  const DumpBounds inner = ScreenClient(panel->Handle());
  ExpectBounds(*Find(dump, "Pick"), {inner.x + 5, inner.y + 30, 90, 17});
  EXPECT_EQ(Find(dump, "Tick")->flags & (dfChecked | dfVisible | dfEnabled), dfChecked | dfVisible | dfEnabled);
  EXPECT_TRUE(Find(dump, "Pick")->flags & dfChecked);
  EXPECT_FALSE(Find(dump, "Early")->flags & dfChecked);
}

TEST_F(ControlDumpTest, MenusTreeNodesComboEntriesAndPanelsAreItemsOfTheirControl) {
  TOwned<TForm> form(new TForm(nullptr));
  form->SetBounds(20, 20, 400, 300);
  // The menu is the form's although it is never set as its native menu.
  auto* menu = new TMainMenu(form.get());
  menu->SetName("MainMenu1");
  auto* file = new TMenuItem(form.get());
  file->SetName("File1");
  file->SetCaption("&File");
  auto* open = new TMenuItem(form.get());
  open->SetName("Open1");
  open->SetCaption("&Open...");
  open->SetEnabled(false);
  auto* line = new TMenuItem(form.get());
  line->SetCaption("-");
  auto* option = new TMenuItem(form.get());
  option->SetName("XvTM");
  option->SetCaption("&XvT Missions");
  option->SetChecked(true);
  menu->Items()->Add(file);
  file->Add(open);
  file->Add(line);
  file->Add(option);

  auto* tree = Put<TTreeView>(form.get(), form.get(), "Tree", 0, 0, 200, 200);
  TTreeNode* a = tree->Items()->Add(nullptr, "A");
  tree->Items()->AddChild(a, "a1");
  TTreeNode* b = tree->Items()->Add(nullptr, "B");
  tree->Items()->AddChild(b, "b1");
  auto* combo = Put<TComboBox>(form.get(), form.get(), "Combo", 210, 10, 150, 21);
  combo->Items()->Add("[One]");
  combo->Items()->Add("[One]");
  combo->SetText("typed");
  auto* bar = Put<TStatusBar>(form.get(), form.get(), "Bar", 0, 250, 400, 19);
  bar->Panels()->Add()->SetWidth(100);
  bar->Panels()->Add()->SetWidth(80);
  bar->Panels()->Items(1)->SetText("Done.");
  form->Show();
  a->Expand(false);
  combo->SetFocus();
  Pump();

  auto dump = DumpScreen(nullptr);
  ASSERT_FALSE(dump.empty());
  const DumpNode& top = dump[0];
  EXPECT_TRUE(top.flags & dfActive);
  ASSERT_FALSE(top.children.empty());
  const DumpNode& m = top.children[0];
  EXPECT_EQ(m.cls, "TMainMenu");
  EXPECT_EQ(m.name, "MainMenu1");
  ASSERT_EQ(m.children.size(), 1u);
  ASSERT_EQ(m.children[0].children.size(), 3u);
  const DumpNode& openNode = m.children[0].children[0];
  EXPECT_EQ(openNode.cls, "item");
  EXPECT_EQ(openNode.caption, "&Open...");
  EXPECT_FALSE(openNode.bounds);
  EXPECT_EQ(openNode.flags, dfVisible);
  EXPECT_EQ(m.children[0].children[1].name, "");
  EXPECT_EQ(m.children[0].children[2].flags, dfVisible | dfEnabled | dfChecked);

  const DumpNode* t = Find(dump, "Tree");
  ASSERT_NE(t, nullptr);
  ASSERT_EQ(t->children.size(), 2u);
  const DumpNode& na = t->children[0];
  EXPECT_EQ(na.cls, "node");
  EXPECT_EQ(na.flags, dfExpanded);
  ASSERT_TRUE(na.bounds);
  ASSERT_TRUE(na.children[0].bounds) << "a child of an open node shows";
  EXPECT_GT(na.children[0].bounds->y, na.bounds->y);
  EXPECT_GE(na.bounds->x, t->bounds->x);
  EXPECT_FALSE(t->children[1].children[0].bounds) << "a child of a closed node has no place";
  EXPECT_EQ(t->children[1].flags, 0u);

  const DumpNode* c = Find(dump, "Combo");
  EXPECT_EQ(c->caption, "typed");
  EXPECT_EQ(Names(*c), (std::vector<std::string>{"[One]", "[One]"}));
  EXPECT_TRUE(c->flags & dfFocused);
  EXPECT_FALSE(t->flags & dfFocused);

  const DumpNode* s = Find(dump, "Bar");
  ASSERT_EQ(s->children.size(), 2u);
  EXPECT_EQ(s->children[1].caption, "Done.");
  ASSERT_TRUE(s->children[0].bounds && s->children[1].bounds);
  EXPECT_EQ(s->children[0].bounds->x, s->bounds->x);
  EXPECT_GE(s->children[1].bounds->x, s->children[0].bounds->x + s->children[0].bounds->width);
  EXPECT_GE(s->children[0].bounds->y, s->bounds->y);
}

LRESULT CALLBACK PlainProc(HWND h, UINT msg, WPARAM wp, LPARAM lp) { return DefWindowProcA(h, msg, wp, lp); }

TEST_F(ControlDumpTest, PlainWindowsFollowTheFormsInTheOrderTheyWereMade) {
  WindowCreationOrder order;
  TOwned<TForm> form(new TForm(nullptr));
  form->SetName("Main");
  form->Show();
  WNDCLASSA wc{};
  wc.lpfnWndProc = PlainProc;
  wc.lpszClassName = "DumpPlain";
  RegisterClassA(&wc);
  HWND first = CreateWindowExA(0, "DumpPlain", "First box", WS_POPUP | WS_VISIBLE, 50, 60, 200, 100, nullptr, nullptr,
                               nullptr, nullptr);
  HWND list = CreateWindowExA(0, WC_LISTBOXA, "", WS_CHILD | WS_VISIBLE, 0, 0, 100, 60, first, nullptr, nullptr,
                              nullptr);
  SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>("combat"));
  HWND tick = CreateWindowExA(0, WC_BUTTONA, "Tick", WS_CHILD | WS_VISIBLE | BS_AUTOCHECKBOX, 110, 0, 80, 20, first,
                              nullptr, nullptr, nullptr);
  SendMessageA(tick, BM_SETCHECK, BST_CHECKED, 0);
  SetWindowPos(list, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
  CreateWindowExA(0, "DumpPlain", "Hidden", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
  HWND second = CreateWindowExA(0, "DumpPlain", "Second box", WS_POPUP | WS_VISIBLE, 300, 60, 100, 100, nullptr,
                                nullptr, nullptr, nullptr);
  Pump();
  SetFocus(tick);

  // Windows other tests left behind come first: look at ours only.
  std::vector<DumpNode> dump;
  for (DumpNode& n : DumpScreen(&order))
    if (n.name == "Main" || n.cls == "DumpPlain") dump.push_back(std::move(n));
  ASSERT_EQ(dump.size(), 3u) << "the form, then the two visible boxes";
  EXPECT_EQ(dump[0].name, "Main");
  EXPECT_EQ(dump[1].caption, "First box") << "made first, though the second lies on top";
  EXPECT_EQ(dump[2].caption, "Second box");
  EXPECT_TRUE(dump[1].flags & dfActive) << "focusing its button activated it";
  EXPECT_FALSE(dump[2].flags & dfActive);
  EXPECT_FALSE(dump[0].flags & dfActive);
  EXPECT_EQ(dump[1].name, "");
  ExpectBounds(dump[1], ScreenClient(first));
  ASSERT_EQ(dump[1].children.size(), 2u);
  const DumpNode& l = dump[1].children[0];
  EXPECT_EQ(l.cls, WC_LISTBOXA);
  ASSERT_EQ(l.children.size(), 1u);
  EXPECT_EQ(l.children[0].cls, "entry");
  EXPECT_EQ(l.children[0].caption, "combat");
  const DumpNode& b = dump[1].children[1];
  EXPECT_EQ(b.caption, "Tick");
  EXPECT_EQ(b.flags, dfVisible | dfEnabled | dfChecked | dfFocused);
  DestroyWindow(first);
  DestroyWindow(second);
  EXPECT_EQ(order.Of(first), -1) << "a destroyed window's handle is forgotten";
}

TEST_F(ControlDumpTest, FlatButtonsAndEditsShowHotAndDown) {
  TOwned<TForm> form(new TForm(nullptr));
  form->SetName("Flat");
  form->SetBounds(100, 50, 320, 240);
  auto* button = Put<TToolbarButton97>(form.get(), form.get(), "Go", 10, 10, 80, 22);
  auto* edit = Put<TEdit97>(form.get(), form.get(), "Name", 10, 60, 120, 19);
  form->Show();
  Pump();
  EXPECT_EQ(FlagText(DumpControl(button).flags), "visible,enabled");
  const TPoint p = button->ClientToScreen(TPoint{20, 10});
  headless::MoveMouse(p.x, p.y);
  Pump();
  EXPECT_EQ(FlagText(DumpControl(button).flags), "visible,enabled,hot");
  headless::PressMouse(0);
  Pump();
  EXPECT_EQ(FlagText(DumpControl(button).flags), "visible,enabled,hot,down");
  headless::ReleaseMouse(0);
  Pump();
  edit->SetFocus();
  Pump();
  EXPECT_EQ(FlagText(DumpControl(edit).flags), "visible,enabled,focused,hot");
  EXPECT_EQ(FlagText(dfSelected), "selected");
}

}  // namespace
}  // namespace scene
