// What the drawing core offers the other areas of the Windows layer (the text
// engine, image lists, the window layer): surfaces, window and screen device
// contexts, the text state of a DC, mask drawing and the system colours.
// Everything here is internal to platform/win32; code above uses windows.h.
#pragma once

#include <win32/gdi32.h>
#include <win32/user32_draw.h>
#include <win32/windef.h>

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

namespace gdi {

// A 32-bit pixel store: pixels 0x00RRGGBB (the memory layout of a Windows
// 32-bit DIB), rows top-down. `stride` is in pixels and is negative for a
// bottom-up DIB section whose bits live upside down in caller memory: always
// address rows through Row(y). `bits` points at row 0 (the top row).
struct Surface {
  int width = 0;
  int height = 0;
  std::ptrdiff_t stride = 0;
  std::uint32_t* bits = nullptr;
  std::vector<std::uint32_t> storage;  // owned pixels; empty when external

  std::uint32_t* Row(int y) { return bits + static_cast<std::ptrdiff_t>(y) * stride; }
  const std::uint32_t* Row(int y) const { return bits + static_cast<std::ptrdiff_t>(y) * stride; }
  std::uint32_t& At(int x, int y) { return Row(y)[x]; }
  std::uint32_t At(int x, int y) const { return Row(y)[x]; }
  bool Contains(int x, int y) const { return x >= 0 && y >= 0 && x < width && y < height; }
};

// A zero-filled (black) surface of w x h owned pixels; nullptr when the size
// is negative or too large to allocate sensibly.
std::shared_ptr<Surface> MakeSurface(int w, int h);
// A surface over caller memory (not owned); stride in pixels, may be negative.
std::shared_ptr<Surface> WrapSurface(int w, int h, std::ptrdiff_t stride, std::uint32_t* bits);

// 0x00RRGGBB surface pixel <-> COLORREF (0x00BBGGRR).
inline std::uint32_t PixelOf(COLORREF c) {
  return ((c & 0xFFu) << 16) | (c & 0xFF00u) | ((c >> 16) & 0xFFu);
}
inline COLORREF ColorOf(std::uint32_t px) {
  return ((px & 0xFFu) << 16) | (px & 0xFF00u) | ((px >> 16) & 0xFFu);
}

// ---- window device contexts (the window layer)
// Device point (0,0) of the DC maps to `deviceOrigin` in the surface; the
// visible region (surface coordinates, copied; NULL = the whole surface) clips
// everything before any clip region the application selects.
HDC CreateSurfaceDC(std::shared_ptr<Surface> surface, POINT deviceOrigin, HRGN visibleRegion);
void SetSurfaceDCVisible(HDC hdc, POINT deviceOrigin, HRGN visibleRegion);
// What ReleaseDC/EndPaint call; also right for a screen DC. DeleteDC on these
// DCs is safe as well.
void DeleteSurfaceDC(HDC hdc);

// ---- the screen
void SetScreenSize(int w, int h);  // default 1024 x 768
SIZE ScreenSize();
// GetDC(NULL) and CreateDCA("DISPLAY", ...) read the screen through `compose`;
// without a source the screen is the desktop colour (COLOR_BACKGROUND).
// Pass an empty function to remove the source.
void SetScreenSource(std::function<std::shared_ptr<Surface>()> compose);
// The DC that GetDC(NULL) returns (the window layer's GetDC calls this).
HDC CreateScreenDC();

// ---- the text engine
struct TextState {
  HFONT font;
  COLORREF textColor, bkColor;
  int bkMode;
  UINT textAlign;
  POINT currentPos;
};
bool GetTextState(HDC hdc, TextState& state);
bool SetCurrentPos(HDC hdc, POINT logical);
bool GetFontLogFont(HFONT font, LOGFONTA& out);
// Pixels with mask != 0 get `color` (no blending), at logical (x, y), honouring
// the viewport origin, the clip region and the visible region.
bool DrawCoverageMask(HDC hdc, int x, int y, const std::uint8_t* mask, int w, int h, int pitch, COLORREF color);
bool FillSolidRect(HDC hdc, const RECT& logical, COLORREF color);

// ---- for any area
COLORREF SysColor(int index);  // the current scheme; 0 for unknown indices
// Changes one system colour and its brush; false for an unknown index.
bool SetSysColor(int index, COLORREF color);
// The pixels behind a bitmap handle (nullptr for an invalid handle) and
// whether it is monochrome (pixels then only 0x000000 or 0xFFFFFF).
std::shared_ptr<Surface> BitmapSurface(HBITMAP bitmap);
bool IsMonochromeBitmap(HBITMAP bitmap);
// The surface a DC draws on (its selected bitmap, window surface or screen),
// and the device origin inside it.
std::shared_ptr<Surface> DCSurface(HDC hdc, POINT* deviceOrigin);
// Writes a surface as an 8-bit RGB PNG file.
bool SaveSurfacePng(const Surface& surface, const char* path);
// Checks a packed DIB (header, colour table, bits) of `size` bytes before it
// is used: false when the header is malformed or claims more than is given.
bool ValidatePackedDib(const void* data, std::size_t size);

}  // namespace gdi
