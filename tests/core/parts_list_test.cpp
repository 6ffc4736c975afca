#include <gtest/gtest.h>

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
