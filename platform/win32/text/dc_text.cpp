#include "text/dc_text.h"

#include <algorithm>
#include <cstring>

namespace text {

FontRequest RequestOf(const LOGFONTA& lf) {
  FontRequest r;
  r.face.assign(lf.lfFaceName, strnlen(lf.lfFaceName, LF_FACESIZE));
  r.height = lf.lfHeight;
  r.weight = lf.lfWeight;
  r.italic = lf.lfItalic != 0;
  r.underline = lf.lfUnderline != 0;
  r.strikeOut = lf.lfStrikeOut != 0;
  r.charSet = lf.lfCharSet;
  r.pitchAndFamily = lf.lfPitchAndFamily;
  return r;
}

bool LoadDCText(HDC hdc, DCText& out) {
  if (!hdc || !gdi::GetTextState(hdc, out.state)) return false;
  LOGFONTA lf{};
  bool known = gdi::GetFontLogFont(out.state.font, lf);
  // Repaints draw run after run in one font: remember the last one so the
  // common case skips the shared cache and its lock. The description is
  // compared too, since a deleted font's handle may come back for another.
  thread_local struct {
    HFONT handle = nullptr;
    LOGFONTA logfont{};
    std::shared_ptr<const Font> font;
  } last;
  if (known && last.font && last.handle == out.state.font &&
      std::memcmp(&last.logfont, &lf, sizeof lf) == 0) {
    out.font = last.font;
    return true;
  }
  FontRequest request;
  if (known)
    request = RequestOf(lf);
  else
    request.face = "MS Sans Serif", request.height = -11;
  out.font = RealizeFont(request);
  if (known && out.font) {
    last.handle = out.state.font;
    last.logfont = lf;
    last.font = out.font;
  }
  return out.font != nullptr;
}

namespace {

// The part of a w x h box at (x, y) inside the clip, or false when none is.
bool ClipBox(const RECT* clip, int& x, int& y, int& w, int& h, int& skipX, int& skipY) {
  skipX = skipY = 0;
  if (!clip) return w > 0 && h > 0;
  int left = std::max<int>(x, clip->left), top = std::max<int>(y, clip->top);
  int right = std::min<int>(x + w, clip->right), bottom = std::min<int>(y + h, clip->bottom);
  if (left >= right || top >= bottom) return false;
  skipX = left - x;
  skipY = top - y;
  x = left;
  y = top;
  w = right - left;
  h = bottom - top;
  return true;
}

void FillClipped(HDC hdc, RECT r, const RECT* clip, COLORREF color) {
  if (clip) {
    r.left = std::max(r.left, clip->left);
    r.top = std::max(r.top, clip->top);
    r.right = std::min(r.right, clip->right);
    r.bottom = std::min(r.bottom, clip->bottom);
  }
  if (r.left < r.right && r.top < r.bottom) gdi::FillSolidRect(hdc, r, color);
}

}  // namespace

void PaintRun(HDC hdc, const DCText& dc, int x, int top, const char* s, int n, const int* dx,
              const RunStyle& style, const PaintOptions& options) {
  const Font& font = *dc.font;
  if (options.opaqueCell) {
    int width = RunWidth(font, s, n, dx);
    RECT cell{std::min(x, x + width), top, std::max(x, x + width), top + font.Metrics().height};
    FillClipped(hdc, cell, options.clip, dc.state.bkColor);
  }
  if (!options.glyphs) {
    if (style.underlineSpans)
      for (const Span& sp : *style.underlineSpans) {
        RECT bar{x + sp.from, top + font.UnderlineTop(), x + sp.to,
                 top + font.UnderlineTop() + font.UnderlineRows()};
        FillClipped(hdc, bar, options.clip, dc.state.textColor);
      }
    return;
  }
  thread_local RunMask mask;
  ComposeRun(font, s, n, dx, style, mask);
  int mx = x + mask.left, my = top + mask.top, w = mask.width, h = mask.height, skipX, skipY;
  if (!ClipBox(options.clip, mx, my, w, h, skipX, skipY)) return;
  const std::uint8_t* bits = mask.bits.data() + static_cast<std::size_t>(skipY) * mask.width + skipX;
  gdi::DrawCoverageMask(hdc, mx, my, bits, w, h, mask.width, dc.state.textColor);
}

}  // namespace text
