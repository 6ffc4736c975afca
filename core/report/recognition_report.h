// The recognition report: what the drawings hold that did not become a clean row of the parts
// list, and why. It is made from the text table, the groups recognition found, the settings and
// reference lists of the read, and what the passes did since; it never changes the parts list.
#pragma once

#include <array>
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "convert/pass_log.h"
#include "dxf/recognition.h"
#include "parts/parts_list.h"

namespace korvane {

struct Workspace;

enum class FindingKind {
  UnknownFamily,  // a tag-like text whose family the base parts list does not have
  TypeMatch,      // begins with a tag number and with a type, so it is no anchor
  Prohibited,     // begins with a tag number and a prohibited word
  NoFields,       // an anchor with no text in its window
  FullGroup,      // an anchor with more than nine texts in its window
  DuplicateTag,   // an anchor text that occurs more than once
  TagOnly,        // completion matched the row by one field only
  Incomplete,     // a row left with an empty part name or maker
  MergeAbsorbed,  // the merge joined a row whose longer text is lost
};

inline constexpr std::array kFindingKinds{
    FindingKind::UnknownFamily, FindingKind::TypeMatch,  FindingKind::Prohibited,
    FindingKind::NoFields,      FindingKind::FullGroup,  FindingKind::DuplicateTag,
    FindingKind::TagOnly,       FindingKind::Incomplete, FindingKind::MergeAbsorbed};

// "unknown-family", "type-match", ...
std::string_view finding_key(FindingKind kind);
// The window's label, Shift-JIS: "未登録の記号", "型式と一致", ...
std::string_view finding_label(FindingKind kind);

struct Finding {
  FindingKind kind = FindingKind::UnknownFamily;
  std::size_t at = 0;       // the text of the table it is about (a row's: its first anchor)
  std::size_t drawing = 0;  // index into the report's drawings
  double x = 0.0;
  double y = 0.0;
  std::string text;    // that text, Shift-JIS
  std::string detail;  // Shift-JIS
  RowId row = 0;       // the row of the parts list it concerns, 0 for none

  bool operator==(const Finding&) const = default;
};

struct DrawingSummary {
  std::string path;       // as given to the read
  std::size_t first = 0;  // its texts are [first, end) of the text table
  std::size_t end = 0;
  std::size_t anchors = 0;

  std::size_t texts() const { return end - first; }
  bool operator==(const DrawingSummary&) const = default;
};

struct RecognitionReport {
  std::vector<DrawingSummary> drawings;
  std::size_t anchors = 0;        // rows recognition made
  std::size_t rows = 0;           // rows of the parts list now
  std::vector<Finding> findings;  // in drawing order
};

// A finding recognition alone decides, as a read leaves it: the texts of a Finding are made from
// it, the text table and the trail's details only when a report is made, so a drawing where most
// texts have a finding costs little to read.
struct TextFinding {
  FindingKind kind = FindingKind::UnknownFamily;
  std::size_t at = 0;      // the text of the table it is about
  RowId row = 0;           // the row of the group it concerns (no-fields, full-group), else 0
  std::size_t detail = 0;  // index into the trail's details

  bool operator==(const TextFinding&) const = default;
};

// What a read leaves for the report, and what the passes after it add. Front ends that want a
// report hand one to read_drawings and the same one's `passes` to run_passes.
struct ReportTrail {
  std::vector<DrawingSummary> drawings;
  std::vector<RecognisedGroup> groups;     // one per recognised row
  std::vector<TextFinding> text_findings;  // the findings recognition alone decides
  std::vector<std::string> details;        // their details (Shift-JIS), each written once
  PassLog passes;
  bool recorded = false;  // a read has been noted
  int pt_x = 0;           // the recognition window the read used
  int pt_y = 0;
};

// After recognition (trail.groups filled by it): the drawings of the read and the findings
// recognition alone decides, from the settings and reference lists the read used. One pass over
// the texts; windows with full groups are counted in one more sweep.
void note_recognition(ReportTrail& trail, const Workspace& ws,
                      std::vector<DrawingSummary> drawings);
// The same for groups found with the window (window_x, window_y) in place of the settings' one.
void note_recognition(ReportTrail& trail, const Workspace& ws, std::vector<DrawingSummary> drawings,
                      int window_x, int window_y);

// The report of the trail's read as the parts list stands now.
RecognitionReport make_recognition_report(const Workspace& ws, const ReportTrail& trail);

// The number of findings make_recognition_report would give, without making their texts.
std::size_t count_findings(const Workspace& ws, const ReportTrail& trail);

// The findings recognition alone decides, in the order the trail holds them.
std::vector<Finding> text_findings_of(const Workspace& ws, const ReportTrail& trail);

// For each group of the trail's read, the row of the parts list that holds its row now: the row
// itself, the row the merge joined it into, or for a row that duplicate removal deleted, the row
// of its tag that stayed; 0 when none does (the row was deleted).
std::vector<RowId> rows_now(const Workspace& ws, const ReportTrail& trail);

// 1 to 4 ASCII capitals, then 1 to 4 digits, nothing else ("MC1", "THR12").
bool is_tag_like(std::string_view text);

// printf("%g") in any locale.
std::string format_g(double value);

}  // namespace korvane
