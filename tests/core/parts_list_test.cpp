#include <gtest/gtest.h>

#include <algorithm>
#include <set>

#include "parts/parts_list.h"
#include "test_support.h"
#include "text/messages.h"

namespace korvane {
namespace {

TEST(PartsList, InsertMovesLaterRowsDownAndLeavesOtherCellsEmpty) {
  PartsList list;
  for (int i = 0; i < 5; ++i) list.insert_row(list.row_count(), "R" + std::to_string(i));
  list.set_cell(3, 5, "type");
  EXPECT_EQ(list.insert_row(3, "new"), 3);
  ASSERT_EQ(list.row_count(), 6);
  EXPECT_EQ(list.cell(3, 0), "new");
  EXPECT_EQ(list.cell(3, 5), "");
  EXPECT_EQ(list.cell(4, 0), "R3");
  EXPECT_EQ(list.cell(4, 5), "type");
  EXPECT_EQ(list.cell(5, 0), "R4");
  EXPECT_EQ(list.insert_row(99, "end"), 6);  // past the end appends
  EXPECT_EQ(list.insert_row(-4, "top"), 0);
  EXPECT_EQ(list.row_count(), 8);
}

TEST(PartsList, CellsOutsideTheListReadEmptyAndIgnoreWrites) {
  PartsList list;
  list.insert_row(0, "A");
  list.set_cell(0, 8, "x");
  list.set_cell(1, 0, "x");
  list.set_cell(-1, 0, "x");
  EXPECT_EQ(list.get_cell(0, 8, 64), "");
  EXPECT_EQ(list.get_cell(5, 0, 64), "");
  EXPECT_EQ(list.get_cell(0, -1, 64), "");
  EXPECT_EQ(list.row_count(), 1);
  list.delete_row(3);
  EXPECT_EQ(list.row_count(), 1);
}

TEST(PartsList, GetCellCutsToTheCallersCapacity) {
  PartsList list;
  list.insert_row(0, std::string(100, 'c'));
  EXPECT_EQ(list.get_cell(0, 0, 64), std::string(63, 'c'));
  EXPECT_EQ(list.get_cell(0, 0, 256), std::string(100, 'c'));
  list.set_cell(0, 1, test::sjis("あいう"));
  EXPECT_EQ(list.get_cell(0, 1, 4), test::sjis("あ"));
}

TEST(PartsList, DeleteMovesLaterRowsUpAndDeleteAllEmpties) {
  PartsList list;
  for (int i = 0; i < 4; ++i) list.insert_row(i, std::to_string(i));
  list.delete_row(1);
  ASSERT_EQ(list.row_count(), 3);
  EXPECT_EQ(list.cell(1, 0), "2");
  list.delete_all();
  EXPECT_EQ(list.row_count(), 0);
  EXPECT_TRUE(list.empty());
}

// The ids of `list` at `indices`.
std::vector<RowId> ids_at(const PartsList& list, std::initializer_list<int> indices) {
  std::vector<RowId> out;
  for (int i : indices) out.push_back(list.row_ids().at(static_cast<std::size_t>(i)));
  return out;
}

bool shares_an_id(const PartsList& a, const std::vector<RowId>& ids) {
  for (RowId id : a.row_ids()) {
    if (std::find(ids.begin(), ids.end(), id) != ids.end()) return true;
  }
  return false;
}

TEST(PartsList, RowIdsFollowTheRowsAndNewRowsGetNewOnes) {
  PartsList list;
  for (int i = 0; i < 4; ++i) list.append_row(PartsRow{std::to_string(i)});
  const std::vector<RowId> first = list.row_ids();
  ASSERT_EQ(first.size(), 4u);
  EXPECT_EQ(std::set<RowId>(first.begin(), first.end()).size(), 4u);

  list.set_cell(2, 3, "changed");
  EXPECT_EQ(list.row_ids(), first);
  list.insert_row(1, "new");
  EXPECT_EQ(ids_at(list, {0, 2, 3, 4}), first);
  EXPECT_EQ(std::count(first.begin(), first.end(), list.row_ids()[1]), 0);
  list.delete_row(1);
  list.delete_row(1);  // row "1"
  EXPECT_EQ(list.row_ids(), (std::vector<RowId>{first[0], first[2], first[3]}));
  list.keep_rows({0, 1, 0});
  EXPECT_EQ(list.row_ids(), std::vector<RowId>{first[2]});
  EXPECT_EQ(list.cell(0, 0), "2");

  // Rows assigned as a whole are new rows, even when their cells are the same.
  const std::vector<RowId> before = list.row_ids();
  list.assign(std::vector<PartsRow>(list.rows()));
  EXPECT_FALSE(shares_an_id(list, before));
  EXPECT_FALSE(shares_an_id(list, first));
  // Another list's rows never take the ids of this one's; a copy keeps them.
  PartsList other;
  other.append_row(PartsRow{"x"});
  other.insert_row(0, "y");
  EXPECT_FALSE(shares_an_id(other, list.row_ids()));
  const std::vector<RowId> other_ids = other.row_ids();
  list = other;
  EXPECT_EQ(list.row_ids(), other_ids);
  list.delete_all();
  EXPECT_TRUE(list.row_ids().empty());
}

TEST(PartsList, RowLimitAcceptsFiveThousandAndRefusesMore) {
  PartsList list;
  std::vector<PartsRow> rows(5000);
  list.assign(rows);
  test::RecordingNotifier notifier;
  EXPECT_TRUE(check_parts_row_limit(list, notifier));
  EXPECT_TRUE(notifier.messages.empty());
  list.insert_row(0, "one more");
  EXPECT_FALSE(check_parts_row_limit(list, notifier));
  ASSERT_EQ(notifier.messages.size(), 1u);
  EXPECT_EQ(notifier.messages[0].text, msg::kTooManyRows);
  EXPECT_EQ(notifier.messages[0].title, msg::kTitleMemoryOver);
  EXPECT_EQ(notifier.messages[0].icon, Icon::Warning);
  EXPECT_EQ(list.row_count(), 5001);
}

}  // namespace
}  // namespace korvane
