// Menus as data: the program draws its own menu bar, so a menu handle only
// holds items that the framework builds and reads back.
#include <cstring>

#include "window.h"

namespace user {
namespace {

struct MenuItem {
  UINT type = MFT_STRING;
  UINT state = 0;
  UINT id = 0;
  HMENU sub = nullptr;
  HBITMAP checked = nullptr;
  HBITMAP unchecked = nullptr;
  HBITMAP bitmap = nullptr;
  ULONG_PTR data = 0;
  std::string text;
};

struct Menu {
  bool popup = false;
  std::vector<MenuItem> items;
};

std::mutex g_menuLock;
std::map<HMENU, std::unique_ptr<Menu>>& Menus() {
  static auto* menus = new std::map<HMENU, std::unique_ptr<Menu>>;
  return *menus;
}
std::uintptr_t g_nextMenu = 0x40000;

Menu* Find(HMENU h) {
  auto it = Menus().find(h);
  return it == Menus().end() ? nullptr : it->second.get();
}

HMENU NewMenu(bool popup) {
  std::lock_guard<std::mutex> g(g_menuLock);
  HMENU h = reinterpret_cast<HMENU>(g_nextMenu);
  g_nextMenu += 2;
  auto m = std::make_unique<Menu>();
  m->popup = popup;
  Menus()[h] = std::move(m);
  return h;
}

// Finds an item by position or by command (searching sub-menus, as Windows does).
MenuItem* Item(HMENU h, UINT which, bool byPosition, Menu** owner = nullptr, int* index = nullptr) {
  Menu* m = Find(h);
  if (!m) return nullptr;
  if (byPosition) {
    if (which >= m->items.size()) return nullptr;
    if (owner) *owner = m;
    if (index) *index = static_cast<int>(which);
    return &m->items[which];
  }
  for (std::size_t i = 0; i < m->items.size(); ++i) {
    MenuItem& it = m->items[i];
    if (!it.sub && it.id == which && !(it.type & MFT_SEPARATOR)) {
      if (owner) *owner = m;
      if (index) *index = static_cast<int>(i);
      return &it;
    }
    if (it.sub)
      if (MenuItem* found = Item(it.sub, which, false, owner, index)) return found;
  }
  return nullptr;
}

MenuItem FromFlags(UINT flags, UINT_PTR idOrSub, LPCSTR text) {
  MenuItem it;
  it.type = flags & (MF_SEPARATOR | MF_BITMAP | MF_OWNERDRAW | MF_MENUBARBREAK | MF_MENUBREAK | MF_RIGHTJUSTIFY);
  it.state = flags & (MF_GRAYED | MF_DISABLED | MF_CHECKED | MF_HILITE | MF_DEFAULT);
  if (flags & MF_POPUP)
    it.sub = reinterpret_cast<HMENU>(idOrSub);
  else
    it.id = static_cast<UINT>(idOrSub);
  if (flags & (MF_BITMAP)) {
    it.bitmap = reinterpret_cast<HBITMAP>(const_cast<char*>(text));
  } else if (flags & MF_OWNERDRAW) {
    it.data = reinterpret_cast<ULONG_PTR>(text);
  } else if (!(flags & MF_SEPARATOR) && text) {
    it.text = text;
  }
  return it;
}

void ApplyInfo(MenuItem& it, const MENUITEMINFOA& mi) {
  if (mi.fMask & MIIM_TYPE) {
    it.type = mi.fType;
    if (!(mi.fType & (MFT_SEPARATOR | MFT_BITMAP | MFT_OWNERDRAW)))
      it.text = mi.dwTypeData ? mi.dwTypeData : "";
    else if (mi.fType & MFT_BITMAP)
      it.bitmap = reinterpret_cast<HBITMAP>(mi.dwTypeData);
  }
  if (mi.fMask & MIIM_FTYPE) it.type = mi.fType;
  if (mi.fMask & MIIM_STRING) it.text = mi.dwTypeData ? mi.dwTypeData : "";
  if (mi.fMask & MIIM_STATE) it.state = mi.fState;
  if (mi.fMask & MIIM_ID) it.id = mi.wID;
  if (mi.fMask & MIIM_SUBMENU) it.sub = mi.hSubMenu;
  if (mi.fMask & MIIM_CHECKMARKS) it.checked = mi.hbmpChecked, it.unchecked = mi.hbmpUnchecked;
  if (mi.fMask & MIIM_DATA) it.data = mi.dwItemData;
  if (mi.fMask & MIIM_BITMAP) it.bitmap = mi.hbmpItem;
}

void CopyText(const std::string& text, LPSTR buf, UINT& cch) {
  if (buf && cch > 0) {
    std::size_t n = std::min<std::size_t>(text.size(), cch - 1);
    std::memcpy(buf, text.data(), n);
    buf[n] = 0;
    cch = static_cast<UINT>(n);
  } else {
    cch = static_cast<UINT>(text.size());
  }
}

bool Insert(HMENU h, UINT pos, bool byPosition, MenuItem item) {
  Menu* m = Find(h);
  if (!m) return false;
  std::size_t at = m->items.size();
  if (pos != static_cast<UINT>(-1)) {
    if (byPosition) {
      at = std::min<std::size_t>(pos, m->items.size());
    } else {
      Menu* owner = nullptr;
      int index = 0;
      if (Item(h, pos, false, &owner, &index) && owner == m) at = static_cast<std::size_t>(index);
    }
  }
  m->items.insert(m->items.begin() + static_cast<std::ptrdiff_t>(at), std::move(item));
  return true;
}

}  // namespace

void DestroyWindowMenu(Window* w) {
  if (w->menu && !(w->style & WS_CHILD)) DestroyMenu(w->menu);
  w->menu = nullptr;
}

}  // namespace user

