#include "framework/object.h"

#include <cxxabi.h>

#include <cstdlib>
#include <mutex>
#include <typeindex>
#include <typeinfo>
#include <unordered_map>

#include "framework/exceptions.h"
#include "framework/format.h"
#include "framework/text.h"

namespace {

// "ns::TThing<int>" -> "TThing": only the last identifier names the class.
std::string BareName(std::string name) {
  int depth = 0;
  std::string stripped;
  for (char c : name) {
    if (c == '<') ++depth;
    if (depth == 0) stripped += c;
    if (c == '>') --depth;
  }
  auto colon = stripped.rfind("::");
  if (colon != std::string::npos) stripped.erase(0, colon + 2);
  auto space = stripped.rfind(' ');  // "class TThing" on some compilers
  if (space != std::string::npos) stripped.erase(0, space + 1);
  return stripped;
}

}  // namespace

// Demangling is slow next to a lookup, and window classes ask often.
std::string TObject::ClassName() const {
  static std::mutex mutex;
  static std::unordered_map<std::type_index, std::string> names;
  std::type_index type(typeid(*this));
  std::lock_guard<std::mutex> lock(mutex);
  auto found = names.find(type);
  if (found != names.end()) return found->second;
  const char* raw = type.name();
  int status = 0;
  char* demangled = abi::__cxa_demangle(raw, nullptr, nullptr, &status);
  std::string name = BareName(status == 0 && demangled ? demangled : raw);
  std::free(demangled);
  names.emplace(type, name);
  return name;
}

bool TObject::ClassNameIs(const std::string& name) const { return SameText(ClassName(), name); }

void Free(TObject* object) {
  if (!object) return;
  object->BeforeDestruction();
  delete object;
}

std::string ClassNameOf(const TObject* object) { return object ? object->ClassName() : "nil"; }

void TPersistent::Assign(TPersistent* source) {
  if (source) {
    source->AssignTo(this);
    return;
  }
  AssignError(nullptr);
}

void TPersistent::AssignTo(TPersistent* dest) { dest->AssignError(this); }

void TPersistent::AssignError(TPersistent* source) {
  throw EConvertError(Format("Cannot assign a %s to a %s", ClassNameOf(source), ClassName()));
}
