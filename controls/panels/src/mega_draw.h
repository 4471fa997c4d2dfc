// Drawing pieces of the effects panel shared by its face and its labels:
// the 3-D frame of one-pixel rings and text in the seven text effects.
#pragma once

#include <win32/windows.h>

#include <string>

#include "panels/mega_types.h"

namespace mega_draw {

// `width` rings around `r`, top and left in `a`, bottom and right in `b`
// (the top-right and bottom-left corner pixels end in `b`); `r` shrinks by
// the width.
void Frame3D(HDC dc, RECT& r, COLORREF a, COLORREF b, int width);

struct TextColours {
  COLORREF text, highlight, shadow;
};
// Text in `r` with DrawText `flags`, in one to three passes by the effect.
void EffectText(HDC dc, const std::string& text, const RECT& r, UINT flags, TMegaTypes::TFontStyle effect,
                const TextColours& colours);
// DrawText flags for a justification, the vertical placement done by
// moving `r` (top, half the free height, or bottom).
UINT Justify(HDC dc, const std::string& text, RECT& r, TMegaTypes::THorzJust h, TMegaTypes::TVertJust v);

}  // namespace mega_draw
