#include "convert/duplicate_removal.h"

#include <string_view>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "convert/cells.h"
#include "convert/pass_log.h"
#include "workspace.h"

namespace korvane {

namespace {

// The first column whose cells differ, or -1.
int first_differing_column(const PartsList& parts, int a, int b) {
  for (int c = 0; c < kColumnCount; ++c) {
    if (parts.cell(a, c) != parts.cell(b, c)) return c;
  }
  return -1;
}

}  // namespace

void remove_duplicate_parts(Workspace& ws, PassLog* log) {
  if (log) ++log->dedupe_runs;
  PartsList& parts = ws.parts;
  const int count = parts.row_count();
  if (count <= 0) return;
  const Settings& s = ws.settings;

  const std::vector<BasePartEntry> entries = stored_entries(ws.base_parts);
  std::unordered_set<std::string_view> listed;
  for (const BasePartEntry& e : entries) {
    if (!e.type.empty()) listed.insert(e.type);
  }

  // Each group's outcome depends only on its own rows in row order, so one pass with the
  // standing row of every tag gives what the pairwise scan gives, in linear time.
  std::unordered_map<std::string_view, int> standing;
  standing.reserve(static_cast<std::size_t>(count));
  std::vector<char> keep(static_cast<std::size_t>(count), 1);
  bool deleted = false;
  for (int j = 0; j < count; ++j) {
    const std::string_view tag = cell_view(parts, j, s.column_map.tag, kPassCellCapacity);
    const auto [it, first] = standing.try_emplace(tag, j);
    if (first) continue;
    deleted = true;
    int& reference = it->second;
    const std::string_view earlier =
        cell_view(parts, reference, s.column_map.type, kPassCellCapacity);
    const std::string_view later = cell_view(parts, j, s.column_map.type, kPassCellCapacity);
    if (listed.contains(later) && !begins_with(earlier, later)) {
      keep[static_cast<std::size_t>(reference)] = 0;
      reference = j;
    } else {
      keep[static_cast<std::size_t>(j)] = 0;
    }
  }
  if (log && deleted) {
    const std::vector<RowId>& ids = parts.row_ids();
    for (int j = 0; j < count; ++j) {
      if (keep[static_cast<std::size_t>(j)]) continue;
      const int kept = standing.at(cell_view(parts, j, s.column_map.tag, kPassCellCapacity));
      log->removals.push_back({ids[static_cast<std::size_t>(j)],
                               ids[static_cast<std::size_t>(kept)],
                               first_differing_column(parts, j, kept)});
    }
  }
  // The rows kept stay the same rows: the user's marks stay on them.
  if (deleted) parts.keep_rows(keep);
}

}  // namespace korvane
