// Windows-1252, the single-byte text of the program, against Unicode: the
// host's file names are UTF-8 and the registry stores UTF-16, while every
// path and text inside the program is Windows-1252.
#pragma once

#include <string>
#include <string_view>

namespace hostfs {

// The Unicode character of a Windows-1252 byte. The five bytes the code page
// leaves undefined map to the control characters of the same number, as
// Windows maps them.
char32_t AnsiToUnicode(unsigned char c);
// The Windows-1252 byte of a Unicode character, or '?' when it has none.
char UnicodeToAnsi(char32_t c);

// Decodes the UTF-8 sequence at s[i] into `out`; returns its length, or 0
// when the bytes there are not a valid sequence.
std::size_t DecodeUtf8(std::string_view s, std::size_t i, char32_t& out);

std::string AnsiToUtf8(std::string_view ansi);
// Invalid UTF-8 bytes are taken as Windows-1252 bytes already, so a host
// name that is not UTF-8 still maps to something stable.
std::string Utf8ToAnsi(std::string_view utf8);

// Lower case of a Windows-1252 byte, for comparing names without regard to
// case (ASCII and the accented letters of the code page).
unsigned char FoldCase(unsigned char c);
bool EqualNoCase(std::string_view a, std::string_view b);

}  // namespace hostfs
