#include <charconv>

#include "reg_file.h"
#include "reg_text.h"

namespace registry::detail {
namespace {

bool StartsWith(std::string_view s, std::string_view p) { return s.substr(0, p.size()) == p; }

// Reads "(N):" with N in hexadecimal, as the file numbers its types.
bool ReadTypeNumber(std::string_view& data, std::uint32_t& type) {
  if (data.empty() || data.front() != '(') return false;
  const auto [end, ec] = std::from_chars(data.data() + 1, data.data() + data.size(), type, 16);
  if (ec != std::errc() || end + 1 >= data.data() + data.size() || end[0] != ')' || end[1] != ':')
    return false;
  data.remove_prefix(static_cast<std::size_t>(end + 2 - data.data()));
  return true;
}

std::optional<Value> QuotedString(std::string_view data, std::uint32_t type) {
  if (data.empty() || data.front() != '"') return std::nullopt;
  Value value{type, {}};
  std::size_t pos = 1;
  if (!Unescape(data, pos, '"', value.data)) return std::nullopt;
  return value;
}

std::optional<Value> Dword(std::string_view data) {
  std::uint32_t number = 0;
  const auto [end, ec] = std::from_chars(data.data(), data.data() + data.size(), number, 16);
  const auto digits = end - data.data();
  if (ec != std::errc() || digits == 0 || digits > 8) return std::nullopt;
  std::string bytes(4, '\0');
  for (int i = 0; i < 4; ++i) bytes[i] = static_cast<char>((number >> (8 * i)) & 0xFF);
  return Value{static_cast<std::uint32_t>(ValueType::Dword), std::move(bytes)};
}

std::optional<Value> HexList(std::string_view data, std::uint32_t type) {
  std::string bytes;
  bytes.reserve(data.size() / 3 + 1);
  if (!ParseHexBytes(data, bytes)) return std::nullopt;
  // A 32-bit program reads string types through the ANSI calls.
  if (type == 1 || type == 2 || type == 7) return Value{type, Utf16ToAnsi(bytes)};
  return Value{type, std::move(bytes)};
}

}  // namespace

std::optional<Value> DecodeValue(std::string_view data) {
  if (StartsWith(data, "\"")) return QuotedString(data, static_cast<std::uint32_t>(ValueType::String));
  std::uint32_t type = 0;
  if (StartsWith(data, "str")) {
    data.remove_prefix(3);
    if (!ReadTypeNumber(data, type)) return std::nullopt;
    return QuotedString(data, type);
  }
  if (StartsWith(data, "dword:")) return Dword(data.substr(6));
  if (StartsWith(data, "hex:")) return HexList(data.substr(4), static_cast<std::uint32_t>(ValueType::Binary));
  if (StartsWith(data, "hex")) {
    data.remove_prefix(3);
    if (!ReadTypeNumber(data, type)) return std::nullopt;
    return HexList(data, type);
  }
  return std::nullopt;
}

}  // namespace registry::detail
