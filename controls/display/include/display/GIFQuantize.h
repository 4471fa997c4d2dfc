#pragma once
// True-colour pixels reduced to a palette picture that the writer can encode.
#include "display/GIFTypes.h"

#include <cstdint>

// `pixels` are width x height values 0x00RRGGBB, top row first. With at most
// 256 distinct colours the result is exact: every colour becomes one entry,
// in the order of first appearance. With more, a median cut over the colour
// histogram chooses 256 entries and each colour takes the nearest of them.
// The result has the smallest of the 1-, 4- and 8-bit forms that holds its
// palette.
TGIFBitmap GIFQuantize(const std::uint32_t* pixels, int width, int height);
