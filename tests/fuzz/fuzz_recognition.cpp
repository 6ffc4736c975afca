// Recognition, window tuning and the four passes on hostile drawings, reference lists and
// settings. Small tables give the rows of the plain quadratic algorithm; tables of any size give
// one row per anchor and keep within the time bound run.sh sets per input, so a search that turns
// quadratic on some shape of drawing fails the run. Tuning counts the same anchors. Then
// duplicate removal leaves one row per tag, and the merge and the sort refuse exactly the lists
// over the row limit. The recognition report made from all of it leaves the list alone, finds in
// drawing order (by kind for one text), counts as many findings as it makes, and ties findings
// only to rows that are in the list. The drawing preview of the same recognition classifies every
// text once and its SVG carries each text once, with a finite viewBox and no character XML cannot
// hold, whatever the coordinates.
//
// Input: settings lines, NUL, base parts list, NUL, prohibited words, NUL, a DXF drawing, NUL,
// then records of ten bytes that add runs of texts (the drawing alone cannot make tables large
// enough to show a quadratic search in a short input):
//   0     text: low seven bits pick a text already in the table (or "MC" when it is empty); the
//         top bit appends the run's count
//   1-2   count (little-endian)
//   3-4   x of the first text, 5-6 its y (signed, little-endian)
//   7     step in x, 8 step in y (signed)
//   9     scale: every coordinate of the run times 2^(scale % 32 - 16)
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "convert/duplicate_removal.h"
#include "convert/name_completion.h"
#include "convert/part_sort.h"
#include "convert/quantity_merge.h"
#include "dxf/dxf_text_parser.h"
#include "dxf/recognition.h"
#include "dxf/window_tuning.h"
#include "literal_recognition.h"
#include "notify.h"
#include "preview/drawing_preview.h"
#include "preview/preview_svg.h"
#include "reference/base_parts_file.h"
#include "reference/prohibited_words_file.h"
#include "report/recognition_report.h"
#include "workspace.h"

using namespace korvane;

