// The main window's menu MainMenu1 as data: every item with its caption,
// hint and starting state, and a plain holder of the items' live state.
// The window binds the items to its menu; the commands only see MenuItems.
#pragma once
#include <array>
#include <string>

namespace ui {

// In menu order: each top-level item is followed by its drop-down entries.
enum MenuItemId {
  miFile1, miOpen1, miN1, miBuildMissionList1, miInstall1, miRemove1, miN2, miExit1,
  miOptions1, miXvTM, miBoPM, miN3, miShowLSTProcessing1, miN5, miExpandAll1, miN6, miMenuFades1,
  miHelp1, miHelp2, miN4, miAbout1,
  miCount
};

struct MenuItemDef {
  const char* name;
  const char* caption;  // "-" is a separator
  const char* hint = "";
  bool topLevel = false;
  bool enabled = true;
  bool checked = false;
};

const std::array<MenuItemDef, miCount>& MainMenuDefs();

inline constexpr const char* kBuildCaption = "&Build Mission List";
inline constexpr const char* kRefreshCaption = "&Refresh Mission List";

// What the commands read and change on the menu.
class MenuItems {
 public:
  virtual ~MenuItems() = default;
  virtual bool Checked(MenuItemId item) const = 0;
  virtual void SetChecked(MenuItemId item, bool on) = 0;
  virtual void SetEnabled(MenuItemId item, bool on) = 0;
  virtual void SetCaption(MenuItemId item, const std::string& caption) = 0;
};

// The items' state in plain fields, starting as the table says.
class PlainMenuItems : public MenuItems {
 public:
  struct State {
    std::string caption;
    bool enabled = true;
    bool checked = false;
  };
  PlainMenuItems();
  bool Checked(MenuItemId item) const override { return items_[item].checked; }
  void SetChecked(MenuItemId item, bool on) override { items_[item].checked = on; }
  void SetEnabled(MenuItemId item, bool on) override { items_[item].enabled = on; }
  void SetCaption(MenuItemId item, const std::string& caption) override { items_[item].caption = caption; }
  const State& Item(MenuItemId item) const { return items_[item]; }

 private:
  std::array<State, miCount> items_;
};

}  // namespace ui
