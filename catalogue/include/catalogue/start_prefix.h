// Which Wine prefix the program starts on: the user's own ($WINEPREFIX,
// else ~/.wine) when either game is installed there, else a scratch copy
// of the demo prefix, so that a first run has something to show.
#pragma once
#include <filesystem>
#include <iosfwd>

namespace catalogue {

struct StartPrefix {
  std::filesystem::path prefix;
  bool scratch = false;  // a copy the caller removes at exit
};

// True when the registry of `prefix` names an install of either game.
bool PrefixHasGames(const std::filesystem::path& prefix, std::ostream& warnings);

// `userPrefix` when it has games; otherwise copies `demoPrefix` into a new
// folder below `scratchParent` (hostfs::CopyToScratchFolder) and says so on
// `err`. Throws
// std::filesystem::filesystem_error when the copy fails.
StartPrefix ChooseStartPrefix(const std::filesystem::path& userPrefix, const std::filesystem::path& demoPrefix,
                              const std::filesystem::path& scratchParent, std::ostream& err);

}  // namespace catalogue
