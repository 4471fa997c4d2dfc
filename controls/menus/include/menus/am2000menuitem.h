// The item painter shared by the menu bar and the drop-down windows: the
// columns of one row, the state bits a row is drawn with, measuring a
// drop-down, and drawing rows, separators, glyphs and check marks.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include <win32/windef.h>

#include "framework/canvas.h"
#include "menus/am2000options.h"

class TCustomImageList;
class TFont;
class TMenuItem;

struct T_AM2000_MenuItemRect {
  int Left = 0, Right = 0;
  int TextLeft = 0, TextWidth = 0;
  int ShortcutLeft = 0, ShortcutWidth = 0;
  int GlyphLeft = 0, GlyphWidth = 0;
  int ArrowLeft = 0, ArrowWidth = 0;
  int Top = 0, Height = 0;
  int BorderOffset = 0;
};

// ItemState bits.
inline constexpr std::uint16_t isChecked = 0x0001;
inline constexpr std::uint16_t isSelected = 0x0002;
inline constexpr std::uint16_t isDisabled = 0x0004;
inline constexpr std::uint16_t isHiddenShaded = 0x0008;
inline constexpr std::uint16_t isDefault = 0x0010;
inline constexpr std::uint16_t isRadio = 0x0020;
inline constexpr std::uint16_t isSubMenu = 0x0040;
inline constexpr std::uint16_t isPressed = 0x0080;
inline constexpr std::uint16_t isNoTopLine = 0x0100;
inline constexpr std::uint16_t isNoBottomLine = 0x0200;
inline constexpr std::uint16_t isKeepBackground = 0x0800;
inline constexpr std::uint16_t isShadeLeft = 0x1000;
inline constexpr std::uint16_t isShadeRight = 0x2000;

struct T_AM2000_ItemContext {
  TCanvas* Canvas = nullptr;
  TMenuItem* Item = nullptr;
  T_AM2000_Options* Options = nullptr;
  T_AM2000_MenuItemRect* Rect = nullptr;
  TCustomImageList* Images = nullptr;
  std::uint16_t ItemState = 0;
};

// One row of a drop-down as measured from its menu handle.
struct T_AM2000_MenuRow {
  TMenuItem* Item = nullptr;  // null for rows of a raw menu handle
  UINT Id = 0;
  HMENU SubMenu = nullptr;
  bool Separator = false;
  bool Disabled = false;
  std::string Caption;   // before any tab
  std::string Shortcut;  // the item's shortcut text, or what follows a tab
  int Top = 0;
  int Height = 0;
};

struct T_AM2000_MenuMeasure {
  std::vector<T_AM2000_MenuRow> Rows;
  int CaptionWidth = 0;   // the widest caption
  int ShortcutWidth = 0;  // the widest shortcut
  int RowLeft = 0, RowWidth = 0;
  int Width = 0, Height = 0;
};

// The caption with single "&" removed, "&&" as one "&", and one blank in front.
std::string StripAccelerators(const std::string& caption);
// Reads the rows of `menu` and measures them with the canvas's font.
T_AM2000_MenuMeasure MeasureMenu(HMENU menu, T_AM2000_Options& options, TCanvas* canvas, bool frame3d);
// The columns of a drop-down row for left-to-right or mirrored options.
T_AM2000_MenuItemRect DropDownColumns(const T_AM2000_MenuMeasure& m, const T_AM2000_Options& options,
                                      const T_AM2000_MenuRow& row, int borderOffset);

// Draws one row: a separator or a normal item.
void DrawItem(const T_AM2000_ItemContext& context);
// A caption's text columns drawn in the context's colours (bar items too).
void DrawSeparator(const T_AM2000_ItemContext& context);

// The checker brush of highlight and face (plain highlight on 8-bit
// displays), made once.
HBRUSH DitherBrush();
// Sets `font` to the system's menu font (the stock system font when the
// metrics cannot be read).
void AssignMenuFont(TFont* font);
