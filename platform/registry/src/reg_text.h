// The text forms of system.reg: escaped strings and hex byte lists, turned
// into the Windows-1252 bytes and raw bytes that a 32-bit program reads.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace registry::detail {

// Collects UTF-16 units as Windows-1252 bytes; characters without a byte in
// the code page become '?', a surrogate pair a single '?'.
class AnsiWriter {
 public:
  explicit AnsiWriter(std::string& out) : out_(out) {}
  ~AnsiWriter() { Finish(); }
  void Unit(std::uint32_t unit);
  void Ascii(std::string_view run);  // bytes below 0x80, taken as they are
  void Finish();

 private:
  std::string& out_;
  bool pendingHigh_ = false;
};

// Unescapes the text at in[pos] up to the unescaped `terminator`, appending
// it to `out`; on success `pos` is just past the terminator. False when the
// text ends first.
bool Unescape(std::string_view in, std::size_t& pos, char terminator, std::string& out);

// The end of an escaped text starting at in[pos] (the index of its unescaped
// terminator), or npos. Nothing is decoded.
std::size_t FindTerminator(std::string_view in, std::size_t pos, char terminator);

// Appends the bytes of a hex list ("de,ad,\\\n  be,ef"); false when it holds
// anything but hex pairs, commas, blanks and line continuations.
bool ParseHexBytes(std::string_view in, std::string& out);

// Turns UTF-16LE bytes into Windows-1252 text (an odd last byte is dropped).
std::string Utf16ToAnsi(std::string_view bytes);

int HexDigit(char c);

}  // namespace registry::detail
