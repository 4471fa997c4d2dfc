// The node store of the tree view and its mirror in the window.
#include "framework/tree_nodes.h"

#include <utility>

#include "framework/exceptions.h"
#include "wrapper_support.h"

using stdctrls_detail::Send;

namespace {

[[noreturn]] void InvalidIndex() { throw ETreeViewError("Invalid index"); }

}  // namespace

// ------------------------------------------------------------------ TTreeNode

void TTreeNode::SetText(const std::string& text) {
  text_ = text;
  if (!item_) return;
  TVITEMA item{};
  item.mask = TVIF_HANDLE | TVIF_TEXT;
  item.hItem = item_;
  item.pszText = const_cast<LPSTR>(text_.c_str());
  Send(owner_->window_, TVM_SETITEMA, 0, reinterpret_cast<LPARAM>(&item));
}

void TTreeNode::SetImageIndex(int index) {
  imageIndex_ = index;
  if (!item_) return;
  TVITEMA item{};
  item.mask = TVIF_HANDLE | TVIF_IMAGE;
  item.hItem = item_;
  item.iImage = index;
  Send(owner_->window_, TVM_SETITEMA, 0, reinterpret_cast<LPARAM>(&item));
}

void TTreeNode::SetSelectedIndex(int index) {
  selectedIndex_ = index;
  if (!item_) return;
  TVITEMA item{};
  item.mask = TVIF_HANDLE | TVIF_SELECTEDIMAGE;
  item.hItem = item_;
  item.iSelectedImage = index;
  Send(owner_->window_, TVM_SETITEMA, 0, reinterpret_cast<LPARAM>(&item));
}

int TTreeNode::Level() const {
  int level = 0;
  for (TTreeNode* p = parent_; p; p = p->parent_) ++level;
  return level;
}

TTreeNode* TTreeNode::Item(int index) const {
  if (index < 0 || index >= childCount_) InvalidIndex();
  TTreeNode* n = first_;
  while (index-- > 0) n = n->next_;
  return n;
}

int TTreeNode::Index() const {
  int index = 0;
  for (TTreeNode* p = prev_; p; p = p->prev_) ++index;
  return index;
}

int TTreeNode::AbsoluteIndex() const {
  int index = 0;
  for (const TTreeNode* n = GetPrev(); n; n = n->GetPrev()) ++index;
  return index;
}

TTreeNode* TTreeNode::GetNext() const {
  if (first_) return first_;
  for (const TTreeNode* n = this; n; n = n->parent_)
    if (n->next_) return n->next_;
  return nullptr;
}

TTreeNode* TTreeNode::GetPrev() const {
  if (!prev_) return parent_;
  TTreeNode* n = prev_;
  while (n->last_) n = n->last_;
  return n;
}

bool TTreeNode::Expanded() const {
  HWND window = owner_->window_;
  if (!item_ || !window) return expanded_;
  TVITEMA item{};
  item.mask = TVIF_HANDLE | TVIF_STATE;
  item.hItem = item_;
  item.stateMask = TVIS_EXPANDED;
  SendMessageA(window, TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item));
  return (item.state & TVIS_EXPANDED) != 0;
}

void TTreeNode::SetExpanded(bool expanded) {
  if (expanded) Expand(false);
  else Collapse(false);
}

void TTreeNode::ExpandTo(bool expanded, bool recurse) {
  // The window refuses to open a leaf; the flag still says what was asked
  // so a node that gets children later opens when written anew.
  expanded_ = expanded;
  if (item_) Send(owner_->window_, TVM_EXPAND, expanded ? TVE_EXPAND : TVE_COLLAPSE, reinterpret_cast<LPARAM>(item_));
  if (recurse)
    for (TTreeNode* c = first_; c; c = c->next_) c->ExpandTo(expanded, true);
}

void TTreeNode::Expand(bool recurse) { ExpandTo(true, recurse); }
void TTreeNode::Collapse(bool recurse) { ExpandTo(false, recurse); }

bool TTreeNode::Selected() const {
  HWND window = owner_->window_;
  if (!item_ || !window) return false;
  return reinterpret_cast<HTREEITEM>(SendMessageA(window, TVM_GETNEXTITEM, TVGN_CARET, 0)) == item_;
}

void TTreeNode::SetSelected(bool selected) {
  if (!item_) return;
  if (selected) Send(owner_->window_, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(item_));
  else if (Selected()) Send(owner_->window_, TVM_SELECTITEM, TVGN_CARET, 0);
}

