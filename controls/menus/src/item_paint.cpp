#include <algorithm>

#include <win32/comctl32.h>
#include <win32/gdi32.h>
#include <win32/user32.h>

#include "framework/bitmap.h"
#include "framework/graphics.h"
#include "framework/image_list.h"
#include "framework/menus.h"
#include "menus/am2000cache.h"
#include "menus/am2000menuitem.h"

namespace {

COLORREF Rgb(TColor c) { return ColorToRGB(c); }

void Fill(HDC dc, const RECT& r, TColor colour) {
  HBRUSH brush = CreateSolidBrush(Rgb(colour));
  FillRect(dc, &r, brush);
  DeleteObject(brush);
}

void HLine(HDC dc, int x0, int x1, int y, TColor colour) {
  if (colour == clNone || x1 <= x0) return;
  RECT r{x0, y, x1, y + 1};
  Fill(dc, r, colour);
}

TBitmap* CheckBitmap(bool radio) {
  static std::unique_ptr<TBitmap> check = MakeCheckMarkGlyph();
  static std::unique_ptr<TBitmap> dot = MakeRadioItemGlyph();
  return radio ? dot.get() : check.get();
}

// Every pixel that differs from the bottom-left one is copied; disabled
// single glyphs are embossed from their dark pixels.
void DrawBitmapGlyph(HDC dc, TBitmap* bitmap, int glyphIndex, int glyphs, int x, int y, bool emboss,
                     const T_AM2000_Colors& colours) {
  HDC src = bitmap->SourceDc();
  const int w = bitmap->Width() / std::max(1, glyphs);
  const int h = bitmap->Height();
  const int x0 = glyphIndex * w;
  const COLORREF key = GetPixel(src, x0, h - 1);
  for (int pass = emboss ? 0 : 1; pass < 2; ++pass) {
    for (int py = 0; py < h; ++py) {
      for (int px = 0; px < w; ++px) {
        const COLORREF c = GetPixel(src, x0 + px, py);
        if (c == key) continue;
        if (!emboss) {
          SetPixel(dc, x + px, y + py, c);
          continue;
        }
        const bool dark = GetRValue(c) < 133 && GetGValue(c) < 129 && GetBValue(c) < 133;
        if (!dark) continue;
        if (pass == 0)
          SetPixel(dc, x + px + 1, y + py + 1, Rgb(colours.DisabledShadow));
        else
          SetPixel(dc, x + px, y + py, Rgb(colours.DisabledText));
      }
    }
  }
}

// A disabled image-list glyph: its silhouette, once offset in the shadow
// colour, then in place in the disabled text colour.
void DrawImageSilhouette(HDC dc, HIMAGELIST images, int index, int x, int y, const T_AM2000_Colors& colours) {
  int w = 16, h = 16;
  ImageList_GetIconSize(images, &w, &h);
  HDC maskDc = CreateCompatibleDC(dc);
  HBITMAP mask = CreateBitmap(w, h, 1, 1, nullptr);
  HGDIOBJ old = SelectObject(maskDc, mask);
  PatBlt(maskDc, 0, 0, w, h, WHITENESS);
  ImageList_Draw(images, index, maskDc, 0, 0, ILD_TRANSPARENT);
  const COLORREF oldText = SetTextColor(dc, RGB(255, 255, 255));
  const COLORREF oldBk = SetBkColor(dc, RGB(0, 0, 0));
  for (int pass = 0; pass < 2; ++pass) {
    HBRUSH brush = CreateSolidBrush(Rgb(pass == 0 ? colours.DisabledShadow : colours.DisabledText));
    HGDIOBJ oldBrush = SelectObject(dc, brush);
    BitBlt(dc, x + (pass == 0), y + (pass == 0), w, h, maskDc, 0, 0, 0x00E20746);
    SelectObject(dc, oldBrush);
    DeleteObject(brush);
  }
  SetTextColor(dc, oldText);
  SetBkColor(dc, oldBk);
  SelectObject(maskDc, old);
  DeleteObject(mask);
  DeleteDC(maskDc);
}

// What stands in the glyph cell of a row.
struct Glyph {
  int cacheIndex = -1;
  TBitmap* bitmap = nullptr;
  TBitmap* check = nullptr;  // a check mark in its own half cell
};

Glyph ChooseGlyph(const T_AM2000_ItemContext& c) {
  Glyph g;
  TMenuItem* item = c.Item;
  if (!item) return g;
  int index = -1;
  const T_AM2000_MenuItemCacheItem* entry = MenuItemCache().Lookup(item->Caption(), &index);
  const bool checked = c.ItemState & isChecked;
  if (entry && entry->Glyph)
    g.cacheIndex = index;
  else if (item->HasBitmap())
    g.bitmap = item->Bitmap();
  if (checked) {
    TBitmap* mark = CheckBitmap(c.ItemState & isRadio);
    if (c.Options->Flags.Contains(mfShowCheckMark))
      g.check = mark;
    else if (g.cacheIndex < 0 && !g.bitmap)
      g.bitmap = mark;
  }
  return g;
}

bool HasGlyph(const Glyph& g) { return g.cacheIndex >= 0 || g.bitmap || g.check; }

void DrawGlyphImage(HDC dc, const T_AM2000_ItemContext& c, const Glyph& g, RECT cell) {
  const T_AM2000_Colors& colours = *c.Options->Colors();
  const bool disabled = c.ItemState & isDisabled;
  const int x = cell.left + (cell.right - cell.left - 16) / 2;
  const int y = cell.top + (cell.bottom - cell.top - 16) / 2;
  if (g.cacheIndex >= 0) {
    HIMAGELIST images = MenuItemCache().Images()->Handle();
    if (disabled)
      DrawImageSilhouette(dc, images, g.cacheIndex, x, y, colours);
    else
      ImageList_Draw(images, g.cacheIndex, dc, x, y, ILD_TRANSPARENT);
  } else if (g.bitmap) {
    DrawBitmapGlyph(dc, g.bitmap, 0, 1, x, y, disabled, colours);
  }
}

void DrawGlyphCell(HDC dc, const T_AM2000_ItemContext& c, const Glyph& g) {
  const T_AM2000_MenuItemRect& r = *c.Rect;
  RECT cell{r.GlyphLeft, r.Top, r.GlyphLeft + r.GlyphWidth, r.Top + r.Height};
  const bool selected = c.ItemState & isSelected;
  const bool checked = c.ItemState & isChecked;
  const T_AM2000_Colors& colours = *c.Options->Colors();
  if (!c.Options->Flags.Contains(mfNoBitmapRect)) Fill(dc, cell, colours.Menu);
  RECT checkCell = cell;
  if (g.check) {
    // Check mark on one half, glyph on the other.
    const int half = (cell.right - cell.left) / 2;
    checkCell.right = cell.left + half;
    cell.left += half;
  }
  if (checked) {
    RECT sunken = g.check ? checkCell : cell;
    if (!selected) FillRect(dc, &sunken, DitherBrush());
    DrawEdge(dc, &sunken, BDR_SUNKENOUTER, BF_RECT);
  }
  if (selected && !(checked && !g.check)) DrawEdge(dc, &cell, BDR_RAISEDINNER, BF_RECT);
  if (g.check) DrawBitmapGlyph(dc, g.check, 0, 1, checkCell.left + 1, checkCell.top + 1, false, colours);
  DrawGlyphImage(dc, c, g, cell);
}

UINT CaptionFormat(const T_AM2000_Options& o) {
  UINT f = DT_NOCLIP | DT_SINGLELINE | DT_WORDBREAK | DT_VCENTER;
  if (o.Alignment == taCenter) f |= DT_CENTER;
  if (o.Alignment == taRightJustify || o.Alignment == taRightToLeft) f |= DT_RIGHT;
  return f;
}

// A caption with line breaks shares the row's height evenly among its lines.
void DrawCaption(HDC dc, const std::string& caption, RECT r, UINT format) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  while (true) {
    std::size_t end = caption.find_first_of("\r\n", start);
    lines.push_back(caption.substr(start, end == std::string::npos ? std::string::npos : end - start));
    if (end == std::string::npos) break;
    start = end + (caption.compare(end, 2, "\r\n") == 0 ? 2 : 1);
  }
  const int n = static_cast<int>(lines.size());
  const int h = (r.bottom - r.top) / n;
  for (int i = 0; i < n; ++i) {
    RECT line{r.left, r.top + i * h, r.right, i == n - 1 ? r.bottom : r.top + (i + 1) * h};
    DrawTextA(dc, lines[i].c_str(), static_cast<int>(lines[i].size()), &line, format);
  }
}

