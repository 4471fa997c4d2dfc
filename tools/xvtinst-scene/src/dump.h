// The window tree as text: one line per window, control or item, depth
// first, two blanks of indent per level, five tab-separated fields:
// class, name, caption or text, x,y,width,height (screen coordinates;
// empty for an item without bounds) and the flags, and a sixth field of
// key=value pairs for state no other field holds, only where there is
// such state. README.md beside this folder describes every line.
#pragma once
#include <optional>
#include <ostream>
#include <string>
#include <vector>

namespace scene {

enum DumpFlag : unsigned {
  dfVisible = 1, dfEnabled = 2, dfChecked = 4, dfFocused = 8, dfActive = 16, dfExpanded = 32,
  // A flat button or edit under the pointer or hot by its rules; a pressed
  // or held-down button; a selected control or row.
  dfHot = 64, dfDown = 128, dfSelected = 256
};

// `flag` when `on`, else no flag.
inline unsigned Flag(bool on, DumpFlag flag) { return on ? static_cast<unsigned>(flag) : 0u; }

struct DumpBounds {
  int x = 0, y = 0, width = 0, height = 0;
};

struct DumpNode {
  std::string cls;
  std::string name;
  std::string caption;
  std::optional<DumpBounds> bounds;
  unsigned flags = 0;
  std::vector<DumpNode> children;
  // "key=value key=value", written as a sixth field when not empty.
  std::string extra;
};

// Appends key=value to the node's sixth field, a single blank between pairs.
void AddExtra(DumpNode& node, const std::string& key, const std::string& value);

// "visible,enabled,..." in the fixed order, "" for none.
std::string FlagText(unsigned flags);

// Tabs and line breaks inside a field are written as \t, \r and \n so
// that every node stays on one line with its fields.
std::string EscapeField(const std::string& text);

void WriteDump(std::ostream& out, const std::vector<DumpNode>& roots);

}  // namespace scene
