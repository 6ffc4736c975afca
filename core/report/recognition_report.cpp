#include "report/recognition_report.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <initializer_list>
#include <map>
#include <unordered_map>
#include <unordered_set>
#include <utility>

#include "dxf/anchor_test.h"
#include "text/messages.h"
#include "text/sjis.h"
#include "workspace.h"

namespace korvane {

namespace {

// `templ` with %1 to %9 replaced by the arguments. '%' and digits are never the second byte of a
// Shift-JIS character, so the bytes can be scanned as they are.
std::string fill(std::string_view templ, std::initializer_list<std::string_view> args) {
  std::string out;
  for (std::size_t i = 0; i < templ.size(); ++i) {
    if (templ[i] == '%' && i + 1 < templ.size() && templ[i + 1] >= '1' && templ[i + 1] <= '9') {
      const auto n = static_cast<std::size_t>(templ[i + 1] - '1');
      if (n < args.size()) out += *(args.begin() + n);
      ++i;
    } else {
      out += templ[i];
    }
  }
  return out;
}

std::string number(std::size_t n) { return std::to_string(n); }

// The list-view title of a column (the default title when the settings leave it empty).
std::string column_title(const Settings& s, int column) {
  static constexpr std::array<std::string_view, kColumnCount> kDefaults{
      "Tag.No.",          msg::kColumnTitle1, msg::kColumnTitle2, msg::kColumnTitle3,
      msg::kColumnTitle4, msg::kColumnTitle5, msg::kColumnTitle6, msg::kColumnTitle7};
  if (column < 0 || column >= kColumnCount) {
    return fill(msg::kColumnNumber, {std::to_string(column)});
  }
  const std::string& title = s.columns[static_cast<std::size_t>(column)].title;
  return title.empty() ? std::string(kDefaults[static_cast<std::size_t>(column)]) : title;
}

// A window of recognition whose group was full, and the texts it holds.
struct FullWindow {
  std::size_t group = 0;
  double left = 0.0;
  double right = 0.0;
  double bottom = 0.0;
  double top = 0.0;
  std::size_t count = 0;
};

// Counts the texts with left < x < right and bottom < y < top of every window in one sweep up the
// texts by height, with a Fenwick tree over the x order: O((n + windows) log n). A text's place in
// the x order is its slot in the tree, and a window's x range is found once, as a range of slots
// (bounds by value, so texts of equal x are all inside or all outside it).
void count_window_texts(const TextTable& texts, std::vector<FullWindow>& windows) {
  struct Point {
    double x;
    double y;
  };
  std::vector<Point> points;
  points.reserve(texts.size());
  for (const TextRecord& t : texts) {
    if (!std::isnan(t.x) && !std::isnan(t.y)) points.push_back({t.x, t.y});
  }
  std::sort(points.begin(), points.end(), [](const Point& a, const Point& b) { return a.x < b.x; });
  struct Rise {
    double y;
    std::size_t slot;  // 1-based place in the x order
  };
  std::vector<double> xs;
  std::vector<Rise> rising;
  xs.reserve(points.size());
  rising.reserve(points.size());
  for (std::size_t k = 0; k < points.size(); ++k) {
    xs.push_back(points[k].x);
    rising.push_back({points[k].y, k + 1});
  }
  std::sort(rising.begin(), rising.end(), [](const Rise& a, const Rise& b) { return a.y < b.y; });

  // Each window asks twice: the texts below its top (strictly), less those at or below its
  // bottom. At equal heights the strict question comes first.
  struct Question {
    double y;
    bool inclusive;
    std::size_t lo;  // the window's slots are (lo, hi]
    std::size_t hi;
    std::size_t window;
  };
  std::vector<Question> questions;
  questions.reserve(2 * windows.size());
  for (std::size_t w = 0; w < windows.size(); ++w) {
    const auto lo = static_cast<std::size_t>(
        std::upper_bound(xs.begin(), xs.end(), windows[w].left) - xs.begin());
    const auto hi = static_cast<std::size_t>(
        std::lower_bound(xs.begin(), xs.end(), windows[w].right) - xs.begin());
    questions.push_back({windows[w].top, false, lo, hi, w});
    questions.push_back({windows[w].bottom, true, lo, hi, w});
  }
  std::sort(questions.begin(), questions.end(), [](const Question& a, const Question& b) {
    return a.y < b.y || (a.y == b.y && !a.inclusive && b.inclusive);
  });

  std::vector<std::size_t> tree(xs.size() + 1, 0);
  const auto below = [&](std::size_t end) {  // added texts among the first `end` slots
    std::size_t sum = 0;
    for (std::size_t k = end; k > 0; k -= k & (~k + 1)) sum += tree[k];
    return sum;
  };
  std::size_t next = 0;
  for (const Question& q : questions) {
    while (next < rising.size() &&
           (rising[next].y < q.y || (q.inclusive && rising[next].y == q.y))) {
      for (std::size_t k = rising[next++].slot; k < tree.size(); k += k & (~k + 1)) ++tree[k];
    }
    const std::size_t inside = q.hi > q.lo ? below(q.hi) - below(q.lo) : 0;
    FullWindow& w = windows[q.window];
    if (q.inclusive) {
      w.count -= inside;
    } else {
      w.count += inside;
    }
  }
}

// The drawing that holds text `at`.
std::size_t drawing_of(const std::vector<DrawingSummary>& drawings, std::size_t at) {
  const auto it =
      std::upper_bound(drawings.begin(), drawings.end(), at,
                       [](std::size_t i, const DrawingSummary& d) { return i < d.end; });
  if (it == drawings.end()) return drawings.empty() ? 0 : drawings.size() - 1;
  return static_cast<std::size_t>(it - drawings.begin());
}

Finding finding_at(FindingKind kind, const TextTable& texts,
                   const std::vector<DrawingSummary>& drawings, std::size_t at, std::string detail,
                   RowId row = 0) {
  const TextRecord& t = texts[at];
  return Finding{
      kind, at, drawing_of(drawings, at), t.x, t.y, std::string(table_text(t)), std::move(detail),
      row};
}

// Where the rows of the parts list came from, and where the rows of the read went, through the
// passes of the trail.
class RowHistory {
 public:
  RowHistory(const ReportTrail& trail, const PartsList& parts) {
    const PassLog& log = trail.passes;
    origin_.reserve(trail.groups.size() + log.lineage.size());
    for (const RecognisedGroup& g : trail.groups) origin_[g.row] = g.anchor;
    for (const PassLog::Lineage& l : log.lineage) {
      if (const auto o = origin_.find(l.from); o != origin_.end()) origin_[l.row] = o->second;
      if (l.replaces) next_[l.from] = l.row;
    }
    for (const PassLog::Join& j : log.joins) next_[j.joined] = j.into;
    const std::vector<RowId>& ids = parts.row_ids();
    current_.insert(ids.begin(), ids.end());
  }

