// Ctrl-C, a terminal hang-up or a plain kill end a program in order: the
// window program the way Exit does, so that the scratch copy of the demo
// prefix is still removed; the command line after taking away the new text
// of a list it was saving.
#pragma once

#include <atomic>
#include <functional>
#include <memory>

namespace signals {

class SignalWatch {
 public:
  // Catches SIGINT, SIGTERM and SIGHUP (before SDL starts, so that it keeps
  // its hands off them) and serves them on a thread of its own; on Windows,
  // the console's Ctrl-C (as SIGINT), Ctrl-Break, close, log-off and
  // shut-down (as SIGTERM), on the thread the system calls us on. The first
  // signal calls `stop` from that thread, which tells whether it could ask
  // the program to end; a second signal, or a first that could not be passed
  // on, calls `abandon`, which must end the process. No signal is blocked,
  // so programs started from this one (the link label's browser) get them
  // as usual.
  SignalWatch(std::function<bool()> stop, std::function<void(int signal)> abandon);
  ~SignalWatch();
  SignalWatch(const SignalWatch&) = delete;
  SignalWatch& operator=(const SignalWatch&) = delete;

  // The signal that asked the program to end, 0 when none did.
  int Received() const { return received_; }

 private:
  struct Host;  // what the host's side keeps: handlers, a thread

  // One signal caught, on the serving thread.
  void Deliver(int signal);

  std::function<bool()> stop_;
  std::function<void(int)> abandon_;
  std::atomic<int> received_{0};
  std::unique_ptr<Host> host_;
};

}  // namespace signals
