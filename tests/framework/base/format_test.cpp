#include "framework/format.h"

#include <gtest/gtest.h>

#include "framework/exceptions.h"

namespace {

TEST(FormatIntegers, DecimalHexPrecisionAndWidth) {
  EXPECT_EQ(Format("I/O error %d", 1117), "I/O error 1117");
  EXPECT_EQ(Format("Unrecognized extension block: %.2x", 0xFE), "Unrecognized extension block: FE");
  EXPECT_EQ(Format("%.2x|%x|%X", 7, 255, 0xabc), "07|FF|ABC");
  EXPECT_EQ(Format("%.3d", -5), "-005");
  EXPECT_EQ(Format("[%5d][%-5d]", 42, 42), "[   42][42   ]");
  EXPECT_EQ(Format("%x %u", -1, -1), "FFFFFFFF 4294967295");
  EXPECT_EQ(Format("%d", std::int64_t{-9223372036854775807} - 1), "-9223372036854775808");
  EXPECT_EQ(Format("%d", 4000000000u), "4000000000");
  EXPECT_EQ(Format("%*d|%.*d", 4, 7, 3, 7), "   7|007");
}

TEST(FormatStrings, StringsIndexesAndPercent) {
  EXPECT_EQ(Format("Cannot create file %s", std::string("C:\\x.lst")), "Cannot create file C:\\x.lst");
  EXPECT_EQ(Format("'%s' is not a valid integer value", "abc"), "'abc' is not a valid integer value");
  EXPECT_EQ(Format("%.3s|%-4s|%4s", "abcdef", "ab", "ab"), "abc|ab  |  ab");
  EXPECT_EQ(Format("%1:s %0:s %s", "a", "b", "c"), "b a b");
  EXPECT_EQ(Format("100%% %s", 'x'), "100% x");
  EXPECT_EQ(Format("no specifiers"), "no specifiers");
}

TEST(FormatFloats, FixedRoundsHalvesAwayFromZero) {
  EXPECT_EQ(Format("%.2f", 0.125), "0.13");
  EXPECT_EQ(Format("%.2f", 2.675), "2.67");  // 2.67499999... in binary
  EXPECT_EQ(Format("%f", 3.0), "3.00");
  EXPECT_EQ(Format("%.0f", -2.5), "-3");
  EXPECT_EQ(Format("%.1f", -0.04), "0.0");  // no negative zero
  EXPECT_EQ(Format("%.2f", 999.999), "1000.00");
  EXPECT_EQ(Format("%n", 1234567.891), "1,234,567.89");
  EXPECT_EQ(Format("%e", 1000.0), "1.00000000000000E+003");
  EXPECT_EQ(Format("%.3e", -0.00123), "-1.23E-003");
  EXPECT_EQ(Format("%g|%g", 0.5, 1e20), "0.5|1E20");
  EXPECT_EQ(FloatToStr(1.25), "1.25");
}

TEST(FormatFloats, SeparatorsFollowTheLocale) {
  char decimal = DecimalSeparator, thousand = ThousandSeparator;
  DecimalSeparator = ',';
  ThousandSeparator = '.';
  EXPECT_EQ(Format("%.2f|%n", 1.5, 12345.0), "1,50|12.345,00");
  DecimalSeparator = decimal;
  ThousandSeparator = thousand;
}

TEST(FormatErrors, MissingOrMismatchedArgumentsRaiseConvertError) {
  try {
    Format("%d and %d", 1);
    FAIL();
  } catch (const EConvertError& e) {
    EXPECT_EQ(e.Message(), "No argument for format '%d and %d'");
  }
  try {
    Format("%d", "text");
    FAIL();
  } catch (const EConvertError& e) {
    EXPECT_EQ(e.Message(), "Format '%d' invalid or incompatible with argument");
  }
  EXPECT_THROW(Format("%s", 5), EConvertError);
  EXPECT_THROW(Format("%f", 5), EConvertError);
  EXPECT_THROW(Format("%q", 5), EConvertError);
  EXPECT_THROW(Format("trailing %", 5), EConvertError);
}

}  // namespace
