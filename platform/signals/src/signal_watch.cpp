#include "signals/signal_watch.h"

namespace signals {

void SignalWatch::Deliver(int signal) {
  if (received_.exchange(signal) != 0 || !stop_()) abandon_(signal);
}

}  // namespace signals
