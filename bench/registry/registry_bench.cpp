// Parsing a system.reg of the size a long-used prefix reaches (5 MB), shaped
// like the ones Wine writes: COM classes, many-valued keys, long byte lists
// that continue over lines, escaped non-ASCII text.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "registry/registry.h"

namespace {

std::string Guid(unsigned n) {
  char buffer[64];
  std::snprintf(buffer, sizeof buffer, "{%08X-%04X-%04X-%04X-%012X}", n * 2654435761u, n & 0xFFFF,
                (n >> 3) & 0xFFFF, (n * 7) & 0xFFFF, n * 40503u);
  return buffer;
}

void Key(std::string& out, const std::string& path, unsigned n) {
  out += "\n[" + path + "] " + std::to_string(1700000000 + n) + "\n#time=1d9a" + std::to_string(100000 + n) + "\n";
}

void HexBlock(std::string& out, const std::string& name, unsigned bytes, unsigned seed) {
  std::string line = "\"" + name + "\"=hex:";
  out += line;
  std::size_t column = line.size();
  for (unsigned i = 0; i < bytes; ++i) {
    char b[4];
    std::snprintf(b, sizeof b, "%02x", (seed + i * 31) & 0xFF);
    out += b;
    column += 2;
    if (i + 1 < bytes) {
      out += ',';
      ++column;
      if (column > 76) {
        out += "\\\n  ";
        column = 2;
      }
    }
  }
  out += '\n';
}

std::string MakeSystemReg(std::size_t target) {
  std::string out = "WINE REGISTRY Version 2\n;; All keys relative to \\\\Machine\n\n#arch=win64\n";
  Key(out, "Software\\\\Wow6432Node\\\\LucasArts Entertainment Company\\\\X-Wing vs. TIE Fighter\\\\1.0", 0);
  out += "\"Install Path\"=\"C:\\\\Games\\\\XvT\"\n";
  Key(out, "Software\\\\Microsoft\\\\Windows NT\\\\CurrentVersion\\\\Fonts", 1);
  for (unsigned i = 0; i < 300; ++i)
    out += "\"Font " + std::to_string(i) + " (TrueType)\"=\"font" + std::to_string(i) + ".ttf\"\n";
  for (unsigned n = 2; out.size() < target; ++n) {
    const std::string clsid = "Software\\\\Classes\\\\CLSID\\\\" + Guid(n);
    Key(out, clsid, n);
    out += "@=\"Component Caf\\x00e9 " + std::to_string(n) + "\"\n";
    Key(out, clsid + "\\\\InprocServer32", n);
    out += "@=\"C:\\\\windows\\\\system32\\\\lib" + std::to_string(n % 97) + ".dll\"\n\"ThreadingModel\"=\"Both\"\n";
    if (n % 4 == 0) {
      Key(out, "Software\\\\Wow6432Node\\\\Vendor" + std::to_string(n % 50) + "\\\\Product\\\\" + std::to_string(n), n);
      out += "\"Version\"=dword:" + std::to_string(10000000 + n) + "\n\"Path\"=str(2):\"%ProgramFiles%\\\\P" +
             std::to_string(n) + "\"\n\"List\"=str(7):\"a\\0b\\0\"\n";
      HexBlock(out, "Blob", 64 + n % 200, n);
    }
  }
  return out;
}

const std::string& SystemReg() {
  static const std::string text = MakeSystemReg(5 * 1024 * 1024);
  return text;
}

void BM_ParseSystemReg(benchmark::State& state) {
  const std::string& text = SystemReg();
  std::ostringstream warnings;
  for (auto _ : state) {
    auto reg = registry::ParseWineRegistry(text, warnings);
    benchmark::DoNotOptimize(reg);
  }
  if (!warnings.str().empty()) state.SkipWithError(warnings.str().c_str());
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * text.size()));
  state.counters["MB"] = static_cast<double>(text.size()) / (1024.0 * 1024.0);
}
BENCHMARK(BM_ParseSystemReg)->Unit(benchmark::kMillisecond);

// What the program does at start: read the file, open both keys, query them.
void BM_OpenPrefixAndReadInstallPaths(benchmark::State& state) {
  const auto prefix = std::filesystem::temp_directory_path() / "xvt-bench-registry";
  std::filesystem::create_directories(prefix);
  std::ofstream(prefix / "system.reg", std::ios::binary) << SystemReg();
  std::ostringstream warnings;
  for (auto _ : state) {
    auto reg = registry::OpenWineRegistry(prefix, warnings);
    for (const char* version : {"1.0", "2.0"}) {
      const auto key = reg->OpenKey(std::string("Software\\LucasArts Entertainment Company\\X-Wing vs. TIE Fighter\\") +
                                    version + "\\");
      benchmark::DoNotOptimize(reg->QueryValue(key, "Install Path"));
      reg->CloseKey(key);
    }
  }
  std::filesystem::remove_all(prefix);
}
BENCHMARK(BM_OpenPrefixAndReadInstallPaths)->Unit(benchmark::kMillisecond);

void BM_QueryManyValuedKey(benchmark::State& state) {
  std::ostringstream warnings;
  auto reg = registry::ParseWineRegistry(SystemReg(), warnings);
  const auto key = reg->OpenKey("Software\\Microsoft\\Windows NT\\CurrentVersion\\Fonts");
  for (auto _ : state) benchmark::DoNotOptimize(reg->QueryValue(key, "font 0 (truetype)"));
}
BENCHMARK(BM_QueryManyValuedKey)->Unit(benchmark::kMicrosecond);

// Hostile shapes: one key line of 400,000 parts (1.2 MB), and 1.2 MB of
// distinct keys at the deepest nesting Windows allows, whose implicit parents
// all enter the index.
std::string DeepKeys(std::size_t parts, std::size_t target) {
  std::string out = "WINE REGISTRY Version 2\n";
  for (unsigned n = 0; out.size() < target; ++n) {
    out += "\n[r" + std::to_string(n);
    for (std::size_t i = 1; i < parts; ++i) out += "\\\\a";
    out += "] 1\n\"V\"=\"x\"\n";
  }
  return out;
}

void BM_ParseHostileKeys(benchmark::State& state) {
  const std::string text = DeepKeys(static_cast<std::size_t>(state.range(0)), 1200 * 1024);
  std::ostringstream warnings;
  for (auto _ : state) {
    auto reg = registry::ParseWineRegistry(text, warnings);
    benchmark::DoNotOptimize(reg);
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * text.size()));
}
BENCHMARK(BM_ParseHostileKeys)->Arg(400000)->Arg(512)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
