#include "signal_watch.h"

#include <pthread.h>
#include <signal.h>

namespace app {

namespace {

sigset_t Watched() {
  sigset_t set;
  sigemptyset(&set);
  sigaddset(&set, SIGINT);
  sigaddset(&set, SIGTERM);
  sigaddset(&set, SIGHUP);
  return set;
}

}  // namespace

SignalWatch::SignalWatch(std::function<bool()> stop, std::function<void(int)> abandon)
    : stop_(std::move(stop)), abandon_(std::move(abandon)) {
  sigset_t set = Watched();
  pthread_sigmask(SIG_BLOCK, &set, nullptr);
  thread_ = std::thread([this] { Watch(); });
}

SignalWatch::~SignalWatch() {
  closing_ = true;
  // Wakes the watcher; the signal is blocked everywhere, so only sigwait sees it.
  pthread_kill(thread_.native_handle(), SIGTERM);
  thread_.join();
}

void SignalWatch::Watch() {
  sigset_t set = Watched();
  for (;;) {
    int signal = 0;
    if (sigwait(&set, &signal) != 0 || closing_) return;
    if (received_.exchange(signal) != 0 || !stop_()) abandon_(signal);
  }
}

}  // namespace app
