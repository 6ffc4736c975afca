#include <exception>
#include <iostream>
#include <new>

#include "cli.h"
#include "platform.h"

int main(int argc, char** argv) {
  using namespace korvane::cli;
  const StandardStreams streams;
  try {
    std::vector<std::string> args;
    std::string error;
    if (!command_line_arguments(argc, argv, args, error)) {
      std::cerr << "korvane-cli: " << error << "\n";
      return kExitUsage;
    }
    const int status = run(args, std::cout, std::cerr);
    std::cout.flush();
    if (!std::cout) {
      // The paths written (or the texts) did not arrive: a script reading them would be misled.
      std::cerr << "korvane-cli: cannot write to standard output\n";
      return kExitFailure;
    }
    return status;
  } catch (const std::bad_alloc&) {
    std::cerr << "korvane-cli: out of memory\n";
  } catch (const std::exception& e) {
    std::cerr << "korvane-cli: " << e.what() << "\n";
  }
  return kExitFailure;
}
