#include <cctype>

#include <win32/user32.h>

#include "framework/menus.h"

TMenu::TMenu(TComponent* owner) : TComponent(owner), items_(new TMenuItem(nullptr)) { items_->menu_ = this; }

TMenu::~TMenu() {
  // The tree goes quietly: nobody is told of a menu that is going away.
  items_->menu_ = nullptr;
  Free(items_);
}

namespace {

TMenuItem* FindIn(TMenuItem* parent, UINT value, TFindItemKind kind) {
  for (int i = 0; i < parent->Count(); ++i) {
    TMenuItem* item = parent->Items(i);
    bool match = (kind == fkCommand && item->Command() == value) ||
                 (kind == fkShortCut && item->ShortCut() != scNone && item->ShortCut() == value) ||
                 (kind == fkHandle && item->Count() > 0 && reinterpret_cast<UINT_PTR>(item->Handle()) == value);
    if (match) return item;
    if (TMenuItem* found = FindIn(item, value, kind)) return found;
  }
  return nullptr;
}

}  // namespace

TMenuItem* TMenu::FindItem(UINT value, TFindItemKind kind) const {
  if (kind == fkHandle && reinterpret_cast<UINT_PTR>(items_->Handle()) == value) return items_;
  return FindIn(items_, value, kind);
}

bool TMenu::IsShortCut(std::uint16_t key, TShiftState shift) {
  TShortCut wanted = ::ShortCut(key, shift);
  if (wanted == scNone) return false;
  TMenuItem* item = FindItem(wanted, fkShortCut);
  if (!item) return false;
  for (TMenuItem* up = item; up && up != items_; up = up->Parent())
    if (!up->Enabled()) return false;
  item->Click();
  return true;
}

bool TMenu::DispatchCommand(UINT command) {
  TMenuItem* item = FindItem(command, fkCommand);
  if (!item) return false;
  item->Click();
  return true;
}

void TMenu::MenuChanged(TMenuItem* source, bool rebuild) {
  if (OnChange && !ComponentState().Contains(csDestroying)) OnChange(this, source, rebuild);
}

TMainMenu::TMainMenu(TComponent* owner) : TMenu(owner) {
  // Announced again now that the kind is known: a menu bar or form that
  // looks for main menus being inserted can recognise this one.
  if (Owner()) Owner()->Notification(this, opInsert);
}

HMENU TMainMenu::CreateRootHandle() { return CreateMenu(); }

TPopupMenu::TPopupMenu(TComponent* owner) : TMenu(owner) {
  if (Owner()) Owner()->Notification(this, opInsert);
}

HMENU TPopupMenu::CreateRootHandle() { return CreatePopupMenu(); }

namespace {

// The pop-up menus' owner: a hidden window of their own, so no form sees
// their notifications; the command comes back from TrackPopupMenu itself.
HWND PopupOwner() {
  static HWND owner = nullptr;
  if (owner && IsWindow(owner)) return owner;
  static const bool registered = [] {
    WNDCLASSA wc{};
    wc.lpfnWndProc = DefWindowProcA;
    wc.lpszClassName = "XvtPopupMenuOwner";
    return RegisterClassA(&wc) != 0;
  }();
  owner = registered ? CreateWindowExA(WS_EX_TOOLWINDOW, "XvtPopupMenuOwner", "", WS_POPUP, 0, 0, 0, 0, nullptr,
                                       nullptr, nullptr, nullptr)
                     : nullptr;
  return owner;
}

}  // namespace

void TPopupMenu::Popup(int x, int y) {
  popupPoint_ = Point(x, y);
  if (OnPopup) OnPopup(this);
  static constexpr UINT kAlign[] = {TPM_LEFTALIGN, TPM_RIGHTALIGN, TPM_CENTERALIGN};
  const UINT flags = kAlign[alignment_] | TPM_RIGHTBUTTON | TPM_RETURNCMD;
  const auto command = static_cast<UINT>(TrackPopupMenu(Handle(), flags, x, y, 0, PopupOwner(), nullptr));
  if (command == 0) return;
  if (TMenuItem* item = FindItem(command, fkCommand)) item->Click();
}

void TPopupMenu::SetPopupComponent(TComponent* component) {
  if (component == popupComponent_) return;
  if (popupComponent_) RemoveFreeNotification(popupComponent_);
  popupComponent_ = component;
  if (component) FreeNotification(component);
}

void TPopupMenu::Notification(TComponent* component, TOperation operation) {
  if (operation == opRemove && component == popupComponent_) popupComponent_ = nullptr;
  TMenu::Notification(component, operation);
}

std::string StripHotkey(const std::string& caption) {
  std::string out;
  for (std::size_t i = 0; i < caption.size(); ++i) {
    if (caption[i] == '&') {
      if (i + 1 < caption.size() && caption[i + 1] == '&') out += '&';
      ++i;
      if (i >= caption.size() || caption[i] == '&') continue;
    }
    out += caption[i];
  }
  return out;
}

char GetHotkey(const std::string& caption) {
  for (std::size_t i = 0; i + 1 < caption.size(); ++i) {
    if (caption[i] != '&') continue;
    if (caption[i + 1] != '&') return static_cast<char>(std::toupper(static_cast<unsigned char>(caption[i + 1])));
    ++i;  // "&&" is a plain ampersand
  }
  return 0;
}
