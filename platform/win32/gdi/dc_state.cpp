// DC attributes (colours, modes, origins), single pixels and device caps.
#include "dc.h"

namespace {

using namespace gdi;

template <class R, class F>
R WithDc(HDC hdc, R fail, F f) {
  CoreGuard guard(CoreLock());
  auto dc = LookupDc(hdc);
  if (!dc) return fail;
  return f(*dc);
}

// Sets a POINT attribute, returning the previous value through `old`.
BOOL SetPoint(HDC hdc, POINT DcState::*field, int x, int y, LPPOINT old, bool offset) {
  return WithDc(hdc, FALSE, [&](DcObject& dc) {
    POINT& p = dc.st.*field;
    if (old) *old = p;
    p = offset ? POINT{p.x + x, p.y + y} : POINT{x, y};
    return TRUE;
  });
}

BOOL GetPoint(HDC hdc, POINT DcState::*field, LPPOINT out) {
  return WithDc(hdc, FALSE, [&](DcObject& dc) {
    if (!out) return FALSE;
    *out = dc.st.*field;
    return TRUE;
  });
}

template <class T>
T SetField(HDC hdc, T DcState::*field, T value, T fail) {
  return WithDc(hdc, fail, [&](DcObject& dc) {
    T old = dc.st.*field;
    dc.st.*field = value;
    return old;
  });
}

template <class T>
T GetField(HDC hdc, T DcState::*field, T fail) {
  return WithDc(hdc, fail, [&](DcObject& dc) { return dc.st.*field; });
}

int SetMode(HDC hdc, int DcState::*field, int value, int lo, int hi) {
  if (value < lo || value > hi) return 0;
  return SetField(hdc, field, value, 0);
}

}  // namespace

BOOL WINAPI SetViewportOrgEx(HDC hdc, int x, int y, LPPOINT old) {
  return SetPoint(hdc, &DcState::viewportOrg, x, y, old, false);
}
BOOL WINAPI GetViewportOrgEx(HDC hdc, LPPOINT p) { return GetPoint(hdc, &DcState::viewportOrg, p); }
BOOL WINAPI OffsetViewportOrgEx(HDC hdc, int x, int y, LPPOINT old) {
  return SetPoint(hdc, &DcState::viewportOrg, x, y, old, true);
}
BOOL WINAPI SetWindowOrgEx(HDC hdc, int x, int y, LPPOINT old) {
  return SetPoint(hdc, &DcState::windowOrg, x, y, old, false);
}
BOOL WINAPI GetWindowOrgEx(HDC hdc, LPPOINT p) { return GetPoint(hdc, &DcState::windowOrg, p); }
BOOL WINAPI SetBrushOrgEx(HDC hdc, int x, int y, LPPOINT old) {
  return SetPoint(hdc, &DcState::brushOrg, x, y, old, false);
}
BOOL WINAPI GetBrushOrgEx(HDC hdc, LPPOINT p) { return GetPoint(hdc, &DcState::brushOrg, p); }
BOOL WINAPI GetCurrentPositionEx(HDC hdc, LPPOINT p) { return GetPoint(hdc, &DcState::pos, p); }

COLORREF WINAPI SetTextColor(HDC hdc, COLORREF c) { return SetField(hdc, &DcState::textColor, c, COLORREF(CLR_INVALID)); }
COLORREF WINAPI GetTextColor(HDC hdc) { return GetField(hdc, &DcState::textColor, COLORREF(CLR_INVALID)); }
COLORREF WINAPI SetBkColor(HDC hdc, COLORREF c) { return SetField(hdc, &DcState::bkColor, c, COLORREF(CLR_INVALID)); }
COLORREF WINAPI GetBkColor(HDC hdc) { return GetField(hdc, &DcState::bkColor, COLORREF(CLR_INVALID)); }
COLORREF WINAPI SetDCBrushColor(HDC hdc, COLORREF c) {
  return SetField(hdc, &DcState::dcBrushColor, c, COLORREF(CLR_INVALID));
}
COLORREF WINAPI SetDCPenColor(HDC hdc, COLORREF c) { return SetField(hdc, &DcState::dcPenColor, c, COLORREF(CLR_INVALID)); }
int WINAPI SetBkMode(HDC hdc, int mode) { return SetMode(hdc, &DcState::bkMode, mode, TRANSPARENT, OPAQUE); }
int WINAPI GetBkMode(HDC hdc) { return GetField(hdc, &DcState::bkMode, 0); }
int WINAPI SetROP2(HDC hdc, int rop2) { return SetMode(hdc, &DcState::rop2, rop2, R2_BLACK, R2_WHITE); }
int WINAPI GetROP2(HDC hdc) { return GetField(hdc, &DcState::rop2, 0); }
int WINAPI SetStretchBltMode(HDC hdc, int mode) {
  return SetMode(hdc, &DcState::stretchMode, mode, BLACKONWHITE, HALFTONE);
}
int WINAPI GetStretchBltMode(HDC hdc) { return GetField(hdc, &DcState::stretchMode, 0); }
int WINAPI SetMapMode(HDC hdc, int mode) { return SetMode(hdc, &DcState::mapMode, mode, MM_TEXT, MM_ANISOTROPIC); }
int WINAPI GetMapMode(HDC hdc) { return GetField(hdc, &DcState::mapMode, 0); }
int WINAPI SetPolyFillMode(HDC hdc, int mode) { return SetMode(hdc, &DcState::polyFillMode, mode, ALTERNATE, WINDING); }
int WINAPI GetPolyFillMode(HDC hdc) { return GetField(hdc, &DcState::polyFillMode, 0); }
UINT WINAPI SetTextAlign(HDC hdc, UINT align) { return SetField(hdc, &DcState::textAlign, align, UINT(GDI_ERROR)); }
UINT WINAPI GetTextAlign(HDC hdc) { return GetField(hdc, &DcState::textAlign, UINT(GDI_ERROR)); }

