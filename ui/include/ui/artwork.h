// The program's pictures, drawn in code: the 16 x 16 button glyphs and the
// two logos (a still one for the main window, an animated one for About).
#pragma once
#include <memory>

#include "framework/bitmap.h"

class TGIFImage;

namespace ui {

enum GlyphKind { glOpen, glRefresh, glInstall, glRemove };

// A 16 x 16 glyph; its bottom-left pixel is the transparent colour.
std::unique_ptr<TBitmap> MakeGlyph(GlyphKind kind);

// 70 x 70, one frame.
std::unique_ptr<TGIFImage> MakeLogo();
// 100 x 75, looping frames of a star field flowing past.
std::unique_ptr<TGIFImage> MakeAboutAnimation();

}  // namespace ui
