// The runner against a small program of plain windows on the headless
// backend: commands keep running while a message box holds its own loop.
#include "runner.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "backend/headless.h"
#include "win32/windows.h"

namespace scene {
namespace {

namespace fs = std::filesystem;

LRESULT CALLBACK BoxOnCommand(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_COMMAND) {
    MessageBoxA(hwnd, "Hello", "Box", MB_OK);
    return 0;
  }
  return DefWindowProcA(hwnd, msg, wp, lp);
}

class ButtonProgram : public SceneProgram {
 public:
  fs::path prefix;
  int starts = 0;
  void UsePrefix(const fs::path& p) override { prefix = p; }
  void Start() override {
    ++starts;
    InitCommonControls();
    WNDCLASSA wc{};
    wc.lpfnWndProc = BoxOnCommand;
    wc.lpszClassName = "SceneTestMain";
    RegisterClassA(&wc);
    main_ = CreateWindowExA(0, "SceneTestMain", "Main", WS_POPUP | WS_VISIBLE, 100, 100, 200, 100, nullptr, nullptr,
                            nullptr, nullptr);
    CreateWindowExA(0, "BUTTON", "Go", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, 10, 10, 80, 24, main_,
                    reinterpret_cast<HMENU>(1), nullptr, nullptr);
  }
  void RunLoop() override {
    MSG m;
    while (GetMessageA(&m, nullptr, 0, 0) > 0) {
      TranslateMessage(&m);
      DispatchMessageA(&m);
    }
  }
  void Quit() override { PostQuitMessage(0); }
  std::vector<DumpNode> Dump() override {
    std::vector<DumpNode> out{{"main", "", "", std::nullopt, 0, {}}};
    if (FindWindowA(nullptr, "Box")) out.push_back({"box", "", "", std::nullopt, dfVisible, {}});
    out.push_back({"tick", "", std::to_string(GetTickCount()), std::nullopt, 0, {}});
    return out;
  }
  fs::path HostPath(const std::string& windowsPath) override { return prefix / windowsPath; }

 private:
  HWND main_ = nullptr;
};

std::string Slurp(const fs::path& p) {
  std::ifstream in(p, std::ios::binary);
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}

TEST(SceneRunner, DrivesAMessageBoxLoopAndCopiesFromTheScratchPrefix) {
  headless::Start();
  fs::path root = fs::temp_directory_path() / ("xvtinst-scene-test-" + std::to_string(::getpid()));
  fs::remove_all(root);
  fs::create_directories(root / "prefix" / "drive_c");
  std::ofstream(root / "prefix" / "drive_c" / "a.lst") << "x";

  ButtonProgram program;
  std::ostringstream log;
  auto script = ParseScript("prefix " + (root / "prefix").string() +
                            "\nstart\nclick 120 120\ndump open.txt\nkey Return\ndump closed.txt\nwait 500\n"
                            "dump later.txt\nfile drive_c/a.lst a.lst\n");
  int status;
  {
    SceneRunner runner(script, program, root / "out", log);
    status = runner.Run();
    // The scratch copy is the program's, not the original.
    EXPECT_NE(program.prefix, root / "prefix");
    EXPECT_TRUE(fs::exists(program.prefix / "drive_c" / "a.lst"));
  }
  EXPECT_EQ(status, 0) << log.str();
  EXPECT_EQ(program.starts, 1);
  EXPECT_NE(Slurp(root / "out" / "open.txt").find("box\t"), std::string::npos);
  EXPECT_EQ(Slurp(root / "out" / "closed.txt").find("box\t"), std::string::npos);
  auto tick = [&](const char* file) {
    std::string d = Slurp(root / "out" / file);
    return std::stol(d.substr(d.find("tick\t\t") + 6));
  };
  EXPECT_GE(tick("later.txt") - tick("closed.txt"), 500);
  EXPECT_LT(tick("later.txt") - tick("closed.txt"), 500 + 3 * kTickMs);
  EXPECT_EQ(Slurp(root / "out" / "a.lst"), "x");
  EXPECT_FALSE(fs::exists(program.prefix));  // the scratch copy goes with the runner
  fs::remove_all(root);
}

TEST(SceneRunner, AFailingCommandStopsTheScriptWithItsLine) {
  headless::Start();
  ButtonProgram program;
  std::ostringstream log;
  fs::path out = fs::temp_directory_path() / ("xvtinst-scene-fail-" + std::to_string(::getpid()));
  SceneRunner runner(ParseScript("start\nfile C:\\nothing.lst n.lst\ndump never.txt\n"), program, out, log);
  EXPECT_EQ(runner.Run(), 1);
  EXPECT_NE(log.str().find("line 2:"), std::string::npos);
  EXPECT_FALSE(fs::exists(out / "never.txt"));
  fs::remove_all(out);
}

// A program whose start-up shows a box (as a bad registry value does): the
// box's own loop plays the commands after `start`, and the script goes on
// in the main loop once it is closed.
class BoxAtStartProgram : public ButtonProgram {
 public:
  bool closed = false;
  void Start() override {
    ButtonProgram::Start();
    MessageBoxA(nullptr, "Bad value", "Box", MB_OK);
    closed = true;
  }
};

TEST(SceneRunner, ABoxShownWhileStartingIsDrivenByTheScript) {
  headless::Start();
  BoxAtStartProgram program;
  std::ostringstream log;
  fs::path out = fs::temp_directory_path() / ("xvtinst-scene-startbox-" + std::to_string(::getpid()));
  SceneRunner runner(ParseScript("start\ndump box.txt\nkey Return\ndump after.txt\n"), program, out, log);
  EXPECT_EQ(runner.Run(), 0) << log.str();
  EXPECT_TRUE(program.closed);
  EXPECT_NE(Slurp(out / "box.txt").find("box\t"), std::string::npos);
  EXPECT_EQ(Slurp(out / "after.txt").find("box\t"), std::string::npos);
  fs::remove_all(out);
}

}  // namespace
}  // namespace scene
