#pragma once
// The pictures that tools/artwork draws, as byte arrays in artwork_data.cpp.
#include <cstddef>
#include <cstdint>

namespace ui {

// The two logos as the windows' definitions store a GIF picture: its length
// as four bytes, lowest first, then the GIF file.
extern const std::uint8_t kMainLogoData[];
extern const std::size_t kMainLogoDataSize;
extern const std::uint8_t kAboutLogoData[];
extern const std::size_t kAboutLogoDataSize;

// The four 16 x 16 button glyphs one after the other, in GlyphKind's order,
// a byte a pixel: an index into the sixteen classic colours.
extern const std::uint8_t kGlyphPixels[];

}  // namespace ui
