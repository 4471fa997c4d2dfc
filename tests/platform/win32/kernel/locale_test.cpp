// GetLocaleInfoA's time settings from the LC_TIME locale of the environment.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <optional>
#include <string>

#include <win32/kernel32.h>

#include "temp_dir.h"

namespace {

// Sets an environment variable for one test and puts the old value back.
class EnvVar {
 public:
  EnvVar(const char* name, const std::string& value) : name_(name) {
    if (const char* old = std::getenv(name)) old_ = old;
    setenv(name, value.c_str(), 1);
  }
  ~EnvVar() {
    if (old_)
      setenv(name_, old_->c_str(), 1);
    else
      unsetenv(name_);
  }

 private:
  const char* name_;
  std::optional<std::string> old_;
};

std::string Info(LCTYPE type) {
  char buffer[80] = {};
  const int n = GetLocaleInfoA(LOCALE_USER_DEFAULT, type, buffer, sizeof buffer);
  EXPECT_GT(n, 0) << "type " << type;
  EXPECT_EQ(static_cast<std::size_t>(n), std::string(buffer).size() + 1);
  return buffer;
}

// A locale of our own with a 12-hour clock, "." between the fields and
// Dutch day-half texts, compiled into `dir`; false when the host lacks the
// locale compiler or its sources.
bool MakeTwelveHourLocale(const std::filesystem::path& dir) {
  testsupport::WriteFile(dir / "src", R"(LC_CTYPE
copy "POSIX"
END LC_CTYPE
LC_TIME
abday "Sun";"Mon";"Tue";"Wed";"Thu";"Fri";"Sat"
day "Sunday";"Monday";"Tuesday";"Wednesday";"Thursday";"Friday";"Saturday"
abmon "Jan";"Feb";"Mar";"Apr";"May";"Jun";"Jul";"Aug";"Sep";"Oct";"Nov";"Dec"
mon "January";"February";"March";"April";"May";"June";"July";"August";"September";"October";"November";"December"
d_t_fmt "%a %d %b %Y %r"
d_fmt "%d/%m/%Y"
t_fmt "%l.%M.%S %p"
am_pm "vm.";"nm."
t_fmt_ampm "%l.%M.%S %p"
END LC_TIME
)");
  const std::string command = "localedef -c -i '" + (dir / "src").string() + "' -f ANSI_X3.4-1968 '" +
                              (dir / "xx_XX").string() + "' >/dev/null 2>&1";
  (void)std::system(command.c_str());
  return std::filesystem::exists(dir / "xx_XX" / "LC_TIME");
}

TEST(LocaleInfo, TheCLocaleKeepsATwentyFourHourClock) {
  EnvVar all("LC_ALL", "C");
  EXPECT_EQ(Info(LOCALE_STIME), ":");
  EXPECT_EQ(Info(LOCALE_ITIME), "1");
  EXPECT_EQ(Info(LOCALE_ITLZERO), "1");
  EXPECT_EQ(Info(LOCALE_S1159), "AM");
  EXPECT_EQ(Info(LOCALE_S2359), "PM");
  EXPECT_EQ(Info(LOCALE_STIMEFORMAT), "HH:mm:ss");
  EXPECT_EQ(Info(LOCALE_STIME | LOCALE_NOUSEROVERRIDE), ":");
}

TEST(LocaleInfo, AMissingLocaleReadsAsTheCLocale) {
  EnvVar all("LC_ALL", "no_SUCH.locale");
  EXPECT_EQ(Info(LOCALE_STIMEFORMAT), "HH:mm:ss");
  EXPECT_EQ(Info(LOCALE_S1159), "AM");
}

TEST(LocaleInfo, TheUsersTimeLocaleIsReadAtEveryCall) {
  testsupport::TempDir dir;
  if (!MakeTwelveHourLocale(dir.path())) GTEST_SKIP() << "no localedef or locale sources on this host";
  EnvVar path("LOCPATH", dir.path().string());
  {
    EnvVar all("LC_ALL", "xx_XX");
    EXPECT_EQ(Info(LOCALE_STIME), ".");
    EXPECT_EQ(Info(LOCALE_ITIME), "0");
    EXPECT_EQ(Info(LOCALE_ITLZERO), "0");
    EXPECT_EQ(Info(LOCALE_S1159), "vm.");
    EXPECT_EQ(Info(LOCALE_S2359), "nm.");
    EXPECT_EQ(Info(LOCALE_STIMEFORMAT), "h.mm.ss tt");
  }
  EnvVar all("LC_ALL", "C");
  EXPECT_EQ(Info(LOCALE_STIME), ":");
}

TEST(LocaleInfo, BuffersAreMeasuredAndNeverOverrun) {
  EnvVar all("LC_ALL", "C");
  EXPECT_EQ(GetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_STIMEFORMAT, nullptr, 0), 9);
  char small[4] = {'x', 'x', 'x', 'x'};
  SetLastError(0);
  EXPECT_EQ(GetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_STIMEFORMAT, small, 4), 0);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INSUFFICIENT_BUFFER));
  EXPECT_EQ(std::string(small, 4), "xxxx");
  char exact[3] = {};
  EXPECT_EQ(GetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_S1159, exact, 3), 3);
  EXPECT_STREQ(exact, "AM");
  EXPECT_EQ(GetLocaleInfoA(LOCALE_USER_DEFAULT, 0x7777, exact, 3), 0);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_FLAGS));
  EXPECT_EQ(GetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_STIME, nullptr, 5), 0);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
}

}  // namespace
