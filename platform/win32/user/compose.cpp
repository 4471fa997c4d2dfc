// Top-level windows and the host: each top-level window owns a pixel
// surface the size of its window rectangle; a captioned window's frame is
// the host's and lies outside that rectangle. Painted areas are presented
// to the host as they are released; the screen that gdi reads is the
// composition of the visible top-level windows over the desktop colour.
#include <algorithm>
#include <cstring>

#include "gdi/internal/gdi_internal.h"
#include "window.h"

namespace user {
namespace {

int W(const RECT& r) { return r.right - r.left; }
int H(const RECT& r) { return r.bottom - r.top; }

backend::SurfaceOptions OptionsOf(const Window* w) {
  backend::SurfaceOptions o;
  o.popup = (w->style & WS_POPUP) && (w->style & WS_CAPTION) != WS_CAPTION;
  o.topmost = (w->exStyle & WS_EX_TOPMOST) != 0;
  o.noActivate = o.popup || (w->exStyle & WS_EX_NOACTIVATE);
  o.toolWindow = (w->exStyle & WS_EX_TOOLWINDOW) != 0;
  o.title = w->text;
  return o;
}

backend::PixelView ViewOf(const gdi::Surface& s) {
  return backend::PixelView{s.bits, s.width, s.height, static_cast<int>(s.stride)};
}

std::shared_ptr<gdi::Surface> ComposeScreen() {
  backend::Backend* host = Host();
  backend::Size size = host ? host->ScreenSize() : backend::Size{1024, 768};
  auto screen = gdi::MakeSurface(size.width, size.height);
  if (!screen) return screen;
  std::uint32_t desktop = gdi::PixelOf(gdi::SysColor(COLOR_BACKGROUND));
  for (int y = 0; y < screen->height; ++y) std::fill_n(screen->Row(y), screen->width, desktop);
  auto& tops = S().topLevels;
  for (auto it = tops.rbegin(); it != tops.rend(); ++it) {
    Window* t = *it;
    if (!Visible(t) || (t->style & WS_MINIMIZE) || !t->pixels) continue;
    const gdi::Surface& src = *t->pixels;
    RECT r = RectIntersect(t->rect, RECT{0, 0, screen->width, screen->height});
    for (int y = r.top; y < r.bottom; ++y) {
      int sy = y - t->rect.top;
      if (sy >= src.height) break;
      int n = std::min(r.right, t->rect.left + src.width) - r.left;
      if (n > 0) std::memcpy(screen->Row(y) + r.left, src.Row(sy) + (r.left - t->rect.left), sizeof(std::uint32_t) * n);
    }
  }
  return screen;
}

void Rebind(backend::Backend* host) {
  State& s = S();
  s.backendSeen = host;
  // A new host has its own keyboard and pointer: forget the old one's state.
  std::memset(s.asyncKeys, 0, sizeof s.asyncKeys);
  std::memset(s.syncKeys, 0, sizeof s.syncKeys);
  s.cursorPos = POINT{host->CursorPos().x, host->CursorPos().y};
  backend::Size size = host->ScreenSize();
  gdi::SetScreenSize(size.width, size.height);
  gdi::SetScreenSource(ComposeScreen);
  backend::SetFramePainter(PaintHostFrame);
  // Windows that outlived an earlier backend get surfaces on this one.
  for (Window* t : s.topLevels) {
    t->surface = backend::kNoSurface;
    SyncSurface(t);
  }
}

}  // namespace

backend::Backend* Host() {
  backend::Backend* host = backend::Current();
  if (host && host != S().backendSeen) Rebind(host);
  return host;
}

void CreatePixels(Window* top) {
  top->pixels = gdi::MakeSurface(std::max(1, W(top->rect)), std::max(1, H(top->rect)));
}

void ResizePixels(Window* top) {
  auto old = top->pixels;
  CreatePixels(top);
  if (!old || !top->pixels) return;
  int w = std::min(old->width, top->pixels->width);
  int h = std::min(old->height, top->pixels->height);
  for (int y = 0; y < h; ++y) std::memcpy(top->pixels->Row(y), old->Row(y), sizeof(std::uint32_t) * w);
}

void SyncSurface(Window* top) {
  backend::Backend* host = Host();
  if (!host || !IsTopLevel(top)) return;
  bool shown = Visible(top) && !(top->style & WS_MINIMIZE);
  if (top->surface == backend::kNoSurface) {
    if (!shown) return;  // hidden helper windows never reach the host
    top->surface = host->CreateSurface(OptionsOf(top));
  }
  host->PlaceSurface(top->surface, backend::Rect{top->rect.left, top->rect.top, W(top->rect), H(top->rect)});
  host->SetTopmost(top->surface, (top->exStyle & WS_EX_TOPMOST) != 0);
  host->ShowSurface(top->surface, shown);
}

void DestroySurface(Window* top) {
  if (top->surface != backend::kNoSurface)
    if (backend::Backend* host = Host()) host->DestroySurface(top->surface);
  top->surface = backend::kNoSurface;
}

void RaiseTopLevel(Window* top) {
  if (top->surface == backend::kNoSurface) return;
  backend::Backend* host = Host();
  if (!host) return;
  // Raise from the bottom up so the host order ends as ours.
  auto& tops = S().topLevels;
  auto me = std::find(tops.begin(), tops.end(), top);
  for (auto it = std::make_reverse_iterator(me + 1); it != tops.rend(); ++it)
    if ((*it)->surface != backend::kNoSurface && Visible(*it)) host->RaiseSurface((*it)->surface);
}

void PresentRect(Window* top, const RECT& surfaceRect) {
  if (!top || top->surface == backend::kNoSurface || !top->pixels) return;
  backend::Backend* host = Host();
  RECT r = RectIntersect(surfaceRect, RECT{0, 0, top->pixels->width, top->pixels->height});
  if (!host || RectEmpty(r)) return;
  host->Present(top->surface, ViewOf(*top->pixels), {backend::Rect{r.left, r.top, W(r), H(r)}});
}

void PresentAll(Window* top) {
  if (top->pixels) PresentRect(top, RECT{0, 0, top->pixels->width, top->pixels->height});
}

}  // namespace user
