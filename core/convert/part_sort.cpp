#include "convert/part_sort.h"

#include <algorithm>
#include <numeric>
#include <string_view>
#include <vector>

#include "convert/cells.h"
#include "convert/work_table.h"
#include "notify.h"
#include "workspace.h"

namespace korvane {

namespace {

// The order of the groups, from the top of the finished list.
enum Group : int {
  kSuppliedListed,
  kSuppliedOther,
  kNotPurchasedListed,
  kNotPurchasedOther,
  kPurchasedListed,
  kRest,
};

// The row's part name is a beginning of one of the entry's names (so an empty name matches),
// and the entry's tag is a beginning of the row's tag.
bool row_matches(std::string_view name, std::string_view tag, const BasePartEntry& e) {
  if (!begins_with(tag, e.tag)) return false;
  if (begins_with(e.part_name, name)) return true;
  for (const Accessory& a : e.accessories) {
    if (begins_with(a.name, name)) return true;
  }
  return false;
}

// Index of the first entry the row matches, or -1.
int first_match(std::string_view name, std::string_view tag,
                const std::vector<BasePartEntry>& entries) {
  for (std::size_t k = 0; k < entries.size(); ++k) {
    if (row_matches(name, tag, entries[k])) return static_cast<int>(k);
  }
  return -1;
}

}  // namespace

bool sort_parts(Workspace& ws, Notifier& notifier, PassLog* log) {
  PartsList& parts = ws.parts;
  if (!check_parts_row_limit(parts, notifier)) return false;
  const Settings& s = ws.settings;
  const int count = parts.row_count();
  const std::vector<BasePartEntry> entries = stored_entries(ws.base_parts);
  const long long entry_count = static_cast<long long>(entries.size());

  // A row goes to its group and, in the listed groups, to the first entry it matches; rows that
  // share a place keep their order. With no entries at all nothing moves.
  std::vector<long long> key(static_cast<std::size_t>(count), kRest * (entry_count + 1));
  if (!entries.empty()) {
    for (int i = 0; i < count; ++i) {
      const int quantity = c_atoi(cell_view(parts, i, s.column_map.quantity, kSortCellCapacity));
      if (quantity == 0) continue;
      const SupplyClass supply =
          supply_class_of(cell_view(parts, i, s.column_map.supply, kSortCellCapacity));
      const int entry =
          first_match(cell_view(parts, i, s.column_map.part_name, kSortCellCapacity),
                      cell_view(parts, i, s.column_map.tag, kSortCellCapacity), entries);
      int group = kRest;
      switch (supply) {
        case SupplyClass::Supplied:
          group = entry >= 0 ? kSuppliedListed : kSuppliedOther;
          break;
        case SupplyClass::NotPurchased:
          group = entry >= 0 ? kNotPurchasedListed : kNotPurchasedOther;
          break;
        case SupplyClass::Purchased:
          group = entry >= 0 ? kPurchasedListed : kRest;
          break;
      }
      key[static_cast<std::size_t>(i)] = group * (entry_count + 1) + (entry >= 0 ? entry : 0);
    }
  }

  std::vector<int> order(static_cast<std::size_t>(count));
  std::iota(order.begin(), order.end(), 0);
  std::stable_sort(order.begin(), order.end(), [&key](int a, int b) {
    return key[static_cast<std::size_t>(a)] < key[static_cast<std::size_t>(b)];
  });

  WorkTable table;
  table.reserve(static_cast<std::size_t>(count));
  std::vector<RowId> sources;
  sources.reserve(order.size());
  for (int i : order) {
    table.push_back(read_work_record(parts, i, s, kSortCellCapacity));
    sources.push_back(parts.row_ids()[static_cast<std::size_t>(i)]);
  }
  rebuild_parts_list(parts, table, s);
  if (log) log_rebuild(*log, parts, sources);
  return true;
}

}  // namespace korvane
