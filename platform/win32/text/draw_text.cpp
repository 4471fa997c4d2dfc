// DrawTextA: lays the text out in the rectangle and draws it line by line in
// the DC's font, colours and background mode.
#include <win32/user32_text.h>

#include <cstring>

#include "text/dc_text.h"
#include "text/text_layout.h"

namespace {

int LineX(const RECT& rc, UINT format, int width) {
  if (format & DT_CENTER) return rc.left + (rc.right - rc.left - width) / 2;
  if (format & DT_RIGHT) return rc.right - width;
  return rc.left;
}

// Vertical placement applies to single lines only, as on Windows.
int FirstLineTop(const RECT& rc, UINT format, int height) {
  if (!(format & DT_SINGLELINE)) return rc.top;
  if (format & DT_VCENTER) return rc.top + (rc.bottom - rc.top - height) / 2;
  if (format & DT_BOTTOM) return rc.bottom - height;
  return rc.top;
}

void DrawLines(HDC hdc, const text::DCText& dc, const text::TextLayout& layout, const RECT& rc,
               int top) {
  UINT format = layout.format;
  text::PaintOptions paint;
  paint.clip = (format & DT_NOCLIP) ? nullptr : &rc;
  paint.glyphs = !(format & DT_PREFIXONLY);
  paint.opaqueCell = dc.state.bkMode == OPAQUE && paint.glyphs;
  const text::FontMetrics& m = dc.font->Metrics();
  int y = top;
  for (const text::LayoutLine& line : layout.lines) {
    text::RunStyle style;
    style.underline = m.underlined;
    style.strikeOut = m.struckOut;
    style.underlineSpans = &line.underline;
    text::PaintRun(hdc, dc, LineX(rc, format, line.width), y, line.chars.data(),
                   static_cast<int>(line.chars.size()), line.dx.data(), style, paint);
    y += layout.lineHeight;
  }
}

}  // namespace

int WINAPI DrawTextA(HDC hdc, LPCSTR lpchText, int cchText, LPRECT lprc, UINT format) {
  if (!lprc || (!lpchText && cchText != 0)) return 0;
  text::DCText dc;
  if (!text::LoadDCText(hdc, dc)) return 0;
  int n = cchText < 0 ? static_cast<int>(std::strlen(lpchText)) : cchText;
  if (n == 0) {
    if (format & DT_CALCRECT) {
      lprc->right = lprc->left;
      lprc->bottom = lprc->top;
    }
    return 0;
  }
  text::TextLayout layout =
      text::LayoutText(*dc.font, lpchText, n, format, lprc->right - lprc->left);
  if (layout.format & DT_CALCRECT) {
    lprc->right = lprc->left + layout.width;
    lprc->bottom = lprc->top + layout.height;
    return layout.height;
  }
  int top = FirstLineTop(*lprc, layout.format, layout.height);
  DrawLines(hdc, dc, layout, *lprc, top);
  // With vertical placement Windows returns the offset of the text's
  // bottom from the rectangle's top.
  if ((layout.format & DT_SINGLELINE) && (layout.format & (DT_VCENTER | DT_BOTTOM)))
    return top + layout.height - lprc->top;
  return layout.height;
}
