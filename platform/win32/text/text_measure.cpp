// Measuring calls: extents, metrics, face names and character widths of the
// font selected into a DC.
#include <win32/gdi32_text.h>

#include <algorithm>
#include <cstring>

#include "text/dc_text.h"

namespace {

bool Measure(HDC hdc, LPCSTR s, int c, text::DCText& dc) {
  if (c < 0 || (c > 0 && !s)) return false;
  return text::LoadDCText(hdc, dc);
}

}  // namespace

BOOL WINAPI GetTextExtentPoint32A(HDC hdc, LPCSTR lpString, int c, LPSIZE psizl) {
  text::DCText dc;
  if (!psizl || !Measure(hdc, lpString, c, dc)) return FALSE;
  psizl->cx = dc.font->Extent(lpString, c);
  psizl->cy = dc.font->Metrics().height;
  return TRUE;
}

BOOL WINAPI GetTextExtentPointA(HDC hdc, LPCSTR lpString, int c, LPSIZE lpsz) {
  return GetTextExtentPoint32A(hdc, lpString, c, lpsz);
}

BOOL WINAPI GetTextExtentExPointA(HDC hdc, LPCSTR lpszString, int cchString, int nMaxExtent,
                                  LPINT lpnFit, LPINT lpnDx, LPSIZE lpSize) {
  text::DCText dc;
  if (!lpSize || !Measure(hdc, lpszString, cchString, dc)) return FALSE;
  int pen = 0, fit = 0;
  for (int i = 0; i < cchString; ++i) {
    pen += dc.font->Advance(static_cast<unsigned char>(lpszString[i]));
    if (lpnDx) lpnDx[i] = pen;
    if (pen <= nMaxExtent) fit = i + 1;
  }
  if (lpnFit) *lpnFit = fit;
  lpSize->cx = pen;
  lpSize->cy = dc.font->Metrics().height;
  return TRUE;
}

BOOL WINAPI GetTextMetricsA(HDC hdc, LPTEXTMETRICA lptm) {
  text::DCText dc;
  if (!lptm || !text::LoadDCText(hdc, dc)) return FALSE;
  const text::FontMetrics& m = dc.font->Metrics();
  *lptm = TEXTMETRICA{};
  lptm->tmHeight = m.height;
  lptm->tmAscent = m.ascent;
  lptm->tmDescent = m.descent;
  lptm->tmInternalLeading = m.internalLeading;
  lptm->tmExternalLeading = m.externalLeading;
  lptm->tmAveCharWidth = m.aveCharWidth;
  lptm->tmMaxCharWidth = m.maxCharWidth;
  lptm->tmWeight = m.weight;
  lptm->tmOverhang = m.overhang;
  lptm->tmDigitizedAspectX = 96;
  lptm->tmDigitizedAspectY = 96;
  lptm->tmFirstChar = static_cast<BYTE>(m.firstChar);
  lptm->tmLastChar = static_cast<BYTE>(m.lastChar);
  lptm->tmDefaultChar = static_cast<BYTE>(m.defaultChar);
  lptm->tmBreakChar = static_cast<BYTE>(m.breakChar);
  lptm->tmItalic = m.italic ? 0xFF : 0;
  lptm->tmUnderlined = m.underlined ? 0xFF : 0;
  lptm->tmStruckOut = m.struckOut ? 0xFF : 0;
  lptm->tmPitchAndFamily = static_cast<BYTE>(m.pitchAndFamily);
  lptm->tmCharSet = static_cast<BYTE>(m.charSet);
  return TRUE;
}

int WINAPI GetTextFaceA(HDC hdc, int c, LPSTR lpName) {
  text::DCText dc;
  if (!text::LoadDCText(hdc, dc)) return 0;
  const std::string& face = dc.font->FaceName();
  if (!lpName) return static_cast<int>(face.size()) + 1;
  if (c <= 0) return 0;
  std::size_t n = std::min(face.size(), static_cast<std::size_t>(c - 1));
  std::memcpy(lpName, face.data(), n);
  lpName[n] = '\0';
  return static_cast<int>(n) + 1;
}

BOOL WINAPI GetCharWidth32A(HDC hdc, UINT iFirst, UINT iLast, LPINT lpBuffer) {
  text::DCText dc;
  if (!lpBuffer || iFirst > iLast || !text::LoadDCText(hdc, dc)) return FALSE;
  int fallback = dc.font->Advance(static_cast<unsigned char>(dc.font->Metrics().defaultChar));
  for (UINT ch = iFirst; ch <= iLast; ++ch) {
    *lpBuffer++ = ch < 256 ? dc.font->Advance(static_cast<unsigned char>(ch)) : fallback;
    if (ch == iLast) break;  // iLast may be UINT_MAX
  }
  return TRUE;
}

BOOL WINAPI GetCharWidthA(HDC hdc, UINT iFirst, UINT iLast, LPINT lpBuffer) {
  return GetCharWidth32A(hdc, iFirst, iLast, lpBuffer);
}

BOOL WINAPI GetCharABCWidthsA(HDC hdc, UINT wFirst, UINT wLast, LPABC lpABC) {
  text::DCText dc;
  if (!lpABC || wFirst > wLast || wLast > 255 || !text::LoadDCText(hdc, dc)) return FALSE;
  // As on Windows, only outline faces have ABC widths.
  if (!(dc.font->Metrics().pitchAndFamily & TMPF_TRUETYPE)) return FALSE;
  for (UINT ch = wFirst; ch <= wLast; ++ch) {
    const text::Glyph& g = dc.font->GlyphOf(static_cast<unsigned char>(ch));
    lpABC->abcA = g.left;
    lpABC->abcB = static_cast<UINT>(g.width);
    lpABC->abcC = g.advance - g.left - g.width;
    ++lpABC;
  }
  return TRUE;
}
