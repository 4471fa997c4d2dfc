#include "signals/signal_watch.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>

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

SignalWatch::SignalWatch(std::function<bool()> stop, std::function<void(int)> abandon)
    : stop_(std::move(stop)), abandon_(std::move(abandon)) {
  if (::pipe2(pipe_, O_CLOEXEC) != 0) return;  // no watcher: signals keep their defaults
  g_writeEnd = pipe_[1];
  struct sigaction action{};
  action.sa_handler = OnSignal;
  sigemptyset(&action.sa_mask);
  action.sa_flags = SA_RESTART;
  for (std::size_t i = 0; i < kSignals.size(); ++i) sigaction(kSignals[i], &action, &previous_[i]);
  thread_ = std::thread([this] { Watch(); });
}

SignalWatch::~SignalWatch() {
  if (!thread_.joinable()) return;
  for (std::size_t i = 0; i < kSignals.size(); ++i) sigaction(kSignals[i], &previous_[i], nullptr);
  unsigned char quit = 0;  // no signal has number 0: it tells the watcher to go
  [[maybe_unused]] ssize_t n = ::write(pipe_[1], &quit, 1);
  thread_.join();
  g_writeEnd = -1;
  ::close(pipe_[0]);
  ::close(pipe_[1]);
}

void SignalWatch::Watch() {
  for (;;) {
    unsigned char byte = 0;
    ssize_t n = ::read(pipe_[0], &byte, 1);
    if (n < 0 && errno == EINTR) continue;
    if (n != 1 || byte == 0) return;
    int signal = byte;
    if (received_.exchange(signal) != 0 || !stop_()) abandon_(signal);
  }
}

}  // namespace signals
