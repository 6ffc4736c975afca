// convert: settings, reference lists, drawings, recognition, passes, output.
#include <optional>
#include <ostream>
#include <string>
#include <utility>

#include "cli.h"
#include "commands.h"
#include "io/file_io.h"
#include "output/output_options.h"
#include "pipeline/conversion.h"
#include "platform.h"
#include "report/recognition_report.h"
#include "run_inputs.h"
#include "stream_notifier.h"
#include "workspace.h"

namespace korvane::cli {
namespace {

// The output options of the command line over those of the settings. --csv, --txt and
// --three-files ask for text files even where the settings ask for the workbook.
void apply_output_choices(const Options& o, Settings& settings) {
  OutputOptions options = read_output_options(settings);
  if (o.kind == OutputKind::Xlsx) {
    options.format = OutputFormat::Xlsx;
  } else if (o.kind || o.layout == SaveLayout::ThreeFiles) {
    options.format = OutputFormat::Text;
  }
  if (o.kind && *o.kind != OutputKind::Xlsx) settings.set_output_kind(*o.kind);
  if (o.tag_list) options.tag_list = *o.tag_list;
  if (o.encoding) options.encoding = *o.encoding;
  store_output_options(settings, options);
}

}  // namespace

int run_convert(const Options& o, std::ostream& out, std::ostream& err) {
  Workspace ws;
  StreamNotifier notifier(err);
  if (const auto status = load_settings_and_lists(o, ws, notifier, err)) return *status;

  ReportTrail trail;
  const bool input_problem = read_and_run_passes(o, ws, notifier, trail);
  const std::size_t findings = count_findings(ws, trail);
  if (findings > 0) {
    err << "korvane-cli: " << findings << " findings (korvane-cli check shows them)\n";
  }

  if (ws.parts.empty()) {
    err << "korvane-cli: no parts recognised in the drawings; nothing written\n";
    return input_problem ? kExitUsage : kExitOk;
  }

  ws.current_file_name = o.out ? *o.out : o.drawings.front();
  apply_output_choices(o, ws.settings);
  const bool workbook = read_output_options(ws.settings).format == OutputFormat::Xlsx;
  const SaveLayout layout = o.layout.value_or(ws.settings.save_layout());
  const bool one_file = workbook || layout == SaveLayout::OneFile;
  const OutputKind kind = workbook ? OutputKind::Xlsx : ws.settings.output_kind();
  // The writer names its files as it goes; a message names the file it was writing.
  const bool too_short =
      !ws.current_file_name.empty() &&
      !rewrite_output_ending(ws.current_file_name, one_file ? Selection::All : Selection::Supplied,
                             kind);
  const std::string remark = too_short ? "(too short to take the new ending)" : "";
  if (workbook) {
    // The workbook leaves the current file name as it is.
    const std::optional<std::string> name =
        ws.current_file_name.empty()
            ? std::optional<std::string>("default.xlsx")
            : rewrite_output_ending(ws.current_file_name, Selection::All, OutputKind::Xlsx);
    notifier.set_subject(name.value_or(ws.current_file_name), remark);
  } else {
    notifier.follow_subject([&ws] { return ws.current_file_name; }, remark);
  }

  const std::vector<std::string> written = write_output(ws, notifier, layout);
  const bool all_written = written.size() == (one_file ? 1u : 3u);
  for (const std::string& path : written) out << native_to_utf8(path) << "\n";
  return input_problem || !all_written ? kExitUsage : kExitOk;
}

}  // namespace korvane::cli
