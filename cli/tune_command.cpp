// tune: the recognition window (pt_x, pt_y) proposed for the drawings, and why.
#include <ostream>
#include <string>

#include "cli.h"
#include "commands.h"
#include "dxf/window_tuning.h"
#include "pipeline/conversion.h"
#include "report/recognition_report.h"
#include "run_inputs.h"
#include "stream_notifier.h"
#include "workspace.h"

namespace korvane::cli {
namespace {

void print_figures(std::ostream& out, std::string_view what, const WindowFigures& f) {
  out << what << " pt_x=" << f.pt_x << " pt_y=" << f.pt_y << ": " << f.fields << " fields taken, "
      << f.shared << " texts claimed by two anchors, " << f.cut << " groups cut by another anchor, "
      << f.empty << " anchors with nothing\n";
}

void print_stacks(std::ostream& out, const WindowProposal& p) {
  out << "pitch found: lines " << format_g(p.pitch) << " apart, the first "
      << format_g(p.first_drop) << " below its tag and " << format_g(p.offset)
      << " right of it; every line within " << format_g(p.spread) << " of its tag across\n";
  out << "anchors: " << p.anchors << "; lines stacked below them:";
  const char* separator = " ";
  for (std::size_t lines = 0; lines < p.depths.size(); ++lines) {
    if (p.depths[lines] == 0) continue;
    out << separator << lines << " (" << p.depths[lines] << " anchors)";
    separator = ", ";
  }
  out << "\n";
}

}  // namespace

int run_tune(const Options& o, std::ostream& out, std::ostream& err) {
  Workspace ws;
  StreamNotifier notifier(err);
  if (const auto status = load_settings_and_lists(o, ws, notifier, err)) return *status;

  const ReadReport read = read_drawings(
      ws, o.drawings, notifier, [&notifier](std::size_t, std::size_t, const std::string& path) {
        notifier.set_subject(path);
      });
  notifier.clear_subject();
  const WindowProposal p =
      propose_recognition_window(ws.texts, ws.base_parts, ws.prohibited_words, ws.settings);
  switch (p.outcome) {
    case TuningOutcome::NoAnchors:
      err << "korvane-cli: no anchor to tune on: no text of the drawings begins with a tag "
             "number of the base parts list (without a type or a prohibited word)\n";
      return kExitUsage;
    case TuningOutcome::NoStacks:
      out << "pt_x=" << p.proposed.pt_x << " pt_y=" << p.proposed.pt_y << "\n"
          << "no texts stand below the " << p.anchors
          << " anchors at a recurring pitch: the current values stay\n";
      print_figures(out, "current", p.current);
      break;
    case TuningOutcome::Proposed:
      out << "pt_x=" << p.proposed.pt_x << " pt_y=" << p.proposed.pt_y << "\n";
      print_stacks(out, p);
      print_figures(out, "proposed", p.proposed);
      print_figures(out, "current ", p.current);
      out << p.candidates << " windows scored (fields taken, less 2 for each conflict and 1 for "
          << "each anchor with nothing); the smallest of the best is proposed\n";
      break;
  }
  return read.failed > 0 ? kExitUsage : kExitOk;
}

}  // namespace korvane::cli
