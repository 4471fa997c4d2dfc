// Menus as data and menu handles: TMenuItem trees under a TMenu. Every
// change to an item is written at once into its parent's menu handle, so
// code reading the menu through GetMenuItemCount and GetMenuItemInfoA sees
// exactly the visible items (invisible ones are absent from the handle).
// No native menu bar is drawn; menu bars read the handles and call the
// items back, and TPopupMenu shows its handle with TrackPopupMenu.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include <win32/windef.h>

#include "framework/bitmap.h"
#include "framework/component.h"
#include "framework/graphics.h"
#include "framework/shortcut.h"
#include "framework/types.h"

class TMenu;

// The caption of a separator item.
inline constexpr const char* cLineCaption = "-";

class TMenuItem : public TComponent {
 public:
  explicit TMenuItem(TComponent* owner);
  // Leaves its parent, frees its sub-items and gives its command back.
  ~TMenuItem() override;

  const std::string& Caption() const { return caption_; }
  void SetCaption(const std::string& caption);
  bool Checked() const { return checked_; }
  // Checking a radio item unchecks the radio items of its group among its
  // siblings.
  void SetChecked(bool checked);
  bool Enabled() const { return enabled_; }
  void SetEnabled(bool enabled);
  bool Visible() const { return visible_; }
  void SetVisible(bool visible);
  const std::string& Hint() const { return hint_; }
  void SetHint(const std::string& hint) { hint_ = hint; }
  TShortCut ShortCut() const { return shortCut_; }
  void SetShortCut(TShortCut shortCut);
  bool Default() const { return default_; }
  void SetDefault(bool value);
  bool RadioItem() const { return radioItem_; }
  void SetRadioItem(bool value);
  int GroupIndex() const { return groupIndex_; }
  void SetGroupIndex(int value);
  // Made empty on first use; its handle is shown beside the caption.
  TBitmap* Bitmap();
  void SetBitmap(TBitmap* bitmap);
  bool HasBitmap() const { return bitmap_ && !bitmap_->Empty(); }
  int HelpContext() const { return helpContext_; }
  void SetHelpContext(int value) { helpContext_ = value; }
  // True for a separator (caption "-").
  bool IsLine() const { return caption_ == cLineCaption; }

  // Sub-items. Add and Insert take an item out of any other parent;
  // Delete and Remove only detach (the owner still frees the item);
  // Clear frees every sub-item.
  void Add(TMenuItem* item);
  void Insert(int index, TMenuItem* item);
  void Delete(int index);
  void Remove(TMenuItem* item);
  void Clear();
  int Count() const { return static_cast<int>(items_.size()); }
  // EMenuError "Index out of range" outside 0..Count()-1.
  TMenuItem* Items(int index) const;
  int IndexOf(const TMenuItem* item) const;
  // The first sub-item whose caption matches without accelerators and case.
  TMenuItem* Find(const std::string& caption) const;
  TMenuItem* Parent() const { return parent_; }
  // Position among the parent's items (-1 without a parent); setting it
  // moves the item within its parent.
  int MenuIndex() const;
  void SetMenuIndex(int index);
  // The menu whose tree holds this item, or nullptr.
  TMenu* GetParentMenu() const;

  // The identifier in WM_COMMAND and in the parent's menu handle.
  UINT Command() const { return command_; }
  // The pop-up menu handle holding the sub-items (made on first use).
  HMENU Handle();

  TNotifyEvent OnClick;
  // Runs OnClick when the item is enabled.
  virtual void Click();

  bool HasParent() const override { return true; }
  TComponent* GetParentComponent() const override;

 protected:
  // Makes the handle of the sub-items: a pop-up menu for an item; the root
  // item of a menu asks its menu (a bar for a main menu).
  virtual HMENU CreateMenuHandle();

 private:
  friend class TMenu;
  void MenuChanged(bool rebuild);
  void RebuildHandle();
  void UpdateInParent();
  void TurnSiblingsOff();
  void ReleaseHandle();
  void InsertAt(int index, TMenuItem* item);

  std::string caption_;
  std::string hint_;
  bool checked_ = false;
  bool enabled_ = true;
  bool visible_ = true;
  bool default_ = false;
  bool radioItem_ = false;
  int groupIndex_ = 0;
  int helpContext_ = 0;
  TShortCut shortCut_ = scNone;
  std::unique_ptr<TBitmap> bitmap_;
  UINT command_ = 0;
  HMENU handle_ = nullptr;
  TMenuItem* parent_ = nullptr;
  TMenu* menu_ = nullptr;  // set on a menu's root item only
  std::vector<TMenuItem*> items_;
};

enum TFindItemKind { fkCommand, fkHandle, fkShortCut };

// Told that the menu changed: `source` is the item (nullptr for the whole
// menu), `rebuild` whether items came, went, or were shown or hidden.
using TMenuChangeEvent = std::function<void(TObject* sender, TMenuItem* source, bool rebuild)>;

class TMenu : public TComponent {
 public:
  explicit TMenu(TComponent* owner);
  ~TMenu() override;

  TMenuItem* Items() const { return items_; }
  HMENU Handle() const { return items_->Handle(); }
  // The item with that command identifier, sub-menu handle or shortcut,
  // anywhere in the tree (depth first), or nullptr.
  TMenuItem* FindItem(UINT value, TFindItemKind kind) const;
  // Runs the item whose shortcut is `key` with `shift` when it and every
  // item above it are enabled; true when one ran.
  bool IsShortCut(std::uint16_t key, TShiftState shift);
  // Runs the item with that command (a WM_COMMAND from the menu); true
  // when there is one.
  bool DispatchCommand(UINT command);

  TMenuChangeEvent OnChange;

 protected:
  friend class TMenuItem;
  // The root's handle: a menu bar or a pop-up menu.
  virtual HMENU CreateRootHandle() = 0;
  virtual void MenuChanged(TMenuItem* source, bool rebuild);

 private:
  TMenuItem* items_;
};

class TMainMenu : public TMenu {
 public:
  explicit TMainMenu(TComponent* owner);

 protected:
  HMENU CreateRootHandle() override;
};

enum TPopupAlignment { paLeft, paRight, paCenter };

class TPopupMenu : public TMenu {
 public:
  explicit TPopupMenu(TComponent* owner);
  // Raises OnPopup (with this menu as sender), then shows the menu at the
  // screen point with TrackPopupMenu (aligned as Alignment says; either
  // button chooses) and runs the chosen item's Click once it has closed.
  // The custom menu system overrides it.
  virtual void Popup(int x, int y);

  bool AutoPopup() const { return autoPopup_; }
  void SetAutoPopup(bool value) { autoPopup_ = value; }
  TPopupAlignment Alignment() const { return alignment_; }
  void SetAlignment(TPopupAlignment value) { alignment_ = value; }
  // The component whose context menu request showed this menu last.
  TComponent* PopupComponent() const { return popupComponent_; }
  void SetPopupComponent(TComponent* component);
  // Where the last Popup showed it, in screen coordinates.
  TPoint PopupPoint() const { return popupPoint_; }

  TNotifyEvent OnPopup;

  void Notification(TComponent* component, TOperation operation) override;

 protected:
  HMENU CreateRootHandle() override;

 private:
  bool autoPopup_ = true;
  TPopupAlignment alignment_ = paLeft;
  TComponent* popupComponent_ = nullptr;
  TPoint popupPoint_{0, 0};
};

// The caption without accelerator marks: single "&" removed, "&&" as "&".
std::string StripHotkey(const std::string& caption);
// The accelerator character of a caption (the one after a single "&"), or 0.
char GetHotkey(const std::string& caption);
