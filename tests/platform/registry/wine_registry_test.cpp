#include <gtest/gtest.h>

#include <sstream>

#include "registry/registry.h"

namespace {

using registry::ParseWineRegistry;
using registry::Registry;
using registry::Value;

constexpr const char* kXvtKey = "Software\\LucasArts Entertainment Company\\X-Wing vs. TIE Fighter\\1.0\\";
constexpr const char* kBopKey = "Software\\LucasArts Entertainment Company\\X-Wing vs. TIE Fighter\\2.0\\";

// What a 64-bit prefix holds after installing both games: the 32-bit
// installers wrote below Wow6432Node, a stale entry sits at the plain path.
constexpr const char* kWin64 = R"(WINE REGISTRY Version 2
;; All keys relative to \\Machine

#arch=win64

[Software\\LucasArts Entertainment Company\\X-Wing vs. TIE Fighter\\1.0] 1700000000
#time=1da1234567890ab
"Install Path"="C:\\Stale\\XvT"

[Software\\Microsoft\\Windows\\CurrentVersion] 1700000001
#time=1da1234567890ac
"CommonFilesDir"="C:\\Program Files\\Common Files"
"ProgramFilesDir"="C:\\Program Files"

[Software\\Wow6432Node\\LucasArts Entertainment Company\\X-Wing vs. TIE Fighter\\1.0] 1700000002
#time=1da1234567890ad
"Install Path"="C:\\Games\\XvT"
"Version"=dword:0000002a

[Software\\LucasArts Entertainment Company\\X-Wing vs. TIE Fighter\\2.0] 1700000003
"Install Path"=str(2):"C:\\Games\\XvT\\BalanceOfPower"
)";

class Parsed {
 public:
  explicit Parsed(std::string_view text) : registry_(ParseWineRegistry(text, warnings_, "test.reg")) {}
  Registry& operator*() { return *registry_; }
  Registry* operator->() { return registry_.get(); }
  std::string Warnings() const { return warnings_.str(); }

  std::optional<Value> Query(const std::string& key, const std::string& name) {
    const auto handle = registry_->OpenKey(key);
    if (handle == 0) return std::nullopt;
    auto value = registry_->QueryValue(handle, name);
    registry_->CloseKey(handle);
    return value;
  }
  std::string Data(const std::string& key, const std::string& name) {
    auto value = Query(key, name);
    return value ? value->data : "<missing>";
  }

 private:
  std::ostringstream warnings_;
  std::unique_ptr<Registry> registry_;
};

std::string Reg(const std::string& body, const std::string& arch = "win32") {
  return "WINE REGISTRY Version 2\n;; All keys relative to \\\\Machine\n\n#arch=" + arch +
         "\n\n[Software\\\\Maker\\\\Game] 1700000000\n" + body;
}

TEST(WineRegistryView, Win64PrefixLooksBelowWow6432NodeFirstThenThePlainPath) {
  Parsed reg(kWin64);
  EXPECT_EQ(reg.Data(kXvtKey, "Install Path"), "C:\\Games\\XvT");
  EXPECT_EQ(reg.Data(kBopKey, "Install Path"), "C:\\Games\\XvT\\BalanceOfPower");
  EXPECT_EQ(reg.Query(kBopKey, "Install Path")->type, 2u);
  // A value missing from the 32-bit key is not looked for at the plain path:
  // the key opened is the Wow6432Node one.
  EXPECT_EQ(reg.Data(kXvtKey, "CommonFilesDir"), "<missing>");
  EXPECT_EQ(reg.Data("Software\\Microsoft\\Windows\\CurrentVersion", "ProgramFilesDir"), "C:\\Program Files");
  EXPECT_EQ(reg.Warnings(), "");
}

TEST(WineRegistryView, Win32PrefixReadsOnlyThePlainPath) {
  std::string text = kWin64;
  text.replace(text.find("#arch=win64"), 11, "#arch=win32");
  Parsed reg(text);
  EXPECT_EQ(reg.Data(kXvtKey, "Install Path"), "C:\\Stale\\XvT");
}

