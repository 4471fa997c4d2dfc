#include "framework/text.h"

#include <limits>

#include "framework/exceptions.h"
#include "framework/format.h"

std::string IntToStr(std::int64_t value) { return std::to_string(value); }

std::string IntToHex(std::int64_t value, int digits) {
  static const char kDigits[] = "0123456789ABCDEF";
  auto bits = static_cast<std::uint64_t>(value);
  std::string out;
  do {
    out.insert(out.begin(), kDigits[bits & 15]);
    bits >>= 4;
  } while (bits != 0);
  if (static_cast<int>(out.size()) < digits) out.insert(0, digits - out.size(), '0');
  return out;
}

namespace {

int DigitValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return 99;
}

// Parses into a magnitude with a limit, so overflow is detected exactly.
bool ParseInteger(std::string_view text, std::int64_t min, std::int64_t max, std::int64_t& result) {
  std::size_t i = 0;
  while (i < text.size() && text[i] == ' ') ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == '-' || text[i] == '+')) negative = text[i++] == '-';
  int base = 10;
  if (i < text.size() && text[i] == '$') {
    base = 16;
    ++i;
  } else if (i + 1 < text.size() && text[i] == '0' && (text[i + 1] == 'x' || text[i + 1] == 'X')) {
    base = 16;
    i += 2;
  }
  if (i == text.size()) return false;
  const std::uint64_t limit = negative ? std::uint64_t(-(min + 1)) + 1 : std::uint64_t(max);
  std::uint64_t magnitude = 0;
  for (; i < text.size(); ++i) {
    int digit = DigitValue(text[i]);
    if (digit >= base) return false;
    if (magnitude > (limit - digit) / base) return false;
    magnitude = magnitude * base + digit;
  }
  result = negative ? std::int64_t(0 - magnitude) : std::int64_t(magnitude);
  return true;
}

[[noreturn]] void NotAnInteger(std::string_view text) {
  throw EConvertError(Format("'%s' is not a valid integer value", std::string(text)));
}

// Windows-1252 letters outside ASCII pair up 0x20 apart (0xC0..0xDE with
// 0xE0..0xFE, except the multiplication and division signs), plus four
// pairs in the 0x8A..0x9F range.
unsigned char UpperByte(unsigned char c) {
  if (c >= 'a' && c <= 'z') return c - 32;
  if (c >= 0xE0 && c <= 0xFE && c != 0xF7) return c - 32;
  if (c == 0x9A || c == 0x9C || c == 0x9E) return c - 16;
  if (c == 0xFF) return 0x9F;
  return c;
}

unsigned char LowerByte(unsigned char c) {
  if (c >= 'A' && c <= 'Z') return c + 32;
  if (c >= 0xC0 && c <= 0xDE && c != 0xD7) return c + 32;
  if (c == 0x8A || c == 0x8C || c == 0x8E) return c + 16;
  if (c == 0x9F) return 0xFF;
  return c;
}

unsigned char AsciiUpper(unsigned char c) { return c >= 'a' && c <= 'z' ? c - 32 : c; }
unsigned char AsciiLower(unsigned char c) { return c >= 'A' && c <= 'Z' ? c + 32 : c; }

template <class Fold>
int CompareFolded(std::string_view a, std::string_view b, Fold fold) {
  std::size_t n = a.size() < b.size() ? a.size() : b.size();
  for (std::size_t i = 0; i < n; ++i) {
    int ca = fold(static_cast<unsigned char>(a[i]));
    int cb = fold(static_cast<unsigned char>(b[i]));
    if (ca != cb) return ca - cb;
  }
  return a.size() == b.size() ? 0 : (a.size() < b.size() ? -1 : 1);
}

template <class Fold>
std::string Mapped(std::string_view text, Fold fold) {
  std::string out(text);
  for (char& c : out) c = static_cast<char>(fold(static_cast<unsigned char>(c)));
  return out;
}

