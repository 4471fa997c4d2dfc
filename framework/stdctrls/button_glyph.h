// The state images of a glyph button, cut from the glyph strip (or, for a
// one-image glyph, embossed from it for the disabled state) and kept until
// the glyph changes.
#pragma once

#include <array>
#include <memory>

#include "framework/bitmap.h"
#include "framework/buttons.h"

namespace xvt_stdctrls {

class GlyphImages {
 public:
  // Forgets the images built so far.
  void Clear();
  // The image of `state` for `glyph` holding `count` images, transparent
  // where the glyph has its bottom-left colour; nullptr when the glyph is
  // empty.
  TBitmap* Image(TBitmap* glyph, int count, TButtonState state);
  // One image's size: the strip's width divided by the count.
  static TSize ImageSize(TBitmap* glyph, int count);

 private:
  std::array<std::unique_ptr<TBitmap>, 4> images_;
};

// The image of the disabled state made from `source` (one image): one
// pixel larger each way, clBtnFace where the source is its transparent
// colour, white or silver; elsewhere clBtnHighlight one pixel right and
// down, then clBtnShadow in place.
std::unique_ptr<TBitmap> EmbossedImage(TBitmap* source, TColor transparent);

}  // namespace xvt_stdctrls
