#include <gtest/gtest.h>

#include "hostfs/codepage.h"

namespace {

TEST(Codepage, EveryByteSurvivesTheTripThroughUtf8) {
  for (int b = 0; b < 256; ++b) {
    SCOPED_TRACE(b);
    const std::string ansi(1, static_cast<char>(b));
    EXPECT_EQ(hostfs::Utf8ToAnsi(hostfs::AnsiToUtf8(ansi)), ansi);
    EXPECT_EQ(hostfs::UnicodeToAnsi(hostfs::AnsiToUnicode(static_cast<unsigned char>(b))), ansi[0]);
  }
}

TEST(Codepage, TheSpecialRangeAndCharactersOutsideTheCodePage) {
  EXPECT_EQ(hostfs::AnsiToUtf8("\x80\x99\xE9"), "\xE2\x82\xAC\xE2\x84\xA2\xC3\xA9");  // euro, TM, e acute
  EXPECT_EQ(hostfs::UnicodeToAnsi(U'\u4E2D'), '?');
  EXPECT_EQ(hostfs::UnicodeToAnsi(U'\u0080'), '?');
  EXPECT_EQ(hostfs::Utf8ToAnsi("a\xE4\xB8\xAD" "b\xF0\x9F\x98\x80" "c"), "a?b?c");
  // Bytes that are not UTF-8 stand for themselves.
  EXPECT_EQ(hostfs::Utf8ToAnsi("\xE9t\xC3"), "\xE9t\xC3");
  EXPECT_EQ(hostfs::Utf8ToAnsi("\xC0\xAF"), "\xC0\xAF");  // an overlong '/' is not a '/'
  EXPECT_EQ(hostfs::Utf8ToAnsi("\xED\xA0\x80"), "\xED\xA0\x80");  // nor is a lone surrogate
}

TEST(Codepage, CaseFoldingCoversTheAccentedLetters) {
  EXPECT_TRUE(hostfs::EqualNoCase("MISSION.LST", "mission.lst"));
  EXPECT_TRUE(hostfs::EqualNoCase("\xC9T\xC9 \x8A\x8C\x8E\x9F", "\xE9t\xE9 \x9A\x9C\x9E\xFF"));
  EXPECT_FALSE(hostfs::EqualNoCase("\xD7", "\xF7"));  // multiplication and division signs
  EXPECT_FALSE(hostfs::EqualNoCase("[", "{"));
  EXPECT_FALSE(hostfs::EqualNoCase("mission", "mission.lst"));
}

}  // namespace
