#include "control_dump.h"

#include <algorithm>
#include <cstring>
#include <limits>

#include "display/GIFCtrl.h"
#include "display/RXClock.h"
#include "framework/forms.h"
#include "framework/menus.h"
#include "framework/screen.h"
#include "framework/stdctrls.h"
#include "menu_dump.h"
#include "panels/TB97Ctls.h"
#include "panels/bordered_edit.h"

namespace scene {

namespace {

WindowCreationOrder* watching = nullptr;

DumpBounds FromRect(const RECT& r) { return {r.left, r.top, r.right - r.left, r.bottom - r.top}; }

// ---- framework controls

// The path of component indexes from the root owner down: sorting by it
// walks the ownership tree depth first, which is creation order.
std::vector<int> OwnershipPath(const TComponent* c) {
  std::vector<int> path;
  for (; c && c->Owner(); c = c->Owner()) path.push_back(c->ComponentIndex());
  std::reverse(path.begin(), path.end());
  return path;
}

std::vector<TControl*> ChildrenInCreationOrder(TWinControl* parent) {
  std::vector<std::pair<std::vector<int>, TControl*>> keyed;
  for (int i = 0; i < parent->ControlCount(); ++i) keyed.emplace_back(OwnershipPath(parent->Controls(i)), parent->Controls(i));
  std::stable_sort(keyed.begin(), keyed.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
  std::vector<TControl*> out;
  for (auto& k : keyed) out.push_back(k.second);
  return out;
}

DumpNode MenuItemNode(const TMenuItem* item) {
  DumpNode n{"item", item->Name(), item->Caption(), std::nullopt,
             Flag(item->Visible(), dfVisible) | Flag(item->Enabled(), dfEnabled) | Flag(item->Checked(), dfChecked),
             {}};
  for (int i = 0; i < item->Count(); ++i) n.children.push_back(MenuItemNode(item->Items(i)));
  return n;
}

DumpNode MenuNode(const TMenu* menu) {
  DumpNode n{menu->ClassName(), menu->Name(), "", std::nullopt, 0, {}};
  for (int i = 0; i < menu->Items()->Count(); ++i) n.children.push_back(MenuItemNode(menu->Items()->Items(i)));
  return n;
}

// The form's menu; a main menu that the form owns but has not set (a
// program that draws its own menu bar) is still its menu.
const TMenu* FormMenu(const TCustomForm* form) {
  if (form->Menu()) return form->Menu();
  for (int i = 0; i < form->ComponentCount(); ++i)
    if (auto* m = dynamic_cast<TMainMenu*>(form->Components(i))) return m;
  return nullptr;
}

// A tree node's label rectangle, when the node shows in the view's client
// area.
std::optional<DumpBounds> NodeBounds(HWND view, const TTreeNode* node) {
  if (!view || !node->ItemId()) return std::nullopt;
  RECT r{};
  HTREEITEM item = node->ItemId();
  std::memcpy(&r, &item, sizeof item);
  if (!SendMessageA(view, TVM_GETITEMRECT, TRUE, reinterpret_cast<LPARAM>(&r))) return std::nullopt;
  RECT client{}, shown{};
  GetClientRect(view, &client);
  if (!IntersectRect(&shown, &client, &r)) return std::nullopt;
  MapWindowPoints(view, nullptr, reinterpret_cast<POINT*>(&r), 2);
  return FromRect(r);
}

DumpNode TreeNodeNode(HWND view, const TTreeNode* node) {
  DumpNode n{"node", "", node->Text(), NodeBounds(view, node), Flag(node->Expanded(), dfExpanded), {}};
  for (const TTreeNode* c = node->GetFirstChild(); c; c = c->GetNextSibling()) n.children.push_back(TreeNodeNode(view, c));
  return n;
}

void AddItems(TControl* control, DumpNode& n) {
  if (auto* tree = dynamic_cast<TCustomTreeView*>(control)) {
    for (const TTreeNode* t = tree->Items()->GetFirstNode(); t; t = t->GetNextSibling())
      n.children.push_back(TreeNodeNode(tree->WindowHandle(), t));
  } else if (auto* combo = dynamic_cast<TCustomComboBox*>(control)) {
    for (int i = 0; i < combo->Items()->Count(); ++i)
      n.children.push_back({"entry", "", combo->Items()->Strings(i), std::nullopt, 0, {}});
  } else if (auto* bar = dynamic_cast<TStatusBar*>(control)) {
    for (int i = 0; i < bar->Panels()->Count(); ++i) {
      DumpNode p{"panel", "", bar->Panels()->Items(i)->Text(), std::nullopt, 0, {}};
      RECT r{};
      if (HWND h = bar->WindowHandle(); h && SendMessageA(h, SB_GETRECT, i, reinterpret_cast<LPARAM>(&r))) {
        MapWindowPoints(h, nullptr, reinterpret_cast<POINT*>(&r), 2);
        p.bounds = FromRect(r);
      }
      n.children.push_back(std::move(p));
    }
  }
}

// The clock's caption is never shown: the dump gives the time it shows.
std::string ControlCaption(TControl* control) {
  if (auto* clock = dynamic_cast<TRxClock*>(control)) return clock->ShownText();
  return control->Caption();
}

void AddControlState(TControl* control, DumpNode& n) {
  if (auto* animator = dynamic_cast<TRxGIFAnimator*>(control)) {
    AddExtra(n, "frame", std::to_string(animator->FrameIndex()));
    AddExtra(n, "animate", animator->Animate() ? "yes" : "no");
  }
}

bool ControlHot(TControl* control) {
  if (auto* button = dynamic_cast<TToolbarButton97*>(control)) return button->MouseInControl();
  if (auto* edit = dynamic_cast<TBorderedEdit*>(control)) return edit->IsHot();
  return false;
}

bool ControlDown(TControl* control) {
  auto* button = dynamic_cast<TToolbarButton97*>(control);
  return button && (button->State() == bsDown || button->State() == bsExclusive);
}

bool ControlChecked(TControl* control) {
  if (auto* box = dynamic_cast<TCustomCheckBox*>(control)) return box->Checked();
  if (auto* radio = dynamic_cast<TRadioButton*>(control)) return radio->Checked();
  return false;
}

// The framework control holding the focus: the focus window's, or that of
// the nearest parent that is one (a combo box's edit, say).
HWND FocusedControlWindow() {
  HWND f = GetFocus();
  while (f && !TWinControl::FindControl(f)) {
    // Past a top-level window GetParent gives its owner: stop there.
    if (!(GetWindowLongA(f, GWL_STYLE) & WS_CHILD)) return nullptr;
    f = GetParent(f);
  }
  return f;
}

unsigned ControlFlags(TControl* control) {
  auto* win = dynamic_cast<TWinControl*>(control);
  HWND h = win ? win->WindowHandle() : nullptr;
  bool enabled = control->Enabled();
  if (h && dynamic_cast<TCustomForm*>(control)) enabled = enabled && IsWindowEnabled(h);
  return Flag(control->Visible(), dfVisible) | Flag(enabled, dfEnabled) | Flag(ControlChecked(control), dfChecked) |
         Flag(h && FocusedControlWindow() == h, dfFocused) |
         Flag(h && GetActiveWindow() == h, dfActive) | Flag(ControlHot(control), dfHot) |
         Flag(ControlDown(control), dfDown);
}

DumpBounds ControlBounds(TControl* control) {
  if (!control->Parent()) {
    // A top-level window: its client area.
    const TPoint o = control->ClientOrigin();
    return {o.x, o.y, control->ClientWidth(), control->ClientHeight()};
  }
  const TPoint o = control->Parent()->ClientOrigin();
  return {o.x + control->Left(), o.y + control->Top(), control->Width(), control->Height()};
}

// ---- windows outside the framework

std::string WindowClass(HWND h) {
  char buf[256] = {};
  GetClassNameA(h, buf, sizeof buf);
  return buf;
}

std::string WindowText(HWND h) {
  std::string text(static_cast<std::size_t>(GetWindowTextLengthA(h)) + 1, '\0');
  text.resize(static_cast<std::size_t>(GetWindowTextA(h, text.data(), static_cast<int>(text.size()))));
  return text;
}

// Combo box and list box entries, read through their messages.
void AddWindowEntries(HWND h, const std::string& cls, DumpNode& n) {
  const bool combo = lstrcmpiA(cls.c_str(), WC_COMBOBOXA) == 0, list = lstrcmpiA(cls.c_str(), WC_LISTBOXA) == 0;
  if (!combo && !list) return;
  const LRESULT count = SendMessageA(h, combo ? CB_GETCOUNT : LB_GETCOUNT, 0, 0);
  for (LRESULT i = 0; i < count; ++i) {
    const LRESULT len = SendMessageA(h, combo ? CB_GETLBTEXTLEN : LB_GETTEXTLEN, static_cast<WPARAM>(i), 0);
    if (len < 0) continue;
    std::string text(static_cast<std::size_t>(len) + 1, '\0');
    SendMessageA(h, combo ? CB_GETLBTEXT : LB_GETTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(text.data()));
    text.resize(static_cast<std::size_t>(len));
    n.children.push_back({"entry", "", text, std::nullopt, 0, {}});
  }
}

bool IsCheckButton(HWND h, const std::string& cls) {
  if (lstrcmpiA(cls.c_str(), WC_BUTTONA) != 0) return false;
  switch (GetWindowLongA(h, GWL_STYLE) & BS_TYPEMASK) {
    case BS_CHECKBOX: case BS_AUTOCHECKBOX: case BS_RADIOBUTTON: case BS_AUTORADIOBUTTON: case BS_3STATE:
    case BS_AUTO3STATE:
      return true;
    default:
      return false;
  }
}

std::vector<HWND> InCreationOrder(std::vector<HWND> list, const WindowCreationOrder* order) {
  if (!order) return list;
  auto key = [&](HWND h) {
    long long k = order->Of(h);
    return k < 0 ? std::numeric_limits<long long>::max() : k;
  };
  std::stable_sort(list.begin(), list.end(), [&](HWND a, HWND b) { return key(a) < key(b); });
  return list;
}

DumpNode WindowNode(HWND h, const WindowCreationOrder* order, bool topLevel) {
  DumpNode n;
  n.cls = WindowClass(h);
  n.caption = WindowText(h);
  RECT r{};
  if (topLevel) {
    GetClientRect(h, &r);
    MapWindowPoints(h, nullptr, reinterpret_cast<POINT*>(&r), 2);
  } else {
    GetWindowRect(h, &r);
  }
  n.bounds = FromRect(r);
  const bool checked = IsCheckButton(h, n.cls) && SendMessageA(h, BM_GETCHECK, 0, 0) == BST_CHECKED;
  n.flags = Flag(GetWindowLongA(h, GWL_STYLE) & WS_VISIBLE, dfVisible) | Flag(IsWindowEnabled(h), dfEnabled) |
            Flag(checked, dfChecked) | Flag(GetFocus() == h, dfFocused) |
            Flag(topLevel && GetActiveWindow() == h, dfActive);
  AddWindowEntries(h, n.cls, n);
  std::vector<HWND> kids;
  for (HWND c = GetWindow(h, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) kids.push_back(c);
  for (HWND c : InCreationOrder(kids, order)) n.children.push_back(WindowNode(c, order, false));
  return n;
}

BOOL CALLBACK CollectTopLevel(HWND h, LPARAM lp) {
  reinterpret_cast<std::vector<HWND>*>(lp)->push_back(h);
  return TRUE;
}

}  // namespace

WindowCreationOrder::WindowCreationOrder() {
  watching = this;
  hook_ = SetWindowsHookExA(WH_CBT, &WindowCreationOrder::Hook, nullptr, GetCurrentThreadId());
}

WindowCreationOrder::~WindowCreationOrder() {
  if (hook_) UnhookWindowsHookEx(hook_);
  if (watching == this) watching = nullptr;
}

long long WindowCreationOrder::Of(HWND hwnd) const {
  auto it = seen_.find(hwnd);
  return it == seen_.end() ? -1 : it->second;
}

LRESULT CALLBACK WindowCreationOrder::Hook(int code, WPARAM wParam, LPARAM lParam) {
  if (watching) {
    HWND h = reinterpret_cast<HWND>(wParam);
    // A handle may be used again once its window is gone.
    if (code == HCBT_CREATEWND) watching->seen_[h] = watching->next_++;
    if (code == HCBT_DESTROYWND) watching->seen_.erase(h);
  }
  return CallNextHookEx(watching ? watching->hook_ : nullptr, code, wParam, lParam);
}

DumpNode DumpControl(TControl* control) {
  DumpNode n{control->ClassName(), control->Name(), ControlCaption(control), ControlBounds(control),
             ControlFlags(control), {}};
  AddControlState(control, n);
  if (auto* form = dynamic_cast<TCustomForm*>(control))
    if (const TMenu* menu = FormMenu(form)) n.children.push_back(MenuNode(menu));
  AddItems(control, n);
  AddMenuBarState(control, n);
  if (auto* win = dynamic_cast<TWinControl*>(control))
    for (TControl* c : ChildrenInCreationOrder(win)) n.children.push_back(DumpControl(c));
  return n;
}

std::vector<DumpNode> DumpScreen(const WindowCreationOrder* order) {
  std::vector<DumpNode> out;
  std::vector<HWND> formWindows;
  if (Screen) {
    for (int i = 0; i < Screen->FormCount(); ++i) {
      TCustomForm* form = Screen->Forms(i);
      if (IsDropDownWindow(form)) {
        if (auto node = DropDownNode(form)) out.push_back(std::move(*node));
        if (form->HandleAllocated()) formWindows.push_back(form->WindowHandle());
        continue;
      }
      out.push_back(DumpControl(form));
      if (form->HandleAllocated()) formWindows.push_back(form->WindowHandle());
    }
  }
  std::vector<HWND> tops;
  EnumThreadWindows(GetCurrentThreadId(), CollectTopLevel, reinterpret_cast<LPARAM>(&tops));
  for (HWND h : InCreationOrder(tops, order)) {
    if (!IsWindowVisible(h) || std::find(formWindows.begin(), formWindows.end(), h) != formWindows.end()) continue;
    // A parentless framework control that is no form (a drop-down, say)
    // is dumped as a control.
    if (TWinControl* c = TWinControl::FindControl(h))
      out.push_back(DumpControl(c));
    else
      out.push_back(WindowNode(h, order, true));
  }
  return out;
}

}  // namespace scene
