// Mapping Windows paths through a crowded folder, and saving a long list
// the safe way (temporary file, flush, rename), as an install does.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "hostfs/hostfs.h"

namespace {

namespace fs = std::filesystem;

// A prefix whose combat folder holds `files` missions besides its list.
class Prefix {
 public:
  explicit Prefix(int files) {
    std::string pattern = (fs::temp_directory_path() / "xvt-bench-XXXXXX").string();
    if (!::mkdtemp(pattern.data())) std::abort();
    root_ = pattern;
    fs::create_directories(root_ / "dosdevices");
    fs::create_directories(root_ / "drive_c/Games/XvT/Combat");
    fs::create_symlink("../drive_c", root_ / "dosdevices/c:");
    for (int i = 0; i < files; ++i) std::ofstream(root_ / ("drive_c/Games/XvT/Combat/m" + std::to_string(i) + ".tie"));
    std::ofstream(root_ / "drive_c/Games/XvT/Combat/MISSION.LST") << "//\r\n[Missions]\r\n//\r\n";
  }
  ~Prefix() { fs::remove_all(root_); }
  const fs::path& root() const { return root_; }

 private:
  fs::path root_;
};

void BM_ToHostExactCase(benchmark::State& state) {
  Prefix prefix(static_cast<int>(state.range(0)));
  const hostfs::Drives drives(prefix.root());
  for (auto _ : state) benchmark::DoNotOptimize(drives.ToHost("C:\\Games\\XvT\\Combat\\MISSION.LST"));
}
BENCHMARK(BM_ToHostExactCase)->Arg(10)->Arg(10000)->Unit(benchmark::kMicrosecond);

// Every component in another case: each one is a scan of its folder.
void BM_ToHostOtherCase(benchmark::State& state) {
  Prefix prefix(static_cast<int>(state.range(0)));
  const hostfs::Drives drives(prefix.root());
  for (auto _ : state) benchmark::DoNotOptimize(drives.ToHost("c:\\games\\xvt\\combat\\mission.lst"));
}
BENCHMARK(BM_ToHostOtherCase)->Arg(10)->Arg(10000)->Unit(benchmark::kMicrosecond);

// A list of 100,000 missions is about 3 MB.
void BM_ReplaceFile(benchmark::State& state) {
  Prefix prefix(0);
  const hostfs::Drives drives(prefix.root());
  std::string list = "//\r\n[Missions]\r\n//\r\n";
  for (int i = 1; list.size() < static_cast<std::size_t>(state.range(0)); ++i)
    list += std::to_string(i) + "\r\nmission" + std::to_string(i) + ".tie\r\nMission number " + std::to_string(i) + "\r\n";
  for (auto _ : state) hostfs::ReplaceFile(drives, "C:\\Games\\XvT\\combat\\mission.lst", list);
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * list.size()));
}
BENCHMARK(BM_ReplaceFile)->Arg(3 << 20)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
