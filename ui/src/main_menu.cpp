#include "ui/main_menu.h"

namespace ui {

const std::array<MenuItemDef, miCount>& MainMenuDefs() {
  // No item has a shortcut; the separators and top-level items have no hint.
  static const std::array<MenuItemDef, miCount> spec{{
      {.name = "File1", .caption = "&File", .topLevel = true},
      {.name = "Open1", .caption = "&Open...", .hint = "Open a Mission", .enabled = false},
      {.name = "N1", .caption = "-"},
      {.name = "BuildMissionList1", .caption = kBuildCaption, .hint = "Build/Refresh Mission List"},
      {.name = "Install1", .caption = "&Install", .hint = "Install a Mission", .enabled = false},
      {.name = "Remove1", .caption = "&Remove", .hint = "Remove a Mission", .enabled = false},
      {.name = "N2", .caption = "-"},
      {.name = "Exit1", .caption = "E&xit", .hint = "Exit this Program"},
      {.name = "Options1", .caption = "&Options", .topLevel = true},
      {.name = "XvTM", .caption = "&XvT Missions", .hint = "Load XvT Missions", .checked = true},
      {.name = "BoPM", .caption = "&BoP Missions", .hint = "Load BoP Missions", .checked = true},
      {.name = "N3", .caption = "-"},
      {.name = "ShowLSTProcessing1", .caption = "&Show LST Processing", .hint = "Show LST File Contents",
       .checked = true},
      {.name = "N5", .caption = "-"},
      {.name = "ExpandAll1", .caption = "&Expand Tree", .hint = "Expand the Mission Tree", .enabled = false},
      {.name = "N6", .caption = "-"},
      {.name = "MenuFades1", .caption = "&Menu Fades", .checked = true},
      {.name = "Help1", .caption = "&Help", .topLevel = true},
      {.name = "Help2", .caption = "&Help"},
      {.name = "N4", .caption = "-"},
      {.name = "About1", .caption = "&About", .hint = "About this Program"},
  }};
  return spec;
}

PlainMenuItems::PlainMenuItems() {
  const auto& spec = MainMenuDefs();
  for (int i = 0; i < miCount; ++i) items_[i] = State{spec[i].caption, spec[i].enabled, spec[i].checked};
}

}  // namespace ui
