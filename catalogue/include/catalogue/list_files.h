// Where the catalogue reads and replaces whole list files, named by Windows
// paths. The program uses the host's drives; tests use files in memory.
#pragma once

#include <functional>
#include <map>
#include <string>

namespace hostfs {
class Drives;
}

namespace catalogue {

class ListFiles {
 public:
  virtual ~ListFiles() = default;
  // The whole file; throws hostfs::FileError ("File not found", ...).
  virtual std::string Read(const std::string& windowsPath) = 0;
  // Replaces the whole file, never leaving it half-written; throws
  // hostfs::FileError and then leaves the old file as it was.
  virtual void Replace(const std::string& windowsPath, const std::string& bytes) = 0;
};

// Files of a Wine prefix's drives.
class HostListFiles : public ListFiles {
 public:
  explicit HostListFiles(const hostfs::Drives& drives) : drives_(drives) {}
  std::string Read(const std::string& windowsPath) override;
  void Replace(const std::string& windowsPath, const std::string& bytes) override;

 private:
  const hostfs::Drives& drives_;
};

// Files in memory, names compared without regard to case as on the games'
// drives. `failReplace`, when set, is asked before each replace and may
// throw to simulate a failed save.
class MemoryListFiles : public ListFiles {
 public:
  void Put(const std::string& windowsPath, std::string bytes);
  // The file's bytes; throws std::out_of_range when there is no such file.
  const std::string& Get(const std::string& windowsPath) const;
  bool Has(const std::string& windowsPath) const;

  std::string Read(const std::string& windowsPath) override;
  void Replace(const std::string& windowsPath, const std::string& bytes) override;

  std::function<void(const std::string& windowsPath)> failReplace;
  int reads = 0;
  int replaces = 0;

 private:
  std::map<std::string, std::string> files_;  // keys folded to lower case
};

}  // namespace catalogue
