// TMenuBar2000: a child control that draws a window's main menu itself in
// one or more rows, tracks the pointer over its items, handles Alt, F10,
// accelerators and arrows, and opens each item's drop-down through the
// drop-down object it owns.
#pragma once

#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "framework/bitmap.h"
#include "framework/menus.h"
#include "framework/timer.h"
#include "framework/wincontrol.h"
#include "menus/am2000options.h"
#include "menus/am2000popupmenu.h"

class TStatusBar;
class TCustomForm;

enum T_AM2000_BarState : unsigned char { bsIdle = 0, bsHot = 1, bsSelected = 2 };

class TCustomMenuBar2000 : public TCustomControl {
 public:
  explicit TCustomMenuBar2000(TComponent* owner);
  ~TCustomMenuBar2000() override;
  void BeforeDestruction() override;

  T_AM2000_Options* Options() { return &options_; }
  void SetOptions(T_AM2000_Options* options);
  TMainMenu* Menu() const { return menu_; }
  void SetMenu(TMainMenu* menu);
  bool SystemFont() const { return systemFont_; }
  void SetSystemFont(bool on);
  TCustomPopupMenu2000* PopupMenu2000() const { return popup_; }
  bool Ctl3D() const { return ctl3D_; }
  void SetCtl3D(bool on);
  TStatusBar* StatusBar() const { return statusBar_; }
  void SetStatusBar(TStatusBar* bar);
  int StatusBarIndex() const { return statusBarIndex_; }
  void SetStatusBarIndex(int index) { statusBarIndex_ = index; }
  bool Transparent() const { return transparent_; }
  void SetTransparent(bool on);

  T_AM2000_MenuCommandEvent OnMenuCommand;
  T_AM2000_MenuCloseEvent OnMenuClose;
  T_AM2000_CloseQueryEvent OnCloseQuery;

  // ---- state, for the windows and the scene dump
  T_AM2000_BarState BarState() const { return barState_; }
  bool BarActive() const { return barActive_; }
  bool KeyboardMode() const { return keyboardMode_; }
  TMenuItem* CurrentItem() const { return currentItem_; }
  int CurrentIndex() const { return currentIndex_; }
  TMenuItem* OpenItem() const { return openItem_; }
  // Laid-out items (visible top-level items) and their rectangles.
  int ItemCount() const { return static_cast<int>(itemRects_.size()); }
  TMenuItem* Item(int index) const;
  TRect ItemRect(int index) const;
  int ItemAt(TPoint client) const;

  // Back to idle: menus closed, nothing current shown.
  void ResetBar();
  // A keyboard message from the message hook; true when the bar took it.
  bool KeyMessage(UINT msg, WPARAM wParam, LPARAM lParam);
  // Makes item `index` current (hot tracking and keys).
  void SelectItem(int index);
  // Opens the current item's drop-down.
  void OpenCurrent();

  void SetBounds(int left, int top, int width, int height) override;
  void WndProc(TMessage& message) override;

 protected:
  // Takes the owner form's main menu when none is set.
  void Loaded() override;
  void Paint() override;
  void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
  void MouseMove(TShiftState shift, int x, int y) override;
  void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;
  void Notification(TComponent* component, TOperation operation) override;

 private:
  TFont* DrawFont();
  void Layout(int& width, int& height);
  void CaptureParent();
  void FillBuffer();
  void DrawBarItem(int index, HDC dc);
  void RedrawItem(int index);
  void SetState(T_AM2000_BarState state);
  bool SysKeyDown(WPARAM key);
  bool SysKeyUp(WPARAM key);
  bool KeyDownSelected(WPARAM key);
  bool ShortcutKey(WPARAM key, LPARAM data);
  int FindAccelerator(WPARAM key) const;
  int Neighbour(int index, int dir) const;
  void EnterKeyboardMode();
  void Refresh(WPARAM what);
  void BuildToolTips();

  T_AM2000_Options options_;
  T_AM2000_Options barOptions_;
  TMainMenu* menu_ = nullptr;
  bool systemFont_ = true;
  TCustomPopupMenu2000* popup_ = nullptr;
  bool ctl3D_ = true;
  TStatusBar* statusBar_ = nullptr;
  int statusBarIndex_ = 0;
  bool transparent_ = false;

  TCustomForm* ownerForm_ = nullptr;
  TBitmap itemBuffer_;
  bool bufferValid_ = false;
  TBitmap parentImage_;
  std::vector<std::pair<TMenuItem*, TRect>> itemRects_;
  TMenuItem* currentItem_ = nullptr;
  int currentIndex_ = -1;
  TMenuItem* openItem_ = nullptr;
  TRect currentRect_{0, 0, 0, 0};
  T_AM2000_BarState barState_ = bsIdle;
  bool barActive_ = true;
  TColor textColor_ = clMenuText;
  bool mouseDownOnItem_ = false;
  bool altConsumed_ = false;
  bool keyboardMode_ = false;
  TTimer* expandTimer_ = nullptr;
  HWND toolTips_ = nullptr;
  std::unique_ptr<TFont> menuFont_;
  TPoint lastMove_{-100, -100};
  bool loaded_ = false;
  bool hooked_ = false;
  bool caretHidden_ = false;
};

class TMenuBar2000 : public TCustomMenuBar2000 {
 public:
  using TCustomMenuBar2000::TCustomMenuBar2000;
};

// The bar that last saw the mouse or was activated, or null.
TCustomMenuBar2000* ActiveMenuBar();
void SetActiveMenuBar(TCustomMenuBar2000* bar);
// The thread hooks of the bars (CBT, call-window) and of the drop-down
// windows (get-message), each installed with the first reference.
void AddBarHooks();
void RemoveBarHooks();
void AddMessageHook();
void RemoveMessageHook();
// The hint text of a status bar panel: the long part, trimmed, each
// "&#" group of five characters as one blank.
std::string StatusHintText(const std::string& hint);
void WriteStatusHint(TStatusBar* bar, int index, const std::string& hint);
