#include <cstdio>

#include "replace_state.h"

namespace hostfs {
namespace detail {

namespace {

testing::ReplaceFaultHook& FaultHook() {
  static testing::ReplaceFaultHook hook;
  return hook;
}

}  // namespace

int InjectedFault(testing::ReplaceStep step) { return FaultHook() ? FaultHook()(step) : 0; }

Temporaries& InFlight() {
  static Temporaries temporaries;
  return temporaries;
}

void Forget(const std::string& temp) { std::erase(InFlight().paths, temp); }

void RejectNul(const std::string& windowsPath) {
  if (windowsPath.find('\0') != std::string::npos)
    throw FileError(FileErrorText(kErrorInvalidName), kErrorInvalidName);
}

std::filesystem::path HostPathOrThrow(const Drives& drives, const std::string& windowsPath) {
  RejectNul(windowsPath);
  auto host = drives.ToHost(windowsPath);
  if (!host) throw FileError(FileErrorText(kErrorFileNotFound), kErrorFileNotFound);
  return *host;
}

}  // namespace detail

namespace testing {
void SetReplaceFaultHook(ReplaceFaultHook hook) { detail::FaultHook() = std::move(hook); }
}  // namespace testing

std::string ReadFile(const Drives& drives, const std::string& windowsPath) {
  return ReadHostFile(detail::HostPathOrThrow(drives, windowsPath));
}

void RemoveTemporaryFiles() noexcept {
  std::lock_guard lock(detail::InFlight().mutex);
  detail::InFlight().abandoned = true;
  for (const std::string& temp : detail::InFlight().paths) std::remove(temp.c_str());
  detail::InFlight().paths.clear();
}

}  // namespace hostfs
