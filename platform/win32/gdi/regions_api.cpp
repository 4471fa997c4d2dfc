// Region objects and the clip region of a DC.
#include "dc.h"

using namespace gdi;

HRGN WINAPI CreateRectRgn(int x1, int y1, int x2, int y2) {
  auto r = std::make_shared<RegionObject>();
  r->region = Region(RECT{x1, y1, x2, y2});
  return static_cast<HRGN>(AddObject(r));
}

HRGN WINAPI CreateRectRgnIndirect(const RECT* rc) {
  if (!rc) return nullptr;
  return CreateRectRgn(rc->left, rc->top, rc->right, rc->bottom);
}

int WINAPI CombineRgn(HRGN dst, HRGN src1, HRGN src2, int mode) {
  CoreGuard guard(CoreLock());
  auto d = LookupRegion(dst), a = LookupRegion(src1);
  if (!d || !a || mode < RGN_AND || mode > RGN_COPY) return ERROR;
  if (mode == RGN_COPY) {
    d->region = a->region;
    return d->region.Type();
  }
  auto b = LookupRegion(src2);
  if (!b) return ERROR;
  d->region = Region::Combine(a->region, b->region, mode);
  return d->region.Type();
}

BOOL WINAPI SetRectRgn(HRGN h, int l, int t, int r, int b) {
  CoreGuard guard(CoreLock());
  auto rgn = LookupRegion(h);
  if (!rgn) return FALSE;
  rgn->region = Region(RECT{l, t, r, b});
  return TRUE;
}

int WINAPI OffsetRgn(HRGN h, int x, int y) {
  CoreGuard guard(CoreLock());
  auto rgn = LookupRegion(h);
  if (!rgn) return ERROR;
  rgn->region.Offset(x, y);
  return rgn->region.Type();
}

int WINAPI GetRgnBox(HRGN h, LPRECT rc) {
  CoreGuard guard(CoreLock());
  auto rgn = LookupRegion(h);
  if (!rgn || !rc) return ERROR;
  *rc = rgn->region.Box();
  return rgn->region.Type();
}

BOOL WINAPI PtInRegion(HRGN h, int x, int y) {
  CoreGuard guard(CoreLock());
  auto rgn = LookupRegion(h);
  return rgn && rgn->region.Contains(x, y);
}

BOOL WINAPI RectInRegion(HRGN h, const RECT* rc) {
  CoreGuard guard(CoreLock());
  auto rgn = LookupRegion(h);
  if (!rgn || !rc) return FALSE;
  RECT n{std::min(rc->left, rc->right), std::min(rc->top, rc->bottom), std::max(rc->left, rc->right),
         std::max(rc->top, rc->bottom)};
  return rgn->region.Intersects(n);
}

BOOL WINAPI EqualRgn(HRGN h1, HRGN h2) {
  CoreGuard guard(CoreLock());
  auto a = LookupRegion(h1), b = LookupRegion(h2);
  if (!a || !b) return ERROR;
  return a->region == b->region;
}

namespace {

// Paints a region (logical coordinates) with a brush and raster operation.
BOOL PaintRegion(HDC hdc, HRGN h, HBRUSH brush, bool useDcBrush, std::uint8_t rop) {
  CoreGuard guard(CoreLock());
  auto dc = LookupDc(hdc);
  auto rgn = LookupRegion(h);
  Target t;
  if (!dc || !rgn || !ResolveTarget(*dc, t)) return FALSE;
  std::shared_ptr<BrushObject> b = useDcBrush ? dc->st.brush : LookupBrush(brush);
  if (!b && RopUsesPattern(rop)) return FALSE;
  const Pattern pat = MakePattern(*dc, t, b.get());
  for (const RECT& r : rgn->region.Rects())
    RopRect(t, LogicalToSurface(*dc, t, r.left, r.top, r.right, r.bottom), nullptr, 0, 0, pat, rop);
  FinishDrawing(t);
  return TRUE;
}

// The DC's extent in device coordinates, for clip operations that start
// from "everything".
RECT DeviceBounds(DcObject& dc) {
  Target t;
  if (!ResolveTarget(dc, t)) return RECT{0, 0, 0, 0};
  return RECT{-t.origin.x, -t.origin.y, t.surface->width - t.origin.x, t.surface->height - t.origin.y};
}

int ClipCombine(HDC hdc, const Region* rgn, int mode) {
  CoreGuard guard(CoreLock());
  auto dc = LookupDc(hdc);
  if (!dc) return ERROR;
  if (mode == RGN_COPY) {
    if (rgn) dc->st.clip = *rgn;
    else dc->st.clip.reset();
    return rgn ? rgn->Type() : SIMPLEREGION;
  }
  if (!rgn || mode < RGN_AND || mode > RGN_DIFF) return ERROR;
  Region current = dc->st.clip ? *dc->st.clip : Region(DeviceBounds(*dc));
  dc->st.clip = Region::Combine(current, *rgn, mode);
  return dc->st.clip->Type();
}

RECT LogicalRectToDevice(const DcObject& dc, int l, int t, int r, int b) {
  POINT a = ToDevice(dc.st, l, t), c = ToDevice(dc.st, r, b);
  return RECT{a.x, a.y, c.x, c.y};
}

}  // namespace

