// A private copy of a folder tree in a new folder of its own below the
// temporary folder, for work that must not touch the original.
#pragma once

#include <filesystem>
#include <string>

namespace hostfs {

struct ScratchCopy {
  std::filesystem::path folder;  // the new folder; remove it when done
  std::filesystem::path copy;    // the tree's copy inside it
};

// Copies the tree at `source` to <parent>/<stem>-XXXXXX/<name>, the folder
// made anew and open to this user only. Symbolic links are copied as links,
// so links inside the tree keep pointing into the copy. Throws
// std::filesystem::filesystem_error when the folder cannot be made or the
// copy fails; a failed copy leaves no folder behind.
ScratchCopy CopyToScratchFolder(const std::filesystem::path& source, const std::filesystem::path& parent,
                                const std::string& stem, const std::string& name);

}  // namespace hostfs
