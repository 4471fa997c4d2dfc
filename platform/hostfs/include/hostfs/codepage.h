// Windows-1252 names on the host: the conversions come from the code page
// library; comparing names without regard to case is a file-name rule and
// lives here.
#pragma once

#include <codepage/cp1252.h>

#include <string_view>

namespace hostfs {

using cp1252::AnsiToUnicode;
using cp1252::AnsiToUtf8;
using cp1252::DecodeUtf8;
using cp1252::UnicodeToAnsi;
using cp1252::Utf8ToAnsi;

// Lower case of a Windows-1252 byte, for comparing names without regard to
// case (ASCII and the accented letters of the code page).
unsigned char FoldCase(unsigned char c);
bool EqualNoCase(std::string_view a, std::string_view b);

}  // namespace hostfs
