// TToolbarButton97: properties, groups, the click, dialog keys and
// accelerators. The mouse and the hot button are in
// toolbar_button_mouse.cpp, the painting in toolbar_button_paint.cpp.
#include <algorithm>

#include "button_glyph.h"
#include "framework/forms.h"
#include "framework/label.h"
#include "framework/timer.h"
#include "store.h"
#include "panels/TB97Ctls.h"
#include "toolbar_hot.h"

TToolbarButton97::TToolbarButton97(TComponent* owner) : TGraphicControl(owner) {
  SetControlStyle({csCaptureMouse, csOpaque, csDoubleClicks, csSetCaption});
  SetBounds(0, 0, 23, 22);
  TControl::SetColor(clBtnFace);
  SetParentColor(false);
  glyph_ = std::make_unique<TButtonGlyph>([this] { GlyphChanged(); });
  toolbar_hot::Attach(this);
}

TToolbarButton97::~TToolbarButton97() {
  destroying_ = true;
  toolbar_hot::Detach(this);
}

void TToolbarButton97::Loaded() {
  TGraphicControl::Loaded();
  state_ = Enabled() ? (down_ && groupIndex_ != 0 ? bsExclusive : bsUp) : bsDisabled;
}

void TToolbarButton97::Notification(TComponent* component, TOperation operation) {
  TGraphicControl::Notification(component, operation);
  if (operation != opRemove) return;
  if (component == dropdownMenu_) dropdownMenu_ = nullptr;
  if (component == images_) SetImages(nullptr);
}

// A flat see-through button lets its parent paint behind it; any other
// one is marked opaque while it invalidates, so nothing is erased.
void TToolbarButton97::Redraw() {
  if (flat_ && !opaque_) {
    Invalidate();
    return;
  }
  const TControlStyle saved = ControlStyle();
  SetControlStyle(TControlStyle(saved).Include(csOpaque));
  Invalidate();
  SetControlStyle(saved);
}

void TToolbarButton97::GlyphChanged() { Redraw(); }

