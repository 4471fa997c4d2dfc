// Mirroring items into menu handles. A parent's handle is written again as
// a whole on every change of one of its items: menus are short, and this
// keeps positions right when items are shown, hidden, added or moved.
#include <mutex>
#include <set>

#include <win32/user32.h>

#include "framework/menus.h"
#include "menu_commands.h"

namespace menus_detail {

namespace {
std::mutex g_commandLock;
std::set<UINT>& UsedCommands() {
  static std::set<UINT> used;
  return used;
}
}  // namespace

UINT AllocateCommand() {
  std::lock_guard<std::mutex> hold(g_commandLock);
  auto& used = UsedCommands();
  UINT command = 1;
  for (UINT taken : used) {
    if (taken != command) break;
    ++command;
  }
  used.insert(command);
  return command;
}

void ReleaseCommand(UINT command) {
  std::lock_guard<std::mutex> hold(g_commandLock);
  UsedCommands().erase(command);
}

}  // namespace menus_detail

namespace {

// Takes every row out of `menu` without destroying the sub-menus, which
// belong to their items.
void DetachRows(HMENU menu) {
  while (GetMenuItemCount(menu) > 0) RemoveMenu(menu, 0, MF_BYPOSITION);
}

}  // namespace

HMENU TMenuItem::CreateMenuHandle() { return menu_ ? menu_->CreateRootHandle() : CreatePopupMenu(); }

HMENU TMenuItem::Handle() {
  // A window destroyed with this menu set on it takes the handle along.
  if (handle_ && !IsMenu(handle_)) handle_ = nullptr;
  if (!handle_) {
    handle_ = CreateMenuHandle();
    RebuildHandle();
  }
  return handle_;
}

void TMenuItem::RebuildHandle() {
  if (!handle_) return;  // written when first asked for
  DetachRows(handle_);
  UINT position = 0;
  for (TMenuItem* item : items_) {
    if (!item->visible_) continue;
    std::string text = item->caption_;
    if (item->shortCut_ != scNone) text += "\t" + ShortCutToText(item->shortCut_);
    MENUITEMINFOA info{};
    info.cbSize = sizeof info;
    info.fMask = MIIM_FTYPE | MIIM_STRING | MIIM_STATE | MIIM_ID | MIIM_SUBMENU | MIIM_DATA | MIIM_BITMAP;
    info.fType = item->IsLine() ? MFT_SEPARATOR : MFT_STRING;
    if (item->radioItem_) info.fType |= MFT_RADIOCHECK;
    if (item->checked_) info.fState |= MFS_CHECKED;
    if (!item->enabled_) info.fState |= MFS_DISABLED;
    if (item->default_) info.fState |= MFS_DEFAULT;
    info.wID = item->command_;
    info.hSubMenu = item->items_.empty() ? nullptr : item->Handle();
    info.dwItemData = reinterpret_cast<ULONG_PTR>(item);
    info.dwTypeData = item->IsLine() ? nullptr : text.data();
    info.cch = static_cast<UINT>(text.size());
    info.hbmpItem = item->HasBitmap() ? item->bitmap_->Handle() : nullptr;
    InsertMenuItemA(handle_, position++, TRUE, &info);
  }
}

void TMenuItem::UpdateInParent() {
  if (parent_) parent_->RebuildHandle();
}

void TMenuItem::MenuChanged(bool rebuild) {
  UpdateInParent();
  if (TMenu* menu = GetParentMenu()) menu->MenuChanged(this, rebuild);
}

void TMenuItem::ReleaseHandle() {
  if (!handle_) return;
  if (IsMenu(handle_)) {
    DetachRows(handle_);
    DestroyMenu(handle_);
  }
  handle_ = nullptr;
}
