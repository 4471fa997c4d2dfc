#include "catalogue/list_reader.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace catalogue {
namespace {

std::vector<std::string> Lines(std::string_view text) {
  std::vector<std::string> lines;
  LineReader reader(text);
  while (!reader.AtEnd()) lines.emplace_back(reader.ReadLine());
  return lines;
}

using V = std::vector<std::string>;

TEST(LineReader, CrLfAndLoneCrEndLinesAlike) {
  EXPECT_EQ(Lines("//\r\n[A]\r\n//\r\n"), (V{"//", "[A]", "//"}));
  EXPECT_EQ(Lines("//\r[A]\r//\r"), (V{"//", "[A]", "//"}));
  EXPECT_EQ(Lines("a\r\r\nb"), (V{"a", "", "b"}));
}

TEST(LineReader, LoneLineFeedStaysInTheLine) {
  EXPECT_EQ(Lines("1\nx.tie\nTitle\n"), (V{"1\nx.tie\nTitle\n"}));
  EXPECT_EQ(Lines("a\n\r\nb"), (V{"a\n", "b"}));
}

TEST(LineReader, LastLineWithoutEndAndEmptyText) {
  EXPECT_EQ(Lines("a\r\nb"), (V{"a", "b"}));
  EXPECT_TRUE(Lines("").empty());
  EXPECT_EQ(Lines("\r\n"), (V{""}));
}

TEST(LineReader, CtrlZEndsTheText) {
  EXPECT_EQ(Lines("a\r\nb\x1a" "c\r\nd\r\n"), (V{"a", "b"}));
  EXPECT_TRUE(Lines("\x1a" "a\r\n").empty());
}

TEST(LineReader, ReadsEmptyLinesPastTheEnd) {
  LineReader reader("a");
  EXPECT_EQ(reader.ReadLine(), "a");
  EXPECT_TRUE(reader.AtEnd());
  EXPECT_EQ(reader.ReadLine(), "");
}

TEST(LineReader, LongLinesAreWhole) {
  std::string longLine(100000, 'x');
  EXPECT_EQ(Lines(longLine + "\r\nb"), (V{longLine, "b"}));
}

TEST(NumberRule, AcceptedForms) {
  EXPECT_EQ(ParseNumber("12"), 12);
  EXPECT_EQ(ParseNumber("+12"), 12);
  EXPECT_EQ(ParseNumber("  12"), 12);
  EXPECT_EQ(ParseNumber("-1"), -1);
  EXPECT_EQ(ParseNumber("007"), 7);
  EXPECT_EQ(ParseNumber("$1F"), 31);
  EXPECT_EQ(ParseNumber("$1f"), 31);
  EXPECT_EQ(ParseNumber(" $FFFFFFFF"), -1);
  EXPECT_EQ(ParseNumber("$80000000"), INT32_MIN);
  EXPECT_EQ(ParseNumber("$000000001"), 1);
  EXPECT_EQ(ParseNumber("2147483647"), INT32_MAX);
  EXPECT_EQ(ParseNumber("-2147483648"), INT32_MIN);
}

TEST(NumberRule, RejectedForms) {
  for (const char* bad : {"", " ", "12 ", "-", "+", "$", "1 2", "12a", "\t12", "0x1F", "-$1F", "$1G",
                          "2147483648", "-2147483649", "$100000000", "99999999999999999999", "1\n"}) {
    EXPECT_EQ(ParseNumber(bad), std::nullopt) << "'" << bad << "'";
  }
}

TEST(NumberRule, ErrorTextQuotesTheLine) {
  try {
    ReadNumber("12 ");
    FAIL();
  } catch (const ConvertError& e) {
    EXPECT_STREQ(e.what(), "'12 ' is not a valid integer value");
  }
  const std::string eighty(80, '7');
  EXPECT_THROW(ReadNumber(eighty), ConvertError);
  for (const auto& [line, quoted] : {std::pair{eighty + "x", std::string(77, '7') + "..."}, std::pair{eighty, eighty},
                                     std::pair{std::string(4'000'000, 'y'), std::string(77, 'y') + "..."}}) {
    try {
      ReadNumber(line);
    } catch (const ConvertError& e) {
      EXPECT_EQ(e.what(), "'" + quoted + "' is not a valid integer value");
    }
  }
}

struct Recorder : GroupVisitor {
  std::vector<std::string> events;
  void OnGroupLine(std::string_view line) override { events.push_back("line " + std::string(line)); }
  void OnSection(std::string_view header) override { events.push_back("section " + std::string(header)); }
  void OnMission(std::int32_t n, std::string_view file, std::string_view title) override {
    events.push_back("mission " + std::to_string(n) + " " + std::string(file) + " " + std::string(title));
  }
};

V Walk(std::string_view text) {
  Recorder r;
  WalkGroups(text, r);
  return r.events;
}

TEST(GroupWalk, SectionsAndMissionsInOrder) {
  EXPECT_EQ(Walk("//\r\n[Rebel Missions]\r\n//\r\n1\r\nfirst.tie\r\nFirst Mission\r\n2\r\nsecond.tie\r\nSecond"),
            (V{"line //", "section [Rebel Missions]", "line 1", "mission 1 first.tie First Mission", "line 2",
               "mission 2 second.tie Second"}));
}

TEST(GroupWalk, LineAfterHeaderIsSkippedUnchecked) {
  EXPECT_EQ(Walk("//\r[A]\rnot a separator\r3\ra.tie\rA\r"),
            (V{"line //", "section [A]", "line 3", "mission 3 a.tie A"}));
}

TEST(GroupWalk, NegativeNumberIsSkippedOnItsOwn) {
  EXPECT_EQ(Walk("-1\r5\rb.tie\rB\r"), (V{"line -1", "line 5", "mission 5 b.tie B"}));
}

TEST(GroupWalk, GroupCutShortReadsEmptyLines) {
  EXPECT_EQ(Walk("4\rd.tie"), (V{"line 4", "mission 4 d.tie "}));
  EXPECT_EQ(Walk("//"), (V{"line //", "section "}));
}

TEST(GroupWalk, BadNumberStopsWithNothingAfterIt) {
  Recorder r;
  try {
    WalkGroups("1\ra.tie\rA\r12 \r2\rb.tie\rB\r", r);
    FAIL();
  } catch (const ConvertError& e) {
    EXPECT_STREQ(e.what(), "'12 ' is not a valid integer value");
  }
  EXPECT_EQ(r.events, (V{"line 1", "mission 1 a.tie A", "line 12 "}));
}

TEST(GroupWalk, LineFeedOnlyFileIsOneBadNumberLine) {
  EXPECT_THROW(Walk("//\n[A]\n//\n1\na.tie\nA\n"), ConvertError);
}

TEST(HighestNumber, FromUnorderedNumbersOrZero) {
  EXPECT_EQ(HighestMissionNumber(""), 0);
  EXPECT_EQ(HighestMissionNumber("//\r[A]\r//\r"), 0);
  EXPECT_EQ(HighestMissionNumber("7\ra\rA\r41\rb\rB\r3\rc\rC\r-50\r"), 41);
  EXPECT_EQ(HighestMissionNumber("$2A\ra\rA\r"), 42);
}

TEST(Headers, EveryBracketLineWhereverItStands) {
  EXPECT_EQ(SectionHeaders("//\r\n[A]\r\n//\r\n1\r\na.tie\r\n[Title like a header]\r\n\r\n//\r\n[A]\r\n//\r\n"),
            (V{"[A]", "[Title like a header]", "[A]"}));
  EXPECT_TRUE(SectionHeaders("\r\n \r\n").empty());
}

TEST(Headers, SectionMatchIsExact) {
  std::string text = "//\r\n[Rebel Missions]\r\n//\r\n";
  EXPECT_TRUE(HasSection(text, "[Rebel Missions]"));
  EXPECT_FALSE(HasSection(text, "[rebel missions]"));
  EXPECT_FALSE(HasSection(text, "[Rebel Missions] "));
  EXPECT_FALSE(HasSection("//\r\n [Rebel Missions]\r\n", "[Rebel Missions]"));
}

TEST(JoinLines, EveryLineEndsInCrLf) {
  EXPECT_EQ(JoinLines({"a", "", "b\nc"}), "a\r\n\r\nb\nc\r\n");
  EXPECT_EQ(JoinLines({}), "");
}

}  // namespace
}  // namespace catalogue
