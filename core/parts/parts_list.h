// The parts list: rows of eight Shift-JIS text cells.
//
// The main window's list view only shows this model; every pass, editor and reader changes the
// list through these operations, so the row count is always the number of rows.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace korvane {

class Notifier;

inline constexpr int kColumnCount = 8;
inline constexpr int kMaxPartsRows = 5000;

using PartsRow = std::array<std::string, kColumnCount>;

// Names one row for as long as it stays in the list, whatever its index becomes: a row that is
// inserted, appended or assigned gets an id no other row of the run has had. The list view keeps
// its selection by index; it follows the rows by these ids.
using RowId = std::uint64_t;

class PartsList {
 public:
  int row_count() const { return static_cast<int>(rows_.size()); }
  bool empty() const { return rows_.empty(); }

  // A new row at `index` (clamped to 0..row_count) with `column0` in column 0, other cells
  // empty. Returns the index used.
  int insert_row(int index, std::string_view column0 = {});
  // Appends a whole row.
  void append_row(PartsRow row);
  // Sets a cell; a row or column out of range is ignored.
  void set_cell(int row, int column, std::string_view text);
  // The cell as a buffer of `capacity` bytes would hold it (never half a double-byte
  // character); a row or column that does not exist gives the empty text.
  std::string get_cell(int row, int column, std::size_t capacity) const;
  // The cell whole (no capacity), or empty when it does not exist.
  const std::string& cell(int row, int column) const;
  void delete_row(int row);
  void delete_all();
  // Deletes every row whose `keep` flag is 0 (flags by row index); the rows kept keep their ids.
  void keep_rows(const std::vector<char>& keep);

  const std::vector<PartsRow>& rows() const { return rows_; }
  const PartsRow& row(int index) const { return rows_.at(static_cast<std::size_t>(index)); }
  // The id of each row, by index.
  const std::vector<RowId>& row_ids() const { return ids_; }
  // Replaces every row at once (the passes that rebuild the list): all of them are new rows.
  void assign(std::vector<PartsRow> rows);

 private:
  bool valid(int row, int column) const {
    return row >= 0 && row < row_count() && column >= 0 && column < kColumnCount;
  }
  std::vector<PartsRow> rows_;
  std::vector<RowId> ids_;  // parallel to rows_
};

// The 5000-row limit of the passes that copy the list into their work table. Shows
// "総部品点数が5000個を超えてます。" / "メモリオーバー" and returns false when the list is longer.
bool check_parts_row_limit(const PartsList& parts, Notifier& notifier);

}  // namespace korvane
