#include "catalogue/list_files.h"

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

std::string HostListFiles::Read(const std::string& windowsPath) { return hostfs::ReadFile(drives_, windowsPath); }

void HostListFiles::Replace(const std::string& windowsPath, const std::string& bytes) {
  hostfs::ReplaceFile(drives_, windowsPath, bytes);
}

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
