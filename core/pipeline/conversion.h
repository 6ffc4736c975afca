// One conversion, from drawings to files: the flow both front ends run.
//
//   read_settings, load_reference_pair        (settings/, reference/: selected_reference_pair)
//   read_drawings   drawings -> text table -> parts list (recognition)
//   run_passes      the passes asked for, in order (convert/)
//   write_output    one file or three by supply class, or the workbook (output/)
//
// The front ends only choose: which drawings, which passes, which output, and what to show while
// it runs (the callbacks). Messages go through the Notifier as everywhere in the core.
#pragma once

#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "convert/passes.h"
#include "reference/reference_pair.h"
#include "settings/settings.h"

namespace korvane {

class Notifier;
struct PassLog;
struct ReportTrail;
struct Settings;
struct Workspace;

// Called before each drawing is read: its index, the number of drawings and its path.
using DrawingProgress =
    std::function<void(std::size_t index, std::size_t count, const std::string& path)>;

struct ReadReport {
  std::size_t failed = 0;  // drawings the reader reported (not found, not a DXF, ...)
  bool taken = false;      // the texts replaced the table and the parts were recognised
};

// Reads the drawings in order into a new text table. When the list is empty or at least one
// drawing delivered a text (one that failed part-way included), the table replaces ws.texts and
// the parts list is recognised from it. When every drawing failed before its first text, the
// text table and the parts list stay as they were. Every drawing is noted as an input, so that no
// output replaces it. The option dxf_codepage of ws.settings says how older drawings' bytes are
// read. `trail`, when given, is started anew for the recognition report whenever the table is
// replaced (and left as it was otherwise).
ReadReport read_drawings(Workspace& ws, const std::vector<std::string>& paths, Notifier& notifier,
                         const DrawingProgress& progress = {}, ReportTrail* trail = nullptr);

// Called before each pass of a conversion and before its output; the window pauses there.
using StepHook = std::function<void()>;

// Runs the passes in order, each after `before_each`. False when a pass refused the list.
// `log`, when given, learns what they did to the rows.
bool run_passes(Workspace& ws, Notifier& notifier, const std::vector<Pass>& passes,
                const StepHook& before_each, PassLog* log = nullptr);

// Writes the whole list named from the current file name: the workbook when the option
// output_format is xlsx, else one file (every row) or three by supply class as `layout` says.
// Returns the paths written, in order.
std::vector<std::string> write_output(Workspace& ws, Notifier& notifier, SaveLayout layout);

// What a conversion after a read does.
struct ConversionRequest {
  std::vector<Pass> passes{kAllPasses.begin(), kAllPasses.end()};
  SaveLayout layout = SaveLayout::ThreeFiles;
  StepHook before_step;    // before each pass and before the output
  PassLog* log = nullptr;  // learns what the passes did, for the recognition report
};

struct ConversionResult {
  bool passes_ok = true;             // no pass refused the list
  std::vector<std::string> written;  // the files written, in order
};

// The passes, then the output; nothing at all for an empty parts list.
ConversionResult convert_and_write(Workspace& ws, Notifier& notifier,
                                   const ConversionRequest& request);

}  // namespace korvane