void TTreeNode::MakeVisible() {
  for (TTreeNode* p = parent_; p; p = p->parent_) p->Expand(false);
  if (item_) Send(owner_->window_, TVM_ENSUREVISIBLE, 0, reinterpret_cast<LPARAM>(item_));
}

void TTreeNode::Delete() { owner_->Delete(this); }

void TTreeNode::DeleteChildren() {
  while (last_) owner_->Delete(last_);
}

// ------------------------------------------------------------------ TTreeNodes

TTreeNodes::~TTreeNodes() {
  // The window (if any) is the view's; it is gone or going, so only the
  // nodes are freed here.
  window_ = nullptr;
  observer_ = nullptr;
  Clear();
}

TTreeNode* TTreeNodes::Item(int index) const {
  if (index < 0 || index >= count_) InvalidIndex();
  // Walk from whichever known point is nearest: the start or where the
  // last lookup ended (so a walk by index costs one step per node).
  TTreeNode* n = first_;
  int at = 0;
  if (cacheNode_ && index >= cacheIndex_ / 2) {
    n = cacheNode_;
    at = cacheIndex_;
  }
  while (at < index) n = n->GetNext(), ++at;
  while (at > index) n = n->GetPrev(), --at;
  cacheNode_ = n;
  cacheIndex_ = index;
  return n;
}

TTreeNode* TTreeNodes::Add(TTreeNode* sibling, const std::string& text) { return AddObject(sibling, text, nullptr); }
TTreeNode* TTreeNodes::AddObject(TTreeNode* sibling, const std::string& text, void* data) {
  return Link(sibling ? sibling->parent_ : nullptr, nullptr, kLastChild, text, data);
}
TTreeNode* TTreeNodes::AddFirst(TTreeNode* sibling, const std::string& text) {
  return AddObjectFirst(sibling, text, nullptr);
}
TTreeNode* TTreeNodes::AddObjectFirst(TTreeNode* sibling, const std::string& text, void* data) {
  return Link(sibling ? sibling->parent_ : nullptr, nullptr, kFirstChild, text, data);
}
TTreeNode* TTreeNodes::AddChild(TTreeNode* parent, const std::string& text) {
  return AddChildObject(parent, text, nullptr);
}
TTreeNode* TTreeNodes::AddChildObject(TTreeNode* parent, const std::string& text, void* data) {
  return Link(parent, nullptr, kLastChild, text, data);
}
TTreeNode* TTreeNodes::AddChildFirst(TTreeNode* parent, const std::string& text) {
  return AddChildObjectFirst(parent, text, nullptr);
}
TTreeNode* TTreeNodes::AddChildObjectFirst(TTreeNode* parent, const std::string& text, void* data) {
  return Link(parent, nullptr, kFirstChild, text, data);
}
TTreeNode* TTreeNodes::Insert(TTreeNode* sibling, const std::string& text) {
  return InsertObject(sibling, text, nullptr);
}
TTreeNode* TTreeNodes::InsertObject(TTreeNode* sibling, const std::string& text, void* data) {
  if (!sibling) return Link(nullptr, nullptr, kLastChild, text, data);
  return Link(sibling->parent_, sibling, kBefore, text, data);
}

TTreeNode* TTreeNodes::Link(TTreeNode* parent, TTreeNode* anchor, Place place, const std::string& text, void* data) {
  if (parent && parent->owner_ != this) throw ETreeViewError("Invalid index");
  TTreeNode* node = new TTreeNode(this);
  node->text_ = text;
  node->data_ = data;
  node->parent_ = parent;
  TTreeNode*& first = parent ? parent->first_ : first_;
  TTreeNode*& last = parent ? parent->last_ : last_;
  TTreeNode* next = place == kLastChild ? nullptr : place == kFirstChild ? first : anchor;
  TTreeNode* prev = next ? next->prev_ : last;
  node->prev_ = prev;
  node->next_ = next;
  (prev ? prev->next_ : first) = node;
  (next ? next->prev_ : last) = node;
  if (parent) ++parent->childCount_;
  ++count_;
  // A node that lands at the very end of the depth-first order moves no
  // other node, so the remembered lookup stays right.
  bool atEnd = true;
  for (TTreeNode* n = node; n && atEnd; n = n->parent_) atEnd = n->next_ == nullptr;
  if (!atEnd) Changed();
  if (window_ && (!parent || parent->item_)) InsertItem(node);
  return node;
}

