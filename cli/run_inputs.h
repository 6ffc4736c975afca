// What `convert` and `check` share: the settings, the reference lists, the drawings read and
// recognised, and the passes run on them.
#pragma once

#include <iosfwd>
#include <optional>

#include "options.h"

namespace korvane {
struct ReportTrail;
struct Workspace;
}  // namespace korvane

namespace korvane::cli {

class StreamNotifier;

// Reads the settings and the two reference lists into `ws`. The exit status when the run must
// stop there (a settings file or reference list that cannot be read), nothing otherwise.
std::optional<int> load_settings_and_lists(const Options& o, Workspace& ws,
                                           StreamNotifier& notifier, std::ostream& err);

// Reads the drawings, recognises the parts and runs the passes, noting all of it in `trail`.
// True when there was an input problem: a drawing that could not be read, or a pass that
// refused the list (each has said why).
bool read_and_run_passes(const Options& o, Workspace& ws, StreamNotifier& notifier,
                         ReportTrail& trail);

}  // namespace korvane::cli
