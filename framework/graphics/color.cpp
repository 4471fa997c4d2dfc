#include "framework/graphics.h"

COLORREF ColorToRGB(TColor color) {
  if (color == clDefault) return GetSysColor(COLOR_WINDOW);
  if (color == clNone) return RGB(0, 0, 0);
  if (IsSystemColor(color)) return GetSysColor(SystemColorIndex(color));
  return static_cast<COLORREF>(color) & 0x00FFFFFFu;
}