  // The anchor text a row was made from, if it was made from one.
  const std::size_t* origin(RowId row) const {
    const auto o = origin_.find(row);
    return o == origin_.end() ? nullptr : &o->second;
  }
  // The row of the list now that holds what `row` held, or 0 when none does.
  RowId now(RowId row) const {
    for (std::size_t steps = 0; steps <= next_.size(); ++steps) {
      if (current_.contains(row)) return row;
      const auto n = next_.find(row);
      if (n == next_.end()) return 0;
      row = n->second;
    }
    return 0;
  }

 private:
  std::unordered_map<RowId, std::size_t> origin_;
  std::unordered_map<RowId, RowId> next_;  // a row that is gone -> the row that took it
  std::unordered_set<RowId> current_;
};

// The findings about rows: appended to `out`, or only counted when `out` is null.
class RowFindings {
 public:
  RowFindings(const Workspace& ws, const ReportTrail& trail, std::vector<Finding>* out)
      : ws_(ws), trail_(trail), history_(trail, ws.parts), out_(out) {}

  // Every finding about rows, kind by kind.
  void add_all() {
    duplicates();
    completions();
    merges();
    incomplete();
  }

  RowId now(RowId row) const { return history_.now(row); }
  // The findings added so far.
  std::size_t count() const { return count_; }

