// Stock objects, deletion, GetObject, brushes, pens, fonts and palettes.
#include "dc.h"
#include "dib.h"

#include <algorithm>
#include <cstring>

using namespace gdi;

HGDIOBJ WINAPI GetStockObject(int i) { return StockObject(i); }

BOOL WINAPI DeleteObject(HGDIOBJ h) {
  CoreGuard guard(CoreLock());
  auto obj = LookupObject(h);
  if (!obj || obj->kind == Kind::Dc) return FALSE;
  if (obj->stock) return TRUE;  // stock objects stay
  if (obj->kind == Kind::Bitmap) {
    // A bitmap still selected into a live DC cannot be deleted.
    auto bm = std::static_pointer_cast<BitmapObject>(obj);
    if (bm->selectedInto && LookupDc(bm->selectedInto)) return FALSE;
  }
  // DCs that still hold the object keep it alive until they let go of it.
  return RemoveObject(h) ? TRUE : FALSE;
}

DWORD WINAPI GetObjectType(HGDIOBJ h) {
  auto obj = LookupObject(h);
  if (!obj) return 0;
  switch (obj->kind) {
    case Kind::Dc: return std::static_pointer_cast<DcObject>(obj)->type == DcType::Memory ? OBJ_MEMDC : OBJ_DC;
    case Kind::Bitmap: return OBJ_BITMAP;
    case Kind::Brush: return OBJ_BRUSH;
    case Kind::Pen: return OBJ_PEN;
    case Kind::Font: return OBJ_FONT;
    case Kind::Region: return OBJ_REGION;
    case Kind::Palette: return OBJ_PAL;
  }
  return 0;
}

namespace {

template <class T>
int CopyOut(const T& value, int c, LPVOID pv) {
  if (!pv) return sizeof(T);
  if (c <= 0) return 0;
  int n = std::min<int>(c, sizeof(T));
  std::memcpy(pv, &value, static_cast<std::size_t>(n));
  return n;
}

int BitmapInfo(const BitmapObject& bm, int c, LPVOID pv) {
  BITMAP b{};
  b.bmWidth = bm.surface->width;
  b.bmHeight = bm.surface->height;
  b.bmPlanes = 1;
  b.bmBitsPixel = static_cast<WORD>(bm.dib ? bm.dib->header.biBitCount : bm.bitsPixel);
  if (bm.dib) {
    // DIB sections report DWORD-aligned rows and their bits.
    b.bmWidthBytes = static_cast<LONG>(((b.bmWidth * b.bmBitsPixel + 31) / 32) * 4);
    b.bmBits = bm.dib->userBits;
  } else {
    b.bmWidthBytes = static_cast<LONG>(((b.bmWidth * b.bmBitsPixel + 15) / 16) * 2);
  }
  if (!pv) return bm.dib ? sizeof(DIBSECTION) : sizeof(BITMAP);
  if (bm.dib && c >= static_cast<int>(sizeof(DIBSECTION))) {
    DIBSECTION ds{};
    ds.dsBm = b;
    ds.dsBmih = bm.dib->header;
    ds.dsBmih.biSizeImage = static_cast<DWORD>(b.bmWidthBytes) * static_cast<DWORD>(b.bmHeight);
    std::memcpy(pv, &ds, sizeof(ds));
    return sizeof(DIBSECTION);
  }
  if (c < static_cast<int>(sizeof(BITMAP))) return 0;
  std::memcpy(pv, &b, sizeof(b));
  return sizeof(BITMAP);
}

}  // namespace

