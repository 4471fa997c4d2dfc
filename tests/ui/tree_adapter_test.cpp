// The commands over the real tree view's node store on the headless backend.
#include "ui/tree_adapter.h"

#include <gtest/gtest.h>

#include "backend/headless.h"
#include "framework/exceptions.h"
#include "ui_fixtures.h"
#include "win32/windows.h"

namespace ui {
namespace {

class TreeAdapterTest : public ::testing::Test {
 protected:
  void SetUp() override {
    headless::Start();
    InitCommonControls();
    window = CreateWindowExA(0, WC_TREEVIEWA, "", WS_POPUP | WS_VISIBLE, 0, 0, 433, 403, nullptr, nullptr, nullptr,
                             nullptr);
    ASSERT_NE(window, nullptr);
    store.AttachWindow(window);
  }
  void TearDown() override {
    store.DetachWindow();
    DestroyWindow(window);
  }
  HWND window = nullptr;
  TTreeNodes store;
  TreeNodesTree tree{store};
};

TEST_F(TreeAdapterTest, BuildFillsTheWindowAndExpandTreeOpensBothGames) {
  test::MainWindowRig rig;
  MainCommands commands({rig.details, tree, rig.status, rig.menu, rig.controls, rig.prompts, rig.dialog, rig.confirm,
                         rig.contents},
                        rig.files, rig.clock);
  registry::MemoryRegistry reg;
  reg.SetString(catalogue::kXvTKey, catalogue::kInstallPathValue, catalogue::test::kXvT);
  reg.SetString(catalogue::kBoPKey, catalogue::kInstallPathValue, catalogue::test::kBoP);
  commands.ReadInstallPaths(reg);
  commands.RefreshClick();
  // 2 games, 8 lists, a section and a mission each.
  EXPECT_EQ(store.Count(), 2 + 8 * 3);
  EXPECT_EQ(SendMessageA(window, TVM_GETCOUNT, 0, 0), 26);
  EXPECT_EQ(store.GetFirstNode()->Text(), "XvT");
  EXPECT_EQ(store.GetFirstNode()->GetNextSibling()->Text(), "BoP");

  commands.ExpandAll1Click();
  for (TTreeNode* n = store.GetFirstNode(); n; n = n->GetNext())
    if (n->HasChildren()) {
      EXPECT_TRUE(n->Expanded()) << n->Text();
    }
  commands.ExpandAll1Click();
  EXPECT_FALSE(store.GetFirstNode()->Expanded());
  EXPECT_FALSE(store.GetFirstNode()->GetNextSibling()->Expanded());
}

TEST_F(TreeAdapterTest, StatusPanelsTakeTheBuildsTexts) {
  HWND bar = CreateWindowExA(0, STATUSCLASSNAMEA, "", WS_POPUP | WS_VISIBLE, 0, 422, 734, 19, nullptr, nullptr,
                             nullptr, nullptr);
  TStatusPanels panels;
  panels.AttachWindow(bar);
  panels.Add()->SetWidth(300);
  panels.Add()->SetWidth(275);
  StatusPanelsSink sink(panels);
  test::MainWindowRig rig;
  MainCommands commands({rig.details, rig.tree, sink, rig.menu, rig.controls, rig.prompts, rig.dialog, rig.confirm,
                         rig.contents},
                        rig.files, rig.clock);
  commands.RefreshClick();
  char text[64] = {};
  SendMessageA(bar, SB_GETTEXTA, 0, reinterpret_cast<LPARAM>(text));
  EXPECT_STREQ(text, "Done.");
  EXPECT_EQ(panels.Items(1)->Text(), "0 Missions, in 0 seconds.");  // this rig's commands read no registry
  panels.DetachWindow();
  DestroyWindow(bar);
}

TEST_F(TreeAdapterTest, EmptyTreeGivesTheTreeViewsInvalidIndex) {
  try {
    tree.FirstNode();
    FAIL() << "expected an error";
  } catch (const ETreeViewError& e) {
    EXPECT_STREQ(e.what(), "Invalid index");
  }
}

}  // namespace
}  // namespace ui
