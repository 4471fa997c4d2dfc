// A list stays whole however the command line is stopped.
#pragma once

#include "signals/signal_watch.h"

namespace cli {

class SignalGuard {
 public:
  // A file-size limit makes the write fail as an error ("Disk full")
  // instead of killing the process; Ctrl-C, a hang-up or a kill take the
  // half-written new text away, then end the process by that signal.
  SignalGuard();

 private:
  [[noreturn]] void Stop();

  signals::SignalWatch watch_;
};

}  // namespace cli
