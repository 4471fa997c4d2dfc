#include "framework/datetime.h"

#include <gtest/gtest.h>

#include <cmath>

#include "framework/exceptions.h"

namespace {

// Restores the locale globals and the time source after each test.
class DateTimeTest : public ::testing::Test {
 protected:
  void TearDown() override {
    TimeSeparator = ':';
    DateSeparator = '/';
    TimeAMString = "AM";
    TimePMString = "PM";
    ShortTimeFormat = "h:mm AMPM";
    LongTimeFormat = "h:mm:ss AMPM";
    SetTimeSource(nullptr);
  }
  static TDateTime At(int h, int m, int s, int ms = 0) {
    return EncodeTime(static_cast<std::uint16_t>(h), static_cast<std::uint16_t>(m), static_cast<std::uint16_t>(s),
                      static_cast<std::uint16_t>(ms));
  }
};

TEST_F(DateTimeTest, EncodeDateCountsFromTheEpoch) {
  EXPECT_EQ(EncodeDate(1899, 12, 30), 0);
  EXPECT_EQ(EncodeDate(1900, 1, 1), 2);
  EXPECT_EQ(EncodeDate(2000, 3, 1), 36586);
  EXPECT_EQ(EncodeDate(1, 1, 1), -693593);
  EXPECT_EQ(EncodeDate(9999, 12, 31), 2958465);
  EXPECT_EQ(EncodeDate(2024, 2, 29) - EncodeDate(2023, 2, 28), 366);
  try {
    EncodeDate(2100, 2, 29);  // not a leap year
    FAIL();
  } catch (const EConvertError& e) {
    EXPECT_EQ(e.Message(), "Invalid argument to date encode");
  }
  EXPECT_THROW(EncodeDate(0, 1, 1), EConvertError);
  EXPECT_THROW(EncodeDate(2000, 13, 1), EConvertError);
}

TEST_F(DateTimeTest, DecodeDateInvertsEncodeAcrossCycles) {
  for (int day = -693593; day <= 2958465; day += 997) {
    std::uint16_t y, m, d;
    DecodeDate(day, y, m, d);
    ASSERT_EQ(EncodeDate(y, m, d), day) << day;
  }
  for (auto [y, m, d] : {std::tuple{2000, 12, 31}, {1600, 12, 31}, {2004, 12, 31}, {1900, 2, 28}, {2026, 12, 8}}) {
    std::uint16_t yy, mm, dd;
    // Before the epoch the time of day is subtracted (its fraction still
    // runs forward within the day).
    TDateTime day = EncodeDate(y, m, d);
    DecodeDate(day + (day < 0 ? -0.75 : 0.75), yy, mm, dd);
    EXPECT_EQ(std::tuple(int(yy), int(mm), int(dd)), std::tuple(y, m, d));
  }
  std::uint16_t y, m, d;
  DecodeDate(-1.25, y, m, d);  // the day before the epoch, 06:00
  EXPECT_EQ(std::tuple(int(y), int(m), int(d)), std::tuple(1899, 12, 29));
  EXPECT_EQ(DayOfWeek(EncodeDate(2026, 12, 8)), 3);  // a Tuesday
  EXPECT_EQ(DayOfWeek(-1), 6);
}

TEST_F(DateTimeTest, EncodeAndDecodeTime) {
  std::uint16_t h, m, s, ms;
  DecodeTime(At(9, 5, 7, 250) + 45000, h, m, s, ms);
  EXPECT_EQ(std::tuple(int(h), int(m), int(s), int(ms)), std::tuple(9, 5, 7, 250));
  DecodeTime(-1.25, h, m, s, ms);
  EXPECT_EQ(int(h), 6);
  try {
    At(24, 0, 0);
    FAIL();
  } catch (const EConvertError& e) {
    EXPECT_EQ(e.Message(), "Invalid argument to time encode");
  }
  EXPECT_THROW(At(0, 60, 0), EConvertError);
  EXPECT_THROW(At(0, 0, 0, 1000), EConvertError);
}

TEST_F(DateTimeTest, RoundingToMidnightCarriesIntoTheNextDay) {
  TDateTime almost = EncodeDate(2026, 12, 31) + 0.9999999999;
  std::uint16_t y, m, d, h, n, s, ms;
  DecodeDate(almost, y, m, d);
  DecodeTime(almost, h, n, s, ms);
  EXPECT_EQ(std::tuple(int(y), int(m), int(d)), std::tuple(2027, 1, 1));
  EXPECT_EQ(std::tuple(int(h), int(n), int(s), int(ms)), std::tuple(0, 0, 0, 0));
}

TEST_F(DateTimeTest, ClockFormats) {
  TDateTime t = At(9, 5, 7);
  EXPECT_EQ(FormatDateTime("hh:mm:ss", t), "09:05:07");
  EXPECT_EQ(FormatDateTime("h:mm:ss", t), "9:05:07");
  EXPECT_EQ(FormatDateTime("hh:mm:ss ampm", At(0, 30, 0)), "12:30:00 AM");
  EXPECT_EQ(FormatDateTime("h:mm ampm", At(13, 0, 0)), "1:00 PM");
  EXPECT_EQ(FormatDateTime("hh:mm", At(12, 0, 0)), "12:00");
  EXPECT_EQ(FormatDateTime("h:mm ampm", At(12, 0, 0)), "12:00 PM");
  EXPECT_EQ(FormatDateTime("hh:nn:ss.zzz", At(23, 59, 58, 7)), "23:59:58.007");
}

TEST_F(DateTimeTest, LocaleSeparatorAndAmPmTexts) {
  TimeSeparator = '.';
  TimeAMString = "vorm.";
  TimePMString = "nachm.";
  EXPECT_EQ(FormatDateTime("hh:mm:ss", At(9, 5, 7)), "09.05.07");
  EXPECT_EQ(FormatDateTime("h:mm ampm", At(21, 15, 0)), "9.15 nachm.");
  EXPECT_EQ(FormatDateTime("h:mm ampm", At(9, 15, 0)), "9.15 vorm.");
  // Written markers keep the case the pattern gives them.
  EXPECT_EQ(FormatDateTime("h am/pm|h a/p|h AM/PM", At(15, 0, 0)), "3 pm|3 p|3 PM");
  ShortTimeFormat = "HH:mm";
  EXPECT_EQ(FormatDateTime("t", At(21, 15, 0)), "21.15");
}

TEST_F(DateTimeTest, DatesNamesLiteralsAndCombinedFormats) {
  TDateTime when = EncodeDate(2026, 12, 8) + At(9, 5, 7);
  EXPECT_EQ(FormatDateTime("yyyy-mm-dd", when), "2026-12-08");
  EXPECT_EQ(FormatDateTime("d/m/yy", when), "8/12/26");
  EXPECT_EQ(FormatDateTime("dddd, mmmm d", when), "Tuesday, December 8");
  EXPECT_EQ(FormatDateTime("ddd mmm", when), "Tue Dec");
  EXPECT_EQ(FormatDateTime("'at' h \"o'clock\"", when), "at 9 o'clock");
  EXPECT_EQ(FormatDateTime("c", when), "12/8/2026 9:05:07 AM");
  EXPECT_EQ(FormatDateTime("", EncodeDate(2026, 12, 8)), "12/8/2026");  // midnight: the date alone
  EXPECT_EQ(FormatDateTime("tt", when), "9:05:07 AM");
  EXPECT_EQ(DateToStr(when), "12/8/2026");
  EXPECT_EQ(TimeToStr(when), "9:05:07 AM");
}

TEST_F(DateTimeTest, NowReadsTheInstalledTimeSource) {
  TDateTime fake = EncodeDate(2026, 12, 8) + At(7, 30, 20);
  auto previous = SetTimeSource([&] { return fake; });
  EXPECT_FALSE(previous);  // the host clock was in use
  EXPECT_EQ(Now(), fake);
  EXPECT_EQ(Date(), EncodeDate(2026, 12, 8));
  EXPECT_NEAR(Time(), At(7, 30, 20), 1e-9);
  fake += 1.0 / SecsPerDay;
  EXPECT_NEAR(Time(), At(7, 30, 21), 1e-9);
  auto mine = SetTimeSource(nullptr);
  EXPECT_TRUE(mine);
  EXPECT_NEAR(Now(), HostNow(), 1.0 / 24);  // back on the host clock
}

}  // namespace
