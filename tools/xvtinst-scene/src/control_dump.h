// The window tree of a framework program as dump nodes, with no knowledge
// of any particular window.
//
// What "creation order" means for each list walked:
// - forms: the order of Screen's form list, which forms join when they are
//   made;
// - the controls below a parent: the order of the ownership tree walked
//   depth first (every owner keeps its components in the order they were
//   made, and an owner is made before what it owns), so two controls of one
//   window description come in the order they were created, whatever their
//   z-order or when their windows were made;
// - windows outside the framework and their child windows: the order in
//   which the windows were made, as a CBT hook of the thread saw them;
//   windows made before the hook come after the ones it saw, in the
//   window list's order;
// - items: the order of their lists (menu items, tree nodes depth first,
//   combo and list box entries, status bar panels).
//
// Flags: `visible` is a control's own Visible (a window's own WS_VISIBLE),
// not whether its parents show; `enabled` is its own Enabled, and for a
// form also whether its window accepts input (a modal window disables the
// others); `checked` for check boxes, radio buttons and checked menu
// items; `focused` for the control whose window has the keyboard focus;
// `active` for the active top-level window; `expanded` for open tree nodes.
#pragma once
#include <map>
#include <vector>

#include "dump.h"
#include "win32/windows.h"

class TControl;
class TCustomForm;

namespace scene {

// Watches window creation on the calling thread for as long as it lives
// (one at a time per process: the hook procedure has no context).
class WindowCreationOrder {
 public:
  WindowCreationOrder();
  ~WindowCreationOrder();
  WindowCreationOrder(const WindowCreationOrder&) = delete;
  WindowCreationOrder& operator=(const WindowCreationOrder&) = delete;

  // The position of `hwnd` among the windows made while watching, or -1.
  long long Of(HWND hwnd) const;

 private:
  static LRESULT CALLBACK Hook(int code, WPARAM wParam, LPARAM lParam);
  HHOOK hook_ = nullptr;
  std::map<HWND, long long> seen_;
  long long next_ = 0;
};

// Every form of Screen, each with its menu and controls, then the visible
// top-level windows of the calling thread that are not forms, with their
// child windows. `order` may be null (foreign windows then keep the window
// list's order).
std::vector<DumpNode> DumpScreen(const WindowCreationOrder* order);

// One control and everything below it.
DumpNode DumpControl(TControl* control);

}  // namespace scene