int WINAPI GetObjectA(HANDLE h, int c, LPVOID pv) {
  CoreGuard guard(CoreLock());
  auto obj = LookupObject(h);
  if (!obj) return 0;
  switch (obj->kind) {
    case Kind::Bitmap: return BitmapInfo(*std::static_pointer_cast<BitmapObject>(obj), c, pv);
    case Kind::Brush: {
      auto b = std::static_pointer_cast<BrushObject>(obj);
      LOGBRUSH lb{BS_SOLID, b->color, 0};
      if (b->style == BrushStyle::Null) lb = LOGBRUSH{BS_NULL, 0, 0};
      if (b->style == BrushStyle::Pattern) lb = LOGBRUSH{BS_PATTERN, 0, reinterpret_cast<ULONG_PTR>(b->patternHandle)};
      return CopyOut(lb, c, pv);
    }
    case Kind::Pen: {
      auto p = std::static_pointer_cast<PenObject>(obj);
      return CopyOut(LOGPEN{p->style, POINT{p->width, 0}, p->color}, c, pv);
    }
    case Kind::Font: return CopyOut(std::static_pointer_cast<FontObject>(obj)->logfont, c, pv);
    case Kind::Palette: {
      WORD n = static_cast<WORD>(std::static_pointer_cast<PaletteObject>(obj)->entries.size());
      return CopyOut(n, c, pv);
    }
    default: return 0;
  }
}

// ---------------------------------------------------------------- brushes

HBRUSH WINAPI CreateSolidBrush(COLORREF color) {
  auto b = std::make_shared<BrushObject>();
  b->color = color;
  return static_cast<HBRUSH>(AddObject(b));
}

HBRUSH WINAPI CreatePatternBrush(HBITMAP hbm) {
  CoreGuard guard(CoreLock());
  auto bm = LookupBitmap(hbm);
  if (!bm) return nullptr;
  SyncFromBits(*bm);
  auto b = std::make_shared<BrushObject>();
  b->style = BrushStyle::Pattern;
  b->monoPattern = bm->mono();
  b->patternHandle = hbm;
  // The brush keeps its own copy: the bitmap may change or go away.
  const Surface& s = *bm->surface;
  auto copy = MakeSurface(s.width, s.height);
  if (!copy) return nullptr;
  for (int y = 0; y < s.height; ++y) std::copy_n(s.Row(y), s.width, copy->Row(y));
  b->pattern = copy;
  return static_cast<HBRUSH>(AddObject(b));
}

HBRUSH WINAPI CreateBrushIndirect(const LOGBRUSH* lb) {
  if (!lb) return nullptr;
  switch (lb->lbStyle) {
    case BS_SOLID: return CreateSolidBrush(lb->lbColor);
    case BS_NULL: {
      auto b = std::make_shared<BrushObject>();
      b->style = BrushStyle::Null;
      return static_cast<HBRUSH>(AddObject(b));
    }
    case BS_PATTERN:
    case BS_PATTERN8X8: return CreatePatternBrush(reinterpret_cast<HBITMAP>(lb->lbHatch));
    default: return nullptr;  // hatches and DIB patterns are not drawn here
  }
}

// ---------------------------------------------------------------- pens

HPEN WINAPI CreatePen(int style, int width, COLORREF color) {
  if (style < PS_SOLID || style > PS_ALTERNATE || style == PS_USERSTYLE) return nullptr;
  auto p = std::make_shared<PenObject>();
  p->style = static_cast<UINT>(style);
  // Styled pens are cosmetic: one pixel wide whatever was asked.
  p->width = (style >= PS_DASH && style <= PS_DASHDOTDOT) ? 1 : std::max(width, 0);
  p->color = color;
  return static_cast<HPEN>(AddObject(p));
}

HPEN WINAPI CreatePenIndirect(const LOGPEN* lp) {
  if (!lp) return nullptr;
  return CreatePen(static_cast<int>(lp->lopnStyle), lp->lopnWidth.x, lp->lopnColor);
}

// ---------------------------------------------------------------- fonts

HFONT WINAPI CreateFontIndirectA(const LOGFONTA* lf) {
  if (!lf) return nullptr;
  auto f = std::make_shared<FontObject>();
  f->logfont = *lf;
  f->logfont.lfFaceName[LF_FACESIZE - 1] = '\0';
  return static_cast<HFONT>(AddObject(f));
}

