#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <system_error>

#include "dir_lookup.h"
#include "hostfs/codepage.h"
#include "hostfs/hostfs.h"

namespace hostfs {
namespace {

namespace fs = std::filesystem;

bool IsDriveName(std::string_view name) {
  return name.size() == 2 && std::isalpha(static_cast<unsigned char>(name[0])) && name[1] == ':';
}

// Where a dosdevices entry leads: a link's target (relative ones are relative
// to dosdevices/ itself), or the entry when it is a plain folder.
std::optional<fs::path> EntryTarget(const fs::path& dosdevices, const std::string& entry) {
  const fs::path link = dosdevices / entry;
  std::error_code ec;
  const fs::file_status st = fs::symlink_status(link, ec);
  if (ec || !fs::exists(st)) return std::nullopt;
  if (!fs::is_symlink(st)) return link;
  fs::path target = fs::read_symlink(link, ec);
  if (ec) return std::nullopt;
  if (target.is_relative()) target = dosdevices / target;
  return target.lexically_normal();
}

std::optional<fs::path> DriveTarget(const fs::path& prefix, char letter) {
  const fs::path dosdevices = prefix / "dosdevices";
  const char name[] = {static_cast<char>(std::tolower(static_cast<unsigned char>(letter))), ':', 0};
  const auto entry = detail::FindEntry(dosdevices, name);
  if (!entry) return std::nullopt;
  return EntryTarget(dosdevices, *entry);
}

// Splits at both separators, as Windows accepts either; empty parts and "."
// are dropped and ".." steps back, never above the drive's root.
std::vector<std::string> Components(std::string_view rest) {
  std::vector<std::string> parts;
  std::size_t start = 0;
  while (start <= rest.size()) {
    std::size_t end = rest.find_first_of("\\/", start);
    if (end == std::string_view::npos) end = rest.size();
    const std::string_view part = rest.substr(start, end - start);
    if (part == "..") {
      if (!parts.empty()) parts.pop_back();
    } else if (!part.empty() && part != ".") {
      parts.emplace_back(part);
    }
    start = end + 1;
  }
  return parts;
}

fs::path Canonical(const fs::path& p) {
  std::error_code ec;
  fs::path abs = fs::absolute(p, ec);
  if (ec) return p.lexically_normal();
  fs::path canon = fs::weakly_canonical(abs, ec);
  return ec ? abs.lexically_normal() : canon;
}

// The number of components of `base` when it holds `p`, else -1.
long Holds(const fs::path& base, const fs::path& p) {
  auto b = base.begin();
  auto q = p.begin();
  long depth = 0;
  for (; b != base.end(); ++b, ++q, ++depth) {
    if (b->empty()) continue;  // the empty last element of "dir/"
    if (q == p.end() || *b != *q) return -1;
  }
  return depth;
}

}  // namespace

Drives::Drives(std::filesystem::path prefix) : prefix_(std::move(prefix)) {}

std::optional<std::filesystem::path> Drives::ToHost(const std::string& windowsPath) const {
  if (!IsDriveName(std::string_view(windowsPath).substr(0, 2))) return std::nullopt;
  auto root = DriveTarget(prefix_, windowsPath[0]);
  if (!root) return std::nullopt;
  fs::path host = *root;
  bool found = true;  // once a component is missing, the rest can't be looked up
  for (const std::string& part : Components(std::string_view(windowsPath).substr(2))) {
    std::optional<std::string> entry;
    if (found) entry = detail::FindEntry(host, part);
    found = entry.has_value();
    host /= found ? *entry : AnsiToUtf8(part);
  }
  return host;
}

std::optional<std::string> Drives::ToWindows(const std::filesystem::path& hostPath) const {
  const fs::path target = Canonical(hostPath);
  std::optional<std::string> best;
  long bestDepth = -1;
  for (const std::string& letter : DriveLetters()) {
    const auto root = DriveTarget(prefix_, letter[0]);
    if (!root) continue;
    const fs::path base = Canonical(*root);
    const long depth = Holds(base, target);
    if (depth <= bestDepth) continue;
    std::string windows = letter;
    auto it = target.begin();
    for (long i = 0; i < depth; ++i) ++it;
    for (; it != target.end(); ++it)
      if (!it->empty()) windows += '\\' + Utf8ToAnsi(it->string());
    if (windows.size() == 2) windows += '\\';
    best = std::move(windows);
    bestDepth = depth;
  }
  return best;
}

std::vector<std::string> Drives::DriveLetters() const {
  std::vector<std::string> letters;
  std::error_code ec;
  for (fs::directory_iterator it(prefix_ / "dosdevices", ec), end; !ec && it != end; it.increment(ec)) {
    const std::string name = it->path().filename().string();
    if (!IsDriveName(name)) continue;
    letters.push_back({static_cast<char>(std::toupper(static_cast<unsigned char>(name[0]))), ':'});
  }
  std::sort(letters.begin(), letters.end());
  letters.erase(std::unique(letters.begin(), letters.end()), letters.end());
  return letters;
}

}  // namespace hostfs
