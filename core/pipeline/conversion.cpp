#include "pipeline/conversion.h"

#include "dxf/dxf_reader.h"
#include "dxf/recognition.h"
#include "output/output_options.h"
#include "output/parts_list_writer.h"
#include "output/workbook_writer.h"
#include "report/recognition_report.h"
#include "workspace.h"

namespace korvane {

ReadReport read_drawings(Workspace& ws, const std::vector<std::string>& paths, Notifier& notifier,
                         const DrawingProgress& progress, ReportTrail* trail) {
  ReadReport report;
  TextTable texts;
  std::vector<DrawingSummary> drawings;
  // A read that failed wholly (every drawing reported before its first text) changes nothing.
  bool usable = paths.empty();
  const DxfCodePage code_page = dxf_code_page_option(option_value(ws.settings, kOptionDxfCodePage));
  for (std::size_t i = 0; i < paths.size(); ++i) {
    if (progress) progress(i, paths.size(), paths[i]);
    ws.note_input(paths[i]);
    const std::size_t before = texts.size();
    const bool read = read_dxf_file(paths[i], texts, notifier, code_page);
    if (!read) ++report.failed;
    if (read || texts.size() > before) usable = true;
    if (trail) drawings.push_back({paths[i], before, texts.size(), 0});
  }
  if (!usable) return report;
  ws.texts = std::move(texts);
  recognise_parts(ws, nullptr, trail ? &trail->groups : nullptr);
  if (trail) note_recognition(*trail, ws, std::move(drawings));
  report.taken = true;
  return report;
}

bool run_passes(Workspace& ws, Notifier& notifier, const std::vector<Pass>& passes,
                const StepHook& before_each, PassLog* log) {
  bool ok = true;
  for (Pass pass : passes) {
    if (before_each) before_each();
    ok = run_passes(ws, notifier, {pass}, log) && ok;
  }
  return ok;
}

std::vector<std::string> write_output(Workspace& ws, Notifier& notifier, SaveLayout layout) {
  if (read_output_options(ws.settings).format == OutputFormat::Xlsx) {
    if (auto path = write_workbook(ws, notifier, OutputNaming::Current)) return {*path};
    return {};
  }
  if (layout == SaveLayout::ThreeFiles) {
    return write_three_files(ws, notifier, OutputNaming::Current);
  }
  std::vector<std::string> written;
  if (auto path = write_parts_list(ws, notifier, {Selection::All, OutputNaming::Current})) {
    written.push_back(*path);
  }
  return written;
}

ConversionResult convert_and_write(Workspace& ws, Notifier& notifier,
                                   const ConversionRequest& request) {
  ConversionResult result;
  if (ws.parts.empty()) return result;
  result.passes_ok = run_passes(ws, notifier, request.passes, request.before_step, request.log);
  if (request.before_step) request.before_step();
  result.written = write_output(ws, notifier, request.layout);
  return result;
}

}  // namespace korvane
