#include "arguments.h"

#include <hostos/hostos.h>

#include <map>

namespace cli {

std::string Usage() {
  // Where the program reads a Wine prefix, every command can be told which.
  const bool wine = hostos::ReadsWinePrefix();
  const std::string lead = std::string("xvtinst-cli ") + (wine ? "[--wine-prefix DIR] " : "");
  return "usage: " + lead + "paths\n" +
         "       " + lead + "tree [--no-xvt] [--no-bop]\n" +
         "       " + lead + "sections MISSION [--side imperial|rebel]\n" +
         "       " + lead + "install MISSION --title TEXT --section TEXT\n" +
         "                   [--side imperial|rebel|both] [--single | --multi] [--dry-run]\n" +
         "       xvtinst-cli --help\n" +
         (wine ? "MISSION is a Windows path (C:\\Games\\XvT\\combat\\raid.tie) or a host path inside the prefix's drives.\n"
               : "MISSION is the path of the mission file (C:\\Games\\XvT\\combat\\raid.tie).\n");
}

namespace {

const std::map<std::string, Command> kCommands{
    {"paths", Command::Paths}, {"tree", Command::Tree}, {"sections", Command::Sections}, {"install", Command::Install}};

class Parser {
 public:
  explicit Parser(const std::vector<std::string>& args) : args_(args) {}

  Arguments Parse() {
    std::vector<std::string> positional;
    while (i_ < args_.size()) {
      const std::string arg = args_[i_++];
      if (arg == "--help" || arg == "-h") {
        a_.command = Command::Help;
        return a_;
      }
      if (arg.rfind("--", 0) == 0) Option(arg);
      else positional.push_back(arg);
    }
    Positional(positional);
    Check();
    return a_;
  }

 private:
  std::string Value(const std::string& name, std::optional<std::string> inline_value) {
    if (inline_value) return *inline_value;
    if (i_ >= args_.size()) throw UsageError(name + " needs a value");
    return args_[i_++];
  }

  void Option(const std::string& arg) {
    std::string name = arg;
    std::optional<std::string> inline_value;
    if (std::size_t eq = arg.find('='); eq != std::string::npos) {
      name = arg.substr(0, eq);
      inline_value = arg.substr(eq + 1);
    }
    seen_.push_back(name);
    if (name == "--wine-prefix" && !hostos::ReadsWinePrefix()) throw UsageError("unknown option " + name);
    if (name == "--wine-prefix") a_.winePrefix = Value(name, inline_value);
    else if (name == "--side") a_.side = Value(name, inline_value);
    else if (name == "--title") a_.title = Value(name, inline_value);
    else if (name == "--section") a_.section = Value(name, inline_value);
    else if (inline_value) throw UsageError(name + " takes no value");
    else if (name == "--no-xvt") a_.noXvt = true;
    else if (name == "--no-bop") a_.noBop = true;
    else if (name == "--dry-run") a_.dryRun = true;
    else if (name == "--single" || name == "--multi") {
      if (a_.singlePlayer) throw UsageError("--single and --multi exclude each other");
      a_.singlePlayer = name == "--single";
    } else {
      throw UsageError("unknown option " + name);
    }
  }

  void Positional(const std::vector<std::string>& positional) {
    if (positional.empty()) throw UsageError("no command given");
    auto it = kCommands.find(positional[0]);
    if (it == kCommands.end()) throw UsageError("unknown command " + positional[0]);
    a_.command = it->second;
    bool wantsMission = a_.command == Command::Sections || a_.command == Command::Install;
    std::size_t expected = wantsMission ? 2 : 1;
    if (positional.size() < expected) throw UsageError("MISSION is missing");
    if (positional.size() > expected) throw UsageError("unexpected argument " + positional[expected]);
    if (wantsMission) a_.mission = positional[1];
  }

  bool Seen(const std::string& name) const {
    for (const std::string& s : seen_) {
      if (s == name) return true;
    }
    return false;
  }

  void Allow(std::initializer_list<const char*> allowed) const {
    for (const std::string& s : seen_) {
      bool ok = s == "--wine-prefix";
      for (const char* name : allowed) ok = ok || s == name;
      if (!ok) throw UsageError(s + " does not go with this command");
    }
  }

  void Check() const {
    switch (a_.command) {
      case Command::Help: break;
      case Command::Paths: Allow({}); break;
      case Command::Tree: Allow({"--no-xvt", "--no-bop"}); break;
      case Command::Sections:
        Allow({"--side"});
        if (a_.side && *a_.side != "imperial" && *a_.side != "rebel") {
          throw UsageError("--side takes imperial or rebel");
        }
        break;
      case Command::Install:
        Allow({"--side", "--title", "--section", "--single", "--multi", "--dry-run"});
        if (!Seen("--title")) throw UsageError("--title is missing");
        if (!Seen("--section")) throw UsageError("--section is missing");
        if (a_.side && *a_.side != "imperial" && *a_.side != "rebel" && *a_.side != "both") {
          throw UsageError("--side takes imperial, rebel or both");
        }
        break;
    }
  }

  const std::vector<std::string>& args_;
  std::size_t i_ = 0;
  Arguments a_;
  std::vector<std::string> seen_;
};

}  // namespace

Arguments ParseArguments(const std::vector<std::string>& args) { return Parser(args).Parse(); }

}  // namespace cli
