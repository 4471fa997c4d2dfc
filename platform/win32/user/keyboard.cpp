#include "keyboard.h"

#include <cctype>
#include <cstring>

namespace user {
namespace {

struct PendingText {
  MSG keyDown{};
  bool valid = false;
  std::string text;
};
std::mutex g_textLock;
std::deque<PendingText> g_pending;  // recent key presses, oldest first

bool SameMsg(const MSG& a, const MSG& b) {
  return a.hwnd == b.hwnd && a.message == b.message && a.wParam == b.wParam && a.lParam == b.lParam &&
         a.time == b.time;
}

void SetState(BYTE* keys, unsigned vk, bool down) {
  if (down) {
    if (!(keys[vk] & 0x80)) keys[vk] ^= 0x01;  // toggle on each fresh press
    keys[vk] |= 0x80;
  } else {
    keys[vk] &= ~0x80;
  }
}

void SetWithGeneric(BYTE* keys, unsigned vk, bool down) {
  SetState(keys, vk, down);
  unsigned g = GenericVk(vk);
  if (g != vk) {
    SetState(keys, g, down);
  } else if (vk == VK_SHIFT || vk == VK_CONTROL || vk == VK_MENU) {
    unsigned left = vk == VK_SHIFT ? VK_LSHIFT : vk == VK_CONTROL ? VK_LCONTROL : VK_LMENU;
    SetState(keys, left, down);
  }
}

// US layout, as the headless backend types it.
int CharOf(unsigned vk, bool shift, bool ctrl, bool caps) {
  if (vk >= 'A' && vk <= 'Z') {
    if (ctrl) return static_cast<int>(vk - 'A' + 1);
    bool upper = shift != caps;
    return upper ? static_cast<int>(vk) : std::tolower(static_cast<int>(vk));
  }
  if (ctrl) {
    if (vk == VK_RETURN) return '\n';
    if (vk == VK_BACK) return 0x7F;
    if (vk == VK_ESCAPE) return 0x1B;
    return -1;
  }
  if (vk >= '0' && vk <= '9') return shift ? ")!@#$%^&*("[vk - '0'] : static_cast<int>(vk);
  if (vk >= VK_NUMPAD0 && vk <= VK_NUMPAD9) return static_cast<int>('0' + vk - VK_NUMPAD0);
  switch (vk) {
    case VK_SPACE: return ' ';
    case VK_RETURN: return '\r';
    case VK_BACK: return '\b';
    case VK_TAB: return '\t';
    case VK_ESCAPE: return 0x1B;
    case VK_MULTIPLY: return '*';
    case VK_ADD: return '+';
    case VK_SUBTRACT: return '-';
    case VK_DECIMAL: return '.';
    case VK_DIVIDE: return '/';
    case VK_OEM_1: return shift ? ':' : ';';
    case VK_OEM_PLUS: return shift ? '+' : '=';
    case VK_OEM_COMMA: return shift ? '<' : ',';
    case VK_OEM_MINUS: return shift ? '_' : '-';
    case VK_OEM_PERIOD: return shift ? '>' : '.';
    case VK_OEM_2: return shift ? '?' : '/';
    case VK_OEM_3: return shift ? '~' : '`';
    case VK_OEM_4: return shift ? '{' : '[';
    case VK_OEM_5: return shift ? '|' : '\\';
    case VK_OEM_6: return shift ? '}' : ']';
    case VK_OEM_7: return shift ? '"' : '\'';
    default: return -1;
  }
}

std::string TakeText(const MSG& m, bool& found) {
  std::lock_guard<std::mutex> g(g_textLock);
  for (auto it = g_pending.begin(); it != g_pending.end(); ++it)
    if (SameMsg(it->keyDown, m)) {
      found = it->valid;
      std::string t = it->text;
      g_pending.erase(it);
      return t;
    }
  found = false;
  return {};
}

}  // namespace

unsigned GenericVk(unsigned vk) {
  switch (vk) {
    case VK_LSHIFT: case VK_RSHIFT: return VK_SHIFT;
    case VK_LCONTROL: case VK_RCONTROL: return VK_CONTROL;
    case VK_LMENU: case VK_RMENU: return VK_MENU;
    default: return vk;
  }
}

bool IsExtendedKey(unsigned vk) {
  switch (vk) {
    case VK_RCONTROL: case VK_RMENU: case VK_INSERT: case VK_DELETE: case VK_HOME: case VK_END:
    case VK_PRIOR: case VK_NEXT: case VK_LEFT: case VK_RIGHT: case VK_UP: case VK_DOWN: case VK_DIVIDE:
    case VK_NUMLOCK: return true;
    default: return false;
  }
}

void SetAsyncKey(unsigned vk, bool down) { SetWithGeneric(S().asyncKeys, vk & 0xFF, down); }

void UpdateSyncKeyState(const MSG& m) {
  BYTE* keys = S().syncKeys;
  switch (m.message) {
    case WM_KEYDOWN: case WM_SYSKEYDOWN: SetWithGeneric(keys, m.wParam & 0xFF, true); break;
    case WM_KEYUP: case WM_SYSKEYUP: SetWithGeneric(keys, m.wParam & 0xFF, false); break;
    case WM_LBUTTONDOWN: case WM_LBUTTONDBLCLK: SetState(keys, VK_LBUTTON, true); break;
    case WM_LBUTTONUP: SetState(keys, VK_LBUTTON, false); break;
    case WM_RBUTTONDOWN: case WM_RBUTTONDBLCLK: SetState(keys, VK_RBUTTON, true); break;
    case WM_RBUTTONUP: SetState(keys, VK_RBUTTON, false); break;
    case WM_MBUTTONDOWN: case WM_MBUTTONDBLCLK: SetState(keys, VK_MBUTTON, true); break;
    case WM_MBUTTONUP: SetState(keys, VK_MBUTTON, false); break;
    default: break;
  }
}

void RememberKeyDown(const MSG& m) {
  std::lock_guard<std::mutex> g(g_textLock);
  g_pending.push_back(PendingText{m, false, {}});
  while (g_pending.size() > 64) g_pending.pop_front();
}

bool AttachText(HWND target, const std::string& text) {
  std::lock_guard<std::mutex> g(g_textLock);
  if (g_pending.empty()) return false;
  PendingText& last = g_pending.back();
  if (last.keyDown.hwnd != target || last.valid) return false;
  last.valid = true;
  last.text = text;
  return true;
}

}  // namespace user

