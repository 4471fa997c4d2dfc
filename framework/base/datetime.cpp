#include "framework/datetime.h"

#include <chrono>
#include <cmath>
#include <ctime>
#include <mutex>

#include "framework/exceptions.h"
#include "hostos/hostos.h"

std::string ShortMonthNames[12] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                   "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
std::string LongMonthNames[12] = {"January", "February", "March",     "April",   "May",      "June",
                                  "July",    "August",   "September", "October", "November", "December"};
std::string ShortDayNames[7] = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
std::string LongDayNames[7] = {"Sunday", "Monday", "Tuesday", "Wednesday", "Thursday", "Friday", "Saturday"};

namespace {

// The day number of 1899-12-30, the zero of TDateTime, counting
// 0001-01-01 as day 1.
constexpr long long kDateDelta = 693594;
constexpr int kDaysPer400Years = 146097;
constexpr int kDaysPer100Years = 36524;
constexpr int kDaysPer4Years = 1461;

struct Stamp {
  long long day;  // days since 1899-12-30
  int ms;         // milliseconds into that day
};

Stamp ToStamp(TDateTime value) {
  double whole = std::trunc(value);
  long long ms = std::llround(std::fabs(value - whole) * MSecsPerDay);
  long long day = static_cast<long long>(whole);
  if (ms >= MSecsPerDay) {  // rounding reached midnight: the next calendar day
    ms = 0;
    ++day;
  }
  return {day, static_cast<int>(ms)};
}

std::mutex g_sourceMutex;
TTimeSource g_source;

}  // namespace

bool IsLeapYear(int year) { return year % 4 == 0 && (year % 100 != 0 || year % 400 == 0); }

int DaysInMonth(int year, int month) {
  static const int kDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  return month == 2 && IsLeapYear(year) ? 29 : kDays[month - 1];
}

bool TryEncodeDate(std::uint16_t year, std::uint16_t month, std::uint16_t day, TDateTime& result) {
  if (year < 1 || year > 9999 || month < 1 || month > 12 || day < 1 || day > DaysInMonth(year, month)) return false;
  long long days = day;
  for (int m = 1; m < month; ++m) days += DaysInMonth(year, m);
  long long y = year - 1;
  result = static_cast<double>(y * 365 + y / 4 - y / 100 + y / 400 + days - kDateDelta);
  return true;
}

TDateTime EncodeDate(std::uint16_t year, std::uint16_t month, std::uint16_t day) {
  TDateTime result = 0;
  if (!TryEncodeDate(year, month, day, result)) throw EConvertError("Invalid argument to date encode");
  return result;
}

void DecodeDate(TDateTime value, std::uint16_t& year, std::uint16_t& month, std::uint16_t& day) {
  long long t = ToStamp(value).day + kDateDelta - 1;  // days since 0001-01-01
  if (t < 0 || t >= 3652059) {                   // outside years 1..9999
    year = month = day = 0;
    return;
  }
  long long y = 1;
  y += t / kDaysPer400Years * 400;
  t %= kDaysPer400Years;
  long long centuries = t / kDaysPer100Years;
  if (centuries == 4) centuries = 3;  // the last day of a 400-year cycle
  t -= centuries * kDaysPer100Years;
  y += centuries * 100 + t / kDaysPer4Years * 4;
  t %= kDaysPer4Years;
  long long years = t / 365;
  if (years == 4) years = 3;  // the leap day closing a 4-year cycle
  t -= years * 365;
  y += years;
  int m = 1;
  while (t >= DaysInMonth(static_cast<int>(y), m)) t -= DaysInMonth(static_cast<int>(y), m++);
  year = static_cast<std::uint16_t>(y);
  month = static_cast<std::uint16_t>(m);
  day = static_cast<std::uint16_t>(t + 1);
}

bool TryEncodeTime(std::uint16_t hour, std::uint16_t minute, std::uint16_t second, std::uint16_t ms,
                   TDateTime& result) {
  if (hour >= 24 || minute >= 60 || second >= 60 || ms >= 1000) return false;
  result = ((hour * 60 + minute) * 60 + second) * 1000.0 + ms;
  result /= MSecsPerDay;
  return true;
}

TDateTime EncodeTime(std::uint16_t hour, std::uint16_t minute, std::uint16_t second, std::uint16_t ms) {
  TDateTime result = 0;
  if (!TryEncodeTime(hour, minute, second, ms, result)) throw EConvertError("Invalid argument to time encode");
  return result;
}

void DecodeTime(TDateTime value, std::uint16_t& hour, std::uint16_t& minute, std::uint16_t& second,
                std::uint16_t& ms) {
  int t = ToStamp(value).ms;
  ms = static_cast<std::uint16_t>(t % 1000);
  t /= 1000;
  second = static_cast<std::uint16_t>(t % 60);
  t /= 60;
  minute = static_cast<std::uint16_t>(t % 60);
  hour = static_cast<std::uint16_t>(t / 60);
}

int DayOfWeek(TDateTime value) {
  // Day 0 (1899-12-30) was a Saturday.
  long long d = (ToStamp(value).day + 6) % 7;
  if (d < 0) d += 7;
  return static_cast<int>(d) + 1;
}

TDateTime HostNow() {
  using namespace std::chrono;
  auto now = system_clock::now();
  std::time_t seconds = system_clock::to_time_t(now);
  auto ms = duration_cast<milliseconds>(now.time_since_epoch()).count() % 1000;
  if (ms < 0) ms += 1000;
  std::tm local = hostos::LocalTime(seconds);
  return EncodeDate(static_cast<std::uint16_t>(local.tm_year + 1900), static_cast<std::uint16_t>(local.tm_mon + 1),
                    static_cast<std::uint16_t>(local.tm_mday)) +
         EncodeTime(static_cast<std::uint16_t>(local.tm_hour), static_cast<std::uint16_t>(local.tm_min),
                    static_cast<std::uint16_t>(local.tm_sec > 59 ? 59 : local.tm_sec),
                    static_cast<std::uint16_t>(ms));
}

TTimeSource SetTimeSource(TTimeSource source) {
  std::lock_guard<std::mutex> lock(g_sourceMutex);
  std::swap(source, g_source);
  return source;
}

TDateTime Now() {
  TTimeSource source;
  {
    std::lock_guard<std::mutex> lock(g_sourceMutex);
    source = g_source;
  }
  return source ? source() : HostNow();
}

TDateTime Date() { return std::trunc(Now()); }

TDateTime Time() {
  TDateTime now = Now();
  return std::fabs(now - std::trunc(now));
}
