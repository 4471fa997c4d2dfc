// Pop-up menu levels: reading the items, sizing them in the menu font,
// placing the window in the work area and painting the classic look.
#include "track_popup.h"

#include <win32/gdi32_text.h>
#include <win32/user32_draw.h>
#include <win32/user32_text.h>

#include <algorithm>
#include <cctype>

namespace user {
namespace {

using M = PopupMetrics;

HFONT MenuFont() {
  static HFONT font = [] {
    NONCLIENTMETRICSA ncm{};
    ncm.cbSize = sizeof ncm;
    SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, sizeof ncm, &ncm, 0);
    return CreateFontIndirectA(&ncm.lfMenuFont);
  }();
  return font;
}

PopupItem ReadItem(HMENU menu, int pos) {
  MENUITEMINFOA mi{};
  mi.cbSize = sizeof mi;
  mi.fMask = MIIM_FTYPE | MIIM_STATE | MIIM_ID | MIIM_SUBMENU | MIIM_STRING;
  PopupItem item;
  if (!GetMenuItemInfoA(menu, static_cast<UINT>(pos), TRUE, &mi)) return item;
  std::string text(mi.cch + 1, '\0');
  mi.dwTypeData = text.data();
  mi.cch = static_cast<UINT>(text.size());
  GetMenuItemInfoA(menu, static_cast<UINT>(pos), TRUE, &mi);
  text.resize(mi.cch);
  item.type = mi.fType;
  item.state = mi.fState;
  item.id = mi.wID;
  item.sub = mi.hSubMenu;
  const std::size_t tab = text.find('\t');
  item.text = text.substr(0, tab);
  if (tab != std::string::npos) item.shortcut = text.substr(tab + 1);
  return item;
}

int TextWidth(HDC dc, const std::string& text, UINT format) {
  if (text.empty()) return 0;
  RECT r{0, 0, 0, 0};
  DrawTextA(dc, text.c_str(), static_cast<int>(text.size()), &r, format | DT_CALCRECT | DT_SINGLELINE);
  return r.right - r.left;
}

// Small glyphs drawn row by row: '#' is a pixel of the glyph's colour.
void DrawGlyph(HDC dc, const char* const* rows, int count, int x, int y, COLORREF color) {
  HBRUSH brush = CreateSolidBrush(color);
  for (int r = 0; r < count; ++r)
    for (int c = 0; rows[r][c]; ++c) {
      if (rows[r][c] != '#') continue;
      int end = c;
      while (rows[r][end + 1] == '#') ++end;
      RECT run{x + c, y + r, x + end + 1, y + r + 1};
      FillRect(dc, &run, brush);
      c = end;
    }
  DeleteObject(brush);
}

const char* const kCheck[] = {"......#", ".....##", "#...###", "##.###.", "#####..", ".###...", "..#...."};
const char* const kBullet[] = {".##.", "####", "####", ".##."};
const char* const kArrow[] = {"#...", "##..", "###.", "####", "###.", "##..", "#..."};

struct ItemColors {
  COLORREF text;
  bool emboss;  // grayed and not highlighted: white copy one pixel down-right
};

ItemColors ColorsOf(const PopupItem& item, bool selected) {
  if (item.Disabled()) return {GetSysColor(selected ? COLOR_GRAYTEXT : COLOR_3DSHADOW), !selected};
  return {GetSysColor(selected ? COLOR_HIGHLIGHTTEXT : COLOR_MENUTEXT), false};
}

// Check mark, text, shortcut and arrow of one item in one colour, shifted by d.
void DrawItemFace(HDC dc, const PopupItem& item, COLORREF color, int d) {
  const RECT& rc = item.rect;
  const int midY = (rc.top + rc.bottom) / 2;
  if (item.state & MFS_CHECKED) {
    if (item.type & MFT_RADIOCHECK)
      DrawGlyph(dc, kBullet, 4, rc.left + (M::kCheckColumn - 4) / 2 + d, midY - 2 + d, color);
    else
      DrawGlyph(dc, kCheck, 7, rc.left + (M::kCheckColumn - 7) / 2 + d, midY - 3 + d, color);
  }
  SetTextColor(dc, color);
  RECT text{rc.left + M::kCheckColumn + d, rc.top + d, rc.right - M::kArrowColumn + d, rc.bottom + d};
  DrawTextA(dc, item.text.c_str(), static_cast<int>(item.text.size()), &text, DT_SINGLELINE | DT_VCENTER | DT_LEFT);
  if (!item.shortcut.empty())
    DrawTextA(dc, item.shortcut.c_str(), static_cast<int>(item.shortcut.size()), &text,
              DT_SINGLELINE | DT_VCENTER | DT_RIGHT | DT_NOPREFIX);
  if (item.sub) DrawGlyph(dc, kArrow, 7, rc.right - M::kArrowColumn + 7 + d, midY - 3 + d, color);
}

void PaintItem(HDC dc, const PopupItem& item, bool selected) {
  RECT rc = item.rect;
  if (item.Separator()) {
    FillRect(dc, &rc, GetSysColorBrush(COLOR_MENU));
    RECT line{rc.left + 1, rc.top + (rc.bottom - rc.top) / 2 - 1, rc.right - 1, rc.bottom};
    DrawEdge(dc, &line, EDGE_ETCHED, BF_TOP);
    return;
  }
  FillRect(dc, &rc, GetSysColorBrush(selected ? COLOR_HIGHLIGHT : COLOR_MENU));
  const ItemColors colors = ColorsOf(item, selected);
  if (colors.emboss) DrawItemFace(dc, item, GetSysColor(COLOR_3DHILIGHT), 1);
  DrawItemFace(dc, item, colors.text, 0);
}

}  // namespace

