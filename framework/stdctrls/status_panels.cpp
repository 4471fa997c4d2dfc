// Status bar panels and how they are written into the bar's window.
#include "framework/status_panels.h"

#include <algorithm>
#include <vector>

TStatusPanel::TStatusPanel(TCollection* collection) : TCollectionItem(collection) {
  // The collection was told of this item before its fields existed.
  Changed(true);
}

void TStatusPanel::SetText(const std::string& text) {
  if (text == text_) return;
  text_ = text;
  Changed(false);
}

void TStatusPanel::SetWidth(int width) {
  if (width == width_) return;
  width_ = width;
  Changed(true);
}

void TStatusPanel::SetAlignment(TAlignment alignment) {
  if (alignment == alignment_) return;
  alignment_ = alignment;
  Changed(false);
}

void TStatusPanel::SetBevel(TStatusPanelBevel bevel) {
  if (bevel == bevel_) return;
  bevel_ = bevel;
  Changed(false);
}

void TStatusPanel::SetStyle(TStatusPanelStyle style) {
  if (style == style_) return;
  style_ = style;
  Changed(false);
}

void TStatusPanel::Assign(TPersistent* source) {
  auto* other = dynamic_cast<TStatusPanel*>(source);
  if (!other) {
    TCollectionItem::Assign(source);
    return;
  }
  text_ = other->text_;
  width_ = other->width_;
  alignment_ = other->alignment_;
  bevel_ = other->bevel_;
  style_ = other->style_;
  Changed(true);
}

TStatusPanels::TStatusPanels() : TCollection(ItemClass<TStatusPanel>()) {}

TStatusPanel* TStatusPanels::Add() { return static_cast<TStatusPanel*>(TCollection::Add()); }

TStatusPanel* TStatusPanels::Items(int index) const { return static_cast<TStatusPanel*>(TCollection::Items(index)); }

void TStatusPanels::AttachWindow(HWND window) {
  window_ = window;
  SendParts();
}

std::string TStatusPanels::WindowText(const TStatusPanel& panel) {
  switch (panel.Alignment()) {
    case taCenter: return "\t" + panel.Text();
    case taRightJustify: return "\t\t" + panel.Text();
    default: return panel.Text();
  }
}

WPARAM TStatusPanels::TextFlags(const TStatusPanel& panel, int index) {
  WPARAM flags = static_cast<WPARAM>(index);
  if (panel.Bevel() == pbNone) flags |= SBT_NOBORDERS;
  else if (panel.Bevel() == pbRaised) flags |= SBT_POPOUT;
  if (panel.Style() == psOwnerDraw) flags |= SBT_OWNERDRAW;
  return flags;
}

void TStatusPanels::SendText(int index) const {
  if (!window_ || index < 0 || index >= std::min(Count(), kMaxParts)) return;
  // A panel still being made (only its collection item part exists) is
  // written by its own constructor once it is whole.
  auto* panel = dynamic_cast<TStatusPanel*>(TCollection::Items(index));
  if (!panel) return;
  std::string text = WindowText(*panel);
  // An owner-drawn part carries its index as the value the owner is given.
  LPARAM value = panel->Style() == psOwnerDraw ? static_cast<LPARAM>(index) : reinterpret_cast<LPARAM>(text.c_str());
  SendMessageA(window_, SB_SETTEXTA, TextFlags(*panel, index), value);
}

void TStatusPanels::SendParts() const {
  if (!window_) return;
  int n = std::min(Count(), kMaxParts);
  if (n == 0) {
    int right = -1;
    SendMessageA(window_, SB_SETPARTS, 1, reinterpret_cast<LPARAM>(&right));
    SendMessageA(window_, SB_SETTEXTA, 0, reinterpret_cast<LPARAM>(""));
    return;
  }
  std::vector<int> rights(static_cast<size_t>(n));
  int edge = 0;
  for (int i = 0; i < n; ++i) {
    auto* panel = dynamic_cast<TStatusPanel*>(TCollection::Items(i));
    edge += panel ? panel->Width() : 0;
    rights[static_cast<size_t>(i)] = i == n - 1 ? -1 : edge;
  }
  SendMessageA(window_, SB_SETPARTS, static_cast<WPARAM>(n), reinterpret_cast<LPARAM>(rights.data()));
  for (int i = 0; i < n; ++i) SendText(i);
}

void TStatusPanels::Update(TCollectionItem* item) {
  if (item) SendText(item->Index());
  else SendParts();
}
