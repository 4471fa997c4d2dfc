// Start-up and build costs of the main window's commands: reading the
// install paths from a 5 MB system.reg, and a Build of 100,000 missions
// into the real tree view and status bar on the headless backend.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>

#include "backend/headless.h"
#include "catalogue/catalogue.h"
#include "registry/registry.h"
#include "ui/main_commands.h"
#include "catalogue/start_prefix.h"
#include "ui/tree_adapter.h"
#include "win32/windows.h"

namespace {

namespace fs = std::filesystem;
using namespace catalogue;

// A system.reg of about `bytes` bytes: the two games' keys among many
// unrelated keys, as a used prefix holds them.
std::string FillerRegistry(std::size_t bytes) {
  std::string out = "WINE REGISTRY Version 2\n;; All keys relative to \\\\Machine\n\n";
  out += "[Software\\\\LucasArts Entertainment Company\\\\X-Wing vs. TIE Fighter\\\\1.0] 1\n";
  out += "\"Install Path\"=\"C:\\\\Games\\\\XvT\"\n\n";
  for (unsigned n = 0; out.size() < bytes; ++n) {
    out += "[Software\\\\Vendor" + std::to_string(n % 40) + "\\\\Product " + std::to_string(n) + "] 1\n";
    out += "\"Path\"=\"C:\\\\Program Files\\\\Product " + std::to_string(n) + "\"\n\"Version\"=dword:0000" +
           std::to_string(1000 + n % 9000) + "\n\n";
  }
  out += "[Software\\\\LucasArts Entertainment Company\\\\X-Wing vs. TIE Fighter\\\\2.0] 1\n";
  out += "\"Install Path\"=\"C:\\\\Games\\\\BoP\"\n";
  return out;
}

void BM_StartupInstallPaths(benchmark::State& state) {
  fs::path prefix = fs::temp_directory_path() / ("xvtinst-bench-" + std::to_string(::getpid()));
  fs::create_directories(prefix);
  std::string text = FillerRegistry(5 * 1024 * 1024);
  std::ofstream(prefix / "system.reg", std::ios::binary) << text;
  std::ostringstream warnings;
  for (auto _ : state) {
    // The start-up's two registry passes: choosing the prefix, then FormCreate.
    bool games = catalogue::PrefixHasGames(prefix, warnings);
    auto reg = registry::OpenWineRegistry(prefix, warnings);
    GameInstalls installs = ReadInstallPaths(*reg);
    benchmark::DoNotOptimize(games);
    benchmark::DoNotOptimize(installs);
  }
  state.counters["MB"] = static_cast<double>(text.size()) / (1024.0 * 1024.0);
  fs::remove_all(prefix);
}
BENCHMARK(BM_StartupInstallPaths)->Unit(benchmark::kMillisecond);

// 100,000 missions over the eight lists, 100 to a section.
void PutBigLists(MemoryListFiles& files) {
  const char* suffixes[] = {"\\Train\\Imperial.lst", "\\Train\\rebel.lst", "\\melee\\mission.lst",
                            "\\combat\\mission.lst"};
  int number = 0;
  for (const char* game : {"C:\\Games\\XvT", "C:\\Games\\BoP"}) {
    for (const char* suffix : suffixes) {
      std::vector<std::string> lines;
      for (int m = 0; m < 12500; ++m) {
        if (m % 100 == 0) {
          lines.insert(lines.end(), {"//", "[Section " + std::to_string(m / 100) + "]", "//"});
        }
        lines.push_back(std::to_string(++number));
        lines.push_back("m" + std::to_string(number) + ".tie");
        lines.push_back("Mission " + std::to_string(number));
      }
      files.Put(std::string(game) + suffix, JoinLines(lines));
    }
  }
}

class NoControls : public ui::MainWindowControls {
 public:
  void SetPathCaptions(const std::string&, const std::string&) override {}
  void SetRefreshCaption(const std::string&) override {}
  void SetOpenFileEnabled(bool) override {}
  void ShowInstructions() override {}
  void ShowAbout() override {}
  void Terminate() override {}
  void SetMenuFades(bool) override {}
};

class NoPrompts : public Prompts {
 public:
  void Information(const std::string&) override {}
  void Error(const std::string&) override {}
};

class NoDialog : public FileOpenDialog {
 public:
  std::optional<std::string> Choose(const std::string&, const std::string&) override { return std::nullopt; }
};

void BM_Build100kMissions(benchmark::State& state) {
  headless::Start();
  InitCommonControls();
  HWND window = CreateWindowExA(0, WC_TREEVIEWA, "", WS_POPUP | WS_VISIBLE | TVS_HASBUTTONS | TVS_HASLINES, 0, 19,
                                433, 403, nullptr, nullptr, nullptr, nullptr);
  TTreeNodes store;
  store.AttachWindow(window);
  HWND bar = CreateWindowExA(0, STATUSCLASSNAMEA, "", WS_POPUP | WS_VISIBLE, 0, 422, 734, 19, nullptr, nullptr,
                             nullptr, nullptr);
  TStatusPanels panels;
  panels.AttachWindow(bar);
  panels.Add()->SetWidth(300);
  panels.Add()->SetWidth(275);
  ui::StatusPanelsSink status(panels);
  ui::TreeNodesTree tree(store);
  MemoryListFiles files;
  PutBigLists(files);
  PlainMissionDetails details;
  ui::PlainMenuItems menu;
  NoControls controls;
  NoPrompts prompts;
  NoDialog dialog;
  PlainConfirmDialog confirm;
  TextBuffer contents(files);
  SystemClock clock;
  ui::MainCommands commands({details, tree, status, menu, controls, prompts, dialog, confirm, contents}, files,
                            clock);
  registry::MemoryRegistry reg;
  reg.SetString(kXvTKey, kInstallPathValue, "C:\\Games\\XvT");
  reg.SetString(kBoPKey, kInstallPathValue, "C:\\Games\\BoP");
  commands.ReadInstallPaths(reg);
  for (auto _ : state) {
    commands.RefreshClick();
    // The tree view paints what the build left on screen.
    RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
  }
  state.counters["missions"] = commands.Build().missionTotal;
  state.counters["nodes"] = store.Count();
  store.DetachWindow();
  panels.DetachWindow();
  DestroyWindow(window);
  DestroyWindow(bar);
}
BENCHMARK(BM_Build100kMissions)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace

BENCHMARK_MAIN();
