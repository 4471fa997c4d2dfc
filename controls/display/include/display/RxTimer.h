// TRxTimer: OnTimer every Interval milliseconds, either from a sleeping
// thread of its own (Threaded, the default; with SyncEvent the handler runs
// on the user-interface thread) or from a window timer on a hidden window.
#pragma once

#include <atomic>

#include <win32/windef.h>

#include "framework/component.h"
#include "framework/thread.h"
#include "framework/types.h"

class TRxTimer;

// Sleeps its interval, then ticks its owner. Freed when it ends; the owner
// going away leaves it without an owner, so it ends at its next wake-up
// without ticking.
class TTimerThread : public TThread {
 public:
  explicit TTimerThread(TRxTimer* owner);
  unsigned Interval() const { return interval_; }

 protected:
  void Execute() override;

 private:
  friend class TRxTimer;
  bool MayTick() const;
  void Tick();

  std::atomic<TRxTimer*> owner_;
  std::atomic<unsigned> interval_{1000};
  std::atomic<unsigned> generation_{0};  // counts the owner's update steps
};

class TRxTimer : public TComponent {
 public:
  explicit TRxTimer(TComponent* owner);
  ~TRxTimer() override;

  bool Enabled() const { return enabled_; }
  void SetEnabled(bool value);
  // Milliseconds; 0 stops the ticks without changing Enabled.
  unsigned Interval() const { return interval_; }
  void SetInterval(unsigned value);
  // Setting or clearing the handler starts or stops the ticks; replacing
  // one handler by another keeps the pace.
  const TNotifyEvent& OnTimer() const { return onTimer_; }
  void SetOnTimer(TNotifyEvent handler);
  bool SyncEvent() const { return syncEvent_; }
  void SetSyncEvent(bool value) { syncEvent_ = value; }
  bool Threaded() const { return threaded_; }
  void SetThreaded(bool value);
  TThreadPriority ThreadPriority() const { return priority_; }
  void SetThreadPriority(TThreadPriority value);

  HWND WindowHandle() const { return window_; }
  const TTimerThread* TimerThread() const { return thread_; }

 protected:
  // Runs OnTimer (with this timer as sender) while enabled and not being
  // destroyed.
  virtual void Timer();

 private:
  friend class TTimerThread;
  // Moves the ticks between the thread and the window timer and restarts
  // them with the current settings; EOutOfResources "Not enough timers
  // available" when the window system refuses a timer.
  void UpdateTimer();
  bool Runs() const { return interval_ != 0 && enabled_ && onTimer_; }
  void ReleaseWindow();

  std::atomic<bool> enabled_{true};
  unsigned interval_ = 1000;
  TNotifyEvent onTimer_;
  HWND window_ = nullptr;
  std::atomic<bool> syncEvent_{true};
  bool threaded_ = true;
  TTimerThread* thread_ = nullptr;
  TThreadPriority priority_ = tpNormal;
};
