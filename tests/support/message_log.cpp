#include "message_log.h"

#include <cstdio>
#include <map>
#include <optional>
#include <sstream>

namespace testsupport {

namespace {

// The message the loop is dispatching until a logging procedure sees it.
std::optional<MSG>& Dispatching() {
  static std::optional<MSG> msg;
  return msg;
}

std::string Describe(const LoggedMessage& m) {
  std::ostringstream out;
  out << MessageName(m.message) << (m.how == posted ? " posted" : " sent") << " wParam " << m.wParam << " lParam "
      << m.lParam;
  if (m.detail) out << " detail " << m.detail;
  return out.str();
}

std::string Describe(const ExpectedMessage& e) {
  std::ostringstream out;
  out << MessageName(e.message) << ((e.flags & posted) ? " posted" : (e.flags & sent) ? " sent" : "");
  if (e.flags & wparam) out << " wParam " << e.wParam;
  if (e.flags & lparam) out << " lParam " << e.lParam;
  if (e.flags & detail) out << " detail " << e.lParam;
  if (e.flags & optional) out << " (optional)";
  return out.str();
}

// Empty when `m` is what `e` expects, else what differs.
std::string Mismatch(const LoggedMessage& m, const ExpectedMessage& e) {
  if (m.message != e.message) return "another message";
  if ((e.flags & (sent | posted)) && !(e.flags & m.how)) return m.how == posted ? "posted, not sent" : "sent, not posted";
  if ((e.flags & wparam) && m.wParam != e.wParam) return "another wParam";
  if ((e.flags & lparam) && m.lParam != e.lParam) return "another lParam";
  if ((e.flags & detail) && m.detail != e.lParam) return "another detail";
  return "";
}

}  // namespace

void MessageLog::Add(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, LPARAM detailValue) {
  unsigned how = sent;
  std::optional<MSG>& d = Dispatching();
  if (d && d->hwnd == hwnd && d->message == message && d->wParam == wParam && d->lParam == lParam) {
    how = posted;
    d.reset();
  }
  if (!all_ && !watched_.count(message)) return;
  entries_.push_back(LoggedMessage{hwnd, message, wParam, lParam, how, detailValue, {}});
}

void MessageLog::Note(const std::string& text) {
  LoggedMessage m;
  m.note = text;
  entries_.push_back(std::move(m));
}

std::vector<LoggedMessage> MessageLog::Take() {
  std::vector<LoggedMessage> out;
  out.swap(entries_);
  return out;
}

void MessageLog::Reset() {
  watched_.clear();
  all_ = false;
  entries_.clear();
}

LRESULT DispatchLogged(const MSG& msg) {
  Dispatching() = msg;
  const LRESULT r = DispatchMessageA(&msg);
  Dispatching().reset();
  return r;
}

::testing::AssertionResult OkSequence(const std::vector<LoggedMessage>& all, std::span<const ExpectedMessage> expected) {
  // The test's own lines are for reading, not for comparing.
  std::vector<LoggedMessage> got;
  for (const LoggedMessage& m : all)
    if (m.hwnd || m.message) got.push_back(m);
  std::size_t g = 0;
  for (std::size_t i = 0; i < expected.size(); ++i) {
    const ExpectedMessage& e = expected[i];
    const std::string why = g < got.size() ? Mismatch(got[g], e) : "the log ended";
    if (why.empty()) {
      ++g;
      continue;
    }
    if (e.flags & optional) continue;
    return ::testing::AssertionFailure() << "expected #" << i << " " << Describe(e) << ": " << why
                                         << (g < got.size() ? ", got " + Describe(got[g]) : std::string());
  }
  if (g < got.size()) return ::testing::AssertionFailure() << "unexpected " << Describe(got[g]);
  return ::testing::AssertionSuccess();
}

std::string MessageName(UINT msg) {
  static const std::map<UINT, const char*> names = {
      {WM_CREATE, "WM_CREATE"}, {WM_DESTROY, "WM_DESTROY"}, {WM_MOVE, "WM_MOVE"}, {WM_SIZE, "WM_SIZE"},
      {WM_ACTIVATE, "WM_ACTIVATE"}, {WM_SETFOCUS, "WM_SETFOCUS"}, {WM_KILLFOCUS, "WM_KILLFOCUS"},
      {WM_ENABLE, "WM_ENABLE"}, {WM_PAINT, "WM_PAINT"}, {WM_CLOSE, "WM_CLOSE"}, {WM_ERASEBKGND, "WM_ERASEBKGND"},
      {WM_SHOWWINDOW, "WM_SHOWWINDOW"}, {WM_ACTIVATEAPP, "WM_ACTIVATEAPP"}, {WM_CANCELMODE, "WM_CANCELMODE"},
      {WM_SETCURSOR, "WM_SETCURSOR"}, {WM_MOUSEACTIVATE, "WM_MOUSEACTIVATE"}, {WM_GETMINMAXINFO, "WM_GETMINMAXINFO"},
      {WM_WINDOWPOSCHANGING, "WM_WINDOWPOSCHANGING"}, {WM_WINDOWPOSCHANGED, "WM_WINDOWPOSCHANGED"},
      {WM_NCCREATE, "WM_NCCREATE"}, {WM_NCDESTROY, "WM_NCDESTROY"}, {WM_NCCALCSIZE, "WM_NCCALCSIZE"},
      {WM_NCHITTEST, "WM_NCHITTEST"}, {WM_NCPAINT, "WM_NCPAINT"}, {WM_NCACTIVATE, "WM_NCACTIVATE"},
      {WM_KEYDOWN, "WM_KEYDOWN"}, {WM_KEYUP, "WM_KEYUP"}, {WM_CHAR, "WM_CHAR"}, {WM_SYSKEYDOWN, "WM_SYSKEYDOWN"},
      {WM_SYSKEYUP, "WM_SYSKEYUP"}, {WM_SYSCHAR, "WM_SYSCHAR"}, {WM_SYSCOMMAND, "WM_SYSCOMMAND"},
      {WM_TIMER, "WM_TIMER"}, {WM_MOUSEMOVE, "WM_MOUSEMOVE"}, {WM_LBUTTONDOWN, "WM_LBUTTONDOWN"},
      {WM_LBUTTONUP, "WM_LBUTTONUP"}, {WM_LBUTTONDBLCLK, "WM_LBUTTONDBLCLK"}, {WM_RBUTTONDOWN, "WM_RBUTTONDOWN"},
      {WM_NCLBUTTONDOWN, "WM_NCLBUTTONDOWN"}, {WM_NCMOUSEMOVE, "WM_NCMOUSEMOVE"},
      {WM_PARENTNOTIFY, "WM_PARENTNOTIFY"}, {WM_CAPTURECHANGED, "WM_CAPTURECHANGED"},
      {WM_MOUSELEAVE, "WM_MOUSELEAVE"}, {WM_MOUSEWHEEL, "WM_MOUSEWHEEL"}, {WM_USER, "WM_USER"},
      {WM_USER + 1, "WM_USER+1"}, {WM_USER + 2, "WM_USER+2"}, {WM_COPYDATA, "WM_COPYDATA"},
      {WM_SETTEXT, "WM_SETTEXT"}, {WM_PRINTCLIENT, "WM_PRINTCLIENT"}, {WM_CONTEXTMENU, "WM_CONTEXTMENU"},
      {WM_COMMAND, "WM_COMMAND"}, {WM_NOTIFY, "WM_NOTIFY"}, {WM_HSCROLL, "WM_HSCROLL"}, {WM_VSCROLL, "WM_VSCROLL"},
      {WM_SYSCOLORCHANGE, "WM_SYSCOLORCHANGE"},
  };
  auto it = names.find(msg);
  if (it != names.end()) return it->second;
  char buf[16];
  std::snprintf(buf, sizeof buf, "0x%04X", msg);
  return buf;
}

}  // namespace testsupport
