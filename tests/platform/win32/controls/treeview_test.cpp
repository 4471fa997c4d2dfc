#include "controls_test_support.h"

#include <algorithm>
#include <cstring>

namespace controls_test {
namespace {

class TreeTest : public ControlTest {
 protected:
  HWND tree = nullptr;
  void MakeTree(DWORD style = TVS_HASBUTTONS | TVS_HASLINES | TVS_LINESATROOT) {
    tree = Make(WC_TREEVIEWA, "", style, {10, 10, 210, 170}, 9);
  }
  HTREEITEM Add(HTREEITEM parent, const char* text, LPARAM param = 0) {
    TVINSERTSTRUCTA is{};
    is.hParent = parent;
    is.hInsertAfter = TVI_LAST;
    is.item.mask = TVIF_TEXT | TVIF_PARAM;
    is.item.pszText = const_cast<LPSTR>(text);
    is.item.lParam = param;
    return reinterpret_cast<HTREEITEM>(SendMessageA(tree, TVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&is)));
  }
  HTREEITEM Next(UINT code, HTREEITEM from = nullptr) {
    return reinterpret_cast<HTREEITEM>(SendMessageA(tree, TVM_GETNEXTITEM, code, reinterpret_cast<LPARAM>(from)));
  }
  std::string TextOf(HTREEITEM i) {
    char buf[64] = {};
    TVITEMA it{};
    it.mask = TVIF_TEXT;
    it.hItem = i;
    it.pszText = buf;
    it.cchTextMax = sizeof buf;
    SendMessageA(tree, TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&it));
    return buf;
  }
  RECT RowRect(HTREEITEM i, bool textOnly = true) {
    RECT r{};
    std::memcpy(&r, &i, sizeof i);  // the item goes in where the rectangle comes back
    SendMessageA(tree, TVM_GETITEMRECT, textOnly, reinterpret_cast<LPARAM>(&r));
    return r;
  }
};

TEST_F(TreeTest, StructureNavigationAndCount) {
  MakeTree();
  HTREEITEM a = Add(TVI_ROOT, "A"), b = Add(TVI_ROOT, "B");
  HTREEITEM a1 = Add(a, "A1"), a2 = Add(a, "A2");
  EXPECT_EQ(SendMessageA(tree, TVM_GETCOUNT, 0, 0), 4);
  EXPECT_EQ(Next(TVGN_ROOT), a);
  EXPECT_EQ(Next(TVGN_NEXT, a), b);
  EXPECT_EQ(Next(TVGN_CHILD, a), a1);
  EXPECT_EQ(Next(TVGN_NEXT, a1), a2);
  EXPECT_EQ(Next(TVGN_PARENT, a2), a);
  EXPECT_EQ(Next(TVGN_PARENT, a), nullptr);
  EXPECT_EQ(Next(TVGN_FIRSTVISIBLE), a);
  EXPECT_EQ(Next(TVGN_NEXTVISIBLE, a), b);  // collapsed: children are skipped
  SendMessageA(tree, TVM_EXPAND, TVE_EXPAND, reinterpret_cast<LPARAM>(a));
  EXPECT_EQ(Next(TVGN_NEXTVISIBLE, a), a1);
  EXPECT_EQ(Next(TVGN_NEXTVISIBLE, a2), b);
  EXPECT_EQ(TextOf(a2), "A2");
  SendMessageA(tree, TVM_DELETEITEM, 0, reinterpret_cast<LPARAM>(a));
  EXPECT_EQ(SendMessageA(tree, TVM_GETCOUNT, 0, 0), 1);
  EXPECT_EQ(Next(TVGN_ROOT), b);
  SendMessageA(tree, TVM_DELETEITEM, 0, reinterpret_cast<LPARAM>(TVI_ROOT));
  EXPECT_EQ(SendMessageA(tree, TVM_GETCOUNT, 0, 0), 0);
  EXPECT_EQ(Next(TVGN_ROOT), nullptr);
}

TEST_F(TreeTest, SelectionNotifiesAndMarksTheItem) {
  MakeTree();
  HTREEITEM a = Add(TVI_ROOT, "A"), b = Add(TVI_ROOT, "B");
  Codes();
  SendMessageA(tree, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(b));
  EXPECT_EQ(Next(TVGN_CARET), b);
  auto codes = Codes();
  EXPECT_EQ(codes, (std::vector<int>{static_cast<int>(TVN_SELCHANGINGA), static_cast<int>(TVN_SELCHANGEDA)}));
  TVITEMA it{};
  it.mask = TVIF_STATE;
  it.hItem = b;
  it.stateMask = TVIS_SELECTED;
  SendMessageA(tree, TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&it));
  EXPECT_EQ(it.state, static_cast<UINT>(TVIS_SELECTED));
  (void)a;
}

