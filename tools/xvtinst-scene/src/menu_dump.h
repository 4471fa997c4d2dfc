// What the dump shows of the animated menus: the menu bar's state and
// current item, and each drop-down window that is shown, with its
// animation and its rows.
#pragma once
#include <optional>

#include "dump.h"

class TControl;
class TCustomForm;

namespace scene {

// Adds the bar's flags and its "state=... current=..." to the node of a
// menu bar; other controls are left as they are.
void AddMenuBarState(TControl* control, DumpNode& node);

// True for the window class of the drop-downs, which the dump shows only
// while they are on screen, and then as DropDownNode gives them.
bool IsDropDownWindow(const TCustomForm* form);
// The line of a shown drop-down with one indented line per row; nothing
// for a hidden one.
std::optional<DumpNode> DropDownNode(TCustomForm* form);

}  // namespace scene
