#include <windows.h>

#include <csignal>

#include "signals/signal_watch.h"

namespace signals {

namespace {

// The system calls the handler on a thread of its own: one watcher per process.
SignalWatch* g_watch = nullptr;
void (*g_deliver)(SignalWatch*, int) = nullptr;

BOOL WINAPI OnConsoleEvent(DWORD event) {
  if (!g_watch) return FALSE;
  g_deliver(g_watch, event == CTRL_C_EVENT ? SIGINT : SIGTERM);
  return TRUE;
}

}  // namespace

struct SignalWatch::Host {
  bool installed = false;
};

SignalWatch::SignalWatch(std::function<bool()> stop, std::function<void(int)> abandon)
    : stop_(std::move(stop)), abandon_(std::move(abandon)), host_(std::make_unique<Host>()) {
  g_watch = this;
  g_deliver = [](SignalWatch* watch, int signal) { watch->Deliver(signal); };
  host_->installed = ::SetConsoleCtrlHandler(OnConsoleEvent, TRUE) != FALSE;
}

SignalWatch::~SignalWatch() {
  if (host_->installed) ::SetConsoleCtrlHandler(OnConsoleEvent, FALSE);
  g_watch = nullptr;
}

}  // namespace signals
