// TTreeView over the "SysTreeView32" window class: its nodes (Items) are
// kept by a TTreeNodes store and written into the window while it exists;
// the window's notifications come back as the view's events.
#pragma once

#include <functional>
#include <memory>

#include "framework/tree_nodes.h"
#include "framework/wincontrol.h"

using TTVChangedEvent = std::function<void(TObject* sender, TTreeNode* node)>;
using TTVChangingEvent = std::function<void(TObject* sender, TTreeNode* node, bool& allowChange)>;
using TTVExpandedEvent = std::function<void(TObject* sender, TTreeNode* node)>;
using TTVExpandingEvent = std::function<void(TObject* sender, TTreeNode* node, bool& allowExpansion)>;
using TTVCollapsingEvent = std::function<void(TObject* sender, TTreeNode* node, bool& allowCollapse)>;

class TCustomTreeView : public TWinControl, private TTreeNodesObserver {
 public:
  // 121 x 97, window colour, a tab stop with a sunken border, buttons,
  // lines and root lines shown, indent 19.
  explicit TCustomTreeView(TComponent* owner);
  ~TCustomTreeView() override;

  TTreeNodes* Items() { return items_.get(); }
  // The node with the caret, or nullptr.
  TTreeNode* Selected();
  void SetSelected(TTreeNode* node);
  void FullExpand();
  void FullCollapse();
  // The node at a client point, or nullptr.
  TTreeNode* GetNodeAt(int x, int y);

  bool ShowButtons() const { return showButtons_; }
  void SetShowButtons(bool on) { SetStyleFlag(showButtons_, on); }
  bool ShowLines() const { return showLines_; }
  void SetShowLines(bool on) { SetStyleFlag(showLines_, on); }
  bool ShowRoot() const { return showRoot_; }
  void SetShowRoot(bool on) { SetStyleFlag(showRoot_, on); }
  // Read-only trees do not let captions be edited in place.
  bool ReadOnly() const { return readOnly_; }
  void SetReadOnly(bool on) { SetStyleFlag(readOnly_, on); }
  bool HideSelection() const { return hideSelection_; }
  void SetHideSelection(bool on) { SetStyleFlag(hideSelection_, on); }
  int Indent();
  void SetIndent(int indent);
  TBorderStyle BorderStyle() const { return borderStyle_; }
  void SetBorderStyle(TBorderStyle style);

  TTVChangedEvent OnChange;
  TTVChangingEvent OnChanging;
  TTVExpandedEvent OnExpanded;
  TTVExpandingEvent OnExpanding;
  TTVExpandedEvent OnCollapsed;
  TTVCollapsingEvent OnCollapsing;
  TTVExpandedEvent OnDeletion;

  void WndProc(TMessage& message) override;

 protected:
  void CreateParams(TCreateParams& params) override;
  void CreateWnd() override;
  void DestroyWnd() override;
  virtual bool CanChange(TTreeNode* node);
  virtual void Change(TTreeNode* node);
  virtual bool CanExpand(TTreeNode* node);
  virtual void Expand(TTreeNode* node);
  virtual bool CanCollapse(TTreeNode* node);
  virtual void Collapse(TTreeNode* node);

 private:
  void NodeDeleting(TTreeNode* node) override;
  void SetStyleFlag(bool& flag, bool on);
  LRESULT Notify(const NMHDR& header);

  std::unique_ptr<TTreeNodes> items_;
  bool showButtons_ = true;
  bool showLines_ = true;
  bool showRoot_ = true;
  bool readOnly_ = false;
  bool hideSelection_ = true;
  int indent_ = 19;
  TBorderStyle borderStyle_ = bsSingle;
};

class TTreeView : public TCustomTreeView {
 public:
  using TCustomTreeView::TCustomTreeView;
};
