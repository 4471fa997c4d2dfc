// Command identifiers of menu items: unique in the process, the lowest free
// one first, handed back when an item goes.
#pragma once

#include <win32/windef.h>

namespace menus_detail {
UINT AllocateCommand();
void ReleaseCommand(UINT command);
}  // namespace menus_detail