bool IsBlank(char c) { return static_cast<unsigned char>(c) <= ' '; }

}  // namespace

bool TryStrToInt64(std::string_view text, std::int64_t& value) {
  return ParseInteger(text, std::numeric_limits<std::int64_t>::min(), std::numeric_limits<std::int64_t>::max(),
                      value);
}

bool TryStrToInt(std::string_view text, int& value) {
  std::int64_t wide = 0;
  if (!ParseInteger(text, std::numeric_limits<int>::min(), std::numeric_limits<int>::max(), wide)) return false;
  value = static_cast<int>(wide);
  return true;
}

int StrToInt(std::string_view text) {
  int value = 0;
  if (!TryStrToInt(text, value)) NotAnInteger(text);
  return value;
}

std::int64_t StrToInt64(std::string_view text) {
  std::int64_t value = 0;
  if (!TryStrToInt64(text, value)) NotAnInteger(text);
  return value;
}

int StrToIntDef(std::string_view text, int fallback) {
  int value = 0;
  return TryStrToInt(text, value) ? value : fallback;
}

std::string UpperCase(std::string_view text) { return Mapped(text, AsciiUpper); }
std::string LowerCase(std::string_view text) { return Mapped(text, AsciiLower); }
std::string AnsiUpperCase(std::string_view text) { return Mapped(text, UpperByte); }
std::string AnsiLowerCase(std::string_view text) { return Mapped(text, LowerByte); }
char AnsiUpperChar(char c) { return static_cast<char>(UpperByte(static_cast<unsigned char>(c))); }
char AnsiLowerChar(char c) { return static_cast<char>(LowerByte(static_cast<unsigned char>(c))); }

std::string TrimLeft(std::string_view text) {
  std::size_t i = 0;
  while (i < text.size() && IsBlank(text[i])) ++i;
  return std::string(text.substr(i));
}

std::string TrimRight(std::string_view text) {
  std::size_t n = text.size();
  while (n > 0 && IsBlank(text[n - 1])) --n;
  return std::string(text.substr(0, n));
}

std::string Trim(std::string_view text) { return TrimLeft(TrimRight(text)); }

int CompareStr(std::string_view a, std::string_view b) {
  return CompareFolded(a, b, [](unsigned char c) { return c; });
}
int CompareText(std::string_view a, std::string_view b) { return CompareFolded(a, b, AsciiUpper); }
// Folding to lower case keeps the punctuation between 'Z' and 'a' ahead of
// the letters, as a dictionary order would.
int AnsiCompareText(std::string_view a, std::string_view b) { return CompareFolded(a, b, LowerByte); }
bool SameText(std::string_view a, std::string_view b) { return CompareText(a, b) == 0; }
bool AnsiSameText(std::string_view a, std::string_view b) { return AnsiCompareText(a, b) == 0; }

std::string AnsiQuotedStr(std::string_view text, char quote) {
  std::string out(1, quote);
  for (char c : text) {
    out += c;
    if (c == quote) out += quote;
  }
  out += quote;
  return out;
}

std::string QuotedStr(std::string_view text) { return AnsiQuotedStr(text, '\''); }

std::string AnsiExtractQuotedStr(std::string_view text, std::size_t& pos, char quote) {
  std::string out;
  if (pos >= text.size() || text[pos] != quote) return out;
  ++pos;
  while (pos < text.size()) {
    if (text[pos] == quote) {
      if (pos + 1 < text.size() && text[pos + 1] == quote) {
        out += quote;
        pos += 2;
        continue;
      }
      ++pos;
      return out;
    }
    out += text[pos++];
  }
  return out;
}

bool IsValidIdent(std::string_view text) {
  auto alpha = [](char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '_'; };
  if (text.empty() || !alpha(text[0])) return false;
  for (char c : text)
    if (!alpha(c) && !(c >= '0' && c <= '9')) return false;
  return true;
}
