// convert: settings, reference lists, drawings, recognition, passes, output.
#include <optional>
#include <ostream>
#include <string>

#include "cli.h"
#include "commands.h"
#include "pipeline/conversion.h"
#include "platform.h"
#include "report/recognition_report.h"
#include "run_inputs.h"
#include "stream_notifier.h"
#include "workspace.h"

namespace korvane::cli {

int run_convert(const Options& o, std::ostream& out, std::ostream& err) {
  Workspace ws;
  StreamNotifier notifier(err);
  if (const auto status = load_settings_and_lists(o, ws, notifier, err)) return *status;

  ReportTrail trail;
  const bool input_problem = read_and_run_passes(o, ws, notifier, trail);
  const std::size_t findings = make_recognition_report(ws, trail).findings.size();
  if (findings > 0) {
    err << "korvane-cli: " << findings << " findings (korvane-cli check shows them)\n";
  }

  if (ws.parts.empty()) {
    err << "korvane-cli: no parts recognised in the drawings; nothing written\n";
    return input_problem ? kExitUsage : kExitOk;
  }

  ws.current_file_name = o.out ? *o.out : o.drawings.front();
  if (o.kind) ws.settings.set_output_kind(*o.kind);
  const SaveLayout layout = o.layout.value_or(ws.settings.save_layout());
  const bool one_file = layout == SaveLayout::OneFile;
  const OutputKind kind = ws.settings.output_kind();
  // The writer names its files as it goes; a message names the file it was writing.
  const bool too_short =
      !ws.current_file_name.empty() &&
      !rewrite_output_ending(ws.current_file_name, one_file ? Selection::All : Selection::Supplied,
                             kind);
  notifier.follow_subject([&ws] { return ws.current_file_name; },
                          too_short ? "(too short to take the new ending)" : "");

  const std::vector<std::string> written = write_output(ws, notifier, layout);
  const bool all_written = written.size() == (one_file ? 1u : 3u);
  for (const std::string& path : written) out << native_to_utf8(path) << "\n";
  return input_problem || !all_written ? kExitUsage : kExitOk;
}

}  // namespace korvane::cli
