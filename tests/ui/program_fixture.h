// The real program on the headless screen, made afresh for each test over a
// scratch copy of the demo prefix.
#pragma once

#include <gtest/gtest.h>

#include <backend/headless.h>
#include <unistd.h>

#include <filesystem>
#include <memory>
#include <sstream>

#include "framework/application.h"
#include "framework/controls.h"
#include "ui/Main.h"
#include "ui/program.h"

namespace ui_test {

namespace fs = std::filesystem;

class ProgramTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    headless::Start(1024, 768);
    InitCommonControls();
  }
  void SetUp() override {
    scratch_ = fs::temp_directory_path() / ("xvt-program-" + std::to_string(::getpid()));
    fs::remove_all(scratch_);
    fs::copy(XVT_DEMO_PREFIX, scratch_, fs::copy_options::recursive | fs::copy_options::copy_symlinks);
    program_ = std::make_unique<ui::Program>(scratch_);
    program_->CreateForms(warnings_);
    MainForm->Show();
    Settle();
  }
  void TearDown() override {
    program_.reset();
    fs::remove_all(scratch_);
  }
  static void Settle() { Application->ProcessMessages(); }
  // A left click at the centre of a control, as the user makes it.
  static void ClickOn(TControl* control) {
    TPoint p = control->ClientToScreen(TPoint{control->Width() / 2, control->Height() / 2});
    headless::MoveMouse(p.x, p.y);
    headless::PressMouse(0);
    headless::ReleaseMouse(0);
    Settle();
  }

  fs::path scratch_;
  std::ostringstream warnings_;
  std::unique_ptr<ui::Program> program_;
};

}  // namespace ui_test
