// The "SysTreeView32" class: items linked parent/child/sibling so that
// appending is constant time, and a visible-row cursor so that painting and
// scrolling touch only the rows on screen.
#pragma once

#include "control_base.h"

#include <deque>
#include <string>
#include <vector>

struct _TREEITEM {
  _TREEITEM* parent = nullptr;
  _TREEITEM* first = nullptr;
  _TREEITEM* last = nullptr;
  _TREEITEM* next = nullptr;
  _TREEITEM* prev = nullptr;
  std::string text;
  bool textCallback = false;
  LPARAM param = 0;
  UINT state = 0;
  int image = 0, selectedImage = 0;
  int children = 0;  // cChildren as set; I_CHILDRENCALLBACK asks the parent
  bool live = true;
};

namespace xvt_controls {

using Item = _TREEITEM;

struct Tree {
  Item root;  // its children are the top-level items
  std::deque<Item> pool;
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

}  // namespace xvt_controls
