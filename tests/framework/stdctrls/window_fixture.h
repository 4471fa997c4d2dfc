// A headless screen with one plain top-level window to put controls in.
#pragma once

#include <backend/headless.h>
#include <gtest/gtest.h>
#include <win32/windows.h>

#include <string>

namespace stdctrls_test {

class WindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    headless::Start(640, 480);
    InitCommonControls();
    host = CreateWindowExA(0, "STATIC", "", WS_POPUP | WS_VISIBLE, 0, 0, 400, 300, nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(host, nullptr);
  }
  void TearDown() override {
    if (IsWindow(host)) DestroyWindow(host);
  }
  HWND Child(const char* cls, DWORD style = 0) {
    HWND h = CreateWindowExA(0, cls, "", WS_CHILD | WS_VISIBLE | style, 0, 0, 300, 200, host, nullptr, nullptr, nullptr);
    EXPECT_NE(h, nullptr);
    return h;
  }
  HWND host = nullptr;
};

}  // namespace stdctrls_test
