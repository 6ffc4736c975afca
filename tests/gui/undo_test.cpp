#include <gtest/gtest.h>

#include <functional>

#include "convert/passes.h"
#include "habits_fixture.h"
#include "reading_commands.h"
#include "reading_fixture.h"
#include "undo_commands.h"

namespace korvane {
namespace {

using test::DialogDriver;
using test::DialogSession;
using test::ReadingTest;

bool undo_greyed(HWND main) {
  return GetMenuState(GetMenu(main), IDM_UNDO, MF_BYCOMMAND) & MF_GRAYED;
}

class UndoTest : public ReadingTest {
 protected:
  void SetUp() override {
    ReadingTest::SetUp();
    open_with_sample_settings([](Settings& s) {
      s.file_save_mode = 1;
      s.file_save_mode2 = 0;  // one CSV file
    });
    for (const std::string& name : test::kSampleDrawings) {
      all_.push_back(native(drawings() / name));
    }
    app_.chosen_files = all_;
    ASSERT_TRUE(win::read_chosen_dxf_files(app_));
    app_.ws.current_file_name = all_[0];
    read_ = app_.ws;
  }
  // The list read from the three drawings, with nothing to undo.
  void start_over() {
    app_.ws = read_;
    app_.undo = {};
    win::show_undo_state(app_);
    win::show_parts(app_);
    test::select_rows(list(), {});
  }
  // Runs `id` with the row editor answered by `steps` and its OK button.
  void command_with_row_editor(int id, std::function<void(HWND)> steps) {
    DialogSession session;
    session.on_open(L"環境設定", [&](HWND dialog) {
      steps(dialog);
      EXPECT_TRUE(test::click(dialog, IDC_ROW_OK));
    });
    command(id);
    EXPECT_TRUE(session.steps_ran());
  }
  void drop(const std::filesystem::path& path) {
    SendMessageW(main_, WM_DROPFILES,
                 reinterpret_cast<WPARAM>(test::make_hdrop({win::widen(native(path))})), 0);
  }

