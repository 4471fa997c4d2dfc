// DrawStateA: an image (text, prefixed text, bitmap or a callback's drawing)
// drawn as it is, or through a monochrome copy as the embossed disabled
// look or in one brush.
#include <win32/windows.h>

#include <cstring>

namespace {

constexpr DWORD kBrushWhereBlack = 0x00B8074A;  // PSDPxax: brush where the source is black

struct Image {
  HBRUSH fore;
  DRAWSTATEPROC proc;
  LPARAM data;
  WPARAM extra;
  UINT type;
  UINT flags;
};

int TextLength(const Image& im) {
  if (im.extra) return static_cast<int>(im.extra);
  const char* text = reinterpret_cast<const char*>(im.data);
  return text ? static_cast<int>(std::strlen(text)) : 0;
}

UINT TextFormat(const Image& im) {
  UINT format = DT_NOCLIP | DT_SINGLELINE;
  if (im.type == DST_TEXT) format |= DT_NOPREFIX;
  if (im.flags & DSS_HIDEPREFIX) format |= DT_HIDEPREFIX;
  if (im.flags & DSS_PREFIXONLY) format |= DT_PREFIXONLY;
  return format;
}

SIZE NaturalSize(HDC dc, const Image& im) {
  if (im.type == DST_BITMAP) {
    BITMAP bm{};
    if (!GetObjectA(reinterpret_cast<HBITMAP>(im.data), sizeof bm, &bm)) return SIZE{0, 0};
    return SIZE{bm.bmWidth, bm.bmHeight};
  }
  if (im.type == DST_TEXT || im.type == DST_PREFIXTEXT) {
    RECT r{0, 0, 0, 0};
    DrawTextA(dc, reinterpret_cast<const char*>(im.data), TextLength(im), &r, TextFormat(im) | DT_CALCRECT);
    return SIZE{r.right, r.bottom};
  }
  return SIZE{0, 0};
}

// Draws the image itself with its top-left corner at (x, y).
BOOL Jam(HDC dc, const Image& im, int x, int y, int cx, int cy) {
  if (im.type == DST_TEXT || im.type == DST_PREFIXTEXT) {
    RECT r{x, y, x + cx, y + cy};
    DrawTextA(dc, reinterpret_cast<const char*>(im.data), TextLength(im), &r, TextFormat(im));
    return TRUE;
  }
  if (im.type == DST_BITMAP) {
    HDC src = CreateCompatibleDC(dc);
    HGDIOBJ old = SelectObject(src, reinterpret_cast<HBITMAP>(im.data));
    BitBlt(dc, x, y, cx, cy, src, 0, 0, SRCCOPY);
    SelectObject(src, old);
    DeleteDC(src);
    return TRUE;
  }
  if (!im.proc) return FALSE;
  POINT origin;
  OffsetViewportOrgEx(dc, x, y, &origin);
  const BOOL done = im.proc(dc, im.data, im.extra, cx, cy);
  SetViewportOrgEx(dc, origin.x, origin.y, nullptr);
  return done;
}

// Paints `brush` wherever the monochrome copy in `mono` is black.
void Stamp(HDC dc, int x, int y, int cx, int cy, HDC mono, HBRUSH brush) {
  HGDIOBJ old = SelectObject(dc, brush);
  BitBlt(dc, x, y, cx, cy, mono, 0, 0, kBrushWhereBlack);
  SelectObject(dc, old);
}

BOOL DrawThroughMono(HDC dc, const Image& im, int x, int y, int cx, int cy) {
  HDC mono = CreateCompatibleDC(dc);
  HBITMAP bits = CreateBitmap(cx, cy, 1, 1, nullptr);
  HGDIOBJ oldBits = SelectObject(mono, bits);
  HGDIOBJ oldFont = SelectObject(mono, GetCurrentObject(dc, OBJ_FONT));
  PatBlt(mono, 0, 0, cx, cy, WHITENESS);
  SetTextColor(mono, RGB(0, 0, 0));
  SetBkColor(mono, RGB(255, 255, 255));
  SetBkMode(mono, TRANSPARENT);
  const BOOL done = Jam(mono, im, 0, 0, cx, cy);
  if (done) {
    const COLORREF text = SetTextColor(dc, RGB(0, 0, 0)), back = SetBkColor(dc, RGB(255, 255, 255));
    if (im.flags & DSS_DISABLED) {
      Stamp(dc, x + 1, y + 1, cx, cy, mono, GetSysColorBrush(COLOR_3DHILIGHT));
      Stamp(dc, x, y, cx, cy, mono, GetSysColorBrush(COLOR_3DSHADOW));
    } else {
      Stamp(dc, x, y, cx, cy, mono, im.fore ? im.fore : GetSysColorBrush(COLOR_WINDOWTEXT));
    }
    SetTextColor(dc, text);
    SetBkColor(dc, back);
  }
  SelectObject(mono, oldFont);
  SelectObject(mono, oldBits);
  DeleteObject(bits);
  DeleteDC(mono);
  return done;
}

}  // namespace

BOOL WINAPI DrawStateA(HDC hdc, HBRUSH hbrFore, DRAWSTATEPROC qfnCallBack, LPARAM lData, WPARAM wData, int x, int y,
                       int cx, int cy, UINT uFlags) {
  const Image im{hbrFore, qfnCallBack, lData, wData, uFlags & 0x000F, uFlags};
  if (!hdc || im.type == DST_ICON || im.type > DST_BITMAP || (uFlags & DSS_UNION)) return FALSE;
  if (cx == 0 || cy == 0) {
    const SIZE natural = NaturalSize(hdc, im);
    if (cx == 0) cx = natural.cx;
    if (cy == 0) cy = natural.cy;
  }
  if (cx <= 0 || cy <= 0) return im.type != DST_COMPLEX && im.type != DST_BITMAP;
  if (!(uFlags & (DSS_DISABLED | DSS_MONO))) return Jam(hdc, im, x, y, cx, cy);
  return DrawThroughMono(hdc, im, x, y, cx, cy);
}
