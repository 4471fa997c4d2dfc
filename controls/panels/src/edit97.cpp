// TEdit97: the flat edit of the toolbar controls.
#include "edit_border.h"
#include "framework/gdi_resources.h"
#include "panels/TB97Ctls.h"

namespace {

bool IsEdit97(const TWinControl* control) { return dynamic_cast<const TEdit97*>(control) != nullptr; }

}  // namespace

TEdit97::TEdit97(TComponent* owner) : TBorderedEdit(owner) {
  SetHeight(19);
  edit_border::EnterHotClass(IsEdit97);
}

TEdit97::~TEdit97() { edit_border::LeaveHotClass(IsEdit97); }

void TEdit97::Loaded() {
  TBorderedEdit::Loaded();
  FitHeight();
}

void TEdit97::FitHeight() {
  HDC dc = GetDC(nullptr);
  HGDIOBJ old = SelectObject(dc, FontHandle(Font()->Data()));
  TEXTMETRICA tm{};
  GetTextMetricsA(dc, &tm);
  SelectObject(dc, old);
  ReleaseDC(nullptr, dc);
  SetHeight(tm.tmHeight + 6);
}

// Moving over one edit must not take the hot look from the one being typed
// in.
bool TEdit97::KeepsHotLook(TWinControl* focused) const { return edit_border::IsOfHotClass(focused); }

void TEdit97::DrawBorder(HDC dc) {
  RECT r = edit_border::WindowRect(WindowHandle());
  HBRUSH face = GetSysColorBrush(COLOR_BTNFACE), window = GetSysColorBrush(COLOR_WINDOW);
  if (!IsHot()) {
    FrameRect(dc, &r, face);
    InflateRect(&r, -1, -1);
    FrameRect(dc, &r, face);
    InflateRect(&r, -1, -1);
    FrameRect(dc, &r, window);
    return;
  }
  DrawEdge(dc, &r, BDR_SUNKENOUTER, BF_RECT | BF_ADJUST);
  RECT left{r.left, r.top, r.left + 1, r.bottom - 1}, top{r.left, r.top, r.right - 1, r.top + 1};
  FillRect(dc, &left, face);
  FillRect(dc, &top, face);
  DrawEdge(dc, &r, BDR_SUNKENINNER, BF_BOTTOMRIGHT);
  InflateRect(&r, -1, -1);
  FrameRect(dc, &r, window);
}

void TEdit97::RedrawBorder() {
  if (!HandleAllocated()) return;
  HDC dc = GetWindowDC(WindowHandle());
  DrawBorder(dc);
  ReleaseDC(WindowHandle(), dc);
}

void TEdit97::Print(HDC dc, LPARAM flags) {
  HWND h = WindowHandle();
  if ((flags & PRF_CHECKVISIBLE) && !IsWindowVisible(h)) return;
  if (flags & PRF_NONCLIENT) {
    const int saved = SaveDC(dc);
    DrawBorder(dc);
    RestoreDC(dc, saved);
  }
  if (flags & PRF_CLIENT) {
    const int saved = SaveDC(dc);
    RECT w{};
    GetWindowRect(h, &w);
    POINT origin{0, 0};
    ::ClientToScreen(h, &origin);
    OffsetViewportOrgEx(dc, origin.x - w.left, origin.y - w.top, nullptr);
    if (flags & PRF_ERASEBKGND) SendMessageA(h, WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), 0);
    SendMessageA(h, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc), flags);
    RestoreDC(dc, saved);
  }
  auto printChild = [&](HWND child) {
    if (!IsWindowVisible(child)) return;
    const int saved = SaveDC(dc);
    RECT w{}, cw{};
    GetWindowRect(h, &w);
    GetWindowRect(child, &cw);
    OffsetViewportOrgEx(dc, cw.left - w.left, cw.top - w.top, nullptr);
    IntersectClipRect(dc, 0, 0, cw.right - cw.left, cw.bottom - cw.top);
    SendMessageA(child, WM_PRINT, reinterpret_cast<WPARAM>(dc), flags);
    RestoreDC(dc, saved);
  };
  if (flags & PRF_CHILDREN)
    for (HWND c = GetWindow(h, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) printChild(c);
  if (flags & PRF_OWNED)
    for (HWND c = GetWindow(GetDesktopWindow(), GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT))
      if (GetWindow(c, GW_OWNER) == h) printChild(c);
}

void TEdit97::WndProc(TMessage& message) {
  switch (message.Msg) {
    case WM_NCPAINT: {
      HDC dc = edit_border::WindowDc(WindowHandle(), message.WParam);
      DrawBorder(dc);
      ReleaseDC(WindowHandle(), dc);
      message.Result = 0;
      return;
    }
    case WM_PRINT:
      Print(reinterpret_cast<HDC>(message.WParam), message.LParam);
      message.Result = 1;
      return;
    case CM_ENABLEDCHANGED:
      TBorderedEdit::WndProc(message);
      SetColor(Enabled() ? clWindow : clBtnFace);
      return;
    case CM_FONTCHANGED:
      TBorderedEdit::WndProc(message);
      if (!ComponentState().Contains(csLoading)) FitHeight();
      return;
    default: break;
  }
  TBorderedEdit::WndProc(message);
}
