// Finding a name in a host folder without regard to case.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace hostfs::detail {

// The entry of `dir` named `ansiName` (Windows-1252) without regard to case:
// the exact name when it exists, else the first match in byte order of the
// host names, so the choice stays the same from run to run. The result is
// the host (UTF-8) name; nullopt when nothing matches or `dir` can't be read.
std::optional<std::string> FindEntry(const std::filesystem::path& dir, std::string_view ansiName);

}  // namespace hostfs::detail
