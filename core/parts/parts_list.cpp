#include "parts/parts_list.h"

#include <algorithm>
#include <atomic>

#include "notify.h"
#include "text/messages.h"
#include "text/sjis.h"

namespace korvane {
namespace {

// One counter for every list of the run, so that a list assigned from another never holds an id
// that the list it replaces has shown.
RowId new_row_id() {
  static std::atomic<RowId> next{1};
  return next.fetch_add(1, std::memory_order_relaxed);
}

}  // namespace

int PartsList::insert_row(int index, std::string_view column0) {
  index = std::clamp(index, 0, row_count());
  PartsRow row;
  row[0] = std::string(column0);
  rows_.insert(rows_.begin() + index, std::move(row));
  ids_.insert(ids_.begin() + index, new_row_id());
  return index;
}

void PartsList::append_row(PartsRow row) {
  rows_.push_back(std::move(row));
  ids_.push_back(new_row_id());
}

void PartsList::assign(std::vector<PartsRow> rows) {
  rows_ = std::move(rows);
  ids_.resize(rows_.size());
  for (RowId& id : ids_) id = new_row_id();
}

void PartsList::set_cell(int row, int column, std::string_view text) {
  if (!valid(row, column)) return;
  rows_[static_cast<std::size_t>(row)][static_cast<std::size_t>(column)] = std::string(text);
}

std::string PartsList::get_cell(int row, int column, std::size_t capacity) const {
  if (!valid(row, column)) return {};
  return cut_to_capacity(cell(row, column), capacity);
}

const std::string& PartsList::cell(int row, int column) const {
  static const std::string empty;
  if (!valid(row, column)) return empty;
  return rows_[static_cast<std::size_t>(row)][static_cast<std::size_t>(column)];
}

void PartsList::delete_row(int row) {
  if (row < 0 || row >= row_count()) return;
  rows_.erase(rows_.begin() + row);
  ids_.erase(ids_.begin() + row);
}

void PartsList::delete_all() {
  rows_.clear();
  ids_.clear();
}

void PartsList::keep_rows(const std::vector<char>& keep) {
  std::size_t kept = 0;
  for (std::size_t i = 0; i < rows_.size(); ++i) {
    if (i < keep.size() && !keep[i]) continue;
    if (kept != i) {
      rows_[kept] = std::move(rows_[i]);
      ids_[kept] = ids_[i];
    }
    ++kept;
  }
  rows_.resize(kept);
  ids_.resize(kept);
}

bool check_parts_row_limit(const PartsList& parts, Notifier& notifier) {
  if (parts.row_count() <= kMaxPartsRows) return true;
  notifier.warn(msg::kTooManyRows, msg::kTitleMemoryOver);
  return false;
}

}  // namespace korvane
