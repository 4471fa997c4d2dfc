// TTimer: OnTimer every Interval milliseconds from a window timer on a
// hidden utility window of its own. The utility window helpers serve any
// non-visual component that needs messages (a timer of another kind, say).
#pragma once

#include <functional>

#include <win32/windef.h>

#include "framework/component.h"
#include "framework/types.h"

// A hidden message-only window whose messages go to `handler`; messages it
// leaves alone return 0 unless the handler calls DefWindowProcA itself.
using TUtilityHandler = std::function<LRESULT(HWND window, UINT message, WPARAM wParam, LPARAM lParam)>;
HWND AllocateHWnd(TUtilityHandler handler);
void DeallocateHWnd(HWND window);

class TTimer : public TComponent {
 public:
  explicit TTimer(TComponent* owner);
  ~TTimer() override;

  bool Enabled() const { return enabled_; }
  void SetEnabled(bool value);
  // Milliseconds; 0 stops the ticks without changing Enabled.
  unsigned Interval() const { return interval_; }
  void SetInterval(unsigned value);
  // Setting or clearing the handler starts or stops the timer.
  const TNotifyEvent& OnTimer() const { return onTimer_; }
  void SetOnTimer(TNotifyEvent handler);
  HWND WindowHandle() const { return window_; }

 protected:
  // Runs OnTimer (with this timer as sender) while enabled.
  virtual void Timer();

 private:
  // Kills the window timer and sets it again when Enabled, Interval and
  // OnTimer allow; EOutOfResources "Not enough timers available" when the
  // window system refuses.
  void UpdateTimer();

  bool enabled_ = true;
  unsigned interval_ = 1000;
  TNotifyEvent onTimer_;
  HWND window_ = nullptr;
};
