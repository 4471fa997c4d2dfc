#include "runner.h"

#include <cstdlib>
#include <fstream>

#include "backend/headless.h"
#include "framework/datetime.h"

namespace scene {

namespace fs = std::filesystem;

namespace {

SceneRunner* active = nullptr;  // the timer procedure has no context of its own

fs::path CopyPrefix(const fs::path& dir) {
  std::string pattern = (fs::temp_directory_path() / "xvtinst-scene-XXXXXX").string();
  std::vector<char> buf(pattern.begin(), pattern.end());
  buf.push_back('\0');
  if (!::mkdtemp(buf.data())) throw std::runtime_error("cannot make a scratch folder");
  fs::path copy = fs::path(buf.data()) / "prefix";
  fs::copy(dir, copy, fs::copy_options::recursive | fs::copy_options::copy_symlinks);
  return copy;
}

}  // namespace

void RunClockFrom(double when) {
  const ULONGLONG from = GetTickCount64();
  SetTimeSource([when, from] { return when + static_cast<double>(GetTickCount64() - from) / MSecsPerDay; });
}

SceneRunner::SceneRunner(std::vector<Command> script, SceneProgram& program, fs::path outDir, std::ostream& log)
    : script_(std::move(script)), program_(program), outDir_(std::move(outDir)), log_(log) {}

SceneRunner::~SceneRunner() {
  if (active == this) active = nullptr;
  if (!scratch_.empty()) {
    std::error_code ignored;
    fs::remove_all(scratch_.parent_path(), ignored);
  }
}

int SceneRunner::Run() {
  fs::create_directories(outDir_);
  // Until `start` there is no message loop: run the commands directly.
  while (next_ < script_.size() && script_[next_].kind != ckStart) {
    const Command& c = script_[next_++];
    try {
      Execute(c);
    } catch (const std::exception& e) {
      log_ << "line " << c.line << ": " << e.what() << "\n";
      return 1;
    }
  }
  if (next_ >= script_.size()) return status_;
  // The script's timer runs from `start` on, so that a box the program
  // shows while it starts (a bad registry value, say) is driven as well.
  active = this;
  headless::SetIdleAdvance(true);
  timer_ = SetTimer(nullptr, 0, kTickMs, &SceneRunner::TimerProc);
  const Command& start = script_[next_++];
  try {
    Execute(start);
  } catch (const std::exception& e) {
    log_ << "line " << start.line << ": " << e.what() << "\n";
    Finish(1);
  }
  if (!finished_) program_.RunLoop();
  // The program may end on its own (Exit, its main window closed): the
  // commands it left unplayed make the script fail.
  if (!finished_ && next_ < script_.size()) {
    log_ << "line " << script_[next_].line << ": the program ended before this command\n";
    status_ = 1;
  }
  finished_ = true;
  if (timer_) KillTimer(nullptr, timer_);
  timer_ = 0;
  active = nullptr;
  return status_;
}

VOID CALLBACK SceneRunner::TimerProc(HWND, UINT, UINT_PTR, DWORD) {
  if (active) active->Tick();
}

void SceneRunner::Tick() {
  if (busy_ || finished_) return;
  if (waitTicks_ > 0) {
    --waitTicks_;
    return;
  }
  if (next_ >= script_.size()) return Finish(0);
  busy_ = true;
  const Command& c = script_[next_++];
  try {
    Execute(c);
  } catch (const std::exception& e) {
    log_ << "line " << c.line << ": " << e.what() << "\n";
    busy_ = false;
    return Finish(1);
  }
  busy_ = false;
}

void SceneRunner::Finish(int status) {
  finished_ = true;
  status_ = status;
  if (timer_) KillTimer(nullptr, timer_);
  timer_ = 0;
  program_.Quit();
}

void SceneRunner::Input(const Command& c) {
  auto clickWith = [&](int button) {
    headless::MoveMouse(c.x, c.y);
    headless::PressMouse(button);
    headless::ReleaseMouse(button);
  };
  switch (c.kind) {
    case ckMove: headless::MoveMouse(c.x, c.y); break;
    case ckClick: clickWith(0); break;
    case ckRClick: clickWith(1); break;
    case ckDblClick: clickWith(0); clickWith(0); break;
    case ckDown: headless::MoveMouse(c.x, c.y); headless::PressMouse(0); break;
    case ckUp: headless::MoveMouse(c.x, c.y); headless::ReleaseMouse(0); break;
    case ckKey:
      for (unsigned m : c.key.modifiers) headless::PressKey(m);
      headless::PressKey(c.key.vk);
      headless::ReleaseKey(c.key.vk);
      for (auto it = c.key.modifiers.rbegin(); it != c.key.modifiers.rend(); ++it) headless::ReleaseKey(*it);
      break;
    case ckType: headless::TypeText(c.text); break;
    default: break;
  }
}

void SceneRunner::Execute(const Command& c) {
  if (!started_ && c.kind != ckPrefix && c.kind != ckStart && c.kind != ckClock)
    throw std::runtime_error("only prefix and clock can come before start");
  switch (c.kind) {
    case ckPrefix:
      if (started_) throw std::runtime_error("prefix must come before start");
      if (!scratch_.empty()) fs::remove_all(scratch_.parent_path());
      scratch_ = CopyPrefix(c.text);
      program_.UsePrefix(scratch_);
      break;
    case ckStart:
      if (started_) throw std::runtime_error("the program has started already");
      started_ = true;  // commands may run inside Start's own loops
      program_.Start();
      break;
    case ckClock: RunClockFrom(c.when); break;
    case ckWait: waitTicks_ = c.ms / kTickMs; break;
    case ckShot:
      if (!headless::SaveScreen((outDir_ / c.text).string())) throw std::runtime_error("cannot write " + c.text);
      break;
    case ckDump: {
      std::ofstream out(outDir_ / c.text, std::ios::binary);
      WriteDump(out, program_.Dump());
      if (!out) throw std::runtime_error("cannot write " + c.text);
      break;
    }
    case ckFile: fs::copy_file(program_.HostPath(c.text), outDir_ / c.file, fs::copy_options::overwrite_existing); break;
    default: Input(c); break;
  }
}

}  // namespace scene
