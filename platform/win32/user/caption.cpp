// The caption bar of a classic window frame: the active or inactive caption
// colour, the title in the bold caption font, and the caption buttons at
// the right (close; minimise and maximise when the style has either box).
#include <win32/gdi32_text.h>
#include <win32/user32_draw.h>
#include <win32/user32_text.h>

#include "window.h"

namespace user {

void PaintCaption(HDC dc, const RECT& caption, const FrameLook& look) {
  const bool tool = (look.exStyle & WS_EX_TOOLWINDOW) != 0;
  FillRect(dc, &caption, GetSysColorBrush(look.active ? COLOR_ACTIVECAPTION : COLOR_INACTIVECAPTION));
  RECT text = caption;
  text.left += 2;
  if (look.style & WS_SYSMENU) {
    const int bw = GetSystemMetrics(tool ? SM_CXSMSIZE : SM_CXSIZE) - 2;
    const int bh = GetSystemMetrics(tool ? SM_CYSMSIZE : SM_CYSIZE) - 4;
    RECT button{caption.right - 2 - bw, caption.top + 2, caption.right - 2, caption.top + 2 + bh};
    DrawFrameControl(dc, &button, DFC_CAPTION, DFCS_CAPTIONCLOSE);
    text.right = button.left - 2;
    if (!tool && (look.style & (WS_MINIMIZEBOX | WS_MAXIMIZEBOX))) {
      OffsetRect(&button, -(bw + 2), 0);
      const UINT max = (look.style & WS_MAXIMIZE) ? DFCS_CAPTIONRESTORE : DFCS_CAPTIONMAX;
      DrawFrameControl(dc, &button, DFC_CAPTION, max | ((look.style & WS_MAXIMIZEBOX) ? 0 : DFCS_INACTIVE));
      OffsetRect(&button, -bw, 0);
      DrawFrameControl(dc, &button, DFC_CAPTION,
                       DFCS_CAPTIONMIN | ((look.style & WS_MINIMIZEBOX) ? 0 : DFCS_INACTIVE));
      text.right = button.left - 2;
    }
  }
  if (look.title.empty() || text.right <= text.left) return;
  NONCLIENTMETRICSA metrics{};
  metrics.cbSize = sizeof metrics;
  SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0);
  HFONT font = CreateFontIndirectA(tool ? &metrics.lfSmCaptionFont : &metrics.lfCaptionFont);
  HGDIOBJ old = SelectObject(dc, font);
  const int oldMode = SetBkMode(dc, TRANSPARENT);
  const COLORREF oldColour = SetTextColor(dc, GetSysColor(look.active ? COLOR_CAPTIONTEXT : COLOR_INACTIVECAPTIONTEXT));
  DrawTextA(dc, look.title.c_str(), static_cast<int>(look.title.size()), &text,
            DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS);
  SetTextColor(dc, oldColour);
  SetBkMode(dc, oldMode);
  SelectObject(dc, old);
  DeleteObject(font);
}

}  // namespace user
