#include "hostfs/scratch_copy.h"

#include <stdlib.h>

#include <cerrno>
#include <system_error>
#include <vector>

namespace hostfs {

namespace fs = std::filesystem;

namespace {

fs::path MakeScratchFolder(const fs::path& parent, const std::string& stem) {
  std::string pattern = (parent / (stem + "-XXXXXX")).string();
  std::vector<char> buf(pattern.begin(), pattern.end());
  buf.push_back('\0');
  if (!::mkdtemp(buf.data()))
    throw fs::filesystem_error("cannot make a scratch folder", parent, std::error_code(errno, std::generic_category()));
  return fs::path(buf.data());
}

}  // namespace

ScratchCopy CopyToScratchFolder(const fs::path& source, const fs::path& parent, const std::string& stem,
                                const std::string& name) {
  ScratchCopy out{MakeScratchFolder(parent, stem), {}};
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
