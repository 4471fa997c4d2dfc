#include <cstdint>
#include <string>

#include "framework/datetime.h"
#include "framework/text.h"

namespace {

bool StartsWithNoCase(std::string_view text, std::size_t pos, std::string_view prefix) {
  return text.size() - pos >= prefix.size() && SameText(text.substr(pos, prefix.size()), prefix);
}

class DateTimeFormatter {
 public:
  explicit DateTimeFormatter(TDateTime value) : value_(value) {
    DecodeDate(value, year_, month_, day_);
    DecodeTime(value, hour_, minute_, second_, ms_);
  }
  void Append(std::string_view format);
  std::string Result() const { return out_; }

 private:
  void Number(int value, int digits) {
    std::string text = std::to_string(value);
    if (static_cast<int>(text.size()) < digits) text.insert(0, digits - text.size(), '0');
    out_ += text;
  }
  // Run length of format[pos - 1] (exact character) starting there.
  static int Count(std::string_view format, std::size_t& pos) {
    char starter = format[pos - 1];
    int count = 1;
    while (pos < format.size() && format[pos] == starter) ++pos, ++count;
    return count;
  }
  static bool TwelveHourAhead(std::string_view format, std::size_t pos);
  bool Hour(std::string_view format, std::size_t& pos, bool twelveHour);
  bool AmPm(std::string_view format, std::size_t& pos);
  void Token(char token, std::string_view format, std::size_t& pos, bool& twelveHour);

  TDateTime value_;
  std::uint16_t year_, month_, day_, hour_, minute_, second_, ms_;
  int level_ = 0;
  std::string out_;
};

// An hour is shown 12-hour when the first "a" ahead of it (outside quotes,
// before another hour) starts an AM/PM marker.
bool DateTimeFormatter::TwelveHourAhead(std::string_view format, std::size_t pos) {
  bool quoted = false;
  for (; pos < format.size(); ++pos) {
    char c = format[pos];
    if (c == '\'' || c == '"') quoted = !quoted;
    if (quoted) continue;
    if (c == 'h' || c == 'H') return false;
    if (c == 'a' || c == 'A')
      return StartsWithNoCase(format, pos, "am/pm") || StartsWithNoCase(format, pos, "a/p") ||
             StartsWithNoCase(format, pos, "ampm");
  }
  return false;
}

bool DateTimeFormatter::Hour(std::string_view format, std::size_t& pos, bool twelveHour) {
  int count = Count(format, pos);
  int h = hour_;
  if (twelveHour || TwelveHourAhead(format, pos)) {
    twelveHour = true;
    if (h == 0) h = 12;
    if (h > 12) h -= 12;
  }
  Number(h, count > 2 ? 2 : count);
  return twelveHour;
}

// "am/pm" and "a/p" keep the letter case written; "ampm" is the locale's text.
bool DateTimeFormatter::AmPm(std::string_view format, std::size_t& pos) {
  std::size_t start = pos - 1;
  bool pm = hour_ >= 12;
  if (StartsWithNoCase(format, start, "am/pm")) {
    out_ += format.substr(pm ? start + 3 : start, 2);
    pos = start + 5;
  } else if (StartsWithNoCase(format, start, "a/p")) {
    out_ += format.substr(pm ? start + 2 : start, 1);
    pos = start + 3;
  } else if (StartsWithNoCase(format, start, "ampm")) {
    out_ += pm ? TimePMString : TimeAMString;
    pos = start + 4;
  } else if (StartsWithNoCase(format, start, "aaaa")) {
    out_ += LongDayNames[DayOfWeek(value_) - 1];
    pos = start + 4;
    return false;
  } else if (StartsWithNoCase(format, start, "aaa")) {
    out_ += ShortDayNames[DayOfWeek(value_) - 1];
    pos = start + 3;
    return false;
  } else {
    out_ += format[start];
    return false;
  }
  return true;
}

void DateTimeFormatter::Token(char token, std::string_view format, std::size_t& pos, bool& twelveHour) {
  int count = 0;
  switch (token) {
    case 'Y':
      count = Count(format, pos);
      if (count <= 2) Number(year_ % 100, 2);
      else Number(year_, 4);
      break;
    case 'M':
      count = Count(format, pos);
      if (count <= 2) Number(month_, count);
      else out_ += count == 3 ? ShortMonthNames[month_ - 1] : LongMonthNames[month_ - 1];
      break;
    case 'N':  // a minute: "n", or "m" after an hour
      count = Count(format, pos);
      Number(minute_, count > 2 ? 2 : count);
      break;
    case 'D':
      count = Count(format, pos);
      if (count <= 2) Number(day_, count);
      else if (count == 3) out_ += ShortDayNames[DayOfWeek(value_) - 1];
      else if (count == 4) out_ += LongDayNames[DayOfWeek(value_) - 1];
      else Append(count == 5 ? ShortDateFormat : LongDateFormat);
      break;
    case 'H':
      twelveHour = Hour(format, pos, twelveHour);
      break;
    case 'S':
      count = Count(format, pos);
      Number(second_, count > 2 ? 2 : count);
      break;
    case 'Z':
      count = Count(format, pos);
      Number(ms_, count > 3 ? 3 : count);
      break;
    case 'T':
      count = Count(format, pos);
      Append(count == 1 ? ShortTimeFormat : LongTimeFormat);
      break;
    case 'C':
      Count(format, pos);
      Append(ShortDateFormat);
      if (hour_ != 0 || minute_ != 0 || second_ != 0) {
        out_ += ' ';
        Append(LongTimeFormat);
      }
      break;
    case 'A':
      if (AmPm(format, pos)) twelveHour = true;
      break;
    default:
      out_ += format[pos - 1];
  }
}

void DateTimeFormatter::Append(std::string_view format) {
  if (level_ >= 2) return;  // formats that name each other stop here
  ++level_;
  char lastLetter = ' ';
  bool twelveHour = false;
  std::size_t pos = 0;
  while (pos < format.size()) {
    char c = format[pos++];
    if (c == '\'' || c == '"') {
      while (pos < format.size() && format[pos] != c) out_ += format[pos++];
      if (pos < format.size()) ++pos;
      continue;
    }
    if (c == '/') {
      out_ += DateSeparator;
      continue;
    }
    if (c == ':') {
      out_ += TimeSeparator;
      continue;
    }
    char token = AnsiUpperChar(c);
    if (token >= 'A' && token <= 'Z') {
      if (token == 'M' && lastLetter == 'H') token = 'N';
      lastLetter = token;
      Token(token, format, pos, twelveHour);
    } else {
      out_ += c;
    }
  }
  --level_;
}

}  // namespace

std::string FormatDateTime(std::string_view format, TDateTime value) {
  DateTimeFormatter formatter(value);
  formatter.Append(format.empty() ? std::string_view("c") : format);
  return formatter.Result();
}

std::string DateTimeToStr(TDateTime value) { return FormatDateTime("c", value); }
std::string DateToStr(TDateTime value) { return FormatDateTime(ShortDateFormat, value); }
std::string TimeToStr(TDateTime value) { return FormatDateTime(LongTimeFormat, value); }
