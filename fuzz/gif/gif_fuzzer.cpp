// Load any bytes, decode and compose every frame, and write what loaded back out.
#include "display/GIFCompose.h"
#include "display/GIFPicture.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  TGIFPicture pic;
  try {
    pic.LoadFromBytes({data, size}, false);
  } catch (const EInvalidGraphicOperation&) {
  }
  // Frames up to the size limit are fine but slow to clear; keep the runs
  // quick by skipping the middling ones (the refused ones throw at once).
  constexpr std::uint64_t kQuick = 1u << 20;
  auto pixels = [](std::uint64_t w, std::uint64_t h) { return w * h; };
  bool all = true;
  for (auto& f : pic.Frames) {
    const std::uint64_t n = pixels(std::uint64_t(std::max(0, f->Size().X)), std::uint64_t(std::max(0, f->Size().Y)));
    if (n > kQuick && n <= kGIFMaxPixels) {
      all = false;
      continue;
    }
    try {
      const TGIFBitmap& b = f->Decoded();
      if (b.Indices.size() != std::size_t(b.Width) * std::size_t(b.Height)) __builtin_trap();
      (void)b.ToBmp();
    } catch (const EInvalidGraphicOperation&) {
      all = false;
    }
  }
  if (all && !pic.Frames.empty() && pixels(pic.ScreenWidth(), pic.ScreenHeight()) <= kQuick) {
    try {
      TGIFComposer composer(pic);
      for (std::size_t i = 0; i < pic.Frames.size(); ++i)
        if (composer.Compose(int(i)).size() != std::size_t(pic.ScreenWidth()) * pic.ScreenHeight()) __builtin_trap();
    } catch (const EInvalidGraphicOperation&) {
    }
    TGIFPicture back;
    back.LoadFromBytes(pic.SaveToBytes(), false);
    if (back.Frames.size() != pic.Frames.size()) __builtin_trap();
  }
  return 0;
}