TEST(WineRegistryView, KeyAndValueNamesIgnoreCaseAndTrailingBackslashes) {
  Parsed reg(kWin64);
  EXPECT_EQ(reg.Data("SOFTWARE\\lucasarts entertainment company\\x-wing VS. tie fighter\\1.0", "INSTALL PATH"),
            "C:\\Games\\XvT");
  EXPECT_EQ(reg.Data("software\\wow6432node\\LUCASARTS ENTERTAINMENT COMPANY\\X-Wing vs. TIE Fighter\\1.0\\\\",
                     "install path"),
            "C:\\Games\\XvT");
  EXPECT_EQ(reg.Data(kXvtKey, "Install Pat"), "<missing>");
  EXPECT_EQ(reg->OpenKey("Software\\LucasArts Entertainment Company\\X-Wing vs. TIE Fighter\\1"), 0u);
}

TEST(WineRegistryView, ParentsWithoutLinesOfTheirOwnOpen) {
  Parsed reg(kWin64);
  EXPECT_NE(reg->OpenKey("Software"), 0u);
  EXPECT_NE(reg->OpenKey("Software\\LucasArts Entertainment Company"), 0u);
  EXPECT_NE(reg->OpenKey("software\\wow6432node"), 0u);
  EXPECT_EQ(reg->OpenKey("Software\\Nobody"), 0u);
  EXPECT_EQ(reg->OpenKey(""), 0u);
}

TEST(WineRegistryHandles, ClosedUnknownAndZeroHandlesReadNothing) {
  Parsed reg(kWin64);
  const auto a = reg->OpenKey(kXvtKey);
  const auto b = reg->OpenKey(kXvtKey);
  ASSERT_NE(a, 0u);
  EXPECT_NE(a, b);
  reg->CloseKey(a);
  EXPECT_FALSE(reg->QueryValue(a, "Install Path"));
  EXPECT_TRUE(reg->QueryValue(b, "Install Path"));
  EXPECT_FALSE(reg->QueryValue(0, "Install Path"));
  EXPECT_FALSE(reg->QueryValue(b + 100, "Install Path"));
}

