// korvane-cli: the core driven by command-line options.
#pragma once

#include <iosfwd>
#include <string>
#include <vector>

namespace korvane::cli {

// Exit statuses.
inline constexpr int kExitOk = 0;
inline constexpr int kExitFailure = 1;  // an unexpected failure
inline constexpr int kExitUsage = 2;    // bad usage or an input file problem
// compare: the lists differ (1 stays the unexpected failure, as diff keeps 2 for trouble).
inline constexpr int kExitDifferences = 3;

// Runs the program on `args` (without the program name); output and messages go to the streams
// given (messages in UTF-8).
int run(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

}  // namespace korvane::cli
