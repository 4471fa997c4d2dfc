#include "display/GIFCompose.h"

#include <algorithm>

namespace {

std::uint32_t Pixel(TColor c) { return ((c & 0xFF) << 16) | (c & 0xFF00) | ((c >> 16) & 0xFF); }

}  // namespace

TGIFComposer::TGIFComposer(TGIFPicture& picture, TColor windowColor) : FPicture(picture), FWindow(windowColor) {}

bool TGIFComposer::CoversScreen(TGIFFrameBase& f) {
  const TGIFPoint s = f.Size();
  return f.TopLeft.X <= 0 && f.TopLeft.Y <= 0 && f.TopLeft.X + s.X >= FPicture.ScreenWidth() &&
         f.TopLeft.Y + s.Y >= FPicture.ScreenHeight();
}

// The frame's bitmap at its origin; pixels of its transparent colour (by
// colour, as a mask built from it would) leave the composition untouched.
void TGIFComposer::Draw(TGIFFrameBase& f) {
  const TGIFBitmap& b = f.Decoded();
  const int w = FPicture.ScreenWidth(), h = FPicture.ScreenHeight();
  const std::vector<std::uint32_t> rgb = b.Rgb32();
  const bool masked = f.TransparentColor != clNone;
  const std::uint32_t key = Pixel(f.TransparentColor);
  for (int y = std::max(0, -f.TopLeft.Y); y < b.Height && f.TopLeft.Y + y < h; ++y)
    for (int x = std::max(0, -f.TopLeft.X); x < b.Width && f.TopLeft.X + x < w; ++x) {
      const std::uint32_t p = rgb[std::size_t(y) * std::size_t(b.Width) + std::size_t(x)];
      if (masked && p == key) continue;
      FPixels[std::size_t(f.TopLeft.Y + y) * std::size_t(w) + std::size_t(f.TopLeft.X + x)] = p;
    }
}

void TGIFComposer::FillRect(TGIFFrameBase& f) {
  const int w = FPicture.ScreenWidth(), h = FPicture.ScreenHeight();
  const TGIFPoint s = f.Size();
  for (int y = std::max(0, f.TopLeft.Y); y < std::min(h, f.TopLeft.Y + s.Y); ++y)
    for (int x = std::max(0, f.TopLeft.X); x < std::min(w, f.TopLeft.X + s.X); ++x)
      FPixels[std::size_t(y) * std::size_t(w) + std::size_t(x)] = FFill;
}

void TGIFComposer::Fresh(int n) {
  const int current = std::clamp(FPicture.FrameIndex, 0, int(FPicture.Count()) - 1);
  FTransparent = clNone;
  TColor fill = FWindow;
  if (FPicture.Frame(std::size_t(current)).TransparentColor != clNone) {
    FTransparent = fill = FPicture.Frame(std::size_t(current)).TransparentColor;
  } else if (FPicture.BackgroundColor != clNone && FPicture.HasTransparentFrame()) {
    fill = FPicture.BackgroundColor;
  }
  FFill = Pixel(fill);
  if (std::uint64_t(FPicture.ScreenWidth()) * FPicture.ScreenHeight() > kGIFMaxPixels)
    throw EInvalidGraphicOperation(gifmsg::TooLarge);
  FPixels.assign(std::size_t(FPicture.ScreenWidth()) * FPicture.ScreenHeight(), FFill);
  int s = n;
  for (; s > 0; --s) {
    TGIFFrameBase& f = FPicture.Frame(std::size_t(s));
    if (CoversScreen(f) && (f.TransparentColor == clNone || (s < n && f.DisposalMethod == 2))) break;
  }
  for (int i = s; i < n; ++i) {
    TGIFFrameBase& f = FPicture.Frame(std::size_t(i));
    if (f.DisposalMethod <= 1) Draw(f);
    else if (f.DisposalMethod == 2 && i > s) FillRect(f);
  }
}

const std::vector<std::uint32_t>& TGIFComposer::Compose(int n) {
  if (FPicture.Count() == 0 || FPicture.ScreenWidth() == 0 || FPicture.ScreenHeight() == 0) {
    FPixels.clear();
    FIndex = -1;
    return FPixels;
  }
  n = std::clamp(n, 0, int(FPicture.Count()) - 1);
  const bool reuse = FIndex >= 0 && FIndex == n - 1 && FPicture.Frame(std::size_t(n - 1)).DisposalMethod != 3;
  if (reuse) {
    if (FPicture.Frame(std::size_t(n - 1)).DisposalMethod == 2) FillRect(FPicture.Frame(std::size_t(n - 1)));
  } else {
    Fresh(n);
  }
  Draw(FPicture.Frame(std::size_t(n)));
  FIndex = n;
  return FPixels;
}
