#include "key_path.h"

#include "hostfs/codepage.h"

namespace registry::detail {

void FoldInPlace(std::string& text) {
  for (char& c : text) c = static_cast<char>(hostfs::FoldCase(static_cast<unsigned char>(c)));
}

std::string FoldedKeyPath(std::string_view path) {
  while (!path.empty() && path.back() == '\\') path.remove_suffix(1);
  std::string folded(path);
  FoldInPlace(folded);
  return folded;
}

std::string_view ParentKeyPath(std::string_view folded) {
  const std::size_t cut = folded.rfind('\\');
  return cut == std::string_view::npos ? std::string_view() : folded.substr(0, cut);
}

std::string Wow6432Path(std::string_view folded) {
  constexpr std::string_view kSoftware = "software";
  constexpr std::string_view kNode = "wow6432node";
  if (folded.substr(0, kSoftware.size()) != kSoftware) return {};
  std::string_view rest = folded.substr(kSoftware.size());
  if (!rest.empty() && rest.front() != '\\') return {};
  if (rest.size() > 1 && rest.substr(1, kNode.size()) == kNode &&
      (rest.size() == kNode.size() + 1 || rest[kNode.size() + 1] == '\\'))
    return {};  // already asks for the 32-bit twin
  return std::string(kSoftware) + "\\" + std::string(kNode) + std::string(rest);
}

}  // namespace registry::detail
