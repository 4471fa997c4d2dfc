// Index planes into bitmaps through their BMP form, and bitmaps back into
// planes through GetDIBits.
#include "gif_image_bitmaps.h"

#include "display/GIFQuantize.h"

#include "framework/exceptions.h"
#include "framework/stream.h"

TScratchDc::TScratchDc(HBITMAP bitmap) : dc(CreateCompatibleDC(nullptr)), old(nullptr) {
  if (!dc) throw EOutOfResources("Out of system resources");
  if (bitmap) old = SelectObject(dc, bitmap);
}

TScratchDc::~TScratchDc() {
  if (old) SelectObject(dc, old);
  DeleteDC(dc);
}

TBitmapHandle::~TBitmapHandle() {
  if (h) DeleteObject(h);
}

namespace {

struct TDibHeader {
  BITMAPINFOHEADER header;
  RGBQUAD colors[256];
};

// Rows bottom-up, as GetDIBits gives them for a positive height.
std::vector<std::uint8_t> ReadRows(TBitmap* bitmap, int bits, TDibHeader& info) {
  const int w = bitmap->Width(), h = bitmap->Height();
  info = TDibHeader{};
  info.header = BITMAPINFOHEADER{sizeof(BITMAPINFOHEADER), w, h, 1, static_cast<WORD>(bits), BI_RGB};
  const std::size_t stride = ((std::size_t(w) * std::size_t(bits) + 31) / 32) * 4;
  std::vector<std::uint8_t> rows(stride * std::size_t(h));
  TScratchDc scratch(nullptr);
  if (GetDIBits(scratch.dc, bitmap->Handle(), 0, static_cast<UINT>(h), rows.data(),
                reinterpret_cast<BITMAPINFO*>(&info), DIB_RGB_COLORS) != h)
    throw EInvalidGraphicOperation(gifmsg::Encoding);
  return rows;
}

}  // namespace

std::vector<std::uint32_t> ReadPixels32(TBitmap* bitmap) {
  if (!bitmap || bitmap->Empty()) return {};
  TDibHeader info;
  std::vector<std::uint8_t> rows = ReadRows(bitmap, 32, info);
  std::vector<std::uint32_t> pixels(rows.size() / 4);
  for (std::size_t i = 0; i < pixels.size(); ++i)
    pixels[i] = std::uint32_t(rows[4 * i]) | std::uint32_t(rows[4 * i + 1]) << 8 | std::uint32_t(rows[4 * i + 2]) << 16;
  return pixels;
}

TGIFBitmap BitmapToPlane(TBitmap* bitmap) {
  if (!bitmap || bitmap->Empty()) return {};
  const int w = bitmap->Width(), h = bitmap->Height();
  const int bits = BitsOfPixelFormat(bitmap->PixelFormat());
  if (bits != 1 && bits != 4 && bits != 8) {
    std::vector<std::uint32_t> pixels = ReadPixels32(bitmap);
    std::vector<std::uint32_t> topDown(pixels.size());
    for (int y = 0; y < h; ++y)
      std::copy_n(pixels.begin() + std::ptrdiff_t(y) * w, w, topDown.begin() + std::ptrdiff_t(h - 1 - y) * w);
    return GIFQuantize(topDown.data(), w, h);
  }
  TDibHeader info;
  const std::vector<std::uint8_t> rows = ReadRows(bitmap, bits, info);
  TGIFBitmap plane;
  plane.Width = w;
  plane.Height = h;
  plane.BitCount = bits;
  for (int i = 0; i < (1 << bits); ++i)
    plane.Palette.push_back(TGIFRGB{info.colors[i].rgbRed, info.colors[i].rgbGreen, info.colors[i].rgbBlue});
  const std::size_t stride = rows.size() / std::size_t(h);
  plane.Indices.resize(std::size_t(w) * std::size_t(h));
  for (int y = 0; y < h; ++y) {
    const std::uint8_t* row = rows.data() + std::size_t(h - 1 - y) * stride;
    std::uint8_t* out = plane.Indices.data() + std::size_t(y) * std::size_t(w);
    for (int x = 0; x < w; ++x) {
      if (bits == 8) out[x] = row[x];
      else if (bits == 4) out[x] = std::uint8_t((row[x >> 1] >> ((x & 1) ? 0 : 4)) & 15);
      else out[x] = std::uint8_t((row[x >> 3] >> (7 - (x & 7))) & 1);
    }
  }
  return plane;
}

void PlaneToBitmap(const TGIFBitmap& plane, TBitmap& bitmap) {
  if (plane.Empty()) {
    bitmap.SetHandle(nullptr);
    return;
  }
  const std::vector<std::uint8_t> bmp = plane.ToBmp();
  TMemoryStream stream;
  stream.WriteBuffer(bmp.data(), static_cast<std::int64_t>(bmp.size()));
  stream.SetPosition(0);
  bitmap.LoadFromStream(&stream);
}

void CopyBitmapHandle(HBITMAP source, TBitmap& bitmap) {
  TBitmap borrowed;
  borrowed.SetHandle(source);
  try {
    bitmap.Assign(&borrowed);
  } catch (...) {
    borrowed.ReleaseHandle();
    throw;
  }
  borrowed.ReleaseHandle();
}
