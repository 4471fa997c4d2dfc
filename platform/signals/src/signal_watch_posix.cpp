#include <fcntl.h>
#include <signal.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <thread>

#include "signals/signal_watch.h"

namespace signals {

namespace {

constexpr std::array<int, 3> kSignals = {SIGINT, SIGTERM, SIGHUP};
// The write end of the pipe, for the handler: one watcher per process.
int g_writeEnd = -1;

// Only what is safe in a signal handler: one write of the signal's number.
void OnSignal(int signal) {
  int saved = errno;
  unsigned char byte = static_cast<unsigned char>(signal);
  if (g_writeEnd >= 0) {
    [[maybe_unused]] ssize_t n = ::write(g_writeEnd, &byte, 1);
  }
  errno = saved;
}

}  // namespace

struct SignalWatch::Host {
  int pipe[2] = {-1, -1};
  std::array<struct sigaction, 3> previous{};
  std::thread thread;
};

SignalWatch::SignalWatch(std::function<bool()> stop, std::function<void(int)> abandon)
    : stop_(std::move(stop)), abandon_(std::move(abandon)), host_(std::make_unique<Host>()) {
  if (::pipe2(host_->pipe, O_CLOEXEC) != 0) return;  // no watcher: signals keep their defaults
  g_writeEnd = host_->pipe[1];
  struct sigaction action{};
  action.sa_handler = OnSignal;
  sigemptyset(&action.sa_mask);
  action.sa_flags = SA_RESTART;
  for (std::size_t i = 0; i < kSignals.size(); ++i) sigaction(kSignals[i], &action, &host_->previous[i]);
  host_->thread = std::thread([this] {
    for (;;) {
      unsigned char byte = 0;
      ssize_t n = ::read(host_->pipe[0], &byte, 1);
      if (n < 0 && errno == EINTR) continue;
      if (n != 1 || byte == 0) return;
      Deliver(byte);
    }
  });
}

SignalWatch::~SignalWatch() {
  if (!host_->thread.joinable()) return;
  for (std::size_t i = 0; i < kSignals.size(); ++i) sigaction(kSignals[i], &host_->previous[i], nullptr);
  unsigned char quit = 0;  // no signal has number 0: it tells the watcher to go
  [[maybe_unused]] ssize_t n = ::write(host_->pipe[1], &quit, 1);
  host_->thread.join();
  g_writeEnd = -1;
  ::close(host_->pipe[0]);
  ::close(host_->pipe[1]);
}

}  // namespace signals
