// A plain menu bar for a form: the top-level captions of a TMainMenu in a
// button-face strip, each opening its drop-down with TrackPopupMenu below
// the caption and running the chosen item's Click. It behaves as a Windows
// menu bar: the pointer moving onto another caption switches drop-downs,
// Left and Right step between them, Alt+mnemonic and F10 on the form open
// them, and the hint of the highlighted item goes to the application.
#pragma once

#include <win32/user32.h>

#include <vector>

#include "framework/forms.h"
#include "framework/menus.h"
#include "framework/wincontrol.h"

class TPlainMenuBar : public TCustomControl {
 public:
  explicit TPlainMenuBar(TComponent* owner);
  ~TPlainMenuBar() override;
  void BeforeDestruction() override;

  TMainMenu* Menu() const { return menu_; }
  void SetMenu(TMainMenu* menu);

  // The visible top-level items, in menu order.
  int ItemCount() const;
  TMenuItem* Item(int index) const;
  // A caption's cell in client coordinates (empty outside the range).
  TRect ItemRect(int index);
  // The caption under a client point, or -1.
  int ItemAt(TPoint client);

  // Opens the drop-down of item `index` (from the keyboard: with its first
  // entry highlighted) and returns once the menus have closed, after the
  // chosen item's Click. An item without entries is clicked at once.
  void OpenItem(int index, bool fromKeyboard);
  int OpenIndex() const { return open_; }
  int HotIndex() const { return hot_; }

  void WndProc(TMessage& message) override;
  void SetParent(TWinControl* parent) override;

 protected:
  void Paint() override;
  void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
  void MouseMove(TShiftState shift, int x, int y) override;
  void Notification(TComponent* component, TOperation operation) override;

 private:
  static LRESULT CALLBACK MenuFilter(int code, WPARAM wParam, LPARAM lParam);
  // Messages of the menu loop seen first; true when the bar took one.
  bool FilterMenuMessage(const MSG& msg);
  void MenuSelect(WPARAM wParam, LPARAM lParam);
  void SwitchTo(int index, bool fromKeyboard);
  // The next enabled caption from `index` going `dir`, wrapping.
  int Neighbour(int index, int dir) const;
  // Alt+character (0 for Alt alone or F10) on the form; true when it opened a menu.
  bool KeyMenu(char ch);
  void HookForm();
  void UnhookForm();
  void SetHot(int index);
  // Each visible caption's cell, left to right.
  std::vector<TRect> CaptionCells();
  void DrawCaption(HDC dc, int index, TRect cell);
  void PaintParentControls(HDC dc);

  TMainMenu* menu_ = nullptr;
  int open_ = -1;
  int hot_ = -1;
  int switchTo_ = -1;
  bool switchByKey_ = false;
  HMENU selMenu_ = nullptr;  // where the last WM_MENUSELECT pointed
  UINT selFlags_ = 0;
  TCustomForm* form_ = nullptr;
  TWndMethod formProc_;
};
