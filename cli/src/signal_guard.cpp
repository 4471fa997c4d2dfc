#include "signal_guard.h"

#include "hostfs/hostfs.h"
#include "hostos/hostos.h"

namespace cli {

namespace {

bool IgnoreFileSizeLimit() {
  hostos::IgnoreFileSizeSignal();
  return true;
}

}  // namespace

// Ignored before the watcher starts, so no write can come first.
SignalGuard::SignalGuard()
    : watch_((IgnoreFileSizeLimit(), [this]() -> bool { Stop(); }), [this](int) { Stop(); }) {}

void SignalGuard::Stop() {
  hostfs::RemoveTemporaryFiles();
  // Ended by the signal itself, as the caller of a killed program expects.
  hostos::EndBySignal(watch_.Received());
}

}  // namespace cli
