// A frame: lazy decoding into a cached bitmap, copies and re-encoding.
#include "display/GIFPicture.h"

namespace {

int DibBitsFor(int gifBits) {
  if (gifBits == 1) return 1;
  if (gifBits >= 2 && gifBits <= 4) return 4;
  if (gifBits >= 5 && gifBits <= 8) return 8;
  throw EInvalidGraphicOperation(gifmsg::WrongColorCount);
}

void Report(const TGIFProgress& p, TProgressStage stage, int percent, const std::string& msg = {}) {
  if (p) p(stage, percent, msg);
}

}  // namespace

TGIFPoint TGIFFrameBase::Size() const {
  if (FBitmap && !FBitmap->Empty()) return {FBitmap->Width, FBitmap->Height};
  return Item ? Item->Size : TGIFPoint{};
}

const TGIFBitmap& TGIFFrameBase::Decoded() {
  if (FBitmap && !FBitmap->Empty()) return *FBitmap;
  auto bmp = std::make_shared<TGIFBitmap>();
  bmp->Width = bmp->Height = 0;
  if (HasImageData()) {
    const TGIFItem& item = *Item;
    bmp->BitCount = DibBitsFor(item.BitsPerPixel);
    const std::uint64_t pixels = std::uint64_t(std::max(item.Size.X, 0)) * std::uint64_t(std::max(item.Size.Y, 0));
    if (pixels > kGIFMaxPixels) throw EInvalidGraphicOperation(gifmsg::TooLarge);
    if (Picture) Picture->MakeRoomFor(pixels, this);
    bmp->Width = item.Size.X;
    bmp->Height = item.Size.Y;
    bmp->Palette.assign(std::size_t(1) << bmp->BitCount, TGIFRGB{128, 128, 128});
    for (int i = 0; i < item.ColorMap.Count && i < int(bmp->Palette.size()); ++i)
      bmp->Palette[std::size_t(i)] = item.ColorMap.Colors[std::size_t(i)];
    bmp->Indices.assign(std::size_t(pixels), 0);
    const TGIFProgress* progress = Picture ? &Picture->OnProgress : nullptr;
    TLzwDecodeParams params{bmp->Width, bmp->Height, Interlaced, item.BitsPerPixel, TolerateCorruptGIF,
                            progress && *progress ? progress : nullptr};
    if (params.Progress) Report(*progress, psStarting, 0);
    try {
      Corrupted = LzwDecode(item.ImageData, params, bmp->Indices.data()) || Corrupted;
      if (Corrupted && Picture) Picture->Corrupted = true;
    } catch (const std::exception& e) {
      if (params.Progress) Report(*progress, psEnding, 0, e.what());
      throw;
    }
    if (params.Progress) Report(*progress, psEnding, 100);
  }
  FBitmap = std::move(bmp);
  FReplaced = false;
  return *FBitmap;
}

std::uint64_t TGIFFrameBase::ReleaseDecoded() {
  // A frame made from a bitmap has nothing to decode its pixels from again.
  if (!FBitmap || !HasImageData() || FReplaced) return 0;
  const std::uint64_t pixels = std::uint64_t(FBitmap->Width) * std::uint64_t(std::max(FBitmap->Height, 0));
  FBitmap.reset();
  return pixels;
}

std::vector<std::string> TGIFFrameBase::Comment() const {
  std::vector<std::string> lines;
  for (const TExtension& e : Extensions)
    if (e.ExtType == etComment) lines.insert(lines.end(), e.Blocks.begin(), e.Blocks.end());
  return lines;
}

void TGIFFrameBase::Assign(const TGIFFrameBase& source) {
  if (&source == this) return;
  Item = source.Item;
  Extensions = source.Extensions;
  TopLeft = source.TopLeft;
  Interlaced = source.Interlaced;
  Corrupted = source.Corrupted;
  TransparentColor = source.TransparentColor;
  TransparentIndex = source.TransparentIndex;
  AnimateInterval = source.AnimateInterval;
  DisposalMethod = source.DisposalMethod;
  LocalColors = source.LocalColors;
  FBitmap = source.FBitmap;  // immutable once built, so sharing is safe
  FReplaced = source.FReplaced;
}

void TGIFFrameBase::Assign(const TGIFBitmap& bitmap) {
  auto item = TSharedRef<TGIFItem>::Make();
  item->Size = {bitmap.Width, bitmap.Height};
  item->BitsPerPixel = std::uint8_t(bitmap.BitCount);
  item->ColorMap.Count = std::int32_t(std::min<std::size_t>(bitmap.Palette.size(), 256));
  for (int i = 0; i < item->ColorMap.Count; ++i) item->ColorMap.Colors[std::size_t(i)] = bitmap.Palette[std::size_t(i)];
  if (bitmap.BitCount >= 1 && bitmap.BitCount <= 8) item->PackedFields = std::uint8_t(0x80 | (bitmap.BitCount - 1));
  Item = std::move(item);
  Extensions.clear();
  TopLeft = {};
  Interlaced = false;
  Corrupted = false;
  TransparentColor = clNone;
  TransparentIndex = -1;
  LocalColors = true;
  FBitmap = std::make_shared<TGIFBitmap>(bitmap);
  FReplaced = false;
}

void TGIFFrameBase::EnsureImageData() {
  if (HasImageData()) return;
  if (!FBitmap || FBitmap->Empty()) throw EInvalidGraphicOperation(gifmsg::Encoding);
  const TGIFBitmap& b = *FBitmap;
  if (b.BitCount != 1 && b.BitCount != 4 && b.BitCount != 8) throw EInvalidGraphicOperation(gifmsg::Encoding);
  if (b.Indices.size() != std::size_t(b.Width) * std::size_t(b.Height)) throw EInvalidGraphicOperation(gifmsg::Encoding);
  auto item = TSharedRef<TGIFItem>::Make();
  item->Size = {b.Width, b.Height};
  item->BitsPerPixel = std::uint8_t(b.BitCount);
  item->ColorMap.Count = 1 << b.BitCount;
  for (std::size_t i = 0; i < b.Palette.size() && i < 256; ++i) item->ColorMap.Colors[i] = b.Palette[i];
  item->PackedFields = std::uint8_t(0x80 | (b.BitCount - 1));
  item->ImageData = LzwEncode(b.Indices.data(), b.Indices.size(), std::max(2, b.BitCount));
  Item = std::move(item);
  Interlaced = false;
  LocalColors = true;
}
