#include "convert/quantity_merge.h"

#include <array>
#include <climits>
#include <cstdint>
#include <string>
#include <vector>

#include "convert/cells.h"
#include "convert/family_prefix.h"
#include "convert/pass_log.h"
#include "convert/work_table.h"
#include "notify.h"
#include "workspace.h"

namespace korvane {

namespace {

// A row that no earlier row absorbed, with the records it gathers.
struct Group {
  int row;
  std::size_t family_length;  // bytes of the family prefix of its tag
  WorkTable records;
  std::vector<int> firsts;  // the row each record began as
};

bool same_part(const WorkRecord& earlier, std::size_t family_length, const WorkRecord& later) {
  return earlier.supply_class == later.supply_class &&
         begins_with(later.part_name, earlier.part_name) &&
         begins_with(later.maker, earlier.maker) && begins_with(later.spec, earlier.spec) &&
         begins_with(later.type, earlier.type) &&
         begins_with(later.tag, std::string_view(earlier.tag).substr(0, family_length));
}

int saturating_add(int a, int b) {
  const std::int64_t sum = static_cast<std::int64_t>(a) + b;
  if (sum > INT_MAX) return INT_MAX;
  if (sum < INT_MIN) return INT_MIN;
  return static_cast<int>(sum);
}

// Joins the row into the group's last record, or begins a new record with it when the tag is
// full; true when it was joined.
bool join(Group& group, const WorkRecord& later, int later_row, std::size_t limit) {
  WorkRecord& current = group.records.back();
  const std::string_view piece = std::string_view(later.tag).substr(group.family_length);
  // The width test comes before the join, so a joined text may pass the limit by its last
  // piece; the field size may not be passed at all.
  if (current.tag.size() < limit && current.tag.size() + 1 + piece.size() < kWorkTagCapacity) {
    current.quantity = saturating_add(current.quantity, later.quantity);
    current.tag += ',';
    current.tag += piece;
    return true;
  }
  group.records.push_back(later);
  group.firsts.push_back(later_row);
  return false;
}

// Logs a join and what it loses: the first field, in the order part name, maker,
// specification, type, in which the standing row's text is shorter than the joined row's
// (same_part has made it a beginning of it).
void log_join(PassLog& log, RowId into, RowId joined_id, const WorkRecord& standing,
              const WorkRecord& joined) {
  PassLog::Join entry{into, joined_id, -1, {}, standing.tag};
  const std::array<std::string WorkRecord::*, 4> fields{&WorkRecord::part_name, &WorkRecord::maker,
                                                        &WorkRecord::spec, &WorkRecord::type};
  for (std::size_t f = 0; f < fields.size(); ++f) {
    if (standing.*fields[f] != joined.*fields[f]) {
      entry.lost_field = static_cast<int>(f);
      entry.lost_text = joined.*fields[f];
      break;
    }
  }
  log.joins.push_back(std::move(entry));
}

}  // namespace

std::size_t tag_width_limit(const Settings& s) {
  if (!is_column(s.column_map.tag)) return 0;
  const int width = s.columns[static_cast<std::size_t>(s.column_map.tag)].width;
  return width > 0 ? static_cast<std::size_t>(width / 8) : 0;
}

bool merge_part_quantities(Workspace& ws, Notifier& notifier, PassLog* log) {
  PartsList& parts = ws.parts;
  if (!check_parts_row_limit(parts, notifier)) return false;
  const Settings& s = ws.settings;
  const int count = parts.row_count();
  const std::size_t limit = tag_width_limit(s);

  const FamilyPrefixes families(ws.base_parts);

  const std::vector<RowId>& ids = parts.row_ids();  // read before the rebuild only
  WorkTable rows;
  rows.reserve(static_cast<std::size_t>(count));
  for (int i = 0; i < count; ++i) rows.push_back(read_work_record(parts, i, s));

  // A row joins the first earlier standing row that it is the same part as; only rows of one
  // supply class can be, so each class keeps its own list of standing rows.
  std::vector<Group> groups;
  std::array<std::vector<std::size_t>, 3> standing_by_class;
  for (int j = 0; j < count; ++j) {
    const WorkRecord& row = rows[static_cast<std::size_t>(j)];
    std::vector<std::size_t>& standing =
        standing_by_class[static_cast<std::size_t>(row.supply_class)];
    Group* owner = nullptr;
    for (std::size_t g : standing) {
      Group& candidate = groups[g];
      if (same_part(rows[static_cast<std::size_t>(candidate.row)], candidate.family_length, row)) {
        owner = &candidate;
        break;
      }
    }
    if (owner != nullptr) {
      const int into = owner->firsts.back();
      if (join(*owner, row, j, limit) && log) {
        log_join(*log, ids[static_cast<std::size_t>(into)], ids[static_cast<std::size_t>(j)],
                 rows[static_cast<std::size_t>(owner->row)], row);
      }
    } else {
      standing.push_back(groups.size());
      groups.push_back(Group{j, families.length_in(row.tag), {row}, {j}});
    }
  }

  WorkTable table;
  table.reserve(static_cast<std::size_t>(count));
  std::vector<RowId> sources;
  for (Group& g : groups) {
    for (WorkRecord& r : g.records) table.push_back(std::move(r));
    for (int first : g.firsts) sources.push_back(ids[static_cast<std::size_t>(first)]);
  }
  rebuild_parts_list(parts, table, s);
  if (log) log_rebuild(*log, parts, sources);
  return true;
}

}  // namespace korvane