HFONT WINAPI CreateFontA(int height, int width, int escapement, int orientation, int weight, DWORD italic,
                         DWORD underline, DWORD strikeOut, DWORD charSet, DWORD outPrecision, DWORD clipPrecision,
                         DWORD quality, DWORD pitchAndFamily, LPCSTR face) {
  LOGFONTA lf{};
  lf.lfHeight = height, lf.lfWidth = width, lf.lfEscapement = escapement, lf.lfOrientation = orientation;
  lf.lfWeight = weight;
  lf.lfItalic = BYTE(italic), lf.lfUnderline = BYTE(underline), lf.lfStrikeOut = BYTE(strikeOut);
  lf.lfCharSet = BYTE(charSet), lf.lfOutPrecision = BYTE(outPrecision), lf.lfClipPrecision = BYTE(clipPrecision);
  lf.lfQuality = BYTE(quality), lf.lfPitchAndFamily = BYTE(pitchAndFamily);
  if (face) std::strncpy(lf.lfFaceName, face, LF_FACESIZE - 1);
  return CreateFontIndirectA(&lf);
}

// ---------------------------------------------------------------- palettes

HPALETTE WINAPI CreatePalette(const LOGPALETTE* lp) {
  if (!lp || lp->palVersion != 0x300 || lp->palNumEntries == 0) return nullptr;
  auto p = std::make_shared<PaletteObject>();
  p->entries.assign(lp->palPalEntry, lp->palPalEntry + lp->palNumEntries);
  return static_cast<HPALETTE>(AddObject(p));
}

HPALETTE WINAPI SelectPalette(HDC hdc, HPALETTE hpal, BOOL) {
  CoreGuard guard(CoreLock());
  auto dc = LookupDc(hdc);
  auto pal = LookupPalette(hpal);
  if (!dc || !pal) return nullptr;
  HPALETTE old = dc->st.hpalette;
  dc->st.palette = pal, dc->st.hpalette = hpal;
  return old;
}

// A true-colour display maps nothing into a hardware palette.
UINT WINAPI RealizePalette(HDC hdc) { return LookupDc(hdc) ? 0 : UINT(GDI_ERROR); }

UINT WINAPI GetPaletteEntries(HPALETTE hpal, UINT start, UINT count, LPPALETTEENTRY out) {
  CoreGuard guard(CoreLock());
  auto pal = LookupPalette(hpal);
  if (!pal) return 0;
  const UINT size = static_cast<UINT>(pal->entries.size());
  if (!out) return size;
  if (start >= size) return 0;
  UINT n = std::min(count, size - start);
  std::copy_n(pal->entries.begin() + start, n, out);
  return n;
}

UINT WINAPI SetPaletteEntries(HPALETTE hpal, UINT start, UINT count, const PALETTEENTRY* in) {
  CoreGuard guard(CoreLock());
  auto pal = LookupPalette(hpal);
  if (!pal || !in || pal->stock) return 0;
  const UINT size = static_cast<UINT>(pal->entries.size());
  if (start >= size) return 0;
  UINT n = std::min(count, size - start);
  std::copy_n(in, n, pal->entries.begin() + start);
  return n;
}

UINT WINAPI GetNearestPaletteIndex(HPALETTE hpal, COLORREF c) {
  CoreGuard guard(CoreLock());
  auto pal = LookupPalette(hpal);
  if (!pal || pal->entries.empty()) return CLR_INVALID;
  UINT best = 0;
  long bestD = -1;
  for (UINT i = 0; i < pal->entries.size(); ++i) {
    const PALETTEENTRY& e = pal->entries[i];
    long dr = long(GetRValue(c)) - e.peRed, dg = long(GetGValue(c)) - e.peGreen, db = long(GetBValue(c)) - e.peBlue;
    long d = dr * dr + dg * dg + db * db;
    if (bestD < 0 || d < bestD) bestD = d, best = i;
  }
  return best;
}
