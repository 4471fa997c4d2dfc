// TRxClock: properties, the tick, the alarm and the messages it reacts to.
#include "display/RXClock.h"

#include <win32/user32.h>

#include "framework/application.h"
#include "framework/canvas.h"
#include "framework/control_messages.h"
#include "framework/exceptions.h"
#include "framework/format.h"

namespace {

constexpr unsigned kTickInterval = 450;

void Decode(TDateTime time, int& hour, int& minute, int& second) {
  std::uint16_t h, m, s, ms;
  DecodeTime(time, h, m, s, ms);
  hour = h, minute = m, second = s;
}

}  // namespace

TRxClock::TRxClock(TComponent* owner) : TCustomPanel(owner), timer_(std::make_unique<TRxTimer>(nullptr)) {
  SetBevelInner(bvLowered);
  SetBevelOuter(bvRaised);
  SetCaption(TimeToStr(GetSystemTime()));
  last_ = Current();
  timer_->SetInterval(kTickInterval);
  timer_->SetOnTimer([this](TObject*) { TimerExpired(); });
}

TRxClock::~TRxClock() {
  // No tick may reach a clock that is half gone.
  timer_.reset();
  Unhook();
}

TDateTime TRxClock::GetSystemTime() {
  TDateTime time = Time();
  if (OnGetTime) OnGetTime(this, time);
  return time;
}

TRxClock::Clock TRxClock::Current() {
  Clock c;
  Decode(GetSystemTime(), c.hour, c.minute, c.second);
  c.hour %= 12;
  return c;
}

std::string TRxClock::TimeText(TDateTime time) const {
  std::string format = leadingZero_ ? "hh:nn" : "h:nn";
  if (showSeconds_) format += ":ss";
  if (twelveHour_) format += " ampm";
  return FormatDateTime(format, time);
}

void TRxClock::Changed(bool realign) {
  Invalidate();
  if (realign && autoSize_) Realign();
}

void TRxClock::SetAutoSize(bool value) {
  if (value == autoSize_) return;
  autoSize_ = value;
  Changed(true);
}

void TRxClock::SetCtl3D(bool value) {
  if (value == ctl3D_) return;
  ctl3D_ = value;
  Perform(CM_CTL3DCHANGED, 0, 0);
}

void TRxClock::SetDotsColor(TColor value) {
  if (value == dotsColor_) return;
  dotsColor_ = value;
  Changed(false);
}

void TRxClock::SetLeadingZero(bool value) {
  if (value == leadingZero_) return;
  leadingZero_ = value;
  Changed(false);
}

void TRxClock::SetShowMode(TShowClock value) {
  if (value == showMode_) return;
  showMode_ = value;
  Changed(false);
}

void TRxClock::SetShowSeconds(bool value) {
  if (value == showSeconds_) return;
  showSeconds_ = value;
  Changed(true);
}

void TRxClock::SetTwelveHour(bool value) {
  if (value == twelveHour_) return;
  twelveHour_ = value;
  Changed(true);
}

// ---- the alarm

std::uint8_t TRxClock::AlarmPart(int index) const {
  int part[3];
  Decode(alarm_, part[0], part[1], part[2]);
  return index >= 1 && index <= 3 ? static_cast<std::uint8_t>(part[index - 1]) : 0;
}

void TRxClock::SetAlarmPart(int index, std::uint8_t value) {
  int part[3];
  Decode(alarm_, part[0], part[1], part[2]);
  if (index < 1 || index > 3) return;
  part[index - 1] = value;
  if (part[0] >= 24 || part[1] >= 60 || part[2] >= 60) {
    const std::string sep(1, TimeSeparator);
    throw EConvertError(Format("'%s' is not a valid time", std::to_string(part[0]) + sep + std::to_string(part[1]) +
                                                               sep + std::to_string(part[2])));
  }
  alarm_ = EncodeTime(static_cast<std::uint16_t>(part[0]), static_cast<std::uint16_t>(part[1]),
                      static_cast<std::uint16_t>(part[2]), 0);
  ResetAlarm();
}

