// xvtinst: the mission installer's main window over the user's Wine prefix
// ($WINEPREFIX, else ~/.wine), or over a scratch copy of the bundled demo
// prefix when that one has no game, so that a first run has lists to show.
#include <atomic>
#include <cstdlib>
#include <exception>
#include <filesystem>
#include <iostream>
#include <stdexcept>
#include <string>
#include <system_error>

#include <backend/sdl.h>
#include <win32/windows.h>

#include "catalogue/start_prefix.h"
#include "hostfs/hostfs.h"
#include "hostos/hostos.h"
#include "registry/registry.h"
#include "signals/signal_watch.h"
#include "ui/program.h"

namespace {

namespace fs = std::filesystem;

bool Set(const char* name) {
  const char* v = std::getenv(name);
  return v && *v;
}

int TellHowToRun(const char* self, const std::string& why) {
  if (!why.empty()) std::cerr << "xvtinst: " << why << "\n";
  std::cerr << "xvtinst: no display. Run it in a virtual X server: xvfb-run -a " << self << "\n";
  return 1;
}

int Usage(std::ostream& out, int status) {
  out << "usage: xvtinst\n"
         "Opens the mission installer's window. The games are read from the Wine prefix\n"
         "in WINEPREFIX (else ~/.wine); when it has neither game, a scratch copy of the\n"
         "demo prefix (XVTINST_DEMO_PREFIX, else the one installed with the program)\n"
         "is used and removed at exit. Needs a display: without one, run it under xvfb-run -a.\n";
  return status;
}

// XVTINST_DEMO_PREFIX when set; else the copy installed beside the program
// (share/xvtinst/demo-prefix next to its bin folder, wherever the tree was
// put); else, for a program run from its build folder, the source tree's.
fs::path DemoPrefix() {
  if (Set("XVTINST_DEMO_PREFIX")) return std::getenv("XVTINST_DEMO_PREFIX");
  std::error_code ec;
  if (fs::path self = hostos::ExecutablePath(); !self.empty()) {
    fs::path installed = self.parent_path() / XVTINST_DEMO_PREFIX_FROM_BIN;
    if (fs::exists(installed / "system.reg", ec)) return installed.lexically_normal();
  }
  return XVTINST_DEMO_PREFIX_DIR;
}

// The scratch copy of the demo prefix, removed whichever way the program
// ends: normally, on an error, or on a second Ctrl-C (from another thread).
class Scratch {
 public:
  void Keep(const catalogue::StartPrefix& start) {
    if (start.scratch) prefix_ = start.prefix;
    armed_ = start.scratch;
  }
  ~Scratch() { Remove(); }

  void Remove() noexcept {
    if (!armed_.exchange(false)) return;
    std::error_code ignored;
    fs::remove_all(prefix_, ignored);
    // The folder made for the copy goes too, but only once it is empty.
    fs::remove(prefix_.parent_path(), ignored);
  }

 private:
  fs::path prefix_;
  std::atomic<bool> armed_{false};
};

// An exception that escapes everything (one thrown while the windows are torn
// down, say) ends the program without unwinding: the copy goes first.
Scratch* g_scratch = nullptr;
std::terminate_handler g_previousTerminate = nullptr;

[[noreturn]] void RemoveScratchAndTerminate() {
  if (g_scratch) g_scratch->Remove();
  if (g_previousTerminate) g_previousTerminate();
  std::abort();
}

int RunProgram(const fs::path& prefix) {
  try {
    InitCommonControls();
    ui::Program program(prefix);
    program.CreateForms(std::cerr);
    program.Run();
    return 0;
  } catch (const std::exception& e) {
    std::cerr << "xvtinst: " << e.what() << "\n";
    return 1;
  }
}

}  // namespace

int main(int argc, char** argv) {
  if (argc > 1) {
    bool help = std::string(argv[1]) == "--help" || std::string(argv[1]) == "-h";
    return Usage(help ? std::cout : std::cerr, help ? 0 : 2);
  }
  if (!Set("DISPLAY") && !Set("WAYLAND_DISPLAY")) return TellHowToRun(argv[0], "");

  Scratch scratch;
  // Under a file-size limit a save fails as "Disk full" instead of killing us.
  hostos::IgnoreFileSizeSignal();
  // Before SDL starts, which would otherwise take SIGINT and SIGTERM for itself.
  DWORD uiThread = GetCurrentThreadId();
  signals::SignalWatch signals([uiThread] { return PostThreadMessageA(uiThread, WM_QUIT, 0, 0) != FALSE; },
                           [&scratch](int signal) {
                             hostfs::RemoveTemporaryFiles();  // a list being saved stays as it was
                             scratch.Remove();
                             std::_Exit(128 + signal);
                           });
  try {
    sdl::Start();
  } catch (const std::runtime_error& e) {
    return TellHowToRun(argv[0], e.what());
  }
  catalogue::StartPrefix start;
  try {
    start = catalogue::ChooseStartPrefix(registry::WinePrefix(""), DemoPrefix(), fs::temp_directory_path(), std::cerr);
  } catch (const std::exception& e) {
    std::cerr << "xvtinst: cannot prepare the demo prefix: " << e.what() << "\n";
    return 1;
  }
  scratch.Keep(start);
  g_scratch = &scratch;
  g_previousTerminate = std::set_terminate(RemoveScratchAndTerminate);
  int status = RunProgram(start.prefix);
  // Ended by Ctrl-C or kill: say so in the exit status, as a shell expects.
  if (status == 0 && signals.Received()) status = 128 + signals.Received();
  return status;
}
