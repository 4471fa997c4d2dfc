// Windows-1252 to Unicode, for glyph lookup in faces indexed by Unicode.
#pragma once

#include <codepage/cp1252.h>

#include <cstdint>

namespace text {

// The code point of one Windows-1252 byte; the five bytes the code page
// leaves undefined map to themselves, as Windows does.
inline std::uint32_t Cp1252ToUnicode(unsigned char byte) { return cp1252::AnsiToUnicode(byte); }

}  // namespace text
