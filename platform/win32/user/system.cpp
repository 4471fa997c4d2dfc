// System metrics and parameters of the classic Windows look at 96 dpi, and
// the standard cursors and icons.
#include <cstring>
#include <vector>

#include "gdi/internal/gdi_internal.h"
#include "window.h"

namespace user {
namespace {

backend::Size Screen() {
  backend::Backend* host = Host();
  return host ? host->ScreenSize() : backend::Size{1024, 768};
}

backend::Rect Work() {
  backend::Backend* host = Host();
  if (host) return host->WorkArea();
  backend::Size s = Screen();
  return backend::Rect{0, 0, s.width, s.height};
}

LOGFONTA SystemFont(bool bold) {
  LOGFONTA f{};
  f.lfHeight = -11;
  f.lfWeight = bold ? 700 : 400;
  f.lfCharSet = 0;
  std::strcpy(f.lfFaceName, "MS Sans Serif");
  return f;
}

struct StdCursor {
  WORD id;
  backend::Cursor shape;
};
const StdCursor kCursors[] = {
    {32512, backend::Cursor::Arrow},   {32513, backend::Cursor::IBeam},       {32514, backend::Cursor::Wait},
    {32515, backend::Cursor::Cross},   {32516, backend::Cursor::UpArrow},     {32640, backend::Cursor::SizeAll},
    {32641, backend::Cursor::Arrow},   {32642, backend::Cursor::SizeNWSE},    {32643, backend::Cursor::SizeNESW},
    {32644, backend::Cursor::SizeWE},  {32645, backend::Cursor::SizeNS},      {32646, backend::Cursor::SizeAll},
    {32648, backend::Cursor::No},      {32649, backend::Cursor::Hand},        {32650, backend::Cursor::AppStarting},
    {32651, backend::Cursor::Help},
};
constexpr int kCursorCount = sizeof(kCursors) / sizeof(kCursors[0]);
// Handles are addresses inside these arrays: stable, distinct and never freed.
char g_cursorHandles[kCursorCount];
char g_iconHandles[8];
HCURSOR g_cursor = nullptr;
int g_showCount = 0;

}  // namespace
}  // namespace user

using namespace user;

int WINAPI GetSystemMetrics(int index) {
  switch (index) {
    case SM_CXSCREEN: case SM_CXVIRTUALSCREEN: return Screen().width;
    case SM_CYSCREEN: case SM_CYVIRTUALSCREEN: return Screen().height;
    case SM_CXFULLSCREEN: return Work().width;
    case SM_CYFULLSCREEN: return Work().height - 19;
    case SM_CXVSCROLL: case SM_CYHSCROLL: case SM_CYVSCROLL: case SM_CXHSCROLL:
    case SM_CYVTHUMB: case SM_CXHTHUMB: return 16;
    case SM_CYCAPTION: case SM_CYMENU: return 19;
    case SM_CXBORDER: case SM_CYBORDER: case SM_CXFOCUSBORDER: case SM_CYFOCUSBORDER: return 1;
    case SM_CXDLGFRAME: case SM_CYDLGFRAME: return 3;
    case SM_CXFRAME: case SM_CYFRAME: return 4;
    case SM_CXEDGE: case SM_CYEDGE: return 2;
    case SM_CXICON: case SM_CYICON: case SM_CXCURSOR: case SM_CYCURSOR: return 32;
    case SM_CXSMICON: case SM_CYSMICON: return 16;
    case SM_CYSMCAPTION: return 16;
    case SM_CXSMSIZE: return 12;
    case SM_CYSMSIZE: return 15;
    case SM_CXSIZE: case SM_CYSIZE: case SM_CXMENUSIZE: case SM_CYMENUSIZE: return 18;
    case SM_CXMIN: case SM_CXMINTRACK: return 112;
    case SM_CYMIN: case SM_CYMINTRACK: return 27;
    case SM_CXMAXTRACK: return Screen().width + 12;
    case SM_CYMAXTRACK: return Screen().height + 12;
    case SM_CXMAXIMIZED: return Work().width + 8;
    case SM_CYMAXIMIZED: return Work().height + 8;
    case SM_CXMINIMIZED: return 160;
    case SM_CYMINIMIZED: return 24;
    case SM_CXDOUBLECLK: case SM_CYDOUBLECLK: case SM_CXDRAG: case SM_CYDRAG: return 4;
    case SM_CXICONSPACING: case SM_CYICONSPACING: return 75;
    case SM_CXMENUCHECK: case SM_CYMENUCHECK: return 13;
    case SM_CMOUSEBUTTONS: return 3;
    case SM_MOUSEWHEELPRESENT: case SM_CMONITORS: return 1;
    default: return 0;
  }
}

