#pragma once
// Bad or unwritable GIF data raise the framework's EInvalidGraphicOperation
// with one of these texts. The framework's base library has no window code,
// so the codec stays usable on its own.
#include "framework/exceptions.h"

namespace gifmsg {
inline constexpr const char* UnknownVersion = "Unknown GIF version";
inline constexpr const char* CodeSizeRange = "GIF code size not in range 2 to 9";
inline constexpr const char* DataCorrupt = "GIF encoded data is corrupt";
inline constexpr const char* WrongColorCount = "Wrong number of colors; must be a power of 2";
inline constexpr const char* StreamRead = "Stream read error";
inline constexpr const char* NoData = "No GIF Data to write";
inline constexpr const char* ChangeSize = "Cannot change the Size of a GIF image";
inline constexpr const char* Encoding = "GIF image encoding error";
// Not one of the classic texts: a frame whose bitmap would not fit in memory.
inline constexpr const char* TooLarge = "GIF image is too large";
}  // namespace gifmsg
