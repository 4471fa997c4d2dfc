#include "menu_dump.h"

#include <string>

#include "menus/am2000menubar.h"
#include "menus/am2000popupmenu.h"

namespace scene {

namespace {

const char* BarStateName(T_AM2000_BarState state) {
  switch (state) {
    case bsHot: return "hot";
    case bsSelected: return "selected";
    default: return "idle";
  }
}

const char* AnimationName(T_AM2000_Animation kind) {
  switch (kind) {
    case anFadeIn: return "anFadeIn";
    case anVSlide: return "anVSlide";
    case anHSlide: return "anHSlide";
    case anUnfold: return "anUnfold";
    default: return "anNone";
  }
}

DumpNode RowNode(TPopupMenu2000Form* window, int index) {
  const T_AM2000_MenuRow& row = window->Measure().Rows[static_cast<std::size_t>(index)];
  TMenuItem* item = row.Item;
  const TRect r = window->RowRect(index);
  const TPoint origin = window->ClientToScreen(Point(r.left, r.top));
  const bool enabled = !row.Disabled && (!item || item->Enabled());
  DumpNode n{"row", item ? item->Name() : "", item ? item->Caption() : row.Caption,
             DumpBounds{origin.x, origin.y, RectWidth(r), RectHeight(r)},
             dfVisible | Flag(enabled, dfEnabled) | Flag(item && item->Checked(), dfChecked) |
                 Flag(index == window->SelectedIndex(), dfSelected),
             {}};
  return n;
}

}  // namespace

void AddMenuBarState(TControl* control, DumpNode& node) {
  auto* bar = dynamic_cast<TCustomMenuBar2000*>(control);
  if (!bar) return;
  node.flags |= Flag(bar->BarState() == bsHot, dfHot) | Flag(bar->BarState() == bsSelected, dfSelected);
  TMenuItem* current = bar->CurrentItem();
  node.extra = std::string("state=") + BarStateName(bar->BarState()) +
               " current=" + (current && !current->Name().empty() ? current->Name() : "-");
}

bool IsDropDownWindow(const TCustomForm* form) { return dynamic_cast<const TPopupMenu2000Form*>(form) != nullptr; }

std::optional<DumpNode> DropDownNode(TCustomForm* form) {
  auto* window = dynamic_cast<TPopupMenu2000Form*>(form);
  if (!window || !window->HandleAllocated() || !IsWindowVisible(window->WindowHandle())) return std::nullopt;
  HWND h = window->WindowHandle();
  RECT r{};
  GetWindowRect(h, &r);
  DumpNode n{window->ClassName(), window->Name(), "", DumpBounds{r.left, r.top, r.right - r.left, r.bottom - r.top},
             dfVisible | Flag(IsWindowEnabled(h), dfEnabled), {}};
  const bool animating = (window->WindowFlags() & wfAnimating) != 0;
  // The fade frame last shown; a window that slides or is still has none.
  const int frame = animating && window->Animating() == anFadeIn ? window->FramesShown() : 0;
  n.extra = std::string("animation=") + AnimationName(window->Animating()) + " frame=" + std::to_string(frame) +
            " animating=" + (animating ? "yes" : "no");
  for (int i = 0; i < window->RowCount(); ++i) n.children.push_back(RowNode(window, i));
  return n;
}

}  // namespace scene
