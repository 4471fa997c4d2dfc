// On POSIX hosts the registry is the Wine prefix's system.reg.
#include <ostream>

#include "hostfs/hostfs.h"
#include "registry/registry.h"

namespace registry {

std::unique_ptr<Registry> OpenWineRegistry(const std::filesystem::path& prefix, std::ostream& warnings) {
  const std::filesystem::path file = prefix / "system.reg";
  std::string text;
  try {
    text = hostfs::ReadHostFile(file);
  } catch (const hostfs::FileError& e) {
    // No registry yet is an ordinary state of a prefix; any other failure is worth a word.
    if (e.Code() != hostfs::kErrorFileNotFound)
      warnings << "warning: cannot read " << file.string() << ": " << e.what() << "; no games are found in it\n";
    return std::make_unique<MemoryRegistry>();
  }
  return ParseWineRegistry(text, warnings, file.string());
}

}  // namespace registry
