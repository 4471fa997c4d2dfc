#include <gtest/gtest.h>

#include <codepage/cp1252.h>

#include <string>

namespace {

using cp1252::BadUtf8;

TEST(Cp1252, EveryByteSurvivesTheTripThroughUtf8) {
  for (int b = 0; b < 256; ++b) {
    SCOPED_TRACE(b);
    const std::string ansi(1, static_cast<char>(b));
    EXPECT_EQ(cp1252::Utf8ToAnsi(cp1252::AnsiToUtf8(ansi)), ansi);
    EXPECT_EQ(cp1252::Utf8ToAnsi(cp1252::AnsiToUtf8(ansi), BadUtf8::Question), ansi);
    EXPECT_EQ(cp1252::UnicodeToAnsi(cp1252::AnsiToUnicode(static_cast<unsigned char>(b))), ansi[0]);
  }
}

TEST(Cp1252, TheSpecialRangeAndCharactersOutsideTheCodePage) {
  EXPECT_EQ(cp1252::AnsiToUtf8("\x80\x99\xE9"), "\xE2\x82\xAC\xE2\x84\xA2\xC3\xA9");  // euro, TM, e acute
  // The undefined bytes are the control characters of the same number.
  EXPECT_EQ(cp1252::AnsiToUtf8("\x81\x8D\x8F\x90\x9D"), "\xC2\x81\xC2\x8D\xC2\x8F\xC2\x90\xC2\x9D");
  EXPECT_EQ(cp1252::AnsiToUnicode(0x9F), U'\u0178');
  EXPECT_EQ(cp1252::UnicodeToAnsi(U'\u4E2D'), '?');
  EXPECT_EQ(cp1252::UnicodeToAnsi(U'\u0080'), '?');  // Latin-1's control, not the euro's byte
  EXPECT_EQ(cp1252::UnicodeToAnsi(U'\u0100'), '?');
}

TEST(Cp1252, CharactersAboveTheBasicPlaneAreOneQuestionMarkEach) {
  for (BadUtf8 bad : {BadUtf8::KeepByte, BadUtf8::Question}) {
    EXPECT_EQ(cp1252::Utf8ToAnsi("a\xE4\xB8\xAD" "b\xF0\x9F\x98\x80" "c", bad), "a?b?c");
    EXPECT_EQ(cp1252::Utf8ToAnsi("\xF0\x9F\x98\x80\xF4\x8F\xBF\xBF", bad), "??");  // U+1F600, U+10FFFF
  }
}

TEST(Cp1252, BytesThatAreNotUtf8StandForThemselvesOrBecomeQuestionMarks) {
  struct Case {
    const char* utf8;
    const char* kept;
    const char* replaced;
  };
  const Case cases[] = {
      {"\xE9t\xC3", "\xE9t\xC3", "?t?"},        // Latin-1 text, then a cut-short sequence
      {"a\x80z", "a\x80z", "a?z"},              // a stray continuation byte
      {"\xC0\xAF", "\xC0\xAF", "??"},           // an overlong '/' is not a '/'
      {"\xED\xA0\x80", "\xED\xA0\x80", "???"},  // nor is a lone surrogate
      {"\xF4\x90\x80\x80", "\xF4\x90\x80\x80", "????"},  // above U+10FFFF
      {"\xF8\x88\x80\x80\x80", "\xF8\x88\x80\x80\x80", "?????"},
      {"\xF0\x9F\x98x", "\xF0\x9F\x98x", "???x"},  // a four-byte sequence cut short
      {"\xE2\x82\xAC\xE2\x82", "\x80\xE2\x82", "\x80??"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.utf8);
    EXPECT_EQ(cp1252::Utf8ToAnsi(c.utf8), c.kept);
    EXPECT_EQ(cp1252::Utf8ToAnsi(c.utf8, BadUtf8::Question), c.replaced);
  }
}

TEST(Cp1252, DecodeReportsTheLengthAtAnyPositionAndStopsAtTheEnd) {
  const std::string s = "A\xC3\xA9\xE2\x82\xAC\xF0\x9F\x98\x80";
  char32_t c = 0;
  EXPECT_EQ(cp1252::DecodeUtf8(s, 0, c), 1u);
  EXPECT_EQ(c, U'A');
  EXPECT_EQ(cp1252::DecodeUtf8(s, 1, c), 2u);
  EXPECT_EQ(c, U'\u00E9');
  EXPECT_EQ(cp1252::DecodeUtf8(s, 3, c), 3u);
  EXPECT_EQ(c, U'\u20AC');
  EXPECT_EQ(cp1252::DecodeUtf8(s, 6, c), 4u);
  EXPECT_EQ(c, U'\U0001F600');
  c = U'x';
  EXPECT_EQ(cp1252::DecodeUtf8(s, 2, c), 0u);  // inside a sequence
  EXPECT_EQ(cp1252::DecodeUtf8(s, s.size(), c), 0u);
  EXPECT_EQ(cp1252::DecodeUtf8(std::string_view(s).substr(0, 9), 6, c), 0u);  // cut by the view
  EXPECT_EQ(c, U'x');  // left alone on failure
}

TEST(Cp1252, EncodingTheBoundariesOfEachLengthDecodesBack) {
  for (char32_t v : {U'\0', U'\x7F', U'\x80', U'\u07FF', U'\u0800', U'\uFFFF', U'\U00010000', U'\U0010FFFF'}) {
    SCOPED_TRACE(static_cast<unsigned>(v));
    std::string out;
    cp1252::AppendUtf8(out, v);
    char32_t back = 0;
    EXPECT_EQ(cp1252::DecodeUtf8(out, 0, back), out.size());
    EXPECT_EQ(back, v);
  }
  std::string bad;
  cp1252::AppendUtf8(bad, 0xD800);
  cp1252::AppendUtf8(bad, 0x110000);
  EXPECT_EQ(bad, "\xEF\xBF\xBD\xEF\xBF\xBD");
}

}  // namespace
