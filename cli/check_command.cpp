// check: the recognition report of the drawings, as text, JSON or CSV on stdout.
#include <nlohmann/json.hpp>

#include <ostream>
#include <string>

#include "cli.h"
#include "commands.h"
#include "platform.h"
#include "report/recognition_report.h"
#include "report/report_csv.h"
#include "run_inputs.h"
#include "stream_notifier.h"
#include "text/encoding.h"
#include "workspace.h"

namespace korvane::cli {
namespace {

std::string drawing_path(const RecognitionReport& report, const Finding& f) {
  return f.drawing < report.drawings.size() ? native_to_utf8(report.drawings[f.drawing].path)
                                            : std::string();
}

void print_text(const RecognitionReport& report, std::ostream& out) {
  for (const Finding& f : report.findings) {
    out << drawing_path(report, f) << ':' << format_g(f.x) << ',' << format_g(f.y) << ": "
        << finding_key(f.kind) << ": " << sjis_to_utf8(f.text) << ": " << sjis_to_utf8(f.detail)
        << '\n';
  }
  std::size_t texts = 0;
  for (const DrawingSummary& d : report.drawings) texts += d.texts();
  out << report.drawings.size() << " drawings, " << texts << " texts, " << report.anchors
      << " anchors, " << report.rows << " rows, " << report.findings.size() << " findings\n";
}

void print_json(const RecognitionReport& report, std::ostream& out) {
  using Json = nlohmann::ordered_json;
  Json drawings = Json::array();
  for (const DrawingSummary& d : report.drawings) {
    drawings.push_back(
        Json{{"path", native_to_utf8(d.path)}, {"texts", d.texts()}, {"anchors", d.anchors}});
  }
  Json findings = Json::array();
  for (const Finding& f : report.findings) {
    findings.push_back(Json{{"kind", finding_key(f.kind)},
                            {"text", sjis_to_utf8(f.text)},
                            {"drawing", drawing_path(report, f)},
                            {"x", f.x},
                            {"y", f.y},
                            {"detail", sjis_to_utf8(f.detail)}});
  }
  const Json document{{"drawings", std::move(drawings)},
                      {"anchors", report.anchors},
                      {"rows", report.rows},
                      {"findings", std::move(findings)}};
  // A path that is not UTF-8 comes out with U+FFFD rather than stopping the output.
  out << document.dump(2, ' ', false, Json::error_handler_t::replace) << '\n';
}

}  // namespace

int run_check(const Options& o, std::ostream& out, std::ostream& err) {
  Workspace ws;
  StreamNotifier notifier(err);
  if (const auto status = load_settings_and_lists(o, ws, notifier, err)) return *status;

  ReportTrail trail;
  const bool input_problem = read_and_run_passes(o, ws, notifier, trail);
  const RecognitionReport report = make_recognition_report(ws, trail);
  switch (o.format) {
    case PrintFormat::Text:
      print_text(report, out);
      break;
    case PrintFormat::Json:
      print_json(report, out);
      break;
    case PrintFormat::Csv:
      out << format_report_csv(report, [](std::string_view path) { return native_to_utf8(path); });
      break;
  }
  return input_problem ? kExitUsage : kExitOk;
}

}  // namespace korvane::cli
