#include "compare/comparison_output.h"

#include "io/file_io.h"
#include "notify.h"
#include "output/output_guard.h"
#include "output/parts_list_writer.h"
#include "text/encoding.h"
#include "text/messages.h"

namespace korvane {
namespace {

std::string label(std::string_view sjis) { return sjis_to_utf8(sjis); }

std::string joined_tags(const std::vector<std::string>& tags) {
  std::string out;
  for (const std::string& tag : tags) {
    if (!out.empty()) out += ',';
    out += tag;
  }
  return out;
}

std::string changed_tags(const PartChange& change) {
  std::string out;
  if (!change.tags_added.empty()) out += "+" + joined_tags(change.tags_added);
  if (!change.tags_removed.empty()) {
    if (!out.empty()) out += ' ';
    out += "-" + joined_tags(change.tags_removed);
  }
  return out;
}

void append_line(std::string& out, const std::vector<std::string>& cells,
                 const std::vector<bool>& quoted) {
  for (std::size_t i = 0; i < cells.size(); ++i) {
    if (i > 0) out += ',';
    append_csv_field(out, cells[i], quoted[i]);
  }
  out += "\r\n";
}

}  // namespace

std::string change_kind_label(ChangeKind kind) {
  switch (kind) {
    case ChangeKind::Added:
      return label(msg::kChangeAdded);
    case ChangeKind::Removed:
      return label(msg::kChangeRemoved);
    case ChangeKind::Changed:
      break;
  }
  return label(msg::kChangeChanged);
}

std::vector<std::string> comparison_columns() {
  return {label(msg::kCompareKind),       label(msg::kColumnTitle2), label(msg::kColumnTitle3),
          label(msg::kColumnTitle4),      label(msg::kColumnTitle5), label(msg::kColumnTitle7),
          label(msg::kCompareQuantities), label(msg::kCompareTags)};
}

std::vector<std::string> comparison_row(const PartChange& change) {
  const PartKey& p = change.part;
  std::string tags;
  switch (change.kind) {
    case ChangeKind::Added:
      tags = joined_tags(change.tags_added);
      break;
    case ChangeKind::Removed:
      tags = joined_tags(change.tags_removed);
      break;
    case ChangeKind::Changed:
      tags = changed_tags(change);
      break;
  }
  return {change_kind_label(change.kind),
          p.name,
          p.maker,
          p.spec,
          p.type,
          p.supply,
          std::to_string(change.old_quantity) + "\xE2\x86\x92" +  // →
              std::to_string(change.new_quantity),
          tags};
}

std::string format_comparison_csv(const Comparison& comparison) {
  std::string out(kUtf8Bom);
  const std::vector<bool> titles(10, true);
  append_line(out,
              {label(msg::kCompareKind), label(msg::kColumnTitle2), label(msg::kColumnTitle3),
               label(msg::kColumnTitle4), label(msg::kColumnTitle5), label(msg::kColumnTitle7),
               label(msg::kCompareOldQuantity), label(msg::kCompareNewQuantity),
               label(msg::kCompareTagsAdded), label(msg::kCompareTagsRemoved)},
              titles);
  // Quantities bare, so that Excel takes them as numbers.
  const std::vector<bool> quoted = {true, true, true, true, true, true, false, false, true, true};
  for (const PartChange& c : comparison.changes) {
    const PartKey& p = c.part;
    append_line(out,
                {change_kind_label(c.kind), p.name, p.maker, p.spec, p.type, p.supply,
                 c.kind == ChangeKind::Added ? "" : std::to_string(c.old_quantity),
                 c.kind == ChangeKind::Removed ? "" : std::to_string(c.new_quantity),
                 joined_tags(c.tags_added), joined_tags(c.tags_removed)},
                quoted);
  }
  return out;
}

bool save_comparison_csv(const std::string& path, const Comparison& comparison,
                         const std::vector<std::string>& spared, Notifier& notifier) {
  if (!output_spares_inputs(path, spared, notifier, false)) return false;
  if (!io::write_whole_file(path, format_comparison_csv(comparison))) {
    notifier.warn(msg::kTextFileCannotOpen, msg::kTitleFileError, path);
    return false;
  }
  return true;
}

}  // namespace korvane
