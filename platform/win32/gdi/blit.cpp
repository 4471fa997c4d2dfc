// Blits: BitBlt, StretchBlt, PatBlt, masked and colour-keyed copies and
// DIBs drawn straight onto a DC. All of them end in the raster engine.
#include "dc.h"
#include "dib.h"

#include <algorithm>

using namespace gdi;

namespace {

std::uint8_t RopIndex(DWORD rop) { return static_cast<std::uint8_t>((rop >> 16) & 0xFF); }

StretchFilter FilterOf(int mode) {
  switch (mode) {
    case BLACKONWHITE: return StretchFilter::And;
    case WHITEONBLACK: return StretchFilter::Or;
    case HALFTONE: return StretchFilter::Average;
    default: return StretchFilter::Nearest;
  }
}

// Both ends of a blit, resolved; `ok` is false when the call must fail.
struct BlitEnds {
  std::shared_ptr<DcObject> dst, src;
  Target dt, st;
  bool ok = false;
};

BlitEnds Resolve(HDC hdcDst, HDC hdcSrc, bool needSource) {
  BlitEnds e;
  e.dst = LookupDc(hdcDst);
  if (!e.dst || !ResolveTarget(*e.dst, e.dt)) return e;
  if (needSource) {
    e.src = LookupDc(hdcSrc);
    if (!e.src || !ResolveTarget(*e.src, e.st, true)) return e;
  }
  e.ok = true;
  return e;
}

POINT SourcePoint(const BlitEnds& e, int x, int y) {
  POINT p = ToDevice(e.src->st, x, y);
  return POINT{p.x + e.st.origin.x, p.y + e.st.origin.y};
}

// A negative extent counts from the other edge; a source moves along.
void Normalise(int& x, int& w, int* x2) {
  if (w < 0) {
    x = Limit(static_cast<long long>(x) + w);
    if (x2) *x2 = Limit(static_cast<long long>(*x2) + w);
    w = Limit(-static_cast<long long>(w));
  }
}

long long Plus(int a, int b) { return static_cast<long long>(a) + b; }

}  // namespace

BOOL WINAPI BitBlt(HDC hdc, int x, int y, int cx, int cy, HDC hdcSrc, int x1, int y1, DWORD rop) {
  CoreGuard guard(CoreLock());
  const std::uint8_t r = RopIndex(rop);
  const bool usesS = RopUsesSource(r);
  BlitEnds e = Resolve(hdc, hdcSrc, usesS);
  if (!e.ok) return FALSE;
  Normalise(x, cx, &x1);
  Normalise(y, cy, &y1);
  RECT dst = LogicalToSurface(*e.dst, e.dt, x, y, Plus(x, cx), Plus(y, cy));
  Pattern pat = CurrentPattern(*e.dst, e.dt);
  if (usesS) {
    Source src = MakeSource(*e.dst, e.dt, *e.src, e.st);
    POINT sp = SourcePoint(e, x1, y1);
    RopRect(e.dt, dst, &src, sp.x, sp.y, pat, r);
  } else {
    RopRect(e.dt, dst, nullptr, 0, 0, pat, r);
  }
  FinishDrawing(e.dt);
  return TRUE;
}

BOOL WINAPI StretchBlt(HDC hdcDest, int xDest, int yDest, int wDest, int hDest, HDC hdcSrc, int xSrc, int ySrc,
                       int wSrc, int hSrc, DWORD rop) {
  CoreGuard guard(CoreLock());
  const std::uint8_t r = RopIndex(rop);
  const bool usesS = RopUsesSource(r);
  BlitEnds e = Resolve(hdcDest, hdcSrc, usesS);
  if (!e.ok) return FALSE;
  if (!usesS) return PatBlt(hdcDest, xDest, yDest, wDest, hDest, rop);
  if (wSrc == 0 || hSrc == 0) return FALSE;
  POINT dp = ToDevice(e.dst->st, xDest, yDest);
  POINT sp = SourcePoint(e, xSrc, ySrc);
  Source src = MakeSource(*e.dst, e.dt, *e.src, e.st);
  Pattern pat = CurrentPattern(*e.dst, e.dt);
  RopStretch(e.dt, dp.x + e.dt.origin.x, dp.y + e.dt.origin.y, wDest, hDest, src, sp.x, sp.y, wSrc, hSrc, pat, r,
             FilterOf(e.dst->st.stretchMode));
  FinishDrawing(e.dt);
  return TRUE;
}

