#include "framework/tree_nodes.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "framework/exceptions.h"
#include "window_fixture.h"

namespace stdctrls_test {
namespace {

std::string ItemText(HWND tree, HTREEITEM item) {
  char buffer[256] = {};
  TVITEMA tv{};
  tv.mask = TVIF_HANDLE | TVIF_TEXT;
  tv.hItem = item;
  tv.pszText = buffer;
  tv.cchTextMax = sizeof(buffer);
  SendMessageA(tree, TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&tv));
  return buffer;
}

HTREEITEM Next(HWND tree, UINT how, HTREEITEM item) {
  return reinterpret_cast<HTREEITEM>(SendMessageA(tree, TVM_GETNEXTITEM, how, reinterpret_cast<LPARAM>(item)));
}

// Captions of the window's items, depth first, with their levels as dashes.
std::vector<std::string> WindowOutline(HWND tree, HTREEITEM first = nullptr, const std::string& indent = "") {
  std::vector<std::string> out;
  for (HTREEITEM i = first ? first : Next(tree, TVGN_ROOT, nullptr); i; i = Next(tree, TVGN_NEXT, i)) {
    out.push_back(indent + ItemText(tree, i));
    HTREEITEM child = Next(tree, TVGN_CHILD, i);
    if (child)
      for (auto& s : WindowOutline(tree, child, indent + "-")) out.push_back(s);
  }
  return out;
}

std::vector<std::string> StoreOutline(const TTreeNodes& nodes) {
  std::vector<std::string> out;
  for (TTreeNode* n = nodes.GetFirstNode(); n; n = n->GetNext()) out.push_back(std::string(n->Level(), '-') + n->Text());
  return out;
}

class TreeNodesTest : public WindowTest {};

TEST_F(TreeNodesTest, AddingPlacesNodesAndTheWindowShowsTheSameOutline) {
  HWND tree = Child(WC_TREEVIEWA);
  TTreeNodes nodes;
  nodes.AttachWindow(tree);
  TTreeNode* xvt = nodes.Add(nullptr, "XvT");
  TTreeNode* bop = nodes.Add(xvt, "BoP");
  TTreeNode* combat = nodes.AddChild(xvt, "Combat");
  nodes.AddChildFirst(xvt, "Training");
  nodes.Insert(combat, "Melees");
  nodes.AddFirst(bop, "First");
  nodes.AddChild(combat, "[Section]");
  std::vector<std::string> expected{"First", "XvT", "-Training", "-Melees", "-Combat", "--[Section]", "BoP"};
  EXPECT_EQ(StoreOutline(nodes), expected);
  EXPECT_EQ(WindowOutline(tree), expected);
  EXPECT_EQ(nodes.Count(), 7);
  EXPECT_EQ(SendMessageA(tree, TVM_GETCOUNT, 0, 0), 7);
  EXPECT_EQ(xvt->Count(), 3);
  EXPECT_TRUE(xvt->HasChildren());
  EXPECT_FALSE(bop->HasChildren());
  EXPECT_EQ(combat->Parent(), xvt);
  EXPECT_EQ(combat->Index(), 2);
  EXPECT_EQ(combat->AbsoluteIndex(), 4);
  EXPECT_EQ(nodes.GetNode(combat->ItemId()), combat);
}

TEST_F(TreeNodesTest, ItemByIndexWalksDepthFirstAndRejectsOutOfRange) {
  TTreeNodes nodes;
  TTreeNode* a = nodes.Add(nullptr, "a");
  nodes.AddChild(nodes.AddChild(a, "a1"), "a1x");
  nodes.Add(nullptr, "b");
  std::vector<std::string> seen;
  for (int i = 0; i < nodes.Count(); ++i) seen.push_back(nodes.Item(i)->Text());
  EXPECT_EQ(seen, (std::vector<std::string>{"a", "a1", "a1x", "b"}));
  // Backwards after a forward walk, and after a change in the middle.
  EXPECT_EQ(nodes.Item(1)->Text(), "a1");
  nodes.AddChildFirst(a, "a0");
  EXPECT_EQ(nodes.Item(1)->Text(), "a0");
  EXPECT_EQ(nodes.Item(4)->Text(), "b");
  for (int bad : {-1, 5}) {
    try {
      nodes.Item(bad);
      FAIL() << bad;
    } catch (const ETreeViewError& e) {
      EXPECT_EQ(e.Message(), "Invalid index");
    }
  }
  nodes.Clear();
  EXPECT_THROW(nodes.Item(0), ETreeViewError);
}

TEST_F(TreeNodesTest, ExpandWithAllBelowAndCollapseThroughTheWindow) {
  HWND tree = Child(WC_TREEVIEWA);
  TTreeNodes nodes;
  nodes.AttachWindow(tree);
  TTreeNode* game = nodes.Add(nullptr, "XvT");
  TTreeNode* list = nodes.AddChild(game, "Combat");
  TTreeNode* section = nodes.AddChild(list, "[S]");
  nodes.AddChild(section, "Mission - m.tie");
  TTreeNode* other = nodes.Add(nullptr, "BoP");
  nodes.AddChild(other, "BoP Combat");
  game->Expand(true);
  EXPECT_TRUE(game->Expanded());
  EXPECT_TRUE(list->Expanded());
  EXPECT_TRUE(section->Expanded());
  EXPECT_FALSE(other->Expanded());
  game->Collapse(false);
  EXPECT_FALSE(game->Expanded());
  EXPECT_TRUE(list->Expanded()) << "collapsing without recursion leaves the branch below";
  game->Collapse(true);
  EXPECT_FALSE(section->Expanded());
}

TEST_F(TreeNodesTest, NodesMadeBeforeTheWindowAreWrittenIntoItKeepingTheirState) {
  TTreeNodes nodes;
  TTreeNode* a = nodes.Add(nullptr, "a");
  nodes.AddChild(a, "a1");
  nodes.Add(nullptr, "b");
  a->Expand(false);
  HWND tree = Child(WC_TREEVIEWA);
  nodes.AttachWindow(tree);
  EXPECT_EQ(WindowOutline(tree), (std::vector<std::string>{"a", "-a1", "b"}));
  EXPECT_TRUE(a->Expanded());
  a->SetText("renamed");
  EXPECT_EQ(ItemText(tree, a->ItemId()), "renamed");
  // A recreated window shows the same again.
  nodes.DetachWindow();
  EXPECT_EQ(a->ItemId(), nullptr);
  DestroyWindow(tree);
  tree = Child(WC_TREEVIEWA);
  nodes.AttachWindow(tree);
  EXPECT_EQ(WindowOutline(tree), (std::vector<std::string>{"renamed", "-a1", "b"}));
  EXPECT_TRUE(a->Expanded());
}

TEST_F(TreeNodesTest, DeletingAndClearingRemoveWholeBranchesFromStoreAndWindow) {
  struct Seen : TTreeNodesObserver {
    std::vector<std::string> gone;
    void NodeDeleting(TTreeNode* node) override { gone.push_back(node->Text()); }
  } seen;
  HWND tree = Child(WC_TREEVIEWA);
  TTreeNodes nodes(&seen);
  nodes.AttachWindow(tree);
  TTreeNode* a = nodes.Add(nullptr, "a");
  nodes.AddChild(nodes.AddChild(a, "a1"), "a1x");
  TTreeNode* b = nodes.Add(nullptr, "b");
  nodes.AddChild(b, "b1");
  nodes.Item(3);  // remember a place behind the deleted branch
  a->Delete();
  EXPECT_EQ(seen.gone, (std::vector<std::string>{"a1x", "a1", "a"}));
  EXPECT_EQ(nodes.Count(), 2);
  EXPECT_EQ(nodes.Item(1)->Text(), "b1");
  EXPECT_EQ(WindowOutline(tree), (std::vector<std::string>{"b", "-b1"}));
  b->DeleteChildren();
  EXPECT_FALSE(b->HasChildren());
  EXPECT_EQ(b->Count(), 0);
  nodes.Clear();
  EXPECT_EQ(nodes.Count(), 0);
  EXPECT_EQ(nodes.GetFirstNode(), nullptr);
  EXPECT_EQ(SendMessageA(tree, TVM_GETCOUNT, 0, 0), 0);
}

TEST_F(TreeNodesTest, SelectionFollowsTheWindowCaret) {
  HWND tree = Child(WC_TREEVIEWA);
  TTreeNodes nodes;
  nodes.AttachWindow(tree);
  TTreeNode* a = nodes.Add(nullptr, "a");
  TTreeNode* b = nodes.Add(nullptr, "b");
  b->SetSelected(true);
  EXPECT_TRUE(b->Selected());
  EXPECT_FALSE(a->Selected());
  EXPECT_EQ(nodes.GetNode(Next(tree, TVGN_CARET, nullptr)), b);
}

TEST_F(TreeNodesTest, ASequentialWalkOfManyNodesByIndexStaysLinear) {
  // 100,000 nodes under a few parents, then read back by index: quadratic
  // lookups would take minutes here, linear ones milliseconds.
  TTreeNodes nodes;
  TTreeNode* parent = nullptr;
  for (int i = 0; i < 100000; ++i) {
    if (i % 1000 == 0) parent = nodes.Add(nullptr, "p");
    else nodes.AddChild(parent, "c");
  }
  ASSERT_EQ(nodes.Count(), 100000);
  int parents = 0;
  for (int i = 0; i < nodes.Count(); ++i) parents += nodes.Item(i)->Level() == 0;
  EXPECT_EQ(parents, 100);
}

}  // namespace
}  // namespace stdctrls_test
