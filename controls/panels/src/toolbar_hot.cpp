#include "toolbar_hot.h"

#include <memory>

#include "framework/graphics.h"
#include "framework/timer.h"
#include "framework/wincontrol.h"
#include "message_hooks.h"
#include "panels/TB97Ctls.h"

namespace toolbar_hot {
namespace {

struct Shared {
  int buttons = 0;
  TToolbarButton97* hot = nullptr;
  std::unique_ptr<TTimer> leaveTimer;
  HBITMAP patternBitmap = nullptr;
  HBRUSH pattern = nullptr;
  COLORREF patternFace = 0, patternLight = 0;
};

Shared& S() {
  static Shared shared;
  return shared;
}

const int kHookKey = 0;

void HookNotice(THookProcKind kind, HWND, WPARAM wp, LPARAM) {
  if (kind == hpSendActivateApp && wp == 0) TToolbarButton97::ApplicationDeactivated();
  if (kind == hpGetMessagePostMouseMove) TToolbarButton97::CheckHotButton();
}

}  // namespace

void Attach(TToolbarButton97*) {
  Shared& s = S();
  if (s.buttons++ > 0) return;
  s.leaveTimer = std::make_unique<TTimer>(nullptr);
  s.leaveTimer->SetEnabled(false);
  s.leaveTimer->SetInterval(kLeaveInterval);
  s.leaveTimer->SetOnTimer([](TObject*) { TToolbarButton97::CheckHotButton(); });
  InstallHookProc(&kHookKey, HookNotice, {hpSendActivateApp, hpGetMessagePostMouseMove});
}

void Detach(TToolbarButton97* button) {
  Shared& s = S();
  StopIfHot(button);
  if (--s.buttons > 0) return;
  UninstallHookProc(&kHookKey);
  s.leaveTimer.reset();
  DropPattern();
}

TToolbarButton97* Hot() { return S().hot; }

void SetHot(TToolbarButton97* button) {
  Shared& s = S();
  s.hot = button;
  if (s.leaveTimer) s.leaveTimer->SetEnabled(button != nullptr);
}

void StopIfHot(TToolbarButton97* button) {
  Shared& s = S();
  if (s.hot != button) return;
  s.hot = nullptr;
  if (s.leaveTimer) s.leaveTimer->SetEnabled(false);
}

bool LeaveTimerEnabled() { return S().leaveTimer && S().leaveTimer->Enabled(); }

TControl* ControlAtPointer() {
  POINT p{};
  GetCursorPos(&p);
  HWND h = WindowFromPoint(p);
  TWinControl* w = nullptr;
  while (h && !(w = TWinControl::FindControl(h))) h = GetParent(h);
  if (!w) return nullptr;
  if (TControl* c = w->ControlAtPos(w->ScreenToClient(TPoint{p.x, p.y}), true)) return c;
  return w;
}

HBRUSH DownPattern() {
  Shared& s = S();
  if (s.pattern) return s.pattern;
  HDC screen = GetDC(nullptr);
  s.patternBitmap = CreateCompatibleBitmap(screen, 8, 8);
  ReleaseDC(nullptr, screen);
  HDC dc = CreateCompatibleDC(nullptr);
  HGDIOBJ old = SelectObject(dc, s.patternBitmap);
  const COLORREF face = ColorToRGB(clBtnFace), light = ColorToRGB(clBtnHighlight);
  s.patternFace = face;
  s.patternLight = light;
  for (int y = 0; y < 8; ++y)
    for (int x = 0; x < 8; ++x) SetPixel(dc, x, y, (x % 2) == (y % 2) ? light : face);
  SelectObject(dc, old);
  DeleteDC(dc);
  s.pattern = CreatePatternBrush(s.patternBitmap);
  return s.pattern;
}

void DropPattern() {
  Shared& s = S();
  if (s.pattern) DeleteObject(s.pattern);
  if (s.patternBitmap) DeleteObject(s.patternBitmap);
  s.pattern = nullptr;
  s.patternBitmap = nullptr;
}

void SysColorsChanged() {
  Shared& s = S();
  if (s.pattern && (s.patternFace != ColorToRGB(clBtnFace) || s.patternLight != ColorToRGB(clBtnHighlight)))
    DropPattern();
}

}  // namespace toolbar_hot
