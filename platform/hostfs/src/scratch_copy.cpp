#include "hostfs/scratch_copy.h"

#include <system_error>

#include "hostos/hostos.h"

namespace hostfs {

namespace fs = std::filesystem;

ScratchCopy CopyToScratchFolder(const fs::path& source, const fs::path& parent, const std::string& stem,
                                const std::string& name) {
  ScratchCopy out{hostos::MakeScratchFolder(parent, stem), {}};
  out.copy = out.folder / name;
  try {
    fs::copy(source, out.copy, fs::copy_options::recursive | fs::copy_options::copy_symlinks);
  } catch (...) {
    std::error_code ignored;
    fs::remove_all(out.folder, ignored);
    throw;
  }
  return out;
}

}  // namespace hostfs
