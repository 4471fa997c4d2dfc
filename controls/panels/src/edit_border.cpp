#include "edit_border.h"

#include <algorithm>
#include <vector>

#include "framework/wincontrol.h"

namespace edit_border {

namespace {

struct HotClass {
  ClassTest isOfClass;
  int instances;
};

// Window controls live on the thread that runs the windows, so the list
// needs no lock.
std::vector<HotClass>& HotClasses() {
  static std::vector<HotClass> list;
  return list;
}

}  // namespace

HDC WindowDc(HWND window, WPARAM region) {
  HDC dc = GetWindowDC(window);
  if (region > 1) {
    RECT w{};
    GetWindowRect(window, &w);
    HRGN clip = CreateRectRgn(0, 0, 0, 0);
    CombineRgn(clip, reinterpret_cast<HRGN>(region), nullptr, RGN_COPY);
    OffsetRgn(clip, -w.left, -w.top);
    ExtSelectClipRgn(dc, clip, RGN_AND);
    DeleteObject(clip);
  }
  return dc;
}

RECT WindowRect(HWND window) {
  RECT r{};
  GetWindowRect(window, &r);
  OffsetRect(&r, -r.left, -r.top);
  return r;
}

TWinControl* FocusedControl() { return TWinControl::FindControl(GetFocus()); }

void EnterHotClass(ClassTest isOfClass) {
  auto& list = HotClasses();
  auto it = std::find_if(list.begin(), list.end(), [&](const HotClass& c) { return c.isOfClass == isOfClass; });
  if (it == list.end()) list.push_back({isOfClass, 1});
  else ++it->instances;
}

void LeaveHotClass(ClassTest isOfClass) {
  auto& list = HotClasses();
  auto it = std::find_if(list.begin(), list.end(), [&](const HotClass& c) { return c.isOfClass == isOfClass; });
  if (it != list.end() && --it->instances == 0) list.erase(it);
}

bool IsOfHotClass(const TWinControl* control) {
  if (!control) return false;
  const auto& list = HotClasses();
  return std::any_of(list.begin(), list.end(), [&](const HotClass& c) { return c.isOfClass(control); });
}

int HotClassCount() { return static_cast<int>(HotClasses().size()); }

}  // namespace edit_border
