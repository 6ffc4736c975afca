#include "cli.h"

#include <ostream>
#include <string_view>

namespace korvane::cli {
namespace {

struct OptionHelp {
  std::string_view usage;
  std::string_view text;
};

constexpr OptionHelp kCommands[] = {
    {"korvane-cli --help", "show this help"},
    {"korvane-cli --version", "show the version"},
};

void print_help(std::ostream& out) {
  out << "korvane-cli " KORVANE_VERSION " - parts lists from electrical drawings (ASCII DXF)\n\n"
      << "Usage:\n";
  for (const OptionHelp& c : kCommands) out << "  " << c.usage << "\n      " << c.text << "\n";
  out << "\nExit status: 0 success, 2 bad usage or an input file problem, 1 an unexpected "
         "failure.\n";
}

}  // namespace

int run(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  if (args.empty()) {
    err << "korvane-cli: no command given (see korvane-cli --help)\n";
    return kExitUsage;
  }
  if (args[0] == "--help" || args[0] == "-h") {
    print_help(out);
    return kExitOk;
  }
  if (args[0] == "--version") {
    out << "korvane-cli " KORVANE_VERSION "\n";
    return kExitOk;
  }
  err << "korvane-cli: unknown command '" << args[0] << "' (see korvane-cli --help)\n";
  return kExitUsage;
}

}  // namespace korvane::cli
