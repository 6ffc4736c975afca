// preview: the drawing preview of the drawings as an SVG file, or on stdout.
#include <ostream>
#include <string>

#include "cli.h"
#include "commands.h"
#include "platform.h"
#include "preview/drawing_preview.h"
#include "preview/preview_svg.h"
#include "report/recognition_report.h"
#include "run_inputs.h"
#include "stream_notifier.h"
#include "workspace.h"

namespace korvane::cli {

int run_preview(const Options& o, std::ostream& out, std::ostream& err) {
  Workspace ws;
  StreamNotifier notifier(err);
  if (const auto status = load_settings_and_lists(o, ws, notifier, err)) return *status;

  ReportTrail trail;
  const bool input_problem = read_and_run_passes(o, ws, notifier, trail);
  // When no drawing gave a text there is nothing to show, and an earlier preview stays.
  if (!trail.recorded) {
    err << "korvane-cli: no texts read from the drawings; nothing written\n";
    return kExitUsage;
  }
  const std::string svg = format_preview_svg(ws.texts, make_drawing_preview(ws, trail));
  if (o.out && *o.out == "-") {
    out << svg;
    out.flush();
    return input_problem ? kExitUsage : kExitOk;
  }
  const std::string path = o.out ? *o.out : preview_name_for(o.drawings.front());
  notifier.set_subject(path);
  if (!write_preview_svg(ws, notifier, path, svg)) return kExitUsage;
  out << native_to_utf8(path) << "\n";
  return input_problem ? kExitUsage : kExitOk;
}

}  // namespace korvane::cli
