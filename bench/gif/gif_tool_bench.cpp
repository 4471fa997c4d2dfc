// gif_tool_bench [GIFINFO GIFLIB_INDICES] | --write FILE: the whole `gifinfo --indices`
// run against a small giflib program doing the same, on a 3200 x 2400
// plasma of 255 colours (made here with giflib's encoder): CPU time (user
// plus system, best of several runs) and peak resident size of each
// process, their ratio, and our peak against the budget of twice the
// pixels plus the file size. --write only writes the picture, for a
// profiler run (valgrind --tool=callgrind gifinfo --indices FILE DIR).
#include <gif_lib.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

constexpr int kWidth = 3200, kHeight = 2400, kRuns = 7;

bool WritePlasma(const std::string& path) {
  int error = 0;
  GifFileType* gif = EGifOpenFileName(path.c_str(), false, &error);
  if (!gif) return false;
  std::vector<GifColorType> colours(256);
  for (int i = 0; i < 256; ++i)
    colours[i] = GifColorType{GifByteType(i), GifByteType(255 - i), GifByteType((i * 7) & 255)};
  ColorMapObject* map = GifMakeMapObject(256, colours.data());
  EGifPutScreenDesc(gif, kWidth, kHeight, 8, 0, map);
  EGifPutImageDesc(gif, 0, 0, kWidth, kHeight, false, nullptr);
  std::vector<GifPixelType> row(kWidth);
  for (int y = 0; y < kHeight; ++y) {
    for (int x = 0; x < kWidth; ++x) {
      const double v = std::sin(x / 37.0) + std::sin(y / 23.0) + std::sin((x + y) / 41.0) +
                       std::sin(std::sqrt(double(x) * x + double(y) * y) / 29.0);
      row[x] = GifPixelType(std::lround((v + 4) / 8 * 254));  // 0..254: 255 colours
    }
    if (EGifPutLine(gif, row.data(), kWidth) != GIF_OK) return false;
  }
  GifFreeMapObject(map);
  return EGifCloseFile(gif, &error) == GIF_OK;
}

std::string Slurp(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

struct Run {
  double cpuMs = 1e300;
  long peakKb = 0;
};

// Runs the program a few times; the best CPU time and the largest peak.
Run Measure(const std::string& program, const std::vector<std::string>& args) {
  Run best;
  for (int i = 0; i < kRuns; ++i) {
    const pid_t pid = fork();
    if (pid == 0) {
      std::vector<char*> argv{const_cast<char*>(program.c_str())};
      for (const std::string& a : args) argv.push_back(const_cast<char*>(a.c_str()));
      argv.push_back(nullptr);
      if (!std::freopen("/dev/null", "w", stdout)) _exit(127);
      execv(program.c_str(), argv.data());
      _exit(127);
    }
    int status = 0;
    rusage use{};
    if (pid < 0 || wait4(pid, &status, 0, &use) != pid || !WIFEXITED(status) || WEXITSTATUS(status) != 0) {
      std::fprintf(stderr, "%s failed\n", program.c_str());
      std::exit(1);
    }
    const double ms = (use.ru_utime.tv_sec + use.ru_stime.tv_sec) * 1e3 + (use.ru_utime.tv_usec + use.ru_stime.tv_usec) / 1e3;
    best.cpuMs = std::min(best.cpuMs, ms);
    best.peakKb = std::max(best.peakKb, use.ru_maxrss);
  }
  return best;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc == 3 && std::string(argv[1]) == "--write") return WritePlasma(argv[2]) ? 0 : 1;
  const std::string gifinfo = argc > 2 ? argv[1] : GIFINFO_PATH, giflib = argc > 2 ? argv[2] : GIFLIB_INDICES_PATH;
  const fs::path work = fs::temp_directory_path() / ("gif_tool_bench-" + std::to_string(getpid()));
  fs::create_directories(work / "ours");
  fs::create_directories(work / "giflib");
  const std::string gif = (work / "plasma.gif").string();
  if (!WritePlasma(gif)) {
    std::fprintf(stderr, "cannot write %s\n", gif.c_str());
    return 1;
  }
  const double fileKb = double(fs::file_size(gif)) / 1024;
  // The processes' own start (the loader, the C++ runtime) is in both.
  const Run ours = Measure(gifinfo, {"--indices", gif, (work / "ours").string()});
  const Run theirs = Measure(giflib, {gif, (work / "giflib").string()});
  const bool same = Slurp(work / "ours" / "frame-000.idx") == Slurp(work / "giflib" / "frame-000.idx");
  const double pixelsKb = double(kWidth) * kHeight / 1024, budgetKb = 2 * pixelsKb + fileKb;
  std::printf("picture: %d x %d plasma, 255 colours, %.0f KiB\n", kWidth, kHeight, fileKb);
  std::printf("gifinfo --indices: %.1f ms CPU, peak %ld KiB\n", ours.cpuMs, ours.peakKb);
  std::printf("giflib DGifSlurp:  %.1f ms CPU, peak %ld KiB\n", theirs.cpuMs, theirs.peakKb);
  std::printf("speed: %.2fx giflib (target 1.5x)\n", theirs.cpuMs / ours.cpuMs);
  std::printf("memory: %ld KiB of a budget of %.0f KiB (2 x pixels + file)\n", ours.peakKb, budgetKb);
  std::printf("planes: %s\n", same ? "the same" : "DIFFERENT");
  fs::remove_all(work);
  return same ? 0 : 1;
}
