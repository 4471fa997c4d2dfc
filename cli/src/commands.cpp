#include "commands.h"

#include <algorithm>
#include <filesystem>
#include <iostream>

#include "arguments.h"
#include "catalogue/catalogue.h"
#include "hostfs/codepage.h"
#include "hostfs/hostfs.h"
#include "registry/registry.h"

namespace cli {

namespace {

namespace fs = std::filesystem;
using namespace catalogue;

// An error that ends a command with the text the error box would show.
class CommandError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// Text inside is Windows-1252; the terminal speaks UTF-8.
void Line(std::ostream& out, std::string_view ansi) { out << hostfs::AnsiToUtf8(ansi) << '\n'; }

struct Session {
  fs::path prefix;
  hostfs::Drives drives;
  HostListFiles files;
  GameInstalls installs;

  Session(const Arguments& a, std::ostream& err)
      : prefix(registry::WinePrefix(a.winePrefix)), drives(prefix), files(drives) {
    std::unique_ptr<registry::Registry> reg = registry::OpenWineRegistry(prefix, err);
    installs = ReadInstallPaths(*reg);
  }
};

class NullStatus : public StatusSink {
 public:
  void SetPanelText(int, std::string_view) override {}
};

class StreamPrompts : public Prompts {
 public:
  explicit StreamPrompts(std::ostream& err) : err_(err) {}
  void Information(const std::string& text) override { Line(err_, text); }
  void Error(const std::string& text) override { throw CommandError(text); }

 private:
  std::ostream& err_;
};

// The LST window of the command line: saves for real and says so, or, on a
// dry run, shows the new text instead of saving it.
class CliContents : public TextBuffer {
 public:
  CliContents(ListFiles& files, std::ostream& out, bool dryRun) : TextBuffer(files), out_(out), dryRun_(dryRun) {}
  void SaveTo(const std::string& windowsPath) override {
    if (dryRun_) {
      Line(out_, "--- " + windowsPath);
      for (const std::string& line : lines) Line(out_, line);
      return;
    }
    TextBuffer::SaveTo(windowsPath);
    Line(out_, "wrote " + windowsPath);
  }

