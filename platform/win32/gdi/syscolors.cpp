// The system colours: the classic Windows scheme at start, one table for
// every area, changed by SetSysColors.
#include "objects.h"

#include <iterator>

namespace gdi {

namespace {

COLORREF* Table() {
  static COLORREF table[] = {
      RGB(192, 192, 192),  // COLOR_SCROLLBAR
      RGB(0, 128, 128),    // COLOR_BACKGROUND
      RGB(0, 0, 128),      // COLOR_ACTIVECAPTION
      RGB(128, 128, 128),  // COLOR_INACTIVECAPTION
      RGB(192, 192, 192),  // COLOR_MENU
      RGB(255, 255, 255),  // COLOR_WINDOW
      RGB(0, 0, 0),        // COLOR_WINDOWFRAME
      RGB(0, 0, 0),        // COLOR_MENUTEXT
      RGB(0, 0, 0),        // COLOR_WINDOWTEXT
      RGB(255, 255, 255),  // COLOR_CAPTIONTEXT
      RGB(192, 192, 192),  // COLOR_ACTIVEBORDER
      RGB(192, 192, 192),  // COLOR_INACTIVEBORDER
      RGB(128, 128, 128),  // COLOR_APPWORKSPACE
      RGB(0, 0, 128),      // COLOR_HIGHLIGHT
      RGB(255, 255, 255),  // COLOR_HIGHLIGHTTEXT
      RGB(192, 192, 192),  // COLOR_BTNFACE
      RGB(128, 128, 128),  // COLOR_BTNSHADOW
      RGB(128, 128, 128),  // COLOR_GRAYTEXT
      RGB(0, 0, 0),        // COLOR_BTNTEXT
      RGB(192, 192, 192),  // COLOR_INACTIVECAPTIONTEXT
      RGB(255, 255, 255),  // COLOR_BTNHIGHLIGHT
      RGB(0, 0, 0),        // COLOR_3DDKSHADOW
      RGB(192, 192, 192),  // COLOR_3DLIGHT
      RGB(0, 0, 0),        // COLOR_INFOTEXT
      RGB(255, 255, 225),  // COLOR_INFOBK
      RGB(0, 0, 0),        // 25: unused
      RGB(0, 0, 255),      // COLOR_HOTLIGHT
      RGB(16, 132, 208),   // COLOR_GRADIENTACTIVECAPTION
      RGB(181, 181, 181),  // COLOR_GRADIENTINACTIVECAPTION
      RGB(0, 0, 128),      // COLOR_MENUHILIGHT
      RGB(192, 192, 192),  // COLOR_MENUBAR
  };
  static_assert(std::size(table) == COLOR_MENUBAR + 1);
  return table;
}

}  // namespace

COLORREF SysColor(int index) {
  CoreGuard guard(CoreLock());
  if (index < 0 || index > COLOR_MENUBAR) return 0;
  return Table()[index];
}

bool SetSysColor(int index, COLORREF color) {
  CoreGuard guard(CoreLock());
  if (index < 0 || index > COLOR_MENUBAR) return false;
  Table()[index] = color & 0x00FFFFFF;
  RecolorSysColorBrush(index);
  return true;
}

}  // namespace gdi

DWORD WINAPI GetSysColor(int index) { return gdi::SysColor(index); }
HBRUSH WINAPI GetSysColorBrush(int index) { return gdi::SysColorBrush(index); }