using namespace user;

HMENU WINAPI CreateMenu(void) { return NewMenu(false); }
HMENU WINAPI CreatePopupMenu(void) { return NewMenu(true); }
BOOL WINAPI IsMenu(HMENU h) { return Find(h) != nullptr; }

BOOL WINAPI DestroyMenu(HMENU h) {
  std::vector<HMENU> subs;
  {
    std::lock_guard<std::mutex> g(g_menuLock);
    Menu* m = Find(h);
    if (!m) return FALSE;
    for (const MenuItem& it : m->items)
      if (it.sub) subs.push_back(it.sub);
    Menus().erase(h);
  }
  for (HMENU s : subs) DestroyMenu(s);
  return TRUE;
}

BOOL WINAPI AppendMenuA(HMENU h, UINT flags, UINT_PTR id, LPCSTR text) {
  return Insert(h, static_cast<UINT>(-1), true, FromFlags(flags, id, text));
}

BOOL WINAPI InsertMenuA(HMENU h, UINT pos, UINT flags, UINT_PTR id, LPCSTR text) {
  return Insert(h, pos, flags & MF_BYPOSITION, FromFlags(flags, id, text));
}

BOOL WINAPI ModifyMenuA(HMENU h, UINT pos, UINT flags, UINT_PTR id, LPCSTR text) {
  MenuItem* it = Item(h, pos, flags & MF_BYPOSITION);
  if (!it) return FALSE;
  *it = FromFlags(flags, id, text);
  return TRUE;
}

BOOL WINAPI InsertMenuItemA(HMENU h, UINT item, BOOL byPosition, LPCMENUITEMINFOA mi) {
  if (!mi) return FALSE;
  MenuItem it;
  ApplyInfo(it, *mi);
  return Insert(h, item, byPosition, std::move(it));
}

BOOL WINAPI GetMenuItemInfoA(HMENU h, UINT item, BOOL byPosition, LPMENUITEMINFOA mi) {
  MenuItem* it = mi ? Item(h, item, byPosition) : nullptr;
  if (!it) return FALSE;
  if (mi->fMask & MIIM_TYPE) {
    mi->fType = it->type;
    if (it->type & MFT_BITMAP)
      mi->dwTypeData = reinterpret_cast<LPSTR>(it->bitmap);
    else if (!(it->type & (MFT_SEPARATOR | MFT_OWNERDRAW)))
      CopyText(it->text, mi->dwTypeData, mi->cch);
  }
  if (mi->fMask & MIIM_FTYPE) mi->fType = it->type;
  if (mi->fMask & MIIM_STRING) CopyText(it->text, mi->dwTypeData, mi->cch);
  if (mi->fMask & MIIM_STATE) mi->fState = it->state;
  if (mi->fMask & MIIM_ID) mi->wID = it->id;
  if (mi->fMask & MIIM_SUBMENU) mi->hSubMenu = it->sub;
  if (mi->fMask & MIIM_CHECKMARKS) mi->hbmpChecked = it->checked, mi->hbmpUnchecked = it->unchecked;
  if (mi->fMask & MIIM_DATA) mi->dwItemData = it->data;
  if (mi->fMask & MIIM_BITMAP) mi->hbmpItem = it->bitmap;
  return TRUE;
}

