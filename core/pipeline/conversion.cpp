#include "pipeline/conversion.h"

#include "dxf/dxf_reader.h"
#include "dxf/recognition.h"
#include "output/output_options.h"
#include "output/parts_list_writer.h"
#include "output/workbook_writer.h"
#include "workspace.h"

namespace korvane {

ReadReport read_drawings(Workspace& ws, const std::vector<std::string>& paths, Notifier& notifier,
                         const DrawingProgress& progress) {
  ReadReport report;
  TextTable texts;
  // A read that failed wholly (every drawing reported before its first text) changes nothing.
  bool usable = paths.empty();
  for (std::size_t i = 0; i < paths.size(); ++i) {
    if (progress) progress(i, paths.size(), paths[i]);
    ws.note_input(paths[i]);
    const std::size_t before = texts.size();
    const bool read = read_dxf_file(paths[i], texts, notifier);
    if (!read) ++report.failed;
    if (read || texts.size() > before) usable = true;
  }
  if (!usable) return report;
  ws.texts = std::move(texts);
  recognise_parts(ws);
  report.taken = true;
  return report;
}

bool run_passes(Workspace& ws, Notifier& notifier, const std::vector<Pass>& passes,
                const StepHook& before_each) {
  bool ok = true;
  for (Pass pass : passes) {
    if (before_each) before_each();
    ok = run_passes(ws, notifier, {pass}) && ok;
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
  result.passes_ok = run_passes(ws, notifier, request.passes, request.before_step);
  if (request.before_step) request.before_step();
  result.written = write_output(ws, notifier, request.layout);
  return result;
}

}  // namespace korvane
