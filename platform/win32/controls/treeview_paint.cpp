// Drawing and hit testing of the tree view: dotted lines, plus/minus
// buttons and the selection, row by row from the first one shown.
#include "treeview.h"

#include <algorithm>

namespace controls {

bool Expanded(const Item* i) { return i->state & TVIS_EXPANDED; }
bool HasChildren(const Item* i) { return i->first || i->children > 0 || i->children == I_CHILDRENCALLBACK; }

Item* NextVisible(const Item* i) {
  if (i->first && Expanded(i)) return i->first;
  for (const Item* p = i; p && p->parent; p = p->parent)
    if (p->next) return p->next;
  return nullptr;
}

Item* PrevVisible(const Item* i) {
  if (i->prev) {
    Item* p = i->prev;
    while (p->last && Expanded(p)) p = p->last;
    return p;
  }
  return i->parent && i->parent->parent ? i->parent : nullptr;
}

int Depth(const Item* i) {
  int d = 0;
  for (const Item* p = i->parent; p && p->parent; p = p->parent) ++d;
  return d;
}

int PageRows(HWND h, const Tree& t) {
  RECT r;
  GetClientRect(h, &r);
  return std::max(0, static_cast<int>(r.bottom - r.top) / t.itemHeight);
}

std::string ItemText(HWND h, Item* i) {
  if (!i->textCallback) return std::string(TextOf(i));
  char buf[260] = {};
  NMTVDISPINFOA di{};
  di.item.mask = TVIF_TEXT;
  di.item.hItem = i;
  di.item.pszText = buf;
  di.item.cchTextMax = sizeof buf;
  di.item.lParam = i->param;
  NotifyParent(h, &di.hdr, TVN_GETDISPINFOA);
  return di.item.pszText && di.item.pszText != LPSTR_TEXTCALLBACKA ? std::string(di.item.pszText) : std::string();
}

namespace {

// Left edge of an item's level column (where its button and line sit).
int LevelX(HWND h, const Tree& t, int depth) {
  bool atRoot = GetWindowLongA(h, GWL_STYLE) & TVS_LINESATROOT;
  return (depth + (atRoot ? 0 : -1)) * t.indent - t.scrollX;
}

void DotsV(HDC dc, int x, int y0, int y1, COLORREF c) {
  for (int y = y0 + ((y0 + x) & 1); y < y1; y += 2) SetPixelV(dc, x, y, c);
}

void DotsH(HDC dc, int x0, int x1, int y, COLORREF c) {
  for (int x = x0 + ((x0 + y) & 1); x < x1; x += 2) SetPixelV(dc, x, y, c);
}

void Button(HDC dc, int cx, int cy, bool expanded) {
  RECT box{cx - 4, cy - 4, cx + 5, cy + 5};
  FrameRect(dc, &box, SysBrush(COLOR_BTNSHADOW));
  InflateRect(&box, -1, -1);
  FillRect(dc, &box, SysBrush(COLOR_WINDOW));
  RECT minus{cx - 2, cy, cx + 3, cy + 1};
  FillRect(dc, &minus, SysBrush(COLOR_WINDOWTEXT));
  if (!expanded) {
    RECT bar{cx, cy - 2, cx + 1, cy + 3};
    FillRect(dc, &bar, SysBrush(COLOR_WINDOWTEXT));
  }
}

void Lines(HWND h, HDC dc, const Tree& t, Item* i, int depth, int y, LONG st) {
  COLORREF c = GetSysColor(COLOR_BTNSHADOW);
  int mid = y + t.itemHeight / 2;
  bool rootLevel = depth == 0;
  bool drawOwn = !rootLevel || (st & TVS_LINESATROOT);
  if (st & TVS_HASLINES) {
    if (drawOwn) {
      int cx = LevelX(h, t, depth) + t.indent / 2;
      bool above = i->prev || !rootLevel;
      DotsV(dc, cx, above ? y : mid, i->next ? y + t.itemHeight : mid + 1, c);
      DotsH(dc, cx, cx + t.indent / 2 + 1, mid, c);
    }
    // Lines of the ancestors that still have siblings below.
    int d = depth - 1;
    for (Item* p = i->parent; p && p->parent; p = p->parent, --d) {
      if (!p->next || (d == 0 && !(st & TVS_LINESATROOT))) continue;
      DotsV(dc, LevelX(h, t, d) + t.indent / 2, y, y + t.itemHeight, c);
    }
  }
  if ((st & TVS_HASBUTTONS) && drawOwn && HasChildren(i))
    Button(dc, LevelX(h, t, depth) + t.indent / 2, mid, Expanded(i));
}

void Row(HWND h, HDC dc, Tree& t, Item* i, int y, LONG st) {
  int depth = Depth(i);
  Lines(h, dc, t, i, depth, y, st);
  int x = LevelX(h, t, depth) + t.indent;
  std::string text = ItemText(h, i);
  SIZE sz{};
  GetTextExtentPoint32A(dc, text.c_str(), static_cast<int>(text.size()), &sz);
  RECT label{x, y, x + sz.cx + 4, y + t.itemHeight};
  bool sel = i == t.selected;
  bool showSel = sel && (t.focused || (st & TVS_SHOWSELALWAYS));
  if (showSel) FillRect(dc, &label, SysBrush(t.focused ? COLOR_HIGHLIGHT : COLOR_BTNFACE));
  SetTextColor(dc, GetSysColor(showSel && t.focused ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
  TextOutA(dc, x + 2, y + (t.itemHeight - sz.cy) / 2, text.c_str(), static_cast<int>(text.size()));
  if (sel && t.focused) DrawFocusRect(dc, &label);
}

}  // namespace

void PaintTree(HWND h, Tree& t) {
  PAINTSTRUCT ps;
  HDC dc = BeginPaint(h, &ps);
  RECT r;
  GetClientRect(h, &r);
  FillRect(dc, &ps.rcPaint, SysBrush(COLOR_WINDOW));
  HGDIOBJ old = SelectObject(dc, UsedFont(t.font));
  SetBkMode(dc, TRANSPARENT);
  LONG st = GetWindowLongA(h, GWL_STYLE);
  int y = 0;
  for (Item* i = t.top; i && y < r.bottom; i = NextVisible(i), y += t.itemHeight)
    if (y + t.itemHeight > ps.rcPaint.top && y < ps.rcPaint.bottom) Row(h, dc, t, i, y, st);
  SelectObject(dc, old);
  EndPaint(h, &ps);
}

Item* HitTest(HWND h, Tree& t, POINT p, UINT* flags) {
  RECT r;
  GetClientRect(h, &r);
  *flags = 0;
  if (p.y < 0) return *flags = TVHT_ABOVE, nullptr;
  if (p.y >= r.bottom) return *flags = TVHT_BELOW, nullptr;
  if (p.x < 0) return *flags = TVHT_TOLEFT, nullptr;
  if (p.x >= r.right) return *flags = TVHT_TORIGHT, nullptr;
  Item* i = t.top;
  for (int row = p.y / t.itemHeight; i && row > 0; --row) i = NextVisible(i);
  if (!i) return *flags = TVHT_NOWHERE, nullptr;
  int depth = Depth(i);
  int level = LevelX(h, t, depth);
  int x = level + t.indent;
  if (p.x < level) *flags = TVHT_ONITEMINDENT;
  else if (p.x < x) *flags = (GetWindowLongA(h, GWL_STYLE) & TVS_HASBUTTONS) && HasChildren(i) ? TVHT_ONITEMBUTTON : TVHT_ONITEMINDENT;
  else {
    HDC dc = GetDC(h);
    HGDIOBJ old = SelectObject(dc, UsedFont(t.font));
    std::string text = ItemText(h, i);
    SIZE sz{};
    GetTextExtentPoint32A(dc, text.c_str(), static_cast<int>(text.size()), &sz);
    SelectObject(dc, old);
    ReleaseDC(h, dc);
    *flags = p.x < x + sz.cx + 4 ? TVHT_ONITEMLABEL : TVHT_ONITEMRIGHT;
  }
  return i;
}

}  // namespace controls
