#include "parts/parts_list.h"

#include <algorithm>

#include "notify.h"
#include "text/messages.h"
#include "text/sjis.h"

namespace korvane {

int PartsList::insert_row(int index, std::string_view column0) {
  index = std::clamp(index, 0, row_count());
  PartsRow row;
  row[0] = std::string(column0);
  rows_.insert(rows_.begin() + index, std::move(row));
  return index;
}

void PartsList::append_row(PartsRow row) { rows_.push_back(std::move(row)); }

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
}

bool check_parts_row_limit(const PartsList& parts, Notifier& notifier) {
  if (parts.row_count() <= kMaxPartsRows) return true;
  notifier.warn(msg::kTooManyRows, msg::kTitleMemoryOver);
  return false;
}

}  // namespace korvane
