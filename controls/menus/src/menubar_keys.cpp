#include <cctype>

#include <win32/comctl32.h>
#include <win32/user32.h>

#include "framework/application.h"
#include "framework/statusbar.h"
#include "framework/text.h"
#include "menus/am2000menubar.h"

namespace {

bool Down(int vk) { return (GetKeyState(vk) & 0x8000) != 0; }

TShiftState CurrentShift() {
  TShiftState s;
  if (Down(VK_SHIFT)) s.Include(ssShift);
  if (Down(VK_CONTROL)) s.Include(ssCtrl);
  if (Down(VK_MENU)) s.Include(ssAlt);
  return s;
}

bool MayBeShortcut(WPARAM key, LPARAM data) {
  if (key == VK_CONTROL || key == VK_SHIFT || key == VK_MENU) return false;
  return Down(VK_CONTROL) || (data & (1 << 29)) || (key >= VK_F1 && key <= VK_F12) || key == VK_BACK ||
         key == VK_ESCAPE || key == VK_INSERT || key == VK_DELETE;
}

}  // namespace

bool TCustomMenuBar2000::KeyMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
  if (!menu_) return false;
  switch (msg) {
    case WM_SYSKEYDOWN: return SysKeyDown(wParam);
    case WM_SYSKEYUP: return SysKeyUp(wParam);
    case WM_KEYDOWN: return barState_ == bsSelected ? KeyDownSelected(wParam) : ShortcutKey(wParam, lParam);
    default: return false;
  }
}

int TCustomMenuBar2000::FindAccelerator(WPARAM key) const {
  if (key > 0xFF) return -1;
  const char wanted = static_cast<char>(std::toupper(static_cast<int>(key)));
  if (std::isalnum(static_cast<unsigned char>(wanted)))
    for (int i = 0; i < ItemCount(); ++i)
      if (std::toupper(static_cast<unsigned char>(GetHotkey(Item(i)->Caption()))) == wanted) return i;
  // Then the first letter of the caption, which users expect to work too.
  for (int i = 0; i < ItemCount(); ++i) {
    const std::string plain = StripHotkey(Item(i)->Caption());
    if (!plain.empty() && std::toupper(static_cast<unsigned char>(plain[0])) == wanted) return i;
  }
  return -1;
}

bool TCustomMenuBar2000::SysKeyDown(WPARAM key) {
  if (barState_ != bsIdle) {
    // A second Alt (or any Alt key) closes the selection; its release
    // must not select again.
    CloseMenus(true, false);
    altConsumed_ = true;
    return true;
  }
  if (key == VK_MENU || key == VK_F10) return false;
  const int index = FindAccelerator(key);
  if (index < 0) return false;
  altConsumed_ = true;
  keyboardMode_ = true;
  SelectItem(index);
  SetState(bsSelected);
  keyboardMode_ = true;
  OpenCurrent();
  return true;
}

// Only the release of Alt (or F10) ends what the press began: the letter
// of Alt+letter is often let go first, and must not make the Alt release
// select the bar after its command ran.
bool TCustomMenuBar2000::SysKeyUp(WPARAM key) {
  if (key != VK_MENU && key != VK_F10) return true;
  if (barState_ == bsIdle && !altConsumed_) EnterKeyboardMode();
  altConsumed_ = false;
  return true;
}

void TCustomMenuBar2000::EnterKeyboardMode() {
  if (ItemCount() == 0) return;
  keyboardMode_ = true;
  if (currentIndex_ < 0) currentIndex_ = 0;
  currentItem_ = Item(currentIndex_);
  SetState(bsSelected);
  ::SetCursor(LoadCursorA(nullptr, IDC_ARROW));
  RedrawItem(currentIndex_);
}

int TCustomMenuBar2000::Neighbour(int index, int dir) const {
  const int n = ItemCount();
  if (n == 0) return -1;
  return ((index + dir) % n + n) % n;
}

bool TCustomMenuBar2000::KeyDownSelected(WPARAM key) {
  const bool shift = Down(VK_SHIFT);
  int dir = 0;
  if (key == VK_LEFT || (key == VK_TAB && shift)) dir = -1;
  if (key == VK_RIGHT || (key == VK_TAB && !shift)) dir = 1;
  if (dir != 0) {
    const bool wasKeyboard = keyboardMode_;
    keyboardMode_ = true;
    SelectItem(Neighbour(currentIndex_, dir));
    if (!ActivePopup()) keyboardMode_ = wasKeyboard || barState_ == bsSelected;
    return true;
  }
  switch (key) {
    case VK_ESCAPE:
      CloseMenus(true, false);
      return true;
    case VK_RETURN:
    case VK_SPACE:
    case VK_UP:
    case VK_DOWN:
      if (!ActivePopup()) {
        keyboardMode_ = true;
        OpenCurrent();
      }
      return true;
    default:
      break;
  }
  if (ActivePopup()) return false;
  // In the bar's keyboard selection a letter opens its item, as Alt+letter does.
  const int index = FindAccelerator(key);
  if (index < 0) {
    if (key != VK_SHIFT && key != VK_CONTROL && key != VK_MENU && key != VK_F1) MessageBeep(0);
    return key != VK_F1;
  }
  keyboardMode_ = true;
  SelectItem(index);
  keyboardMode_ = true;
  OpenCurrent();
  return true;
}

bool TCustomMenuBar2000::ShortcutKey(WPARAM key, LPARAM data) {
  if (!MayBeShortcut(key, data)) return false;
  return menu_->IsShortCut(static_cast<std::uint16_t>(key), CurrentShift());
}

// ---- hints

std::string StatusHintText(const std::string& hint) {
  std::string text = Trim(GetLongHint(hint));
  std::string out;
  for (std::size_t i = 0; i < text.size();) {
    if (text.compare(i, 2, "&#") == 0) {
      out += ' ';
      i += 5;
    } else {
      out += text[i++];
    }
  }
  return out;
}

void WriteStatusHint(TStatusBar* bar, int index, const std::string& hint) {
  if (!bar) return;
  const std::string text = StatusHintText(hint);
  if (bar->SimplePanel())
    bar->SetSimpleText(text);
  else if (index >= 0 && index < bar->Panels()->Count())
    bar->Panels()->Items(index)->SetText(text);
}

void TCustomMenuBar2000::BuildToolTips() {
  if (toolTips_) {
    DestroyWindow(toolTips_);
    toolTips_ = nullptr;
  }
  if (statusBar_ || !ShowHint() || ItemCount() == 0 || ComponentState().Contains(csDesigning)) return;
  bool any = false;
  for (int i = 0; i < ItemCount(); ++i) any |= !Item(i)->Hint().empty();
  if (!any) return;
  toolTips_ = CreateWindowExA(0, TOOLTIPS_CLASSA, "", TTS_ALWAYSTIP, 0, 0, 0, 0, Handle(), nullptr, nullptr, nullptr);
  for (int i = 0; i < ItemCount(); ++i) {
    const std::string& hint = Item(i)->Hint();
    if (hint.empty()) continue;
    TOOLINFOA tool{};
    tool.cbSize = sizeof tool;
    tool.uFlags = TTF_SUBCLASS;
    tool.hwnd = Handle();
    tool.uId = static_cast<UINT_PTR>(i + 1);
    tool.rect = ItemRect(i);
    std::string text = GetShortHint(hint);
    tool.lpszText = text.data();
    SendMessageA(toolTips_, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&tool));
  }
}
