// Key paths as both registries store them: folded to lower case, without
// trailing backslashes, so that lookups ignore case as the registry does.
#pragma once

#include <string>
#include <string_view>

namespace registry::detail {

void FoldInPlace(std::string& text);
std::string FoldedKeyPath(std::string_view path);

// The path of the parent key ("a\\b" for "a\\b\\c"), empty for a top key.
std::string_view ParentKeyPath(std::string_view folded);

// Where a 32-bit program's view looks first in a 64-bit prefix: the
// Software\Wow6432Node twin of a Software path, or empty when there is none.
std::string Wow6432Path(std::string_view folded);

}  // namespace registry::detail
