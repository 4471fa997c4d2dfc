// Ctrl-C, a terminal hang-up or a plain kill end the program the way Exit
// does, so that the scratch copy of the demo prefix is still removed.
#pragma once
#include <atomic>
#include <functional>
#include <thread>

namespace app {

class SignalWatch {
 public:
  // Blocks SIGINT, SIGTERM and SIGHUP in the calling thread, and so in every
  // thread started after it, and waits for them on a thread of its own.
  // The first signal calls `stop` (from that thread), which tells whether
  // it could ask the program to end; a second signal, or a first that could
  // not be passed on, calls `abandon`, which must end the process.
  SignalWatch(std::function<bool()> stop, std::function<void(int signal)> abandon);

  // The signal that asked the program to end, 0 when none did.
  int Received() const { return received_; }
  ~SignalWatch();
  SignalWatch(const SignalWatch&) = delete;
  SignalWatch& operator=(const SignalWatch&) = delete;

 private:
  void Watch();

  std::function<bool()> stop_;
  std::function<void(int)> abandon_;
  std::atomic<bool> closing_{false};
  std::atomic<int> received_{0};
  std::thread thread_;
};

}  // namespace app
