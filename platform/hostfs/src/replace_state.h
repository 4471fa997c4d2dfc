// What replacing a file shares on every host: the test's fault hook, the
// temporary files in progress, and the checks of a Windows path.
#pragma once

#include <filesystem>
#include <mutex>
#include <string>
#include <vector>

#include "hostfs/hostfs.h"
#include "hostfs/replace_faults.h"

namespace hostfs::detail {

// The error a test makes the step fail with, 0 to let it run.
int InjectedFault(testing::ReplaceStep step);

// The temporary files of replacements in progress, so that a process ended
// by a signal can take them away; once abandoned, no replacement finishes.
struct Temporaries {
  std::mutex mutex;
  std::vector<std::string> paths;
  bool abandoned = false;
};
Temporaries& InFlight();
void Forget(const std::string& temp);  // with InFlight().mutex held

// A NUL can't be part of a host name: taken as is, it would cut the path short.
void RejectNul(const std::string& windowsPath);
std::filesystem::path HostPathOrThrow(const Drives& drives, const std::string& windowsPath);

}  // namespace hostfs::detail
