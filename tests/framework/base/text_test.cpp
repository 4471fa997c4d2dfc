#include "framework/text.h"

#include <gtest/gtest.h>

#include "framework/exceptions.h"
#include "framework/rounding.h"

namespace {

TEST(TextNumbers, IntToStrAndHex) {
  EXPECT_EQ(IntToStr(0), "0");
  EXPECT_EQ(IntToStr(-2147483648LL), "-2147483648");
  EXPECT_EQ(IntToHex(255, 4), "00FF");
  EXPECT_EQ(IntToHex(0x1FFFFFFF, 2), "1FFFFFFF");
}

TEST(TextNumbers, StrToIntAcceptsTheFrameworkForms) {
  EXPECT_EQ(StrToInt("42"), 42);
  EXPECT_EQ(StrToInt("  -17"), -17);
  EXPECT_EQ(StrToInt("+7"), 7);
  EXPECT_EQ(StrToInt("$FF"), 255);
  EXPECT_EQ(StrToInt("0x1f"), 31);
  EXPECT_EQ(StrToInt("-2147483648"), -2147483647 - 1);
  EXPECT_EQ(StrToInt("2147483647"), 2147483647);
  EXPECT_EQ(StrToInt64("9223372036854775807"), 9223372036854775807LL);
  EXPECT_EQ(StrToIntDef("x", -1), -1);
}

TEST(TextNumbers, StrToIntRejectsEverythingElse) {
  for (const char* bad : {"", " ", "12a", "42 ", "2147483648", "-2147483649", "--1", "$", "1.0", "0x"}) {
    int value = 0;
    EXPECT_FALSE(TryStrToInt(bad, value)) << bad;
  }
  try {
    StrToInt("[Rebel Missions]");
    FAIL();
  } catch (const EConvertError& e) {
    EXPECT_EQ(e.Message(), "'[Rebel Missions]' is not a valid integer value");
  }
}

TEST(TextCase, PlainFunctionsTouchOnlyAsciiLetters) {
  EXPECT_EQ(UpperCase("Open \xe9t\xe9"), "OPEN \xe9T\xe9");
  EXPECT_EQ(AnsiUpperCase("Open \xe9t\xe9 \xff"), "OPEN \xc9T\xc9 \x9f");
  EXPECT_EQ(LowerCase("ABC\xc9"), "abc\xc9");
  EXPECT_EQ(AnsiLowerCase("ABC\xc9\xd7\x8a"), "abc\xe9\xd7\x9a");  // the multiplication sign stays
}

TEST(TextCase, ComparisonsAndTrim) {
  EXPECT_EQ(CompareText("Alpha", "ALPHA"), 0);
  EXPECT_LT(CompareText("alpha", "Beta"), 0);
  EXPECT_LT(CompareStr("B", "a"), 0);
  EXPECT_TRUE(AnsiSameText("\xc9t\xc9", "\xe9T\xe9"));
  EXPECT_FALSE(SameText("\xc9", "\xe9"));
  EXPECT_LT(AnsiCompareText("ab", "abc"), 0);
  EXPECT_LT(AnsiCompareText("_x", "ax"), 0);
  EXPECT_EQ(Trim(" \t mission \r\n"), "mission");
  EXPECT_EQ(TrimLeft("  a "), "a ");
  EXPECT_EQ(TrimRight("  a "), "  a");
  EXPECT_EQ(Trim("   "), "");
}

TEST(TextQuoting, QuoteAndExtract) {
  EXPECT_EQ(QuotedStr("it's"), "'it''s'");
  std::size_t pos = 0;
  std::string source = "\"a \"\"b\"\"\",rest";
  EXPECT_EQ(AnsiExtractQuotedStr(source, pos, '"'), "a \"b\"");
  EXPECT_EQ(source.substr(pos), ",rest");
  EXPECT_TRUE(IsValidIdent("RxLabel3"));
  EXPECT_TRUE(IsValidIdent("_N1"));
  EXPECT_FALSE(IsValidIdent("3D"));
  EXPECT_FALSE(IsValidIdent("Label 1"));
}

TEST(Rounding, HalvesGoToTheEvenNeighbour) {
  EXPECT_EQ(Round(0.5), 0);
  EXPECT_EQ(Round(1.5), 2);
  EXPECT_EQ(Round(2.5), 2);
  EXPECT_EQ(Round(-0.5), 0);
  EXPECT_EQ(Round(-1.5), -2);
  EXPECT_EQ(Round(-2.5), -2);
  EXPECT_EQ(Round(2.5000000001), 3);
  EXPECT_EQ(Round(0.49999999999999994), 0);
  EXPECT_EQ(Round(-2.6), -3);
  EXPECT_EQ(Round(4503599627370497.0), 4503599627370497LL);  // beyond the fraction bits
  EXPECT_EQ(Trunc(-1.7), -1);
  EXPECT_DOUBLE_EQ(Frac(-1.25), -0.25);
  EXPECT_THROW(Round(1e300), EInvalidOp);
}

}  // namespace
