// The demo program on a real X server, driven by xdotool: a click moves the
// square, R paints it red, P opens a pop-up without taking the keyboard,
// S writes the window's pixels, which are checked here. Each step waits for
// what it needs (a frame on the screen, the focus, the snapshot's line) by a
// bounded poll, never for a guessed time.
#include <gtest/gtest.h>

#include <png.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <fcntl.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <thread>
#include <vector>

extern char** environ;

namespace {

// Starts argv; with `out` given, its standard output and error go to that file.
pid_t Start(const std::vector<std::string>& argv, const std::string& out = "") {
  std::vector<char*> args;
  for (const std::string& a : argv) args.push_back(const_cast<char*>(a.c_str()));
  args.push_back(nullptr);
  posix_spawn_file_actions_t files;
  posix_spawn_file_actions_init(&files);
  if (!out.empty()) {
    posix_spawn_file_actions_addopen(&files, 1, out.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    posix_spawn_file_actions_adddup2(&files, 1, 2);
  }
  pid_t pid = -1;
  int rc = posix_spawnp(&pid, args[0], &files, nullptr, args.data(), environ);
  posix_spawn_file_actions_destroy(&files);
  return rc == 0 ? pid : -1;
}

// How many lines of the file are exactly `line`.
int CountLines(const std::string& path, const std::string& line) {
  std::ifstream in(path);
  int n = 0;
  for (std::string l; std::getline(in, l);) n += l == line;
  return n;
}

// The program's last word on the keyboard focus of the window so captioned
// is that it has it.
bool ProgramFocused(const std::string& path, const std::string& title) {
  std::ifstream in(path);
  std::string gained = "xvt: focus gained \"" + title + "\"", lost = "xvt: focus lost \"" + title + "\"", last;
  for (std::string l; std::getline(in, l);)
    if (l == gained || l == lost) last = l;
  return last == gained;
}

int RunTool(const std::vector<std::string>& argv) {
  pid_t pid = Start(argv);
  int status = 0;
  if (pid < 0 || waitpid(pid, &status, 0) < 0) return -1;
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

std::string Output(const std::string& command) {
  std::string out;
  if (FILE* f = popen(command.c_str(), "r")) {
    char buf[256];
    while (fgets(buf, sizeof buf, f)) out += buf;
    pclose(f);
  }
  while (!out.empty() && (out.back() == '\n' || out.back() == ' ')) out.pop_back();
  return out.substr(0, out.find('\n'));
}

struct Image {
  int width = 0, height = 0;
  std::vector<png_byte> rgb;
  unsigned At(int x, int y) const {
    const png_byte* p = &rgb[(static_cast<std::size_t>(y) * width + x) * 3];
    return (p[0] << 16) | (p[1] << 8) | p[2];
  }
};

bool ReadPng(const std::string& path, Image& img) {
  png_image im{};
  im.version = PNG_IMAGE_VERSION;
  if (!png_image_begin_read_from_file(&im, path.c_str())) return false;
  im.format = PNG_FORMAT_RGB;
  img.width = static_cast<int>(im.width), img.height = static_cast<int>(im.height);
  img.rgb.resize(PNG_IMAGE_SIZE(im));
  return png_image_finish_read(&im, nullptr, img.rgb.data(), 0, nullptr) != 0;
}

bool WaitFor(const std::function<bool()>& done, int seconds) {
  auto end = std::chrono::steady_clock::now() + std::chrono::seconds(seconds);
  while (std::chrono::steady_clock::now() < end) {
    if (done()) return true;
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
  }
  return false;
}

TEST(Win32Demo, ClickKeysAndPopupUnderXvfb) {
  if (!std::getenv("DISPLAY")) GTEST_SKIP() << "no DISPLAY";
  if (RunTool({"xdotool", "version"}) != 0) GTEST_SKIP() << "no xdotool";
  auto dir = std::filesystem::temp_directory_path() / ("xvt-demo-" + std::to_string(getpid()));
  std::filesystem::create_directories(dir);
  std::string snap = (dir / "snap.png").string(), log = (dir / "demo.log").string();
  setenv("XVT_REPORT_HOST", "1", 1);
  pid_t demo = Start({XVT_DEMO, snap}, log);
  ASSERT_GT(demo, 0);
  auto frames = [&](const std::string& title) { return CountLines(log, "xvt: frame shown \"" + title + "\""); };

  std::string win;
  ASSERT_TRUE(WaitFor([&] { return !(win = Output("xdotool search --onlyvisible --name 'Win32 demo'")).empty(); }, 30))
      << "the demo's window was not mapped within 30 s";
  ASSERT_TRUE(WaitFor([&] { return frames("Win32 demo") >= 1; }, 30))
      << "the demo's first frame did not reach the screen within 30 s";
  // The server holds the focus there and the demo has seen it: keys typed
  // before it served the change could be lost.
  ASSERT_TRUE(WaitFor(
      [&] {
        if (Output("xdotool getwindowfocus") != win) {
          RunTool({"xdotool", "windowfocus", win});
          return false;
        }
        return ProgramFocused(log, "Win32 demo");
      },
      10))
      << "the demo's window " << win << " did not take the keyboard focus within 10 s; the focus is on "
      << Output("xdotool getwindowfocus 2>&1");
  RunTool({"xdotool", "mousemove", "--sync", "--window", win, "150", "120"});
  RunTool({"xdotool", "click", "1"});
  RunTool({"xdotool", "key", "r", "p"});
  ASSERT_TRUE(WaitFor([&] { return frames("") >= 1; }, 10)) << "the pop-up's frame did not reach the screen within 10 s";
  RunTool({"xdotool", "key", "s"});
  ASSERT_TRUE(WaitFor([&] { return CountLines(log, "snapshot " + snap + " written") == 1; }, 10))
      << "no snapshot written within 10 s (the pop-up may have taken the keyboard)";

  Image img;
  ASSERT_TRUE(ReadPng(snap, img));
  EXPECT_EQ(img.width, 320);
  EXPECT_EQ(img.At(150, 120), 0xFF0000u) << "the square follows the click and turns red";
  EXPECT_EQ(img.At(20, 20), 0xFFFFFFu) << "nothing left where it started";
  EXPECT_EQ(img.At(139, 120), 0xFFFFFFu);
  EXPECT_EQ(img.At(140, 110), 0xFF0000u);

  RunTool({"xdotool", "key", "Escape"});
  int status = 0;
  if (!WaitFor([&] { return waitpid(demo, &status, WNOHANG) == demo; }, 5)) {
    kill(demo, SIGTERM);
    waitpid(demo, &status, 0);
    ADD_FAILURE() << "Escape did not end the demo";
  }
  std::filesystem::remove_all(dir);
}

}  // namespace
