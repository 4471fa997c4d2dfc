// The main window's stores as the commands see them: MissionTree's node
// store as the commands' tree (a node reference is the TTreeNode itself,
// and an empty tree's first node is the tree view's own "Invalid index"
// error), and StatusBar's panels as the build's status sink.
#pragma once
#include "framework/status_panels.h"
#include "framework/tree_nodes.h"
#include "ui/main_commands.h"

namespace ui {

class TreeNodesTree : public MissionTreeControl {
 public:
  explicit TreeNodesTree(TTreeNodes& nodes) : nodes_(nodes) {}
  void Clear() override { nodes_.Clear(); }
  std::size_t Count() const override { return static_cast<std::size_t>(nodes_.Count()); }
  void Visit(const Visitor& visitor) const override;
  catalogue::NodeRef AddTopLevel(std::string caption) override;
  catalogue::NodeRef AddChild(catalogue::NodeRef parent, std::string caption) override;
  catalogue::NodeRef FirstNode() const override;
  void Expand(catalogue::NodeRef node, bool recurse) override { Node(node)->Expand(recurse); }
  void Collapse(catalogue::NodeRef node, bool recurse) override { Node(node)->Collapse(recurse); }

  static TTreeNode* Node(catalogue::NodeRef ref) { return reinterpret_cast<TTreeNode*>(ref); }
  static catalogue::NodeRef Ref(TTreeNode* node) { return reinterpret_cast<catalogue::NodeRef>(node); }

 private:
  TTreeNodes& nodes_;
};

class StatusPanelsSink : public catalogue::StatusSink {
 public:
  explicit StatusPanelsSink(TStatusPanels& panels) : panels_(panels) {}
  void SetPanelText(int panel, std::string_view text) override { panels_.Items(panel)->SetText(std::string(text)); }

 private:
  TStatusPanels& panels_;
};

}  // namespace ui
