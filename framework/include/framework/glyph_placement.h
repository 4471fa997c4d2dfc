// The layout that glyph buttons share: where the glyph sits against the
// caption, the state images a glyph strip holds, and the placement of both
// inside a button.
#pragma once

#include "framework/graphics.h"

enum TButtonLayout { blGlyphLeft, blGlyphRight, blGlyphTop, blGlyphBottom };
// The images a glyph holds side by side, in this order.
enum TButtonState { bsUp, bsDisabled, bsDown, bsExclusive };

// Where the glyph and the caption of a glyph button go inside `client`:
// the caption measured as `textSize`, the glyph as `glyphSize` (0 x 0 for
// none). Across the block's direction both are centred; along it, a margin
// of -1 centres glyph and caption together, a spacing of -1 spreads them
// evenly, and without a glyph or a caption the spacing is 0.
struct TGlyphPlacement {
  TPoint glyph;
  TRect text;
};
TGlyphPlacement PlaceGlyphAndText(const TRect& client, TSize glyphSize, TSize textSize, TButtonLayout layout,
                                  int margin, int spacing);
