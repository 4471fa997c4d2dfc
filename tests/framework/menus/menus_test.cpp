// Menus read back through their handles, as the custom menu system reads them.
#include <gtest/gtest.h>

#include <backend/headless.h>

#include <string>
#include <vector>

#include <win32/user32.h>

#include "framework/exceptions.h"
#include "framework/menus.h"

namespace {

struct Row {
  std::string text;
  UINT type = 0;
  UINT state = 0;
  UINT id = 0;
  HMENU sub = nullptr;
  TMenuItem* item = nullptr;
};

std::vector<Row> Rows(HMENU menu) {
  std::vector<Row> rows;
  for (int i = 0; i < GetMenuItemCount(menu); ++i) {
    char buffer[128] = {};
    MENUITEMINFOA info{};
    info.cbSize = sizeof info;
    info.fMask = MIIM_TYPE | MIIM_STATE | MIIM_ID | MIIM_SUBMENU | MIIM_DATA;
    info.dwTypeData = buffer;
    info.cch = sizeof buffer;
    EXPECT_TRUE(GetMenuItemInfoA(menu, static_cast<UINT>(i), TRUE, &info));
    rows.push_back({buffer, info.fType, info.fState, info.wID, info.hSubMenu,
                    reinterpret_cast<TMenuItem*>(info.dwItemData)});
  }
  return rows;
}

TMenuItem* NewItem(TComponent* owner, TMenuItem* parent, const std::string& caption) {
  auto* item = new TMenuItem(owner);
  item->SetCaption(caption);
  parent->Add(item);
  return item;
}

class Menus : public ::testing::Test {
 protected:
  TOwned<TComponent> form{new TComponent(nullptr)};
  TMainMenu* menu = new TMainMenu(form.get());
  TMenuItem* file = NewItem(form.get(), menu->Items(), "&File");
  TMenuItem* open = NewItem(form.get(), file, "&Open...");
  TMenuItem* line = NewItem(form.get(), file, "-");
  TMenuItem* exit = NewItem(form.get(), file, "E&xit");
};

TEST_F(Menus, HandlesHoldTheVisibleItemsWithShortcutTextAndSubMenus) {
  open->SetShortCut(TextToShortCut("Ctrl+O"));
  auto bar = Rows(menu->Handle());
  ASSERT_EQ(bar.size(), 1u);
  EXPECT_EQ(bar[0].text, "&File");
  EXPECT_EQ(bar[0].sub, file->Handle());
  EXPECT_EQ(bar[0].item, file);
  EXPECT_EQ(bar[0].id, file->Command());

  auto rows = Rows(file->Handle());
  ASSERT_EQ(rows.size(), 3u);
  EXPECT_EQ(rows[0].text, "&Open...\tCtrl+O");
  EXPECT_EQ(rows[0].sub, nullptr);
  EXPECT_EQ(rows[1].type & MFT_SEPARATOR, static_cast<UINT>(MFT_SEPARATOR));
  EXPECT_EQ(rows[2].item, exit);
  EXPECT_NE(open->Command(), exit->Command());

  open->SetVisible(false);
  rows = Rows(file->Handle());
  ASSERT_EQ(rows.size(), 2u);
  EXPECT_EQ(rows[0].item, line);
  open->SetVisible(true);
  EXPECT_EQ(Rows(file->Handle())[0].item, open);
}

TEST_F(Menus, StateChangesReachTheHandleAtOnce) {
  HMENU h = file->Handle();
  exit->SetChecked(true);
  exit->SetEnabled(false);
  exit->SetDefault(true);
  Row row = Rows(h)[2];
  EXPECT_TRUE(row.state & MFS_CHECKED);
  EXPECT_EQ(row.state & MFS_DISABLED, static_cast<UINT>(MFS_DISABLED));
  EXPECT_TRUE(row.state & MFS_DEFAULT);
  exit->SetChecked(false);
  exit->SetEnabled(true);
  exit->SetCaption("&Quit");
  row = Rows(h)[2];
  EXPECT_EQ(row.state & (MFS_CHECKED | MFS_DISABLED), 0u);
  EXPECT_EQ(row.text, "&Quit");
}

TEST_F(Menus, RadioItemsOfAGroupExcludeEachOther) {
  auto* a = NewItem(form.get(), file, "A");
  auto* b = NewItem(form.get(), file, "B");
  auto* other = NewItem(form.get(), file, "Other group");
  for (TMenuItem* i : {a, b, other}) i->SetRadioItem(true);
  other->SetGroupIndex(1);
  a->SetChecked(true);
  other->SetChecked(true);
  b->SetChecked(true);
  EXPECT_FALSE(a->Checked());
  EXPECT_TRUE(b->Checked());
  EXPECT_TRUE(other->Checked());
  auto rows = Rows(file->Handle());
  EXPECT_TRUE(rows[4].type & MFT_RADIOCHECK);
  EXPECT_FALSE(rows[3].state & MFS_CHECKED);  // a, unchecked in the handle too
  EXPECT_TRUE(rows[4].state & MFS_CHECKED);
}

TEST_F(Menus, TreeOperationsKeepParentIndexAndHandleInStep) {
  EXPECT_EQ(exit->Parent(), file);
  EXPECT_EQ(exit->MenuIndex(), 2);
  exit->SetMenuIndex(0);
  EXPECT_EQ(file->Items(0), exit);
  EXPECT_EQ(Rows(file->Handle())[0].item, exit);
  file->Remove(line);
  EXPECT_EQ(line->Parent(), nullptr);
  EXPECT_EQ(file->Count(), 2);
  EXPECT_EQ(GetMenuItemCount(file->Handle()), 2);
  file->Insert(1, line);
  EXPECT_EQ(file->IndexOf(line), 1);
  EXPECT_THROW(file->Items(3), EMenuError);
  EXPECT_THROW(file->Add(line), EMenuError);
  EXPECT_THROW(open->Add(file), EMenuError);  // a loop
  EXPECT_EQ(file->Find("open..."), open);

  Free(open);  // leaves its parent and the handle
  EXPECT_EQ(file->Count(), 2);
  EXPECT_EQ(GetMenuItemCount(file->Handle()), 2);
  EXPECT_EQ(menu->FindItem(file->Command(), fkCommand), file);
}

TEST_F(Menus, ShortCutsAndCommandsRunEnabledItems) {
  int opened = 0;
  open->OnClick = [&](TObject* sender) {
    EXPECT_EQ(sender, open);
    ++opened;
  };
  open->SetShortCut(ShortCut('O', TShiftState{ssCtrl}));
  EXPECT_FALSE(menu->IsShortCut('O', TShiftState{}));
  EXPECT_TRUE(menu->IsShortCut('O', TShiftState{ssCtrl}));
  EXPECT_EQ(opened, 1);
  file->SetEnabled(false);  // a disabled parent blocks its items
  EXPECT_FALSE(menu->IsShortCut('O', TShiftState{ssCtrl}));
  file->SetEnabled(true);
  EXPECT_TRUE(menu->DispatchCommand(open->Command()));
  EXPECT_EQ(opened, 2);
  open->SetEnabled(false);
  EXPECT_TRUE(menu->DispatchCommand(open->Command()));
  EXPECT_EQ(opened, 2);
  EXPECT_FALSE(menu->DispatchCommand(0xFFFF));
  EXPECT_EQ(menu->FindItem(reinterpret_cast<UINT_PTR>(file->Handle()), fkHandle), file);
}

TEST_F(Menus, ChangesAreAnnouncedAndPopupRaisesOnPopup) {
  std::vector<std::pair<TMenuItem*, bool>> changes;
  menu->OnChange = [&](TObject*, TMenuItem* source, bool rebuild) { changes.emplace_back(source, rebuild); };
  open->SetCaption("Load");
  exit->SetVisible(false);
  ASSERT_EQ(changes.size(), 2u);
  EXPECT_EQ(changes[0], std::make_pair(open, false));
  EXPECT_EQ(changes[1], std::make_pair(exit, true));

  auto* popup = new TPopupMenu(form.get());
  auto* owner = new TComponent(form.get());
  int shown = 0;
  popup->OnPopup = [&](TObject* sender) {
    EXPECT_EQ(sender, popup);
    ++shown;
  };
  popup->SetPopupComponent(owner);
  popup->Popup(10, 20);
  EXPECT_EQ(shown, 1);
  EXPECT_EQ(popup->PopupPoint().x, 10);
  Free(owner);
  EXPECT_EQ(popup->PopupComponent(), nullptr);
}

TEST_F(Menus, PopupRunsTheChosenItemAndADismissedOneRunsNothing) {
  headless::Start(800, 600);
  // Keys reach the menu's loop through the window that has the focus.
  WNDCLASSA wc{};
  wc.lpfnWndProc = DefWindowProcA;
  wc.lpszClassName = "MenusTestFocus";
  RegisterClassA(&wc);
  HWND focus = CreateWindowExA(0, "MenusTestFocus", "", WS_POPUP | WS_VISIBLE, 0, 0, 200, 200, nullptr, nullptr,
                               nullptr, nullptr);
  SetActiveWindow(focus);
  SetFocus(focus);
  auto* popup = new TPopupMenu(form.get());
  TMenuItem* first = NewItem(form.get(), popup->Items(), "&First");
  TMenuItem* second = NewItem(form.get(), popup->Items(), "&Second");
  int firstClicks = 0, secondClicks = 0;
  first->OnClick = [&](TObject*) { ++firstClicks; };
  second->OnClick = [&](TObject*) { ++secondClicks; };
  // The menu's own loop reads the keys queued before it opens.
  headless::TypeText("s");
  popup->Popup(300, 200);
  EXPECT_EQ(secondClicks, 1);
  EXPECT_EQ(firstClicks, 0);
  headless::PressKey(VK_ESCAPE);
  headless::ReleaseKey(VK_ESCAPE);
  popup->Popup(300, 200);
  EXPECT_EQ(firstClicks + secondClicks, 1);
  DestroyWindow(focus);
}

TEST(MenuText, HotkeysAndStripping) {
  EXPECT_EQ(StripHotkey("&File"), "File");
  EXPECT_EQ(StripHotkey("Save && &Exit"), "Save & Exit");
  EXPECT_EQ(StripHotkey("trailing&"), "trailing");
  EXPECT_EQ(GetHotkey("E&xit"), 'X');
  EXPECT_EQ(GetHotkey("A && B"), 0);
  EXPECT_EQ(GetHotkey("&&&Go"), 'G');
}

}  // namespace
