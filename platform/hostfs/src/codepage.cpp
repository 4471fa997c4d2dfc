#include "hostfs/codepage.h"

#include <array>

namespace hostfs {
namespace {

struct FoldTable {
  std::array<unsigned char, 256> lower{};
  constexpr FoldTable() {
    for (int i = 0; i < 256; ++i) lower[i] = static_cast<unsigned char>(i);
    for (int i = 'A'; i <= 'Z'; ++i) lower[i] = static_cast<unsigned char>(i + 32);
    for (int i = 0xC0; i <= 0xDE; ++i)
      if (i != 0xD7) lower[i] = static_cast<unsigned char>(i + 32);
    lower[0x8A] = 0x9A;  // S caron
    lower[0x8C] = 0x9C;  // OE
    lower[0x8E] = 0x9E;  // Z caron
    lower[0x9F] = 0xFF;  // Y diaeresis
  }
};
constexpr FoldTable kFold;

}  // namespace

unsigned char FoldCase(unsigned char c) { return kFold.lower[c]; }

bool EqualNoCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i)
    if (kFold.lower[static_cast<unsigned char>(a[i])] != kFold.lower[static_cast<unsigned char>(b[i])])
      return false;
  return true;
}

}  // namespace hostfs
