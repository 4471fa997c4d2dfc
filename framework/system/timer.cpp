#include "framework/timer.h"

#include <memory>

#include <win32/user32.h>

#include "framework/exceptions.h"

namespace {

constexpr char kUtilityClass[] = "TPUtilWindow";
constexpr UINT_PTR kTimerId = 1;

LRESULT CALLBACK UtilityWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* handler = reinterpret_cast<TUtilityHandler*>(GetWindowLongPtrA(window, GWLP_USERDATA));
  if (handler && *handler) return (*handler)(window, message, wParam, lParam);
  return DefWindowProcA(window, message, wParam, lParam);
}

void RegisterUtilityClass() {
  WNDCLASSA existing{};
  if (GetClassInfoA(nullptr, kUtilityClass, &existing)) return;
  WNDCLASSA wc{};
  wc.lpfnWndProc = &UtilityWndProc;
  wc.lpszClassName = kUtilityClass;
  RegisterClassA(&wc);
}

}  // namespace

HWND AllocateHWnd(TUtilityHandler handler) {
  RegisterUtilityClass();
  HWND window = CreateWindowExA(0, kUtilityClass, "", WS_POPUP, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
  if (!window) throw EOutOfResources("Error creating window");
  auto* kept = new TUtilityHandler(std::move(handler));
  SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(kept));
  return window;
}

void DeallocateHWnd(HWND window) {
  if (!window) return;
  auto* handler = reinterpret_cast<TUtilityHandler*>(GetWindowLongPtrA(window, GWLP_USERDATA));
  SetWindowLongPtrA(window, GWLP_USERDATA, 0);
  DestroyWindow(window);
  delete handler;
}

TTimer::TTimer(TComponent* owner) : TComponent(owner) {
  window_ = AllocateHWnd([this](HWND window, UINT message, WPARAM wParam, LPARAM lParam) -> LRESULT {
    if (message != WM_TIMER) return DefWindowProcA(window, message, wParam, lParam);
    Timer();
    return 0;
  });
}

TTimer::~TTimer() {
  enabled_ = false;
  UpdateTimer();
  DeallocateHWnd(window_);
}

void TTimer::SetEnabled(bool value) {
  if (value == enabled_) return;
  enabled_ = value;
  UpdateTimer();
}

void TTimer::SetInterval(unsigned value) {
  if (value == interval_) return;
  interval_ = value;
  UpdateTimer();
}

void TTimer::SetOnTimer(TNotifyEvent handler) {
  bool changes = static_cast<bool>(handler) != static_cast<bool>(onTimer_);
  onTimer_ = std::move(handler);
  if (changes) UpdateTimer();
}

void TTimer::UpdateTimer() {
  KillTimer(window_, kTimerId);
  if (interval_ == 0 || !enabled_ || !onTimer_) return;
  if (!SetTimer(window_, kTimerId, interval_, nullptr)) throw EOutOfResources("Not enough timers available");
}

void TTimer::Timer() {
  if (enabled_ && onTimer_ && !ComponentState().Contains(csDestroying)) onTimer_(this);
}
