#include <iostream>
#include <string>
#include <vector>

#include "commands.h"
#include "signal_guard.h"

int main(int argc, char** argv) {
  cli::SignalGuard guard;
  std::vector<std::string> args(argv + 1, argv + argc);
  return cli::Run(args, std::cout, std::cerr);
}
