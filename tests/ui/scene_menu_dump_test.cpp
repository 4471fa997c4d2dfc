// What the dump shows of the animated menus: the bar's state and current
// item, a shown drop-down with its animation and rows, nothing for a
// hidden one.
#include "control_dump.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "backend/headless.h"
#include "framework/application.h"
#include "framework/forms.h"
#include "framework/menus.h"
#include "menus/am2000menubar.h"

namespace scene {
namespace {

class MenuDumpTest : public ::testing::Test {
 protected:
  void SetUp() override {
    headless::Start(800, 600);
    headless::SetIdleAdvance(true);
    EnsureApplication();
    form = new TForm(nullptr);
    form->SetName("Menus");
    form->SetBorderStyle(bsNone);
    form->SetBounds(100, 50, 400, 200);
    auto* menu = new TMainMenu(form);
    file = Item(menu->Items(), "File1", "&File");
    Item(file, "Open1", "&Open...")->SetEnabled(false);
    Item(file, "N1", "-");
    Item(file, "Exit1", "E&xit")->SetChecked(true);
    bar = new TMenuBar2000(form);
    bar->SetName("Bar");
    bar->SetParent(form);
    bar->SetMenu(menu);
    form->Show();
    Pump();
  }
  void TearDown() override {
    CloseMenus(true, false);
    Free(form);
    headless::SetIdleAdvance(false);
  }
  TMenuItem* Item(TMenuItem* parent, const char* name, const char* caption) {
    auto* item = new TMenuItem(form);
    item->SetName(name);
    item->SetCaption(caption);
    parent->Add(item);
    return item;
  }
  static void Pump() { Application->ProcessMessages(); }
  const DumpNode* DropDownLine(const std::vector<DumpNode>& dump) {
    for (const DumpNode& n : dump)
      if (n.cls == "TPopupMenu2000Form") return &n;
    return nullptr;
  }

  TForm* form = nullptr;
  TMenuBar2000* bar = nullptr;
  TMenuItem* file = nullptr;
};

TEST_F(MenuDumpTest, TheBarTellsItsStateAndCurrentItem) {
  DumpNode idle = DumpControl(bar);
  EXPECT_EQ(idle.extra, "state=idle current=File1");
  EXPECT_EQ(idle.flags & (dfHot | dfSelected), 0u);
  const TPoint p = bar->ClientToScreen(Point(10, 5));
  headless::MoveMouse(p.x, p.y);
  Pump();
  DumpNode hot = DumpControl(bar);
  EXPECT_EQ(hot.extra, "state=hot current=File1");
  EXPECT_EQ(hot.flags & (dfHot | dfSelected), static_cast<unsigned>(dfHot));
  EXPECT_EQ(DropDownLine(DumpScreen(nullptr)), nullptr) << "the hidden drop-down has no line";
}

TEST_F(MenuDumpTest, AShownDropDownIsATopLevelLineWithItsFadeAndRows) {
  // Opened without serving messages: the first frame is shown and the
  // next one waits in the queue.
  TPopupMenu2000Form* window = bar->PopupMenu2000()->Window();
  bar->Options()->Animation = anFadeIn;
  bar->SelectItem(0);
  bar->OpenCurrent();
  std::vector<DumpNode> dump = DumpScreen(nullptr);
  const DumpNode* line = DropDownLine(dump);
  ASSERT_NE(line, nullptr);
  EXPECT_EQ(line->caption, "");
  EXPECT_EQ(line->extra, "animation=anFadeIn frame=1 animating=yes");
  for (int i = 0; i < 60; ++i) {
    headless::AdvanceTime(5);
    Pump();
  }
  dump = DumpScreen(nullptr);
  line = DropDownLine(dump);
  ASSERT_NE(line, nullptr);
  EXPECT_EQ(line->extra, "animation=anFadeIn frame=0 animating=no");
  RECT r{};
  GetWindowRect(window->WindowHandle(), &r);
  ASSERT_TRUE(line->bounds);
  EXPECT_EQ(line->bounds->x, r.left);
  EXPECT_EQ(line->bounds->width, r.right - r.left);
  ASSERT_EQ(line->children.size(), 3u);
  const DumpNode& open = line->children[0];
  EXPECT_EQ(open.cls, "row");
  EXPECT_EQ(open.name, "Open1");
  EXPECT_EQ(open.caption, "&Open...");
  EXPECT_EQ(FlagText(open.flags), "visible");
  EXPECT_EQ(line->children[1].name, "N1");
  EXPECT_EQ(FlagText(line->children[2].flags), "visible,enabled,checked");
  const TRect row = window->RowRect(2);
  const TPoint at = window->ClientToScreen(Point(row.left, row.top));
  EXPECT_EQ(line->children[2].bounds->y, at.y);
  EXPECT_EQ(line->children[2].bounds->height, RectHeight(row));
  headless::PressKey(VK_UP);
  headless::ReleaseKey(VK_UP);
  Pump();
  line = DropDownLine(dump = DumpScreen(nullptr));
  ASSERT_NE(line, nullptr);
  EXPECT_EQ(FlagText(line->children[2].flags), "visible,enabled,checked,selected");
}

}  // namespace
}  // namespace scene
