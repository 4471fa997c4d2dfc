// Shared by the dialog tests: a headless screen with one owner window, and a
// hook that runs a check while a modal dialog's own loop is running.
#pragma once

#include <backend/headless.h>
#include <gtest/gtest.h>
#include <win32/windows.h>

#include <functional>
#include <string>

namespace dialogs_test {

class DialogTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  // Runs `body` once from a timer, i.e. inside the dialog's modal loop.
  void WhileOpen(std::function<void()> body);
  // Presses and releases a key (queued input).
  static void Key(unsigned vk);
  // Screen pixel in client coordinates of h.
  static COLORREF Pixel(HWND h, int x, int y);
  // Counts pixels of colour c in the client rectangle r of h.
  static int Count(HWND h, RECT r, COLORREF c);

  HWND owner = nullptr;
};

// The window class of message boxes.
inline constexpr char kBox[] = "XvtMessageBox";

// The top-level window of class `cls` that is visible, or null.
HWND FindShown(const char* cls);

}  // namespace dialogs_test
