// What convert and compare do first: the settings file of --ini (or Korvane.ini).
#pragma once

#include <iosfwd>

#include "options.h"

namespace korvane {
struct Workspace;
}

namespace korvane::cli {

class StreamNotifier;

// Reads the settings into ws. A file named by --ini must exist; a missing default one gives the
// reset values (a batch run takes the defaults). False, after saying why, when the run must stop.
bool read_command_settings(const Options& options, Workspace& ws, StreamNotifier& notifier,
                           std::ostream& err);

}  // namespace korvane::cli
