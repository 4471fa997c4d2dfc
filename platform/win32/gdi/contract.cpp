// The calls the neighbouring areas of the Windows layer use (text engine,
// image lists, window layer).
#include "dc.h"
#include "dib.h"

namespace gdi {

bool GetTextState(HDC hdc, TextState& state) {
  CoreGuard guard(CoreLock());
  auto dc = LookupDc(hdc);
  if (!dc) return false;
  const DcState& st = dc->st;
  state = TextState{st.hfont, st.textColor, st.bkColor, st.bkMode, st.textAlign, st.pos};
  return true;
}

bool SetCurrentPos(HDC hdc, POINT logical) {
  CoreGuard guard(CoreLock());
  auto dc = LookupDc(hdc);
  if (!dc) return false;
  dc->st.pos = logical;
  return true;
}

bool GetFontLogFont(HFONT font, LOGFONTA& out) {
  auto f = LookupFont(font);
  if (!f) return false;
  out = f->logfont;
  return true;
}

bool DrawCoverageMask(HDC hdc, int x, int y, const std::uint8_t* mask, int w, int h, int pitch, COLORREF color) {
  CoreGuard guard(CoreLock());
  auto dc = LookupDc(hdc);
  Target t;
  if (!dc || !mask || w < 0 || h < 0 || !ResolveTarget(*dc, t)) return false;
  POINT p = ToDevice(dc->st, x, y);
  FillMask(t, p.x + t.origin.x, p.y + t.origin.y, mask, w, h, pitch, TargetPixel(t, *dc, color));
  FinishDrawing(t);
  return true;
}

bool FillSolidRect(HDC hdc, const RECT& logical, COLORREF color) {
  CoreGuard guard(CoreLock());
  auto dc = LookupDc(hdc);
  Target t;
  if (!dc || !ResolveTarget(*dc, t)) return false;
  Pattern pat;
  pat.color = TargetPixel(t, *dc, color);
  RopRect(t, LogicalToSurface(*dc, t, logical.left, logical.top, logical.right, logical.bottom), nullptr, 0, 0, pat,
          0xF0);
  FinishDrawing(t);
  return true;
}

std::shared_ptr<Surface> BitmapSurface(HBITMAP bitmap) {
  CoreGuard guard(CoreLock());
  auto bm = LookupBitmap(bitmap);
  if (!bm) return nullptr;
  SyncFromBits(*bm);
  return bm->surface;
}

bool IsMonochromeBitmap(HBITMAP bitmap) {
  auto bm = LookupBitmap(bitmap);
  return bm && bm->mono();
}

std::shared_ptr<Surface> DCSurface(HDC hdc, POINT* deviceOrigin) {
  CoreGuard guard(CoreLock());
  auto dc = LookupDc(hdc);
  Target t;
  if (!dc || !ResolveTarget(*dc, t, true)) return nullptr;
  if (deviceOrigin) *deviceOrigin = t.origin;
  return t.surface;
}

}  // namespace gdi
