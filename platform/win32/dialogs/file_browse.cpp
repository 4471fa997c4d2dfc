#include "file_browse.h"

#include <hostfs/codepage.h>

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <filesystem>
#include <system_error>

namespace dialogs {

namespace fs = std::filesystem;

std::string& PrefixSetting() {
  static std::string prefix;
  return prefix;
}

std::string FileDialogPrefix() {
  if (!PrefixSetting().empty()) return PrefixSetting();
  if (const char* env = std::getenv("WINEPREFIX"); env && *env) return env;
  const char* home = std::getenv("HOME");
  return std::string(home && *home ? home : ".") + "/.wine";
}

std::vector<FilterPair> ParseFilter(const char* filter) {
  std::vector<FilterPair> out;
  if (!filter) return out;
  const char* p = filter;
  while (*p) {
    FilterPair f;
    f.description = p;
    p += f.description.size() + 1;
    f.patterns = p;
    p += f.patterns.size() + (*p ? 1 : 0);
    if (f.patterns.empty()) f.patterns = "*.*";
    out.push_back(f);
    if (!*p) break;
  }
  return out;
}

namespace {

bool Wild(const char* pat, const char* s) {
  // Iterative match with one back-track point for the last '*'.
  const char* star = nullptr;
  const char* resume = nullptr;
  while (*s) {
    if (*pat == '*') {
      star = pat++;
      resume = s;
    } else if (*pat == '?' || (*pat && hostfs::FoldCase(static_cast<unsigned char>(*pat)) ==
                                           hostfs::FoldCase(static_cast<unsigned char>(*s)))) {
      ++pat;
      ++s;
    } else if (star) {
      pat = star + 1;
      s = ++resume;
    } else {
      return false;
    }
  }
  while (*pat == '*') ++pat;
  return *pat == '\0';
}

std::string Trim(const std::string& s) {
  const auto b = s.find_first_not_of(" \t");
  if (b == std::string::npos) return {};
  const auto e = s.find_last_not_of(" \t");
  return s.substr(b, e - b + 1);
}

bool LessNoCase(const std::string& a, const std::string& b) {
  return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
    return hostfs::FoldCase(static_cast<unsigned char>(x)) < hostfs::FoldCase(static_cast<unsigned char>(y));
  });
}

std::vector<std::string> Components(const std::string& path) {
  std::vector<std::string> out;
  std::string cur;
  for (char c : path) {
    if (c == '\\' || c == '/') {
      if (!cur.empty()) out.push_back(cur);
      cur.clear();
    } else {
      cur += c;
    }
  }
  if (!cur.empty()) out.push_back(cur);
  return out;
}

// Resolves "." and ".." against a drive and its components.
std::string Resolve(const std::string& drive, const std::vector<std::string>& parts) {
  std::vector<std::string> kept;
  for (const std::string& p : parts) {
    if (p == ".") continue;
    if (p == "..") {
      if (!kept.empty()) kept.pop_back();
      continue;
    }
    kept.push_back(p);
  }
  std::string out = drive + "\\";
  for (size_t i = 0; i < kept.size(); ++i) out += (i ? "\\" : "") + kept[i];
  return out;
}

std::optional<fs::path> HostOf(const hostfs::Drives& drives, const std::string& path) {
  return drives.ToHost(path);
}

}  // namespace

bool MatchesPatterns(const std::string& name, const std::string& patterns) {
  size_t start = 0;
  while (start <= patterns.size()) {
    size_t end = patterns.find(';', start);
    if (end == std::string::npos) end = patterns.size();
    std::string pat = Trim(patterns.substr(start, end - start));
    // "*.*" is every name, with or without a dot, as Windows has it.
    if (pat == "*.*" || pat == "*") return true;
    if (!pat.empty() && Wild(pat.c_str(), name.c_str())) return true;
    start = end + 1;
  }
  return false;
}

bool IsAbsolute(const std::string& name) {
  return name.size() >= 3 && std::isalpha(static_cast<unsigned char>(name[0])) && name[1] == ':' &&
         (name[2] == '\\' || name[2] == '/');
}

std::string NormalFolder(const std::string& windowsPath) {
  if (windowsPath.size() < 2 || windowsPath[1] != ':') return windowsPath;
  std::string drive(1, static_cast<char>(std::toupper(static_cast<unsigned char>(windowsPath[0]))));
  return Resolve(drive + ":", Components(windowsPath.substr(2)));
}

std::optional<std::string> ParentFolder(const std::string& folder) {
  const std::string f = NormalFolder(folder);
  if (f.size() <= 3) return std::nullopt;
  const auto cut = f.rfind('\\');
  return cut <= 2 ? f.substr(0, 3) : f.substr(0, cut);
}

std::string JoinPath(const std::string& folder, const std::string& name) {
  const std::string f = NormalFolder(folder);
  return f.back() == '\\' ? f + name : f + "\\" + name;
}

