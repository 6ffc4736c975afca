#include <gtest/gtest.h>

#include "editing_fixture.h"

namespace korvane {
namespace {

using test::DialogSession;

// The Edit commands on the real parts list view, with the row editor they open.
class RowCommandsTest : public test::EditingTest {
 protected:
  void SetUp() override {
    test::EditingTest::SetUp();
    add_rows({{"CR1", "E-1", "リレー", "コルベ", "DC24V", "KR-4", "1", "支給"},
              {"CR2", "E-1", "リレー", "コルベ", "DC24V", "KR-4", "2", ""},
              {"MC1", "E-2", "電磁接触器", "コルベ", "AC200V", "KC-11", "1", "非購"},
              {"PL1", "E-3", "表示灯", "ヤマブキ", "AC100V", "KL-22", "1", "    "}});
  }
  // Runs `id` with the row editor answered by `steps` and then `end_with` (the OK button), or
  // the close box when 0.
  void command_with_editor(int id, std::function<void(HWND)> steps, int end_with) {
    DialogSession session;
    session.on_open(L"環境設定", [&, steps](HWND dialog) {
      steps(dialog);
      if (end_with) {
        EXPECT_TRUE(test::click(dialog, end_with));
      }
    });
    command(id);
    EXPECT_TRUE(session.steps_ran());
  }
  std::vector<std::string> column(int c) const {
    std::vector<std::string> out;
    for (int row = 0; row < app_.ws.parts.row_count(); ++row) out.push_back(cell(row, c));
    return out;
  }
};

TEST_F(RowCommandsTest, ModifyClosedWithTheCloseBoxKeepsTheRowInItsPlace) {
  const std::vector<PartsRow> before = app_.ws.parts.rows();
  test::select_rows(list(), {2});
  command_with_editor(
      IDM_MODIFY_ROW,
      [](HWND dialog) {
        const int edits[] = {IDC_ROW_TAG,  IDC_ROW_DRAWING, IDC_ROW_PART_NAME, IDC_ROW_MAKER,
                             IDC_ROW_SPEC, IDC_ROW_TYPE,    IDC_ROW_QUANTITY};
        const wchar_t* cells[] = {L"MC1",    L"E-2",   L"電磁接触器", L"コルベ",
                                  L"AC200V", L"KC-11", L"1"};
        for (std::size_t i = 0; i < std::size(edits); ++i) {
          EXPECT_EQ(test::dialog_item_text(dialog, edits[i]), cells[i]);
        }
        HWND combo = GetDlgItem(dialog, IDC_ROW_SUPPLY);
        EXPECT_EQ(test::window_text(combo), L"非購");
        ASSERT_EQ(SendMessageW(combo, CB_GETCOUNT, 0, 0), 3);
        const wchar_t* entries[] = {L"支給", L"非購", L"    "};
        for (int i = 0; i < 3; ++i) {
          wchar_t text[16] = {};
          SendMessageW(combo, CB_GETLBTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(text));
          EXPECT_EQ(std::wstring(text), entries[i]);
        }
        test::set_text(dialog, IDC_ROW_TAG, L"not taken");
      },
      0);
  EXPECT_EQ(app_.ws.parts.rows(), before);
  EXPECT_TRUE(test::selected_rows(list()).empty());
}

TEST_F(RowCommandsTest, ModifyWritesTheEditorsFieldsAndTheSupplyWord) {
  test::select_rows(list(), {1});
  command_with_editor(
      IDT_MODIFY_ROW,
      [](HWND dialog) {
        test::set_text(dialog, IDC_ROW_QUANTITY, L"5");
        test::set_text(dialog, IDC_ROW_SUPPLY, L"支給品");
      },
      IDC_ROW_OK);
  EXPECT_EQ(cell(1, 0), "CR2");
  EXPECT_EQ(cell(1, 6), "5");
  EXPECT_EQ(cell(1, 7), "支給");
  EXPECT_EQ(test::cell_text(list(), 1, 7), L"支給");
  test::select_rows(list(), {0});
  command_with_editor(
      IDM_MODIFY_ROW,
      [](HWND dialog) { SendMessageW(GetDlgItem(dialog, IDC_ROW_SUPPLY), CB_SETCURSEL, 2, 0); },
      IDC_ROW_OK);
  EXPECT_EQ(cell(0, 7), "");
  EXPECT_EQ(column(0), (std::vector<std::string>{"CR1", "CR2", "MC1", "PL1"}));
  EXPECT_TRUE(test::selected_rows(list()).empty());
}

TEST_F(RowCommandsTest, AddWithoutASelectionAppendsAnEmptyRow) {
  command_with_editor(
      IDM_ADD_ROW, [](HWND dialog) { EXPECT_EQ(test::dialog_item_text(dialog, IDC_ROW_TAG), L""); },
      0);
  ASSERT_EQ(app_.ws.parts.row_count(), 5);
  EXPECT_EQ(app_.ws.parts.row(4), PartsRow{});
  EXPECT_EQ(test::row_count(list()), 5);
}

TEST_F(RowCommandsTest, AddWithASelectionInsertsAnEditedCopyAboveIt) {
  test::select_rows(list(), {2});
  command_with_editor(
      IDT_ADD_ROW, [](HWND dialog) { test::set_text(dialog, IDC_ROW_TAG, L"MC2"); }, IDC_ROW_OK);
  EXPECT_EQ(column(0), (std::vector<std::string>{"CR1", "CR2", "MC2", "MC1", "PL1"}));
  EXPECT_EQ(app_.ws.parts.row(2)[5], app_.ws.parts.row(3)[5]);
  EXPECT_EQ(cell(2, 7), "非購");
  EXPECT_EQ(test::row_count(list()), 5);
  EXPECT_EQ(test::cell_text(list(), 2, 0), L"MC2");
  EXPECT_TRUE(test::selected_rows(list()).empty());
}

TEST_F(RowCommandsTest, DeleteWithThreeRowsSelectedRemovesOnlyTheFirst) {
  test::select_rows(list(), {1, 2, 3});
  command(IDT_DELETE_ROW);
  EXPECT_EQ(column(0), (std::vector<std::string>{"CR1", "MC1", "PL1"}));
  EXPECT_EQ(test::row_count(list()), 3);
  EXPECT_TRUE(test::selected_rows(list()).empty());
  test::select_rows(list(), {2});
  command(IDM_DELETE_ROW);
  EXPECT_EQ(column(0), (std::vector<std::string>{"CR1", "MC1"}));
}

TEST_F(RowCommandsTest, ModifyAndDeleteWithoutASelectionSayItAndChangeNothing) {
  const std::vector<PartsRow> before = app_.ws.parts.rows();
  test::DialogDriver driver;
  driver.expect(L"操作ミス", test::DialogDriver::press(IDOK));
  driver.expect(L"操作ミス", test::DialogDriver::press(IDOK));
  command(IDM_MODIFY_ROW);
  command(IDT_DELETE_ROW);
  ASSERT_TRUE(driver.all_handled());
  const auto seen = driver.seen();
  ASSERT_EQ(seen.size(), 2u);
  EXPECT_EQ(seen[0].text, L"項目を選択して下さい。");
  EXPECT_EQ(seen[1].text, L"項目を選択して下さい。");
  EXPECT_EQ(app_.ws.parts.rows(), before);
}

}  // namespace
}  // namespace korvane