BOOL WINAPI PatBlt(HDC hdc, int x, int y, int w, int h, DWORD rop) {
  CoreGuard guard(CoreLock());
  const std::uint8_t r = RopIndex(rop);
  if (RopUsesSource(r)) return FALSE;
  BlitEnds e = Resolve(hdc, nullptr, false);
  if (!e.ok) return FALSE;
  Normalise(x, w, nullptr);
  Normalise(y, h, nullptr);
  RopRect(e.dt, LogicalToSurface(*e.dst, e.dt, x, y, Plus(x, w), Plus(y, h)), nullptr, 0, 0, CurrentPattern(*e.dst, e.dt), r);
  FinishDrawing(e.dt);
  return TRUE;
}

namespace {

// One operation of a masked copy run over a copy of the destination
// rectangle `dst`, so that both operations read the destination (and a
// source on the same surface) as it was.
std::shared_ptr<Surface> RunOnCopy(const Target& t, const RECT& dst, const Source* src, POINT sp, Pattern pat,
                                   std::uint8_t rop) {
  const int w = dst.right - dst.left, h = dst.bottom - dst.top;
  auto copy = MakeSurface(w, h);
  if (!copy) return nullptr;
  for (const RECT& clip : t.clip) {
    const RECT c = IntersectRects(clip, dst);
    for (int y = c.top; y < c.bottom; ++y)
      std::copy(t.surface->Row(y) + c.left, t.surface->Row(y) + c.right, copy->Row(y - dst.top) + (c.left - dst.left));
  }
  Target work;
  work.surface = copy;
  work.mono = t.mono;
  work.clip = {RECT{0, 0, w, h}};
  pat.orgX -= dst.left;
  pat.orgY -= dst.top;
  RopRect(work, RECT{0, 0, w, h}, src, sp.x, sp.y, pat, rop);
  return copy;
}

}  // namespace

BOOL WINAPI MaskBlt(HDC hdcDest, int xDest, int yDest, int width, int height, HDC hdcSrc, int xSrc, int ySrc,
                    HBITMAP hbmMask, int xMask, int yMask, DWORD rop) {
  if (!hbmMask) return BitBlt(hdcDest, xDest, yDest, width, height, hdcSrc, xSrc, ySrc, rop & 0x00FFFFFF);
  CoreGuard guard(CoreLock());
  auto mask = LookupBitmap(hbmMask);
  if (!mask || !mask->mono() || width < 0 || height < 0) return FALSE;
  const Surface& m = *mask->surface;
  if (xMask < 0 || yMask < 0 || Plus(xMask, width) > m.width || Plus(yMask, height) > m.height) return FALSE;
  const std::uint8_t fore = RopIndex(rop), back = static_cast<std::uint8_t>(rop >> 24);
  const bool usesS = RopUsesSource(fore) || RopUsesSource(back);
  BlitEnds e = Resolve(hdcDest, hdcSrc, usesS);
  if (!e.ok) return FALSE;
  const POINT dp = ToDevice(e.dst->st, xDest, yDest);
  const RECT dst = IntersectRects(LogicalToSurface(*e.dst, e.dt, xDest, yDest, Plus(xDest, width), Plus(yDest, height)),
                                  RECT{0, 0, e.dt.surface->width, e.dt.surface->height});
  if (dst.left >= dst.right || dst.top >= dst.bottom) return TRUE;
  // Where the rectangle starts in the destination surface, before clipping.
  const int x0 = dp.x + e.dt.origin.x, y0 = dp.y + e.dt.origin.y;
  Source src;
  POINT sp{0, 0};
  if (usesS) {
    src = MakeSource(*e.dst, e.dt, *e.src, e.st);
    const POINT s0 = SourcePoint(e, xSrc, ySrc);
    sp = POINT{s0.x + (dst.left - x0), s0.y + (dst.top - y0)};
  }
  const Pattern pat = CurrentPattern(*e.dst, e.dt);
  auto withFore = RunOnCopy(e.dt, dst, usesS ? &src : nullptr, sp, pat, fore);
  auto withBack = RunOnCopy(e.dt, dst, usesS ? &src : nullptr, sp, pat, back);
  if (!withFore || !withBack) return FALSE;
  for (const RECT& clip : e.dt.clip) {
    const RECT c = IntersectRects(clip, dst);
    for (int y = c.top; y < c.bottom; ++y) {
      std::uint32_t* d = e.dt.surface->Row(y);
      const std::uint32_t* mrow = m.Row(yMask + (y - y0));
      for (int x = c.left; x < c.right; ++x) {
        const bool one = (mrow[xMask + (x - x0)] & 0xFFFFFF) != 0;
        d[x] = (one ? *withFore : *withBack).At(x - dst.left, y - dst.top);
      }
    }
  }
  FinishDrawing(e.dt);
  return TRUE;
}