std::vector<FolderRow> FolderRows(const hostfs::Drives& drives, const std::string& current) {
  const std::string cur = NormalFolder(current);
  std::vector<std::string> chain;  // current folder and its ancestors, root last
  for (std::optional<std::string> f = cur; f; f = ParentFolder(*f)) chain.push_back(*f);
  std::vector<FolderRow> rows;
  for (const std::string& d : drives.DriveLetters()) {
    rows.push_back({d + "\\", d + "\\", 0});
    if (chain.empty() || !hostfs::EqualNoCase(chain.back().substr(0, 2), d)) continue;
    for (size_t i = chain.size() - 1; i-- > 0;) {
      const std::string& p = chain[i];
      rows.push_back({p, p.substr(p.rfind('\\') + 1), static_cast<int>(chain.size() - 1 - i)});
    }
  }
  return rows;
}

Listing ListFolder(const hostfs::Drives& drives, const std::string& folder, const std::string& patterns) {
  Listing out;
  const auto host = HostOf(drives, NormalFolder(folder));
  if (!host) return out;
  std::error_code ec;
  fs::directory_iterator it(*host, fs::directory_options::skip_permission_denied, ec), end;
  for (; !ec && it != end; it.increment(ec)) {
    const std::string name = hostfs::Utf8ToAnsi(it->path().filename().string());
    if (name.empty() || name[0] == '.') continue;
    std::error_code kindError;
    if (it->is_directory(kindError)) out.folders.push_back(name);
    else if (MatchesPatterns(name, patterns)) out.files.push_back(name);
  }
  std::sort(out.folders.begin(), out.folders.end(), LessNoCase);
  std::sort(out.files.begin(), out.files.end(), LessNoCase);
  return out;
}

bool FolderExists(const hostfs::Drives& drives, const std::string& path) {
  const auto host = HostOf(drives, path);
  std::error_code ec;
  return host && fs::is_directory(*host, ec);
}

bool FileExists(const hostfs::Drives& drives, const std::string& path) {
  const auto host = HostOf(drives, path);
  std::error_code ec;
  return host && fs::exists(*host, ec) && !fs::is_directory(*host, ec);
}

std::string OnDiskSpelling(const hostfs::Drives& drives, const std::string& path) {
  const auto host = HostOf(drives, path);
  std::error_code ec;
  if (!host || !fs::exists(*host, ec)) return path;
  const auto back = drives.ToWindows(*host);
  return back ? *back : path;
}

namespace {
// A typed name made whole against the current folder.
std::string Absolute(const std::string& current, const std::string& text) {
  if (IsAbsolute(text)) return NormalFolder(text);
  if (text.size() == 2 && text[1] == ':') return NormalFolder(text + "\\");
  if (text[0] == '\\' || text[0] == '/') return NormalFolder(current.substr(0, 2) + text);
  return NormalFolder(JoinPath(current, text));
}
}  // namespace

Typed InterpretTyped(const hostfs::Drives& drives, const std::string& current, std::string text) {
  text = Trim(text);
  if (text.size() >= 2 && text.front() == '"' && text.back() == '"') text = text.substr(1, text.size() - 2);
  if (text.empty()) return {};
  if (text.find_first_of("*?") != std::string::npos) {
    // A wildcard with a folder part ("C:\Games\*.lst") moves there as well;
    // only the last component becomes the filter.
    const auto cut = text.find_last_of("\\/");
    if (cut == std::string::npos) return {Typed::Filter, text, {}};
    Typed t{Typed::Filter, text.substr(cut + 1), Absolute(current, text.substr(0, cut + 1))};
    if (!FolderExists(drives, t.folder)) return {Typed::File, Absolute(current, text), {}};
    t.folder = OnDiskSpelling(drives, t.folder);
    return t;
  }
  const std::string full = Absolute(current, text);
  if (FolderExists(drives, full)) return {Typed::Folder, OnDiskSpelling(drives, full), {}};
  return {Typed::File, full, {}};
}

bool HasExtension(const std::string& path) {
  const auto dot = path.rfind('.');
  return dot != std::string::npos && (path.rfind('\\') == std::string::npos || dot > path.rfind('\\'));
}

std::optional<std::string> MustExistWarning(const hostfs::Drives& drives, const std::string& path, DWORD flags) {
  const auto parent = ParentFolder(path);
  if ((flags & (OFN_PATHMUSTEXIST | OFN_FILEMUSTEXIST)) && (!parent || !FolderExists(drives, *parent)))
    return path + "\nPath does not exist.\nPlease verify the correct path was given.";
  if ((flags & OFN_FILEMUSTEXIST) && !FileExists(drives, path))
    return path.substr(path.rfind('\\') + 1) + "\nFile not found.\nPlease verify the correct file name was given.";
  return std::nullopt;
}

}  // namespace dialogs