 private:
  void duplicates() {
    const PassLog& log = trail_.passes;
    if (log.dedupe_runs == 0) {
      duplicates_not_removed();
      return;
    }
    std::unordered_map<RowId, std::size_t> removed_per_kept;
    for (const PassLog::Removal& r : log.removals) {
      ++removed_per_kept[r.kept];
      add(FindingKind::DuplicateTag, r.removed, r.kept, [&] {
        return r.differing_column < 0 ? std::string(msg::kDetailDuplicateSame)
                                      : fill(msg::kDetailDuplicateDiffers,
                                             {column_title(ws_.settings, r.differing_column)});
      });
    }
    for (const PassLog::Removal& r : log.removals) {
      const auto kept = removed_per_kept.find(r.kept);
      if (kept == removed_per_kept.end()) continue;  // told already
      add(FindingKind::DuplicateTag, r.kept, r.kept,
          [&] { return fill(msg::kDetailDuplicateKept, {number(kept->second)}); });
      removed_per_kept.erase(kept);
    }
  }

  void completions() {
    // A row completed again (the command run twice) counts as its last completion left it.
    std::unordered_map<RowId, const PassLog::Completion*> last;
    std::vector<RowId> order;
    for (const PassLog::Completion& c : trail_.passes.completions) {
      if (last.emplace(c.row, &c).second) {
        order.push_back(c.row);
      } else {
        last[c.row] = &c;
      }
    }
    for (RowId row : order) {
      const PassLog::Completion& c = *last[row];
      if (c.tag_and_type) continue;
      add(FindingKind::TagOnly, row, row, [&] {
        return fill(msg::kDetailTagOnly, {c.entry_tag, c.entry_part_name});
      });
    }
  }

  void incomplete() {
    const PartsList& parts = ws_.parts;
    const Settings& s = ws_.settings;
    const std::string name = column_title(s, s.column_map.part_name);
    const std::string maker = column_title(s, s.column_map.maker);
    for (int r = 0; r < parts.row_count(); ++r) {
      const bool no_name = parts.cell(r, s.column_map.part_name).empty();
      const bool no_maker = parts.cell(r, s.column_map.maker).empty();
      if (!no_name && !no_maker) continue;
      const RowId id = parts.row_ids()[static_cast<std::size_t>(r)];
      add(FindingKind::Incomplete, id, id, [&] {
        return no_name && no_maker ? fill(msg::kDetailIncompleteBoth, {name, maker})
                                   : fill(msg::kDetailIncomplete, {no_name ? name : maker});
      });
    }
  }

  void merges() {
    const Settings& s = ws_.settings;
    const std::array<int, 4> columns{s.column_map.part_name, s.column_map.maker, s.column_map.spec,
                                     s.column_map.type};
    for (const PassLog::Join& j : trail_.passes.joins) {
      if (j.lost_field < 0 || j.lost_field >= static_cast<int>(columns.size())) continue;
      const int column = columns[static_cast<std::size_t>(j.lost_field)];
      add(FindingKind::MergeAbsorbed, j.joined, j.into, [&] {
        return fill(msg::kDetailMergeAbsorbed, {column_title(s, column), j.lost_text, j.into_tag});
      });
    }
  }

  // With no duplicate removal run, each occurrence of a repeated anchor text is told.
  void duplicates_not_removed() {
    std::unordered_map<std::string_view, std::size_t> occurrences;
    for (const RecognisedGroup& g : trail_.groups) {
      ++occurrences[table_text(ws_.texts[g.anchor])];
    }
    for (const RecognisedGroup& g : trail_.groups) {
      const std::size_t n = occurrences[table_text(ws_.texts[g.anchor])];
      if (n < 2) continue;
      add(FindingKind::DuplicateTag, g.row, g.row,
          [&] { return fill(msg::kDetailDuplicateNotRemoved, {number(n)}); });
    }
  }

