#include <ostream>
#include <unordered_map>

#include "key_path.h"
#include "reg_file.h"
#include "registry/registry.h"

namespace registry {
namespace {

class WineRegistry : public Registry {
 public:
  WineRegistry(std::string text, std::ostream& warnings, const std::string& source)
      : file_(std::move(text), warnings, source) {}

  KeyHandle OpenKey(const std::string& path) override {
    const std::string folded = detail::FoldedKeyPath(path);
    if (folded.empty()) return 0;
    std::optional<std::uint32_t> key;
    if (file_.Win64()) {
      if (const std::string twin = detail::Wow6432Path(folded); !twin.empty()) key = file_.FindKey(twin);
    }
    if (!key) key = file_.FindKey(folded);
    if (!key) return 0;
    const KeyHandle handle = next_++;
    if (next_ == 0) next_ = 1;
    open_[handle] = *key;
    return handle;
  }

  std::optional<Value> QueryValue(KeyHandle key, const std::string& name) override {
    const auto open = open_.find(key);
    if (open == open_.end()) return std::nullopt;
    return file_.FindValue(open->second, name);
  }

  void CloseKey(KeyHandle key) override { open_.erase(key); }

 private:
  detail::RegFile file_;
  std::unordered_map<KeyHandle, std::uint32_t> open_;
  KeyHandle next_ = 1;
};

}  // namespace

std::unique_ptr<Registry> ParseWineRegistry(std::string_view text, std::ostream& warnings,
                                            const std::string& source) {
  return std::make_unique<WineRegistry>(std::string(text), warnings, source);
}

}  // namespace registry
