#pragma once
#include <array>
#include <cstdint>
#include <vector>

#include "indexed.h"

namespace artwork {

// The sixteen colours of the classic palette, in its order (black, maroon,
// green, olive, navy, purple, teal, gray, silver, red, lime, yellow, blue,
// fuchsia, aqua, white).
const std::vector<std::uint32_t>& ClassicPalette();
inline constexpr std::uint8_t kFuchsia = 13;

// The button glyphs, 16 x 16 in the classic palette; fuchsia is see-through.
enum GlyphName { kOpenGlyph, kRefreshGlyph, kInstallGlyph, kRemoveGlyph, kGlyphCount };
Indexed Glyph(GlyphName name);
const char* GlyphFileName(GlyphName name);

// The message-box icons, 32 x 32 in the classic palette; fuchsia is see-through.
Indexed StopIcon();
Indexed InformationIcon();

}  // namespace artwork
