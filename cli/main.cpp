#include <exception>
#include <iostream>

#include "cli.h"

int main(int argc, char** argv) {
  try {
    std::vector<std::string> args(argv + 1, argv + argc);
    return korvane::cli::run(args, std::cout, std::cerr);
  } catch (const std::exception& e) {
    std::cerr << "korvane-cli: " << e.what() << "\n";
    return korvane::cli::kExitFailure;
  }
}
