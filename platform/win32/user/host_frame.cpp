// The frames the headless host shows around captioned top-level windows.
// Their window rectangle is all client (a real host's window manager draws
// the frame outside it), so the frame painted here lies around the surface:
// the borders and caption that the same style gets as a child window.
#include <win32/user32_draw.h>

#include "gdi/internal/gdi_internal.h"
#include "window.h"

namespace user {

bool PaintHostFrame(backend::SurfaceId surface, backend::FramePicture& picture) {
  Window* top = nullptr;
  for (Window* t : S().topLevels)
    if (t->surface == surface) top = t;
  if (!top || !HasHostFrame(top)) return false;
  // The frame alone: client edges and scroll bars belong to the surface.
  const DWORD style = top->style & ~(WS_VSCROLL | WS_HSCROLL);
  const DWORD ex = top->exStyle & ~WS_EX_CLIENTEDGE;
  const RECT in = NonClientInsets(style, ex, false);
  const int w = top->rect.right - top->rect.left, h = top->rect.bottom - top->rect.top;
  auto pixels = gdi::MakeSurface(in.left + w + in.right, in.top + h + in.bottom);
  if (!pixels) return false;
  HDC dc = gdi::CreateSurfaceDC(pixels, POINT{0, 0}, nullptr);
  RECT r{0, 0, pixels->width, pixels->height};
  PaintFrame(dc, r, FrameLook{style, ex, top == S().active, top->text});
  gdi::DeleteSurfaceDC(dc);
  picture.width = pixels->width;
  picture.height = pixels->height;
  picture.surfaceX = in.left;
  picture.surfaceY = in.top;
  picture.pixels.resize(static_cast<std::size_t>(picture.width) * picture.height);
  for (int y = 0; y < picture.height; ++y)
    std::copy_n(pixels->Row(y), picture.width, picture.pixels.data() + static_cast<std::size_t>(y) * picture.width);
  return true;
}

}  // namespace user
