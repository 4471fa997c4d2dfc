#include <win32/user32.h>
#include <win32/winmm.h>

#include "framework/application.h"
#include "framework/statusbar.h"
#include "menus/am2000menubar.h"
#include "menus/am2000popupmenu.h"

namespace {
TCustomPopupMenu2000* g_activePopup = nullptr;
}

TCustomPopupMenu2000* ActivePopup() { return g_activePopup; }

void PlayMenuSound(const char* name) { sndPlaySoundA(name, SND_ASYNC | SND_NODEFAULT | SND_NOSTOP); }

bool IsMenuWindow(HWND hwnd) {
  if (!g_activePopup || !g_activePopup->Window()) return false;
  for (TPopupMenu2000Form* w = g_activePopup->Window(); w; w = w->ChildWindow())
    if (w->HandleAllocated() && (w->WindowHandle() == hwnd || IsChild(w->WindowHandle(), hwnd))) return true;
  return false;
}

void CloseMenus(bool resetBar, bool fadeOut) {
  if (TCustomPopupMenu2000* popup = g_activePopup) {
    popup->WriteHint("");
    if (TPopupMenu2000Form* w = popup->Window(); w && w->HandleAllocated()) {
      HWND h = w->WindowHandle();
      SendMessageA(h, AM2000_STOPTIMER, 0, 0);
      SendMessageA(h, AM2000_STOPANIM, 0, 0);
      SendMessageA(h, AM2000_CLOSE, 0, fadeOut ? 1 : 0);
    }
    g_activePopup = nullptr;
    if (popup->OnMenuClose) popup->OnMenuClose(popup);
  }
  if (resetBar)
    if (TCustomMenuBar2000* bar = ActiveMenuBar()) bar->ResetBar();
}

TCustomPopupMenu2000::TCustomPopupMenu2000(TComponent* owner) : T_AM2000_PopupMenu(owner) {
  window_ = new TPopupMenu2000Form(this, this);
}

TCustomPopupMenu2000::~TCustomPopupMenu2000() {
  if (g_activePopup == this) g_activePopup = nullptr;
}

void TCustomPopupMenu2000::SetStatusBar(TStatusBar* bar) {
  if (statusBar_ == bar) return;
  if (statusBar_) RemoveFreeNotification(statusBar_);
  statusBar_ = bar;
  if (statusBar_) FreeNotification(statusBar_);
}

void TCustomPopupMenu2000::Notification(TComponent* component, TOperation operation) {
  T_AM2000_PopupMenu::Notification(component, operation);
  if (operation != opRemove) return;
  if (component == statusBar_) statusBar_ = nullptr;
  if (component == window_) window_ = nullptr;
  if (component == ownerControl_) ownerControl_ = nullptr;
}

void TCustomPopupMenu2000::WriteHint(const std::string& hint) {
  if (Application) Application->SetHint(hint);
  WriteStatusHint(statusBar_, statusBarIndex_, hint);
}

void TCustomPopupMenu2000::Popup(int x, int y) { PopupAt(x, y, Rect(x, y, x, y)); }

void TCustomPopupMenu2000::PopupAt(int x, int y, const TRect& avoid) {
  CloseMenus(false, false);
  if (!window_) return;
  g_activePopup = this;
  if (OnPopup) OnPopup(this);
  if (!shown_) shown_ = Items();
  if (!handle_) handle_ = shown_->Handle();
  HWND h = window_->Handle();
  if (!IsWindowEnabled(h)) EnableWindow(h, TRUE);
  if (!window_->ShowAt(x, y, avoid)) {
    window_->Hide();
    if (g_activePopup == this) g_activePopup = nullptr;
  }
}
