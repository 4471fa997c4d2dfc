// The thread hooks of the menu system. The bars watch focus, min/max and
// activation through a CBT and a call-window hook; the drop-down windows
// and the bars get the keyboard, and clicks elsewhere close the menus,
// through one get-message hook. Each is installed with its first
// reference and removed with its last.
#include <win32/user32.h>

#include "framework/forms.h"
#include "menus/am2000menubar.h"
#include "menus/am2000popupmenu.h"

namespace {

struct CountedHook {
  HHOOK handle = nullptr;
  int count = 0;
};
CountedHook g_cbt, g_callWnd, g_getMessage;

void Add(CountedHook& hook, int id, HOOKPROC proc) {
  if (hook.count++ == 0) hook.handle = SetWindowsHookExA(id, proc, nullptr, GetCurrentThreadId());
}

void Remove(CountedHook& hook) {
  if (hook.count == 0) return;
  if (--hook.count == 0) {
    UnhookWindowsHookEx(hook.handle);
    hook.handle = nullptr;
  }
}

HWND BarWindow() {
  TCustomMenuBar2000* bar = ActiveMenuBar();
  return bar && bar->HandleAllocated() ? bar->WindowHandle() : nullptr;
}

LRESULT CALLBACK CbtHook(int code, WPARAM wParam, LPARAM lParam) {
  if ((code == HCBT_MINMAX || code == HCBT_SETFOCUS) && BarWindow())
    PostMessageA(BarWindow(), AM2000_BARREFRESH, 2, 0);
  return CallNextHookEx(g_cbt.handle, code, wParam, lParam);
}

LRESULT CALLBACK CallWndHook(int code, WPARAM wParam, LPARAM lParam) {
  const auto* cwp = reinterpret_cast<const CWPSTRUCT*>(lParam);
  HWND bar = BarWindow();
  if (code >= 0 && cwp && bar && (cwp->hwnd == bar || cwp->hwnd == GetParent(bar))) {
    if (cwp->message == WM_ACTIVATE)
      PostMessageA(bar, AM2000_BARACTIVATE, IsWindowEnabled(GetParent(bar)) ? 1 : 0, 0);
    else if (cwp->message == WM_ACTIVATEAPP)
      PostMessageA(bar, AM2000_BARACTIVATE, cwp->wParam ? 1 : 0, 0);
  }
  return CallNextHookEx(g_callWnd.handle, code, wParam, lParam);
}

bool IsClickMessage(UINT msg) {
  switch (msg) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDOWN:
    case WM_RBUTTONDBLCLK:
    case WM_MBUTTONDOWN:
    case WM_MBUTTONDBLCLK:
    case WM_NCLBUTTONDOWN:
    case WM_NCRBUTTONDOWN:
    case WM_NCLBUTTONDBLCLK:
    case WM_NCRBUTTONDBLCLK:
      return true;
    default:
      return false;
  }
}

TCustomMenuBar2000* FindBar(TComponent* owner) {
  for (int i = 0; i < owner->ComponentCount(); ++i) {
    TComponent* c = owner->Components(i);
    if (auto* bar = dynamic_cast<TCustomMenuBar2000*>(c)) return bar;
    if (TCustomMenuBar2000* inner = FindBar(c)) return inner;
  }
  return nullptr;
}

// The bar that gets the keyboard: that of the outermost form above the
// active window, when that form draws no menu of its own.
TCustomMenuBar2000* KeyboardBar() {
  HWND active = GetActiveWindow();
  if (!active) return ActiveMenuBar();
  HWND outer = active;
  for (HWND owner = GetWindow(outer, GW_OWNER); owner; owner = GetWindow(owner, GW_OWNER)) outer = owner;
  auto* form = dynamic_cast<TCustomForm*>(TWinControl::FindControl(outer));
  if (!form || form->Menu()) return nullptr;
  TCustomMenuBar2000* bar = FindBar(form);
  if (!bar || bar->ComponentState().Contains(csDesigning) || !bar->Parent()) return nullptr;
  if (!bar->Parent()->HandleAllocated() || !IsWindowEnabled(bar->Parent()->WindowHandle())) return nullptr;
  SetActiveMenuBar(bar);
  return bar;
}

bool KeyToMenus(MSG& msg) {
  TCustomPopupMenu2000* popup = ActivePopup();
  if (popup && popup->Window() && msg.message == WM_KEYDOWN &&
      popup->Window()->Deepest()->KeyDown(msg.wParam))
    return true;
  TCustomMenuBar2000* bar = KeyboardBar();
  return bar && bar->KeyMessage(msg.message, msg.wParam, msg.lParam);
}

bool InsideMenus(HWND hwnd) {
  if (IsMenuWindow(hwnd)) return true;
  HWND bar = BarWindow();
  return bar && (hwnd == bar || IsChild(bar, hwnd));
}

LRESULT CALLBACK GetMessageHook(int code, WPARAM wParam, LPARAM lParam) {
  auto* msg = reinterpret_cast<MSG*>(lParam);
  if (code >= 0 && wParam == PM_REMOVE && msg) {
    if (IsClickMessage(msg->message) && !InsideMenus(msg->hwnd)) {
      TCustomMenuBar2000* bar = ActiveMenuBar();
      if (ActivePopup() || (bar && bar->BarState() != bsIdle)) CloseMenus(true, false);
    } else if (msg->message >= WM_KEYDOWN && msg->message <= WM_SYSKEYUP && msg->message != WM_CHAR &&
               msg->message != WM_DEADCHAR && msg->message != WM_SYSCHAR && KeyToMenus(*msg)) {
      msg->message = WM_NULL;
    }
  }
  return CallNextHookEx(g_getMessage.handle, code, wParam, lParam);
}

}  // namespace

void AddBarHooks() {
  Add(g_cbt, WH_CBT, CbtHook);
  Add(g_callWnd, WH_CALLWNDPROC, CallWndHook);
}

void RemoveBarHooks() {
  Remove(g_cbt);
  Remove(g_callWnd);
}

void AddMessageHook() { Add(g_getMessage, WH_GETMESSAGE, GetMessageHook); }
void RemoveMessageHook() { Remove(g_getMessage); }
