// TRxClock: a bevelled panel showing the time of day as digits or as a
// round face with hands, refreshed every 450 ms and redrawing only what
// changed; a daily alarm; and a font that can grow to fill the panel.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "display/RxTimer.h"
#include "framework/datetime.h"
#include "framework/panel.h"

enum TShowClock { scDigital, scAnalog };

// Lets the owner replace the time the clock shows.
using TRxGetTimeEvent = std::function<void(TObject* sender, TDateTime& value)>;

class TRxClock : public TCustomPanel {
 public:
  // Digital, 24-hour, seconds and leading zero; raised outer and lowered
  // inner bevel; ticking at once.
  explicit TRxClock(TComponent* owner);
  ~TRxClock() override;

  bool AlarmEnabled() const { return alarmEnabled_; }
  void SetAlarmEnabled(bool value) { alarmEnabled_ = value; }
  // The alarm time's hour (1), minute (2) or second (3); a value that makes
  // no time of day fails with EConvertError "'h:m:s' is not a valid time".
  std::uint8_t AlarmPart(int index) const;
  void SetAlarmPart(int index, std::uint8_t value);
  std::uint8_t AlarmHour() const { return AlarmPart(1); }
  void SetAlarmHour(std::uint8_t value) { SetAlarmPart(1, value); }
  std::uint8_t AlarmMinute() const { return AlarmPart(2); }
  void SetAlarmMinute(std::uint8_t value) { SetAlarmPart(2, value); }
  std::uint8_t AlarmSecond() const { return AlarmPart(3); }
  void SetAlarmSecond(std::uint8_t value) { SetAlarmPart(3, value); }

  bool AutoSize() const { return autoSize_; }
  void SetAutoSize(bool value);
  bool Ctl3D() const { return ctl3D_; }
  void SetCtl3D(bool value);
  TColor DotsColor() const { return dotsColor_; }
  void SetDotsColor(TColor value);
  bool LeadingZero() const { return leadingZero_; }
  void SetLeadingZero(bool value);
  TShowClock ShowMode() const { return showMode_; }
  void SetShowMode(TShowClock value);
  bool ShowSeconds() const { return showSeconds_; }
  void SetShowSeconds(bool value);
  bool TwelveHour() const { return twelveHour_; }
  void SetTwelveHour(bool value);

  TNotifyEvent OnAlarm;
  TRxGetTimeEvent OnGetTime;

  // The digits (and day-half) the digital face shows for `time`.
  std::string TimeText(TDateTime time) const;
  // The digits the face drew last (the current time's before the first
  // drawing, or on the round face).
  std::string ShownText() { return shown_.empty() || showMode_ != scDigital ? TimeText(GetSystemTime()) : shown_; }
  // The clock's own timer, for a host that must pace it.
  TRxTimer* Timer() { return timer_.get(); }
  // The round face inside the bevels, as the last realignment made it.
  const TRect& FaceRect() const { return face_; }

  void WndProc(TMessage& message) override;

 protected:
  // The time to show: the time of day, passed through OnGetTime.
  virtual TDateTime GetSystemTime();
  void Loaded() override;
  void AlignControls(TControl* control, TRect& rect) override;
  void CreateWnd() override;
  void DestroyWnd() override;
  void Paint() override;

 private:
  struct Clock {
    int hour, minute, second;  // hour modulo 12
  };
  // The 60 points of the face and the screen's pixel densities.
  struct FaceTable;
  static const FaceTable& Table();

  void TimerExpired();
  void CheckAlarm();
  void ResetAlarm();
  bool IsAlarmTime(TDateTime time) const;
  void Unhook();
  void Changed(bool realign);
  TRect InnerRect();
  Clock Current();

  void DrawDigital(TRect rect, bool full);
  void AdjustFace(const TRect& area);
  void FitFont(const TRect& area);
  void DrawFace();
  void UpdateFace();
  void DrawMarks(int radius, TPoint centre, int dotWidth, int dotHeight, bool large);
  void DrawHand(int position, int tip, int tail, int side, TColor color);
  void DrawSecondHand(int second);
  TPoint FacePoint(int index, int length) const;

  std::unique_ptr<TRxTimer> timer_;
  bool alarmEnabled_ = false;
  TDateTime alarm_ = 0;
  bool alarmWait_ = true;
  bool autoSize_ = false;
  bool ctl3D_ = true;
  TColor dotsColor_ = clTeal;
  bool leadingZero_ = true;
  TShowClock showMode_ = scDigital;
  bool showSeconds_ = true;
  bool twelveHour_ = false;
  TRect face_{};
  int radius_ = 0;
  TPoint centre_{};
  Clock last_{};
  bool hooked_ = false;
  std::string shown_;
};
