#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "control_fixture.h"
#include "framework/exceptions.h"
#include "framework/gdi_resources.h"
#include "framework/stdctrls.h"

namespace stdctrls_test {
namespace {

SIZE Measure(TFont* font, const std::string& text) {
  HDC dc = GetDC(nullptr);
  HGDIOBJ old = SelectObject(dc, FontHandle(font->Data()));
  RECT r{0, 0, 0, 0};
  DrawTextA(dc, text.c_str(), static_cast<int>(text.size()), &r, DT_CALCRECT | DT_EXPANDTABS);
  SelectObject(dc, old);
  ReleaseDC(nullptr, dc);
  return SIZE{r.right - r.left, r.bottom - r.top};
}

// ------------------------------------------------------------------ label

class LabelTest : public ControlTest {};

TEST_F(LabelTest, AutoSizeFitsTheTextAndKeepsTheRightEdgeWhenRightJustified) {
  auto* label = Make<TLabel>(100, 20);
  label->SetCaption("Mission Filename:");
  SIZE text = Measure(label->Font(), "Mission Filename:");
  EXPECT_EQ(label->Width(), text.cx);
  EXPECT_EQ(label->Height(), text.cy);
  EXPECT_EQ(label->Left(), 100);
  // The '&' is not drawn, so it is not measured.
  label->SetCaption("&Open");
  EXPECT_EQ(label->Width(), Measure(label->Font(), "Open").cx);
  label->SetCaption("");
  EXPECT_EQ(label->Height(), text.cy) << "an empty label keeps one line";
  label->SetCaption("wide caption");
  label->SetAlignment(taRightJustify);
  int right = label->Left() + label->Width();
  label->SetCaption("x");
  EXPECT_EQ(label->Left() + label->Width(), right);
  label->SetAutoSize(false);
  label->SetCaption("a much longer caption than before");
  EXPECT_EQ(label->Width(), Measure(label->Font(), "x").cx);
}

TEST_F(LabelTest, TheAcceleratorFocusesTheFocusControl) {
  auto* edit = Make<TEdit>(100, 8);
  auto* label = Make<TLabel>(8, 8);
  label->SetCaption("Mission &Name:");
  label->SetFocusControl(edit);
  edit->Handle();
  EXPECT_EQ(label->Perform(CM_DIALOGCHAR, 'x'), 0);
  EXPECT_EQ(label->Perform(CM_DIALOGCHAR, 'n'), 1);
  EXPECT_TRUE(edit->Focused());
  label->SetShowAccelChar(false);
  EXPECT_EQ(label->Perform(CM_DIALOGCHAR, 'n'), 0);
  EXPECT_TRUE(TLabel::IsAccel('a', "R&&D &a"));
  EXPECT_FALSE(TLabel::IsAccel('d', "R&&D"));
  // The reference goes with the control.
  Free(edit);
  EXPECT_EQ(label->FocusControl(), nullptr);
}

TEST_F(LabelTest, PaintsOpaqueWithItsColourOrLetsTheParentShowThrough) {
  root->SetColor(clBtnFace);
  auto* label = Make<TLabel>(10, 10);
  label->SetAutoSize(false);
  label->SetBounds(10, 10, 60, 20);
  label->SetParentColor(false);
  label->SetColor(clYellow);
  label->SetCaption("");
  HWND h = root->Handle();
  UpdateWindow(h);
  HDC dc = GetDC(h);
  EXPECT_EQ(GetPixel(dc, 40, 25), RGB(255, 255, 0));
  ReleaseDC(h, dc);
  label->SetTransparent(true);
  UpdateWindow(h);
  dc = GetDC(h);
  EXPECT_EQ(GetPixel(dc, 40, 25), ColorToRGB(clBtnFace));
  ReleaseDC(h, dc);
}

// ------------------------------------------------------------------ tree view

class TreeViewTest : public ControlTest {};

TEST_F(TreeViewTest, NodesShowInTheWindowAndSelectionEventsCanBeRefused) {
  auto* tree = Make<TTreeView>(0, 0);
  TTreeNodes* items = tree->Items();
  TTreeNode* xvt = items->Add(nullptr, "XvT");
  TTreeNode* training = items->AddChild(xvt, "Imperial Training");
  items->AddChild(training, "Mission - m.tie");
  TTreeNode* bop = items->Add(nullptr, "BoP");
  HWND h = tree->Handle();
  EXPECT_EQ(SendMessageA(h, TVM_GETCOUNT, 0, 0), 4);
  EXPECT_EQ(SendMessageA(h, TVM_GETINDENT, 0, 0), 19);
  EXPECT_TRUE(GetWindowLongA(h, GWL_EXSTYLE) & WS_EX_CLIENTEDGE);
  RECT window, client;
  GetWindowRect(h, &window);
  GetClientRect(h, &client);
  EXPECT_EQ(window.right - window.left - client.right, 4) << "a two-pixel sunken edge each side";
  RedrawWindow(root->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
  HDC wdc = GetWindowDC(h);
  EXPECT_EQ(GetPixel(wdc, 0, 5), ColorToRGB(clBtnShadow)) << "the sunken edge's outer left line";
  ReleaseDC(h, wdc);
  std::vector<std::string> changes;
  tree->OnChange = [&](TObject*, TTreeNode* node) { changes.push_back(node ? node->Text() : "-"); };
  bool allow = true;
  tree->OnChanging = [&](TObject*, TTreeNode*, bool& ok) { ok = allow; };
  tree->SetSelected(bop);
  EXPECT_EQ(tree->Selected(), bop);
  allow = false;
  tree->SetSelected(xvt);
  EXPECT_EQ(tree->Selected(), bop);
  EXPECT_EQ(changes, (std::vector<std::string>{"BoP"}));
  std::vector<std::string> opened;
  tree->OnExpanded = [&](TObject*, TTreeNode* node) { opened.push_back(node->Text()); };
  tree->FullExpand();
  EXPECT_EQ(opened, (std::vector<std::string>{"XvT", "Imperial Training"}));
  EXPECT_TRUE(training->Expanded());
  tree->FullCollapse();
  EXPECT_FALSE(xvt->Expanded());
  // The nodes survive a new window with a changed style.
  tree->SetShowRoot(false);
  EXPECT_FALSE(GetWindowLongA(tree->Handle(), GWL_STYLE) & TVS_LINESATROOT);
  EXPECT_EQ(SendMessageA(tree->Handle(), TVM_GETCOUNT, 0, 0), 4);
  items->Clear();
  try {
    items->Item(0);
    FAIL();
  } catch (const ETreeViewError& e) {
    EXPECT_EQ(e.Message(), "Invalid index");
  }
}

// ------------------------------------------------------------------ status bar

class StatusBarTest : public ControlTest {};

TEST_F(StatusBarTest, PanelsSimpleTextAndGripReachTheWindowAndItDocksAtTheBottom) {
  root->SetBevelOuter(bvNone);
  auto* bar = Make<TStatusBar>();
  bar->Panels()->Add()->SetWidth(300);
  bar->Panels()->Add()->SetWidth(275);
  bar->Panels()->Items(0)->SetText("Done.");
  bar->SetSizeGrip(false);
  HWND h = bar->Handle();
  EXPECT_FALSE(GetWindowLongA(h, GWL_STYLE) & SBARS_SIZEGRIP);
  EXPECT_EQ(bar->Top() + bar->Height(), root->ClientHeight());
  EXPECT_EQ(bar->Width(), root->ClientWidth());
  char text[64] = {};
  SendMessageA(h, SB_GETTEXTA, 0, reinterpret_cast<LPARAM>(text));
  EXPECT_STREQ(text, "Done.");
  RECT part{};
  SendMessageA(h, SB_GETRECT, 1, reinterpret_cast<LPARAM>(&part));
  RECT client;
  GetClientRect(h, &client);
  EXPECT_EQ(part.right, client.right);
  bar->SetSimpleText("simple");
  bar->SetSimplePanel(true);
  EXPECT_TRUE(SendMessageA(h, SB_ISSIMPLE, 0, 0));
  SendMessageA(h, SB_GETTEXTA, SB_SIMPLEID, reinterpret_cast<LPARAM>(text));
  EXPECT_STREQ(text, "simple");
  // A bar that hosts controls lays out an alRight child at its right end.
  TControlStyle style = bar->ControlStyle();
  bar->SetControlStyle(style.Include(csAcceptsControls));
  auto* clock = new TPanel(root.get());
  clock->SetParent(bar);
  clock->SetWidth(62);
  clock->SetAlign(alRight);
  EXPECT_EQ(clock->Left() + clock->Width(), bar->ClientWidth());
}

}  // namespace
}  // namespace stdctrls_test
