#include "display/RxTimer.h"

#include <win32/kernel32.h>
#include <win32/user32.h>

#include "framework/application.h"
#include "framework/exceptions.h"
#include "framework/timer.h"

namespace {

constexpr UINT_PTR kTimerId = 1;

bool ApplicationTerminating() { return Application && Application->Terminated(); }

// Inside a catch block: the error goes where the application sends errors.
void HandTimerError(TObject* sender) {
  if (Application) Application->HandleException(sender);
}

}  // namespace

TTimerThread::TTimerThread(TRxTimer* owner) : TThread(true), owner_(owner) { SetFreeOnTerminate(true); }

bool TTimerThread::MayTick() const { return !Terminated() && !ApplicationTerminating() && owner_ != nullptr; }

void TTimerThread::Execute() {
  while (!Terminated()) {
    // Terminating or orphaned, the thread still sleeps, so it never spins.
    const unsigned generation = generation_;
    if (SleepEx(interval_, FALSE) != 0) continue;
    // A sleep begun before the owner's settings changed (it was suspended
    // meanwhile) is not a tick: the new pace starts with the next sleep.
    if (generation != generation_) continue;
    TRxTimer* owner = owner_;
    if (!MayTick() || !owner->enabled_) continue;
    if (owner->syncEvent_) {
      if (Suspended() || Terminated())
        Tick();
      else
        Synchronize([this] { Tick(); });
    } else {
      try {
        owner->Timer();
      } catch (...) {
        HandTimerError(owner);
      }
    }
  }
}

// On the user-interface thread the owner is looked at again: it may have
// gone while the call waited there.
void TTimerThread::Tick() {
  TRxTimer* owner = owner_;
  if (!owner || Terminated()) return;
  try {
    owner->Timer();
  } catch (...) {
    HandTimerError(owner);
  }
}

TRxTimer::TRxTimer(TComponent* owner) : TComponent(owner), thread_(new TTimerThread(this)) {}

TRxTimer::~TRxTimer() {
  enabled_ = false;
  onTimer_ = nullptr;
  thread_->owner_ = nullptr;
  thread_->Terminate();
  // Once it runs, the thread ends at the end of its current sleep and
  // frees itself: nothing touches it after the resume that lets it run.
  // The timer holds at most one suspension, so one resume is the last.
  TTimerThread* thread = thread_;
  thread_ = nullptr;
  if (thread->Suspended()) thread->Resume();
  ReleaseWindow();
}

void TRxTimer::ReleaseWindow() {
  if (!window_) return;
  KillTimer(window_, kTimerId);
  DeallocateHWnd(window_);
  window_ = nullptr;
}

void TRxTimer::SetEnabled(bool value) {
  if (value == enabled_) return;
  enabled_ = value;
  UpdateTimer();
}

void TRxTimer::SetInterval(unsigned value) {
  if (value == interval_) return;
  interval_ = value;
  UpdateTimer();
}

void TRxTimer::SetOnTimer(TNotifyEvent handler) {
  bool changes = static_cast<bool>(handler) != static_cast<bool>(onTimer_);
  onTimer_ = std::move(handler);
  if (changes) UpdateTimer();
}

void TRxTimer::SetThreaded(bool value) {
  if (value == threaded_) return;
  threaded_ = value;
  UpdateTimer();
}

void TRxTimer::SetThreadPriority(TThreadPriority value) {
  if (value == priority_) return;
  priority_ = value;
  if (threaded_) UpdateTimer();
}

void TRxTimer::UpdateTimer() {
  if (!thread_) return;
  if (!thread_->Suspended()) thread_->Suspend();
  if (threaded_) {
    ReleaseWindow();
    thread_->interval_ = interval_;
    ++thread_->generation_;
    if (!Runs()) return;
    thread_->SetPriority(priority_);
    while (thread_->Suspended()) thread_->Resume();
    return;
  }
  if (!window_) {
    window_ = AllocateHWnd([this](HWND window, UINT message, WPARAM wParam, LPARAM lParam) -> LRESULT {
      if (message != WM_TIMER) return DefWindowProcA(window, message, wParam, lParam);
      try {
        Timer();
      } catch (...) {
        HandTimerError(this);
      }
      return 0;
    });
  } else {
    KillTimer(window_, kTimerId);
  }
  if (Runs() && !SetTimer(window_, kTimerId, interval_, nullptr))
    throw EOutOfResources("Not enough timers available");
}

void TRxTimer::Timer() {
  if (enabled_ && onTimer_ && !ComponentState().Contains(csDestroying)) onTimer_(this);
}
