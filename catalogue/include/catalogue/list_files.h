// Where the catalogue reads and replaces whole list files, named by Windows
// paths. The program uses the host's drives; tests use files in memory.
#pragma once

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace hostfs {
class Drives;
class HeldFile;
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

  // Takes the lists one installation rewrites: each must be readable (and,
  // on disk, replaceable), or the first that is not throws its error and
  // none is held. Held lists are kept from other writers until ReleaseHold,
  // and Read gives their newest text.
  virtual void HoldForRewrite(const std::vector<std::string>& windowsPaths);
  virtual void ReleaseHold() {}
};

// Holds lists for the length of a scope.
class RewriteHold {
 public:
  RewriteHold(ListFiles& files, const std::vector<std::string>& windowsPaths) : files_(files) {
    files_.HoldForRewrite(windowsPaths);
  }
  ~RewriteHold() { files_.ReleaseHold(); }
  RewriteHold(const RewriteHold&) = delete;
  RewriteHold& operator=(const RewriteHold&) = delete;

 private:
  ListFiles& files_;
};

// Files of a Wine prefix's drives.
class HostListFiles : public ListFiles {
 public:
  explicit HostListFiles(const hostfs::Drives& drives);
  ~HostListFiles() override;
  std::string Read(const std::string& windowsPath) override;
  void Replace(const std::string& windowsPath, const std::string& bytes) override;
  void HoldForRewrite(const std::vector<std::string>& windowsPaths) override;
  void ReleaseHold() override;

 private:
  hostfs::HeldFile* Held(const std::string& windowsPath) const;

  const hostfs::Drives& drives_;
  // By folded path; two names of one file share their entry.
  std::vector<std::pair<std::string, std::shared_ptr<hostfs::HeldFile>>> held_;
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