BOOL WINAPI FillRgn(HDC hdc, HRGN h, HBRUSH br) { return PaintRegion(hdc, h, br, false, 0xF0); }
BOOL WINAPI PaintRgn(HDC hdc, HRGN h) { return PaintRegion(hdc, h, nullptr, true, 0xF0); }
BOOL WINAPI InvertRgn(HDC hdc, HRGN h) { return PaintRegion(hdc, h, nullptr, true, 0x55); }

int WINAPI SelectClipRgn(HDC hdc, HRGN h) { return ExtSelectClipRgn(hdc, h, RGN_COPY); }

int WINAPI ExtSelectClipRgn(HDC hdc, HRGN h, int mode) {
  CoreGuard guard(CoreLock());
  if (!h) return mode == RGN_COPY ? ClipCombine(hdc, nullptr, RGN_COPY) : ERROR;
  auto rgn = LookupRegion(h);
  if (!rgn) return ERROR;
  return ClipCombine(hdc, &rgn->region, mode);
}

int WINAPI GetClipRgn(HDC hdc, HRGN h) {
  CoreGuard guard(CoreLock());
  auto dc = LookupDc(hdc);
  auto rgn = LookupRegion(h);
  if (!dc || !rgn) return -1;
  if (!dc->st.clip) return 0;
  rgn->region = *dc->st.clip;
  return 1;
}

int WINAPI ExcludeClipRect(HDC hdc, int l, int t, int r, int b) {
  CoreGuard guard(CoreLock());
  auto dc = LookupDc(hdc);
  if (!dc) return ERROR;
  Region cut(LogicalRectToDevice(*dc, l, t, r, b));
  return ClipCombine(hdc, &cut, RGN_DIFF);
}

int WINAPI IntersectClipRect(HDC hdc, int l, int t, int r, int b) {
  CoreGuard guard(CoreLock());
  auto dc = LookupDc(hdc);
  if (!dc) return ERROR;
  Region keep(LogicalRectToDevice(*dc, l, t, r, b));
  return ClipCombine(hdc, &keep, RGN_AND);
}

int WINAPI OffsetClipRgn(HDC hdc, int x, int y) {
  CoreGuard guard(CoreLock());
  auto dc = LookupDc(hdc);
  if (!dc) return ERROR;
  if (!dc->st.clip) return SIMPLEREGION;
  dc->st.clip->Offset(x, y);
  return dc->st.clip->Type();
}

int WINAPI GetClipBox(HDC hdc, LPRECT rc) {
  CoreGuard guard(CoreLock());
  auto dc = LookupDc(hdc);
  Target t;
  if (!dc || !rc || !ResolveTarget(*dc, t)) return ERROR;
  Region all;
  for (const RECT& r : t.clip) all = Region::Combine(all, Region(r), RGN_OR);
  RECT box = all.Box();
  POINT a = ToLogical(dc->st, box.left - t.origin.x, box.top - t.origin.y);
  POINT b = ToLogical(dc->st, box.right - t.origin.x, box.bottom - t.origin.y);
  *rc = all.Empty() ? RECT{0, 0, 0, 0} : RECT{a.x, a.y, b.x, b.y};
  return all.Type();
}

BOOL WINAPI PtVisible(HDC hdc, int x, int y) {
  CoreGuard guard(CoreLock());
  auto dc = LookupDc(hdc);
  Target t;
  if (!dc || !ResolveTarget(*dc, t)) return FALSE;
  POINT p = ToDevice(dc->st, x, y);
  return InClip(t, p.x + t.origin.x, p.y + t.origin.y);
}

BOOL WINAPI RectVisible(HDC hdc, const RECT* rc) {
  CoreGuard guard(CoreLock());
  auto dc = LookupDc(hdc);
  Target t;
  if (!dc || !rc || !ResolveTarget(*dc, t)) return FALSE;
  RECT s = LogicalToSurface(*dc, t, rc->left, rc->top, rc->right, rc->bottom);
  for (const RECT& c : t.clip)
    if (!RectEmpty(IntersectRects(c, s))) return TRUE;
  return FALSE;
}