TEST_F(TreeTest, KeyboardMovesExpandsAndCollapses) {
  MakeTree();
  HTREEITEM a = Add(TVI_ROOT, "A");
  HTREEITEM a1 = Add(a, "A1");
  HTREEITEM b = Add(TVI_ROOT, "B");
  SetFocus(tree);
  SendMessageA(tree, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(a));
  Key(VK_DOWN);
  EXPECT_EQ(Next(TVGN_CARET), b);
  Key(VK_UP);
  Key(VK_ADD);
  Key(VK_DOWN);
  EXPECT_EQ(Next(TVGN_CARET), a1);
  Key(VK_LEFT);  // to the parent
  EXPECT_EQ(Next(TVGN_CARET), a);
  Key(VK_LEFT);  // collapses
  EXPECT_EQ(Next(TVGN_NEXTVISIBLE, a), b);
  Key(VK_END);
  EXPECT_EQ(Next(TVGN_CARET), b);
  Key(VK_HOME);
  EXPECT_EQ(Next(TVGN_CARET), a);
  Key(VK_MULTIPLY);
  EXPECT_EQ(Next(TVGN_NEXTVISIBLE, a), a1);
}

TEST_F(TreeTest, MouseSelectsAndButtonToggles) {
  MakeTree();
  HTREEITEM a = Add(TVI_ROOT, "Alpha");
  Add(a, "Child");
  HTREEITEM b = Add(TVI_ROOT, "Beta");
  RECT rb = RowRect(b);
  Click(tree, rb.left + 3, rb.top + 3);
  EXPECT_EQ(Next(TVGN_CARET), b);
  RECT ra = RowRect(a);
  int indent = static_cast<int>(SendMessageA(tree, TVM_GETINDENT, 0, 0));
  Click(tree, ra.left - indent / 2, (ra.top + ra.bottom) / 2);  // the plus button
  EXPECT_NE(Next(TVGN_NEXTVISIBLE, a), b);
  EXPECT_EQ(Pixel(tree, rb.left + 3, rb.top - 2 + 16), RGB(255, 255, 255));
  // Selected text sits on the highlight colour while the tree has focus.
  RECT nb = RowRect(b);
  EXPECT_EQ(Pixel(tree, nb.left + 1, nb.top + 2), RGB(0, 0, 128));
  Save(tree, "tree");
}

TEST_F(TreeTest, ButtonsAndDottedLinesAreDrawn) {
  MakeTree();
  HTREEITEM a = Add(TVI_ROOT, "A");
  Add(a, "A1");
  Add(TVI_ROOT, "B");
  RECT ra = RowRect(a);
  int indent = static_cast<int>(SendMessageA(tree, TVM_GETINDENT, 0, 0));
  int cx = ra.left - indent + indent / 2, cy = ra.top + (ra.bottom - ra.top) / 2;
  EXPECT_EQ(Pixel(tree, cx - 4, cy), RGB(128, 128, 128));  // button frame
  EXPECT_EQ(Pixel(tree, cx, cy), RGB(0, 0, 0));            // the plus
  EXPECT_EQ(Pixel(tree, cx, cy - 2), RGB(0, 0, 0));
  // A dotted vertical line runs down to the next root item.
  int gray = 0;
  for (int y = cy + 6; y < ra.bottom + 4; ++y) gray += Pixel(tree, cx, y) == RGB(128, 128, 128);
  EXPECT_GE(gray, 2);
  EXPECT_LE(gray, 5);
}

TEST_F(TreeTest, ManyItemsScrollAndStayCorrect) {
  MakeTree(TVS_HASBUTTONS | TVS_HASLINES | TVS_LINESATROOT | WS_VSCROLL);
  HTREEITEM last = nullptr;
  for (int i = 0; i < 5000; ++i) last = Add(TVI_ROOT, "row", i);
  Pump();
  SCROLLINFO si{sizeof si, SIF_ALL};
  ASSERT_TRUE(GetScrollInfo(tree, SB_VERT, &si));
  EXPECT_EQ(si.nMax, 4999);
  SendMessageA(tree, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(last));
  HTREEITEM first = Next(TVGN_FIRSTVISIBLE);
  TVITEMA it{};
  it.mask = TVIF_PARAM;
  it.hItem = first;
  SendMessageA(tree, TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&it));
  int rows = static_cast<int>(SendMessageA(tree, TVM_GETVISIBLECOUNT, 0, 0));
  EXPECT_EQ(it.lParam, 5000 - rows);
  SendMessageA(tree, WM_VSCROLL, SB_TOP, 0);
  EXPECT_EQ(Next(TVGN_FIRSTVISIBLE), Next(TVGN_ROOT));
}

}  // namespace
}  // namespace controls_test
