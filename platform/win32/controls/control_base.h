// Shared plumbing of the control classes: per-window state, notifications to
// the parent, fonts, colour brushes and class registration.
#pragma once

#include <win32/comctl32.h>
#include <win32/gdi32.h>
#include <win32/gdi32_text.h>
#include <win32/user32.h>
#include <win32/user32_controls.h>
#include <win32/user32_draw.h>
#include <win32/user32_text.h>

#include <memory>
#include <string>
#include <unordered_map>

namespace controls {

// State of each window of one class, created on WM_NCCREATE and dropped on
// WM_NCDESTROY by the class's window procedure.
template <class T>
class StateMap {
 public:
  T* Get(HWND h) {
    auto it = map_.find(h);
    return it == map_.end() ? nullptr : it->second.get();
  }
  T& Create(HWND h) { return *(map_[h] = std::make_unique<T>()); }
  void Erase(HWND h) { map_.erase(h); }

 private:
  std::unordered_map<HWND, std::unique_ptr<T>> map_;
};

// The states of all windows of one control class.
template <class T>
StateMap<T>& States() {
  static StateMap<T> m;
  return m;
}

inline LONG Style(HWND h) { return GetWindowLongA(h, GWL_STYLE); }
inline void Redraw(HWND h) { InvalidateRect(h, nullptr, FALSE); }

HBRUSH SysBrush(int index);
// WM_COMMAND to the parent with the control's id and a notification code.
void NotifyCommand(HWND hwnd, WORD code);
// WM_NOTIFY to the parent; fills the header's sender fields.
LRESULT NotifyParent(HWND hwnd, NMHDR* hdr, UINT code);
// The font a control draws with: the one set by WM_SETFONT, else the GUI font.
HFONT UsedFont(HFONT set);
// Asks the parent for the background brush (WM_CTLCOLOR...), which also sets
// the DC's text and background colours.
HBRUSH ParentBrush(HWND hwnd, HDC dc, UINT msg);
std::string WindowText(HWND hwnd);
int FontHeight(HDC dc);
// Registers a global class unless a class of that name already exists.
void RegisterOnce(const char* name, WNDPROC proc, UINT style, int background);

// The classic look, in one place.
namespace look {
// One-pixel bevel: top and left in `tl`, bottom and right in `br` (colour indices).
void Bevel(HDC dc, const RECT& r, int tl, int br);
void PushFrame(HDC dc, RECT r, bool pushed, bool isDefault);
// Draws text in the selected font, embossed when disabled.
void Text(HDC dc, const std::string& s, RECT r, UINT format, bool disabled);
void Etched(HDC dc, RECT r, UINT flags);
}  // namespace look

// Host clipboard, Windows-1252 on our side.
std::string ClipboardGet();
void ClipboardSet(const std::string& text);

// Codes a combo box's drop-down list sends its combo box besides LBN_*.
constexpr WORD kListPicked = 0x7F01;
constexpr WORD kListCancel = 0x7F02;
// Window property of a drop-down list naming its combo box.
constexpr const char* kComboProp = "xvt.combo";

// Registration of the classes, one per control unit.
void RegisterButton();
void RegisterStatic();
void RegisterEdit();
void RegisterListBox();
void RegisterComboBox();
void RegisterScrollBar();
void RegisterTreeView();
void RegisterStatusBar();
void RegisterToolTip();

}  // namespace controls
