#include <gtest/gtest.h>

#include "parts/row_editing.h"
#include "test_support.h"
#include "text/messages.h"

namespace korvane {
namespace {

using test::sjis;

PartsList rows_named(std::initializer_list<const char*> names) {
  PartsList parts;
  for (const char* name : names) {
    PartsRow row;
    for (int c = 0; c < kColumnCount; ++c)
      row[static_cast<std::size_t>(c)] = name + std::to_string(c);
    parts.append_row(row);
  }
  return parts;
}

// An editor the user closes with the close box: the buffer stays as it was.
void close_box(RowEditorBuffer&) {}

TEST(RowEditing, ModifyClosedWithTheCloseBoxKeepsTheRowButCutsLongCells) {
  PartsList parts = rows_named({"A", "B"});
  std::string long_cell;
  for (int i = 0; i < 100; ++i) long_cell += sjis("あ");  // 200 bytes
  parts.set_cell(0, 4, long_cell);
  test::RecordingNotifier notifier;
  EXPECT_EQ(modify_part_row(parts, 0, notifier, close_box), 0);
  EXPECT_EQ(parts.cell(0, 4), long_cell.substr(0, 126));  // 127 would split a character
  EXPECT_EQ(parts.cell(0, 3), "A3");
  EXPECT_EQ(parts.cell(1, 0), "B0");
  EXPECT_TRUE(notifier.messages.empty());
}

TEST(RowEditing, ModifyAndDeleteWithoutASelectionSayItAndChangeNothing) {
  for (int selected : {-1, 2, 99}) {
    PartsList parts = rows_named({"A", "B"});
    test::RecordingNotifier notifier;
    bool editor_shown = false;
    EXPECT_EQ(
        modify_part_row(parts, selected, notifier, [&](RowEditorBuffer&) { editor_shown = true; }),
        -1);
    EXPECT_EQ(delete_part_row(parts, selected, notifier), -1);
    EXPECT_FALSE(editor_shown);
    EXPECT_EQ(parts.rows(), rows_named({"A", "B"}).rows());
    EXPECT_EQ(notifier.said(), (std::vector<std::string>{"操作ミス: 項目を選択して下さい。",
                                                         "操作ミス: 項目を選択して下さい。"}));
    EXPECT_EQ(notifier.messages[0].icon, Icon::None);
  }
}

TEST(RowEditing, TheComboBoxStoresOnlyTheTwoClassWords) {
  EXPECT_EQ(supply_class_from_editor(sjis("支給品")), sjis("支給"));
  EXPECT_EQ(supply_class_from_editor(sjis("支給")), sjis("支給"));
  EXPECT_EQ(supply_class_from_editor(sjis("非購入品です")), sjis("非購"));
  EXPECT_EQ(supply_class_from_editor("    "), "");
  EXPECT_EQ(supply_class_from_editor(sjis("購入品")), "");
  EXPECT_EQ(supply_class_from_editor(sjis("支")), "");
  EXPECT_EQ(supply_class_from_editor(sjis(" 支給")), "");
  EXPECT_EQ(supply_class_from_editor(""), "");
}

TEST(RowEditing, TheEditorStoresEditsCutToTheCellCapacity) {
  RowEditorBuffer texts;
  texts[0] = std::string(300, 't');
  for (int i = 0; i < 70; ++i) texts[3] += sjis("メ");
  texts[6] = "12";
  texts[7] = sjis("非購入");
  RowEditorBuffer buffer{"old0", "old1", "old2", "old3", "old4", "old5", "old6", "old7"};
  store_row_editor_texts(buffer, texts);
  EXPECT_EQ(buffer[0], std::string(127, 't'));
  EXPECT_EQ(buffer[2], "");
  EXPECT_EQ(buffer[3].size(), 126u);
  EXPECT_EQ(buffer[6], "12");
  EXPECT_EQ(buffer[7], sjis("非購"));
}

}  // namespace
}  // namespace korvane
