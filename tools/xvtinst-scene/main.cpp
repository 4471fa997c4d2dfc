// xvtinst-scene SCRIPT OUTDIR: runs the program's windows on the headless
// screen (1024 x 768, virtual clock) and plays SCRIPT against them; shots,
// dumps and copied files go to OUTDIR. Exit status 0 when the whole script
// ran, 1 when a command failed (its line on stderr), 2 for a bad command
// line or a script that does not parse.
#include <filesystem>
#include <fstream>
#include <iostream>
#include <memory>
#include <sstream>

#include "backend/headless.h"
#include "control_dump.h"
#include "display/GIFCtrl.h"
#include "display/RXClock.h"
#include "framework/screen.h"
#include "framework/datetime.h"
#include "runner.h"
#include "ui/Main.h"
#include "ui/program.h"
#include "win32/windows.h"

namespace {

namespace fs = std::filesystem;

// The clock's and the animators' timers tick from window timers, which the
// message loop serves at exact moments of the virtual clock, instead of
// from threads, whose wake-ups the host schedules: each run of a script
// then shows the same times and frames.
void PaceTimersByWindow(TControl* control) {
  if (auto* clock = dynamic_cast<TRxClock*>(control)) clock->Timer()->SetThreaded(false);
  if (auto* animator = dynamic_cast<TRxGIFAnimator*>(control)) animator->Timer()->SetThreaded(false);
  if (auto* parent = dynamic_cast<TWinControl*>(control))
    for (int i = 0; i < parent->ControlCount(); ++i) PaceTimersByWindow(parent->Controls(i));
}

class ProgramScene : public scene::SceneProgram {
 public:
  ~ProgramScene() override {
    program_.reset();
    if (!emptyPrefix_.empty()) {
      std::error_code ignored;
      fs::remove_all(emptyPrefix_, ignored);
    }
  }

  void UsePrefix(const fs::path& prefix) override { prefix_ = prefix; }

  void Start() override {
    // A script without `prefix` runs over an empty prefix: no games.
    if (prefix_.empty()) prefix_ = emptyPrefix_ = MakeEmptyPrefix();
    // The file-open dialog browses the drives of the prefix in use, not
    // the user's own Wine prefix.
    xvtSetFileDialogPrefix(prefix_.string().c_str());
    order_ = std::make_unique<scene::WindowCreationOrder>();
    program_ = std::make_unique<ui::Program>(prefix_);
    program_->CreateForms(std::cerr);
    for (int i = 0; Screen && i < Screen->FormCount(); ++i) PaceTimersByWindow(Screen->Forms(i));
    if (MainForm) MainForm->Show();
  }

  void RunLoop() override { program_->Run(); }
  void Quit() override { program_->Terminate(); }
  std::vector<scene::DumpNode> Dump() override { return scene::DumpScreen(order_.get()); }

  fs::path HostPath(const std::string& windowsPath) override {
    if (!program_) throw std::runtime_error("the program has not started");
    auto host = program_->Drives().ToHost(windowsPath);
    if (!host) throw std::runtime_error(windowsPath + " is on no drive of the prefix");
    return *host;
  }

 private:
  static fs::path MakeEmptyPrefix() {
    std::string pattern = (fs::temp_directory_path() / "xvtinst-scene-empty-XXXXXX").string();
    if (!::mkdtemp(pattern.data())) throw std::runtime_error("cannot make an empty prefix");
    fs::create_directories(fs::path(pattern) / "drive_c");
    fs::create_directories(fs::path(pattern) / "dosdevices");
    fs::create_directory_symlink("../drive_c", fs::path(pattern) / "dosdevices" / "c:");
    std::ofstream(fs::path(pattern) / "system.reg") << "WINE REGISTRY Version 2\n;; All keys relative to \\\\Machine\n";
    return pattern;
  }

  fs::path prefix_;
  fs::path emptyPrefix_;
  std::unique_ptr<scene::WindowCreationOrder> order_;
  std::unique_ptr<ui::Program> program_;
};

int Usage() {
  std::cerr << "usage: xvtinst-scene SCRIPT OUTDIR\n";
  return 2;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) return Usage();
  std::ifstream in(argv[1], std::ios::binary);
  if (!in) {
    std::cerr << "xvtinst-scene: cannot read " << argv[1] << "\n";
    return 2;
  }
  std::stringstream text;
  text << in.rdbuf();
  std::vector<scene::Command> script;
  try {
    script = scene::ParseScript(text.str());
  } catch (const std::exception& e) {
    std::cerr << argv[1] << ": " << e.what() << "\n";
    return 2;
  }
  headless::Start(1024, 768);
  // The date and time run on the virtual clock from a fixed moment, so
  // that the clock and the build's duration are the same at every run.
  scene::RunClockFrom(EncodeDate(2000, 1, 1) + EncodeTime(12, 0, 0, 0));
  InitCommonControls();
  std::ostringstream log;
  int status = 1;
  try {
    ProgramScene program;
    scene::SceneRunner runner(std::move(script), program, argv[2], log);
    status = runner.Run();
  } catch (const std::exception& e) {
    log << e.what() << "\n";
    status = 1;
  }
  if (status != 0) std::cerr << argv[1] << ": " << log.str();
  return status;
}
