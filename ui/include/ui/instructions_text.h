// The text of the Instructions window, line by line.
#pragma once
#include <string>
#include <vector>

namespace ui {

inline constexpr const char* kInstructionsHeading = "Varnholt  Mission  Installer  Instructions  Page";

const std::vector<std::string>& InstructionsLines();

}  // namespace ui
