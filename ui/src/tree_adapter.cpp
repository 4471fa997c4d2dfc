#include "ui/tree_adapter.h"

#include "framework/exceptions.h"

namespace ui {

void TreeNodesTree::Visit(const Visitor& visitor) const {
  for (TTreeNode* n = nodes_.GetFirstNode(); n; n = n->GetNext())
    if (!visitor(Ref(n), n->Text(), n->Level())) return;
}

catalogue::NodeRef TreeNodesTree::AddTopLevel(std::string caption) {
  // Added after the last top-level node, as Add with no sibling does.
  return Ref(nodes_.Add(nullptr, caption));
}

catalogue::NodeRef TreeNodesTree::AddChild(catalogue::NodeRef parent, std::string caption) {
  return Ref(nodes_.AddChild(Node(parent), caption));
}

catalogue::NodeRef TreeNodesTree::FirstNode() const {
  // Items[0] of the tree view: an empty tree has no index 0.
  return Ref(nodes_.Item(0));
}

}  // namespace ui
