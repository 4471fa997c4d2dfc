// Pop-up menu windows (class "#32768"): one level of a tracked menu, its
// items read from the menu handle, laid out, placed on the screen, painted
// and hit-tested. The modal loop in track_popup.cpp drives the levels.
#pragma once

#include <win32/user32.h>

#include <string>
#include <vector>

namespace user {

inline constexpr const char* kPopupMenuClass = "#32768";

// The classic metrics of a pop-up menu, in pixels.
struct PopupMetrics {
  static constexpr int kBorder = 3;          // raised edge plus one pixel of face
  static constexpr int kTextHeight = 19;     // a text item
  static constexpr int kSeparatorHeight = 9;
  static constexpr int kCheckColumn = 17;    // check mark column before the text
  static constexpr int kArrowColumn = 17;    // sub-menu arrow column after the text
  static constexpr int kShortcutGap = 12;    // between the text and the shortcut column
};

struct PopupItem {
  UINT type = MFT_STRING;
  UINT state = 0;
  UINT id = 0;
  HMENU sub = nullptr;
  std::string text;      // before the first tab, '&' marks kept
  std::string shortcut;  // after it, drawn right-aligned
  RECT rect{};           // in the menu window's client coordinates

  bool Separator() const { return (type & MFT_SEPARATOR) != 0; }
  bool Disabled() const { return (state & MFS_GRAYED) != 0; }
  // Can be highlighted; disabled items can, separators cannot.
  bool Selectable() const { return !Separator(); }
  // The upper-case mnemonic character ("&O" gives 'O'), 0 without one.
  char Mnemonic() const;
};

struct PopupLevel {
  HMENU menu = nullptr;
  HWND hwnd = nullptr;
  std::vector<PopupItem> items;
  SIZE size{};
  RECT screen{};  // where the window is
  int selected = -1;
};

// Reads the items of `level.menu` and lays them out (sets items and size).
void LayoutPopup(PopupLevel& level);
// The screen rectangle of a menu of `size` shown at (x, y) with the TPM
// alignment flags, kept inside the work area; `exclude` (screen) is a
// rectangle it should not cover, such as the caption that opened it.
RECT PlacePopup(SIZE size, int x, int y, UINT flags, const RECT* exclude);
// A sub-menu beside the item `itemRect` (client) of the menu at `parent`.
RECT PlaceSubmenu(SIZE size, const RECT& parent, const RECT& itemRect);
// The item under `client`, or -1.
int PopupItemAt(const PopupLevel& level, POINT client);
void PaintPopup(HDC dc, const PopupLevel& level);
// A hidden menu window owned by `owner`, registering the class on first use.
HWND CreatePopupWindow(HWND owner);

// The level a menu window shows while a menu is tracked (null otherwise);
// the window procedure paints from it.
const PopupLevel* LevelOfWindow(HWND hwnd);

}  // namespace user
