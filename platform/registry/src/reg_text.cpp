#include "reg_text.h"

#include "hostfs/codepage.h"

namespace registry::detail {
namespace {

constexpr bool IsHighSurrogate(std::uint32_t u) { return u >= 0xD800 && u <= 0xDBFF; }
constexpr bool IsLowSurrogate(std::uint32_t u) { return u >= 0xDC00 && u <= 0xDFFF; }

// Reads up to `maxDigits` digits of base 8 or 16 at in[pos].
std::uint32_t ReadNumber(std::string_view in, std::size_t& pos, int base, int maxDigits) {
  std::uint32_t value = 0;
  for (int n = 0; n < maxDigits && pos < in.size(); ++n) {
    const int d = HexDigit(in[pos]);
    if (d < 0 || d >= base) break;
    value = value * static_cast<std::uint32_t>(base) + static_cast<std::uint32_t>(d);
    ++pos;
  }
  return value;
}

std::uint32_t SimpleEscape(char c) {
  switch (c) {
    case 'n': return '\n';
    case 'r': return '\r';
    case 't': return '\t';
    case 'a': return 7;
    case 'b': return 8;
    case 'e': return 27;
    case 'f': return 12;
    case 'v': return 11;
    default: return static_cast<unsigned char>(c);
  }
}

}  // namespace

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

void AnsiWriter::Unit(std::uint32_t unit) {
  if (pendingHigh_) {
    pendingHigh_ = false;
    out_ += '?';
    if (IsLowSurrogate(unit)) return;  // the pair was one character
  }
  if (IsHighSurrogate(unit)) {
    pendingHigh_ = true;
    return;
  }
  out_ += hostfs::UnicodeToAnsi(IsLowSurrogate(unit) ? U'?' : static_cast<char32_t>(unit));
}

void AnsiWriter::Ascii(std::string_view run) {
  if (pendingHigh_) Finish();
  out_.append(run);
}

void AnsiWriter::Finish() {
  if (pendingHigh_) out_ += '?';
  pendingHigh_ = false;
}

bool Unescape(std::string_view in, std::size_t& pos, char terminator, std::string& out) {
  AnsiWriter writer(out);
  while (pos < in.size()) {
    const char c = in[pos];
    if (c == terminator) {
      ++pos;
      return true;
    }
    if (static_cast<unsigned char>(c) >= 0x80) {
      // Newer files may hold UTF-8 instead of \x escapes; a byte that is not
      // UTF-8 stands for itself.
      char32_t code = 0;
      const std::size_t len = hostfs::DecodeUtf8(in, pos, code);
      writer.Unit(len ? (code > 0xFFFF ? 0xD800u : static_cast<std::uint32_t>(code))
                      : static_cast<unsigned char>(c));
      if (len && code > 0xFFFF) writer.Unit(0xDC00);
      pos += len ? len : 1;
      continue;
    }
    if (c != '\\') {
      // Most text is plain ASCII: take it a run at a time.
      std::size_t end = pos + 1;
      while (end < in.size() && in[end] != terminator && in[end] != '\\' &&
             static_cast<unsigned char>(in[end]) < 0x80)
        ++end;
      writer.Ascii(in.substr(pos, end - pos));
      pos = end;
      continue;
    }
    if (++pos >= in.size()) return false;
    const char e = in[pos];
    if (e >= '0' && e <= '7') {
      writer.Unit(ReadNumber(in, pos, 8, 3));
    } else if (e == 'x' && pos + 1 < in.size() && HexDigit(in[pos + 1]) >= 0) {
      ++pos;
      writer.Unit(ReadNumber(in, pos, 16, 4));
    } else {
      writer.Unit(SimpleEscape(e));
      ++pos;
    }
  }
  return false;
}

std::size_t FindTerminator(std::string_view in, std::size_t pos, char terminator) {
  for (; pos < in.size(); ++pos) {
    if (in[pos] == '\\') {
      ++pos;
    } else if (in[pos] == terminator) {
      return pos;
    }
  }
  return std::string_view::npos;
}

bool ParseHexBytes(std::string_view in, std::string& out) {
  for (std::size_t i = 0; i < in.size();) {
    const char c = in[i];
    if (c == ',' || c == ' ' || c == '\t' || c == '\\' || c == '\r' || c == '\n') {
      ++i;
      continue;
    }
    const int hi = HexDigit(c);
    if (hi < 0) return false;
    const int lo = i + 1 < in.size() ? HexDigit(in[i + 1]) : -1;
    if (lo < 0) {  // a single digit is a byte of its own
      out += static_cast<char>(hi);
      ++i;
    } else {
      out += static_cast<char>(hi * 16 + lo);
      i += 2;
    }
  }
  return true;
}

std::string Utf16ToAnsi(std::string_view bytes) {
  std::string out;
  out.reserve(bytes.size() / 2);
  AnsiWriter writer(out);
  for (std::size_t i = 0; i + 1 < bytes.size(); i += 2)
    writer.Unit(static_cast<unsigned char>(bytes[i]) | (static_cast<unsigned char>(bytes[i + 1]) << 8));
  writer.Finish();
  return out;
}

}  // namespace registry::detail
