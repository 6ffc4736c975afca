#include "convert/quantity_merge.h"

#include <array>
#include <climits>
#include <cstdint>
#include <string>
#include <vector>

#include "convert/cells.h"
#include "convert/family_prefix.h"
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

void join(Group& group, const WorkRecord& later, std::size_t limit) {
  WorkRecord& current = group.records.back();
  const std::string_view piece = std::string_view(later.tag).substr(group.family_length);
  // The width test comes before the join, so a joined text may pass the limit by its last
  // piece; the field size may not be passed at all.
  if (current.tag.size() < limit && current.tag.size() + 1 + piece.size() < kWorkTagCapacity) {
    current.quantity = saturating_add(current.quantity, later.quantity);
    current.tag += ',';
    current.tag += piece;
  } else {
    group.records.push_back(later);
  }
}

}  // namespace

std::size_t tag_width_limit(const Settings& s) {
  if (!is_column(s.column_map.tag)) return 0;
  const int width = s.columns[static_cast<std::size_t>(s.column_map.tag)].width;
  return width > 0 ? static_cast<std::size_t>(width / 8) : 0;
}

bool merge_part_quantities(Workspace& ws, Notifier& notifier) {
  PartsList& parts = ws.parts;
  if (!check_parts_row_limit(parts, notifier)) return false;
  const Settings& s = ws.settings;
  const int count = parts.row_count();
  const std::size_t limit = tag_width_limit(s);

  const FamilyPrefixes families(ws.base_parts);

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
      join(*owner, row, limit);
    } else {
      standing.push_back(groups.size());
      groups.push_back(Group{j, families.length_in(row.tag), {row}});
    }
  }

  WorkTable table;
  table.reserve(static_cast<std::size_t>(count));
  for (Group& g : groups) {
    for (WorkRecord& r : g.records) table.push_back(std::move(r));
  }
  rebuild_parts_list(parts, table, s);
  return true;
}

}  // namespace korvane