using namespace user;

BOOL WINAPI TranslateMessage(const MSG* m) {
  if (!m) return FALSE;
  bool key = m->message == WM_KEYDOWN || m->message == WM_SYSKEYDOWN;
  if (!key) return m->message == WM_KEYUP || m->message == WM_SYSKEYUP;
  UINT charMsg = m->message == WM_KEYDOWN ? WM_CHAR : WM_SYSCHAR;
  bool found = false;
  std::string text = TakeText(*m, found);
  Window* w = Lookup(m->hwnd);
  if (!w) return TRUE;
  if (found) {
    for (unsigned char ch : text) Post(w, charMsg, ch, m->lParam);
    return TRUE;
  }
  const BYTE* k = S().syncKeys;
  bool shift = k[VK_SHIFT] & 0x80, ctrl = (k[VK_CONTROL] & 0x80) && m->message == WM_KEYDOWN;
  int ch = CharOf(m->wParam & 0xFF, shift, ctrl, k[VK_CAPITAL] & 1);
  if (ch >= 0) Post(w, charMsg, static_cast<WPARAM>(ch), m->lParam);
  return TRUE;
}

SHORT WINAPI GetKeyState(int vk) {
  BYTE b = S().syncKeys[vk & 0xFF];
  return static_cast<SHORT>(((b & 0x80) ? 0xFF80 : 0) | (b & 1));
}

SHORT WINAPI GetAsyncKeyState(int vk) {
  // Reading the async state drains the host first, as input that has arrived counts.
  PollHost();
  return (S().asyncKeys[vk & 0xFF] & 0x80) ? static_cast<SHORT>(0x8000) : 0;
}

BOOL WINAPI GetKeyboardState(PBYTE out) {
  if (!out) return FALSE;
  std::memcpy(out, S().syncKeys, 256);
  return TRUE;
}

UINT WINAPI MapVirtualKeyA(UINT code, UINT type) {
  if (type == 2 /* MAPVK_VK_TO_CHAR */) {
    int c = CharOf(code & 0xFF, false, false, false);
    return c < 0 ? 0 : static_cast<UINT>(std::toupper(c));
  }
  return 0;
}
