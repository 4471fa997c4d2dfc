// The command line of xvtinst-cli, parsed and checked for form.
#pragma once

#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

namespace cli {

// A command line that does not have the form of the usage text.
class UsageError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

enum class Command { Help, Paths, Tree, Sections, Install };

struct Arguments {
  Command command = Command::Help;
  std::string winePrefix;  // empty: $WINEPREFIX, else ~/.wine
  bool noXvt = false;
  bool noBop = false;
  std::string mission;
  std::optional<std::string> side;  // "imperial", "rebel" or "both"
  std::optional<std::string> title;
  std::optional<std::string> section;
  std::optional<bool> singlePlayer;  // --single / --multi
  bool dryRun = false;
};

// Throws UsageError.
Arguments ParseArguments(const std::vector<std::string>& args);

// The usage text, naming --wine-prefix where the host reads Wine prefixes.
std::string Usage();

}  // namespace cli
