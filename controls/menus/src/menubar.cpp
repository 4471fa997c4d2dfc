#include <algorithm>
#include <climits>

#include <win32/gdi32.h>
#include <win32/user32.h>

#include "framework/forms.h"
#include "framework/statusbar.h"
#include "menus/am2000menubar.h"

namespace {
TCustomMenuBar2000* g_activeBar = nullptr;
}

TCustomMenuBar2000* ActiveMenuBar() { return g_activeBar; }
void SetActiveMenuBar(TCustomMenuBar2000* bar) { g_activeBar = bar; }

TCustomMenuBar2000::TCustomMenuBar2000(TComponent* owner) : TCustomControl(owner) {
  SetControlStyle({csClickEvents, csSetCaption, csOpaque, csDoubleClicks, csReplicatable});
  for (TComponent* c = owner; c && !ownerForm_; c = c->Owner()) ownerForm_ = dynamic_cast<TCustomForm*>(c);
  // 32 bits a pixel, as the drop-down's picture: no conversion on each call.
  itemBuffer_.SetPixelFormat(pf32bit);
  parentImage_.SetPixelFormat(pf32bit);
  expandTimer_ = new TTimer(this);
  expandTimer_->SetEnabled(false);
  expandTimer_->SetInterval(3000);
  // Hidden items are not shown by this bar, so the timer only stops itself.
  expandTimer_->SetOnTimer([this](TObject*) { expandTimer_->SetEnabled(false); });
  MakeBarOptions(barOptions_, options_);
  if (!g_activeBar) g_activeBar = this;
  if (!ComponentState().Contains(csDesigning)) {
    popup_ = new TCustomPopupMenu2000(this);
    AddBarHooks();
    AddMessageHook();
    hooked_ = true;
  }
  SetAlign(alTop);
  SetParentFont(false);
  SetBounds(0, 0, 50, 21);
}

TCustomMenuBar2000::~TCustomMenuBar2000() {
  if (hooked_) {
    RemoveBarHooks();
    RemoveMessageHook();
  }
  if (toolTips_) DestroyWindow(toolTips_);
  if (g_activeBar == this) g_activeBar = nullptr;
}

void TCustomMenuBar2000::BeforeDestruction() {
  if (popup_ && ActivePopup() == popup_) CloseMenus(false, false);
  if (g_activeBar == this) g_activeBar = nullptr;
  TCustomControl::BeforeDestruction();
}

void TCustomMenuBar2000::Loaded() {
  TCustomControl::Loaded();
  if (!menu_ && ownerForm_ && ownerForm_->Menu()) SetMenu(ownerForm_->Menu());
  textColor_ = options_.Colors()->MenuText;
  MakeBarOptions(barOptions_, options_);
  BuildToolTips();
}

void TCustomMenuBar2000::SetOptions(T_AM2000_Options* options) {
  options_.Assign(options);
  MakeBarOptions(barOptions_, options_);
  bufferValid_ = false;
  Invalidate();
}

void TCustomMenuBar2000::SetMenu(TMainMenu* menu) {
  if (menu_ && menu_ != menu) {
    RemoveFreeNotification(menu_);
    menu_->OnChange = nullptr;
  }
  menu_ = menu;
  if (menu_) {
    FreeNotification(menu_);
    // Windows draws no menu bar of its own for the form.
    if (ownerForm_ && ownerForm_->Menu() == menu_) ownerForm_->SetMenu(nullptr);
    menu_->OnChange = [this](TObject*, TMenuItem*, bool rebuild) {
      if (HandleAllocated()) PostMessageA(Handle(), AM2000_BARREFRESH, rebuild ? 1 : 0, 0);
    };
  }
  const int previous = currentIndex_;
  SetBounds(Left(), Top(), Width(), Height());
  currentIndex_ = ItemCount() == 0 ? -1 : std::clamp(previous < 0 ? 0 : previous, 0, ItemCount() - 1);
  currentItem_ = Item(currentIndex_);
  BuildToolTips();
  Invalidate();
}

void TCustomMenuBar2000::SetSystemFont(bool on) {
  systemFont_ = on;
  SetBounds(Left(), Top(), Width(), Height());
  Invalidate();
}

void TCustomMenuBar2000::SetCtl3D(bool on) {
  ctl3D_ = on;
  bufferValid_ = false;
  Invalidate();
}

void TCustomMenuBar2000::SetStatusBar(TStatusBar* bar) {
  if (statusBar_) RemoveFreeNotification(statusBar_);
  statusBar_ = bar;
  if (statusBar_) FreeNotification(statusBar_);
  BuildToolTips();
}

void TCustomMenuBar2000::SetTransparent(bool on) {
  transparent_ = on;
  bufferValid_ = false;
  Invalidate();
}