void TTreeNodes::InsertItem(TTreeNode* node) {
  TVINSERTSTRUCTA is{};
  is.hParent = node->parent_ ? node->parent_->item_ : TVI_ROOT;
  is.hInsertAfter = node->prev_ ? node->prev_->item_ : TVI_FIRST;
  if (!node->next_) is.hInsertAfter = TVI_LAST;
  is.item.mask = TVIF_TEXT | TVIF_PARAM | TVIF_IMAGE | TVIF_SELECTEDIMAGE;
  is.item.pszText = const_cast<LPSTR>(node->text_.c_str());
  is.item.lParam = reinterpret_cast<LPARAM>(node);
  is.item.iImage = node->imageIndex_;
  is.item.iSelectedImage = node->selectedIndex_;
  node->item_ = reinterpret_cast<HTREEITEM>(SendMessageA(window_, TVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&is)));
}

void TTreeNodes::InsertBranch(TTreeNode* node) {
  InsertItem(node);
  for (TTreeNode* c = node->first_; c; c = c->next_) InsertBranch(c);
  if (node->expanded_) SendMessageA(window_, TVM_EXPAND, TVE_EXPAND, reinterpret_cast<LPARAM>(node->item_));
}

void TTreeNodes::Unlink(TTreeNode* node) {
  TTreeNode*& first = node->parent_ ? node->parent_->first_ : first_;
  TTreeNode*& last = node->parent_ ? node->parent_->last_ : last_;
  (node->prev_ ? node->prev_->next_ : first) = node->next_;
  (node->next_ ? node->next_->prev_ : last) = node->prev_;
  if (node->parent_) --node->parent_->childCount_;
}

void TTreeNodes::DestroyBranch(TTreeNode* node) {
  for (TTreeNode* c = node->first_; c;) {
    TTreeNode* n = c->next_;
    DestroyBranch(c);
    c = n;
  }
  if (observer_) observer_->NodeDeleting(node);
  --count_;
  delete node;
}

void TTreeNodes::Delete(TTreeNode* node) {
  if (!node || node->owner_ != this) return;
  Changed();
  // The window drops the item's whole branch at once.
  if (node->item_ && window_) SendMessageA(window_, TVM_DELETEITEM, 0, reinterpret_cast<LPARAM>(node->item_));
  Unlink(node);
  DestroyBranch(node);
}

void TTreeNodes::Clear() {
  Changed();
  if (window_) SendMessageA(window_, TVM_DELETEITEM, 0, reinterpret_cast<LPARAM>(TVI_ROOT));
  for (TTreeNode* n = first_; n;) {
    TTreeNode* next = n->next_;
    DestroyBranch(n);
    n = next;
  }
  first_ = last_ = nullptr;
  count_ = 0;
}

void TTreeNodes::Redraw(bool on) {
  if (window_) SendMessageA(window_, WM_SETREDRAW, on ? TRUE : FALSE, 0);
  if (window_ && on) InvalidateRect(window_, nullptr, TRUE);
}

void TTreeNodes::BeginUpdate() {
  if (updateCount_++ == 0) Redraw(false);
}

void TTreeNodes::EndUpdate() {
  if (updateCount_ > 0 && --updateCount_ == 0) Redraw(true);
}

TTreeNode* TTreeNodes::GetNode(HTREEITEM item) const {
  if (!item || !window_) return nullptr;
  TVITEMA tv{};
  tv.mask = TVIF_HANDLE | TVIF_PARAM;
  tv.hItem = item;
  if (!SendMessageA(window_, TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&tv))) return nullptr;
  return reinterpret_cast<TTreeNode*>(tv.lParam);
}

void TTreeNodes::AttachWindow(HWND window) {
  window_ = window;
  if (!window_) return;
  for (TTreeNode* n = first_; n; n = n->next_) InsertBranch(n);
}

void TTreeNodes::ForgetItems(TTreeNode* node) {
  for (; node; node = node->next_) {
    // Keep what the window showed, so a recreated window looks the same.
    if (node->item_ && window_) node->expanded_ = node->Expanded();
    ForgetItems(node->first_);
    node->item_ = nullptr;
  }
}

void TTreeNodes::DetachWindow() {
  ForgetItems(first_);
  window_ = nullptr;
}
