// The tree view control over its node store.
#include "framework/treeview.h"

#include "wrapper_support.h"

TCustomTreeView::TCustomTreeView(TComponent* owner)
    : TWinControl(owner), items_(std::make_unique<TTreeNodes>(static_cast<TTreeNodesObserver*>(this))) {
  SetBounds(Left(), Top(), 121, 97);
  SetTabStop(true);
  SetParentColor(false);
  SetColor(clWindow);
}

TCustomTreeView::~TCustomTreeView() {
  // The nodes go without telling a view that is going too.
  items_->DetachWindow();
}

void TCustomTreeView::CreateParams(TCreateParams& params) {
  InitCommonControls();
  TWinControl::CreateParams(params);
  CreateSubClass(params, WC_TREEVIEWA);
  params.Style |= WS_CHILD | WS_CLIPSIBLINGS;
  if (showButtons_) params.Style |= TVS_HASBUTTONS;
  if (showLines_) params.Style |= TVS_HASLINES;
  if (showRoot_) params.Style |= TVS_LINESATROOT;
  if (!readOnly_) params.Style |= TVS_EDITLABELS;
  if (!hideSelection_) params.Style |= TVS_SHOWSELALWAYS;
  if (borderStyle_ == bsSingle) params.ExStyle |= WS_EX_CLIENTEDGE;
}

void TCustomTreeView::CreateWnd() {
  TWinControl::CreateWnd();
  SendMessageA(WindowHandle(), TVM_SETINDENT, static_cast<WPARAM>(indent_), 0);
  items_->AttachWindow(WindowHandle());
}

void TCustomTreeView::DestroyWnd() {
  items_->DetachWindow();
  TWinControl::DestroyWnd();
}

void TCustomTreeView::SetStyleFlag(bool& flag, bool on) {
  if (flag == on) return;
  flag = on;
  if (HandleAllocated()) RecreateWnd();
}

void TCustomTreeView::SetBorderStyle(TBorderStyle style) {
  if (style == borderStyle_) return;
  borderStyle_ = style;
  if (HandleAllocated()) RecreateWnd();
}

int TCustomTreeView::Indent() {
  if (HandleAllocated()) indent_ = static_cast<int>(SendMessageA(WindowHandle(), TVM_GETINDENT, 0, 0));
  return indent_;
}

void TCustomTreeView::SetIndent(int indent) {
  indent_ = indent;
  if (HandleAllocated()) SendMessageA(WindowHandle(), TVM_SETINDENT, static_cast<WPARAM>(indent), 0);
}

TTreeNode* TCustomTreeView::Selected() {
  if (!HandleAllocated()) return nullptr;
  auto item = reinterpret_cast<HTREEITEM>(SendMessageA(WindowHandle(), TVM_GETNEXTITEM, TVGN_CARET, 0));
  return items_->GetNode(item);
}

void TCustomTreeView::SetSelected(TTreeNode* node) {
  if (node) node->SetSelected(true);
  else if (HandleAllocated()) SendMessageA(WindowHandle(), TVM_SELECTITEM, TVGN_CARET, 0);
}

void TCustomTreeView::FullExpand() {
  items_->BeginUpdate();
  for (TTreeNode* n = items_->GetFirstNode(); n; n = n->GetNextSibling()) n->Expand(true);
  items_->EndUpdate();
}

void TCustomTreeView::FullCollapse() {
  items_->BeginUpdate();
  for (TTreeNode* n = items_->GetFirstNode(); n; n = n->GetNextSibling()) n->Collapse(true);
  items_->EndUpdate();
}

TTreeNode* TCustomTreeView::GetNodeAt(int x, int y) {
  TVHITTESTINFO info{};
  info.pt = POINT{x, y};
  auto item = reinterpret_cast<HTREEITEM>(SendMessageA(Handle(), TVM_HITTEST, 0, reinterpret_cast<LPARAM>(&info)));
  return (info.flags & (TVHT_ONITEM | TVHT_ONITEMBUTTON | TVHT_ONITEMINDENT)) ? items_->GetNode(item) : nullptr;
}

bool TCustomTreeView::CanChange(TTreeNode* node) {
  bool allow = true;
  if (OnChanging) OnChanging(this, node, allow);
  return allow;
}

void TCustomTreeView::Change(TTreeNode* node) {
  if (OnChange) OnChange(this, node);
}

bool TCustomTreeView::CanExpand(TTreeNode* node) {
  bool allow = true;
  if (OnExpanding) OnExpanding(this, node, allow);
  return allow;
}

void TCustomTreeView::Expand(TTreeNode* node) {
  if (OnExpanded) OnExpanded(this, node);
}

bool TCustomTreeView::CanCollapse(TTreeNode* node) {
  bool allow = true;
  if (OnCollapsing) OnCollapsing(this, node, allow);
  return allow;
}

void TCustomTreeView::Collapse(TTreeNode* node) {
  if (OnCollapsed) OnCollapsed(this, node);
}

void TCustomTreeView::NodeDeleting(TTreeNode* node) {
  if (OnDeletion) OnDeletion(this, node);
}

LRESULT TCustomTreeView::Notify(const NMHDR& header) {
  const auto& tv = reinterpret_cast<const NMTREEVIEWA&>(header);
  // The window's lParam of each item is its node.
  auto* node = reinterpret_cast<TTreeNode*>(tv.itemNew.lParam);
  LRESULT result = 0;
  switch (header.code) {
    case TVN_SELCHANGINGA: Guarded([&] { result = CanChange(node) ? 0 : 1; }); break;
    case TVN_SELCHANGEDA: Guarded([&] { Change(node); }); break;
    case TVN_ITEMEXPANDINGA:
      Guarded([&] { result = (tv.action & TVE_EXPAND ? CanExpand(node) : CanCollapse(node)) ? 0 : 1; });
      break;
    case TVN_ITEMEXPANDEDA:
      Guarded([&] {
        if (tv.action & TVE_EXPAND) Expand(node);
        else Collapse(node);
      });
      break;
    default: break;
  }
  return result;
}

void TCustomTreeView::WndProc(TMessage& message) {
  if (message.Msg == CN_NOTIFY) {
    message.Result = Notify(*reinterpret_cast<const NMHDR*>(message.LParam));
    return;
  }
  TWinControl::WndProc(message);
}
