// Windows-1252, the single-byte text of the program, against Unicode and
// UTF-8: host file names, host clipboard and typed text are UTF-8, faces are
// indexed by Unicode, while every text inside the program is Windows-1252.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace cp1252 {

// The Unicode character of a Windows-1252 byte. The five bytes the code page
// leaves undefined (0x81, 0x8D, 0x8F, 0x90, 0x9D) map to the control
// characters of the same number, as Windows maps them, so every byte
// survives a trip through Unicode.
char32_t AnsiToUnicode(unsigned char c);
// The Windows-1252 byte of a Unicode character, or '?' when it has none.
char UnicodeToAnsi(char32_t c);

// Decodes the UTF-8 sequence at s[i] into `out` and returns its length (1 to
// 4), or 0 when the bytes there are not a valid sequence: a stray or missing
// continuation byte, an overlong form, a surrogate, a value above U+10FFFF,
// or i past the end.
std::size_t DecodeUtf8(std::string_view s, std::size_t i, char32_t& out);
// Appends the UTF-8 form of a Unicode scalar value (1 to 4 bytes); a
// surrogate or a value above U+10FFFF has none and becomes U+FFFD.
void AppendUtf8(std::string& out, char32_t c);

std::string AnsiToUtf8(std::string_view ansi);

// What Utf8ToAnsi makes of a byte that does not start a valid sequence.
enum class BadUtf8 {
  // The byte is taken as a Windows-1252 byte already, so a host name that is
  // not UTF-8 still maps to something stable.
  KeepByte,
  // The byte becomes one '?', for text the host promised was UTF-8.
  Question,
};
// Characters Windows-1252 lacks (those above U+FFFF included) become one '?'
// each.
std::string Utf8ToAnsi(std::string_view utf8, BadUtf8 bad = BadUtf8::KeepByte);

}  // namespace cp1252
