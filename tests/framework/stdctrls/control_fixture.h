// A framework panel hosted in a plain window on the headless screen, as
// the parent of the controls under test.
#pragma once

#include <memory>

#include "framework/panel.h"
#include "window_fixture.h"

namespace stdctrls_test {

class ControlTest : public WindowTest {
 protected:
  void SetUp() override {
    WindowTest::SetUp();
    root = std::make_unique<TPanel>(nullptr);
    root->SetParentWindow(host);
    root->SetBounds(0, 0, 400, 300);
  }
  void TearDown() override {
    root.reset();
    WindowTest::TearDown();
  }
  template <class T>
  T* Make(int left = 8, int top = 8) {
    auto* c = new T(root.get());
    c->SetParent(root.get());
    c->SetLeft(left);
    c->SetTop(top);
    return c;
  }
  // A notification from a child window to its parent, as the window
  // itself would send it.
  static void Command(TWinControl* control, WORD code) {
    HWND h = control->Handle();
    SendMessageA(GetParent(h), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(h), code), reinterpret_cast<LPARAM>(h));
  }
  std::unique_ptr<TPanel> root;
};

}  // namespace stdctrls_test
