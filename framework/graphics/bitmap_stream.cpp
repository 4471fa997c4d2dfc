// BMP files: BITMAPFILEHEADER, an info header (the 40-byte form, or the
// later longer ones of which the first 40 bytes are read, or the 12-byte
// core form), the colour table and the rows.
#include <algorithm>
#include <cstring>

#include "dib.h"
#include "framework/bitmap.h"
#include "framework/exceptions.h"
#include "framework/stream.h"

namespace {

constexpr WORD kBmpSignature = 0x4D42;  // "BM"
// Refuses pictures whose pixels alone would pass this, so a forged header
// cannot make us allocate without bound.
constexpr std::size_t kMaxImageBytes = std::size_t{256} << 20;

[[noreturn]] void Invalid() { throw EInvalidGraphic("Bitmap image is not valid"); }

BITMAPINFOHEADER ReadInfoHeader(TStream* stream) {
  DWORD size = 0;
  stream->ReadBuffer(&size, sizeof(size));
  BITMAPINFOHEADER h{};
  if (size == 12) {
    // The core header: 16-bit sizes, no compression, three-byte colours.
    std::uint16_t core[4];
    stream->ReadBuffer(core, sizeof(core));
    h.biWidth = core[0];
    h.biHeight = core[1];
    h.biPlanes = core[2];
    h.biBitCount = core[3];
  } else if (size >= sizeof(BITMAPINFOHEADER)) {
    stream->ReadBuffer(reinterpret_cast<std::uint8_t*>(&h) + sizeof(DWORD), sizeof(h) - sizeof(DWORD));
    stream->Seek(size - sizeof(BITMAPINFOHEADER), soCurrent);
  } else {
    Invalid();
  }
  h.biSize = size;
  return h;
}

}  // namespace

int DibColorCount(const BITMAPINFOHEADER& h) {
  if (h.biBitCount > 8) return 0;
  const int full = 1 << h.biBitCount;
  // A count beyond what the depth can index is a corrupt header: the table
  // never holds more than the full set.
  return h.biClrUsed == 0 || h.biClrUsed > static_cast<DWORD>(full) ? full : static_cast<int>(h.biClrUsed);
}

DibImage ReadDib(HBITMAP bitmap, int bits) {
  BITMAP bm{};
  if (!GetObjectA(bitmap, sizeof(bm), &bm)) Invalid();
  const int width = bm.bmWidth, height = std::abs(bm.bmHeight);
  DibImage image;
  image.info.assign(sizeof(BITMAPINFOHEADER) + 256 * sizeof(RGBQUAD), 0);
  BITMAPINFOHEADER& h = image.Info()->bmiHeader;
  h = BITMAPINFOHEADER{sizeof(BITMAPINFOHEADER), width, height, 1, static_cast<WORD>(bits), BI_RGB};
  image.bits.assign(DibStride(width, bits) * static_cast<std::size_t>(height), 0);
  ScratchDc dc;
  if (GetDIBits(dc.dc, bitmap, 0, static_cast<UINT>(height), image.bits.data(), image.Info(), DIB_RGB_COLORS) !=
      height)
    throw EInvalidGraphicOperation("Cannot read the bitmap's pixels");
  h.biClrUsed = 0;
  h.biSizeImage = static_cast<DWORD>(image.bits.size());
  image.info.resize(sizeof(BITMAPINFOHEADER) + DibColorCount(h) * sizeof(RGBQUAD));
  return image;
}

HBITMAP MakeDibSection(const DibImage& image) {
  ScratchDc dc;
  void* pixels = nullptr;
  std::vector<std::uint8_t> info = image.info;
  info.resize(std::max(info.size(), sizeof(BITMAPINFO)), 0);
  HBITMAP bitmap = CreateDIBSection(dc.dc, reinterpret_cast<const BITMAPINFO*>(info.data()), DIB_RGB_COLORS, &pixels,
                                    nullptr, 0);
  if (!bitmap || !pixels) throw EOutOfResources("Out of system resources");
  std::memcpy(pixels, image.bits.data(), image.bits.size());
  return bitmap;
}

void TBitmap::LoadFromStream(TStream* stream) {
  const std::int64_t start = stream->Position();
  BITMAPFILEHEADER file{};
  stream->ReadBuffer(&file, sizeof(file));
  if (file.bfType != kBmpSignature) Invalid();
  const bool core = [&] {
    DWORD size = 0;
    stream->ReadBuffer(&size, sizeof(size));
    stream->Seek(-static_cast<std::int64_t>(sizeof(size)), soCurrent);
    return size == 12;
  }();
  BITMAPINFOHEADER h = ReadInfoHeader(stream);
  const int bits = h.biBitCount;
  if (h.biWidth <= 0 || h.biHeight == 0 || h.biHeight == INT32_MIN || h.biPlanes != 1) Invalid();
  if (bits != 1 && bits != 4 && bits != 8 && bits != 16 && bits != 24 && bits != 32) Invalid();
  if (h.biCompression != BI_RGB) throw EInvalidGraphic("Unsupported bitmap compression");
  const int height = std::abs(h.biHeight);
  const std::size_t stride = DibStride(h.biWidth, bits);
  if (stride > kMaxImageBytes / static_cast<std::size_t>(height)) Invalid();

  DibImage image;
  const int colors = DibColorCount(h);
  image.info.assign(sizeof(BITMAPINFOHEADER) + colors * sizeof(RGBQUAD), 0);
  auto* table = image.Info()->bmiColors;
  for (int i = 0; i < colors; ++i) stream->ReadBuffer(&table[i], core ? 3 : sizeof(RGBQUAD));
  image.bits.resize(stride * static_cast<std::size_t>(height));
  if (file.bfOffBits != 0) stream->SetPosition(start + file.bfOffBits);
  stream->ReadBuffer(image.bits.data(), static_cast<std::int64_t>(image.bits.size()));
  if (h.biHeight < 0) {
    // Top-down rows are kept bottom-up like every other bitmap here.
    for (int y = 0; y < height / 2; ++y)
      std::swap_ranges(image.bits.begin() + y * stride, image.bits.begin() + (y + 1) * stride,
                       image.bits.begin() + (height - 1 - y) * stride);
  }
  image.Info()->bmiHeader = BITMAPINFOHEADER{sizeof(BITMAPINFOHEADER), h.biWidth, height, 1,
                                             static_cast<WORD>(bits), BI_RGB};
  image.Info()->bmiHeader.biClrUsed = static_cast<DWORD>(colors);
  Replace(MakeDibSection(image), h.biWidth, height, PixelFormatOfBits(bits));
}

void TBitmap::SaveToStream(TStream* stream) {
  // An empty bitmap has no file form: it writes nothing.
  if (!handle_) return;
  DibImage image = ReadDib(handle_, BitsOfPixelFormat(pixelFormat_));
  BITMAPFILEHEADER file{};
  file.bfType = kBmpSignature;
  file.bfOffBits = static_cast<DWORD>(sizeof(file) + image.info.size());
  file.bfSize = static_cast<DWORD>(file.bfOffBits + image.bits.size());
  stream->WriteBuffer(&file, sizeof(file));
  stream->WriteBuffer(image.info.data(), static_cast<std::int64_t>(image.info.size()));
  stream->WriteBuffer(image.bits.data(), static_cast<std::int64_t>(image.bits.size()));
}
