// Read-only access to HKEY_LOCAL_MACHINE: the three operations the catalogue
// needs (open a key, query a value, close it), over a Wine prefix's
// system.reg or over an in-memory registry for tests.
#pragma once

#include <cstdint>
#include <filesystem>
#include <iosfwd>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace registry {

// Registry value types, numbered as Windows numbers them (REG_SZ = 1, ...).
enum class ValueType : std::uint32_t {
  None = 0,
  String = 1,        // REG_SZ
  ExpandString = 2,  // REG_EXPAND_SZ (the catalogue uses it unexpanded)
  Binary = 3,        // REG_BINARY
  Dword = 4,         // REG_DWORD
  MultiString = 7,   // REG_MULTI_SZ
  Qword = 11,        // REG_QWORD
};

struct Value {
  std::uint32_t type = 0;  // a ValueType number; other numbers are kept as read
  // Strings: the Windows-1252 text with its NULs (REG_SZ data may hold a NUL
  // inside; readers cut at the first one). Other types: the raw bytes.
  // From system.reg, a quoted string is the text between the quotes, with no
  // terminating NUL added; a string type given as hex is its UTF-16 bytes
  // turned into Windows-1252 as they stand.
  std::string data;
};

// An open key; 0 is never a valid handle.
using KeyHandle = std::uint32_t;

class Registry {
 public:
  virtual ~Registry() = default;
  // Opens a key below HKEY_LOCAL_MACHINE without creating it. The path uses
  // single backslashes ("Software\\Maker\\Game\\1.0\\"; a trailing backslash is
  // allowed) and compares without regard to case. Returns 0 when absent.
  virtual KeyHandle OpenKey(const std::string& path) = 0;
  // The named value of an open key ("" is the default value), compared
  // without regard to case; nullopt when the key is not open or the value is missing.
  virtual std::optional<Value> QueryValue(KeyHandle key, const std::string& name) = 0;
  virtual void CloseKey(KeyHandle key) = 0;
};

// A registry held in memory, for tests and for hosts without one.
class MemoryRegistry : public Registry {
 public:
  void SetValue(const std::string& keyPath, const std::string& name, Value value);
  void SetString(const std::string& keyPath, const std::string& name, const std::string& text);
  void AddKey(const std::string& keyPath);

  KeyHandle OpenKey(const std::string& path) override;
  std::optional<Value> QueryValue(KeyHandle key, const std::string& name) override;
  void CloseKey(KeyHandle key) override;

 private:
  std::map<std::string, std::map<std::string, Value>> keys_;  // lower-cased paths and names
  std::map<KeyHandle, std::string> open_;
  KeyHandle next_ = 1;
};

// The registry of a Wine prefix: HKEY_LOCAL_MACHINE from DIR/system.reg,
// parsed once, seen as a 32-bit program sees it (in a "#arch=win64" prefix,
// Software\Wow6432Node\... first, then the plain path). A missing file gives
// an empty registry; a file that is not a Wine registry file also gives an
// empty one, with a warning written to `warnings`, as does a file that can't
// be read. Lines it can't make sense of are skipped, with one warning in all.
std::unique_ptr<Registry> OpenWineRegistry(const std::filesystem::path& prefix, std::ostream& warnings);

// The same over the text of a system.reg file already in memory; `source`
// names it in the warnings.
std::unique_ptr<Registry> ParseWineRegistry(std::string_view text, std::ostream& warnings,
                                            const std::string& source = "system.reg");

// The prefix to use: `option` when not empty, else $WINEPREFIX when set and
// not empty, else ~/.wine.
std::filesystem::path WinePrefix(const std::string& option);

}  // namespace registry
