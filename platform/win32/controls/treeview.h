// The "SysTreeView32" class: items linked parent/child/sibling so that
// appending is constant time, and a visible-row cursor so that painting and
// scrolling touch only the rows on screen.
#pragma once

#include "control_base.h"

#include <memory>
#include <string>
#include <string_view>
#include <vector>

struct _TREEITEM {
  _TREEITEM* parent = nullptr;
  _TREEITEM* first = nullptr;
  _TREEITEM* last = nullptr;
  _TREEITEM* next = nullptr;
  _TREEITEM* prev = nullptr;
  const char* text = "";  // in the tree's text store, not NUL-terminated
  unsigned textLen = 0, textCap = 0;
  bool textCallback = false;
  LPARAM param = 0;
  UINT state = 0;
  int image = 0, selectedImage = 0;
  int children = 0;  // cChildren as set; I_CHILDRENCALLBACK asks the parent
  bool live = true;
};

namespace controls {

using Item = _TREEITEM;

// Items and their texts come from large blocks, so that filling a tree with
// many thousands of items costs a few allocations rather than two per item.
// The blocks of a cleared or destroyed tree are kept (up to a limit) for the
// next fill, which then costs no fresh pages.
class ItemPool {
 public:
  ItemPool() = default;
  ItemPool(const ItemPool&) = delete;
  ItemPool& operator=(const ItemPool&) = delete;
  ~ItemPool() { Clear(); }
  Item* New();
  // Stores a text for the item, in place when its old space is big enough.
  void SetText(Item* i, std::string_view s);
  void Clear();

  static constexpr std::size_t kItemsPerBlock = 1024, kTextBlock = 64 * 1024;
  using Block = std::unique_ptr<std::byte[]>;

 private:
  std::vector<Block> items_;  // raw storage for kItemsPerBlock items each
  std::size_t itemsUsed_ = kItemsPerBlock;
  std::vector<Block> texts_;  // kTextBlock bytes each
  std::size_t textUsed_ = kTextBlock;
  std::vector<Block> longTexts_;
};

inline std::string_view TextOf(const Item* i) { return std::string_view(i->text, i->textLen); }

struct Tree {
  Item root;  // its children are the top-level items
  ItemPool pool;
  std::vector<Item*> spare;  // deleted items for reuse
  int count = 0;
  int visibleCount = 0;  // rows reachable through expanded items
  Item* selected = nullptr;
  Item* top = nullptr;  // first row shown
  int topIndex = 0;
  int indent = 19;
  int itemHeight = 16;
  int scrollX = 0;
  bool focused = false;
  bool tracking = false;
  bool scrollDirty = false;
  HFONT font = nullptr;
  HANDLE images = nullptr;
};

bool Expanded(const Item* i);
bool HasChildren(const Item* i);
Item* NextVisible(const Item* i);
Item* PrevVisible(const Item* i);
int Depth(const Item* i);
// Rows of the window (TVM_GETVISIBLECOUNT).
int PageRows(HWND h, const Tree& t);
void PaintTree(HWND h, Tree& t);
// Hit test in client coordinates; fills flags with TVHT_*.
Item* HitTest(HWND h, Tree& t, POINT p, UINT* flags);
std::string ItemText(HWND h, Item* i);

}  // namespace controls
