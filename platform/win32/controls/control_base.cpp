// Shared plumbing of the control classes.
#include "control_base.h"
#include "scroll.h"

#include <backend/backend.h>

#include <cstdint>
#include <vector>

namespace xvt_controls {

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
namespace {
// Windows-1252 0x80..0x9F; zero where the code page has a hole.
constexpr char16_t kHigh[32] = {0x20AC, 0, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
                                0x2039, 0x0152, 0, 0x017D, 0, 0, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
                                0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0, 0x017E, 0x0178};

void PutUtf8(std::string& out, unsigned cp) {
  if (cp < 0x80) {
    out += static_cast<char>(cp);
  } else if (cp < 0x800) {
    out += static_cast<char>(0xC0 | (cp >> 6));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else {
    out += static_cast<char>(0xE0 | (cp >> 12));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  }
}

char ToCp1252(unsigned cp) {
  if (cp < 0x80 || (cp >= 0xA0 && cp <= 0xFF)) return static_cast<char>(cp);
  for (int i = 0; i < 32; ++i)
    if (kHigh[i] && kHigh[i] == cp) return static_cast<char>(0x80 + i);
  return '?';
}
}  // namespace

std::string ClipboardGet() {
  backend::Backend* b = backend::Current();
  if (!b) return {};
  std::string in = b->ClipboardText(), out;
  for (std::size_t i = 0; i < in.size();) {
    unsigned char c = static_cast<unsigned char>(in[i]);
    unsigned cp = c;
    std::size_t len = 1;
    if (c >= 0xF0) cp = c & 0x07, len = 4;
    else if (c >= 0xE0) cp = c & 0x0F, len = 3;
    else if (c >= 0xC0) cp = c & 0x1F, len = 2;
    else if (c >= 0x80) cp = 0xFFFD;
    for (std::size_t k = 1; k < len && i + k < in.size(); ++k) cp = (cp << 6) | (static_cast<unsigned char>(in[i + k]) & 0x3F);
    i += len;
    out += ToCp1252(cp);
  }
  return out;
}

void ClipboardSet(const std::string& text) {
  backend::Backend* b = backend::Current();
  if (!b) return;
  std::string out;
  for (char ch : text) {
    unsigned char c = static_cast<unsigned char>(ch);
    unsigned cp = c;
    if (c >= 0x80 && c < 0xA0) cp = kHigh[c - 0x80] ? kHigh[c - 0x80] : '?';
    PutUtf8(out, cp);
  }
  b->SetClipboardText(out);
}

}  // namespace xvt_controls

void xvt_controls::RegisterStandardClasses() {
  InstallWindowBars();
  RegisterButton();
  RegisterStatic();
  RegisterEdit();
  RegisterListBox();
  RegisterComboBox();
  RegisterScrollBar();
}

void WINAPI InitCommonControls(void) {
  xvt_controls::RegisterStandardClasses();
  xvt_controls::RegisterTreeView();
  xvt_controls::RegisterStatusBar();
  xvt_controls::RegisterToolTip();
}

BOOL WINAPI InitCommonControlsEx(const INITCOMMONCONTROLSEX* icc) {
  if (!icc || icc->dwSize != sizeof(INITCOMMONCONTROLSEX)) return FALSE;
  InitCommonControls();
  return TRUE;
}
