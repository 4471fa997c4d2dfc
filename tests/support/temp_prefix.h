// A Wine prefix in a fresh temporary folder, removed with the object: a
// copy of the demo install, or an empty one with drive C only.
#pragma once

#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <string>

namespace catalogue::test {

class TempPrefix {
 public:
  explicit TempPrefix(bool copyDemo) {
    std::string pattern = (std::filesystem::temp_directory_path() / "xvt-prefix-XXXXXX").string();
    if (!mkdtemp(pattern.data())) throw std::runtime_error("mkdtemp failed");
    dir_ = pattern;
    if (copyDemo) {
      std::filesystem::copy(std::filesystem::path(XVT_SOURCE_DIR) / "examples" / "demo-prefix", dir_,
                            std::filesystem::copy_options::recursive | std::filesystem::copy_options::copy_symlinks);
    } else {
      std::filesystem::create_directories(dir_ / "drive_c");
      std::filesystem::create_directories(dir_ / "dosdevices");
      std::filesystem::create_directory_symlink("../drive_c", dir_ / "dosdevices" / "c:");
    }
  }
  ~TempPrefix() {
    std::error_code ec;
    // Read-only folders left by a test must not keep the rest alive.
    for (auto& e : std::filesystem::recursive_directory_iterator(dir_, ec)) {
      if (e.is_directory(ec) && !e.is_symlink(ec)) {
        std::filesystem::permissions(e.path(), std::filesystem::perms::owner_all,
                                     std::filesystem::perm_options::add, ec);
      }
    }
    std::filesystem::remove_all(dir_, ec);
  }
  TempPrefix(const TempPrefix&) = delete;
  TempPrefix& operator=(const TempPrefix&) = delete;

  const std::filesystem::path& Dir() const { return dir_; }
  std::filesystem::path C() const { return dir_ / "drive_c"; }

  static std::string Slurp(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
  }
  static void Write(const std::filesystem::path& file, const std::string& bytes) {
    std::filesystem::create_directories(file.parent_path());
    std::ofstream(file, std::ios::binary) << bytes;
  }

 private:
  std::filesystem::path dir_;
};

}  // namespace catalogue::test