BOOL WINAPI SetMenuItemInfoA(HMENU h, UINT item, BOOL byPosition, LPCMENUITEMINFOA mi) {
  MenuItem* it = mi ? Item(h, item, byPosition) : nullptr;
  if (!it) return FALSE;
  ApplyInfo(*it, *mi);
  return TRUE;
}

BOOL WINAPI RemoveMenu(HMENU h, UINT pos, UINT flags) {
  Menu* owner = nullptr;
  int index = 0;
  if (!Item(h, pos, flags & MF_BYPOSITION, &owner, &index)) return FALSE;
  owner->items.erase(owner->items.begin() + index);
  return TRUE;
}

BOOL WINAPI DeleteMenu(HMENU h, UINT pos, UINT flags) {
  MenuItem* it = Item(h, pos, flags & MF_BYPOSITION);
  if (!it) return FALSE;
  HMENU sub = it->sub;
  RemoveMenu(h, pos, flags);
  if (sub) DestroyMenu(sub);
  return TRUE;
}

int WINAPI GetMenuItemCount(HMENU h) {
  Menu* m = Find(h);
  return m ? static_cast<int>(m->items.size()) : -1;
}

UINT WINAPI GetMenuItemID(HMENU h, int pos) {
  MenuItem* it = pos < 0 ? nullptr : Item(h, static_cast<UINT>(pos), true);
  if (!it || it->sub) return static_cast<UINT>(-1);
  return it->id;
}

UINT WINAPI GetMenuState(HMENU h, UINT id, UINT flags) {
  MenuItem* it = Item(h, id, flags & MF_BYPOSITION);
  if (!it) return static_cast<UINT>(-1);
  UINT state = it->state | it->type;
  if (it->sub) state |= MF_POPUP | (static_cast<UINT>(GetMenuItemCount(it->sub)) << 8);
  return state;
}

int WINAPI GetMenuStringA(HMENU h, UINT id, LPSTR buf, int max, UINT flags) {
  MenuItem* it = Item(h, id, flags & MF_BYPOSITION);
  if (!it) return 0;
  UINT cch = max > 0 ? static_cast<UINT>(max) : 0;
  CopyText(it->text, buf, cch);
  return static_cast<int>(cch);
}

HMENU WINAPI GetSubMenu(HMENU h, int pos) {
  MenuItem* it = pos < 0 ? nullptr : Item(h, static_cast<UINT>(pos), true);
  return it ? it->sub : nullptr;
}

DWORD WINAPI CheckMenuItem(HMENU h, UINT id, UINT check) {
  MenuItem* it = Item(h, id, check & MF_BYPOSITION);
  if (!it) return static_cast<DWORD>(-1);
  DWORD old = it->state & MF_CHECKED;
  it->state = (it->state & ~MF_CHECKED) | (check & MF_CHECKED);
  return old;
}

BOOL WINAPI EnableMenuItem(HMENU h, UINT id, UINT enable) {
  MenuItem* it = Item(h, id, enable & MF_BYPOSITION);
  if (!it) return -1;
  BOOL old = static_cast<BOOL>(it->state & (MF_GRAYED | MF_DISABLED));
  it->state = (it->state & ~(MF_GRAYED | MF_DISABLED)) | (enable & (MF_GRAYED | MF_DISABLED));
  return old;
}

HMENU WINAPI GetMenu(HWND hwnd) {
  Window* w = Lookup(hwnd);
  return w && !(w->style & WS_CHILD) ? w->menu : nullptr;
}

BOOL WINAPI SetMenu(HWND hwnd, HMENU menu) {
  Window* w = Lookup(hwnd);
  if (!w || (w->style & WS_CHILD)) return FALSE;
  w->menu = menu;  // no native bar is drawn, so the client area keeps its size
  return TRUE;
}

BOOL WINAPI DrawMenuBar(HWND hwnd) { return IsWindow(hwnd); }

HMENU WINAPI GetSystemMenu(HWND, BOOL) { return nullptr; }
