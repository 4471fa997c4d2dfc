// The clock panel at fixed times: its texts, what a tick redraws, the
// daily alarm, the round face's marks and hands, font fitting and the
// regional settings. Ticks are run by hand on this thread (the clock's
// own timer is stopped), so every case sees exactly the times it sets.
#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>
#include <memory>
#include <thread>

#include <backend/headless.h>
#include <win32/gdi32.h>
#include <win32/user32.h>

#include "display/RXClock.h"
#include "framework/canvas.h"
#include "framework/exceptions.h"
#include "framework/format_settings.h"
#include "framework/forms.h"
#include "framework/synchronize.h"
#include "pump.h"

namespace {

constexpr COLORREF kMarker = RGB(255, 0, 255);

TDateTime At(int h, int m, int s, int ms = 0, int day = 0) {
  return EncodeDate(2001, 2, 3) + day + EncodeTime(std::uint16_t(h), std::uint16_t(m), std::uint16_t(s), std::uint16_t(ms));
}

class Clock : public ::testing::Test {
 protected:
  void SetUp() override {
    headless::Start();
    setenv("LC_ALL", "C", 1);  // ":" and AM/PM whatever the host's locale
    GetFormatSettings();
    SetTimeSource([this] { return now; });
    form.reset(new TForm(nullptr));
    form->SetBounds(0, 0, 300, 300);
    clock = new TRxClock(form.get());
    clock->Timer()->SetEnabled(false);
    clock->SetParent(form.get());
    clock->SetBounds(0, 0, 120, 30);
    clock->Font()->SetColor(clBlack);
    form->Show();
    UpdateWindow(clock->Handle());
  }
  void TearDown() override {
    form.reset();
    SetTimeSource(nullptr);
    // A freed timer's thread ends when its sleep does; it must be gone
    // before the next test replaces the backend it sleeps on.
    for (int i = 0; i < 1000000 && headless::Sleepers() > 0; ++i) {
      headless::AdvanceTime(1000);
      Pump();
      std::this_thread::yield();
    }
    ASSERT_EQ(headless::Sleepers(), 0) << "the clock's timer thread did not end";
  }

  void Tick(TDateTime time) {
    now = time;
    clock->Timer()->OnTimer()(clock->Timer());
    Pump();
  }
  // Covers the inside of the bevels with the marker colour, bypassing the
  // clock, so that the next tick's drawing is what is not marker.
  void Mark() {
    HDC dc = GetDC(clock->Handle());
    RECT r = {2, 2, clock->Width() - 2, clock->Height() - 2};
    HBRUSH b = CreateSolidBrush(kMarker);
    FillRect(dc, &r, b);
    DeleteObject(b);
    ReleaseDC(clock->Handle(), dc);
  }
  // The columns inside the bevels that hold a pixel other than the marker.
  std::vector<bool> DrawnColumns() {
    HDC dc = GetDC(clock->Handle());
    std::vector<bool> drawn(clock->Width(), false);
    for (int x = 2; x < clock->Width() - 2; ++x)
      for (int y = 2; y < clock->Height() - 2; ++y)
        if (GetPixel(dc, x, y) != kMarker) drawn[x] = true;
    ReleaseDC(clock->Handle(), dc);
    return drawn;
  }
  // Character cells [first, last) of the digits as the clock lays them out.
  std::pair<int, int> Cells(int first, int last, int digits) {
    HDC dc = GetDC(clock->Handle());
    TCanvas canvas;
    canvas.SetHandle(dc);
    canvas.SetFont(clock->Font());
    const TSize eight = canvas.TextExtent("8");
    canvas.SetHandle(nullptr);
    ReleaseDC(clock->Handle(), dc);
    const int left = (2 + clock->Width() - 2 - digits * eight.cx) / 2;
    return {left + first * eight.cx, left + last * eight.cx};
  }
  static bool OnlyIn(const std::vector<bool>& drawn, std::initializer_list<std::pair<int, int>> spans) {
    for (int x = 0; x < static_cast<int>(drawn.size()); ++x) {
      bool inside = false;
      for (auto [a, b] : spans) inside = inside || (x >= a && x < b);
      if (drawn[x] != inside) return false;
    }
    return true;
  }

