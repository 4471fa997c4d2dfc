#include "ui/main_menu.h"

namespace ui {

const std::array<MenuItemSpec, miCount>& MainMenuSpec() {
  // No item has a shortcut; the separators and top-level items have no hint.
  static const std::array<MenuItemSpec, miCount> spec{{
      {"File1", "&File", "", true, true, false},
      {"Open1", "&Open...", "Open a Mission", false, false, false},
      {"N1", "-", "", false, true, false},
      {"BuildMissionList1", kBuildCaption, "Build/Refresh Mission List", false, true, false},
      {"Install1", "&Install", "Install a Mission", false, false, false},
      {"Remove1", "&Remove", "Remove a Mission", false, false, false},
      {"N2", "-", "", false, true, false},
      {"Exit1", "E&xit", "Exit this Program", false, true, false},
      {"Options1", "&Options", "", true, true, false},
      {"XvTM", "&XvT Missions", "Load XvT Missions", false, true, true},
      {"BoPM", "&BoP Missions", "Load BoP Missions", false, true, true},
      {"N3", "-", "", false, true, false},
      {"ShowLSTProcessing1", "&Show LST Processing", "Show LST File Contents", false, true, true},
      {"N5", "-", "", false, true, false},
      {"ExpandAll1", "&Expand Tree", "Expand the Mission Tree", false, false, false},
      {"N6", "-", "", false, true, false},
      {"MenuFades1", "&Menu Fades", "", false, true, true},
      {"Help1", "&Help", "", true, true, false},
      {"Help2", "&Help", "", false, true, false},
      {"N4", "-", "", false, true, false},
      {"About1", "&About", "About this Program", false, true, false},
  }};
  return spec;
}

PlainMenuItems::PlainMenuItems() {
  const auto& spec = MainMenuSpec();
  for (int i = 0; i < miCount; ++i) items_[i] = State{spec[i].caption, spec[i].enabled, spec[i].checked};
}

}  // namespace ui
