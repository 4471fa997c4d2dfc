// TrackPopupMenu: shows a pop-up menu and runs a modal loop until an item
// is chosen or the menu is dismissed. The pointer captured by the first
// menu window drives the highlight, keys move it; sub-menus open beside
// their items. Every message is offered to the WH_MSGFILTER hooks first
// (MSGF_MENU), so a menu bar can follow the pointer across its captions.
#include "track_popup.h"

#include <win32/user32_draw.h>

#include <cctype>
#include <memory>

namespace user {
namespace {

struct Tracker {
  HWND owner = nullptr;
  UINT flags = 0;
  std::vector<std::unique_ptr<PopupLevel>> levels;
  bool done = false;
  bool chosen = false;
  UINT command = 0;
  bool quit = false;
  int quitCode = 0;
  HMENU reportedMenu = nullptr;  // the last item told in WM_MENUSELECT
  int reportedIndex = -1;
};

// One menu at a time per thread, as on Windows.
thread_local Tracker* t_tracker = nullptr;

bool Notifies(const Tracker& t) { return !(t.flags & TPM_NONOTIFY); }

PopupLevel& Deepest(Tracker& t) { return *t.levels.back(); }
int DeepestIndex(const Tracker& t) { return static_cast<int>(t.levels.size()) - 1; }

void RepaintItem(const PopupLevel& level, int index) {
  if (index < 0 || !level.hwnd) return;
  InvalidateRect(level.hwnd, &level.items[static_cast<std::size_t>(index)].rect, FALSE);
}

// WM_MENUSELECT for an item (the position stands for a sub-menu item).
void ReportItem(Tracker& t, const PopupLevel& level, int index, bool mouse) {
  if (!Notifies(t) || index < 0 || (level.menu == t.reportedMenu && index == t.reportedIndex)) return;
  t.reportedMenu = level.menu;
  t.reportedIndex = index;
  const PopupItem& item = level.items[static_cast<std::size_t>(index)];
  UINT flags = (item.state & (MF_GRAYED | MF_DISABLED | MF_CHECKED)) | (item.type & MF_SEPARATOR);
  if (!item.Separator()) flags |= MF_HILITE;
  if (mouse) flags |= MF_MOUSESELECT;
  UINT code = item.id;
  if (item.sub) {
    flags |= MF_POPUP;
    code = static_cast<UINT>(index);
  }
  SendMessageA(t.owner, WM_MENUSELECT, MAKEWPARAM(code, flags), reinterpret_cast<LPARAM>(level.menu));
}

void Select(Tracker& t, int li, int index, bool mouse) {
  PopupLevel& level = *t.levels[static_cast<std::size_t>(li)];
  if (level.selected == index) return;
  RepaintItem(level, level.selected);
  level.selected = index;
  RepaintItem(level, index);
  UpdateWindow(level.hwnd);
  ReportItem(t, level, index, mouse);
}

void CloseFrom(Tracker& t, int li) {
  while (DeepestIndex(t) >= li && !t.levels.empty()) {
    PopupLevel& level = Deepest(t);
    if (GetCapture() == level.hwnd) ReleaseCapture();
    if (level.hwnd) DestroyWindow(level.hwnd);
    t.levels.pop_back();
  }
}

// Asks the owner to fill the menu, lays it out and shows its window in the
// rectangle `place` gives for its size. False when it has no items.
template <class Place>
bool OpenLevel(Tracker& t, HMENU menu, int position, Place place) {
  if (Notifies(t))
    SendMessageA(t.owner, WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(menu), MAKELPARAM(position, FALSE));
  auto level = std::make_unique<PopupLevel>();
  level->menu = menu;
  LayoutPopup(*level);
  if (level->items.empty()) return false;
  level->screen = place(level->size);
  level->hwnd = CreatePopupWindow(t.owner);
  if (!level->hwnd) return false;
  const RECT& r = level->screen;
  t.levels.push_back(std::move(level));
  SetWindowPos(t.levels.back()->hwnd, HWND_TOPMOST, r.left, r.top, r.right - r.left, r.bottom - r.top,
               SWP_NOACTIVATE | SWP_SHOWWINDOW);
  UpdateWindow(t.levels.back()->hwnd);
  return true;
}

// The next selectable item after `from` going `dir`, wrapping (-1: none);
// from outside the list it starts at the first or the last.
int Step(const PopupLevel& level, int from, int dir) {
  const int n = static_cast<int>(level.items.size());
  int i = from < 0 || from >= n ? (dir > 0 ? -1 : n) : from;
  for (int k = 0; k < n; ++k) {
    i += dir;
    if (i < 0) i = n - 1;
    if (i >= n) i = 0;
    if (level.items[static_cast<std::size_t>(i)].Selectable()) return i;
  }
  return -1;
}

int First(const PopupLevel& level) { return Step(level, -1, +1); }

// Opens the sub-menu of the selected item of level `li` (if any and enabled).
void OpenSubmenu(Tracker& t, int li, bool selectFirst) {
  PopupLevel& level = *t.levels[static_cast<std::size_t>(li)];
  if (level.selected < 0) return;
  const PopupItem& item = level.items[static_cast<std::size_t>(level.selected)];
  if (!item.sub || item.Disabled()) return;
  if (DeepestIndex(t) > li && t.levels[static_cast<std::size_t>(li) + 1]->menu == item.sub) {
    if (selectFirst) Select(t, li + 1, First(*t.levels[static_cast<std::size_t>(li) + 1]), false);
    return;
  }
  CloseFrom(t, li + 1);
  const RECT parent = level.screen, itemRect = item.rect;
  if (!OpenLevel(t, item.sub, level.selected, [&](SIZE s) { return PlaceSubmenu(s, parent, itemRect); })) return;
  if (selectFirst) Select(t, li + 1, First(Deepest(t)), false);
}

void Choose(Tracker& t, const PopupItem& item) {
  t.chosen = true;
  t.command = item.id;
  t.done = true;
}

// Enter or a mnemonic on an item: opens its sub-menu or chooses it.
void Execute(Tracker& t, int li, int index) {
  Select(t, li, index, false);
  const PopupItem& item = t.levels[static_cast<std::size_t>(li)]->items[static_cast<std::size_t>(index)];
  if (item.sub)
    OpenSubmenu(t, li, true);
  else if (!item.Disabled())
    Choose(t, item);
}

int LevelAt(const Tracker& t, POINT screen) {
  for (int i = DeepestIndex(t); i >= 0; --i)
    if (PtInRect(&t.levels[static_cast<std::size_t>(i)]->screen, screen)) return i;
  return -1;
}

// The item of level `li` under a screen point (-1 for none); separators count.
int ItemAt(const Tracker& t, int li, POINT screen) {
  const PopupLevel& level = *t.levels[static_cast<std::size_t>(li)];
  return PopupItemAt(level, POINT{screen.x - level.screen.left, screen.y - level.screen.top});
}

void OnMouseMove(Tracker& t, POINT pt) {
  const int li = LevelAt(t, pt);
  if (li < 0) {
    // Off the menus: the highlight goes, unless it leads to an open sub-menu.
    const int d = DeepestIndex(t);
    const PopupLevel& level = Deepest(t);
    if (level.selected >= 0 && !level.items[static_cast<std::size_t>(level.selected)].sub) Select(t, d, -1, true);
    return;
  }
  PopupLevel& level = *t.levels[static_cast<std::size_t>(li)];
  int index = ItemAt(t, li, pt);
  if (index == level.selected) return;
  CloseFrom(t, li + 1);
  if (index >= 0 && !level.items[static_cast<std::size_t>(index)].Selectable()) {
    Select(t, li, -1, true);
    ReportItem(t, level, index, true);  // a separator: nothing to describe
    return;
  }
  Select(t, li, index, true);
  if (index >= 0) OpenSubmenu(t, li, false);
}

bool TracksButton(const Tracker& t, UINT msg) {
  if (msg == WM_LBUTTONDOWN || msg == WM_LBUTTONUP || msg == WM_LBUTTONDBLCLK) return true;
  const bool right = msg == WM_RBUTTONDOWN || msg == WM_RBUTTONUP || msg == WM_RBUTTONDBLCLK;
  return right && (t.flags & TPM_RIGHTBUTTON);
}

void OnButtonDown(Tracker& t, POINT pt, UINT msg) {
  const int li = LevelAt(t, pt);
  if (li < 0) {
    t.done = true;  // a click elsewhere dismisses the menu and goes nowhere
    return;
  }
  if (!TracksButton(t, msg)) return;
  const int index = ItemAt(t, li, pt);
  if (index < 0 || !t.levels[static_cast<std::size_t>(li)]->items[static_cast<std::size_t>(index)].Selectable())
    return;
  CloseFrom(t, li + 1);
  Select(t, li, index, true);
  OpenSubmenu(t, li, false);
}

void OnButtonUp(Tracker& t, POINT pt, UINT msg) {
  const int li = LevelAt(t, pt);
  if (li < 0 || !TracksButton(t, msg)) return;
  const int index = ItemAt(t, li, pt);
  if (index < 0) return;
  const PopupItem& item = t.levels[static_cast<std::size_t>(li)]->items[static_cast<std::size_t>(index)];
  if (item.Selectable() && !item.sub && !item.Disabled()) Choose(t, item);
}

// True when the key was a menu key (it then makes no character).
bool OnKeyDown(Tracker& t, WPARAM vk, LPARAM keyData) {
  const int d = DeepestIndex(t);
  PopupLevel& level = Deepest(t);
  const int n = static_cast<int>(level.items.size());
  switch (vk) {
    case VK_UP: Select(t, d, Step(level, level.selected, -1), false); return true;
    case VK_DOWN: Select(t, d, Step(level, level.selected, +1), false); return true;
    case VK_HOME: Select(t, d, First(level), false); return true;
    case VK_END: Select(t, d, Step(level, n, -1), false); return true;
    case VK_RIGHT:
      if (level.selected >= 0)
        OpenSubmenu(t, d, true);
      else if (d > 0)
        Select(t, d, First(level), false);
      return true;
    case VK_LEFT:
      if (d > 0) CloseFrom(t, d);
      return true;
    case VK_ESCAPE:
      if (d > 0)
        CloseFrom(t, d);
      else
        t.done = true;
      return true;
    case VK_RETURN:
      if (level.selected >= 0) Execute(t, d, level.selected);
      return true;
    case VK_MENU:
    case VK_F10:
      if (!(keyData & 0x40000000)) t.done = true;  // not while the Alt that opened it repeats
      return true;
    default: return false;
  }
}

// A typed character chooses the item with that mnemonic; several items
// with the same one are stepped through instead.
void OnChar(Tracker& t, WPARAM ch) {
  if (ch < 0x20) return;
  const int d = DeepestIndex(t);
  PopupLevel& level = Deepest(t);
  const char wanted = static_cast<char>(std::toupper(static_cast<int>(ch & 0xFF)));
  std::vector<int> hits;
  for (std::size_t i = 0; i < level.items.size(); ++i)
    if (level.items[i].Selectable() && level.items[i].Mnemonic() == wanted) hits.push_back(static_cast<int>(i));
  if (hits.size() == 1) {
    Execute(t, d, hits[0]);
    return;
  }
  if (!hits.empty()) {
    int next = hits[0];
    for (int h : hits)
      if (h > level.selected) {
        next = h;
        break;
      }
    Select(t, d, next, false);
    return;
  }
  LRESULT r = 0;
  if (Notifies(t))
    r = SendMessageA(t.owner, WM_MENUCHAR, MAKEWPARAM(ch & 0xFF, MF_POPUP), reinterpret_cast<LPARAM>(level.menu));
  const int index = LOWORD(r);
  const bool valid = index < static_cast<int>(level.items.size()) && level.items[index].Selectable();
  switch (HIWORD(r)) {
    case MNC_CLOSE: t.done = true; break;
    case MNC_EXECUTE: if (valid) Execute(t, d, index); break;
    case MNC_SELECT: if (valid) Select(t, d, index, false); break;
    default: MessageBeep(0); break;
  }
}

bool IsMouseMessage(UINT msg) {
  return (msg >= WM_MOUSEMOVE && msg <= WM_MBUTTONDBLCLK) || (msg >= WM_NCMOUSEMOVE && msg <= WM_NCMBUTTONDBLCLK);
}

// The menu's own handling of input; false for what goes on to its window.
bool HandleMenuMessage(Tracker& t, MSG& m) {
  if (IsMouseMessage(m.message)) {
    UINT msg = m.message >= WM_NCMOUSEMOVE && m.message <= WM_NCMBUTTONDBLCLK
                   ? m.message - WM_NCMOUSEMOVE + WM_MOUSEMOVE
                   : m.message;
    if (msg == WM_MOUSEMOVE)
      OnMouseMove(t, m.pt);
    else if (msg == WM_LBUTTONDOWN || msg == WM_RBUTTONDOWN || msg == WM_MBUTTONDOWN || msg == WM_LBUTTONDBLCLK ||
             msg == WM_RBUTTONDBLCLK || msg == WM_MBUTTONDBLCLK)
      OnButtonDown(t, m.pt, msg);
    else
      OnButtonUp(t, m.pt, msg);
    return true;
  }
  switch (m.message) {
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
      if (!OnKeyDown(t, m.wParam, m.lParam)) TranslateMessage(&m);
      return true;
    case WM_CHAR:
    case WM_SYSCHAR: OnChar(t, m.wParam); return true;
    case WM_KEYUP:
    case WM_SYSKEYUP:
    case WM_DEADCHAR:
    case WM_SYSDEADCHAR:
    case WM_MOUSEWHEEL: return true;
    default: return false;
  }
}

void RunLoop(Tracker& t) {
  HWND root = t.levels.front()->hwnd;
  bool idleSent = false;
  while (!t.done) {
    // Losing the pointer (another capture, WM_CANCELMODE) or the owner ends it.
    if (GetCapture() != root || !IsWindow(t.owner)) break;
    MSG m;
    if (!PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE)) {
      if (!idleSent && Notifies(t)) {
        idleSent = true;
        SendMessageA(t.owner, WM_ENTERIDLE, MSGF_MENU, reinterpret_cast<LPARAM>(Deepest(t).hwnd));
        continue;
      }
      WaitMessage();
      continue;
    }
    idleSent = false;
    if (m.message == WM_QUIT) {
      t.quit = true;
      t.quitCode = static_cast<int>(m.wParam);
      break;
    }
    if (CallMsgFilterA(&m, MSGF_MENU)) continue;
    if (HandleMenuMessage(t, m)) continue;
    DispatchMessageA(&m);
  }
}

struct TrackScope {
  explicit TrackScope(Tracker& t) : t_(t) { t_tracker = &t; }
  ~TrackScope() {
    CloseFrom(t_, 0);
    t_tracker = nullptr;
  }
  Tracker& t_;
};

}  // namespace

