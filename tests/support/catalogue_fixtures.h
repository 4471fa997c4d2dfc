// Shared helpers of the catalogue tests: list texts, a status bar that
// remembers, a clock that is set by hand, and game folders in memory.
#pragma once

#include <string>
#include <vector>

#include "catalogue/catalogue.h"
#include "hostfs/hostfs.h"

namespace catalogue::test {

// Lines joined with CR LF after each, as the games write them.
inline std::string Lst(const std::vector<std::string>& lines) { return JoinLines(lines); }

struct RecordingStatus : StatusSink {
  std::string panel[2];
  int updates = 0;
  void SetPanelText(int index, std::string_view text) override {
    panel[index] = std::string(text);
    ++updates;
  }
};

struct ManualClock : Clock {
  mutable std::vector<double> times;  // handed out in order, the last one repeats
  mutable std::size_t next = 0;
  double Now() const override {
    double t = times.at(next < times.size() ? next : times.size() - 1);
    ++next;
    return t;
  }
};

inline constexpr const char* kXvT = "C:\\Games\\XvT";
inline constexpr const char* kBoP = "C:\\Games\\XvT\\BalanceOfPower";

inline GameInstalls BothInstalled() { return GameInstalls{{kXvT, true}, {kBoP, true}}; }

// Every list of both games, each with one section and one mission named
// after the list, so that a test can tell which list went where.
inline void PutAllLists(MemoryListFiles& files, const GameInstalls& g) {
  const char* suffixes[] = {"\\train\\imperial.lst", "\\train\\rebel.lst",    "\\train\\mission.lst",
                            "\\melee\\mission.lst",  "\\combat\\mission.lst", "\\combat\\rebel.lst",
                            "\\combat\\imperial.lst"};
  for (const GameInstall* game : {&g.xvt, &g.bop}) {
    for (const char* suffix : suffixes) {
      std::string name = std::string(game == &g.xvt ? "xvt" : "bop") + suffix;
      files.Put(game->path + suffix, Lst({"//", "[" + name + "]", "//", "1", "m.tie", name}));
    }
  }
}

}  // namespace catalogue::test
