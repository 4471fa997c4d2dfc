#include "key_path.h"
#include "registry/registry.h"

namespace registry {

void MemoryRegistry::AddKey(const std::string& keyPath) {
  // As in the real registry, a key's parents exist with it.
  for (std::string path = detail::FoldedKeyPath(keyPath); !path.empty();
       path = std::string(detail::ParentKeyPath(path)))
    if (!keys_.try_emplace(path).second) break;
}

void MemoryRegistry::SetValue(const std::string& keyPath, const std::string& name, Value value) {
  AddKey(keyPath);
  std::string folded = name;
  detail::FoldInPlace(folded);
  keys_[detail::FoldedKeyPath(keyPath)][folded] = std::move(value);
}

void MemoryRegistry::SetString(const std::string& keyPath, const std::string& name, const std::string& text) {
  SetValue(keyPath, name, Value{static_cast<std::uint32_t>(ValueType::String), text});
}

KeyHandle MemoryRegistry::OpenKey(const std::string& path) {
  std::string folded = detail::FoldedKeyPath(path);
  if (!keys_.count(folded)) return 0;
  const KeyHandle handle = next_++;
  open_[handle] = std::move(folded);
  return handle;
}

std::optional<Value> MemoryRegistry::QueryValue(KeyHandle key, const std::string& name) {
  const auto open = open_.find(key);
  if (open == open_.end()) return std::nullopt;
  const auto found = keys_.find(open->second);
  if (found == keys_.end()) return std::nullopt;
  std::string folded = name;
  detail::FoldInPlace(folded);
  const auto value = found->second.find(folded);
  if (value == found->second.end()) return std::nullopt;
  return value->second;
}

void MemoryRegistry::CloseKey(KeyHandle key) { open_.erase(key); }

}  // namespace registry
