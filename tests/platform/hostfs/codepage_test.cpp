#include <gtest/gtest.h>

#include "hostfs/codepage.h"

namespace {

// The conversions themselves are tested with the code page library; this
// checks that hostfs still offers them to its callers.
TEST(Codepage, TheConversionsAreStillHostfsNames) {
  EXPECT_EQ(hostfs::Utf8ToAnsi(hostfs::AnsiToUtf8("\xC9t\xE9 \x80")), "\xC9t\xE9 \x80");
  EXPECT_EQ(hostfs::Utf8ToAnsi("\xE9t\xC3"), "\xE9t\xC3");  // names that are not UTF-8 stay stable
}

TEST(Codepage, CaseFoldingCoversTheAccentedLetters) {
  EXPECT_TRUE(hostfs::EqualNoCase("MISSION.LST", "mission.lst"));
  EXPECT_TRUE(hostfs::EqualNoCase("\xC9T\xC9 \x8A\x8C\x8E\x9F", "\xE9t\xE9 \x9A\x9C\x9E\xFF"));
  EXPECT_FALSE(hostfs::EqualNoCase("\xD7", "\xF7"));  // multiplication and division signs
  EXPECT_FALSE(hostfs::EqualNoCase("[", "{"));
  EXPECT_FALSE(hostfs::EqualNoCase("mission", "mission.lst"));
}

}  // namespace
