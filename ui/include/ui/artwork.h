// The program's pictures, drawn by tools/artwork: the 16 x 16 button glyphs
// and the two logos (a still one for the main window, an animated one for
// About), read from the data that tool made, as a window definition holds it.
#pragma once
#include <memory>

#include "framework/bitmap.h"

class TGIFImage;

namespace ui {

enum GlyphKind { glOpen, glRefresh, glInstall, glRemove };

// A 16 x 16 glyph; its bottom-left pixel is the transparent colour.
std::unique_ptr<TBitmap> MakeGlyph(GlyphKind kind);

// 70 x 70, 22 frames of 100 ms, 256 colours, disposal 1.
std::unique_ptr<TGIFImage> MakeLogo();
// 100 x 75, 25 looping frames of 60 ms, 4 colours, disposal 2, index 0 see-through.
std::unique_ptr<TGIFImage> MakeAboutAnimation();

}  // namespace ui
