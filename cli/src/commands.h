// The commands of xvtinst-cli over the catalogue, writing to two streams.
#pragma once

#include <iosfwd>
#include <string>
#include <vector>

namespace cli {

// Runs a whole command line (without the program name); returns the exit
// status: 0 done, 1 an error as the windows would report it, 2 a usage error.
int Run(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

}  // namespace cli
