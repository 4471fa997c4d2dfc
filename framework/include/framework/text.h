// String helpers of the framework: number conversion, case, trimming,
// comparison and quoting. Text is single-byte (Windows-1252); the plain
// functions treat only ASCII letters as letters, the Ansi ones all letters
// of the code page.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

std::string IntToStr(std::int64_t value);
// Upper-case hexadecimal, at least `digits` digits.
std::string IntToHex(std::int64_t value, int digits);
// Decimal, or hexadecimal after "$" or "0x"; leading blanks and a sign are
// allowed. Anything else raises EConvertError "'%s' is not a valid integer
// value".
int StrToInt(std::string_view text);
std::int64_t StrToInt64(std::string_view text);
int StrToIntDef(std::string_view text, int fallback);
bool TryStrToInt(std::string_view text, int& value);
bool TryStrToInt64(std::string_view text, std::int64_t& value);

std::string UpperCase(std::string_view text);
std::string LowerCase(std::string_view text);
std::string AnsiUpperCase(std::string_view text);
std::string AnsiLowerCase(std::string_view text);
char AnsiUpperChar(char c);
char AnsiLowerChar(char c);

// Remove blanks and control characters (anything up to ' ') at the ends.
std::string Trim(std::string_view text);
std::string TrimLeft(std::string_view text);
std::string TrimRight(std::string_view text);

// Comparisons: < 0, 0 or > 0. CompareStr is by byte value; CompareText
// ignores ASCII case; AnsiCompareText ignores the case of every letter.
int CompareStr(std::string_view a, std::string_view b);
int CompareText(std::string_view a, std::string_view b);
int AnsiCompareText(std::string_view a, std::string_view b);
bool SameText(std::string_view a, std::string_view b);
bool AnsiSameText(std::string_view a, std::string_view b);

// Surrounds with `quote`, doubling each quote inside.
std::string AnsiQuotedStr(std::string_view text, char quote);
std::string QuotedStr(std::string_view text);
// Reads a quoted string starting at text[pos] (which must be the quote),
// undoubling inner quotes; pos moves past the closing quote (or to the end).
std::string AnsiExtractQuotedStr(std::string_view text, std::size_t& pos, char quote);

// A letter or underscore, then letters, digits or underscores.
bool IsValidIdent(std::string_view text);