  TDateTime now = At(9, 5, 7);
  TOwned<TForm> form;
  TRxClock* clock = nullptr;
};

TEST_F(Clock, DefaultsAndTextsAtFixedTimes) {
  EXPECT_EQ(clock->ShowMode(), scDigital);
  EXPECT_EQ(clock->BevelOuter(), bvRaised);
  EXPECT_EQ(clock->BevelInner(), bvLowered);
  EXPECT_EQ(clock->DotsColor(), clTeal);
  EXPECT_EQ(clock->Timer()->Interval(), 450u);
  EXPECT_EQ(clock->TimeText(At(9, 5, 7)), "09:05:07");
  clock->SetLeadingZero(false);
  EXPECT_EQ(clock->TimeText(At(9, 5, 7)), "9:05:07");
  clock->SetTwelveHour(true);
  EXPECT_EQ(clock->TimeText(At(0, 30, 0)), "12:30:00 AM");
  EXPECT_EQ(clock->TimeText(At(13, 0, 0)), "1:00:00 PM");
  clock->SetShowSeconds(false);
  EXPECT_EQ(clock->TimeText(At(23, 59, 59)), "11:59 PM");
}

TEST_F(Clock, ATickRedrawsOnlyTheCellsOfTheFieldsThatChanged) {
  Tick(At(9, 5, 7));
  Mark();
  Tick(At(9, 5, 7, 450));
  EXPECT_TRUE(OnlyIn(DrawnColumns(), {})) << "nothing changed, nothing drawn";
  Tick(At(9, 5, 8));
  EXPECT_TRUE(OnlyIn(DrawnColumns(), {Cells(6, 8, 8)})) << "the seconds cells only";
  Mark();
  Tick(At(9, 6, 0));
  EXPECT_TRUE(OnlyIn(DrawnColumns(), {Cells(3, 5, 8), Cells(6, 8, 8)})) << "minutes and seconds";
}

TEST_F(Clock, WithoutTheLeadingZeroTheSecondsAreCharactersSixAndSeven) {
  clock->SetLeadingZero(false);
  Tick(At(9, 5, 7));
  UpdateWindow(clock->Handle());
  Mark();
  Tick(At(9, 5, 8));
  EXPECT_TRUE(OnlyIn(DrawnColumns(), {Cells(5, 7, 7)}));
}

TEST_F(Clock, TheHourChangeRepaintsTheWholePanel) {
  Tick(At(11, 59, 59));
  Mark();
  Tick(At(12, 0, 0));
  const std::vector<bool> drawn = DrawnColumns();
  EXPECT_TRUE(OnlyIn(drawn, {{2, clock->Width() - 2}}));
  // And the marker is gone from the rows too: the background was filled.
  HDC dc = GetDC(clock->Handle());
  EXPECT_EQ(GetPixel(dc, 3, 3), ColorToRGB(clBtnFace));
  ReleaseDC(clock->Handle(), dc);
}

TEST_F(Clock, TheAlarmFiresOnceADayWithinItsMinute) {
  int rung = 0;
  clock->OnAlarm = [&](TObject*) { ++rung; };
  now = At(6, 0, 0);
  clock->SetAlarmHour(7);
  clock->SetAlarmMinute(30);
  clock->SetAlarmSecond(20);
  clock->SetAlarmEnabled(true);
  Tick(At(7, 30, 19));
  EXPECT_EQ(rung, 0);
  Tick(At(7, 30, 21));
  EXPECT_EQ(rung, 1);
  Tick(At(7, 30, 40));
  Tick(At(7, 31, 0));
  Tick(At(12, 0, 0));
  EXPECT_EQ(rung, 1);
  Tick(At(0, 0, 1, 0, 1));
  Tick(At(7, 30, 20, 0, 1));
  EXPECT_EQ(rung, 2) << "the next day";
  EXPECT_EQ(clock->AlarmHour(), 7);
  EXPECT_EQ(clock->AlarmSecond(), 20);
}

TEST_F(Clock, AnAlarmEnabledAfterItsTimeWaitsForTheNextDay) {
  int rung = 0;
  clock->OnAlarm = [&](TObject*) { ++rung; };
  clock->SetAlarmHour(7);
  clock->SetAlarmMinute(30);
  clock->SetAlarmSecond(20);
  Tick(At(7, 31, 0));
  clock->SetAlarmEnabled(true);
  Tick(At(7, 31, 1));
  Tick(At(23, 0, 0));
  EXPECT_EQ(rung, 0);
  Tick(At(0, 5, 0, 0, 1));
  Tick(At(7, 30, 30, 0, 1));
  EXPECT_EQ(rung, 1);
}

TEST_F(Clock, AMidnightAlarmRingsOnceInTheFirstMinute) {
  int rung = 0;
  clock->OnAlarm = [&](TObject*) { ++rung; };
  clock->SetAlarmEnabled(true);
  Tick(At(15, 0, 0));
  Tick(At(23, 59, 59));
  EXPECT_EQ(rung, 0);
  for (int ms = 200; ms < 60000; ms += 450) Tick(At(0, 0, ms / 1000, ms % 1000, 1));
  EXPECT_EQ(rung, 1);
  Tick(At(0, 1, 0, 0, 1));
  Tick(At(0, 0, 5, 0, 2));
  EXPECT_EQ(rung, 2);
}

TEST_F(Clock, AnAlarmPartOutOfRangeIsRefusedAndKeepsTheTime) {
  clock->SetAlarmMinute(30);
  clock->SetAlarmSecond(20);
  try {
    clock->SetAlarmHour(24);
    FAIL() << "no error";
  } catch (const EConvertError& e) {
    EXPECT_EQ(e.Message(), "'24:30:20' is not a valid time");
  }
  EXPECT_EQ(clock->AlarmHour(), 0);
  EXPECT_EQ(clock->AlarmMinute(), 30);
  EXPECT_THROW(clock->SetAlarmSecond(60), EConvertError);
}

class AnalogClock : public Clock {
 protected:
  void Face(int size) {
    clock->SetShowMode(scAnalog);
    clock->SetBounds(0, 0, size, size);
    UpdateWindow(clock->Handle());
  }
  COLORREF Pixel(int x, int y) {
    HDC dc = GetDC(clock->Handle());
    const COLORREF c = GetPixel(dc, x, y);
    ReleaseDC(clock->Handle(), dc);
    return c;
  }
  int Count(COLORREF colour) {
    int n = 0;
    for (int y = 0; y < clock->Height(); ++y)
      for (int x = 0; x < clock->Width(); ++x) n += Pixel(x, y) == colour;
    return n;
  }
  std::vector<COLORREF> Pixels() {
    std::vector<COLORREF> all;
    for (int y = 0; y < clock->Height(); ++y)
      for (int x = 0; x < clock->Width(); ++x) all.push_back(Pixel(x, y));
    return all;
  }
};

TEST_F(AnalogClock, LargeFacesFrameTheirHourMarksInALighterTeal) {
  Face(204);  // 200 inside the bevels: dots of 200 x 25 / 1024 = 4 pixels
  const TRect face = clock->FaceRect();
  EXPECT_NEAR(RectWidth(face), 200, 1);
  EXPECT_NEAR(RectHeight(face), 200, 1);
  // The first aqua pixel is the top-left corner of the twelve o'clock mark.
  int ax = -1, ay = -1;
  for (int y = 0; y < clock->Height() && ax < 0; ++y)
    for (int x = 0; x < clock->Width() && ax < 0; ++x)
      if (Pixel(x, y) == RGB(0, 255, 255)) ax = x, ay = y;
  ASSERT_GE(ax, 0) << "no mark framed in aqua";
  EXPECT_NEAR(ax + 2, (face.left + face.right) / 2, 1) << "the mark is centred at twelve o'clock";
  EXPECT_LE(ay - face.top, 1);
  EXPECT_EQ(Pixel(ax + 2, ay), RGB(0, 255, 255)) << "aqua along the top";
  EXPECT_EQ(Pixel(ax, ay + 2), RGB(0, 255, 255)) << "and down the left";
  EXPECT_EQ(Pixel(ax + 1, ay + 1), ColorToRGB(clTeal)) << "teal inside";
  EXPECT_EQ(Pixel(ax + 3, ay + 3), ColorToRGB(clWindowFrame)) << "the frame colour on the bottom-right";
  EXPECT_GT(Count(ColorToRGB(clBtnShadow)), 0) << "3-D minute marks";
}

TEST_F(AnalogClock, SmallFacesDrawOnlyFlatHourMarks) {
  Face(64);
  EXPECT_EQ(Count(ColorToRGB(clTeal)), 0);
  EXPECT_EQ(Count(RGB(0, 255, 255)), 0);
  const TRect face = clock->FaceRect();
  int shadows = 0;
  for (int y = face.top; y < face.bottom; ++y)
    for (int x = face.left; x < face.right; ++x) shadows += Pixel(x, y) == ColorToRGB(clBtnShadow);
  EXPECT_EQ(shadows, 0) << "no 3-D minute marks";
  EXPECT_GE(Count(RGB(0, 0, 0)), 12 * 4) << "twelve 2 x 2 marks and the hands in the font colour";
}

TEST_F(AnalogClock, TheSecondHandMovesByInversionAndLeavesNoTrace) {
  Face(150);
  Tick(At(10, 10, 10));
  clock->Repaint();
  Tick(At(10, 10, 11));
  const std::vector<COLORREF> ticked = Pixels();
  clock->Repaint();
  EXPECT_EQ(Pixels(), ticked) << "a tick's picture is the full face at the new time";
}

TEST_F(Clock, AutoSizeFitsTheFontToThePanel) {
  clock->SetBounds(0, 0, 230, 64);
  const int before = clock->Font()->Height();
  clock->SetAutoSize(true);
  const int fitted = clock->Font()->Height();
  EXPECT_GT(fitted, before);
  EXPECT_LE(fitted, (64 - 4 - 4) * 4 / 5);
  clock->SetBounds(0, 0, 30, 64);  // no width left after the margin
  EXPECT_EQ(clock->Font()->Height(), fitted);
}

TEST_F(Clock, ChangedRegionalSettingsShowAtOnce) {
  TimeAMString = "old";
  ValidateRect(clock->Handle(), nullptr);
  SendMessageA(HWND_BROADCAST, WM_WININICHANGE, 0, 0);
  EXPECT_EQ(TimeAMString, "AM") << "the application read the locale again";
  RECT update;
  EXPECT_TRUE(GetUpdateRect(clock->Handle(), &update, FALSE)) << "the clock asked to be redrawn";
}

}  // namespace
