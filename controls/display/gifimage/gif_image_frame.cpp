// TGIFFrame: the cached bitmap of a frame, its drawing and its copies.
#include <algorithm>

#include "gif_image_bitmaps.h"

// The mask and the cut-out of the transparent drawing, made once per bitmap
// and colour: an animation draws the same frames over and over.
struct TGIFFrame::TMaskCache {
  const TBitmap* bitmap = nullptr;
  TColor color = clNone;
  TBitmapHandle mask;    // monochrome: 1 where the picture is transparent
  TBitmapHandle cutout;  // the picture with its transparent pixels black
};

TGIFFrame::TGIFFrame(TGIFImage* owner) : TGIFFrameBase(owner ? &owner->FPicture : nullptr), Owner(owner) {}

TGIFFrame::~TGIFFrame() = default;

bool TGIFFrame::BitmapCurrent() const {
  return FBitmap && !FBitmap->Empty() && FBitmapItem == Item && FBitmapPlane == DecodedShared();
}

TBitmap* TGIFFrame::Bitmap() {
  if (BitmapCurrent()) return FBitmap.get();
  if (Owner) Owner->SyncProgress();
  const TGIFBitmap& plane = Decoded();
  auto bitmap = std::make_unique<TBitmap>();
  PlaneToBitmap(plane, *bitmap);
  FBitmap = std::move(bitmap);
  FBitmapItem = Item;
  FBitmapPlane = DecodedShared();
  FMask.reset();
  return FBitmap.get();
}

void TGIFFrame::SetBitmap(TBitmap* bitmap) {
  auto copy = std::make_unique<TBitmap>();
  copy->Assign(bitmap);
  // The plane follows the pixels, so composing and writing see them too.
  ReplaceDecoded(BitmapToPlane(copy.get()));
  FBitmap = std::move(copy);
  FBitmapItem = Item;
  FBitmapPlane = DecodedShared();
  FMask.reset();
}

void TGIFFrame::Draw(TCanvas* canvas, const TRect& rect, bool transparent) {
  TBitmap* bitmap = Bitmap();
  if (bitmap->Empty()) return;
  if (transparent && TransparentColor != clNone) return DrawTransparent(canvas, rect);
  canvas->StretchDraw(rect, bitmap);
}

void TGIFFrame::DrawTransparent(TCanvas* canvas, const TRect& rect) {
  TBitmap* bitmap = FBitmap.get();
  const int w = bitmap->Width(), h = bitmap->Height();
  if (!FMask || FMask->bitmap != bitmap || FMask->color != TransparentColor) {
    // The mask is made from the colour, whatever the bitmap's depth, so a
    // two-colour frame keeps its transparent entry too.
    auto cache = std::make_unique<TMaskCache>();
    cache->bitmap = bitmap;
    cache->color = TransparentColor;
    std::vector<std::uint32_t> pixels = ReadPixels32(bitmap);  // bottom-up
    const COLORREF c = ColorToRGB(TransparentColor);
    const std::uint32_t key = std::uint32_t(GetRValue(c)) << 16 | std::uint32_t(GetGValue(c)) << 8 | GetBValue(c);
    const std::size_t maskStride = ((std::size_t(w) + 15) / 16) * 2;
    std::vector<std::uint8_t> mask(maskStride * std::size_t(h), 0);
    for (int y = 0; y < h; ++y)
      for (int x = 0; x < w; ++x) {
        std::uint32_t& p = pixels[std::size_t(h - 1 - y) * std::size_t(w) + std::size_t(x)];
        if (p != key) continue;
        mask[std::size_t(y) * maskStride + std::size_t(x >> 3)] |= std::uint8_t(0x80 >> (x & 7));
        p = 0;
      }
    cache->mask.h = CreateBitmap(w, h, 1, 1, mask.data());
    BITMAPINFO info{};
    info.bmiHeader = BITMAPINFOHEADER{sizeof(BITMAPINFOHEADER), w, h, 1, 32, BI_RGB};
    void* bits = nullptr;
    TScratchDc scratch(nullptr);
    cache->cutout.h = CreateDIBSection(scratch.dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (!cache->mask.h || !cache->cutout.h || !bits) throw EOutOfResources("Out of system resources");
    std::copy(pixels.begin(), pixels.end(), static_cast<std::uint32_t*>(bits));
    FMask = std::move(cache);
  }
  HDC dc = canvas->Handle();
  const int oldMode = bitmap->Monochrome() ? 0 : SetStretchBltMode(dc, COLORONCOLOR);
  const COLORREF oldText = SetTextColor(dc, RGB(0, 0, 0));
  const COLORREF oldBk = SetBkColor(dc, RGB(255, 255, 255));
  const int dw = RectWidth(rect), dh = RectHeight(rect);
  {
    // Clear what the picture covers, then merge the picture in.
    TScratchDc mask(FMask->mask.h);
    StretchBlt(dc, rect.left, rect.top, dw, dh, mask.dc, 0, 0, w, h, SRCAND);
    TScratchDc cutout(FMask->cutout.h);
    StretchBlt(dc, rect.left, rect.top, dw, dh, cutout.dc, 0, 0, w, h, SRCPAINT);
  }
  SetTextColor(dc, oldText);
  SetBkColor(dc, oldBk);
  if (oldMode) SetStretchBltMode(dc, oldMode);
}

void TGIFFrame::Assign(TPersistent* source) {
  if (source == this) return;
  if (!source) return TGIFFrameBase::Assign(TGIFBitmap{});
  if (auto* frame = dynamic_cast<TGIFFrame*>(source)) return TGIFFrameBase::Assign(static_cast<const TGIFFrameBase&>(*frame));
  if (auto* bitmap = dynamic_cast<TBitmap*>(source)) return TGIFFrameBase::Assign(BitmapToPlane(bitmap));
  if (auto* image = dynamic_cast<TGIFImage*>(source)) {
    if (image->Count() == 0) return TGIFFrameBase::Assign(TGIFBitmap{});
    return Assign(image->Frames(std::clamp(image->FrameIndex(), 0, image->Count() - 1)));
  }
  TPersistent::Assign(source);
}

void TGIFFrame::AssignTo(TPersistent* dest) {
  if (auto* frame = dynamic_cast<TGIFFrame*>(dest)) return frame->Assign(this);
  if (auto* image = dynamic_cast<TGIFImage*>(dest)) return image->Assign(this);
  if (auto* graphic = dynamic_cast<TGraphic*>(dest)) return graphic->Assign(Bitmap());
  TPersistent::AssignTo(dest);
}
