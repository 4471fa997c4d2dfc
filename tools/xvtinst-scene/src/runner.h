// Plays a scene script against the program on the headless backend. The
// commands after `start` run one per tick of a thread timer: a timer
// message arrives only when a message loop has nothing else to serve, so
// each command sees all earlier messages served, and a modal loop (a
// dialog, a message box, the file dialog) runs the next commands just as
// the main loop does. The backend's idle advance moves the virtual clock
// to that timer, so one command costs one timer period of virtual time and
// `wait MS` lets MS / 10 periods pass.
#pragma once
#include <filesystem>
#include <ostream>
#include <string>
#include <vector>

#include "dump.h"
#include "script.h"
#include "win32/windows.h"

namespace scene {

// The program as the runner sees it.
class SceneProgram {
 public:
  virtual ~SceneProgram() = default;
  virtual void UsePrefix(const std::filesystem::path& prefix) = 0;
  virtual void Start() = 0;    // create the windows and show the main window
  virtual void RunLoop() = 0;  // the message loop, until Quit
  virtual void Quit() = 0;
  virtual std::vector<DumpNode> Dump() = 0;
  // The host file behind a Windows path of the prefix in use.
  virtual std::filesystem::path HostPath(const std::string& windowsPath) = 0;
};

inline constexpr int kTickMs = 10;

// Local date and time run on the virtual clock from `when` (a TDateTime)
// as of now.
void RunClockFrom(double when);

class SceneRunner {
 public:
  SceneRunner(std::vector<Command> script, SceneProgram& program, std::filesystem::path outDir, std::ostream& log);
  ~SceneRunner();
  // Plays the script; 0 when every command ran, 1 when one failed (the
  // failure is logged with its line and the script stops there).
  int Run();

 private:
  void Execute(const Command& c);
  void Tick();
  void Finish(int status);
  void Input(const Command& c);
  static VOID CALLBACK TimerProc(HWND, UINT, UINT_PTR, DWORD);

  std::vector<Command> script_;
  SceneProgram& program_;
  std::filesystem::path outDir_;
  std::ostream& log_;
  std::size_t next_ = 0;
  int waitTicks_ = 0;
  bool started_ = false;
  bool busy_ = false;
  bool finished_ = false;
  int status_ = 0;
  UINT_PTR timer_ = 0;
  std::filesystem::path scratch_;
};

}  // namespace scene