BOOL WINAPI TransparentBlt(HDC hdcDest, int xd, int yd, int wd, int hd, HDC hdcSrc, int xs, int ys, int ws, int hs,
                           UINT key) {
  CoreGuard guard(CoreLock());
  if (wd <= 0 || hd <= 0 || ws <= 0 || hs <= 0) return FALSE;
  BlitEnds e = Resolve(hdcDest, hdcSrc, true);
  if (!e.ok) return FALSE;
  const Surface& ss = *e.st.surface;
  POINT sp = SourcePoint(e, xs, ys);
  if (sp.x < 0 || sp.y < 0 || Plus(sp.x, ws) > ss.width || Plus(sp.y, hs) > ss.height) return FALSE;
  const std::uint32_t keyPx = TargetPixel(e.st, *e.src, key);
  Source src = MakeSource(*e.dst, e.dt, *e.src, e.st);
  POINT dp = ToDevice(e.dst->st, xd, yd);
  const LONG left = Limit(Plus(dp.x, e.dt.origin.x)), top = Limit(Plus(dp.y, e.dt.origin.y));
  const RECT box{left, top, Limit(Plus(left, wd)), Limit(Plus(top, hd))};
  for (const RECT& clip : e.dt.clip) {
    RECT c = IntersectRects(clip, box);
    // Unstretched, the pixel centres map one to one: no division per pixel.
    const bool same = ws == wd && hs == hd;
    for (int y = c.top; y < c.bottom; ++y) {
      const int sy = same ? sp.y + (y - static_cast<int>(box.top))
                          : sp.y + static_cast<int>(((2LL * (y - box.top) + 1) * hs) / (2LL * hd));
      std::uint32_t* d = e.dt.surface->Row(y);
      for (int x = c.left; x < c.right; ++x) {
        const int sx = same ? sp.x + (x - static_cast<int>(box.left))
                            : sp.x + static_cast<int>(((2LL * (x - box.left) + 1) * ws) / (2LL * wd));
        std::uint32_t v = ss.At(sx, sy) & 0xFFFFFF;
        if (v == keyPx) continue;
        if (src.monoToColor) v = v ? src.back : src.fore;
        else if (src.colorToMono) v = v == src.back ? 0xFFFFFFu : 0u;
        d[x] = v;
      }
    }
  }
  FinishDrawing(e.dt);
  return TRUE;
}

