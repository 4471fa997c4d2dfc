#include "cpp_source.h"

#include <algorithm>
#include <cstdio>

namespace artwork {

std::string ByteArray(const std::string& name, const std::vector<std::uint8_t>& bytes, bool withSize) {
  std::string s = "const std::uint8_t " + name + "[] = {";
  char hex[8];
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    s += i % 16 == 0 ? "\n   " : "";
    std::snprintf(hex, sizeof hex, " 0x%02X,", bytes[i]);
    s += hex;
  }
  s += "\n};\n";
  if (withSize) s += "const std::size_t " + name + "Size = sizeof " + name + ";\n";
  return s;
}

std::string SourceFile(const std::string& include, const std::string& ns, const std::string& definitions) {
  return "// Made by tools/artwork (xvt-artwork); change the drawing there and run it again.\n"
         "#include \"" + include + "\"\n\n"
         "namespace " + ns + " {\n\n" + definitions + "\n}  // namespace " + ns + "\n";
}

std::vector<std::uint8_t> LengthPrefixed(const std::vector<std::uint8_t>& file) {
  auto n = std::uint32_t(file.size());
  std::vector<std::uint8_t> out(file.size() + 4);
  for (int i = 0; i < 4; ++i) out[std::size_t(i)] = std::uint8_t(n >> (8 * i));
  std::copy(file.begin(), file.end(), out.begin() + 4);
  return out;
}

}  // namespace artwork
