// A system.reg file read into memory once: the key lines are indexed by
// their folded path, the value lines are kept as the text they are and only
// decoded when a program asks for them, so a prefix of many megabytes opens
// quickly.
#pragma once

#include <cstdint>
#include <iosfwd>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "registry/registry.h"

namespace registry::detail {

class RegFile {
 public:
  // A key that exists only as the parent of keys in the file.
  static constexpr std::uint32_t kImplicitKey = 0xFFFFFFFF;
  static constexpr std::uint32_t kNone = 0xFFFFFFFE;
  // Windows nests keys no deeper than this; a deeper key line is not understood.
  static constexpr std::size_t kMaxKeyDepth = 512;

  // Parses `text`; a text that is not a Wine registry file gives an empty
  // file and a warning naming `source`.
  RegFile(std::string text, std::ostream& warnings, const std::string& source);

  bool Win64() const { return win64_; }
  // The newest record of the folded key path, kImplicitKey, or nullopt.
  std::optional<std::uint32_t> FindKey(std::string_view folded) const;
  // The named value of a key (kImplicitKey keys hold none).
  std::optional<Value> FindValue(std::uint32_t key, std::string_view name) const;

 private:
  struct RawValue {
    std::uint32_t nameBegin, nameSize;  // escaped, between the quotes; empty for "@"
    std::uint32_t dataBegin, dataSize;  // the text after "=", continuation lines included
  };
  struct KeyRecord {
    std::uint32_t pathBegin, pathSize;  // in paths_
    std::uint32_t firstValue, valueCount;
    std::uint32_t older;  // an earlier record of the same key, or kNone
  };

  void Parse(std::ostream& warnings, const std::string& source);
  std::size_t ParseLine(std::size_t begin, std::size_t end);
  bool ParseKeyLine(std::string_view line);
  bool ParseValueLine(std::size_t begin, std::size_t& end);
  void BuildIndex();
  bool NameMatches(const RawValue& value, std::string_view folded) const;

  std::string text_;
  std::string paths_;  // folded key paths, one after another
  std::vector<KeyRecord> keys_;
  std::vector<RawValue> values_;
  // Keys carry their hash: the hashes of all the parents of a path come from
  // one pass over it, so a path of many parts costs no more than its length.
  struct IndexKey {
    std::string_view path;
    std::uint64_t hash;
    bool operator==(const IndexKey& other) const { return path == other.path; }
  };
  struct IndexHash {
    std::size_t operator()(const IndexKey& key) const { return static_cast<std::size_t>(key.hash); }
  };
  void AddParents(std::string_view path);

  std::unordered_map<IndexKey, std::uint32_t, IndexHash> index_;
  bool win64_ = false;
  std::size_t badLines_ = 0;
  std::size_t firstBadLine_ = 0;
  std::size_t lineNumber_ = 0;
};

// The value that the text after "=" stands for; nullopt when malformed.
std::optional<Value> DecodeValue(std::string_view data);

}  // namespace registry::detail
