#include "catalogue/list_files.h"

#include <algorithm>
#include "hostfs/hostfs.h"

namespace catalogue {

namespace {

// Letter case ignored and doubled backslashes taken as one, as the drives do.
std::string FoldKey(const std::string& path) {
  std::string key;
  key.reserve(path.size());
  for (char c : path) {
    if (c == '\\' && !key.empty() && key.back() == '\\') continue;
    key += (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
  }
  return key;
}

}  // namespace

void ListFiles::HoldForRewrite(const std::vector<std::string>& windowsPaths) {
  for (const std::string& path : windowsPaths) Read(path);
}

HostListFiles::HostListFiles(const hostfs::Drives& drives) : drives_(drives) {}

HostListFiles::~HostListFiles() = default;

hostfs::HeldFile* HostListFiles::Held(const std::string& windowsPath) const {
  const std::string key = FoldKey(windowsPath);
  for (const auto& [path, file] : held_)
    if (path == key) return file.get();
  return nullptr;
}

std::string HostListFiles::Read(const std::string& windowsPath) {
  if (hostfs::HeldFile* held = Held(windowsPath)) return held->Read();
  return hostfs::ReadFile(drives_, windowsPath);
}

void HostListFiles::Replace(const std::string& windowsPath, const std::string& bytes) {
  if (hostfs::HeldFile* held = Held(windowsPath)) return held->Replace(bytes);
  hostfs::ReplaceFile(drives_, windowsPath, bytes);
}

void HostListFiles::HoldForRewrite(const std::vector<std::string>& windowsPaths) {
  ReleaseHold();
  try {
    std::vector<std::shared_ptr<hostfs::HeldFile>> files;
    for (const std::string& path : windowsPaths) {
      auto file = std::make_shared<hostfs::HeldFile>(drives_, path);
      for (const auto& known : files)
        if (known->SameFile(*file)) file = known;
      if (std::find(files.begin(), files.end(), file) == files.end()) files.push_back(file);
      held_.emplace_back(FoldKey(path), file);
    }
    std::vector<hostfs::HeldFile*> locks;
    for (const auto& file : files) locks.push_back(file.get());
    hostfs::LockAll(locks);
  } catch (...) {
    ReleaseHold();
    throw;
  }
}

void HostListFiles::ReleaseHold() { held_.clear(); }

void MemoryListFiles::Put(const std::string& windowsPath, std::string bytes) {
  files_[FoldKey(windowsPath)] = std::move(bytes);
}

const std::string& MemoryListFiles::Get(const std::string& windowsPath) const {
  return files_.at(FoldKey(windowsPath));
}

bool MemoryListFiles::Has(const std::string& windowsPath) const { return files_.count(FoldKey(windowsPath)) != 0; }

std::string MemoryListFiles::Read(const std::string& windowsPath) {
  ++reads;
  auto it = files_.find(FoldKey(windowsPath));
  if (it == files_.end()) throw hostfs::FileError("File not found", 2);
  return it->second;
}

void MemoryListFiles::Replace(const std::string& windowsPath, const std::string& bytes) {
  if (failReplace) failReplace(windowsPath);
  ++replaces;
  files_[FoldKey(windowsPath)] = bytes;
}

}  // namespace catalogue
