#include "ui/artwork.h"

#include <cstdint>

#include "artwork_data.h"
#include "display/RxGIF.h"
#include "framework/stream.h"

namespace ui {

namespace {

// The classic sixteen colours, in the order of the glyphs' indices; fuchsia
// (13) is the see-through colour, used by nothing else.
constexpr TColor kClassic[16] = {clBlack, clMaroon, clGreen,  clOlive, clNavy,    clPurple, clTeal, clGray,
                                 clSilver, clRed,   clLime,   clYellow, clBlue,   clFuchsia, clAqua, clWhite};

std::unique_ptr<TGIFImage> LoadPicture(const std::uint8_t* data, std::size_t size) {
  TMemoryStream stream;
  stream.WriteBuffer(data, static_cast<std::int64_t>(size));
  stream.SetPosition(0);
  auto gif = std::make_unique<TGIFImage>();
  gif->ReadData(&stream);
  return gif;
}

}  // namespace

std::unique_ptr<TBitmap> MakeGlyph(GlyphKind kind) {
  auto glyph = std::make_unique<TBitmap>();
  glyph->SetPixelFormat(pf24bit);
  glyph->SetSize(16, 16);
  const std::uint8_t* pixels = kGlyphPixels + static_cast<std::size_t>(kind) * 256;
  for (int y = 0; y < 16; ++y)
    for (int x = 0; x < 16; ++x) glyph->Canvas()->SetPixel(x, y, kClassic[pixels[y * 16 + x] & 15]);
  return glyph;
}

std::unique_ptr<TGIFImage> MakeLogo() { return LoadPicture(kMainLogoData, kMainLogoDataSize); }

std::unique_ptr<TGIFImage> MakeAboutAnimation() { return LoadPicture(kAboutLogoData, kAboutLogoDataSize); }

}  // namespace ui