void DrawArrow(HDC dc, const T_AM2000_ItemContext& c, COLORREF colour) {
  const T_AM2000_MenuItemRect& r = *c.Rect;
  const int cy = (2 * r.Top + r.Height - 5) / 2;
  const bool rtl = c.Options->Alignment == taRightToLeft;
  const int tip = rtl ? r.Left + 5 : r.Right - 5;
  const int base = rtl ? r.Left + 8 : r.Right - 8;
  POINT pts[3] = {{base, cy}, {base, cy + 6}, {tip, cy + 3}};
  HBRUSH brush = CreateSolidBrush(colour);
  HPEN pen = CreatePen(PS_SOLID, 1, colour);
  HGDIOBJ oldBrush = SelectObject(dc, brush);
  HGDIOBJ oldPen = SelectObject(dc, pen);
  Polygon(dc, pts, 3);
  SelectObject(dc, oldBrush);
  SelectObject(dc, oldPen);
  DeleteObject(brush);
  DeleteObject(pen);
}

struct RowTexts {
  std::string caption;
  std::string shortcut;
};

RowTexts TextsOf(const T_AM2000_ItemContext& c) {
  RowTexts t;
  t.caption = c.Item ? c.Item->Caption() : std::string();
  if (c.Item && c.Item->ShortCut() != scNone) t.shortcut = ShortCutToText(c.Item->ShortCut());
  const std::size_t tab = t.caption.find('\t');
  if (tab != std::string::npos) {
    if (t.shortcut.empty()) t.shortcut = t.caption.substr(tab + 1);
    t.caption.resize(tab);
  }
  return t;
}