  // A finding about row `about`, placed at its anchor (rows not made from the drawings, such as
  // rows the user added, have none and are left out), tied to where row `tied` is now, with the
  // detail `detail()` gives.
  template <typename Detail>
  void add(FindingKind kind, RowId about, RowId tied, const Detail& detail) {
    const std::size_t* at = history_.origin(about);
    if (at == nullptr || *at >= ws_.texts.size()) return;
    ++count_;
    if (out_ != nullptr) {
      out_->push_back(
          finding_at(kind, ws_.texts, trail_.drawings, *at, detail(), history_.now(tied)));
    }
  }

  const Workspace& ws_;
  const ReportTrail& trail_;
  RowHistory history_;
  std::vector<Finding>* out_;
  std::size_t count_ = 0;
};

}  // namespace

std::string_view finding_key(FindingKind kind) {
  switch (kind) {
    case FindingKind::UnknownFamily:
      return "unknown-family";
    case FindingKind::TypeMatch:
      return "type-match";
    case FindingKind::Prohibited:
      return "prohibited";
    case FindingKind::NoFields:
      return "no-fields";
    case FindingKind::FullGroup:
      return "full-group";
    case FindingKind::DuplicateTag:
      return "duplicate-tag";
    case FindingKind::TagOnly:
      return "tag-only";
    case FindingKind::Incomplete:
      return "incomplete";
    case FindingKind::MergeAbsorbed:
      return "merge-absorbed";
  }
  return {};
}

std::string_view finding_label(FindingKind kind) {
  switch (kind) {
    case FindingKind::UnknownFamily:
      return msg::kFindingUnknownFamily;
    case FindingKind::TypeMatch:
      return msg::kFindingTypeMatch;
    case FindingKind::Prohibited:
      return msg::kFindingProhibited;
    case FindingKind::NoFields:
      return msg::kFindingNoFields;
    case FindingKind::FullGroup:
      return msg::kFindingFullGroup;
    case FindingKind::DuplicateTag:
      return msg::kFindingDuplicateTag;
    case FindingKind::TagOnly:
      return msg::kFindingTagOnly;
    case FindingKind::Incomplete:
      return msg::kFindingIncomplete;
    case FindingKind::MergeAbsorbed:
      return msg::kFindingMergeAbsorbed;
  }
  return {};
}

bool is_tag_like(std::string_view text) {
  std::size_t letters = 0;
  while (letters < text.size() && text[letters] >= 'A' && text[letters] <= 'Z') ++letters;
  std::size_t digits = 0;
  while (letters + digits < text.size() && text[letters + digits] >= '0' &&
         text[letters + digits] <= '9') {
    ++digits;
  }
  return letters >= 1 && letters <= 4 && digits >= 1 && digits <= 4 &&
         letters + digits == text.size();
}

std::string format_g(double value) {
  char buffer[32];
  const auto result =
      std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::general, 6);
  return std::string(buffer, result.ptr);
}

void note_recognition(ReportTrail& trail, const Workspace& ws,
                      std::vector<DrawingSummary> drawings) {
  note_recognition(trail, ws, std::move(drawings), ws.settings.pt_x, ws.settings.pt_y);
}