 private:
  std::ostream& out_;
  bool dryRun_;
};

// Every error line is one sentence with one full stop, whoever wrote the text.
std::string Sentence(std::string text) {
  if (!text.ends_with('.')) text += '.';
  return text;
}

bool IsWindowsPath(const std::string& path) {
  return path.size() >= 2 && path[1] == ':' && std::isalpha(static_cast<unsigned char>(path[0]));
}

// Whether every character of a UTF-8 text has a Windows-1252 byte; bytes
// that are not UTF-8 count as Windows-1252 already, as Utf8ToAnsi takes them.
bool FitsWindows1252(std::string_view utf8) {
  for (std::size_t i = 0; i < utf8.size();) {
    char32_t c = 0;
    const std::size_t n = hostfs::DecodeUtf8(utf8, i, c);
    if (n == 0) {
      ++i;
      continue;
    }
    if (c != U'?' && hostfs::UnicodeToAnsi(c) == '?') return false;
    i += n;
  }
  return true;
}

// The mission as the file-open dialog would give it: a Windows path to an
// existing file.
std::string ResolveMission(const Session& s, const std::string& arg) {
  if (!FitsWindows1252(arg)) throw CommandError(kNameOutsideCodePage);
  std::string mission = hostfs::Utf8ToAnsi(arg);
  std::error_code ec;
  if (IsWindowsPath(mission)) {
    std::replace(mission.begin(), mission.end(), '/', '\\');  // C:/Games/... as typed in a shell
    std::optional<fs::path> host = s.drives.ToHost(mission);
    if (!host || !fs::exists(*host, ec) || fs::is_directory(*host, ec)) throw CommandError("File not found");
    return mission;
  }
  fs::path host = fs::absolute(arg, ec).lexically_normal();
  if (!fs::exists(host, ec) || fs::is_directory(host, ec)) throw CommandError("File not found");
  std::optional<std::string> windows = s.drives.ToWindows(host);
  if (!windows) throw CommandError("The mission is not on a drive of the Wine prefix " + s.prefix.string());
  return *windows;
}

int Paths(const Session& s, std::ostream& out) {
  Line(out, "XvT: " + s.installs.xvt.path);
  Line(out, "BoP: " + s.installs.bop.path);
  return 0;
}

void PrintTree(const MemoryTree& tree, std::ostream& out) {
  tree.Visit([&](NodeRef, std::string_view caption, int level) {
    Line(out, std::string(static_cast<std::size_t>(level) * 2, ' ') + std::string(caption));
    return true;
  });
}

int Tree(Session& s, const Arguments& a, std::ostream& out) {
  MemoryTree tree;
  NullStatus status;
  SystemClock clock;
  BuildState state;
  try {
    BuildMissionTree(s.installs, BuildOptions{!a.noXvt, !a.noBop}, s.files, tree, status, clock, state);
  } catch (...) {
    PrintTree(tree, out);
    throw;
  }
  PrintTree(tree, out);
  Line(out, std::to_string(state.missionTotal) + " Missions");
  return 0;
}

// A side or player choice given on the command line is a click on that
// control, so it must be one the panel offers for this mission.
void ApplyChoices(const Arguments& a, PlainMissionDetails& d, OpenContext& ctx) {
  if (a.side) {
    SideButton button = *a.side == "imperial" ? sbImperial : *a.side == "rebel" ? sbRebel : sbBoth;
    if (!d.sideEnabled[button]) throw UsageError("--side " + *a.side + " is not offered for this mission");
    if (!d.SideChecked(button)) {
      d.SetSideChecked(button);
      SideClick(ctx);
    }
  }
  if (a.singlePlayer && *a.singlePlayer != d.spChecked) {
    if (!d.spEnabled) throw UsageError(std::string(*a.singlePlayer ? "--single" : "--multi") +
                                       " is not offered for this mission");
    d.SetSPChecked(*a.singlePlayer);
  }
}

// The windows quietly open a mission that fits no game and install nothing;
// the command line says why.
void RequireGame(const MissionSelection& selection, const std::string& mission) {
  if (selection.game == gmNone) throw CommandError(mission + " is outside the install folders of both games");
  if (selection.type == mtNone)
    throw CommandError(mission + " is not in the combat, melee or train folder of its game");
}

int Sections(Session& s, const Arguments& a, std::ostream& out) {
  PlainMissionDetails details;
  MissionSelection selection;
  OpenContext ctx{details, selection, s.installs, s.files};
  const std::string mission = ResolveMission(s, a.mission);
  OpenMissionFile(ctx, mission);
  RequireGame(selection, mission);
  ApplyChoices(a, details, ctx);
  Line(out, details.missionType);
  for (const std::string& header : details.sectionItems) Line(out, header);
  return 0;
}

// The window's edits hold one line; a CR, LF or Ctrl-Z written into a list
// would split the mission group or hide the rest of the list on the next
// reading.
void RequireOneLine(const std::string& text, const std::string& what) {
  if (text.find_first_of("\r\n\x1a") != std::string::npos) {
    throw UsageError(what + " must be one line of text");
  }
}

int Install(Session& s, const Arguments& a, std::ostream& out, std::ostream& err) {
  RequireOneLine(*a.title, "--title");
  RequireOneLine(*a.section, "--section");
  PlainMissionDetails details;
  MissionSelection selection;
  OpenContext open{details, selection, s.installs, s.files};
  const std::string mission = ResolveMission(s, a.mission);
  RequireOneLine(mission, "MISSION");
  OpenMissionFile(open, mission);
  RequireGame(selection, mission);
  ApplyChoices(a, details, open);
  details.missionName = hostfs::Utf8ToAnsi(*a.title);
  details.missionSection = hostfs::Utf8ToAnsi(*a.section);
  StreamPrompts prompts(err);
  PlainConfirmDialog confirm;  // the command line is the confirmation
  CliContents contents(s.files, out, a.dryRun);
  InstallContext ctx{details, selection, s.installs, s.files, prompts, confirm, contents, false};
  InstallClick(ctx);
  return 0;
}

int Dispatch(const Arguments& a, std::ostream& out, std::ostream& err) {
  if (a.command == Command::Help) {
    out << Usage();
    return 0;
  }
  Session session(a, err);
  switch (a.command) {
    case Command::Paths: return Paths(session, out);
    case Command::Tree: return Tree(session, a, out);
    case Command::Sections: return Sections(session, a, out);
    case Command::Install: return Install(session, a, out, err);
    case Command::Help: break;
  }
  return 0;
}

}  // namespace

int Run(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  try {
    return Dispatch(ParseArguments(args), out, err);
  } catch (const UsageError& e) {
    out.flush();
    Line(err, "xvtinst-cli: " + Sentence(e.what()));
    err << Usage();
    return 2;
  } catch (const std::exception& e) {
    // Command errors and unhandled ones alike are worded as the program's
    // error box words them: the message and its full stop.
    out.flush();
    Line(err, Sentence(e.what()));
    return 1;
  }
}

}  // namespace cli
