#include "catalogue/start_prefix.h"

#include <memory>
#include <ostream>
#include <string>

#include "catalogue/game_install.h"
#include "hostfs/scratch_copy.h"
#include "registry/registry.h"

namespace catalogue {

namespace fs = std::filesystem;

bool PrefixHasGames(const fs::path& prefix, std::ostream& warnings) {
  if (!fs::exists(prefix / "system.reg")) return false;
  std::unique_ptr<registry::Registry> reg = registry::OpenWineRegistry(prefix, warnings);
  try {
    GameInstalls installs = ReadInstallPaths(*reg);
    return installs.xvt.present || installs.bop.present;
  } catch (const RegistryError&) {
    // A value of the wrong type is the user's to see: start on their prefix
    // so that the main window reports it.
    return true;
  }
}

StartPrefix ChooseStartPrefix(const fs::path& userPrefix, const fs::path& demoPrefix, const fs::path& scratchParent,
                              std::ostream& err) {
  if (PrefixHasGames(userPrefix, err)) return {userPrefix, false};
  const fs::path copy = hostfs::CopyToScratchFolder(demoPrefix, scratchParent, "xvtinst", "prefix").copy;
  err << "No games found in " << userPrefix.string() << "; using a scratch copy of the demo prefix: " << copy.string()
      << "\n";
  return {copy, true};
}

}  // namespace catalogue
