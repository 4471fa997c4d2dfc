// Taking files and their locks, the same on every host.
#include <algorithm>
#include <thread>

#include "hostfs/hostfs.h"

namespace hostfs {

HeldFile::HeldFile(const Drives& drives, std::string windowsPath)
    : drives_(drives), windowsPath_(std::move(windowsPath)) {
  if (windowsPath_.find('\0') != std::string::npos)
    throw FileError(FileErrorText(kErrorInvalidName), kErrorInvalidName);
  auto host = drives_.ToHost(windowsPath_);
  if (!host) throw FileError(FileErrorText(kErrorFileNotFound), kErrorFileNotFound);
  host_ = *host;
  Open();
}

void HeldFile::Lock(std::chrono::milliseconds wait) { LockAll({this}, wait); }

void LockAll(const std::vector<HeldFile*>& files, std::chrono::milliseconds wait) {
  const auto deadline = std::chrono::steady_clock::now() + wait;
  auto pause = std::chrono::milliseconds(1);
  for (;;) {
    const HeldFile* busy = nullptr;
    for (HeldFile* file : files)
      if (!file->TryLock()) {
        busy = file;
        break;
      }
    if (!busy) return;
    // Never hold some while waiting for another, so that two installs can't
    // wait on each other in a circle.
    for (HeldFile* file : files) file->Unlock();
    if (std::chrono::steady_clock::now() >= deadline)
      throw FileError("Another program is rewriting " + busy->WindowsPath() + "; try again", 32);
    std::this_thread::sleep_for(pause);
    pause = std::min(pause * 2, std::chrono::milliseconds(25));
  }
}

}  // namespace hostfs
