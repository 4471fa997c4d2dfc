#include "framework/glyph_placement.h"

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