char PopupItem::Mnemonic() const {
  for (std::size_t i = 0; i + 1 < text.size(); ++i) {
    if (text[i] != '&') continue;
    if (text[i + 1] != '&') return static_cast<char>(std::toupper(static_cast<unsigned char>(text[i + 1])));
    ++i;  // "&&" is a plain ampersand
  }
  return 0;
}

void LayoutPopup(PopupLevel& level) {
  level.items.clear();
  const int count = GetMenuItemCount(level.menu);
  for (int i = 0; i < count; ++i) level.items.push_back(ReadItem(level.menu, i));
  HDC dc = CreateCompatibleDC(nullptr);
  HGDIOBJ old = SelectObject(dc, MenuFont());
  int textWidth = 0, shortcutWidth = 0;
  for (const PopupItem& item : level.items) {
    if (item.Separator()) continue;
    textWidth = std::max(textWidth, TextWidth(dc, item.text, 0));
    shortcutWidth = std::max(shortcutWidth, TextWidth(dc, item.shortcut, DT_NOPREFIX));
  }
  SelectObject(dc, old);
  DeleteDC(dc);
  int inner = M::kCheckColumn + textWidth + M::kArrowColumn;
  if (shortcutWidth > 0) inner += M::kShortcutGap + shortcutWidth;
  int y = M::kBorder;
  for (PopupItem& item : level.items) {
    const int h = item.Separator() ? M::kSeparatorHeight : M::kTextHeight;
    item.rect = RECT{M::kBorder, y, M::kBorder + inner, y + h};
    y += h;
  }
  level.size = SIZE{inner + 2 * M::kBorder, y + M::kBorder};
}

RECT PlacePopup(SIZE size, int x, int y, UINT flags, const RECT* exclude) {
  RECT work{};
  SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
  if (flags & TPM_RIGHTALIGN) x -= size.cx;
  else if (flags & TPM_CENTERALIGN) x -= size.cx / 2;
  if (flags & TPM_BOTTOMALIGN) y -= size.cy;
  else if (flags & TPM_VCENTERALIGN) y -= size.cy / 2;
  if (y + size.cy > work.bottom) {
    // Below does not fit: above the caption that opened it, or above the point.
    const int above = exclude ? exclude->top - size.cy : y - size.cy;
    y = above >= work.top ? above : work.bottom - size.cy;
  }
  if (x + size.cx > work.right) {
    const int left = (flags & (TPM_RIGHTALIGN | TPM_CENTERALIGN)) || exclude ? work.right - size.cx : x - size.cx;
    x = left >= work.left ? left : work.right - size.cx;
  }
  x = std::max(x, static_cast<int>(work.left));
  y = std::max(y, static_cast<int>(work.top));
  return RECT{x, y, x + size.cx, y + size.cy};
}

RECT PlaceSubmenu(SIZE size, const RECT& parent, const RECT& itemRect) {
  RECT work{};
  SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
  // Overlapping the parent's border so the first item lines up with the
  // item that opened it.
  int x = parent.right - M::kBorder;
  int y = parent.top + itemRect.top - M::kBorder;
  if (x + size.cx > work.right) x = parent.left - size.cx + M::kBorder;
  if (y + size.cy > work.bottom) y = work.bottom - size.cy;
  x = std::max(x, static_cast<int>(work.left));
  y = std::max(y, static_cast<int>(work.top));
  return RECT{x, y, x + size.cx, y + size.cy};
}

int PopupItemAt(const PopupLevel& level, POINT client) {
  for (std::size_t i = 0; i < level.items.size(); ++i)
    if (PtInRect(&level.items[i].rect, client)) return static_cast<int>(i);
  return -1;
}

void PaintPopup(HDC dc, const PopupLevel& level) {
  RECT all{0, 0, level.size.cx, level.size.cy};
  FillRect(dc, &all, GetSysColorBrush(COLOR_MENU));
  DrawEdge(dc, &all, EDGE_RAISED, BF_RECT);
  HGDIOBJ old = SelectObject(dc, MenuFont());
  SetBkMode(dc, TRANSPARENT);
  for (std::size_t i = 0; i < level.items.size(); ++i)
    PaintItem(dc, level.items[i], static_cast<int>(i) == level.selected);
  SelectObject(dc, old);
}

namespace {

LRESULT CALLBACK PopupProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_MOUSEACTIVATE: return MA_NOACTIVATE;
    case WM_ERASEBKGND: return 1;
    case WM_PAINT: {
      PAINTSTRUCT ps;
      HDC dc = BeginPaint(hwnd, &ps);
      if (const PopupLevel* level = LevelOfWindow(hwnd)) PaintPopup(dc, *level);
      EndPaint(hwnd, &ps);
      return 0;
    }
    default: return DefWindowProcA(hwnd, msg, wp, lp);
  }
}

}  // namespace

HWND CreatePopupWindow(HWND owner) {
  static const bool registered = [] {
    WNDCLASSA wc{};
    wc.style = CS_SAVEBITS;
    wc.lpfnWndProc = PopupProc;
    wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    wc.lpszClassName = kPopupMenuClass;
    return RegisterClassA(&wc) != 0;
  }();
  if (!registered) return nullptr;
  return CreateWindowExA(WS_EX_TOPMOST | WS_EX_TOOLWINDOW, kPopupMenuClass, "", WS_POPUP | WS_CLIPSIBLINGS, 0, 0, 1,
                         1, owner, nullptr, nullptr, nullptr);
}

}  // namespace user
