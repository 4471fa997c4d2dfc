#include "ui/startup_prefix.h"

#include <cstdlib>
#include <ostream>
#include <string>
#include <vector>

#include "catalogue/game_install.h"
#include "registry/registry.h"

namespace ui {

namespace fs = std::filesystem;

bool PrefixHasGames(const fs::path& prefix, std::ostream& warnings) {
  if (!fs::exists(prefix / "system.reg")) return false;
  std::unique_ptr<registry::Registry> reg = registry::OpenWineRegistry(prefix, warnings);
  try {
    catalogue::GameInstalls installs = catalogue::ReadInstallPaths(*reg);
    return installs.xvt.present || installs.bop.present;
  } catch (const catalogue::RegistryError&) {
    // A value of the wrong type is the user's to see: start on their prefix
    // so that the main window reports it.
    return true;
  }
}

namespace {

fs::path MakeScratchFolder(const fs::path& parent) {
  std::string pattern = (parent / "xvtinst-XXXXXX").string();
  std::vector<char> buf(pattern.begin(), pattern.end());
  buf.push_back('\0');
  if (!::mkdtemp(buf.data()))
    throw fs::filesystem_error("cannot make a scratch folder", parent, std::make_error_code(std::errc::io_error));
  return fs::path(buf.data());
}

}  // namespace

StartPrefix ChooseStartPrefix(const fs::path& userPrefix, const fs::path& demoPrefix, const fs::path& scratchParent,
                              std::ostream& err) {
  if (PrefixHasGames(userPrefix, err)) return {userPrefix, false};
  fs::path folder = MakeScratchFolder(scratchParent);
  fs::path copy = folder / "prefix";
  try {
    // Symbolic links are copied as links: dosdevices/c: points at ../drive_c.
    fs::copy(demoPrefix, copy, fs::copy_options::recursive | fs::copy_options::copy_symlinks);
  } catch (...) {
    std::error_code ignored;
    fs::remove_all(folder, ignored);
    throw;
  }
  err << "No games found in " << userPrefix.string() << "; using a scratch copy of the demo prefix: " << copy.string()
      << "\n";
  return {copy, true};
}

}  // namespace ui
