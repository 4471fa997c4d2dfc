// The tree build over the lists of both games and one installation into a
// long list, for lists of 1,000 to 100,000 missions.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "catalogue/catalogue.h"
#include "hostfs/hostfs.h"

namespace {

using namespace catalogue;

// A status bar that keeps its texts, as a window's panels do.
struct KeepingStatus : StatusSink {
  std::string panel[2];
  void SetPanelText(int index, std::string_view text) override { panel[index].assign(text); }
};

// A list of `missions` missions in sections of 40, CR LF endings.
std::string MakeList(int missions, int firstNumber) {
  std::vector<std::string> lines;
  for (int i = 0; i < missions; ++i) {
    if (i % 40 == 0) {
      lines.push_back("//");
      lines.push_back("[Campaign Section " + std::to_string(i / 40) + "]");
      lines.push_back("//");
    }
    lines.push_back(std::to_string(firstNumber + i));
    lines.push_back("mission" + std::to_string(i) + ".tie");
    lines.push_back("Invented Mission Title Number " + std::to_string(i));
  }
  return JoinLines(lines);
}

const char* const kSuffixes[] = {"\\Train\\Imperial.lst", "\\Train\\rebel.lst", "\\melee\\mission.lst",
                                 "\\combat\\mission.lst"};

void BM_BuildTree(benchmark::State& state) {
  const int total = static_cast<int>(state.range(0));
  GameInstalls installs{{"C:\\XvT", true}, {"C:\\XvT\\BoP", true}};
  MemoryListFiles files;
  for (const GameInstall* game : {&installs.xvt, &installs.bop}) {
    for (const char* suffix : kSuffixes) files.Put(game->path + suffix, MakeList(total / 8, 1));
  }
  MemoryTree tree;
  KeepingStatus status;
  SystemClock clock;
  BuildState build;
  for (auto _ : state) {
    BuildMissionTree(installs, BuildOptions{}, files, tree, status, clock, build);
    benchmark::DoNotOptimize(tree.Count());
  }
  state.SetComplexityN(total);
  state.counters["missions"] = build.missionTotal;
}
BENCHMARK(BM_BuildTree)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond)->Complexity(benchmark::oN);

void BM_InsertIntoMemoryList(benchmark::State& state) {
  const int total = static_cast<int>(state.range(0));
  const std::string list = MakeList(total, 1);
  MemoryListFiles files;
  TextBuffer buffer(files);
  const NewMission mission{"[Campaign Section " + std::to_string(total / 80) + "]", "new.tie", "New Mission"};
  for (auto _ : state) {
    state.PauseTiming();
    files.Put("C:\\XvT\\combat\\mission.lst", list);
    state.ResumeTiming();
    benchmark::DoNotOptimize(InsertIntoList("C:\\XvT\\combat\\mission.lst", mission, files, buffer, false));
  }
  state.SetComplexityN(total);
}
BENCHMARK(BM_InsertIntoMemoryList)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond)
    ->Complexity(benchmark::oN);

// The whole install on disk: reading, three passes, saving through a
// flushed temporary file renamed over the list.
void BM_InstallOnDisk(benchmark::State& state) {
  const int total = static_cast<int>(state.range(0));
  namespace fs = std::filesystem;
  std::string pattern = (fs::temp_directory_path() / "xvt-bench-XXXXXX").string();
  if (!mkdtemp(pattern.data())) {
    state.SkipWithError("mkdtemp failed");
    return;
  }
  fs::path dir = pattern;
  fs::create_directories(dir / "drive_c" / "XvT" / "combat");
  fs::create_directories(dir / "dosdevices");
  fs::create_directory_symlink("../drive_c", dir / "dosdevices" / "c:");
  const std::string list = MakeList(total, 1);
  std::ofstream(dir / "drive_c" / "XvT" / "combat" / "mission.lst", std::ios::binary) << list;
  hostfs::Drives drives(dir);
  HostListFiles files(drives);
  TextBuffer buffer(files);
  const NewMission mission{"[Campaign Section 1]", "new.tie", "New Mission"};
  for (auto _ : state) {
    benchmark::DoNotOptimize(InsertIntoList("C:\\XvT\\combat\\mission.lst", mission, files, buffer, false));
  }
  fs::remove_all(dir);
}
BENCHMARK(BM_InstallOnDisk)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond)->Iterations(20);

}  // namespace

BENCHMARK_MAIN();
