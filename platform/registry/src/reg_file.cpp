#include "reg_file.h"

#include <algorithm>
#include <cstring>
#include <ostream>

#include "hostfs/codepage.h"
#include "key_path.h"
#include "reg_text.h"

namespace registry::detail {
namespace {

constexpr std::string_view kSignature = "WINE REGISTRY Version 2";

std::string_view TrimRight(std::string_view s) {
  while (!s.empty() && (s.back() == '\r' || s.back() == ' ' || s.back() == '\t')) s.remove_suffix(1);
  return s;
}

// 64-bit FNV-1a on every host (size_t is 32 bits on some), taken one byte
// at a time so that every prefix's hash is on the way.
constexpr std::uint64_t kHashStart = 14695981039346656037ull;
std::uint64_t HashStep(std::uint64_t hash, char c) {
  return (hash ^ static_cast<unsigned char>(c)) * 1099511628211ull;
}

std::uint64_t PathHash(std::string_view path) {
  std::uint64_t hash = kHashStart;
  for (char c : path) hash = HashStep(hash, c);
  return hash;
}

std::size_t LineEnd(const std::string& text, std::size_t begin) {
  const void* nl = std::memchr(text.data() + begin, '\n', text.size() - begin);
  return nl ? static_cast<std::size_t>(static_cast<const char*>(nl) - text.data()) : text.size();
}

}  // namespace

RegFile::RegFile(std::string text, std::ostream& warnings, const std::string& source)
    : text_(std::move(text)) {
  Parse(warnings, source);
}

void RegFile::Parse(std::ostream& warnings, const std::string& source) {
  // An editor may have put a byte-order mark in front; Wine never does.
  const std::size_t start = text_.starts_with("\xEF\xBB\xBF") ? 3 : 0;
  std::size_t pos = LineEnd(text_, 0);
  // Offsets are 32-bit; a registry of gigabytes is not one Wine wrote.
  if (text_.size() >= 0xFFFFFFF0u || TrimRight(std::string_view(text_).substr(start, pos - start)) != kSignature) {
    warnings << "warning: " << source << " is not a Wine registry file (it does not begin with \""
             << kSignature << "\"); no games are found in it\n";
    text_.clear();
    return;
  }
  paths_.reserve(text_.size() / 8);
  values_.reserve(text_.size() / 64);
  lineNumber_ = 1;
  while (pos < text_.size()) {
    ++pos;  // past the line feed
    ++lineNumber_;
    pos = ParseLine(pos, LineEnd(text_, pos));
  }
  BuildIndex();
  if (badLines_)
    warnings << "warning: " << source << ": " << badLines_ << " line" << (badLines_ > 1 ? "s" : "")
             << " not understood, the first at line " << firstBadLine_ << "\n";
}

// Parses the line [begin, end); returns where it really ends (a value may
// continue on the following lines).
std::size_t RegFile::ParseLine(std::size_t begin, std::size_t end) {
  while (begin < end && (text_[begin] == ' ' || text_[begin] == '\t')) ++begin;
  const std::string_view line = TrimRight(std::string_view(text_).substr(begin, end - begin));
  bool understood = true;
  if (line.empty() || line.front() == ';') {
  } else if (line.front() == '#') {
    if (keys_.empty() && line.substr(0, 6) == "#arch=") win64_ = line.substr(6) == "win64";
  } else if (line.front() == '[') {
    understood = ParseKeyLine(line);
  } else if (line.front() == '"' || line.front() == '@') {
    understood = ParseValueLine(begin, end);
  } else {
    understood = false;
  }
  if (!understood && badLines_++ == 0) firstBadLine_ = lineNumber_;
  return end;
}

bool RegFile::ParseKeyLine(std::string_view line) {
  const std::size_t pathBegin = paths_.size();
  std::size_t pos = 1;
  if (!Unescape(line, pos, ']', paths_)) {
    paths_.resize(pathBegin);
    keys_.push_back({0, 0, 0, 0, kNone});  // values below a broken key line go nowhere
    keys_.back().valueCount = kNone;
    return false;
  }
  while (paths_.size() > pathBegin && paths_.back() == '\\') paths_.pop_back();
  if (std::count(paths_.begin() + static_cast<std::ptrdiff_t>(pathBegin), paths_.end(), '\\') >=
      static_cast<std::ptrdiff_t>(kMaxKeyDepth)) {
    paths_.resize(pathBegin);
    keys_.push_back({0, 0, 0, kNone, kNone});
    return false;
  }
  for (std::size_t i = pathBegin; i < paths_.size(); ++i) {
    const auto c = static_cast<unsigned char>(paths_[i]);
    if (c >= 'A' && c <= 'Z') {
      paths_[i] = static_cast<char>(c + 32);
    } else if (c >= 0x80) {
      paths_[i] = static_cast<char>(hostfs::FoldCase(c));
    }
  }
  keys_.push_back({static_cast<std::uint32_t>(pathBegin), static_cast<std::uint32_t>(paths_.size() - pathBegin),
                   static_cast<std::uint32_t>(values_.size()), 0, kNone});
  return true;
}

bool RegFile::ParseValueLine(std::size_t begin, std::size_t& end) {
  if (keys_.empty() || keys_.back().valueCount == kNone) return false;
  const std::string_view text(text_);
  std::size_t nameBegin = begin + 1, nameEnd = begin + 1, eq = begin + 1;
  if (text[begin] == '"') {
    nameEnd = FindTerminator(text.substr(0, end), nameBegin, '"');
    if (nameEnd == std::string_view::npos) return false;
    eq = nameEnd + 1;
  }
  if (eq >= end || text[eq] != '=') return false;
  const std::size_t dataBegin = eq + 1;
  // Only byte lists run on over lines ending in a backslash.
  if (text.substr(dataBegin, 3) == "hex") {
    while (end < text.size() && TrimRight(text.substr(dataBegin, end - dataBegin)).ends_with('\\')) {
      ++lineNumber_;
      end = LineEnd(text_, end + 1);
    }
  }
  const std::string_view data = TrimRight(text.substr(dataBegin, end - dataBegin));
  values_.push_back({static_cast<std::uint32_t>(nameBegin), static_cast<std::uint32_t>(nameEnd - nameBegin),
                     static_cast<std::uint32_t>(dataBegin), static_cast<std::uint32_t>(data.size())});
  ++keys_.back().valueCount;
  return true;
}

void RegFile::BuildIndex() {
  const std::string_view paths(paths_);
  index_.reserve(keys_.size() + static_cast<std::size_t>(std::count(paths.begin(), paths.end(), '\\')));
  for (std::uint32_t i = 0; i < keys_.size(); ++i) {
    KeyRecord& key = keys_[i];
    if (key.valueCount == kNone) continue;
    const std::string_view path = paths.substr(key.pathBegin, key.pathSize);
    const auto [it, inserted] = index_.try_emplace(IndexKey{path, PathHash(path)}, i);
    if (!inserted) {
      key.older = it->second;
      it->second = i;
    }
  }
  // Parents that have no line of their own exist all the same.
  for (const KeyRecord& key : keys_) {
    if (key.valueCount != kNone) AddParents(paths.substr(key.pathBegin, key.pathSize));
  }
}

void RegFile::AddParents(std::string_view path) {
  std::vector<IndexKey> parents;
  std::uint64_t hash = kHashStart;
  for (std::size_t i = 0; i < path.size(); ++i) {
    if (path[i] == '\\') parents.push_back({path.substr(0, i), hash});
    hash = HashStep(hash, path[i]);
  }
  // Nearest first: once a parent is known, so are all of its own.
  for (auto it = parents.rbegin(); it != parents.rend(); ++it)
    if (!index_.try_emplace(*it, kImplicitKey).second) break;
}

std::optional<std::uint32_t> RegFile::FindKey(std::string_view folded) const {
  const auto it = index_.find(IndexKey{folded, PathHash(folded)});
  if (it == index_.end()) return std::nullopt;
  return it->second;
}

bool RegFile::NameMatches(const RawValue& value, std::string_view folded) const {
  const std::string_view raw = std::string_view(text_).substr(value.nameBegin, value.nameSize);
  if (raw.find('\\') == std::string_view::npos) {
    bool plain = true;
    for (char c : raw) plain = plain && static_cast<unsigned char>(c) < 0x80;
    if (plain) return hostfs::EqualNoCase(raw, folded);
  }
  // The raw name holds no unescaped quote, so this decodes all of it.
  std::string decoded;
  std::size_t pos = 0;
  Unescape(raw, pos, '"', decoded);
  return hostfs::EqualNoCase(decoded, folded);
}

std::optional<Value> RegFile::FindValue(std::uint32_t key, std::string_view name) const {
  std::string folded(name);
  FoldInPlace(folded);
  // The newest line wins, as when the file is loaded line by line.
  for (std::uint32_t k = key; k < keys_.size(); k = keys_[k].older) {
    const KeyRecord& record = keys_[k];
    for (std::uint32_t v = record.firstValue + record.valueCount; v-- > record.firstValue;) {
      if (!NameMatches(values_[v], folded)) continue;
      return DecodeValue(std::string_view(text_).substr(values_[v].dataBegin, values_[v].dataSize));
    }
  }
  return std::nullopt;
}

}  // namespace registry::detail
