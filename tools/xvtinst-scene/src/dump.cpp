#include "dump.h"

#include <iterator>

namespace scene {

std::string FlagText(unsigned flags) {
  static const char* const names[] = {"visible", "enabled", "checked", "focused", "active",
                                      "expanded", "hot",     "down",    "selected"};
  std::string out;
  for (unsigned i = 0; i < std::size(names); ++i) {
    if (!(flags & (1u << i))) continue;
    if (!out.empty()) out += ',';
    out += names[i];
  }
  return out;
}

std::string EscapeField(const std::string& text) {
  std::string out;
  out.reserve(text.size());
  for (char c : text) {
    switch (c) {
      case '\t': out += "\\t"; break;
      case '\r': out += "\\r"; break;
      case '\n': out += "\\n"; break;
      default: out += c;
    }
  }
  return out;
}

void AddExtra(DumpNode& node, const std::string& key, const std::string& value) {
  if (!node.extra.empty()) node.extra += ' ';
  node.extra += key + '=' + value;
}

namespace {

void WriteNode(std::ostream& out, const DumpNode& node, int depth) {
  out << std::string(static_cast<std::size_t>(depth) * 2, ' ') << EscapeField(node.cls) << '\t'
      << EscapeField(node.name) << '\t' << EscapeField(node.caption) << '\t';
  if (node.bounds)
    out << node.bounds->x << ',' << node.bounds->y << ',' << node.bounds->width << ',' << node.bounds->height;
  out << '\t' << FlagText(node.flags);
  if (!node.extra.empty()) out << '\t' << EscapeField(node.extra);
  out << '\n';
  for (const DumpNode& child : node.children) WriteNode(out, child, depth + 1);
}

}  // namespace

void WriteDump(std::ostream& out, const std::vector<DumpNode>& roots) {
  for (const DumpNode& root : roots) WriteNode(out, root, 0);
}

}  // namespace scene
