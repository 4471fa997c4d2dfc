// Text meets the host's UTF-8 only inside the backend: the layers above hand
// it Windows-1252 as it is. An edit control's copy and paste must agree with
// the clipboard calls on the same bytes.
#include <backend/backend.h>
#include <backend/headless.h>
#include <gtest/gtest.h>
#include <win32/windows.h>

#include <cstring>
#include <string>

namespace {

std::string Text(HWND h) {
  char buf[256] = {};
  GetWindowTextA(h, buf, sizeof buf);
  return buf;
}

std::string ClipboardThroughTheApi() {
  std::string s;
  if (!OpenClipboard(nullptr)) return "<not opened>";
  if (HANDLE h = GetClipboardData(CF_TEXT)) {
    if (const char* p = static_cast<const char*>(GlobalLock(h))) s = p;
    GlobalUnlock(h);
  }
  CloseClipboard();
  return s;
}

TEST(HostText, EditCopyAndPasteHandTheBackendWindows1252Unchanged) {
  headless::Start(640, 480);
  InitCommonControls();
  HWND e = CreateWindowExA(0, "EDIT", "Mission \xE9 \x80 \x81", WS_POPUP | WS_VISIBLE | ES_AUTOHSCROLL, 0, 0, 300,
                           30, nullptr, nullptr, nullptr, nullptr);
  ASSERT_NE(e, nullptr);
  SendMessageA(e, EM_SETSEL, 0, -1);
  SendMessageA(e, WM_COPY, 0, 0);
  EXPECT_EQ(backend::Current()->ClipboardText(), "Mission \xE9 \x80 \x81");
  EXPECT_EQ(ClipboardThroughTheApi(), "Mission \xE9 \x80 \x81");

  backend::Current()->SetClipboardText("\xC9t\xE9 \x93q\x94");
  SendMessageA(e, EM_SETSEL, 0, -1);
  SendMessageA(e, WM_PASTE, 0, 0);
  EXPECT_EQ(Text(e), "\xC9t\xE9 \x93q\x94");
  DestroyWindow(e);
}

}  // namespace
