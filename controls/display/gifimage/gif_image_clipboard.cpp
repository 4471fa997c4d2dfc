// TGIFImage on the clipboard: frame 0 as CF_BITMAP, the whole picture as
// "GIF Image" (a 32-bit byte count, then the GIF file).
#include <cstring>

#include "framework/exceptions.h"
#include "gif_image_bitmaps.h"

namespace {

std::vector<std::uint8_t> GlobalBytes(HANDLE data) {
  const auto* p = static_cast<const std::uint8_t*>(GlobalLock(data));
  if (!p) throw EInvalidGraphic("Unsupported clipboard format");
  std::vector<std::uint8_t> bytes(p, p + GlobalSize(data));
  GlobalUnlock(data);
  return bytes;
}

HGLOBAL GlobalGif(const std::vector<std::uint8_t>& gif) {
  const std::uint32_t n = static_cast<std::uint32_t>(gif.size());
  HGLOBAL h = GlobalAlloc(GMEM_MOVEABLE, gif.size() + 4);
  if (!h) throw EOutOfMemory();
  auto* p = static_cast<std::uint8_t*>(GlobalLock(h));
  const std::uint8_t count[4] = {std::uint8_t(n), std::uint8_t(n >> 8), std::uint8_t(n >> 16), std::uint8_t(n >> 24)};
  std::memcpy(p, count, 4);
  std::memcpy(p + 4, gif.data(), gif.size());
  GlobalUnlock(h);
  return h;
}

}  // namespace

void TGIFImage::LoadFromClipboardFormat(UINT format, HANDLE data, HPALETTE) {
  HANDLE gif = format == CF_GIF() && data ? data : nullptr;
  if (!gif && IsClipboardFormatAvailable(CF_GIF())) gif = GetClipboardData(CF_GIF());
  if (gif) {
    FPicture.LoadFromClipboardData(GlobalBytes(gif));
    HANDLE bitmap = IsClipboardFormatAvailable(CF_BITMAP) ? GetClipboardData(CF_BITMAP) : nullptr;
    if (bitmap && Count() > 0) {
      TBitmap copy;
      CopyBitmapHandle(static_cast<HBITMAP>(bitmap), copy);
      Frames(0)->SetBitmap(&copy);
      Changed(this);
    }
    return;
  }
  HANDLE bitmap = format == CF_BITMAP && data ? data : nullptr;
  if (!bitmap && IsClipboardFormatAvailable(CF_BITMAP)) bitmap = GetClipboardData(CF_BITMAP);
  if (!bitmap) throw EInvalidGraphic("Unsupported clipboard format");
  TBitmap copy;
  CopyBitmapHandle(static_cast<HBITMAP>(bitmap), copy);
  Assign(&copy);
}

void TGIFImage::SaveToClipboardFormat(UINT& format, HANDLE& data, HPALETTE& palette) {
  if (Count() == 0) return;
  bool compressed = true;
  for (const auto& f : FPicture.Frames) compressed = compressed && f->HasImageData();
  // The GIF goes on the clipboard directly (the caller has it open); the
  // bitmap is handed back like any graphic's.
  if (compressed) {
    HGLOBAL gif = GlobalGif(FPicture.SaveToBytes());
    if (!SetClipboardData(CF_GIF(), gif)) GlobalFree(gif);
  }
  TBitmap copy;
  copy.Assign(Frames(0)->Bitmap());
  format = CF_BITMAP;
  data = copy.ReleaseHandle();
  palette = nullptr;
}
