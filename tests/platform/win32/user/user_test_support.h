// Shared by the window-layer tests: a headless screen per test, a logging
// window class over the shared message log, per-window message handlers and
// pumping helpers.
#pragma once

#include <backend/headless.h>
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <win32/user32.h>

#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "message_log.h"

namespace user_test {

using Handler = std::function<std::optional<LRESULT>(HWND, UINT, WPARAM, LPARAM)>;

using testsupport::MessageName;

// The watched messages of the logging windows, read either as entries for
// testsupport::OkSequence or as lines "window:MESSAGE(key)".
struct Log {
  testsupport::MessageLog messages;
  // Names are resolved when the log is read, so messages sent during
  // creation carry the name given after CreateWindowEx returns.
  std::map<HWND, std::string> names;
  void Watch(std::initializer_list<UINT> msgs) { messages.Watch(msgs); }
  void Note(const std::string& s) { messages.Note(s); }
  std::vector<testsupport::LoggedMessage> TakeMessages() { return messages.Take(); }
  std::vector<std::string> Take();
};

Log& TheLog();
std::map<HWND, Handler>& Handlers();
LRESULT CALLBACK LoggingProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);

class UserTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  // A top-level window of the logging class, named for the log.
  HWND Top(const char* name, DWORD style = WS_POPUP, RECT r = {100, 100, 300, 250}, DWORD ex = 0,
           HWND owner = nullptr);
  HWND Child(const char* name, HWND parent, RECT r, DWORD style = WS_VISIBLE, DWORD ex = 0, int id = 0);
  void On(HWND hwnd, Handler h) { Handlers()[hwnd] = std::move(h); }
  // Dispatches everything that is ready now, like an idle message loop.
  int Pump();
  std::vector<std::string> Take() { return TheLog().Take(); }
  Log& log() { return TheLog(); }

  static constexpr const char* kClass = "XvtTestWindow";
  static constexpr const char* kDblClass = "XvtTestDblClk";
  std::vector<HWND> created_;
};

// A pixel of the presented screen, 0x00RRGGBB.
std::uint32_t ScreenPixel(int x, int y);

}  // namespace user_test