namespace {

constexpr std::size_t kMaxTexts = std::size_t{1} << 15;
constexpr std::size_t kLiteralTexts = 300;  // the plain algorithm stays quick up to here

class CountingNotifier : public Notifier {
 public:
  Answer notify(const Message& message) override {
    ++messages;
    return message.buttons == Buttons::YesNo ? Answer::No : Answer::Ok;
  }
  int messages = 0;
};

std::string_view next_section(std::string_view& rest) {
  const std::size_t end = rest.find('\0');
  const std::string_view section = rest.substr(0, end);
  rest = end == std::string_view::npos ? std::string_view{} : rest.substr(end + 1);
  return section;
}

int signed16(const unsigned char* p) {
  return static_cast<std::int16_t>(static_cast<std::uint16_t>(p[0] | p[1] << 8));
}

void add_runs(std::string_view records, TextTable& texts) {
  for (; records.size() >= 10 && texts.size() < kMaxTexts; records.remove_prefix(10)) {
    const auto* r = reinterpret_cast<const unsigned char*>(records.data());
    const std::string base =
        texts.empty() ? std::string("MC") : texts[(r[0] & 0x7F) % texts.size()].text;
    const std::size_t count = std::min<std::size_t>(r[1] | r[2] << 8, kMaxTexts - texts.size());
    const double scale = std::ldexp(1.0, r[9] % 32 - 16);
    for (std::size_t k = 0; k < count; ++k) {
      const double step = static_cast<double>(k);
      texts.push_back({(signed16(r + 3) + step * static_cast<std::int8_t>(r[7])) * scale,
                       (signed16(r + 5) + step * static_cast<std::int8_t>(r[8])) * scale,
                       r[0] & 0x80 ? base + std::to_string(k) : base});
    }
  }
}

std::size_t occurrences(std::string_view text, std::string_view what) {
  std::size_t n = 0;
  for (std::size_t at = text.find(what); at != std::string_view::npos;
       at = text.find(what, at + 1)) {
    ++n;
  }
  return n;
}

void check_preview(const Workspace& ws, const ReportTrail& trail) {
  const DrawingPreview preview = make_drawing_preview(ws, trail);
  const PreviewCounts counts = count_classes(ws.texts, preview);
  if (counts.anchors != trail.groups.size() ||
      counts.anchors + counts.fields + counts.others != ws.texts.size()) {
    std::abort();
  }
  const std::string svg = format_preview_svg(ws.texts, preview);
  if (occurrences(svg, " data-x=\"") != ws.texts.size()) std::abort();
  for (const char c : svg) {
    if (static_cast<unsigned char>(c) < 0x20 && c != '\n' && c != '\t') std::abort();
  }
  const std::size_t box = svg.find("viewBox=\"");
  const std::string_view numbers = std::string_view(svg).substr(box, svg.find('"', box + 9) - box);
  if (numbers.find("inf") != std::string_view::npos ||
      numbers.find("nan") != std::string_view::npos) {
    std::abort();
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::string_view rest(reinterpret_cast<const char*>(data), size);
  Workspace ws;
  reset_settings_values(ws.settings);
  parse_settings(ws.settings, next_section(rest));
  ws.base_parts = parse_base_parts(next_section(rest)).store;
  ws.prohibited_words = parse_prohibited_words(next_section(rest)).words;
  parse_dxf_texts(next_section(rest), ws.texts);
  add_runs(rest, ws.texts);

  ReportTrail trail;
  recognise_parts(ws, nullptr, &trail.groups);
  const std::vector<PartsRow>& rows = ws.parts.rows();
  if (ws.texts.size() <= kLiteralTexts) {
    if (rows != test::recognise_literally(ws)) std::abort();
  } else {
    std::size_t anchors = 0;
    for (const TextRecord& t : ws.texts) {
      const std::string text = cut_to_capacity(t.text, kDxfTextCapacity);
      bool tag = false;
      bool excluded = false;
      for (const BasePartEntry& e : ws.base_parts.entries) {
        tag = tag || test::matches(text, e.tag);
        excluded = excluded || test::matches(text, e.type);
      }
      for (const std::string& w : ws.prohibited_words.words) {
        excluded = excluded || test::matches(text, w);
      }
      if (tag && !excluded) {
        if (anchors >= rows.size() || rows[anchors][0] != text) std::abort();
        ++anchors;
      }
    }
    if (anchors != rows.size()) std::abort();
  }

  note_recognition(trail, ws, {{"drawing.dxf", 0, ws.texts.size(), 0}});
  check_preview(ws, trail);
  // Tuning counts the same anchors, proposes whole windows of at least 1, and keeps the current
  // values when it proposes nothing.
  const WindowProposal proposal =
      propose_recognition_window(ws.texts, ws.base_parts, ws.prohibited_words, ws.settings);
  if (proposal.anchors != rows.size()) std::abort();
  if (proposal.outcome == TuningOutcome::Proposed
          ? proposal.proposed.pt_x < 1 || proposal.proposed.pt_y < 1
          : !(proposal.proposed == proposal.current)) {
    std::abort();
  }

  CountingNotifier notifier;
  remove_duplicate_parts(ws, &trail.passes);
  std::set<std::string> tags;
  for (int r = 0; r < ws.parts.row_count(); ++r) {
    if (!tags.insert(ws.parts.get_cell(r, ws.settings.column_map.tag, kDxfTextCapacity)).second) {
      std::abort();
    }
  }
  complete_part_names(ws, &trail.passes);
  for (const bool merge : {true, false}) {
    const int before = ws.parts.row_count();
    const int said = notifier.messages;
    const bool ran = merge ? merge_part_quantities(ws, notifier, &trail.passes)
                           : sort_parts(ws, notifier, &trail.passes);
    const bool over = before > kMaxPartsRows;
    if (ran == over || (notifier.messages > said) != over) std::abort();
    const int after = ws.parts.row_count();
    if (over ? after != before : merge ? after > before : after != before) std::abort();
  }

  const std::vector<PartsRow> list = ws.parts.rows();
  const RecognitionReport report = make_recognition_report(ws, trail);
  if (ws.parts.rows() != list || report.anchors != trail.groups.size()) std::abort();
  if (count_findings(ws, trail) != report.findings.size()) std::abort();
  const std::set<RowId> ids(ws.parts.row_ids().begin(), ws.parts.row_ids().end());
  for (std::size_t i = 0; i < report.findings.size(); ++i) {
    const Finding& f = report.findings[i];
    if (f.at >= ws.texts.size() || f.drawing != 0) std::abort();
    if (i > 0 && (f.at < report.findings[i - 1].at ||
                  (f.at == report.findings[i - 1].at && f.kind < report.findings[i - 1].kind))) {
      std::abort();
    }
    if (f.row != 0 && !ids.contains(f.row)) std::abort();
  }
  return 0;
}
