// headless::SaveWindow: the pixels of one window as its top-level surface
// holds them now.
#include <backend/headless.h>

#include "gdi/internal/gdi_internal.h"
#include "window.h"

namespace headless {

bool SaveWindow(HWND hwnd, const std::string& png) {
  using namespace user;
  Window* w = Lookup(hwnd);
  if (!w) return false;
  Window* top = Root(w);
  if (!top->pixels) return false;
  POINT o = SurfaceOffset(w);
  RECT r = RectIntersect(RECT{o.x, o.y, o.x + (w->rect.right - w->rect.left), o.y + (w->rect.bottom - w->rect.top)},
                         RECT{0, 0, top->pixels->width, top->pixels->height});
  if (RectEmpty(r)) return false;
  backend::PixelView view{top->pixels->Row(r.top) + r.left, r.right - r.left, r.bottom - r.top,
                          static_cast<int>(top->pixels->stride)};
  return backend::WritePng(png, view);
}

}  // namespace headless