void TCustomMenuBar2000::Notification(TComponent* component, TOperation operation) {
  TCustomControl::Notification(component, operation);
  if (operation == opRemove) {
    if (component == menu_) {
      menu_ = nullptr;
      currentItem_ = openItem_ = nullptr;
      currentIndex_ = -1;
      if (!ComponentState().Contains(csDestroying)) SetBounds(Left(), Top(), Width(), Height());
    }
    if (component == statusBar_) statusBar_ = nullptr;
    if (popup_ && component == popup_) popup_ = nullptr;
  } else if (operation == opInsert && !menu_) {
    if (auto* menu = dynamic_cast<TMainMenu*>(component)) {
      SetMenu(menu);
      if (HandleAllocated()) PostMessageA(Handle(), AM2000_BARREFRESH, 1, 0);
    }
  }
}

TMenuItem* TCustomMenuBar2000::Item(int index) const {
  return index >= 0 && index < ItemCount() ? itemRects_[static_cast<std::size_t>(index)].first : nullptr;
}

TRect TCustomMenuBar2000::ItemRect(int index) const {
  return index >= 0 && index < ItemCount() ? itemRects_[static_cast<std::size_t>(index)].second : Rect(0, 0, 0, 0);
}

int TCustomMenuBar2000::ItemAt(TPoint client) const {
  for (int i = 0; i < ItemCount(); ++i) {
    const TRect r = ItemRect(i);
    if (PtInRect(&r, client)) return i;
  }
  return -1;
}

TFont* TCustomMenuBar2000::DrawFont() {
  if (!systemFont_) return Font();
  if (!menuFont_) {
    menuFont_ = std::make_unique<TFont>();
    AssignMenuFont(menuFont_.get());
  }
  return menuFont_.get();
}

// ---- layout

void TCustomMenuBar2000::Layout(int& width, int& height) {
  itemRects_.clear();
  const bool loading = ComponentState().Contains(csLoading);
  int totalW = 0, totalH = 0;
  const int parentWidth = Parent() ? Parent()->ClientWidth() : 0;
  if (menu_ && !loading) {
    HDC dc = CreateCompatibleDC(nullptr);
    TCanvas measure;
    measure.SetHandle(dc);
    measure.Font()->Assign(DrawFont());
    int x = 0, widest = 0, itemH = 0;
    for (int i = 0; i < menu_->Items()->Count(); ++i) {
      TMenuItem* item = menu_->Items()->Items(i);
      if (!item->Visible()) continue;
      const TSize size = measure.TextExtent(StripAccelerators(item->Caption()));
      const int w = size.cx + (item->HasBitmap() ? item->Bitmap()->Width() + 4 : 0) + 12;
      itemH = size.cy + 5;
      itemRects_.push_back({item, Rect(x, 0, x + w, itemH)});
      x += w;
      widest = std::max(widest, w);
    }
    measure.SetHandle(nullptr);
    DeleteDC(dc);
    // Rows: an item that would pass the available width starts a new one.
    const int available = std::max(Parent() ? parentWidth : INT_MAX, widest);
    int rowX = 0, rowY = 0, rows = itemRects_.empty() ? 0 : 1;
    for (auto& [item, r] : itemRects_) {
      const int w = RectWidth(r);
      if (rowX > 0 && rowX + w > available) {
        rowX = 0;
        rowY += itemH + 1;
        ++rows;
      }
      r = Rect(rowX, rowY, rowX + w, rowY + itemH);
      rowX += w;
      totalW = std::max(totalW, rowX);
    }
    totalH = rows * (itemH + 1);
    if (options_.Alignment == taRightToLeft)
      for (auto& [item, r] : itemRects_) r = Rect(totalW - r.right, r.top, totalW - r.left, r.bottom);
  }
  if (totalW == 0) totalW = 50;
  if (totalH == 0) totalH = 10;
  if (itemBuffer_.Width() != totalW || itemBuffer_.Height() != totalH) {
    itemBuffer_.SetSize(totalW, totalH);
    bufferValid_ = false;
  }
  bufferValid_ = false;
  width = std::max(parentWidth, totalW);
  height = totalH;
}

void TCustomMenuBar2000::SetBounds(int left, int top, int width, int height) {
  const TComponentState state = ComponentState();
  if (!state.Contains(csLoading) && !state.Contains(csDestroying)) Layout(width, height);
  TCustomControl::SetBounds(left, top, width, height);
}

// The parent's own painting (its background and windowless controls) as
// it would look without the bar.
void TCustomMenuBar2000::CaptureParent() {
  TWinControl* parent = Parent();
  if (!parent) return;
  const int w = parent->ClientWidth() + 1, h = parent->ClientHeight() + 1;
  if (parentImage_.Width() != w || parentImage_.Height() != h) parentImage_.SetSize(w, h);
  TCanvas* c = parentImage_.Canvas();
  c->Brush()->SetColor(parent->Color());
  c->FillRect(Rect(0, 0, w, h));
  if (!parent->ComponentState().Contains(csDesigning)) {
    parent->SetControlState(parent->ControlState() + TControlState{csPaintCopy});
    parent->PaintControls(c->Handle(), nullptr);
    parent->SetControlState(parent->ControlState() - TControlState{csPaintCopy});
  }
}
