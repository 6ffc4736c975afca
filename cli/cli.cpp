#include "cli.h"

#include <ostream>

#include "commands.h"
#include "options.h"

namespace korvane::cli {

int run(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  const ParsedCommandLine parsed = parse_command_line(args);
  if (!parsed.errors.empty()) {
    for (const std::string& error : parsed.errors) err << "korvane-cli: " << error << "\n";
    return kExitUsage;
  }
  const Options& options = parsed.options;
  switch (options.command) {
    case Command::Help:
      print_help(out);
      return kExitOk;
    case Command::Version:
      out << "korvane-cli " KORVANE_VERSION "\n";
      return kExitOk;
    case Command::Convert:
      return run_convert(options, out, err);
    case Command::Check:
      return run_check(options, out, err);
    case Command::Preview:
      return run_preview(options, out, err);
    case Command::Tune:
      return run_tune(options, out, err);
    case Command::Texts:
      return run_texts(options, out, err);
    case Command::Compare:
      return run_compare(options, out, err);
  }
  return kExitFailure;
}

}  // namespace korvane::cli
