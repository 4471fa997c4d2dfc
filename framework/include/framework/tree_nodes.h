// TTreeNodes and TTreeNode: the nodes of a tree view, kept by the framework
// and mirrored into the "SysTreeView32" window while one exists, so that a
// tree can be filled before its window is made and survives the window
// being recreated. Nodes are linked like the window's items (parent, first
// and last child, siblings), so adding at the end is constant time, and the
// store remembers where the last index lookup ended so a walk by index is
// linear overall.
#pragma once

#include <string>

#include <win32/windows.h>

#include "framework/object.h"

class TTreeNodes;

class TTreeNode : public TPersistent {
 public:
  TTreeNodes* Owner() const { return owner_; }

  const std::string& Text() const { return text_; }
  void SetText(const std::string& text);
  void* Data() const { return data_; }
  void SetData(void* data) { data_ = data; }
  int ImageIndex() const { return imageIndex_; }
  void SetImageIndex(int index);
  int SelectedIndex() const { return selectedIndex_; }
  void SetSelectedIndex(int index);

  TTreeNode* Parent() const { return parent_; }
  // 0 for a top-level node.
  int Level() const;
  bool HasChildren() const { return first_ != nullptr; }
  // Direct children.
  int Count() const { return childCount_; }
  // The direct child at `index`; ETreeViewError "Invalid index" outside.
  TTreeNode* Item(int index) const;
  // The position among the siblings, and in the whole tree (depth first).
  int Index() const;
  int AbsoluteIndex() const;

  TTreeNode* GetFirstChild() const { return first_; }
  TTreeNode* GetLastChild() const { return last_; }
  TTreeNode* GetNextSibling() const { return next_; }
  TTreeNode* GetPrevSibling() const { return prev_; }
  // Depth first: the first child, else the next sibling of this node or of
  // the nearest ancestor that has one.
  TTreeNode* GetNext() const;
  TTreeNode* GetPrev() const;
  bool IsFirstNode() const { return parent_ == nullptr && prev_ == nullptr; }

  bool Expanded() const;
  void SetExpanded(bool expanded);
  // With `recurse`, every node below as well.
  void Expand(bool recurse);
  void Collapse(bool recurse);
  bool Selected() const;
  void SetSelected(bool selected);
  bool Focused() const { return Selected(); }
  // Makes the node visible: expands its ancestors and scrolls it into view.
  void MakeVisible();

  // Removes the node (or only its children) with everything below.
  void Delete();
  void DeleteChildren();

  // The window's item, or nullptr while the view has no window.
  HTREEITEM ItemId() const { return item_; }

 private:
  friend class TTreeNodes;
  explicit TTreeNode(TTreeNodes* owner) : owner_(owner) {}
  void ExpandTo(bool expanded, bool recurse);

  TTreeNodes* owner_;
  TTreeNode* parent_ = nullptr;
  TTreeNode* first_ = nullptr;
  TTreeNode* last_ = nullptr;
  TTreeNode* next_ = nullptr;
  TTreeNode* prev_ = nullptr;
  int childCount_ = 0;
  std::string text_;
  void* data_ = nullptr;
  int imageIndex_ = 0;
  int selectedIndex_ = 0;
  bool expanded_ = false;
  HTREEITEM item_ = nullptr;
};

// What the store tells the view it belongs to.
class TTreeNodesObserver {
 public:
  virtual ~TTreeNodesObserver() = default;
  // A node is about to go (the view drops references to it).
  virtual void NodeDeleting(TTreeNode* node) = 0;
};

class TTreeNodes : public TPersistent {
 public:
  explicit TTreeNodes(TTreeNodesObserver* observer = nullptr) : observer_(observer) {}
  ~TTreeNodes() override;
  TTreeNodes(const TTreeNodes&) = delete;
  TTreeNodes& operator=(const TTreeNodes&) = delete;

  // All nodes, at every level.
  int Count() const { return count_; }
  // The node at `index` in depth-first order; ETreeViewError "Invalid
  // index" outside 0..Count()-1.
  TTreeNode* Item(int index) const;
  TTreeNode* operator[](int index) const { return Item(index); }
  TTreeNode* GetFirstNode() const { return first_; }

  // Adds after the last sibling of `sibling` (top level when nullptr).
  TTreeNode* Add(TTreeNode* sibling, const std::string& text);
  TTreeNode* AddObject(TTreeNode* sibling, const std::string& text, void* data);
  // Adds before the first sibling of `sibling`.
  TTreeNode* AddFirst(TTreeNode* sibling, const std::string& text);
  TTreeNode* AddObjectFirst(TTreeNode* sibling, const std::string& text, void* data);
  // Adds as the last (first) child of `parent` (top level when nullptr).
  TTreeNode* AddChild(TTreeNode* parent, const std::string& text);
  TTreeNode* AddChildObject(TTreeNode* parent, const std::string& text, void* data);
  TTreeNode* AddChildFirst(TTreeNode* parent, const std::string& text);
  TTreeNode* AddChildObjectFirst(TTreeNode* parent, const std::string& text, void* data);
  // Inserts just before `sibling` (at the end of the top level when nullptr).
  TTreeNode* Insert(TTreeNode* sibling, const std::string& text);
  TTreeNode* InsertObject(TTreeNode* sibling, const std::string& text, void* data);

  void Delete(TTreeNode* node);
  void Clear();

  // While updating, the window is not redrawn.
  void BeginUpdate();
  void EndUpdate();
  int UpdateCount() const { return updateCount_; }

  // The node of a window item, or nullptr.
  TTreeNode* GetNode(HTREEITEM item) const;

  // The view hands its window over when made and takes it back before it
  // is destroyed; the nodes are then written into it (or forgotten by it).
  void AttachWindow(HWND window);
  void DetachWindow();
  HWND Window() const { return window_; }

 private:
  friend class TTreeNode;
  enum Place { kLastChild, kFirstChild, kBefore };
  TTreeNode* Link(TTreeNode* parent, TTreeNode* anchor, Place place, const std::string& text, void* data);
  void Unlink(TTreeNode* node);
  void DestroyBranch(TTreeNode* node);
  void InsertItem(TTreeNode* node);
  void InsertBranch(TTreeNode* node);
  void ForgetItems(TTreeNode* node);
  void Redraw(bool on);
  void Changed() { cacheNode_ = nullptr; }

  TTreeNodesObserver* observer_;
  TTreeNode* first_ = nullptr;
  TTreeNode* last_ = nullptr;
  int count_ = 0;
  int updateCount_ = 0;
  HWND window_ = nullptr;
  bool clearing_ = false;
  mutable TTreeNode* cacheNode_ = nullptr;
  mutable int cacheIndex_ = 0;
};