// Caption, shortcut and arrow in one colour, shifted by (dx, dy).
void DrawTexts(HDC dc, const T_AM2000_ItemContext& c, const RowTexts& t, COLORREF colour, int dx, int dy) {
  const T_AM2000_MenuItemRect& r = *c.Rect;
  const T_AM2000_Options& o = *c.Options;
  SetTextColor(dc, colour);
  RECT text{r.TextLeft + dx, r.Top + dy, r.TextLeft + r.TextWidth + dx, r.Top + r.Height + dy};
  DrawCaption(dc, t.caption, text, CaptionFormat(o));
  if (!t.shortcut.empty()) {
    const bool left = o.Alignment == taRightToLeft || o.Flags.Contains(mfStandardAlign);
    RECT sc{r.ShortcutLeft + dx, r.Top + dy, r.ShortcutLeft + r.ShortcutWidth + dx, r.Top + r.Height + dy};
    DrawTextA(dc, t.shortcut.c_str(), static_cast<int>(t.shortcut.size()), &sc,
              DT_NOCLIP | DT_SINGLELINE | DT_VCENTER | (left ? DT_LEFT : DT_RIGHT));
  }
  if (c.ItemState & isSubMenu) {
    T_AM2000_MenuItemRect moved = r;
    moved.Left += dx, moved.Right += dx, moved.Top += dy;
    T_AM2000_ItemContext shifted = c;
    shifted.Rect = &moved;
    DrawArrow(dc, shifted, colour);
  }
}

void DrawBackground(HDC dc, const T_AM2000_ItemContext& c, bool fullWidth, const Glyph& g) {
  const T_AM2000_MenuItemRect& r = *c.Rect;
  const T_AM2000_Colors& colours = *c.Options->Colors();
  const bool selected = c.ItemState & isSelected;
  const bool disabled = c.ItemState & isDisabled;
  RECT row{r.Left, r.Top, r.Right, r.Top + r.Height};
  if (!selected) {
    if (!(c.ItemState & isKeepBackground)) Fill(dc, row, colours.Menu);
    return;
  }
  const bool plain = disabled && c.Options->Flags.Contains(mfNoHighDisabled);
  // The glyph cell keeps the menu colour; the rest is highlighted.
  if (HasGlyph(g) && !fullWidth) {
    Fill(dc, row, colours.Menu);
    if (c.Options->Alignment == taRightToLeft)
      row.right = r.GlyphLeft - 1;
    else
      row.left = r.GlyphLeft + r.GlyphWidth + 1;
  }
  Fill(dc, row, plain ? colours.Menu : colours.Highlight);
}

}  // namespace

