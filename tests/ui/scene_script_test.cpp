#include "script.h"

#include <gtest/gtest.h>

#include <sstream>

#include "dump.h"
#include "framework/datetime.h"
#include "win32/windows.h"

namespace scene {
namespace {

TEST(SceneScript, CommentsBlanksAndTheRestOfATypeLine) {
  auto s = ParseScript(
      "# a scene\n"
      "\n"
      "prefix /tmp/my prefix\r\n"
      "start\n"
      "  click 10 20   # the tree\n"
      "type  [Rebel #1] \n"
      "wait 450\n"
      "file C:\\Program Files\\XvT\\combat\\mission.lst combat.lst\n");
  ASSERT_EQ(s.size(), 6u);
  EXPECT_EQ(s[0].kind, ckPrefix);
  EXPECT_EQ(s[0].text, "/tmp/my prefix");
  EXPECT_EQ(s[2].kind, ckClick);
  EXPECT_EQ(s[2].x, 10);
  EXPECT_EQ(s[2].y, 20);
  EXPECT_EQ(s[2].line, 5);
  EXPECT_EQ(s[3].kind, ckType);
  EXPECT_EQ(s[3].text, " [Rebel #1] ");  // one blank ends the keyword; the rest is typed
  EXPECT_EQ(s[4].ms, 450);
  EXPECT_EQ(s[5].text, "C:\\Program Files\\XvT\\combat\\mission.lst");
  EXPECT_EQ(s[5].file, "combat.lst");
}

TEST(SceneScript, KeyNamesAndModifiers) {
  KeyChord alt = ParseKey("Alt+F");
  EXPECT_EQ(alt.modifiers, std::vector<unsigned>{VK_MENU});
  EXPECT_EQ(alt.vk, static_cast<unsigned>('F'));
  KeyChord chord = ParseKey("Ctrl+Shift+Tab");
  EXPECT_EQ(chord.modifiers, (std::vector<unsigned>{VK_CONTROL, VK_SHIFT}));
  EXPECT_EQ(chord.vk, static_cast<unsigned>(VK_TAB));
  EXPECT_EQ(ParseKey("c").vk, static_cast<unsigned>('C'));
  EXPECT_EQ(ParseKey("7").vk, static_cast<unsigned>('7'));
  EXPECT_EQ(ParseKey("F1").vk, static_cast<unsigned>(VK_F1));
  EXPECT_EQ(ParseKey("F12").vk, static_cast<unsigned>(VK_F12));
  EXPECT_EQ(ParseKey("Back").vk, static_cast<unsigned>(VK_BACK));
  for (const char* alone : {"Alt", "Ctrl", "Shift"}) EXPECT_TRUE(ParseKey(alone).modifiers.empty()) << alone;
  EXPECT_EQ(ParseKey("Alt").vk, static_cast<unsigned>(VK_MENU));
  EXPECT_EQ(ParseKey("Ctrl").vk, static_cast<unsigned>(VK_CONTROL));
  EXPECT_EQ(ParseKey("Shift").vk, static_cast<unsigned>(VK_SHIFT));
  for (const char* bad : {"F13", "F0", "Enter", "Meta+X", "Alt+", "ab", "Ctrl+Alt"}) EXPECT_THROW(ParseKey(bad), std::invalid_argument) << bad;
}

TEST(SceneScript, ErrorsNameTheLine) {
  auto message = [](const char* text) {
    try {
      ParseScript(text);
    } catch (const ScriptError& e) {
      return std::string(e.what());
    }
    return std::string("no error");
  };
  EXPECT_EQ(message("start\nclick 1\n"), "line 2: click takes 2 argument(s)");
  EXPECT_EQ(message("jump 1 2"), "line 1: unknown command 'jump'");
  EXPECT_EQ(message("start\n\nmove 1 2x"), "line 3: '2x' is not a number");
  EXPECT_EQ(message("key Hyper"), "line 1: unknown key 'Hyper'");
  EXPECT_EQ(message("wait -5"), "line 1: wait takes a time of 0 or more");
  EXPECT_EQ(message("shot"), "line 1: shot needs a name");
  EXPECT_EQ(message("clock 2001-02-03"), "line 1: clock takes 2 argument(s)");
  EXPECT_EQ(message("clock 2001-02 12:00:00"), "line 1: clock takes YYYY-MM-DD HH:MM:SS");
  EXPECT_EQ(message("clock 2001-02-03 12:00"), "line 1: clock takes YYYY-MM-DD HH:MM:SS");
  EXPECT_EQ(message("clock 2001-02-30 12:00:00"), "line 1: '2001-02-30 12:00:00' is no date and time");
  EXPECT_EQ(message("clock 2001-02-03 24:00:00"), "line 1: '2001-02-03 24:00:00' is no date and time");
}

TEST(SceneScript, ClockSetsTheLocalDateAndTime) {
  auto s = ParseScript("clock 2001-02-03 11:59:59\nstart\n");
  ASSERT_EQ(s.size(), 2u);
  EXPECT_EQ(s[0].kind, ckClock);
  EXPECT_DOUBLE_EQ(s[0].when, EncodeDate(2001, 2, 3) + EncodeTime(11, 59, 59, 0));
}

TEST(SceneDump, NestedLinesWithTabsIndentAndFlags) {
  DumpNode item{"item", "Open1", "&Open...", std::nullopt, 0, {}};
  DumpNode menu{"TMainMenu", "MainMenu1", "", std::nullopt, 0, {item}};
  DumpNode form{"TMainForm", "MainForm", "Main", DumpBounds{145, 163, 734, 441},
                dfVisible | dfEnabled | dfActive, {menu}};
  DumpNode memo{"TMemo", "Contents", "a\tb\r\nc", DumpBounds{1, 2, 3, 4}, dfExpanded | dfVisible, {}};
  DumpNode bar{"TMenuBar2000", "MenuBar", "", DumpBounds{0, 0, 9, 9}, dfHot, {}, "state=hot current=File1"};
  std::ostringstream out;
  WriteDump(out, {form, memo, bar});
  EXPECT_EQ(out.str(),
            "TMainForm\tMainForm\tMain\t145,163,734,441\tvisible,enabled,active\n"
            "  TMainMenu\tMainMenu1\t\t\t\n"
            "    item\tOpen1\t&Open...\t\t\n"
            "TMemo\tContents\ta\\tb\\r\\nc\t1,2,3,4\tvisible,expanded\n"
            "TMenuBar2000\tMenuBar\t\t0,0,9,9\thot\tstate=hot current=File1\n");
  DumpNode logo{"TRxGIFAnimator", "GIF", "", DumpBounds{1, 2, 70, 70}, dfVisible, {}};
  AddExtra(logo, "frame", "0");
  AddExtra(logo, "animate", "no");
  std::ostringstream extra;
  WriteDump(extra, {logo});
  EXPECT_EQ(extra.str(), "TRxGIFAnimator\tGIF\t\t1,2,70,70\tvisible\tframe=0 animate=no\n");
  EXPECT_EQ(FlagText(dfChecked | dfFocused | dfVisible), "visible,checked,focused");
}

}  // namespace
}  // namespace scene
