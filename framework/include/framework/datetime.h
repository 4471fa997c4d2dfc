// Dates and times as the framework keeps them: a TDateTime counts days since
// 1899-12-30, the fraction being the time of day. Before that date the
// whole part counts back while the fraction still runs forward (-1.25 is
// 1899-12-29 06:00).
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

using TDateTime = double;

inline constexpr int HoursPerDay = 24;
inline constexpr int MinsPerDay = 24 * 60;
inline constexpr int SecsPerDay = 24 * 60 * 60;
inline constexpr int MSecsPerDay = SecsPerDay * 1000;

// The locale: separators, the AM/PM texts and the formats that "t", "tt",
// "ddddd", "dddddd" and "c" stand for (United States English by default).
inline char DateSeparator = '/';
inline char TimeSeparator = ':';
inline std::string TimeAMString = "AM";
inline std::string TimePMString = "PM";
inline std::string ShortDateFormat = "m/d/yyyy";
inline std::string LongDateFormat = "dddd, mmmm dd, yyyy";
inline std::string ShortTimeFormat = "h:mm AMPM";
inline std::string LongTimeFormat = "h:mm:ss AMPM";
extern std::string ShortMonthNames[12];
extern std::string LongMonthNames[12];
extern std::string ShortDayNames[7];  // Sunday first
extern std::string LongDayNames[7];

bool IsLeapYear(int year);
int DaysInMonth(int year, int month);

// Year 1..9999, month 1..12, day within the month; otherwise EConvertError
// "Invalid argument to date encode".
TDateTime EncodeDate(std::uint16_t year, std::uint16_t month, std::uint16_t day);
bool TryEncodeDate(std::uint16_t year, std::uint16_t month, std::uint16_t day, TDateTime& result);
void DecodeDate(TDateTime value, std::uint16_t& year, std::uint16_t& month, std::uint16_t& day);
// Hour < 24, minute < 60, second < 60, ms < 1000; otherwise EConvertError
// "Invalid argument to time encode".
TDateTime EncodeTime(std::uint16_t hour, std::uint16_t minute, std::uint16_t second, std::uint16_t ms);
bool TryEncodeTime(std::uint16_t hour, std::uint16_t minute, std::uint16_t second, std::uint16_t ms,
                   TDateTime& result);
// The time of day, rounded to the millisecond.
void DecodeTime(TDateTime value, std::uint16_t& hour, std::uint16_t& minute, std::uint16_t& second,
                std::uint16_t& ms);
// 1 = Sunday .. 7 = Saturday.
int DayOfWeek(TDateTime value);

// The local date and time, from the current time source.
TDateTime Now();
TDateTime Date();  // Now() without the time of day
TDateTime Time();  // Now() without the date

// Where Now() reads the clock: the host's local time unless replaced (tests
// and the headless backend install a virtual clock). Setting an empty
// function restores the host clock; the previous source is returned.
using TTimeSource = std::function<TDateTime()>;
TTimeSource SetTimeSource(TTimeSource source);
TDateTime HostNow();

// Formats with the patterns y yy yyyy, m mm mmm mmmm, d dd ddd dddd ddddd
// dddddd, h hh, n nn, s ss, z zzz, t tt, c, am/pm a/p ampm, "/" and ":"
// (the locale's separators) and quoted literals. An "m" right after an hour
// is the minute; an hour is shown 12-hour when an AM/PM marker follows it.
std::string FormatDateTime(std::string_view format, TDateTime value);
std::string DateTimeToStr(TDateTime value);
std::string DateToStr(TDateTime value);
std::string TimeToStr(TDateTime value);