void DrawSeparator(const T_AM2000_ItemContext& c) {
  HDC dc = c.Canvas->Handle();
  const T_AM2000_MenuItemRect& r = *c.Rect;
  const T_AM2000_Colors& colours = *c.Options->Colors();
  if (!(c.ItemState & isKeepBackground)) Fill(dc, RECT{r.Left, r.Top, r.Right, r.Top + r.Height}, colours.Menu);
  const int m = (2 * r.Top + r.Height) / 2;
  const int inset = c.Options->Flags.Contains(mfNoShortDividers) ? 2 : 14;
  HLine(dc, r.Left + inset, r.Right - inset, m, colours.Line);
  HLine(dc, r.Left + inset, r.Right - inset, m + 1, colours.LineShadow);
}

void DrawItem(const T_AM2000_ItemContext& c) {
  if (c.Item && c.Item->IsLine()) return DrawSeparator(c);
  HDC dc = c.Canvas->Handle();
  const bool barItem = c.ItemState & isKeepBackground;
  const Glyph g = barItem ? Glyph{} : ChooseGlyph(c);
  DrawBackground(dc, c, barItem, g);
  if (HasGlyph(g)) DrawGlyphCell(dc, c, g);
  if (c.Item && c.Item->Default()) {
    c.Canvas->Font()->SetStyle(c.Canvas->Font()->Style() + TFontStyles{fsBold});
  }
  c.Canvas->TextWidth("");  // makes the canvas select its font for DrawText
  SetBkMode(dc, TRANSPARENT);
  const T_AM2000_Colors& colours = *c.Options->Colors();
  const bool selected = c.ItemState & isSelected;
  const RowTexts texts = TextsOf(c);
  if (c.ItemState & isDisabled) {
    if (!(selected && !c.Options->Flags.Contains(mfNoHighDisabled)))
      DrawTexts(dc, c, texts, Rgb(colours.DisabledShadow), 1, 1);
    DrawTexts(dc, c, texts, Rgb(colours.DisabledText), 0, 0);
  } else {
    DrawTexts(dc, c, texts, Rgb(selected ? colours.HighlightText : colours.MenuText), 0, 0);
  }
  if (c.Item && c.Item->Default()) c.Canvas->Font()->SetStyle(c.Canvas->Font()->Style() - TFontStyles{fsBold});
}

HBRUSH DitherBrush() {
  static HBRUSH brush = [] {
    HDC display = CreateDCA("DISPLAY", nullptr, nullptr, nullptr);
    const int bits = GetDeviceCaps(display, BITSPIXEL);
    DeleteDC(display);
    if (bits <= 8) return CreateSolidBrush(GetSysColor(COLOR_BTNHIGHLIGHT));
    // A colour pattern, so the checker does not depend on the text and
    // background colours of the context it is drawn on.
    HDC dc = CreateCompatibleDC(nullptr);
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = 8;
    info.bmiHeader.biHeight = 8;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 24;
    void* bits24 = nullptr;
    HBITMAP colour = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits24, nullptr, 0);
    HGDIOBJ old = SelectObject(dc, colour);
    for (int y = 0; y < 8; ++y)
      for (int x = 0; x < 8; ++x)
        SetPixel(dc, x, y, ((x + y) % 2) ? GetSysColor(COLOR_BTNFACE) : GetSysColor(COLOR_BTNHIGHLIGHT));
    SelectObject(dc, old);
    DeleteDC(dc);
    HBRUSH b = CreatePatternBrush(colour);
    DeleteObject(colour);
    return b;
  }();
  return brush;
}

void AssignMenuFont(TFont* font) {
  NONCLIENTMETRICSA ncm{};
  ncm.cbSize = sizeof ncm;
  if (SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, sizeof ncm, &ncm, 0)) {
    font->SetName(ncm.lfMenuFont.lfFaceName);
    font->SetHeight(ncm.lfMenuFont.lfHeight);
    TFontStyles style;
    if (ncm.lfMenuFont.lfWeight >= FW_BOLD) style.Include(fsBold);
    if (ncm.lfMenuFont.lfItalic) style.Include(fsItalic);
    font->SetStyle(style);
    return;
  }
  LOGFONTA lf{};
  GetObjectA(GetStockObject(SYSTEM_FONT), sizeof lf, &lf);
  font->SetName(lf.lfFaceName);
  font->SetHeight(lf.lfHeight);
}
