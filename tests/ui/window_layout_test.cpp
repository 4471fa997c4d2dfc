#include "ui/window_layout.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <set>
#include <string>

#include "ui/instructions_text.h"
#include "ui/main_menu.h"

namespace ui {
namespace {

TEST(WindowLayout, FiveWindowsInCreationOrderWithUniqueControlNames) {
  std::vector<std::string> names;
  for (const FormLayout& f : Forms()) names.push_back(f.name);
  EXPECT_EQ(names, (std::vector<std::string>{"MainForm", "ConfirmForm", "LSTForm", "AboutForm", "Instructions"}));
  for (const FormLayout& f : Forms()) {
    std::set<std::string> seen;
    for (const ControlLayout& c : f.controls) EXPECT_TRUE(seen.insert(c.name).second) << f.name << "." << c.name;
  }
}

TEST(WindowLayout, EveryControlLiesInsideItsParent) {
  for (const FormLayout& f : Forms()) {
    std::map<std::string, const ControlLayout*> byName;
    for (const ControlLayout& c : f.controls) byName[c.name] = &c;
    for (const ControlLayout& c : f.controls) {
      int pw = f.width, ph = f.height;
      if (*c.parent) {
        ASSERT_TRUE(byName.count(c.parent)) << c.name;
        // A parent is created before its children.
        EXPECT_LT(byName[c.parent], &c) << c.name;
        pw = byName[c.parent]->width;
        ph = byName[c.parent]->height;
      }
      int w = c.width == kAutoSize ? 1 : c.width;
      EXPECT_GE(c.left, 0) << f.name << "." << c.name;
      EXPECT_LE(c.left + w, pw) << f.name << "." << c.name;
      EXPECT_LE(c.top + c.height, ph) << f.name << "." << c.name;
    }
  }
}

TEST(WindowLayout, MainPanelStartsWithTheOpenCommandsDisabled) {
  const FormLayout& main = FormByName("MainForm");
  std::map<std::string, ControlLayout> c;
  for (const ControlLayout& s : main.controls) c.emplace(s.name, s);
  for (const char* name : {"OpenFile", "Install", "Remove", "SP", "RImperial", "RRebel", "RBoth"})
    EXPECT_FALSE(c.at(name).enabled) << name;
  EXPECT_TRUE(c.at("RImperial").checked);
  EXPECT_TRUE(c.at("Refresh").enabled);
  // The side buttons share the panel, not the radio group frame.
  EXPECT_STREQ(c.at("RRebel").parent, "MegaPanel1");
}

TEST(MainMenu, ThreeDropDownsAndTheirStartingMarks) {
  std::vector<std::string> top;
  for (const MenuItemDef& s : MainMenuDefs())
    if (s.topLevel) top.push_back(s.caption);
  EXPECT_EQ(top, (std::vector<std::string>{"&File", "&Options", "&Help"}));
  PlainMenuItems items;
  for (MenuItemId id : {miXvTM, miBoPM, miShowLSTProcessing1, miMenuFades1}) EXPECT_TRUE(items.Checked(id)) << id;
  EXPECT_FALSE(items.Checked(miExpandAll1));
  for (MenuItemId id : {miOpen1, miInstall1, miRemove1, miExpandAll1}) EXPECT_FALSE(items.Item(id).enabled) << id;
}

TEST(InstructionsText, FramesAndTheQuotedErrorLine) {
  const auto& lines = InstructionsLines();
  auto at = [&](const std::string& text) { return std::find(lines.begin(), lines.end(), text) - lines.begin(); };
  auto usage = at("Usage Instructions:");
  auto history = at("Revision History:");
  ASSERT_LT(usage, static_cast<long>(lines.size()));
  ASSERT_LT(history, static_cast<long>(lines.size()));
  EXPECT_EQ(lines[usage - 1], std::string(30, '-'));
  EXPECT_EQ(lines[usage + 1], std::string(30, '-'));
  EXPECT_EQ(lines[history - 1], std::string(26, '-'));
  EXPECT_EQ(lines[at("Notes:") - 1], "----------");
  EXPECT_EQ(lines[at("Notes:") + 2], "");
  EXPECT_EQ(lines[at("Notes:") + 3], "A) All .LST files must have a '//' at the start, ie:");
  EXPECT_LT(at("the error: '\"\" is not a valid integer' then you have this problem.  To erradicate"),
            static_cast<long>(lines.size()));
  EXPECT_EQ(lines[4], "");  // after the four-line welcome
  EXPECT_EQ(std::count(lines.begin() + history, lines.end(), "-"), 4);
}

}  // namespace
}  // namespace ui