BOOL WINAPI SystemParametersInfoA(UINT action, UINT, PVOID out, UINT winIni) {
  auto setBool = [&](BOOL v) {
    if (!out) return FALSE;
    *static_cast<BOOL*>(out) = v;
    return TRUE;
  };
  auto setUint = [&](UINT v) {
    if (!out) return FALSE;
    *static_cast<UINT*>(out) = v;
    return TRUE;
  };
  BOOL ok = FALSE;
  switch (action) {
    case SPI_GETNONCLIENTMETRICS: {
      auto* m = static_cast<NONCLIENTMETRICSA*>(out);
      if (!m || m->cbSize < sizeof(NONCLIENTMETRICSA)) return FALSE;
      NONCLIENTMETRICSA v{};
      v.cbSize = sizeof v;
      v.iBorderWidth = 1, v.iScrollWidth = 16, v.iScrollHeight = 16;
      v.iCaptionWidth = 18, v.iCaptionHeight = 18, v.lfCaptionFont = SystemFont(true);
      v.iSmCaptionWidth = 12, v.iSmCaptionHeight = 15, v.lfSmCaptionFont = SystemFont(true);
      v.iMenuWidth = 18, v.iMenuHeight = 18, v.lfMenuFont = SystemFont(false);
      v.lfStatusFont = SystemFont(false), v.lfMessageFont = SystemFont(false);
      *m = v;
      ok = TRUE;
      break;
    }
    case SPI_GETWORKAREA: {
      if (!out) return FALSE;
      backend::Rect a = Work();
      *static_cast<RECT*>(out) = RECT{a.x, a.y, a.x + a.width, a.y + a.height};
      ok = TRUE;
      break;
    }
    case SPI_GETBEEP: case SPI_GETDRAGFULLWINDOWS: case SPI_GETICONTITLEWRAP: ok = setBool(TRUE); break;
    case SPI_GETKEYBOARDCUES: case SPI_GETMENUANIMATION: case SPI_GETCOMBOBOXANIMATION:
    case SPI_GETLISTBOXSMOOTHSCROLLING: case SPI_GETGRADIENTCAPTIONS: case SPI_GETHOTTRACKING:
    case SPI_GETMENUFADE: case SPI_GETSELECTIONFADE: case SPI_GETTOOLTIPANIMATION: case SPI_GETTOOLTIPFADE:
    case SPI_GETCURSORSHADOW: case SPI_GETFLATMENU: case SPI_GETDROPSHADOW: case SPI_GETUIEFFECTS:
    case SPI_GETSCREENREADER: case SPI_GETKEYBOARDPREF: case SPI_GETSHOWSOUNDS: case SPI_GETFONTSMOOTHING:
    case SPI_GETSCREENSAVEACTIVE: case SPI_GETACTIVEWINDOWTRACKING: case SPI_GETMENUDROPALIGNMENT:
    case SPI_GETSHOWIMEUI: ok = setBool(FALSE); break;
    case SPI_GETMOUSEHOVERWIDTH: case SPI_GETMOUSEHOVERHEIGHT: ok = setUint(4); break;
    case SPI_GETMOUSEHOVERTIME: case SPI_GETMENUSHOWDELAY: ok = setUint(400); break;
    case SPI_GETWHEELSCROLLLINES: ok = setUint(3); break;
    case SPI_GETBORDER: ok = setUint(1); break;
    case SPI_GETCARETWIDTH: ok = setUint(1); break;
    case SPI_GETKEYBOARDDELAY: ok = setUint(1); break;
    case SPI_GETKEYBOARDSPEED: ok = setUint(31); break;
    case SPI_GETSCREENSAVETIMEOUT: ok = setUint(0); break;
    case SPI_GETFOREGROUNDLOCKTIMEOUT: ok = setUint(0); break;
    default: return FALSE;
  }
  if (ok && (winIni & SPIF_SENDCHANGE)) SendMessageA(HWND_BROADCAST, WM_SETTINGCHANGE, action, 0);
  return ok;
}

BOOL WINAPI SetSysColors(int count, const INT* elements, const COLORREF* colors) {
  if (count < 0 || (count > 0 && (!elements || !colors))) return FALSE;
  for (int i = 0; i < count; ++i)
    if (elements[i] < 0 || elements[i] > COLOR_MENUBAR) return FALSE;
  for (int i = 0; i < count; ++i) gdi::SetSysColor(elements[i], colors[i]);
  SendMessageA(HWND_BROADCAST, WM_SYSCOLORCHANGE, 0, 0);
  std::vector<HWND> tops;
  for (Window* t : S().topLevels) tops.push_back(t->hwnd);
  for (HWND h : tops) RedrawWindow(h, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
  return TRUE;
}

HCURSOR WINAPI LoadCursorA(HINSTANCE, LPCSTR name) {
  // Only the standard cursors exist; the program carries no cursor resources.
  if (!IS_INTRESOURCE(name)) return nullptr;
  WORD id = static_cast<WORD>(reinterpret_cast<ULONG_PTR>(name));
  for (int i = 0; i < kCursorCount; ++i)
    if (kCursors[i].id == id) return reinterpret_cast<HCURSOR>(&g_cursorHandles[i]);
  return nullptr;
}

HICON WINAPI LoadIconA(HINSTANCE, LPCSTR name) {
  if (!IS_INTRESOURCE(name)) return nullptr;
  WORD id = static_cast<WORD>(reinterpret_cast<ULONG_PTR>(name));
  if (id < 32512 || id > 32517) return nullptr;
  return reinterpret_cast<HICON>(&g_iconHandles[id - 32512]);
}

HCURSOR WINAPI SetCursor(HCURSOR cursor) {
  HCURSOR old = g_cursor;
  g_cursor = cursor;
  auto* p = reinterpret_cast<char*>(cursor);
  if (p >= g_cursorHandles && p < g_cursorHandles + kCursorCount)
    if (backend::Backend* host = Host()) host->SetCursor(kCursors[p - g_cursorHandles].shape);
  return old;
}

HCURSOR WINAPI GetCursor(void) { return g_cursor; }
int WINAPI ShowCursor(BOOL show) { return show ? ++g_showCount : --g_showCount; }
BOOL WINAPI DestroyCursor(HCURSOR) { return TRUE; }
BOOL WINAPI DestroyIcon(HICON) { return TRUE; }
HICON WINAPI CopyIcon(HICON icon) { return icon; }