// Waiting until the alarm's time comes today; midnight is always ahead.
void TRxClock::ResetAlarm() { alarmWait_ = alarm_ > GetSystemTime() || alarm_ == 0; }

bool TRxClock::IsAlarmTime(TDateTime time) const {
  int h, m, s, ah, am, as;
  Decode(time, h, m, s);
  Decode(alarm_, ah, am, as);
  return h == ah && m == am && s >= as;
}

// Within the alarm's minute a fired alarm stays fired (re-arming there
// would ring a midnight alarm again at every other tick); outside it the
// alarm is re-armed for its next time.
void TRxClock::CheckAlarm() {
  if (alarmEnabled_ && IsAlarmTime(GetSystemTime())) {
    if (alarmWait_) {
      alarmWait_ = false;
      if (OnAlarm) OnAlarm(this);
    }
  } else {
    ResetAlarm();
  }
}

void TRxClock::Loaded() {
  TCustomPanel::Loaded();
  ResetAlarm();
}

// ---- drawing

TRect TRxClock::InnerRect() {
  TRect r = ClientRect();
  int inset = BorderWidth();
  if (BevelInner() != bvNone) inset += BevelWidth();
  if (BevelOuter() != bvNone) inset += BevelWidth();
  InflateRect(&r, -inset, -inset);
  return r;
}

// Draws straight into the window, not through a paint message, so only
// the parts that changed are touched.
void TRxClock::TimerExpired() {
  if (HandleAllocated() && IsWindowVisible(WindowHandle())) {
    HWND window = WindowHandle();
    HDC dc = GetDC(window);
    TCanvas* canvas = Canvas();
    canvas->SetHandle(dc);
    canvas->Brush()->SetColor(Color());
    canvas->SetFont(Font());
    canvas->Pen()->SetColor(Font()->Color());
    if (showMode_ == scDigital)
      DrawDigital(InnerRect(), false);
    else
      UpdateFace();
    canvas->SetHandle(nullptr);
    ReleaseDC(window, dc);
  }
  CheckAlarm();
}

void TRxClock::Paint() {
  TCanvas* c = Canvas();
  TRect r = ClientRect();
  auto bevel = [&](TPanelBevel kind) {
    if (kind == bvNone) return;
    const bool raised = kind == bvRaised;
    Frame3D(c, r, raised ? clBtnHighlight : clBtnShadow, raised ? clBtnShadow : clBtnHighlight, BevelWidth());
  };
  bevel(BevelOuter());
  Frame3D(c, r, Color(), Color(), BorderWidth());
  bevel(BevelInner());
  c->Brush()->SetColor(Color());
  c->Brush()->SetStyle(bsSolid);
  c->FillRect(r);
  c->SetFont(Font());
  c->Pen()->SetColor(Font()->Color());
  if (showMode_ == scDigital)
    DrawDigital(r, true);
  else
    DrawFace();
}

// ---- messages and the application window

void TRxClock::CreateWnd() {
  TCustomPanel::CreateWnd();
  if (ComponentState().Contains(csDesigning) || hooked_) return;
  TApplication* app = EnsureApplication();
  app->Handle();  // the window that hears of changed settings
  app->HookMainWindow(
      [this](TMessage& message) {
        if (message.Msg == WM_WININICHANGE) Changed(true);
        return false;
      },
      this);
  hooked_ = true;
}

void TRxClock::DestroyWnd() {
  Unhook();
  TCustomPanel::DestroyWnd();
}

void TRxClock::Unhook() {
  if (!hooked_) return;
  hooked_ = false;
  if (Application) Application->UnhookMainWindow(this);
}

void TRxClock::WndProc(TMessage& message) {
  switch (message.Msg) {
    case CM_TEXTCHANGED:
      return;  // the caption is never shown
    case CM_FONTCHANGED:
      TCustomPanel::WndProc(message);
      Changed(true);
      return;
    case CM_CTL3DCHANGED:
      if (showMode_ == scAnalog) Invalidate();
      return;
    case WM_TIMECHANGE:
      Invalidate();
      CheckAlarm();
      return;
    default:
      TCustomPanel::WndProc(message);
  }
}
