// TextOutA and ExtTextOutA: alignment to the reference point, the current
// position, opaque backgrounds and clipping rectangles.
#include <win32/gdi32_text.h>

#include <algorithm>

#include "text/dc_text.h"

namespace {

struct Placement {
  int x, top;  // top-left of the text cell
};

Placement Place(const text::DCText& dc, int x, int y, int width) {
  UINT align = dc.state.textAlign;
  const text::FontMetrics& m = dc.font->Metrics();
  Placement p{x, y};
  if ((align & TA_CENTER) == TA_CENTER)
    p.x = x - width / 2;
  else if (align & TA_RIGHT)
    p.x = x - width;
  if ((align & TA_BASELINE) == TA_BASELINE)
    p.top = y - m.ascent;
  else if (align & TA_BOTTOM)
    p.top = y - m.height;
  return p;
}

void MoveCurrentPos(HDC hdc, const text::DCText& dc, int width) {
  UINT align = dc.state.textAlign;
  POINT cp = dc.state.currentPos;
  if ((align & TA_CENTER) == TA_CENTER) return;
  cp.x += (align & TA_RIGHT) ? -width : width;
  gdi::SetCurrentPos(hdc, cp);
}

}  // namespace

BOOL WINAPI ExtTextOutA(HDC hdc, int x, int y, UINT options, const RECT* lprect, LPCSTR lpString,
                        UINT c, const INT* lpDx) {
  text::DCText dc;
  if (!text::LoadDCText(hdc, dc)) return FALSE;
  if (c > 0 && !lpString) return FALSE;
  int n = static_cast<int>(std::min<UINT>(c, 0x7FFFFFFF));
  bool updateCP = dc.state.textAlign & TA_UPDATECP;
  if (updateCP) {
    x = dc.state.currentPos.x;
    y = dc.state.currentPos.y;
  }
  if (lprect && (options & ETO_OPAQUE) && lprect->left < lprect->right && lprect->top < lprect->bottom)
    gdi::FillSolidRect(hdc, *lprect, dc.state.bkColor);
  int width = text::RunWidth(*dc.font, lpString, n, lpDx);
  if (n > 0) {
    Placement p = Place(dc, x, y, width);
    text::RunStyle style;
    style.underline = dc.font->Metrics().underlined;
    style.strikeOut = dc.font->Metrics().struckOut;
    text::PaintOptions paint;
    paint.clip = (lprect && (options & ETO_CLIPPED)) ? lprect : nullptr;
    paint.opaqueCell = dc.state.bkMode == OPAQUE;
    text::PaintRun(hdc, dc, p.x, p.top, lpString, n, lpDx, style, paint);
  }
  if (updateCP) MoveCurrentPos(hdc, dc, width);
  return TRUE;
}

BOOL WINAPI TextOutA(HDC hdc, int x, int y, LPCSTR lpString, int c) {
  if (c < 0) return FALSE;
  return ExtTextOutA(hdc, x, y, 0, nullptr, lpString, static_cast<UINT>(c), nullptr);
}
