#include <algorithm>

#include <win32/user32.h>

#include "framework/menus.h"
#include "framework/shortcut.h"
#include "menus/am2000menuitem.h"

std::string StripAccelerators(const std::string& caption) {
  std::string out = " ";
  for (std::size_t i = 0; i < caption.size(); ++i) {
    if (caption[i] == '&') {
      if (i + 1 < caption.size() && caption[i + 1] == '&') out += '&', ++i;
      continue;
    }
    out += caption[i];
  }
  return out;
}

namespace {

// The widest line of a caption that may hold line breaks.
int CaptionWidth(TCanvas* canvas, const std::string& caption) {
  int widest = 0;
  std::size_t start = 0;
  while (start <= caption.size()) {
    std::size_t end = caption.find_first_of("\r\n", start);
    if (end == std::string::npos) end = caption.size();
    widest = std::max(widest, canvas->TextWidth(StripAccelerators(caption.substr(start, end - start))));
    if (end == caption.size()) break;
    start = end + (caption.compare(end, 2, "\r\n") == 0 ? 2 : 1);
  }
  return widest;
}

T_AM2000_MenuRow ReadRow(HMENU menu, int position) {
  T_AM2000_MenuRow row;
  char text[512] = {};
  MENUITEMINFOA info{};
  info.cbSize = sizeof info;
  info.fMask = MIIM_TYPE | MIIM_ID | MIIM_SUBMENU | MIIM_STATE | MIIM_DATA;
  info.dwTypeData = text;
  info.cch = sizeof text - 1;
  GetMenuItemInfoA(menu, static_cast<UINT>(position), TRUE, &info);
  row.Item = reinterpret_cast<TMenuItem*>(info.dwItemData);
  row.Id = info.wID;
  row.SubMenu = info.hSubMenu;
  row.Disabled = (info.fState & (MFS_DISABLED | MFS_GRAYED)) != 0;
  std::string caption = row.Item ? row.Item->Caption() : std::string(text);
  row.Separator = (info.fType & MFT_SEPARATOR) != 0 || caption == "-";
  const std::size_t tab = caption.find('\t');
  if (tab != std::string::npos) {
    row.Shortcut = caption.substr(tab + 1);
    caption.resize(tab);
  }
  if (row.Item && row.Item->ShortCut() != scNone) row.Shortcut = ShortCutToText(row.Item->ShortCut());
  row.Caption = caption;
  return row;
}

}  // namespace

T_AM2000_MenuMeasure MeasureMenu(HMENU menu, T_AM2000_Options& options, TCanvas* canvas, bool frame3d) {
  T_AM2000_MenuMeasure m;
  const T_AM2000_Margins& margins = *options.Margins();
  const int frame = frame3d ? 2 : 0;
  int y = margins.Top + margins.Border + frame + (options.Draggable ? 9 : 0);
  int widestSum = 0;
  bool anyShortcut = false;
  const int count = menu ? GetMenuItemCount(menu) : 0;
  for (int i = 0; i < count; ++i) {
    T_AM2000_MenuRow row = ReadRow(menu, i);
    if (row.Item && !row.Item->Visible()) continue;
    row.Top = y;
    row.Height = row.Separator ? options.SeparatorHeight : options.ItemHeight;
    y += row.Height + margins.Space;
    if (!row.Separator) {
      const int cw = CaptionWidth(canvas, row.Caption);
      const int sw = row.Shortcut.empty() ? 0 : canvas->TextWidth(row.Shortcut);
      m.CaptionWidth = std::max(m.CaptionWidth, cw);
      m.ShortcutWidth = std::max(m.ShortcutWidth, sw);
      widestSum = std::max(widestSum, cw + sw + (row.Shortcut.empty() ? 0 : 4));
      anyShortcut |= !row.Shortcut.empty();
    }
    m.Rows.push_back(row);
  }
  int content = options.Flags.Contains(mfStandardAlign) ? m.CaptionWidth + m.ShortcutWidth + (anyShortcut ? 4 : 0)
                                                        : widestSum;
  content += margins.Left + margins.Right;
  m.RowLeft = frame;
  m.RowWidth = content;
  m.Width = m.RowLeft + content + margins.Border + frame;
  const int lastBottom = m.Rows.empty() ? y : m.Rows.back().Top + m.Rows.back().Height;
  m.Height = lastBottom + margins.Bottom + margins.Border + frame;
  return m;
}

T_AM2000_MenuItemRect DropDownColumns(const T_AM2000_MenuMeasure& m, const T_AM2000_Options& options,
                                      const T_AM2000_MenuRow& row, int borderOffset) {
  const T_AM2000_Margins& margins = *options.Margins();
  T_AM2000_MenuItemRect r;
  r.BorderOffset = borderOffset;
  r.Top = row.Top;
  r.Height = row.Height;
  r.Left = borderOffset;
  r.Right = m.Width - borderOffset;
  r.TextWidth = m.CaptionWidth;
  r.ShortcutWidth = m.ShortcutWidth;
  if (options.Alignment == taRightToLeft) {
    r.ShortcutLeft = r.Left + margins.Left;
    r.TextLeft = r.Right - margins.Right - r.TextWidth;
    r.GlyphLeft = r.Right - options.ItemHeight - 1;
    r.GlyphWidth = options.ItemHeight - 1;
    r.ArrowWidth = margins.Left - 4;
    r.ArrowLeft = r.Left + 2;
  } else {
    r.GlyphLeft = r.Left;
    r.GlyphWidth = margins.Left - 3;
    r.TextLeft = r.Left + margins.Left;
    r.ShortcutLeft = r.Right - margins.Right - r.ShortcutWidth;
    r.ArrowWidth = margins.Right - 4;
    r.ArrowLeft = r.Right - r.ArrowWidth - 2;
  }
  return r;
}
