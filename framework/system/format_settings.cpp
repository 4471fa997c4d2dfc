#include "framework/format_settings.h"

#include <string>

#include <win32/kernel32.h>

#include "framework/datetime.h"

namespace {

// The value, or `fallback` when the locale has none.
std::string LocaleText(LCTYPE type, const std::string& fallback) {
  char buffer[80];
  if (GetLocaleInfoA(LOCALE_USER_DEFAULT, type, buffer, sizeof buffer) == 0) return fallback;
  return buffer;
}

}  // namespace

void GetFormatSettings() {
  const std::string separator = LocaleText(LOCALE_STIME, ":");
  TimeSeparator = separator.empty() ? ':' : separator[0];
  TimeAMString = LocaleText(LOCALE_S1159, "AM");
  TimePMString = LocaleText(LOCALE_S2359, "PM");
}
