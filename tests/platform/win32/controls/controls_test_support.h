// Shared by the control tests: a headless screen, a parent window that logs
// the notifications it receives in the shared message log, and pixel and
// input helpers.
#pragma once

#include <backend/headless.h>
#include <gtest/gtest.h>
#include <win32/windows.h>

#include <string>
#include <vector>

#include "message_log.h"

namespace controls_test {

class ControlTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  HWND Make(const char* cls, const char* text, DWORD style, RECT r, int id = 1, DWORD ex = 0);
  void Pump();
  // Codes of the WM_COMMAND, WM_NOTIFY and scroll messages the parent got
  // since the last call.
  std::vector<int> Codes();
  // Pixel of the presented screen in client coordinates of h.
  COLORREF Pixel(HWND h, int x, int y);
  // Whether any pixel of r (client coordinates of h) has colour c; one screen grab.
  bool Any(HWND h, RECT r, COLORREF c);
  void Click(HWND h, int x, int y);
  void Key(unsigned vk);
  void Save(HWND h, const std::string& name);

  HWND parent = nullptr;
};

// What the parent got: WM_COMMAND, WM_NOTIFY, WM_HSCROLL and WM_VSCROLL
// (SB_ENDSCROLL left out), each with its notification code as the detail.
testsupport::MessageLog& Notes();

}  // namespace controls_test
