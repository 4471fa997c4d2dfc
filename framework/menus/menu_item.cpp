#include <algorithm>
#include <set>

#include <win32/user32.h>

#include "framework/exceptions.h"
#include "framework/menus.h"
#include "framework/text.h"
#include "menu_commands.h"

TMenuItem::TMenuItem(TComponent* owner) : TComponent(owner), command_(menus_detail::AllocateCommand()) {}

TMenuItem::~TMenuItem() {
  if (parent_) parent_->Remove(this);
  while (!items_.empty()) Free(items_.back());
  ReleaseHandle();
  menus_detail::ReleaseCommand(command_);
}

TComponent* TMenuItem::GetParentComponent() const {
  if (parent_ && parent_->menu_) return parent_->menu_;
  return parent_;
}

TMenu* TMenuItem::GetParentMenu() const {
  const TMenuItem* item = this;
  while (item->parent_) item = item->parent_;
  return item->menu_;
}

void TMenuItem::SetCaption(const std::string& caption) {
  if (caption == caption_) return;
  caption_ = caption;
  MenuChanged(false);
}

void TMenuItem::SetChecked(bool checked) {
  if (checked == checked_) return;
  checked_ = checked;
  if (checked && radioItem_) TurnSiblingsOff();
  MenuChanged(false);
}

void TMenuItem::SetEnabled(bool enabled) {
  if (enabled == enabled_) return;
  enabled_ = enabled;
  MenuChanged(false);
}

void TMenuItem::SetVisible(bool visible) {
  if (visible == visible_) return;
  visible_ = visible;
  MenuChanged(true);
}

void TMenuItem::SetShortCut(TShortCut shortCut) {
  if (shortCut == shortCut_) return;
  shortCut_ = shortCut;
  MenuChanged(false);
}

void TMenuItem::SetDefault(bool value) {
  if (value == default_) return;
  // One default item per menu, as the window system keeps it.
  if (value && parent_)
    for (TMenuItem* sibling : parent_->items_)
      if (sibling != this && sibling->default_) sibling->SetDefault(false);
  default_ = value;
  MenuChanged(false);
}

void TMenuItem::SetRadioItem(bool value) {
  if (value == radioItem_) return;
  radioItem_ = value;
  if (checked_ && radioItem_) TurnSiblingsOff();
  MenuChanged(false);
}

void TMenuItem::SetGroupIndex(int value) {
  if (value == groupIndex_) return;
  groupIndex_ = value;
  if (checked_ && radioItem_) TurnSiblingsOff();
  MenuChanged(false);
}

void TMenuItem::TurnSiblingsOff() {
  if (!parent_) return;
  for (TMenuItem* sibling : parent_->items_)
    if (sibling != this && sibling->radioItem_ && sibling->groupIndex_ == groupIndex_ && sibling->checked_) {
      sibling->checked_ = false;
      sibling->MenuChanged(false);
    }
}

TBitmap* TMenuItem::Bitmap() {
  if (!bitmap_) {
    bitmap_ = std::make_unique<TBitmap>();
    bitmap_->OnChange = [this](TObject*) { MenuChanged(false); };
  }
  return bitmap_.get();
}

void TMenuItem::SetBitmap(TBitmap* bitmap) {
  Bitmap()->Assign(bitmap);
  MenuChanged(false);
}

TMenuItem* TMenuItem::Items(int index) const {
  if (index < 0 || index >= Count()) throw EMenuError("Index out of range");
  return items_[static_cast<std::size_t>(index)];
}

int TMenuItem::IndexOf(const TMenuItem* item) const {
  auto it = std::find(items_.begin(), items_.end(), item);
  return it == items_.end() ? -1 : static_cast<int>(it - items_.begin());
}

TMenuItem* TMenuItem::Find(const std::string& caption) const {
  std::string wanted = StripHotkey(caption);
  for (TMenuItem* item : items_)
    if (AnsiSameText(StripHotkey(item->caption_), wanted)) return item;
  return nullptr;
}

int TMenuItem::MenuIndex() const { return parent_ ? parent_->IndexOf(this) : -1; }

void TMenuItem::SetMenuIndex(int index) {
  if (!parent_) return;
  TMenuItem* parent = parent_;
  int count = parent->Count();
  index = std::clamp(index, 0, count - 1);
  if (index == MenuIndex()) return;
  parent->Remove(this);
  parent->Insert(index, this);
}

void TMenuItem::Add(TMenuItem* item) { Insert(Count(), item); }

void TMenuItem::Insert(int index, TMenuItem* item) {
  if (!item) return;
  if (item == this) throw EMenuError("Menu inserted twice");
  for (const TMenuItem* up = parent_; up; up = up->parent_)
    if (up == item) throw EMenuError("Menu inserted twice");  // would make a loop
  if (item->parent_ == this) throw EMenuError("Menu inserted twice");
  if (index < 0 || index > Count()) throw EMenuError("Index out of range");
  if (item->parent_) item->parent_->Remove(item);
  InsertAt(index, item);
}

void TMenuItem::InsertAt(int index, TMenuItem* item) {
  items_.insert(items_.begin() + index, item);
  item->parent_ = this;
  if (item->checked_ && item->radioItem_) item->TurnSiblingsOff();
  RebuildHandle();
  // The parent's own row now carries (or still carries) the sub-menu.
  UpdateInParent();
  if (TMenu* menu = GetParentMenu()) menu->MenuChanged(this, true);
}

void TMenuItem::Delete(int index) {
  TMenuItem* item = Items(index);
  items_.erase(items_.begin() + index);
  item->parent_ = nullptr;
  RebuildHandle();
  UpdateInParent();
  if (TMenu* menu = GetParentMenu()) menu->MenuChanged(this, true);
}

void TMenuItem::Remove(TMenuItem* item) {
  int index = IndexOf(item);
  if (index < 0) throw EMenuError("Sub-menu is not in menu");
  Delete(index);
}

void TMenuItem::Clear() {
  while (!items_.empty()) Free(items_.back());
}

void TMenuItem::Click() {
  if (enabled_ && OnClick) OnClick(this);
}