void note_recognition(ReportTrail& trail, const Workspace& ws, std::vector<DrawingSummary> drawings,
                      int window_x, int window_y) {
  const TextTable& texts = ws.texts;
  trail.drawings = std::move(drawings);
  trail.text_findings.clear();
  trail.passes.clear();
  trail.recorded = true;
  trail.pt_x = window_x;
  trail.pt_y = window_y;
  for (DrawingSummary& d : trail.drawings) d.anchors = 0;

  std::vector<char> member(texts.size(), 0);
  for (const RecognisedGroup& g : trail.groups) {
    for (int k = 0; k < g.size; ++k) member[g.members[static_cast<std::size_t>(k)]] = 1;
    if (!trail.drawings.empty()) ++trail.drawings[drawing_of(trail.drawings, g.anchor)].anchors;
  }

  std::vector<TextFinding>& out = trail.text_findings;
  trail.details.clear();
  // Each detail is written once, the first time a finding needs it: the findings of a drawing
  // where most texts have one share a handful of details.
  std::map<std::pair<FindingKind, std::size_t>, std::size_t> detail_of;
  const auto note = [&](FindingKind kind, std::size_t at, RowId row, std::size_t subject,
                        const auto& detail) {
    const auto [it, fresh] = detail_of.try_emplace({kind, subject}, trail.details.size());
    if (fresh) trail.details.push_back(detail());
    out.push_back({kind, at, row, it->second});
  };

  const AnchorTest test(ws.base_parts, ws.prohibited_words);
  const std::vector<BasePartEntry>& entries = ws.base_parts.entries;
  const std::vector<std::string>& words = ws.prohibited_words.words;
  for (std::size_t i = 0; i < texts.size(); ++i) {
    const std::string_view text = table_text(texts[i]);
    switch (test.verdict(text)) {
      case AnchorVerdict::NoTag:
        if (!member[i] && is_tag_like(text)) {
          note(FindingKind::UnknownFamily, i, 0, 0,
               [] { return std::string(msg::kDetailUnknownFamily); });
        }
        break;
      case AnchorVerdict::Type: {
        const std::size_t k = test.type_entry(text);
        note(FindingKind::TypeMatch, i, 0, k, [&] {
          return fill(msg::kDetailTypeMatch, {entries[k].tag, entries[k].type});
        });
        break;
      }
      case AnchorVerdict::Prohibited: {
        const std::size_t k = test.word(text);
        note(FindingKind::Prohibited, i, 0, k,
             [&] { return fill(msg::kDetailProhibited, {words[k]}); });
        break;
      }
      case AnchorVerdict::Anchor:
        break;
    }
  }

  // The window as recognition drew it (the same expressions).
  const double pt_x = window_x;
  const double pt_y = window_y;
  std::vector<FullWindow> full;
  for (std::size_t g = 0; g < trail.groups.size(); ++g) {
    const RecognisedGroup& group = trail.groups[g];
    if (group.size == 0) {
      note(FindingKind::NoFields, group.anchor, group.row, 0, [&] {
        return fill(msg::kDetailNoFields, {std::to_string(window_x), std::to_string(window_y)});
      });
    } else if (group.size == kGroupSize) {
      const TextRecord& a = texts[group.anchor];
      full.push_back({g, a.x - pt_x, a.x + pt_x, a.y - pt_y, a.y, 0});
    }
  }
  if (!full.empty()) count_window_texts(texts, full);
  for (const FullWindow& w : full) {
    if (w.count <= static_cast<std::size_t>(kGroupSize)) continue;
    const RecognisedGroup& group = trail.groups[w.group];
    note(FindingKind::FullGroup, group.anchor, group.row, w.count, [&] {
      return fill(msg::kDetailFullGroup, {number(w.count), number(w.count - kGroupSize)});
    });
  }
}

