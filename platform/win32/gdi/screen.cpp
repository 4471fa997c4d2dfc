// The screen: its size, the hook through which the window layer composes it,
// and the DCs that read it.
#include "dc.h"

namespace gdi {

namespace {

struct Screen {
  int width = 1024, height = 768;
  std::function<std::shared_ptr<Surface>()> compose;
  std::shared_ptr<Surface> last;
};

Screen& TheScreen() {
  static Screen screen;
  return screen;
}

}  // namespace

void SetScreenSize(int w, int h) {
  CoreGuard guard(CoreLock());
  if (!SizeAcceptable(w, h)) return;
  TheScreen().width = w, TheScreen().height = h;
  TheScreen().last.reset();
}

SIZE ScreenSize() {
  CoreGuard guard(CoreLock());
  return SIZE{TheScreen().width, TheScreen().height};
}

void SetScreenSource(std::function<std::shared_ptr<Surface>()> compose) {
  CoreGuard guard(CoreLock());
  TheScreen().compose = std::move(compose);
  TheScreen().last.reset();
}

std::shared_ptr<Surface> ScreenSurface(bool refresh) {
  CoreGuard guard(CoreLock());
  Screen& s = TheScreen();
  if (s.last && !refresh) return s.last;
  std::shared_ptr<Surface> img = s.compose ? s.compose() : nullptr;
  if (!img || img->width != s.width || img->height != s.height) {
    // No source, or one of another size: the desktop colour with whatever
    // the source gave drawn over it from the top-left.
    auto desk = MakeSurface(s.width, s.height);
    std::fill(desk->storage.begin(), desk->storage.end(), PixelOf(SysColor(COLOR_BACKGROUND)));
    if (img)
      for (int y = 0; y < std::min(img->height, desk->height); ++y)
        std::copy_n(img->Row(y), std::min(img->width, desk->width), desk->Row(y));
    img = desk;
  }
  s.last = img;
  return img;
}

HDC CreateScreenDC() {
  CoreGuard guard(CoreLock());
  // The screen is composed when the DC is first drawn on or read, not here:
  // most screen DCs only stand for the display's format (GetDIBits,
  // SetDIBits, compatible bitmaps) and never touch its pixels.
  return AddDc(NewDc(DcType::Screen));
}

HDC CreateSurfaceDC(std::shared_ptr<Surface> surface, POINT deviceOrigin, HRGN visibleRegion) {
  CoreGuard guard(CoreLock());
  if (!surface) return nullptr;
  auto dc = NewDc(DcType::Surface);
  dc->surface = std::move(surface);
  dc->deviceOrigin = deviceOrigin;
  if (auto rgn = LookupRegion(visibleRegion)) dc->visible = rgn->region;
  return AddDc(dc);
}

void SetSurfaceDCVisible(HDC hdc, POINT deviceOrigin, HRGN visibleRegion) {
  CoreGuard guard(CoreLock());
  auto dc = LookupDc(hdc);
  if (!dc || dc->type == DcType::Memory) return;
  dc->deviceOrigin = deviceOrigin;
  if (auto rgn = LookupRegion(visibleRegion)) dc->visible = rgn->region;
  else dc->visible.reset();
}

void DeleteSurfaceDC(HDC hdc) {
  CoreGuard guard(CoreLock());
  auto dc = LookupDc(hdc);
  if (dc && dc->type != DcType::Memory) RemoveObject(hdc);
}

}  // namespace gdi