void TToolbarButton97::SetAlignment(TAlignment v) {
  if (StoreChanged(alignment_, v)) Redraw();
}
void TToolbarButton97::SetAllowAllUp(bool v) {
  if (StoreChanged(allowAllUp_, v)) UpdateGroup();
}
void TToolbarButton97::SetColor(TColor v) {
  if (v == Color()) return;
  TControl::SetColor(v);
  Redraw();
}
void TToolbarButton97::SetDisplayMode(TButtonDisplayMode v) {
  if (StoreChanged(displayMode_, v)) Redraw();
}
void TToolbarButton97::SetDropdownAlways(bool v) {
  if (StoreChanged(dropdownAlways_, v)) Redraw();
}
void TToolbarButton97::SetDropdownArrow(bool v) {
  if (StoreChanged(dropdownArrow_, v)) Redraw();
}
void TToolbarButton97::SetDropdownArrowWidth(int v) {
  if (StoreChanged(dropdownArrowWidth_, v)) Redraw();
}
void TToolbarButton97::SetDropdownCombo(bool v) {
  if (StoreChanged(dropdownCombo_, v)) Redraw();
}
void TToolbarButton97::SetDropdownMenu(TPopupMenu* v) {
  if (v == dropdownMenu_) return;
  dropdownMenu_ = v;
  if (v) v->FreeNotification(this);
  Redraw();
}
void TToolbarButton97::SetFlat(bool v) {
  if (!StoreChanged(flat_, v)) return;
  TControlStyle s = ControlStyle();
  if (opaque_ || !flat_) s.Include(csOpaque); else s.Exclude(csOpaque);
  SetControlStyle(s);
  Redraw();
}
void TToolbarButton97::SetOpaque(bool v) {
  if (!StoreChanged(opaque_, v)) return;
  TControlStyle s = ControlStyle();
  if (opaque_ || !flat_) s.Include(csOpaque); else s.Exclude(csOpaque);
  SetControlStyle(s);
  Redraw();
}
TBitmap* TToolbarButton97::Glyph() { return glyph_->Glyph(); }
void TToolbarButton97::SetGlyph(TBitmap* v) { glyph_->SetGlyph(v); }
TBitmap* TToolbarButton97::GlyphMask() { return glyph_->GlyphMask(); }
void TToolbarButton97::SetGlyphMask(TBitmap* v) { glyph_->SetGlyphMask(v); }
void TToolbarButton97::SetGroupIndex(int v) {
  if (StoreChanged(groupIndex_, v)) UpdateGroup();
}
void TToolbarButton97::SetHighlightWhenDown(bool v) {
  if (StoreChanged(highlightWhenDown_, v)) Redraw();
}
void TToolbarButton97::SetImageIndex(int v) {
  if (!StoreChanged(imageIndex_, v)) return;
  glyph_->SetImageList(images_, imageIndex_);
}
void TToolbarButton97::SetImages(TCustomImageList* v) {
  if (v == images_) return;
  images_ = v;
  if (v) v->FreeNotification(this);
  glyph_->SetImageList(images_, imageIndex_);
}
void TToolbarButton97::SetLayout(TButtonLayout v) {
  if (StoreChanged(layout_, v)) Redraw();
}
void TToolbarButton97::SetMargin(int v) {
  if (v >= -1 && StoreChanged(margin_, v)) Redraw();
}
void TToolbarButton97::SetNoBorder(bool v) {
  if (StoreChanged(noBorder_, v)) Redraw();
}
TNumGlyphs97 TToolbarButton97::NumGlyphs() const { return glyph_->NumGlyphs(); }
void TToolbarButton97::SetNumGlyphs(TNumGlyphs97 v) { glyph_->SetNumGlyphs(v); }
bool TToolbarButton97::OldDisabledStyle() const { return glyph_->OldDisabledStyle(); }
void TToolbarButton97::SetOldDisabledStyle(bool v) { glyph_->SetOldDisabledStyle(v); }
void TToolbarButton97::SetShowBorderWhenInactive(bool v) {
  if (StoreChanged(showBorderWhenInactive_, v)) Redraw();
}
void TToolbarButton97::SetSpacing(int v) {
  if (StoreChanged(spacing_, v)) Redraw();
}
void TToolbarButton97::SetWordWrap(bool v) {
  if (StoreChanged(wordWrap_, v)) Redraw();
}

void TToolbarButton97::SetDown(bool v) {
  if (groupIndex_ == 0) v = false;
  if (v == down_) return;
  if (down_ && !allowAllUp_) return;
  down_ = v;
  if (!Enabled()) state_ = bsDisabled;
  else if (v) state_ = bsExclusive;
  else state_ = bsUp;
  Redraw();
  if (v) UpdateGroup();
}

// A button of a group that went down tells the others to go up; one that
// changes its AllowAllUp tells them too, as they share the setting.
void TToolbarButton97::UpdateGroup() {
  if (groupIndex_ == 0 || !Parent()) return;
  for (int i = 0; i < Parent()->ControlCount(); ++i) {
    auto* other = dynamic_cast<TToolbarButton97*>(Parent()->Controls(i));
    if (!other || other == this || other->groupIndex_ != groupIndex_) continue;
    if (down_ && other->down_) {
      other->down_ = false;
      other->state_ = other->Enabled() ? bsUp : bsDisabled;
      other->Redraw();
    }
    other->allowAllUp_ = allowAllUp_;
  }
}

void TToolbarButton97::EnabledChanged() {
  if (!Enabled()) {
    state_ = bsDisabled;
    mouseIn_ = false;
    tracking_ = false;
    toolbar_hot::StopIfHot(this);
    Perform(WM_CANCELMODE);
  } else if (state_ == bsDisabled) {
    state_ = down_ && groupIndex_ != 0 ? bsExclusive : bsUp;
  }
  Redraw();
}