const PopupLevel* LevelOfWindow(HWND hwnd) {
  if (!t_tracker) return nullptr;
  for (const auto& level : t_tracker->levels)
    if (level->hwnd == hwnd) return level.get();
  return nullptr;
}

}  // namespace user

using namespace user;

BOOL WINAPI TrackPopupMenuEx(HMENU menu, UINT flags, int x, int y, HWND owner, LPTPMPARAMS tpm) {
  if (!IsMenu(menu) || !IsWindow(owner) || t_tracker) return FALSE;
  const RECT* exclude = tpm && tpm->cbSize >= sizeof(TPMPARAMS) ? &tpm->rcExclude : nullptr;
  Tracker t;
  t.owner = owner;
  t.flags = flags;
  bool shown = false;
  {
    TrackScope scope(t);
    if (Notifies(t)) {
      SendMessageA(owner, WM_ENTERMENULOOP, TRUE, 0);
      SendMessageA(owner, WM_INITMENU, reinterpret_cast<WPARAM>(menu), 0);
    }
    shown = OpenLevel(t, menu, 0, [&](SIZE s) { return PlacePopup(s, x, y, flags, exclude); });
    if (shown) {
      SetCapture(t.levels.front()->hwnd);
      RunLoop(t);
    }
  }
  if (Notifies(t) && IsWindow(owner)) {
    SendMessageA(owner, WM_MENUSELECT, MAKEWPARAM(0, 0xFFFF), 0);
    SendMessageA(owner, WM_EXITMENULOOP, TRUE, 0);
  }
  if (t.quit) PostQuitMessage(t.quitCode);
  if (!shown) return FALSE;
  if (flags & TPM_RETURNCMD) return t.chosen ? static_cast<BOOL>(t.command) : 0;
  if (t.chosen && Notifies(t) && IsWindow(owner)) PostMessageA(owner, WM_COMMAND, MAKEWPARAM(t.command, 0), 0);
  return TRUE;
}

BOOL WINAPI TrackPopupMenu(HMENU menu, UINT flags, int x, int y, int, HWND owner, const RECT*) {
  return TrackPopupMenuEx(menu, flags, x, y, owner, nullptr);
}

BOOL WINAPI EndMenu(void) {
  if (t_tracker) t_tracker->done = true;
  return TRUE;
}
