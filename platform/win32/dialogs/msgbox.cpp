// MessageBoxA: a captioned popup with an icon, word-wrapped text and a row
// of push buttons, run task-modal in its own message loop. The text is a
// static child, as on Windows, so that whatever reads the window tree
// (automation, the scene dump) finds it.
#include <win32/windows.h>

#include <algorithm>
#include <string>
#include <vector>

#include "dialog_core.h"
#include "icons.h"

namespace dialogs {
namespace {

const char kBoxClass[] = "XvtMessageBox";
const DWORD kBoxStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
const DWORD kBoxExStyle = WS_EX_DLGMODALFRAME | WS_EX_TOPMOST;
const int kIconSize = 32;
// The id Windows gives the text of a message box.
const int kTextId = 0xFFFF;

// The classic box's measures, in dialog units of its font: a quarter of the
// average character width across, an eighth of the character height down.
struct Units {
  int baseX = 6, baseY = 13;
  int X(int du) const { return (du * baseX + 2) / 4; }
  int Y(int du) const { return (du * baseY + 4) / 8; }
};
const int kMarginDU = 7;       // left of the icon, above the text, below the buttons
const int kIconGapDU = 10;     // from the icon to the text
const int kTextRightDU = 14;   // from the end of the longest line to the right edge
const int kButtonGapDU = 9;    // from the text or icon down to the buttons
const int kButtonWDU = 50, kButtonHDU = 14, kButtonSpaceDU = 4;

struct Button {
  int id;
  const char* label;
};

struct Box {
  std::string text;
  UINT type = 0;
  IconKind icon = IconKind::None;
  RECT textRect{};
  Units units;
  std::vector<Button> buttons;
  std::vector<HWND> buttonWindows;
  int escapeId = 0;  // 0: the box cannot be dismissed without a choice
  int result = 0;
  bool done = false;
};

std::vector<Button> ButtonsFor(UINT type) {
  switch (type & MB_TYPEMASK) {
    case MB_OKCANCEL: return {{IDOK, "OK"}, {IDCANCEL, "Cancel"}};
    case MB_ABORTRETRYIGNORE: return {{IDABORT, "&Abort"}, {IDRETRY, "&Retry"}, {IDIGNORE, "&Ignore"}};
    case MB_YESNOCANCEL: return {{IDYES, "&Yes"}, {IDNO, "&No"}, {IDCANCEL, "Cancel"}};
    case MB_YESNO: return {{IDYES, "&Yes"}, {IDNO, "&No"}};
    case MB_RETRYCANCEL: return {{IDRETRY, "&Retry"}, {IDCANCEL, "Cancel"}};
    default: return {{IDOK, "OK"}};
  }
}

// Escape and the close box answer Cancel, or OK when OK is the only button.
int EscapeIdFor(const std::vector<Button>& buttons) {
  for (const Button& b : buttons)
    if (b.id == IDCANCEL) return IDCANCEL;
  return buttons.size() == 1 ? buttons[0].id : 0;
}

// A long word is split where it meets the edge, as an edit control splits it.
const UINT kTextFormat = DT_WORDBREAK | DT_EDITCONTROL | DT_EXPANDTABS | DT_NOPREFIX;

Units UnitsOf(HDC dc) {
  static const char kAlphabet[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz";
  TEXTMETRICA tm{};
  SIZE alphabet{};
  Units u;
  if (GetTextMetricsA(dc, &tm) && GetTextExtentPoint32A(dc, kAlphabet, 52, &alphabet)) {
    u.baseX = (alphabet.cx / 26 + 1) / 2;
    u.baseY = tm.tmHeight;
  }
  return u;
}

int ButtonRowWidth(const Box& box) {
  const int n = static_cast<int>(box.buttons.size());
  return n * box.units.X(kButtonWDU) + (n - 1) * box.units.X(kButtonSpaceDU);
}

// Places the text and returns the client size the whole box needs: at most
// five eighths of the screen wide and never taller than the work area, so
// the buttons stay on the screen however long the text (the text is cut
// at the last whole line that fits).
SIZE Layout(Box& box) {
  HDC dc = GetDC(nullptr);
  HGDIOBJ old = SelectObject(dc, DialogFont());
  box.units = UnitsOf(dc);
  const Units& u = box.units;
  const bool icon = box.icon != IconKind::None;
  const int textX = u.X(kMarginDU) + (icon ? kIconSize + u.X(kIconGapDU) : 0);
  const int maxTextW = std::max(u.X(kButtonWDU), GetSystemMetrics(SM_CXSCREEN) * 5 / 8 - textX - u.X(kTextRightDU));
  RECT r{0, 0, maxTextW, 0};
  DrawTextA(dc, box.text.c_str(), -1, &r, kTextFormat | DT_CALCRECT);
  SelectObject(dc, old);
  ReleaseDC(nullptr, dc);
  const int top = u.Y(kMarginDU);
  const int below = u.Y(kButtonGapDU) + u.Y(kButtonHDU) + u.Y(kMarginDU);
  const int textW = std::min<int>(r.right - r.left, maxTextW);
  int textH = r.bottom - r.top;
  RECT work{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
  SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
  const SIZE frame = WindowSizeFor(0, 0, kBoxStyle, kBoxExStyle);
  const int roomH = (work.bottom - work.top) - frame.cy - top - below;
  if (textH > roomH) textH = std::max(0, roomH - roomH % std::max(1, u.baseY));
  // Short text sits level with the middle of the icon.
  const int textY = (icon && textH < kIconSize) ? top + (kIconSize - textH) / 2 : top;
  box.textRect = RECT{textX, textY, textX + textW, textY + textH};
  const int contentBottom = std::max<int>(box.textRect.bottom, icon ? top + kIconSize : 0);
  const int cx = std::max<int>(box.textRect.right + u.X(kTextRightDU), ButtonRowWidth(box) + 2 * u.X(kMarginDU));
  return SIZE{cx, contentBottom + below};
}

void CreateButtons(HWND hwnd, Box& box) {
  const Units& u = box.units;
  RECT client;
  GetClientRect(hwnd, &client);
  const int n = static_cast<int>(box.buttons.size());
  const int w = u.X(kButtonWDU), h = u.Y(kButtonHDU), step = w + u.X(kButtonSpaceDU);
  int x = (client.right - ButtonRowWidth(box)) / 2;
  const int y = client.bottom - u.Y(kMarginDU) - h;
  const int def = std::min<int>(static_cast<int>((box.type & MB_DEFMASK) >> 8), n - 1);
  for (int i = 0; i < n; ++i, x += step) {
    const DWORD style = WS_TABSTOP | (i == def ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON) | (i == 0 ? WS_GROUP : 0);
    box.buttonWindows.push_back(
        MakeControl(hwnd, WC_BUTTONA, box.buttons[i].label, style, box.buttons[i].id, RECT{x, y, x + w, y + h}));
  }
}

// Wrapped as the layout measured it (kTextFormat), without '&' prefixes.
void CreateText(HWND hwnd, const Box& box) {
  MakeControl(hwnd, WC_STATICA, box.text.c_str(), SS_LEFT | SS_NOPREFIX | SS_EDITCONTROL | WS_GROUP, kTextId,
              box.textRect);
}

void Paint(HWND hwnd, const Box& box) {
  PAINTSTRUCT ps;
  HDC dc = BeginPaint(hwnd, &ps);
  if (box.icon != IconKind::None) DrawIcon32(dc, box.units.X(kMarginDU), box.units.Y(kMarginDU), box.icon);
  EndPaint(hwnd, &ps);
}

void Finish(Box& box, int id) {
  box.result = id;
  box.done = true;
}

LRESULT CALLBACK BoxProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  auto* box = static_cast<Box*>(DialogData(hwnd, msg, lp));
  if (!box) return DefWindowProcA(hwnd, msg, wp, lp);
  switch (msg) {
    case WM_PAINT: Paint(hwnd, *box); return 0;
    case WM_COMMAND:
      if (HIWORD(wp) == BN_CLICKED) Finish(*box, LOWORD(wp));
      return 0;
    case WM_CLOSE:
      if (box->escapeId) Finish(*box, box->escapeId);
      return 0;
    default: return DefWindowProcA(hwnd, msg, wp, lp);
  }
}

HWND DefaultButton(const Box& box) {
  for (HWND b : box.buttonWindows)
    if ((GetWindowLongA(b, GWL_STYLE) & BS_TYPEMASK) == BS_DEFPUSHBUTTON) return b;
  return box.buttonWindows.empty() ? nullptr : box.buttonWindows[0];
}

// Enter presses the focused button (the default one otherwise), Space the
// focused one, Escape cancels where cancelling is allowed, Tab and the
// arrows move between the buttons.
bool BoxKey(HWND hwnd, Box& box, const MSG& m) {
  if (m.message == WM_CHAR || m.message == WM_KEYUP) return m.wParam == VK_RETURN || m.wParam == VK_ESCAPE ||
                                                           m.wParam == VK_SPACE || m.wParam == '\t';
  if (m.message != WM_KEYDOWN) return false;
  HWND focus = GetFocus();
  switch (m.wParam) {
    case VK_RETURN: {
      HWND b = IsPushButton(focus) && IsChild(hwnd, focus) ? focus : DefaultButton(box);
      if (b) Finish(box, GetDlgCtrlID(b));
      return true;
    }
    case VK_SPACE:
      if (IsPushButton(focus) && IsChild(hwnd, focus)) Finish(box, GetDlgCtrlID(focus));
      return true;
    case VK_ESCAPE:
      if (box.escapeId) Finish(box, box.escapeId);
      return true;
    case VK_TAB: CycleFocus(hwnd, GetKeyState(VK_SHIFT) < 0); return true;
    case VK_LEFT: case VK_UP: CycleFocus(hwnd, true); return true;
    case VK_RIGHT: case VK_DOWN: CycleFocus(hwnd, false); return true;
    default: return false;
  }
}

}  // namespace
}  // namespace dialogs

int WINAPI MessageBoxA(HWND hWnd, LPCSTR lpText, LPCSTR lpCaption, UINT uType) {
  using namespace dialogs;
  if (!RegisterDialogClass(kBoxClass, BoxProc)) return 0;
  Box box;
  box.text = lpText ? lpText : "";
  box.type = uType;
  box.icon = IconFor(uType);
  box.buttons = ButtonsFor(uType);
  box.escapeId = EscapeIdFor(box.buttons);
  const SIZE client = Layout(box);
  const SIZE outer = WindowSizeFor(client.cx, client.cy, kBoxStyle, kBoxExStyle);
  HWND prevFocus = GetFocus();
  HWND prevActive = GetActiveWindow();
  TaskModal modal;
  HWND hwnd = CreateWindowExA(kBoxExStyle, kBoxClass, lpCaption ? lpCaption : "Error", kBoxStyle, 0, 0, outer.cx,
                              outer.cy, hWnd, nullptr, nullptr, &box);
  if (!hwnd) return 0;
  CreateText(hwnd, box);
  CreateButtons(hwnd, box);
  CenterOnScreen(hwnd);
  ShowWindow(hwnd, SW_SHOW);
  SetActiveWindow(hwnd);
  if (HWND def = DefaultButton(box)) SetFocus(def);
  UpdateWindow(hwnd);
  const bool ended = RunModal(hwnd, box.done, [&](const MSG& m) { return BoxKey(hwnd, box, m); });
  if (!ended || !box.done) box.result = box.escapeId ? box.escapeId : box.buttons[0].id;
  EndModal(hwnd, modal, prevActive, prevFocus);
  return box.result;
}