void TToolbarButton97::RunClick() {
  if (repeating_ && !onArrow_) {
    TControl::Click();
    return;
  }
  inClick_ = true;
  struct ClickEnd {
    TToolbarButton97* b;
    ~ClickEnd() {
      b->inClick_ = false;
      if (b->state_ == bsDown) b->state_ = bsUp;
      if (b->destroying_) return;
      b->Redraw();
      if (b->Enabled() && b->UnderPointer()) b->MouseEntered(); else b->MouseLeft();
    }
  } end{this};
  if (groupIndex_ != 0 && !onArrow_) SetDown(!down_);
  // Buttons stay shown down during their click, so a click from the
  // keyboard shows too.
  if (state_ == bsUp || state_ == bsMouseIn) {
    state_ = bsDown;
    Redraw();
  }
  MouseLeft();
  if (!IsDropdown() || (IsCombo() && !onArrow_)) {
    if (auto* form = dynamic_cast<TCustomForm*>(GetParentForm())) form->SetModalResult(modalResult_);
    TControl::Click();
  } else {
    ShowDropdown();
  }
}

void TToolbarButton97::Click() { RunClick(); }

void TToolbarButton97::ShowDropdown() {
  bool show = true;
  if (OnDropdown) OnDropdown(this, show);
  if (!show || !dropdownMenu_) return;
  const TPoint at = ClientToScreen(TPoint{0, Height()});
  dropdownMenu_->SetPopupComponent(this);
  dropdownMenu_->Popup(at.x, at.y);
}

// Enter and Esc, and the caption's accelerator, click the button when it
// and every parent up to the form are visible and enabled.
bool TToolbarButton97::CanPress() {
  if (!Enabled() || !Visible()) return false;
  for (TWinControl* p = Parent(); p; p = p->Parent()) {
    if (!p->Visible() || !p->Enabled()) return false;
    if (dynamic_cast<TCustomForm*>(p)) break;
  }
  return true;
}

void TToolbarButton97::DialogKey(TMessage& message) {
  const auto key = message.WParam;
  const bool plain = GetKeyState(VK_SHIFT) >= 0 && GetKeyState(VK_CONTROL) >= 0 && GetKeyState(VK_MENU) >= 0;
  if (plain && ((key == VK_RETURN && default_) || (key == VK_ESCAPE && cancel_)) && CanPress()) {
    Click();
    message.Result = 1;
  }
}

void TToolbarButton97::DialogChar(TMessage& message) {
  if (displayMode_ == dmGlyphOnly || !CanPress()) return;
  if (TCustomLabel::IsAccel(static_cast<char>(message.WParam), Caption())) {
    Click();
    message.Result = 1;
  }
}

void TToolbarButton97::WndProc(TMessage& message) {
  switch (message.Msg) {
    case CM_DIALOGKEY: DialogKey(message); return;
    case CM_DIALOGCHAR: DialogChar(message); return;
    case CM_ENABLEDCHANGED:
      TGraphicControl::WndProc(message);
      EnabledChanged();
      return;
    case CM_FONTCHANGED:
    case CM_TEXTCHANGED:
      TGraphicControl::WndProc(message);
      Redraw();
      return;
    case CM_SYSCOLORCHANGE:
      glyph_->Invalidate();
      toolbar_hot::SysColorsChanged();
      Redraw();
      return;
    case WM_CANCELMODE:
      StopRepeat();
      if (tracking_) {
        tracking_ = false;
        MouseLeft();
      }
      TGraphicControl::WndProc(message);
      return;
    case WM_LBUTTONDBLCLK:
      // A held-down button reports the second press as a double click;
      // others take it as a plain press.
      if (!down_) message.Msg = WM_LBUTTONDOWN;
      break;
    default: break;
  }
  TGraphicControl::WndProc(message);
}
