// The clipboard: opening rules, formats kept in the process, registered
// formats, and text shared with the host.
#include <gtest/gtest.h>

#include <cstring>
#include <thread>

#include <win32/kernel32.h>
#include <win32/user32_clipboard.h>

#include "fake_host.h"

namespace {

HGLOBAL Text(const char* s) {
  HGLOBAL h = GlobalAlloc(GMEM_MOVEABLE, std::strlen(s) + 1);
  std::strcpy(static_cast<char*>(GlobalLock(h)), s);
  GlobalUnlock(h);
  return h;
}

std::string Read(HANDLE h) {
  const char* p = static_cast<const char*>(GlobalLock(h));
  std::string s = p ? p : "";
  GlobalUnlock(h);
  return s;
}

TEST(Clipboard, RegisteredFormatsAreNumberedFromC000ByNameWithoutCase) {
  UINT gif = RegisterClipboardFormatA("GIF Image");
  EXPECT_GE(gif, 0xC000u);
  EXPECT_LE(gif, 0xFFFFu);
  EXPECT_EQ(RegisterClipboardFormatA("gif image"), gif);
  UINT other = RegisterClipboardFormatA("Other Format");
  EXPECT_NE(other, gif);
  EXPECT_GE(other, 0xC000u);
  EXPECT_EQ(RegisterClipboardFormatA(""), 0u);
  EXPECT_EQ(RegisterClipboardFormatA(nullptr), 0u);
  char name[32];
  EXPECT_EQ(GetClipboardFormatNameA(gif, name, sizeof name), 9);
  EXPECT_STREQ(name, "GIF Image");
  EXPECT_EQ(GetClipboardFormatNameA(CF_TEXT, name, sizeof name), 0);
}

TEST(Clipboard, DataNeedsAnOpenClipboardAndOnlyOneThreadHoldsIt) {
  FakeHost::Install();
  EXPECT_EQ(SetClipboardData(CF_TEXT, nullptr), nullptr);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_CLIPBOARD_NOT_OPEN));
  EXPECT_FALSE(EmptyClipboard());
  EXPECT_FALSE(CloseClipboard());
  ASSERT_TRUE(OpenClipboard(nullptr));
  BOOL otherOpened = TRUE;
  std::thread([&] { otherOpened = OpenClipboard(nullptr); }).join();
  EXPECT_FALSE(otherOpened);
  EXPECT_TRUE(CloseClipboard());
  std::thread([&] {
    otherOpened = OpenClipboard(nullptr);
    CloseClipboard();
  }).join();
  EXPECT_TRUE(otherOpened);
}

TEST(Clipboard, KeepsEveryFormatUntilEmptied) {
  FakeHost::Install();
  UINT gif = RegisterClipboardFormatA("GIF Image");
  HBITMAP bmp = reinterpret_cast<HBITMAP>(0x5150);
  ASSERT_TRUE(OpenClipboard(nullptr));
  ASSERT_TRUE(EmptyClipboard());
  EXPECT_EQ(CountClipboardFormats(), 0);
  HGLOBAL data = GlobalAlloc(GMEM_MOVEABLE, 8);
  EXPECT_EQ(SetClipboardData(gif, data), data);
  EXPECT_EQ(SetClipboardData(CF_BITMAP, bmp), bmp);
  EXPECT_EQ(GetClipboardData(CF_BITMAP), bmp);
  EXPECT_EQ(GetClipboardData(gif), data);
  EXPECT_TRUE(IsClipboardFormatAvailable(gif));
  EXPECT_FALSE(IsClipboardFormatAvailable(CF_TEXT));
  EXPECT_EQ(EnumClipboardFormats(0), gif);
  EXPECT_EQ(EnumClipboardFormats(gif), static_cast<UINT>(CF_BITMAP));
  EXPECT_EQ(EnumClipboardFormats(CF_BITMAP), 0u);
  // Replacing a format frees the block it held.
  HGLOBAL second = GlobalAlloc(GMEM_MOVEABLE, 8);
  SetClipboardData(gif, second);
  EXPECT_EQ(GlobalSize(data), 0u);
  EXPECT_EQ(CountClipboardFormats(), 2);
  ASSERT_TRUE(CloseClipboard());
  // Still there for the next reader.
  EXPECT_TRUE(IsClipboardFormatAvailable(CF_BITMAP));
  ASSERT_TRUE(OpenClipboard(nullptr));
  EXPECT_EQ(GetClipboardData(gif), second);
  EmptyClipboard();
  EXPECT_EQ(GlobalSize(second), 0u);
  EXPECT_FALSE(IsClipboardFormatAvailable(CF_BITMAP));
  CloseClipboard();
}

TEST(Clipboard, TextGoesToTheHostAndHostTextReplacesTheProcessFormats) {
  FakeHost* host = FakeHost::Install();
  host->clipboard = "before";
  UINT gif = RegisterClipboardFormatA("GIF Image");
  ASSERT_TRUE(OpenClipboard(nullptr));
  EXPECT_EQ(Read(GetClipboardData(CF_TEXT)), "before");
  EmptyClipboard();
  EXPECT_EQ(host->clipboard, "");
  SetClipboardData(CF_TEXT, Text("Mission \xE9"));
  SetClipboardData(gif, GlobalAlloc(GMEM_MOVEABLE, 4));
  CloseClipboard();
  EXPECT_EQ(host->clipboard, "Mission \xE9");

  host->clipboard = "from another program";
  EXPECT_FALSE(IsClipboardFormatAvailable(gif));
  EXPECT_TRUE(IsClipboardFormatAvailable(CF_TEXT));
  ASSERT_TRUE(OpenClipboard(nullptr));
  EXPECT_EQ(Read(GetClipboardData(CF_TEXT)), "from another program");
  EXPECT_EQ(GetClipboardData(gif), nullptr);
  CloseClipboard();
}

}  // namespace
