#include "edit_border.h"

#include "framework/wincontrol.h"

namespace edit_border {

void StripSystemBorder(TCreateParams& params) {
  params.Style &= ~WS_BORDER;
  params.ExStyle &= ~WS_EX_CLIENTEDGE;
}

void ShrinkClient(LPARAM lParam) {
  auto* r = reinterpret_cast<RECT*>(lParam);
  InflateRect(r, -kWidth, -kWidth);
}

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

}  // namespace edit_border