TEST(WineRegistryStrings, EscapesDecodeToWindows1252) {
  Parsed reg(Reg(R"("Slash"="a\\b"
"Quote"="say \"hi\""
"Controls"="1\n2\r3\t4"
"Octal"="\101\102\60"
"Latin"="Caf\x00e9 \xe9"
"Euro"="\x20ac\x201c\x0160"
"Unmappable"="\x4e2d|\xd83d\xde00|\x0080"
"Utf8"="Café ☃"
"Other"="\q\]\["
"Digit limits"="\x0041BCD\1012")"));
  const std::string key = "Software\\Maker\\Game";
  EXPECT_EQ(reg.Data(key, "Slash"), "a\\b");
  EXPECT_EQ(reg.Data(key, "Quote"), "say \"hi\"");
  EXPECT_EQ(reg.Data(key, "Controls"), "1\n2\r3\t4");
  EXPECT_EQ(reg.Data(key, "Octal"), "AB0");
  EXPECT_EQ(reg.Data(key, "Latin"), "Caf\xE9 \xE9");
  EXPECT_EQ(reg.Data(key, "Euro"), "\x80\x93\x8A");
  EXPECT_EQ(reg.Data(key, "Unmappable"), "?|?|?");
  EXPECT_EQ(reg.Data(key, "Utf8"), "Caf\xE9 ?");
  EXPECT_EQ(reg.Data(key, "Other"), "q][");
  EXPECT_EQ(reg.Data(key, "Digit limits"), "ABCDA2");  // four hex digits, three octal ones at most
}

TEST(WineRegistryStrings, NulInsideAValueIsKept) {
  Parsed reg(Reg(R"("Install Path"="C:\\Games\0junk"
"Octal NUL"="ab\000c")"));
  EXPECT_EQ(reg.Data("Software\\Maker\\Game", "Install Path"), std::string("C:\\Games\0junk", 13));
  EXPECT_EQ(reg.Data("Software\\Maker\\Game", "Octal NUL"), std::string("ab\0c", 4));
}

TEST(WineRegistryStrings, EscapedKeyAndValueNamesMatchTheirDecodedText) {
  Parsed reg(R"(WINE REGISTRY Version 2
[Software\\Caf\x00e9\\Odd\]Name] 1700000000
"Na\"me"="1"
"\x00c9t\x00e9"="2"
)");
  EXPECT_EQ(reg.Data("Software\\caf\xC9\\odd]name", "na\"me"), "1");
  EXPECT_EQ(reg.Data("Software\\caf\xE9\\odd]name", "\xE9T\xC9"), "2");
}

TEST(WineRegistryTypes, EveryValueFormGivesItsTypeAndBytes) {
  Parsed reg(Reg(R"(@="the default"
"Expand"=str(2):"%ProgramFiles%\\XvT"
"Multi"=str(7):"one\0two\0"
"Dword"=dword:0000002a
"Short Dword"=dword:ff
"Binary"=hex:de,ad,be,ef
"Qword"=hex(b):01,02,03,04,05,06,07,08
"Empty"=hex:
"Odd type"=hex(100):aa
"Odd str"=str(4):"x")"));
  const std::string key = "Software\\Maker\\Game";
  const struct {
    const char* name;
    std::uint32_t type;
    std::string data;
  } cases[] = {
      {"", 1, "the default"},
      {"Expand", 2, "%ProgramFiles%\\XvT"},
      {"Multi", 7, std::string("one\0two\0", 8)},
      {"Dword", 4, std::string("\x2a\0\0\0", 4)},
      {"Short Dword", 4, std::string("\xff\0\0\0", 4)},
      {"Binary", 3, "\xde\xad\xbe\xef"},
      {"Qword", 11, "\x01\x02\x03\x04\x05\x06\x07\x08"},
      {"Empty", 3, ""},
      {"Odd type", 0x100, "\xaa"},
      {"Odd str", 4, "x"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const auto value = reg.Query(key, c.name);
    ASSERT_TRUE(value);
    EXPECT_EQ(value->type, c.type);
    EXPECT_EQ(value->data, c.data);
  }
}

TEST(WineRegistryTypes, HexListsContinueOverLinesEndingInABackslash) {
  Parsed reg(Reg("\"Blob\"=hex:00,01,02,03,04,05,06,07,08,09,0a,0b,0c,0d,0e,0f,10,11,12,13,\\\n"
                 "  14,15,16,17,\\\r\n"
                 "  18,19\n"
                 "\"After\"=\"still read\"\n"
                 "\"Path\"=hex(2):43,00,3a,00,5c,00,e9,00,ac,20,00,00\n"));
  const std::string key = "Software\\Maker\\Game";
  std::string expected;
  for (int i = 0; i < 26; ++i) expected += static_cast<char>(i);
  EXPECT_EQ(reg.Data(key, "Blob"), expected);
  EXPECT_EQ(reg.Data(key, "After"), "still read");
  // String types stored as bytes are UTF-16, read through the ANSI view.
  EXPECT_EQ(reg.Data(key, "Path"), std::string("C:\\\xE9\x80\0", 6));
  EXPECT_EQ(reg.Warnings(), "");
}

TEST(WineRegistryTypes, MalformedValuesReadAsMissing) {
  Parsed reg(Reg(R"("Unterminated"="abc
"Bad hex"=hex:zz
"Bad dword"=dword:123456789
"No digits"=dword:
"Bad type"=str(x):"a"
"Unknown"=qword:1)"));
  for (const char* name : {"Unterminated", "Bad hex", "Bad dword", "No digits", "Bad type", "Unknown"}) {
    SCOPED_TRACE(name);
    EXPECT_FALSE(reg.Query("Software\\Maker\\Game", name));
  }
}

TEST(WineRegistryFile, LaterLinesOverrideEarlierOnes) {
  Parsed reg(Reg(R"("A"="first"
"a"="second"
[Software\\Maker\\Other] 1
"B"="b"
[software\\maker\\GAME] 2
"C"="c")"));
  EXPECT_EQ(reg.Data("Software\\Maker\\Game", "A"), "second");
  EXPECT_EQ(reg.Data("Software\\Maker\\Game", "C"), "c");
}

TEST(WineRegistryFile, CrLfLinesAndAByteOrderMarkReadAsWineWritesThem) {
  std::string text = "\xEF\xBB\xBF" + std::string(kWin64);
  for (std::size_t at = text.find('\n'); at != std::string::npos; at = text.find('\n', at + 2))
    text.replace(at, 1, "\r\n");
  Parsed reg(text);
  EXPECT_EQ(reg.Data(kXvtKey, "Install Path"), "C:\\Games\\XvT");
  EXPECT_EQ(reg.Data(kXvtKey, "Version"), std::string("\x2a\0\0\0", 4));
}

TEST(WineRegistryFile, BrokenLinesAreSkippedWithOneWarning) {
  Parsed reg(R"(WINE REGISTRY Version 2
"Orphan"="before any key"
[Software\\Maker\\Game] 1700000000
"Good"="1"
this is not a registry line
"No equals" "2"
[Software\\Broken
"Lost"="3"
[Software\\Maker\\Game2] 1
"Good2"="4"
)");
  EXPECT_EQ(reg.Data("Software\\Maker\\Game", "Good"), "1");
  EXPECT_EQ(reg.Data("Software\\Maker\\Game2", "Good2"), "4");
  EXPECT_EQ(reg->OpenKey("Software\\Broken"), 0u);
  EXPECT_EQ(reg.Warnings(), "warning: test.reg: 5 lines not understood, the first at line 2\n");
}

// Windows nests keys 512 deep at most: a key at that depth opens with all of
// its parents, a deeper one is a line not understood and its values go nowhere.
TEST(WineRegistryFile, KeysNestAtMost512Deep) {
  auto path = [](std::size_t parts, const char* separator) {
    std::string p = "k0";
    for (std::size_t i = 1; i < parts; ++i) p += separator + std::string("k") + std::to_string(i % 7);
    return p;
  };
  Parsed reg("WINE REGISTRY Version 2\n[" + path(512, "\\\\") + "] 1\n\"Deep\"=\"yes\"\n[" + path(513, "\\\\") +
             "x] 1\n\"Deeper\"=\"no\"\n");
  EXPECT_EQ(reg.Data(path(512, "\\"), "Deep"), "yes");
  EXPECT_NE(reg->OpenKey(path(511, "\\")), 0u);
  EXPECT_NE(reg->OpenKey(path(2, "\\")), 0u);
  EXPECT_EQ(reg->OpenKey(path(513, "\\") + "x"), 0u);
  EXPECT_EQ(reg.Warnings(), "warning: test.reg: 2 lines not understood, the first at line 4\n");
}

TEST(WineRegistryFile, TextsThatAreNotRegistryFilesGiveAnEmptyRegistryAndAWarning) {
  for (const std::string& text : {std::string(""), std::string("REGEDIT4\n[HKEY_LOCAL_MACHINE\\Software]\n"),
                                 std::string("WINE REGISTRY Version 1\n"), std::string("\x7f" "ELF\0\1\2", 7),
                                 std::string(" WINE REGISTRY Version 2\n[Software\\\\Maker\\\\Game] 1\n")}) {
    Parsed reg(text);
    EXPECT_EQ(reg->OpenKey("Software"), 0u);
    EXPECT_EQ(reg.Warnings(),
              "warning: test.reg is not a Wine registry file (it does not begin with \"WINE REGISTRY "
              "Version 2\"); no games are found in it\n");
  }
}

}  // namespace