namespace {

// Whether the text table and the trail still hold what a finding record names.
bool holds(const Workspace& ws, const ReportTrail& trail, const TextFinding& f) {
  return f.at < ws.texts.size() && f.detail < trail.details.size();
}

// Appends the findings recognition alone decides, made whole, in the order the trail holds them.
void append_text_findings(const Workspace& ws, const ReportTrail& trail,
                          std::vector<Finding>& out) {
  for (const TextFinding& f : trail.text_findings) {
    if (!holds(ws, trail, f)) continue;
    out.push_back(
        finding_at(f.kind, ws.texts, trail.drawings, f.at, trail.details[f.detail], f.row));
  }
}

// Orders findings by their text, and by kind for one text, keeping the order they were made in
// otherwise. The order is found on small keys, then the findings are moved into it in place, each
// once, along the cycles of the permutation.
void in_report_order(std::vector<Finding>& findings) {
  const auto before = [](const Finding& a, const Finding& b) {
    return a.at < b.at || (a.at == b.at && a.kind < b.kind);
  };
  if (std::is_sorted(findings.begin(), findings.end(), before)) return;
  struct Key {
    std::size_t at;
    FindingKind kind;
    std::size_t made;  // the finding's place before sorting
  };
  std::vector<Key> keys;
  keys.reserve(findings.size());
  for (std::size_t i = 0; i < findings.size(); ++i) {
    keys.push_back({findings[i].at, findings[i].kind, i});
  }
  std::sort(keys.begin(), keys.end(), [](const Key& a, const Key& b) {
    return a.at < b.at ||
           (a.at == b.at && (a.kind < b.kind || (a.kind == b.kind && a.made < b.made)));
  });
  // keys[i].made is the finding that belongs at i; a place is marked done by pointing at itself.
  for (std::size_t start = 0; start < keys.size(); ++start) {
    if (keys[start].made == start) continue;
    Finding held = std::move(findings[start]);
    std::size_t to = start;
    for (std::size_t from = keys[to].made; from != start; from = keys[to].made) {
      findings[to] = std::move(findings[from]);
      keys[to].made = to;
      to = from;
    }
    findings[to] = std::move(held);
    keys[to].made = to;
  }
}

}  // namespace

RecognitionReport make_recognition_report(const Workspace& ws, const ReportTrail& trail) {
  RecognitionReport report;
  report.drawings = trail.drawings;
  report.anchors = trail.groups.size();
  report.rows = static_cast<std::size_t>(ws.parts.row_count());
  if (!trail.recorded) return report;

  const PassLog& log = trail.passes;
  report.findings.reserve(trail.text_findings.size() + 2 * log.removals.size() +
                          log.completions.size() + log.joins.size() + report.rows);
  append_text_findings(ws, trail, report.findings);
  RowFindings rows(ws, trail, &report.findings);
  for (Finding& f : report.findings) {
    if (f.row != 0) f.row = rows.now(f.row);
  }
  rows.add_all();
  in_report_order(report.findings);
  return report;
}

std::size_t count_findings(const Workspace& ws, const ReportTrail& trail) {
  if (!trail.recorded) return 0;
  const auto texts = std::count_if(trail.text_findings.begin(), trail.text_findings.end(),
                                   [&](const TextFinding& f) { return holds(ws, trail, f); });
  RowFindings rows(ws, trail, nullptr);
  rows.add_all();
  return static_cast<std::size_t>(texts) + rows.count();
}

std::vector<Finding> text_findings_of(const Workspace& ws, const ReportTrail& trail) {
  std::vector<Finding> findings;
  findings.reserve(trail.text_findings.size());
  append_text_findings(ws, trail, findings);
  return findings;
}

std::vector<RowId> rows_now(const Workspace& ws, const ReportTrail& trail) {
  const RowHistory history(trail, ws.parts);
  std::unordered_map<RowId, RowId> kept;
  for (const PassLog::Removal& r : trail.passes.removals) kept[r.removed] = r.kept;
  std::vector<RowId> rows;
  rows.reserve(trail.groups.size());
  for (const RecognisedGroup& g : trail.groups) {
    RowId row = history.now(g.row);
    // A removed duplicate's kept row may itself have been removed by a later run.
    RowId gone = g.row;
    for (std::size_t steps = 0; row == 0 && steps < kept.size(); ++steps) {
      const auto k = kept.find(gone);
      if (k == kept.end()) break;
      gone = k->second;
      row = history.now(gone);
    }
    rows.push_back(row);
  }
  return rows;
}

}  // namespace korvane
