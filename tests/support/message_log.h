// One log of window messages for tests, and the check of a logged sequence
// against an expected one written as data:
//
//   const ExpectedMessage kShow[] = {{WM_SHOWWINDOW, sent | wparam, TRUE},
//                                    {WM_ERASEBKGND, sent | optional},
//                                    {WM_PAINT, posted}};
//   EXPECT_TRUE(OkSequence(log.Take(), kShow));
//
// A window procedure logs with Add; a message loop dispatches with
// DispatchLogged, which is how the log tells a posted message from a sent one.
#pragma once

#include <gtest/gtest.h>
#include <win32/windows.h>

#include <initializer_list>
#include <set>
#include <span>
#include <string>
#include <vector>

namespace testsupport {

// How a message came (sent, posted) and what an expected entry checks.
enum MessageFlags : unsigned {
  sent = 0x01,      // through SendMessage or a direct call of the procedure
  posted = 0x02,    // taken from the queue and dispatched by the loop
  wparam = 0x04,    // wParam must equal the expected one
  lparam = 0x08,    // lParam must equal the expected one
  optional = 0x10,  // may be missing from the log
  detail = 0x20,    // the logged detail must equal the expected lParam
};

struct LoggedMessage {
  HWND hwnd = nullptr;
  UINT message = 0;
  WPARAM wParam = 0;
  LPARAM lParam = 0;
  unsigned how = sent;  // sent or posted
  // What the procedure read from the message while it was valid (the code
  // of a WM_NOTIFY, say); 0 when nothing.
  LPARAM detail = 0;
  std::string note;  // a line a test wrote between messages (message 0)
};

struct ExpectedMessage {
  UINT message = 0;
  unsigned flags = sent;
  WPARAM wParam = 0;
  LPARAM lParam = 0;  // or the detail, with `detail`
};

class MessageLog {
 public:
  // Only watched messages are logged.
  void Watch(std::initializer_list<UINT> messages) { watched_.insert(messages); }
  void WatchAll() { all_ = true; }
  void Add(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, LPARAM detail = 0);
  // A line of the test's own among the messages.
  void Note(const std::string& text);
  const std::vector<LoggedMessage>& Entries() const { return entries_; }
  // The entries so far; the log is empty afterwards.
  std::vector<LoggedMessage> Take();
  void Clear() { entries_.clear(); }
  void Reset();

 private:
  std::set<UINT> watched_;
  bool all_ = false;
  std::vector<LoggedMessage> entries_;
};

// DispatchMessageA, telling the log that the window procedure's first sight
// of `msg` came from the queue.
LRESULT DispatchLogged(const MSG& msg);

// The logged messages, in order, against the expected ones: each expected
// entry must come next with its flags (optional ones may be skipped), and
// nothing may be left over; notes are passed over. The failure names the
// first difference.
::testing::AssertionResult OkSequence(const std::vector<LoggedMessage>& got, std::span<const ExpectedMessage> expected);

// The message's name (WM_PAINT) or its number in hexadecimal.
std::string MessageName(UINT message);

}  // namespace testsupport
