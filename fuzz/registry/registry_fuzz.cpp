// Any bytes as a system.reg: parsing and reading back every key and value
// the text seems to name must neither crash nor read out of bounds.
#include <cstddef>
#include <cstdint>
#include <sstream>
#include <string>
#include <string_view>

#include "registry/registry.h"

namespace {

std::string Unescaped(std::string_view raw) {
  std::string out;
  for (std::size_t i = 0; i < raw.size(); ++i) {
    if (raw[i] == '\\' && i + 1 < raw.size()) ++i;
    out += raw[i];
  }
  return out;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  std::ostringstream warnings;
  auto reg = registry::ParseWineRegistry(text, warnings);
  registry::KeyHandle key = 0;
  for (std::size_t pos = 0; pos < text.size();) {
    std::size_t end = text.find('\n', pos);
    if (end == std::string_view::npos) end = text.size();
    const std::string_view line = text.substr(pos, end - pos);
    pos = end + 1;
    if (line.size() > 1 && line[0] == '[') {
      reg->CloseKey(key);
      key = reg->OpenKey(Unescaped(line.substr(1, line.find(']') - 1)));
      reg->QueryValue(key, "");
    } else if (line.size() > 1 && line[0] == '"') {
      reg->QueryValue(key, Unescaped(line.substr(1, line.find('"', 1) - 1)));
    }
  }
  reg->CloseKey(key);
  return 0;
}