COLORREF WINAPI GetNearestColor(HDC hdc, COLORREF c) {
  return WithDc(hdc, COLORREF(CLR_INVALID), [&](DcObject& dc) {
    Target t;
    std::uint32_t px = ResolveColor(dc, c);
    if (ResolveTarget(dc, t) && t.mono) px = MonoOf(px);
    return ColorOf(px);
  });
}

COLORREF WINAPI GetPixel(HDC hdc, int x, int y) {
  return WithDc(hdc, COLORREF(CLR_INVALID), [&](DcObject& dc) {
    Target t;
    if (!ResolveTarget(dc, t, true)) return COLORREF(CLR_INVALID);
    POINT p = ToDevice(dc.st, x, y);
    p.x += t.origin.x, p.y += t.origin.y;
    if (!InClip(t, p.x, p.y)) return COLORREF(CLR_INVALID);
    return ColorOf(t.surface->At(p.x, p.y) & 0xFFFFFF);
  });
}

COLORREF WINAPI SetPixel(HDC hdc, int x, int y, COLORREF c) {
  return WithDc(hdc, COLORREF(CLR_INVALID), [&](DcObject& dc) {
    Target t;
    if (!ResolveTarget(dc, t)) return COLORREF(CLR_INVALID);
    POINT p = ToDevice(dc.st, x, y);
    p.x += t.origin.x, p.y += t.origin.y;
    if (!InClip(t, p.x, p.y)) return COLORREF(CLR_INVALID);
    std::uint32_t px = TargetPixel(t, dc, c);
    t.surface->At(p.x, p.y) = px;
    FinishDrawing(t);
    return ColorOf(px);
  });
}

BOOL WINAPI SetPixelV(HDC hdc, int x, int y, COLORREF c) { return SetPixel(hdc, x, y, c) != CLR_INVALID; }

int WINAPI GetDeviceCaps(HDC hdc, int index) {
  return WithDc(hdc, 0, [&](DcObject&) {
    const SIZE screen = ScreenSize();
    auto mm = [](LONG px) { return static_cast<int>((px * 254 + 480) / 960); };  // 96 dpi in millimetres
    switch (index) {
      case DRIVERVERSION: return 0x4000;
      case TECHNOLOGY: return DT_RASDISPLAY;
      case HORZSIZE: return mm(screen.cx);
      case VERTSIZE: return mm(screen.cy);
      case HORZRES: case DESKTOPHORZRES: return static_cast<int>(screen.cx);
      case VERTRES: case DESKTOPVERTRES: return static_cast<int>(screen.cy);
      case BITSPIXEL: return 32;
      case PLANES: return 1;
      case NUMBRUSHES: case NUMPENS: case NUMCOLORS: return -1;
      case NUMFONTS: return 0;
      case ASPECTX: case ASPECTY: return 36;
      case ASPECTXY: return 51;
      case LOGPIXELSX: case LOGPIXELSY: return 96;
      case SIZEPALETTE: case NUMRESERVED: return 0;
      case COLORRES: return 24;
      case CLIPCAPS: return CP_RECTANGLE;
      case RASTERCAPS:
        return RC_BITBLT | RC_BITMAP64 | RC_GDI20_OUTPUT | RC_DI_BITMAP | RC_DIBTODEV | RC_STRETCHBLT | RC_STRETCHDIB;
      case VREFRESH: return 60;
      case BLTALIGNMENT: return 0;
      default: return 0;
    }
  });
}

BOOL WINAPI GdiFlush(void) { return TRUE; }