namespace {

// A DIB's scan lines [first, first + count) decoded into a top-down surface
// of the whole image; `rowsLo`..`rowsHi` are the image rows that were given.
std::shared_ptr<Surface> DecodeDib(const DibFormat& f, const void* bits, int first, int count, bool mono,
                                   int& rowsLo, int& rowsHi) {
  auto img = MakeSurface(f.width, f.height);
  if (!img) return nullptr;
  const auto* in = static_cast<const std::uint8_t*>(bits);
  rowsLo = f.height, rowsHi = 0;
  for (int k = 0; k < count; ++k) {
    const int sc = first + k;
    if (sc < 0 || sc >= f.height) continue;
    const int y = f.RowOfScan(sc);
    DecodeRow(f, in + f.ScanOffset(k), f.width, img->Row(y));
    if (mono)
      for (int x = 0; x < f.width; ++x) img->At(x, y) = MonoOf(img->At(x, y));
    rowsLo = std::min(rowsLo, y), rowsHi = std::max(rowsHi, y + 1);
  }
  return img;
}

}  // namespace

int WINAPI StretchDIBits(HDC hdc, int xDest, int yDest, int wDest, int hDest, int xSrc, int ySrc, int wSrc,
                         int hSrc, const void* bits, const BITMAPINFO* bmi, UINT usage, DWORD rop) {
  CoreGuard guard(CoreLock());
  auto dc = LookupDc(hdc);
  DibFormat f;
  Target t;
  if (!dc || !bits || !ParseDib(bmi, usage, dc->st.palette.get(), true, f) || !ResolveTarget(*dc, t)) return 0;
  if (wSrc == 0 || hSrc == 0) return 0;
  int lo, hi;
  auto img = DecodeDib(f, bits, 0, f.height, t.mono, lo, hi);
  if (!img) return 0;
  // The source origin of a bottom-up DIB counts from its bottom row.
  const int top = f.topDown ? ySrc : f.height - ySrc - hSrc;
  Source src;
  src.surface = img.get();
  POINT dp = ToDevice(dc->st, xDest, yDest);
  RopStretch(t, dp.x + t.origin.x, dp.y + t.origin.y, wDest, hDest, src, xSrc, top, wSrc, hSrc,
             CurrentPattern(*dc, t), RopIndex(rop), FilterOf(dc->st.stretchMode));
  FinishDrawing(t);
  return hSrc < 0 ? -hSrc : hSrc;
}

int WINAPI SetDIBitsToDevice(HDC hdc, int xDest, int yDest, DWORD w, DWORD h, int xSrc, int ySrc, UINT startScan,
                             UINT lines, const void* bits, const BITMAPINFO* bmi, UINT usage) {
  CoreGuard guard(CoreLock());
  auto dc = LookupDc(hdc);
  DibFormat f;
  Target t;
  if (!dc || !bits || !ParseDib(bmi, usage, dc->st.palette.get(), true, f) || !ResolveTarget(*dc, t)) return 0;
  if (w > static_cast<DWORD>(kMaxSide) || h > static_cast<DWORD>(kMaxSide) || startScan >= UINT(f.height)) return 0;
  const int count = static_cast<int>(std::min<UINT>(lines, UINT(f.height) - startScan));
  int lo, hi;
  auto img = DecodeDib(f, bits, static_cast<int>(startScan), count, t.mono, lo, hi);
  if (!img || lo >= hi) return 0;
  const int top = f.topDown ? ySrc : f.height - ySrc - static_cast<int>(h);
  // Only the rows that were handed over are drawn.
  const int rowFrom = std::max(top, lo), rowTo = std::min(top + static_cast<int>(h), hi);
  if (rowFrom >= rowTo) return count;
  POINT dp = ToDevice(dc->st, xDest, yDest + (rowFrom - top));
  Source src;
  src.surface = img.get();
  RECT dst{dp.x + t.origin.x, dp.y + t.origin.y, dp.x + t.origin.x + static_cast<int>(w),
           dp.y + t.origin.y + (rowTo - rowFrom)};
  RopRect(t, dst, &src, xSrc, rowFrom, Pattern{}, 0xCC);
  FinishDrawing(t);
  return count;
}
