#include "signal_guard.h"

#include <signal.h>
#include <unistd.h>

#include "hostfs/hostfs.h"

namespace cli {

namespace {

bool IgnoreFileSizeLimit() {
  ::signal(SIGXFSZ, SIG_IGN);
  return true;
}

}  // namespace

// Ignored before the watcher starts, so no write can come first.
SignalGuard::SignalGuard()
    : watch_((IgnoreFileSizeLimit(), [this]() -> bool { Stop(); }), [this](int) { Stop(); }) {}

void SignalGuard::Stop() {
  hostfs::RemoveTemporaryFiles();
  // Ended by the signal itself, as the caller of a killed program expects.
  const int signal = watch_.Received();
  ::signal(signal, SIG_DFL);
  ::raise(signal);
  ::_exit(128 + signal);
}

}  // namespace cli
