// Shared plumbing of the control classes.
#include "control_base.h"
#include "scroll.h"

#include <backend/backend.h>

#include <cstdint>
#include <vector>

namespace controls {

HBRUSH SysBrush(int index) { return GetSysColorBrush(index); }

void NotifyCommand(HWND hwnd, WORD code) {
  HWND parent = GetParent(hwnd);
  if (!parent) return;
  WORD id = static_cast<WORD>(GetDlgCtrlID(hwnd));
  SendMessageA(parent, WM_COMMAND, MAKEWPARAM(id, code), reinterpret_cast<LPARAM>(hwnd));
}

LRESULT NotifyParent(HWND hwnd, NMHDR* hdr, UINT code) {
  hdr->hwndFrom = hwnd;
  hdr->idFrom = static_cast<UINT_PTR>(GetDlgCtrlID(hwnd));
  hdr->code = code;
  HWND parent = GetParent(hwnd);
  if (!parent) return 0;
  return SendMessageA(parent, WM_NOTIFY, hdr->idFrom, reinterpret_cast<LPARAM>(hdr));
}

HFONT UsedFont(HFONT set) { return set ? set : static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT)); }

HBRUSH ParentBrush(HWND hwnd, HDC dc, UINT msg) {
  HWND parent = GetParent(hwnd);
  HBRUSH b = nullptr;
  if (parent)
    b = reinterpret_cast<HBRUSH>(SendMessageA(parent, msg, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(hwnd)));
  else
    b = reinterpret_cast<HBRUSH>(DefWindowProcA(hwnd, msg, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(hwnd)));
  if (!b) b = SysBrush(msg == WM_CTLCOLOREDIT || msg == WM_CTLCOLORLISTBOX ? COLOR_WINDOW : COLOR_BTNFACE);
  return b;
}

std::string WindowText(HWND hwnd) {
  int n = GetWindowTextLengthA(hwnd);
  std::string s(static_cast<std::size_t>(n) + 1, '\0');
  int got = GetWindowTextA(hwnd, s.data(), n + 1);
  s.resize(static_cast<std::size_t>(got < 0 ? 0 : got));
  return s;
}

int FontHeight(HDC dc) {
  TEXTMETRICA tm{};
  GetTextMetricsA(dc, &tm);
  return tm.tmHeight > 0 ? static_cast<int>(tm.tmHeight) : 13;
}

void RegisterOnce(const char* name, WNDPROC proc, UINT style, int background) {
  WNDCLASSA probe{};
  if (GetClassInfoA(nullptr, name, &probe)) return;
  WNDCLASSA wc{};
  wc.style = style | CS_GLOBALCLASS;
  wc.lpfnWndProc = proc;
  wc.lpszClassName = name;
  wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
  wc.hbrBackground = background < 0 ? nullptr : reinterpret_cast<HBRUSH>(static_cast<std::intptr_t>(background + 1));
  RegisterClassA(&wc);
}

// ------------------------------------------------------------------ clipboard
// The backend speaks Windows-1252 and converts to the host's UTF-8 itself,
// so the text passes through unchanged: converting here as well would hand
// the host UTF-8 taken for Windows-1252 and garble every accented letter.
std::string ClipboardGet() {
  backend::Backend* b = backend::Current();
  return b ? b->ClipboardText() : std::string();
}

void ClipboardSet(const std::string& text) {
  if (backend::Backend* b = backend::Current()) b->SetClipboardText(text);
}

}  // namespace controls

void controls::RegisterStandardClasses() {
  InstallWindowBars();
  RegisterButton();
  RegisterStatic();
  RegisterEdit();
  RegisterListBox();
  RegisterComboBox();
  RegisterScrollBar();
}

void WINAPI InitCommonControls(void) {
  controls::RegisterStandardClasses();
  controls::RegisterTreeView();
  controls::RegisterStatusBar();
  controls::RegisterToolTip();
}

BOOL WINAPI InitCommonControlsEx(const INITCOMMONCONTROLSEX* icc) {
  if (!icc || icc->dwSize != sizeof(INITCOMMONCONTROLSEX)) return FALSE;
  InitCommonControls();
  return TRUE;
}
