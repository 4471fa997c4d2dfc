// The "SysTreeView32" class: items, expansion, selection, notifications,
// keyboard, mouse and scrolling.
#include "scroll.h"
#include "treeview.h"

#include <algorithm>
#include <cstring>
#include <mutex>
#include <new>
#include <type_traits>

namespace controls {
namespace {

bool IsVisible(const Item* i) {
  for (const Item* p = i->parent; p && p->parent; p = p->parent)
    if (!Expanded(p)) return false;
  return true;
}

// Rows shown for the item's subtree below it.
int VisibleBelow(const Item* i) {
  if (!Expanded(i)) return 0;
  int n = 0;
  for (const Item* c = i->first; c; c = c->next) n += 1 + VisibleBelow(c);
  return n;
}

void UpdateScroll(HWND h, Tree& t) {
  if (GetWindowLongA(h, GWL_STYLE) & TVS_NOSCROLL) return;
  int page = PageRows(h, t);
  bool need = t.visibleCount > page;
  LONG st = GetWindowLongA(h, GWL_STYLE);
  if (need != static_cast<bool>(st & WS_VSCROLL)) ShowScrollBar(h, SB_VERT, need);
  SCROLLINFO si{sizeof si, SIF_ALL, 0, std::max(0, t.visibleCount - 1), static_cast<UINT>(page), t.topIndex, 0};
  SetScrollInfo(h, SB_VERT, &si, TRUE);
}

// Re-finds the top row from its index (after expansion changes above it).
void Retop(HWND h, Tree& t, int index) {
  int maxTop = std::max(0, t.visibleCount - PageRows(h, t));
  index = std::clamp(index, 0, maxTop);
  Item* i = t.root.first;
  for (int k = 0; i && k < index; ++k) i = NextVisible(i);
  t.top = i;
  t.topIndex = i ? index : 0;
}

void ScrollTo(HWND h, Tree& t, int index) {
  int maxTop = std::max(0, t.visibleCount - PageRows(h, t));
  index = std::clamp(index, 0, maxTop);
  if (!t.top) return Retop(h, t, index);
  // Step from the current top: cost follows the distance scrolled.
  while (t.topIndex < index && NextVisible(t.top)) t.top = NextVisible(t.top), ++t.topIndex;
  while (t.topIndex > index && PrevVisible(t.top)) t.top = PrevVisible(t.top), --t.topIndex;
  UpdateScroll(h, t);
  Redraw(h);
}

int RowOf(const Tree& t, const Item* target) {
  int row = 0;
  for (Item* i = t.root.first; i; i = NextVisible(i), ++row)
    if (i == target) return row;
  return -1;
}

void EnsureVisible(HWND h, Tree& t, Item* i) {
  bool changed = false;
  for (Item* p = i->parent; p && p->parent; p = p->parent)
    if (!Expanded(p)) {
      p->state |= TVIS_EXPANDED | TVIS_EXPANDEDONCE;
      changed = true;
    }
  if (changed) {
    t.visibleCount = VisibleBelow(&t.root);
    Retop(h, t, t.topIndex);
  }
  // Near the top row, walk from it; elsewhere count from the start.
  int row = -1, k = 0, page = PageRows(h, t);
  for (Item* c = t.top; c && k <= page; c = NextVisible(c), ++k)
    if (c == i) row = t.topIndex + k;
  if (row < 0) row = RowOf(t, i);
  if (row < t.topIndex) ScrollTo(h, t, row);
  else if (row >= t.topIndex + std::max(1, page)) ScrollTo(h, t, row - std::max(1, page) + 1);
  Redraw(h);
}

void FillItem(HWND h, Item* i, TVITEMA& out, UINT mask) {
  out.hItem = i;
  if (mask & TVIF_TEXT && out.pszText && out.cchTextMax > 0) {
    std::string s = ItemText(h, i);
    std::size_t n = std::min(s.size(), static_cast<std::size_t>(out.cchTextMax - 1));
    std::memcpy(out.pszText, s.data(), n);
    out.pszText[n] = '\0';
  }
  if (mask & TVIF_PARAM) out.lParam = i->param;
  if (mask & TVIF_STATE) out.state = i->state & (out.stateMask ? out.stateMask : 0xFFFFu);
  if (mask & TVIF_IMAGE) out.iImage = i->image;
  if (mask & TVIF_SELECTEDIMAGE) out.iSelectedImage = i->selectedImage;
  if (mask & TVIF_CHILDREN) out.cChildren = i->first ? 1 : i->children;
}

void ApplyItem(ItemPool& pool, Item* i, const TVITEMA& in) {
  if (in.mask & TVIF_TEXT) {
    i->textCallback = in.pszText == LPSTR_TEXTCALLBACKA;
    pool.SetText(i, i->textCallback || !in.pszText ? std::string_view() : std::string_view(in.pszText));
  }
  if (in.mask & TVIF_PARAM) i->param = in.lParam;
  if (in.mask & TVIF_STATE) i->state = (i->state & ~in.stateMask) | (in.state & in.stateMask & ~TVIS_SELECTED);
  if (in.mask & TVIF_IMAGE) i->image = in.iImage;
  if (in.mask & TVIF_SELECTEDIMAGE) i->selectedImage = in.iSelectedImage;
  if (in.mask & TVIF_CHILDREN) i->children = in.cChildren;
}

}  // namespace

namespace {

struct BlockCache {
  std::mutex lock;
  std::vector<ItemPool::Block> items, texts;
};
BlockCache& Cache() {
  static BlockCache c;
  return c;
}
constexpr std::size_t kCachedBlocks = 128;  // per kind: about 12 MB of items, 8 MB of text

ItemPool::Block Take(std::vector<ItemPool::Block>& from, std::size_t size) {
  {
    std::lock_guard<std::mutex> g(Cache().lock);
    if (!from.empty()) {
      ItemPool::Block b = std::move(from.back());
      from.pop_back();
      return b;
    }
  }
  return std::make_unique_for_overwrite<std::byte[]>(size);
}

void Give(std::vector<ItemPool::Block>& to, std::vector<ItemPool::Block>& blocks) {
  std::lock_guard<std::mutex> g(Cache().lock);
  for (auto& b : blocks)
    if (to.size() < kCachedBlocks) to.push_back(std::move(b));
  blocks.clear();
}

}  // namespace

Item* ItemPool::New() {
  if (itemsUsed_ == kItemsPerBlock) {
    items_.push_back(Take(Cache().items, kItemsPerBlock * sizeof(Item)));
    itemsUsed_ = 0;
  }
  return new (items_.back().get() + sizeof(Item) * itemsUsed_++) Item{};
}

void ItemPool::SetText(Item* i, std::string_view s) {
  if (s.size() > i->textCap) {
    std::byte* at = nullptr;
    if (s.size() > kTextBlock / 16) {
      longTexts_.push_back(std::make_unique_for_overwrite<std::byte[]>(s.size()));
      at = longTexts_.back().get();
    } else {
      if (textUsed_ + s.size() > kTextBlock) {
        texts_.push_back(Take(Cache().texts, kTextBlock));
        textUsed_ = 0;
      }
      at = texts_.back().get() + textUsed_;
      textUsed_ += s.size();
    }
    i->text = reinterpret_cast<const char*>(at);
    i->textCap = static_cast<unsigned>(s.size());
  }
  if (!s.empty()) std::memcpy(const_cast<char*>(i->text), s.data(), s.size());
  i->textLen = static_cast<unsigned>(s.size());
}

void ItemPool::Clear() {
  // Items hold nothing that needs destroying, so the blocks go back as they are.
  static_assert(std::is_trivially_destructible_v<Item>);
  Give(Cache().items, items_);
  Give(Cache().texts, texts_);
  longTexts_.clear();
  itemsUsed_ = kItemsPerBlock;
  textUsed_ = kTextBlock;
}

namespace {

Item* NewItem(Tree& t) {
  if (!t.spare.empty()) {
    Item* i = t.spare.back();
    t.spare.pop_back();
    *i = Item{};
    return i;
  }
  return t.pool.New();
}

Item* Parent(Tree& t, HTREEITEM h) { return !h || h == TVI_ROOT ? &t.root : h; }

LRESULT Insert(HWND h, Tree& t, const TVINSERTSTRUCTA* is) {
  if (!is) return 0;
  Item* parent = Parent(t, is->hParent);
  Item* i = NewItem(t);
  ApplyItem(t.pool, i, is->item);
  i->parent = parent;
  HTREEITEM after = is->hInsertAfter;
  Item* prev = after == TVI_FIRST ? nullptr : parent->last;  // TVI_LAST, TVI_SORT and others append
  if (after == TVI_SORT) {
    prev = nullptr;
    for (Item* c = parent->first; c && TextOf(c) <= TextOf(i); c = c->next) prev = c;
  } else if (after && after != TVI_FIRST && after != TVI_LAST && after != TVI_ROOT && after->parent == parent) {
    prev = after;
  }
  i->prev = prev;
  i->next = prev ? prev->next : parent->first;
  (i->next ? i->next->prev : parent->last) = i;
  (prev ? prev->next : parent->first) = i;
  ++t.count;
  bool shown = parent == &t.root || (Expanded(parent) && IsVisible(parent));
  if (shown) {
    ++t.visibleCount;
    if (!t.top) t.top = t.root.first, t.topIndex = 0;
    else if (t.topIndex == 0 && i->next == t.top) t.top = i;  // new first row
  }
  // The bar is brought up to date when painting, so long runs of inserts stay cheap.
  t.scrollDirty = true;
  if (shown || parent->first == parent->last) Redraw(h);
  return reinterpret_cast<LRESULT>(i);
}

bool Select(HWND h, Tree& t, Item* i, UINT action) {
  if (i == t.selected) {
    if (i) EnsureVisible(h, t, i);
    return true;
  }
  NMTREEVIEWA nm{};
  nm.action = action;
  if (t.selected) FillItem(h, t.selected, nm.itemOld, TVIF_PARAM | TVIF_STATE);
  if (i) FillItem(h, i, nm.itemNew, TVIF_PARAM | TVIF_STATE);
  nm.itemOld.mask = nm.itemNew.mask = TVIF_HANDLE | TVIF_PARAM | TVIF_STATE;
  if (NotifyParent(h, &nm.hdr, TVN_SELCHANGINGA)) return false;
  if (t.selected) t.selected->state &= ~TVIS_SELECTED;
  t.selected = i;
  if (i) i->state |= TVIS_SELECTED;
  if (i) EnsureVisible(h, t, i);
  Redraw(h);
  NotifyParent(h, &nm.hdr, TVN_SELCHANGEDA);
  return true;
}

bool Expand(HWND h, Tree& t, Item* i, UINT code) {
  if (!i || i == &t.root) return false;
  bool open = Expanded(i);
  UINT op = code & 3;
  bool want = op == TVE_TOGGLE ? !open : op == TVE_EXPAND;
  if (want == open || (want && !HasChildren(i))) return false;
  NMTREEVIEWA nm{};
  nm.action = want ? TVE_EXPAND : TVE_COLLAPSE;
  FillItem(h, i, nm.itemNew, TVIF_PARAM | TVIF_STATE);
  nm.itemNew.mask = TVIF_HANDLE | TVIF_PARAM | TVIF_STATE;
  if (NotifyParent(h, &nm.hdr, TVN_ITEMEXPANDINGA)) return false;
  bool shown = IsVisible(i);
  if (!want) {
    // The selection or the top row must not stay inside the closed branch.
    for (Item* p = t.selected ? t.selected->parent : nullptr; p; p = p->parent)
      if (p == i) {
        Select(h, t, i, TVC_UNKNOWN);
        break;
      }
  }
  int below = VisibleBelow(i);
  if (want) i->state |= TVIS_EXPANDED | TVIS_EXPANDEDONCE;
  else i->state &= ~TVIS_EXPANDED;
  if (shown) {
    t.visibleCount += want ? VisibleBelow(i) : -below;
    Retop(h, t, t.topIndex);
  }
  t.scrollDirty = true;
  Redraw(h);
  nm.itemNew.state = i->state;
  NotifyParent(h, &nm.hdr, TVN_ITEMEXPANDEDA);
  return true;
}

void Unlink(Item* i) {
  (i->prev ? i->prev->next : i->parent->first) = i->next;
  (i->next ? i->next->prev : i->parent->last) = i->prev;
}

void Release(HWND h, Tree& t, Item* i) {
  for (Item* c = i->first; c;) {
    Item* n = c->next;
    Release(h, t, c);
    c = n;
  }
  NMTREEVIEWA nm{};
  nm.itemOld.mask = TVIF_HANDLE | TVIF_PARAM;
  nm.itemOld.hItem = i;
  nm.itemOld.lParam = i->param;
  NotifyParent(h, &nm.hdr, TVN_DELETEITEMA);
  i->live = false;
  t.spare.push_back(i);
  --t.count;
}

LRESULT Delete(HWND h, Tree& t, HTREEITEM which) {
  if (!which || which == TVI_ROOT) {
    for (Item* c = t.root.first; c;) {
      Item* n = c->next;
      Release(h, t, c);
      c = n;
    }
    t.root.first = t.root.last = nullptr;
    t.pool.Clear();
    t.spare.clear();
    t.count = t.visibleCount = t.topIndex = 0;
    t.top = t.selected = nullptr;
  } else {
    Item* i = which;
    if (!i->live) return FALSE;
    bool inBranch = false;
    for (Item* p = t.selected; p; p = p->parent) inBranch |= p == i;
    if (inBranch) {
      Item* next = i->next ? i->next : i->prev ? i->prev : (i->parent != &t.root ? i->parent : nullptr);
      Select(h, t, next, TVC_UNKNOWN);
      if (t.selected == i) t.selected = nullptr;
    }
    Unlink(i);
    Release(h, t, i);
    t.visibleCount = VisibleBelow(&t.root);
    Retop(h, t, t.topIndex);
  }
  t.scrollDirty = true;
  Redraw(h);
  return TRUE;
}

LRESULT NextItem(HWND h, Tree& t, UINT code, Item* i) {
  Item* r = nullptr;
  switch (code) {
    case TVGN_ROOT: r = t.root.first; break;
    case TVGN_CARET: r = t.selected; break;
    case TVGN_FIRSTVISIBLE: r = t.top; break;
    case TVGN_LASTVISIBLE:
      for (Item* c = t.root.last; c; c = Expanded(c) ? c->last : nullptr) r = c;
      break;
    case TVGN_CHILD: r = (i ? i : &t.root)->first; break;
    case TVGN_NEXT: r = i ? i->next : nullptr; break;
    case TVGN_PREVIOUS: r = i ? i->prev : nullptr; break;
    case TVGN_PARENT: r = i && i->parent != &t.root ? i->parent : nullptr; break;
    case TVGN_NEXTVISIBLE: r = i && IsVisible(i) ? NextVisible(i) : nullptr; break;
    case TVGN_PREVIOUSVISIBLE: r = i && IsVisible(i) ? PrevVisible(i) : nullptr; break;
  }
  (void)h;
  return reinterpret_cast<LRESULT>(r);
}

LRESULT ItemRect(HWND h, Tree& t, WPARAM textOnly, LPARAM lp) {
  RECT* r = reinterpret_cast<RECT*>(lp);
  if (!r) return FALSE;
  Item* i = nullptr;
  std::memcpy(&i, r, sizeof i);
  if (!i || !IsVisible(i)) return FALSE;
  int row = -1, k = 0;
  for (Item* c = t.top; c && k <= PageRows(h, t); c = NextVisible(c), ++k)
    if (c == i) row = k;
  if (row < 0) row = RowOf(t, i) - t.topIndex;
  RECT client;
  GetClientRect(h, &client);
  *r = RECT{0, row * t.itemHeight, client.right, (row + 1) * t.itemHeight};
  if (textOnly) {
    bool atRoot = GetWindowLongA(h, GWL_STYLE) & TVS_LINESATROOT;
    r->left = (Depth(i) + (atRoot ? 1 : 0)) * t.indent - t.scrollX;
    HDC dc = GetDC(h);
    HGDIOBJ old = SelectObject(dc, UsedFont(t.font));
    std::string s = ItemText(h, i);
    SIZE sz{};
    GetTextExtentPoint32A(dc, s.c_str(), static_cast<int>(s.size()), &sz);
    SelectObject(dc, old);
    ReleaseDC(h, dc);
    r->right = r->left + sz.cx + 4;
  }
  return TRUE;
}

void ExpandAll(HWND h, Tree& t, Item* i) {
  Expand(h, t, i, TVE_EXPAND);
  for (Item* c = i->first; c; c = c->next) ExpandAll(h, t, c);
}

Item* Step(Item* i, int rows) {
  Item* r = i;
  for (; rows > 0; --rows)
    if (Item* n = NextVisible(r)) r = n;
  for (; rows < 0; ++rows)
    if (Item* p = PrevVisible(r)) r = p;
  return r;
}

LRESULT KeyDown(HWND h, Tree& t, WPARAM vk) {
  NMTVKEYDOWN kd{};
  kd.wVKey = static_cast<WORD>(vk);
  NotifyParent(h, &kd.hdr, TVN_KEYDOWN);
  Item* s = t.selected;
  if (!s && t.root.first && vk != VK_RETURN) return Select(h, t, t.root.first, TVC_BYKEYBOARD), 0;
  if (!s) return 0;
  int page = std::max(1, PageRows(h, t) - 1);
  switch (vk) {
    case VK_UP: Select(h, t, Step(s, -1), TVC_BYKEYBOARD); break;
    case VK_DOWN: Select(h, t, Step(s, 1), TVC_BYKEYBOARD); break;
    case VK_PRIOR: Select(h, t, Step(s, -page), TVC_BYKEYBOARD); break;
    case VK_NEXT: Select(h, t, Step(s, page), TVC_BYKEYBOARD); break;
    case VK_HOME: Select(h, t, t.root.first, TVC_BYKEYBOARD); break;
    case VK_END: Select(h, t, reinterpret_cast<Item*>(NextItem(h, t, TVGN_LASTVISIBLE, nullptr)), TVC_BYKEYBOARD); break;
    case VK_LEFT:
      if (!Expand(h, t, s, TVE_COLLAPSE) && s->parent != &t.root) Select(h, t, s->parent, TVC_BYKEYBOARD);
      break;
    case VK_RIGHT:
      if (!Expanded(s)) Expand(h, t, s, TVE_EXPAND);
      else if (s->first) Select(h, t, s->first, TVC_BYKEYBOARD);
      break;
    case VK_ADD: Expand(h, t, s, TVE_EXPAND); break;
    case VK_SUBTRACT: Expand(h, t, s, TVE_COLLAPSE); break;
    case VK_MULTIPLY: ExpandAll(h, t, s); break;
    case VK_RETURN: {
      NMHDR hdr{};
      NotifyParent(h, &hdr, NM_RETURN);
      break;
    }
  }
  return 0;
}

LRESULT Mouse(HWND h, Tree& t, UINT msg, LPARAM lp) {
  POINT p{GET_X_LPARAM(lp), GET_Y_LPARAM(lp)};
  UINT flags = 0;
  Item* i = HitTest(h, t, p, &flags);
  NMHDR hdr{};
  if (msg == WM_LBUTTONDOWN || msg == WM_RBUTTONDOWN) SetFocus(h);
  if (msg == WM_LBUTTONDOWN) {
    if (i && (flags & TVHT_ONITEMBUTTON)) Expand(h, t, i, TVE_TOGGLE);
    else if (i && (flags & (TVHT_ONITEM | TVHT_ONITEMRIGHT | TVHT_ONITEMINDENT))) Select(h, t, i, TVC_BYMOUSE);
    NotifyParent(h, &hdr, NM_CLICK);
  } else if (msg == WM_LBUTTONDBLCLK) {
    if (NotifyParent(h, &hdr, NM_DBLCLK) == 0 && i && (flags & TVHT_ONITEM)) Expand(h, t, i, TVE_TOGGLE);
  } else if (msg == WM_RBUTTONDOWN) {
    NotifyParent(h, &hdr, NM_RCLICK);
  }
  return 0;
}

LRESULT VScroll(HWND h, Tree& t, WPARAM wp) {
  int page = std::max(1, PageRows(h, t));
  switch (LOWORD(wp)) {
    case SB_LINEUP: ScrollTo(h, t, t.topIndex - 1); break;
    case SB_LINEDOWN: ScrollTo(h, t, t.topIndex + 1); break;
    case SB_PAGEUP: ScrollTo(h, t, t.topIndex - page); break;
    case SB_PAGEDOWN: ScrollTo(h, t, t.topIndex + page); break;
    case SB_TOP: ScrollTo(h, t, 0); break;
    case SB_BOTTOM: ScrollTo(h, t, t.visibleCount); break;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION: ScrollTo(h, t, HIWORD(wp)); break;
  }
  return 0;
}

LRESULT TreeMessage(HWND h, Tree& t, UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case TVM_INSERTITEMA: return Insert(h, t, reinterpret_cast<const TVINSERTSTRUCTA*>(lp));
    case TVM_DELETEITEM: return Delete(h, t, reinterpret_cast<HTREEITEM>(lp));
    case TVM_EXPAND: return Expand(h, t, reinterpret_cast<Item*>(lp), static_cast<UINT>(wp));
    case TVM_GETITEMRECT: return ItemRect(h, t, wp, lp);
    case TVM_GETCOUNT: return t.count;
    case TVM_GETINDENT: return t.indent;
    case TVM_SETINDENT: t.indent = std::max(static_cast<int>(wp), 5); Redraw(h); return 0;
    case TVM_GETIMAGELIST: return reinterpret_cast<LRESULT>(t.images);
    case TVM_SETIMAGELIST: {
      HANDLE old = t.images;
      t.images = reinterpret_cast<HANDLE>(lp);
      return reinterpret_cast<LRESULT>(old);
    }
    case TVM_GETNEXTITEM: return NextItem(h, t, static_cast<UINT>(wp), reinterpret_cast<Item*>(lp));
    case TVM_SELECTITEM:
      if (wp == TVGN_CARET) return Select(h, t, reinterpret_cast<Item*>(lp), TVC_UNKNOWN);
      if (wp == TVGN_FIRSTVISIBLE && lp) {
        EnsureVisible(h, t, reinterpret_cast<Item*>(lp));
        ScrollTo(h, t, RowOf(t, reinterpret_cast<Item*>(lp)));
        return TRUE;
      }
      return FALSE;
    case TVM_GETITEMA: {
      auto* it = reinterpret_cast<TVITEMA*>(lp);
      if (!it || !it->hItem) return FALSE;
      FillItem(h, it->hItem, *it, it->mask);
      return TRUE;
    }
    case TVM_SETITEMA: {
      auto* it = reinterpret_cast<const TVITEMA*>(lp);
      if (!it || !it->hItem) return FALSE;
      ApplyItem(t.pool, it->hItem, *it);
      Redraw(h);
      return TRUE;
    }
    case TVM_GETVISIBLECOUNT: return PageRows(h, t);
    case TVM_HITTEST: {
      auto* ht = reinterpret_cast<TVHITTESTINFO*>(lp);
      if (!ht) return 0;
      ht->hItem = HitTest(h, t, ht->pt, &ht->flags);
      return reinterpret_cast<LRESULT>(ht->hItem);
    }
    case TVM_ENSUREVISIBLE: if (lp) EnsureVisible(h, t, reinterpret_cast<Item*>(lp)); return TRUE;
    case TVM_SETITEMHEIGHT: {
      int old = t.itemHeight;
      if (static_cast<int>(wp) > 0) t.itemHeight = static_cast<int>(wp);
      Redraw(h);
      return old;
    }
    case TVM_GETITEMHEIGHT: return t.itemHeight;
  }
  return 0;
}

void SetFont(HWND h, Tree& t, HFONT f) {
  t.font = f;
  HDC dc = GetDC(h);
  HGDIOBJ old = SelectObject(dc, UsedFont(f));
  t.itemHeight = FontHeight(dc) + 3;
  SelectObject(dc, old);
  ReleaseDC(h, dc);
}

void Focus(HWND h, Tree& t, bool on) {
  t.focused = on;
  Redraw(h);
  NMHDR hdr{};
  NotifyParent(h, &hdr, on ? NM_SETFOCUS : NM_KILLFOCUS);
}

LRESULT CALLBACK TreeProc(HWND h, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_NCCREATE) States<Tree>().Create(h);
  Tree* t = States<Tree>().Get(h);
  if (!t) return DefWindowProcA(h, msg, wp, lp);
  if (msg >= TV_FIRST && msg <= TVM_GETITEMHEIGHT) return TreeMessage(h, *t, msg, wp, lp);
  switch (msg) {
    case WM_CREATE: SetFont(h, *t, nullptr); return 0;
    case WM_NCDESTROY:
      States<Tree>().Erase(h);
      ForgetBars(h);
      return DefWindowProcA(h, msg, wp, lp);
    case WM_PAINT:
      if (t->scrollDirty) t->scrollDirty = false, UpdateScroll(h, *t);
      PaintTree(h, *t);
      return 0;
    case WM_NCPAINT: DefWindowProcA(h, msg, wp, lp); PaintWindowBars(h); return 0;
    case WM_NCLBUTTONDOWN: return WindowBarClick(h, wp, lp) ? 0 : DefWindowProcA(h, msg, wp, lp);
    case WM_ERASEBKGND: return 1;
    case WM_SIZE: Retop(h, *t, t->topIndex); t->scrollDirty = true; Redraw(h); return 0;
    case WM_SETFONT: SetFont(h, *t, reinterpret_cast<HFONT>(wp)); if (lp) Redraw(h); return 0;
    case WM_GETFONT: return reinterpret_cast<LRESULT>(t->font);
    case WM_SETFOCUS: Focus(h, *t, true); return 0;
    case WM_KILLFOCUS: Focus(h, *t, false); return 0;
    case WM_KEYDOWN: return KeyDown(h, *t, wp);
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDOWN: return Mouse(h, *t, msg, lp);
    case WM_VSCROLL: return VScroll(h, *t, wp);
    case WM_MOUSEWHEEL: ScrollTo(h, *t, t->topIndex - 3 * static_cast<short>(HIWORD(wp)) / WHEEL_DELTA); return 0;
    case WM_GETDLGCODE: return DLGC_WANTARROWS | DLGC_WANTCHARS;
  }
  return DefWindowProcA(h, msg, wp, lp);
}

}  // namespace

void RegisterTreeView() { RegisterOnce(WC_TREEVIEWA, TreeProc, CS_DBLCLKS, COLOR_WINDOW); }

}  // namespace controls
