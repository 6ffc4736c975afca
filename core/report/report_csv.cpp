#include "report/report_csv.h"

#include "io/file_io.h"
#include "notify.h"
#include "output/output_guard.h"
#include "output/parts_list_writer.h"
#include "report/recognition_report.h"
#include "text/encoding.h"
#include "text/messages.h"
#include "workspace.h"

namespace korvane {

namespace {

// A cell in double quotes when it holds a comma, a double quote or a line break.
void append_csv_cell(std::string& line, std::string_view cell) {
  append_csv_field(line, cell, csv_needs_quotes(cell));
}

}  // namespace

std::string format_report_csv(const RecognitionReport& report, const PathToUtf8& path_to_utf8) {
  std::string out = "\xEF\xBB\xBF" + sjis_to_utf8(msg::kReportCsvHeader) + "\r\n";
  for (const Finding& f : report.findings) {
    const std::string drawing = f.drawing < report.drawings.size()
                                    ? path_to_utf8(report.drawings[f.drawing].path)
                                    : std::string();
    append_csv_cell(out, sjis_to_utf8(finding_label(f.kind)));
    out += ',';
    append_csv_cell(out, drawing);
    out += ',';
    append_csv_cell(out, sjis_to_utf8(f.text));
    out += ',';
    append_csv_cell(out, format_g(f.x));
    out += ',';
    append_csv_cell(out, format_g(f.y));
    out += ',';
    append_csv_cell(out, sjis_to_utf8(f.detail));
    out += "\r\n";
  }
  return out;
}

bool write_report_csv(const Workspace& ws, const RecognitionReport& report, const std::string& path,
                      const PathToUtf8& path_to_utf8, Notifier& notifier) {
  if (!output_spares_inputs(ws, notifier, path, false)) return false;
  if (!io::write_whole_file(path, format_report_csv(report, path_to_utf8))) {
    notifier.warn(msg::kTextFileCannotOpen, msg::kTitleFileError, path);
    return false;
  }
  return true;
}

}  // namespace korvane
