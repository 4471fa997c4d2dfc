// Glyph images of the glyph button and where glyph and caption go.
#include "button_glyph.h"

namespace xvt_stdctrls {
namespace {

COLORREF Rgb(TColor c) { return ColorToRGB(c) & 0xFFFFFF; }

// Light pixels stay face-coloured in the embossed image: embossing the
// white and grey of a glyph's own highlights would only smear it.
bool IsInk(COLORREF pixel, COLORREF transparent) {
  pixel &= 0xFFFFFF;
  return pixel != transparent && pixel != Rgb(clWhite) && pixel != Rgb(clSilver);
}

std::unique_ptr<TBitmap> SubImage(TBitmap* glyph, int index, TSize size) {
  auto image = std::make_unique<TBitmap>();
  image->SetSize(size.cx, size.cy);
  BitBlt(image->Canvas()->Handle(), 0, 0, size.cx, size.cy, glyph->SourceDc(), index * size.cx, 0, SRCCOPY);
  return image;
}

}  // namespace

std::unique_ptr<TBitmap> EmbossedImage(TBitmap* source, TColor transparent) {
  const int w = source->Width(), h = source->Height();
  auto image = std::make_unique<TBitmap>();
  image->SetSize(w + 1, h + 1);
  HDC to = image->Canvas()->Handle();
  HDC from = source->SourceDc();
  RECT all{0, 0, w + 1, h + 1};
  HBRUSH face = CreateSolidBrush(Rgb(clBtnFace));
  FillRect(to, &all, face);
  DeleteObject(face);
  const COLORREF key = Rgb(transparent);
  // Highlight first, one pixel down and right; the shadow pass then covers
  // it wherever ink sits beside ink.
  const COLORREF highlight = Rgb(clBtnHighlight), shadow = Rgb(clBtnShadow);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x)
      if (IsInk(GetPixel(from, x, y), key)) SetPixel(to, x + 1, y + 1, highlight);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x)
      if (IsInk(GetPixel(from, x, y), key)) SetPixel(to, x, y, shadow);
  return image;
}

void GlyphImages::Clear() {
  for (auto& image : images_) image.reset();
}

TSize GlyphImages::ImageSize(TBitmap* glyph, int count) {
  if (!glyph || glyph->Empty() || count < 1) return TSize{0, 0};
  return TSize{glyph->Width() / count, glyph->Height()};
}

TBitmap* GlyphImages::Image(TBitmap* glyph, int count, TButtonState state) {
  const TSize size = ImageSize(glyph, count);
  if (size.cx <= 0 || size.cy <= 0) return nullptr;
  auto& slot = images_[state];
  if (slot) return slot.get();
  // The transparent colour belongs to the whole strip (its bottom-left
  // pixel), not to each cut-out image.
  const TColor key = static_cast<TColor>(Rgb(glyph->TransparentColor()));
  if (state == bsDisabled && count < 2) {
    auto up = SubImage(glyph, 0, size);
    slot = EmbossedImage(up.get(), key);
    slot->SetTransparentColor(static_cast<TColor>(Rgb(clBtnFace)));
  } else {
    const int index = static_cast<int>(state) < count ? static_cast<int>(state) : 0;
    slot = SubImage(glyph, index, size);
    slot->SetTransparentColor(key);
  }
  slot->SetTransparent(true);
  return slot.get();
}

}  // namespace xvt_stdctrls

TGlyphPlacement PlaceGlyphAndText(const TRect& client, TSize glyphSize, TSize textSize, TButtonLayout layout,
                                  int margin, int spacing) {
  const bool across = layout == blGlyphLeft || layout == blGlyphRight;
  const int w = RectWidth(client), h = RectHeight(client);
  TPoint glyph{0, 0}, text{0, 0};
  // Across the block's direction both parts are centred.
  if (across) {
    glyph.y = (h - glyphSize.cy + 1) / 2;
    text.y = (h - textSize.cy + 1) / 2;
  } else {
    glyph.x = (w - glyphSize.cx + 1) / 2;
    text.x = (w - textSize.cx + 1) / 2;
  }
  if (textSize.cx == 0 || glyphSize.cx == 0) spacing = 0;
  const int room = across ? w : h;
  const int parts = across ? glyphSize.cx + textSize.cx : glyphSize.cy + textSize.cy;
  const int glyphLength = across ? glyphSize.cx : glyphSize.cy;
  const int textLength = across ? textSize.cx : textSize.cy;
  if (margin == -1) {
    if (spacing == -1) {
      margin = (room - parts) / 3;
      spacing = margin;
    } else {
      margin = (room - parts - spacing + 1) / 2;
    }
  } else if (spacing == -1) {
    spacing = (room - (margin + glyphLength) - textLength) / 2;
  }
  int glyphAt = 0, textAt = 0;
  switch (layout) {
    case blGlyphLeft:
    case blGlyphTop:
      glyphAt = margin;
      textAt = glyphAt + glyphLength + spacing;
      break;
    case blGlyphRight:
    case blGlyphBottom:
      glyphAt = room - margin - glyphLength;
      textAt = glyphAt - spacing - textLength;
      break;
  }
  (across ? glyph.x : glyph.y) = glyphAt;
  (across ? text.x : text.y) = textAt;
  TGlyphPlacement placed;
  placed.glyph = TPoint{client.left + glyph.x, client.top + glyph.y};
  placed.text = Bounds(client.left + text.x, client.top + text.y, textSize.cx, textSize.cy);
  return placed;
}
