// Load any bytes, decode every frame, and write what loaded back out.
#include <RxGIF.h>

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  TGIFPicture pic;
  try {
    pic.LoadFromBytes({data, size}, false);
  } catch (const EInvalidGraphicOperation&) {
  }
  bool all = true;
  for (auto& f : pic.Frames) {
    try {
      const TGIFBitmap& b = f->Bitmap();
      if (b.Indices.size() != std::size_t(b.Width) * std::size_t(b.Height)) __builtin_trap();
      (void)b.ToBmp();
    } catch (const EInvalidGraphicOperation&) {
      all = false;
    }
  }
  if (all && !pic.Frames.empty()) {
    TGIFPicture back;
    back.LoadFromBytes(pic.SaveToBytes(), false);
    if (back.Frames.size() != pic.Frames.size()) __builtin_trap();
  }
  return 0;
}