  std::vector<std::string> all_;
  Workspace read_;
};

// One undo after any command that changed the list puts back the list, and after a read the
// text table and the output name as well.
TEST_F(UndoTest, OneUndoAfterEachKindOfCommandPutsTheListBack) {
  const std::string other = native(drawings() / "control_circuit.dxf");
  struct Case {
    const char* label;
    std::function<void()> run;
  };
  const std::vector<Case> cases = {
      {"Dxf1ﾌｧｲﾙ読込",
       [&] {
         DialogDriver driver;
         driver.expect(L"DXFﾌｧｲﾙ(dxf)の読込", DialogDriver::enter_file_name(win::widen(other)));
         command(IDM_READ_DXF_FILE);
         ASSERT_TRUE(driver.all_handled());
         EXPECT_EQ(app_.ws.current_file_name, other);
       }},
      {"ﾌｧｲﾙ読込後変換",
       [&] {
         DialogDriver driver;
         driver.expect(L"DXFﾌｧｲﾙ(dxf)の読込", DialogDriver::enter_file_name(win::widen(other)));
         command(IDM_READ_FILE_CONVERT);
         ASSERT_TRUE(driver.all_handled());
         EXPECT_TRUE(std::filesystem::exists(drawings() / "control_circuit.csv"));
       }},
      {"ﾌｫﾙﾀﾞ読込後変換 (the DXF file dialog's run)",
       [&] {
         DialogSession session;
         session.on_open(test::kDxfDialogTitle, [&](HWND dialog) {
           session.answer(test::kBrowserTitle, test::accept_folder(win::widen(native(drawings()))));
           test::click(dialog, IDT_DXF_ADD_FOLDER);
           test::select_rows(GetDlgItem(dialog, IDC_DXF_LIST), {0});
           test::click(dialog, IDT_DXF_DELETE_SELECTED);  // two drawings of the three
           test::click(dialog, IDT_DXF_RUN);
         });
         command(IDM_READ_FOLDER_CONVERT);
         ASSERT_TRUE(session.steps_ran());
         EXPECT_EQ(app_.chosen_files.size(), 2u);
       }},
      {"a drop", [&] { drop(drawings() / "operation_board.dxf"); }},
      {"同部品削除", [&] { command(IDM_REMOVE_DUPLICATES); }},
      {"部品名追加", [&] { command(IDM_COMPLETE_NAMES); }},
      {"部品数の結合", [&] { command(IDM_MERGE_QUANTITIES); }},
      {"部品ソート", [&] { command(IDM_SORT_PARTS); }},
      {"ALL変換", [&] { command(IDT_CONVERT_ALL); }},
      {"書換",
       [&] {
         test::select_rows(list(), {2});
         command_with_row_editor(IDM_MODIFY_ROW,
                                 [](HWND d) { test::set_text(d, IDC_ROW_MAKER, L"ZZZ"); });
       }},
      {"追加",
       [&] {
         test::select_rows(list(), {1});
         command_with_row_editor(IDT_ADD_ROW,
                                 [](HWND d) { test::set_text(d, IDC_ROW_TAG, L"X1"); });
       }},
      {"削除",
       [&] {
         test::select_rows(list(), {0});
         command(IDM_DELETE_ROW);
       }},
      {"全削除", [&] { command(IDM_DELETE_ALL); }},
      {"a cell edit",
       [&] {
         ListView_SetItemState(list(), 1, LVIS_FOCUSED, LVIS_FOCUSED);
         command(IDK_EDIT_CELL);
         HWND edit = GetDlgItem(main_, IDC_CELL_EDIT);
         ASSERT_TRUE(edit);
         SetWindowTextW(edit, L"EDITED");
         SetFocus(list());
       }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.label);
    start_over();
    EXPECT_TRUE(undo_greyed(main_));
    c.run();
    ASSERT_NE(rows_of(app_.ws.parts), rows_of(read_.parts));
    EXPECT_FALSE(undo_greyed(main_));
    command(IDM_UNDO);
    EXPECT_EQ(rows_of(app_.ws.parts), rows_of(read_.parts));
    EXPECT_EQ(app_.ws.parts.row_ids(), read_.parts.row_ids());
    EXPECT_EQ(ListView_GetItemCount(list()), read_.parts.row_count());
    EXPECT_EQ(app_.ws.texts, read_.texts);
    EXPECT_EQ(app_.ws.current_file_name, read_.current_file_name);
    EXPECT_TRUE(undo_greyed(main_));
  }
}

// The rows that come back are the rows they were: a selected row is selected again where it was,
// and rows that were gone come back unselected.
TEST_F(UndoTest, TheSelectionStaysWithItsRowThroughAnUndo) {
  start_over();
  // A row that duplicate removal keeps but moves up.
  Workspace deduped = read_;
  test::RecordingNotifier notifier;
  ASSERT_TRUE(run_passes(deduped, notifier, {Pass::Dedupe}));
  const std::vector<RowId>& before = read_.parts.row_ids();
  const std::vector<RowId>& after = deduped.parts.row_ids();
  int row = -1, moved_to = -1;
  for (int i = static_cast<int>(before.size()) - 1; i >= 0 && row < 0; --i) {
    const auto it = std::find(after.begin(), after.end(), before[static_cast<std::size_t>(i)]);
    if (it != after.end() && it - after.begin() != i) {
      row = i;
      moved_to = static_cast<int>(it - after.begin());
    }
  }
  ASSERT_GE(row, 0);
  ListView_EnsureVisible(list(), row, FALSE);
  test::left_click(list(), test::middle_of_row(list(), row));
  ASSERT_TRUE(test::pump_until([&] { return test::selected_rows(list()) == std::vector{row}; }));
  command(IDM_REMOVE_DUPLICATES);
  EXPECT_EQ(test::selected_rows(list()), std::vector{moved_to});
  command(IDM_UNDO);
  EXPECT_EQ(test::selected_rows(list()), std::vector{row});
  EXPECT_TRUE(test::row_state(list(), row) & LVIS_DROPHILITED);

  command(IDM_DELETE_ALL);
  command(IDM_UNDO);
  EXPECT_EQ(ListView_GetItemCount(list()), read_.parts.row_count());
  EXPECT_TRUE(test::selected_rows(list()).empty());
}

}  // namespace
}  // namespace korvane
