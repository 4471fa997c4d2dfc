// The whole program on the headless screen: the time from ui::Program's
// construction to its main window painted, over a prefix whose system.reg
// has grown to 5 MB, and the CPU time it then spends per second of idle
// (clock, animations, caret) as the virtual clock runs.
#include <benchmark/benchmark.h>
#include <time.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <optional>
#include <sstream>

#include "backend/backend.h"
#include "backend/headless.h"
#include "framework/application.h"
#include "framework/forms.h"
#include "ui/program.h"
#include "win32/windows.h"

namespace {

namespace fs = std::filesystem;

fs::path DemoPrefixCopy(const std::string& name) {
  fs::path prefix = fs::temp_directory_path() / (name + "-" + std::to_string(::getpid()));
  fs::remove_all(prefix);
  fs::copy(fs::path(XVT_SOURCE_DIR) / "examples/demo-prefix", prefix,
           fs::copy_options::recursive | fs::copy_options::copy_symlinks);
  return prefix;
}

// A copy of the demo prefix whose registry also holds `bytes` of COM class
// registrations, the bulk of a much-used prefix, after the games' keys.
fs::path BigRegistryPrefix(std::size_t bytes) {
  fs::path prefix = DemoPrefixCopy("xvtinst-startup");
  std::ofstream reg(prefix / "system.reg", std::ios::binary | std::ios::app);
  std::size_t written = 0;
  for (unsigned n = 0; written < bytes; ++n) {
    std::ostringstream key;
    key << "\n[Software\\\\Classes\\\\CLSID\\\\{" << std::hex << 0x10000000u + n
        << "-0000-4000-8000-00aa00bb00cc}\\\\InprocServer32] 1700000000\n"
        << "#time=1da1a2b3c4d5e6f\n@=\"C:\\\\windows\\\\system32\\\\component" << std::dec << n << ".dll\"\n"
        << "\"ThreadingModel\"=\"Both\"\n";
    reg << key.str();
    written += key.str().size();
  }
  return prefix;
}

// Serves what is queued, paint included, so the main window is on screen.
bool PaintedNow() {
  Application->ProcessMessages();
  return !headless::TakePresented().empty();
}

double ProcessCpuMs() {
  timespec t{};
  clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
  return static_cast<double>(t.tv_sec) * 1e3 + static_cast<double>(t.tv_nsec) / 1e6;
}

void BM_StartupToFirstPaint(benchmark::State& state) {
  fs::path prefix = BigRegistryPrefix(static_cast<std::size_t>(state.range(0)) * 1024 * 1024);
  headless::Start();
  InitCommonControls();
  std::ostringstream warnings;
  for (auto _ : state) {
    std::optional<ui::Program> program;
    program.emplace(prefix);
    program->CreateForms(warnings);
    Application->MainForm()->Show();
    bool painted = PaintedNow();
    state.PauseTiming();
    program.reset();
    headless::TakePresented();
    state.ResumeTiming();
    if (!painted) state.SkipWithError("the main window was never presented");
  }
  state.counters["registry_MB"] = static_cast<double>(fs::file_size(prefix / "system.reg")) / (1024.0 * 1024.0);
  fs::remove_all(prefix);
}
// The demo's own registry (under 1 KB), then one grown to 5 MB.
BENCHMARK(BM_StartupToFirstPaint)->Arg(0)->Arg(5)->Unit(benchmark::kMillisecond);

// One iteration is one second of idle on the virtual clock, served by the
// application's own loop: each wait that would block moves the clock to
// what falls due instead, so the loop wakes as often as on a real display.
void BM_IdleCpuPerSecond(benchmark::State& state) {
  fs::path prefix = DemoPrefixCopy("xvtinst-idle");
  headless::Start();
  InitCommonControls();
  std::ostringstream warnings;
  {
    ui::Program program(prefix);
    program.CreateForms(warnings);
    Application->MainForm()->Show();
    PaintedNow();
    // With nothing else due, a wait with no end would never return: this
    // timer bounds it at one wake-up a second.
    UINT_PTR bound = SetTimer(nullptr, 0, 1000, nullptr);
    headless::SetIdleAdvance(true);
    double cpuMs = 0;
    std::size_t turns = 0, presents = 0;
    for (auto _ : state) {
      double before = ProcessCpuMs();
      for (std::uint64_t end = backend::NowMs() + 1000; backend::NowMs() < end; ++turns) Application->HandleMessage();
      cpuMs += ProcessCpuMs() - before;
      presents += headless::TakePresented().size();
    }
    headless::SetIdleAdvance(false);
    KillTimer(nullptr, bound);
    auto seconds = static_cast<double>(state.iterations());
    state.counters["cpu_ms_per_idle_s"] = cpuMs / seconds;
    state.counters["loop_turns_per_idle_s"] = static_cast<double>(turns) / seconds;
    state.counters["presents_per_idle_s"] = static_cast<double>(presents) / seconds;
  }
  fs::remove_all(prefix);
}
BENCHMARK(BM_IdleCpuPerSecond)->Unit(benchmark::kMillisecond)->MeasureProcessCPUTime()->Iterations(10);

}  // namespace

BENCHMARK_MAIN();
