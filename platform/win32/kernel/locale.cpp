// GetLocaleInfoA's time settings, taken from the host's LC_TIME locale: the
// C library's time format (T_FMT) says the separator, the 12/24-hour choice
// and the hour's leading zero; AM_STR and PM_STR are the day-half texts.
#include <langinfo.h>
#include <locale.h>

#include <cstring>
#include <string>

#include <codepage/cp1252.h>
#include <win32/kernel32.h>

namespace {

struct TimeSettings {
  std::string separator = ":";
  bool twentyFour = true;
  bool leadingZero = true;
  std::string am = "AM", pm = "PM";
  std::string format = "HH:mm:ss";
};

// The locale's text in the program's code page.
std::string Ansi(const char* text, bool utf8) {
  if (!text) return {};
  return utf8 ? cp1252::Utf8ToAnsi(text, cp1252::BadUtf8::Question) : std::string(text);
}

// Turns a strftime time format into the Windows picture ("%I:%M:%S %p" is
// "hh:mm:ss tt") and reads the settings off it.
void ReadFormat(const std::string& fmt, const std::string& ampm, TimeSettings& out) {
  std::string picture, separator;
  bool afterHour = false, hourSeen = false;
  for (std::size_t i = 0; i < fmt.size(); ++i) {
    if (fmt[i] != '%' || i + 1 == fmt.size()) {
      if (afterHour) separator += fmt[i];
      picture += fmt[i];
      continue;
    }
    const char c = fmt[++i];
    switch (c) {
      case 'T': ReadFormat("%H:%M:%S", ampm, out); return;
      case 'R': ReadFormat("%H:%M", ampm, out); return;
      case 'r': ReadFormat(ampm.empty() ? "%I:%M:%S %p" : ampm, "", out); return;
      case 'H': case 'k': case 'I': case 'l':
        if (!hourSeen) {
          out.twentyFour = c == 'H' || c == 'k';
          out.leadingZero = c == 'H' || c == 'I';
          hourSeen = afterHour = true;
        }
        picture += out.twentyFour ? (out.leadingZero ? "HH" : "H") : (out.leadingZero ? "hh" : "h");
        continue;
      case 'M': picture += "mm"; break;
      case 'S': picture += "ss"; break;
      case 'p': case 'P': picture += "tt"; break;
      case '%': picture += '%'; break;
      default: break;  // fields of no time picture (a zone, say) are left out
    }
    afterHour = false;
  }
  if (!separator.empty()) out.separator = separator;
  out.format = picture;
}

TimeSettings HostTimeSettings() {
  TimeSettings s;
  locale_t loc = newlocale(LC_TIME_MASK, "", static_cast<locale_t>(0));
  if (!loc) loc = newlocale(LC_TIME_MASK, "C", static_cast<locale_t>(0));
  if (!loc) return s;
  const bool utf8 = std::strcmp(nl_langinfo_l(CODESET, loc), "UTF-8") == 0;
  ReadFormat(Ansi(nl_langinfo_l(T_FMT, loc), utf8), Ansi(nl_langinfo_l(T_FMT_AMPM, loc), utf8), s);
  s.am = Ansi(nl_langinfo_l(AM_STR, loc), utf8);
  s.pm = Ansi(nl_langinfo_l(PM_STR, loc), utf8);
  freelocale(loc);
  return s;
}

bool Lookup(LCTYPE type, std::string& value) {
  const TimeSettings s = HostTimeSettings();
  switch (type) {
    case LOCALE_STIME: value = s.separator; return true;
    case LOCALE_ITIME: value = s.twentyFour ? "1" : "0"; return true;
    case LOCALE_ITLZERO: value = s.leadingZero ? "1" : "0"; return true;
    case LOCALE_S1159: value = s.am; return true;
    case LOCALE_S2359: value = s.pm; return true;
    case LOCALE_STIMEFORMAT: value = s.format; return true;
    default: return false;
  }
}

}  // namespace

int WINAPI GetLocaleInfoA(LCID, LCTYPE type, LPSTR data, int size) {
  if (size < 0 || (size > 0 && !data)) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return 0;
  }
  std::string value;
  if (!Lookup(type & ~LOCALE_NOUSEROVERRIDE, value)) {
    SetLastError(ERROR_INVALID_FLAGS);
    return 0;
  }
  const int needed = static_cast<int>(value.size()) + 1;
  if (size == 0) return needed;
  if (size < needed) {
    SetLastError(ERROR_INSUFFICIENT_BUFFER);
    return 0;
  }
  std::memcpy(data, value.c_str(), static_cast<std::size_t>(needed));
  return needed;
}
