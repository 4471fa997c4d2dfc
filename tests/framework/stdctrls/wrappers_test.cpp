#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "control_fixture.h"
#include "framework/exceptions.h"
#include "framework/stdctrls.h"

namespace stdctrls_test {
namespace {

// ------------------------------------------------------------------ combo box

class ComboBoxTest : public ControlTest {};

TEST_F(ComboBoxTest, ItemsMadeBeforeTheWindowReachItAndSelectionNotifies) {
  auto* combo = Make<TComboBox>();
  combo->Items()->Add("[Rebel Missions]");
  combo->Items()->Add("[Imperial Missions]");
  combo->Items()->Add("[Rebel Missions]");  // duplicates are kept
  HWND h = combo->Handle();
  EXPECT_EQ(SendMessageA(h, CB_GETCOUNT, 0, 0), 3);
  EXPECT_EQ(combo->Items()->Count(), 3);
  EXPECT_EQ(combo->Items()->Strings(1), "[Imperial Missions]");
  std::vector<std::string> events;
  combo->OnChange = [&](TObject*) { events.push_back("change:" + combo->Text()); };
  combo->OnClick = [&](TObject*) { events.push_back("click"); };
  combo->SetItemIndex(1);
  EXPECT_EQ(combo->ItemIndex(), 1);
  EXPECT_EQ(combo->Text(), "[Imperial Missions]");
  EXPECT_TRUE(events.empty()) << "setting the index in code is not a user's choice";
  Command(combo, CBN_SELCHANGE);
  EXPECT_EQ(events, (std::vector<std::string>{"click", "change:[Imperial Missions]"}));
  bool selected = false;
  combo->OnSelect = [&](TObject*) { selected = true; };
  events.clear();
  Command(combo, CBN_SELCHANGE);
  EXPECT_TRUE(selected);
  EXPECT_EQ(events, (std::vector<std::string>{"click"})) << "OnSelect replaces OnChange for list choices";
}

TEST_F(ComboBoxTest, TypingFiresOnChangeAndClearingItemsKeepsTheText) {
  auto* combo = Make<TComboBox>();
  combo->Items()->Add("one");
  HWND edit = combo->EditHandle();
  ASSERT_NE(edit, nullptr);
  int changes = 0;
  combo->OnChange = [&](TObject*) { ++changes; };
  SetWindowTextA(edit, "[My Section]");
  EXPECT_EQ(changes, 1);
  EXPECT_EQ(combo->Text(), "[My Section]");
  combo->Items()->Clear();
  EXPECT_EQ(combo->Items()->Count(), 0);
  EXPECT_EQ(combo->Text(), "[My Section]");
}

TEST_F(ComboBoxTest, ItemsSurviveARecreatedWindowAndADropDownListHasNoEdit) {
  auto* combo = Make<TComboBox>();
  combo->Items()->Add("b");
  combo->Items()->Add("a");
  combo->Handle();
  combo->SetItemIndex(0);
  combo->SetStyle(csDropDownList);
  EXPECT_EQ(combo->EditHandle(), nullptr);
  EXPECT_EQ(combo->Items()->Count(), 2);
  EXPECT_EQ(combo->ItemIndex(), 0);
  combo->SetSorted(true);
  EXPECT_EQ(combo->Items()->Strings(0), "a");
}

// ------------------------------------------------------------------ memo and edit

class EditTest : public ControlTest {};

TEST_F(EditTest, MemoLinesAddInsertDeleteAndReadBack) {
  auto* memo = Make<TMemo>();
  TStrings* lines = memo->Lines();
  EXPECT_EQ(lines->Count(), 0);
  lines->Add("//");
  lines->Add("[Section]");
  lines->Add("//");
  EXPECT_EQ(lines->Count(), 3);
  EXPECT_EQ(memo->Text(), "//\r\n[Section]\r\n//\r\n");
  lines->Insert(1, "first");
  lines->Delete(0);
  lines->SetStrings(2, "last");
  EXPECT_EQ(lines->Text(), "first\r\n[Section]\r\nlast\r\n");
  EXPECT_EQ(lines->Strings(1), "[Section]");
  EXPECT_THROW(lines->Strings(3), EListError);
  // A text the user typed without a final break gets one before the next line.
  memo->SetText("typed");
  lines->Add("added");
  EXPECT_EQ(memo->Text(), "typed\r\nadded");
  EXPECT_EQ(lines->Count(), 2);
  lines->Clear();
  EXPECT_EQ(lines->Count(), 0);
}

TEST_F(EditTest, MemoStylesFollowScrollBarsAndWordWrap) {
  auto* memo = Make<TMemo>();
  memo->SetScrollBars(ssVertical);
  LONG style = GetWindowLongA(memo->Handle(), GWL_STYLE);
  EXPECT_TRUE(style & ES_MULTILINE);
  EXPECT_TRUE(style & WS_VSCROLL);
  EXPECT_FALSE(style & WS_HSCROLL);
  EXPECT_FALSE(style & ES_AUTOHSCROLL) << "wrapped lines do not scroll sideways";
  memo->Lines()->Add("kept across the new window");
  memo->SetWordWrap(false);
  memo->SetScrollBars(ssBoth);
  style = GetWindowLongA(memo->Handle(), GWL_STYLE);
  EXPECT_TRUE(style & WS_HSCROLL);
  EXPECT_TRUE(style & ES_AUTOHSCROLL);
  EXPECT_EQ(memo->Lines()->Strings(0), "kept across the new window");
}

TEST_F(EditTest, EditPropertiesReachTheWindow) {
  auto* edit = Make<TEdit>();
  edit->SetMaxLength(5);
  edit->SetReadOnly(true);
  edit->SetPasswordChar('*');
  HWND h = edit->Handle();
  EXPECT_EQ(SendMessageA(h, EM_GETLIMITTEXT, 0, 0), 5);
  EXPECT_TRUE(GetWindowLongA(h, GWL_STYLE) & ES_READONLY);
  EXPECT_EQ(SendMessageA(h, EM_GETPASSWORDCHAR, 0, 0), '*');
  EXPECT_TRUE(GetWindowLongA(h, GWL_EXSTYLE) & WS_EX_CLIENTEDGE);
  edit->SetReadOnly(false);
  EXPECT_FALSE(GetWindowLongA(h, GWL_STYLE) & ES_READONLY);
  edit->SetBorderStyle(bsNone);
  EXPECT_FALSE(GetWindowLongA(edit->Handle(), GWL_EXSTYLE) & WS_EX_CLIENTEDGE);
}

TEST_F(EditTest, ChangeEventsAndSelection) {
  auto* edit = Make<TEdit>();
  std::vector<std::string> seen;
  edit->OnChange = [&](TObject*) { seen.push_back(edit->Text()); };
  edit->SetText("Mission Name");
  EXPECT_EQ(seen, (std::vector<std::string>{"Mission Name"}));
  edit->SetSelStart(8);
  edit->SetSelLength(4);
  EXPECT_EQ(edit->SelStart(), 8);
  EXPECT_EQ(edit->SelLength(), 4);
  EXPECT_EQ(edit->SelText(), "Name");
  edit->SetSelText("Title");
  EXPECT_EQ(edit->Text(), "Mission Title");
  edit->SetCharCase(ecUpperCase);
  EXPECT_TRUE(GetWindowLongA(edit->Handle(), GWL_STYLE) & ES_UPPERCASE);
  EXPECT_EQ(edit->Text(), "Mission Title") << "the text survives the new window";
}

// ------------------------------------------------------------------ buttons

class CheckButtonTest : public ControlTest {};

TEST_F(CheckButtonTest, CheckingOneRadioButtonUnchecksItsSiblingsOnly) {
  auto* imperial = Make<TRadioButton>(16, 160);
  auto* rebel = Make<TRadioButton>(16, 184);
  auto* both = Make<TRadioButton>(16, 208);
  auto* group = Make<TGroupBox>(200, 8);
  auto* elsewhere = new TRadioButton(root.get());
  elsewhere->SetParent(group);
  elsewhere->SetChecked(true);
  imperial->SetChecked(true);
  int sideClicks = 0;
  for (TRadioButton* b : {imperial, rebel, both}) b->OnClick = [&](TObject*) { ++sideClicks; };
  both->SetChecked(true);
  EXPECT_EQ(sideClicks, 1) << "checking in code runs the click as a user's click would";
  EXPECT_FALSE(imperial->Checked());
  EXPECT_FALSE(rebel->Checked());
  EXPECT_TRUE(elsewhere->Checked()) << "another parent is another group";
  EXPECT_EQ(SendMessageA(imperial->Handle(), BM_GETCHECK, 0, 0), BST_UNCHECKED);
  EXPECT_EQ(SendMessageA(both->Handle(), BM_GETCHECK, 0, 0), BST_CHECKED);
  // A click on the window checks it through the reflected notification.
  SendMessageA(rebel->Handle(), BM_CLICK, 0, 0);
  EXPECT_TRUE(rebel->Checked());
  EXPECT_FALSE(both->Checked());
  EXPECT_EQ(sideClicks, 2);
  // Clicking the checked one again changes nothing.
  SendMessageA(rebel->Handle(), BM_CLICK, 0, 0);
  EXPECT_EQ(sideClicks, 2);
}

TEST_F(CheckButtonTest, CheckBoxClicksCycleThroughTheAllowedStates) {
  auto* box = Make<TCheckBox>();
  box->SetCaption("Single Player?");
  HWND h = box->Handle();
  int clicks = 0;
  box->OnClick = [&](TObject*) { ++clicks; };
  SendMessageA(h, BM_CLICK, 0, 0);
  EXPECT_TRUE(box->Checked());
  EXPECT_EQ(SendMessageA(h, BM_GETCHECK, 0, 0), BST_CHECKED);
  SendMessageA(h, BM_CLICK, 0, 0);
  EXPECT_EQ(box->State(), cbUnchecked);
  box->SetAllowGrayed(true);
  SendMessageA(h, BM_CLICK, 0, 0);
  EXPECT_EQ(box->State(), cbGrayed);
  EXPECT_EQ(SendMessageA(h, BM_GETCHECK, 0, 0), BST_INDETERMINATE);
  SendMessageA(h, BM_CLICK, 0, 0);
  EXPECT_EQ(box->State(), cbChecked);
  EXPECT_EQ(clicks, 4);
  box->SetChecked(true);
  EXPECT_EQ(clicks, 4) << "no change, no click";
  box->SetEnabled(false);
  EXPECT_FALSE(IsWindowEnabled(h));
}

TEST_F(CheckButtonTest, RadioGroupMakesAndArrangesButtonsForItsItems) {
  auto* group = Make<TRadioGroup>();
  group->SetBounds(8, 8, 210, 89);
  group->SetColumns(2);
  group->Items()->Add("Imperial");
  group->Items()->Add("Rebel");
  group->Items()->Add("Both");
  ASSERT_EQ(group->ButtonCount(), 3);
  EXPECT_EQ(group->Buttons(2)->Caption(), "Both");
  // Two per column: the third starts the second column.
  EXPECT_EQ(group->Buttons(0)->Left(), group->Buttons(1)->Left());
  EXPECT_GT(group->Buttons(1)->Top(), group->Buttons(0)->Top());
  EXPECT_GT(group->Buttons(2)->Left(), group->Buttons(0)->Left());
  int clicks = 0;
  group->OnClick = [&](TObject*) { ++clicks; };
  group->SetItemIndex(1);
  EXPECT_TRUE(group->Buttons(1)->Checked());
  EXPECT_EQ(clicks, 0);
  SendMessageA(group->Buttons(2)->Handle(), BM_CLICK, 0, 0);
  EXPECT_EQ(group->ItemIndex(), 2);
  EXPECT_FALSE(group->Buttons(1)->Checked());
  EXPECT_EQ(clicks, 1);
  group->Items()->Delete(2);
  EXPECT_EQ(group->ButtonCount(), 2);
  EXPECT_EQ(group->ItemIndex(), -1);
}

}  // namespace
}  // namespace stdctrls_test
