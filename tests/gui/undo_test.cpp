#include <gtest/gtest.h>

#include <functional>

#include "habits_fixture.h"
#include "reading_commands.h"
#include "reading_fixture.h"
#include "undo_commands.h"

namespace korvane {
namespace {

using test::DialogDriver;
using test::DialogSession;

class UndoTest : public test::ReadingTest {};

bool undo_greyed(HWND main) {
  return GetMenuState(GetMenu(main), IDM_UNDO, MF_BYCOMMAND) & MF_GRAYED;
}

// One undo after each kind of command that changed the list puts the list back with its row ids
// (so the list view's marks find their rows), and after a read the text table and the output
// name as well.
TEST_F(UndoTest, OneUndoAfterEachKindOfCommandPutsTheListBack) {
  open_with_sample_settings([](Settings& s) { s.file_save_mode = 1; });
  for (const std::string& name : test::kSampleDrawings) {
    app_.chosen_files.push_back(native(drawings() / name));
  }
  ASSERT_TRUE(win::read_chosen_dxf_files(app_));
  app_.ws.current_file_name = app_.chosen_files[0];
  const Workspace read = app_.ws;
  const std::wstring other = win::widen(native(drawings() / "control_circuit.dxf"));
  const std::vector<std::function<void()>> commands = {
      [&] {  // a read and its conversion: one step
        DialogDriver driver;
        driver.expect(L"DXFﾌｧｲﾙ(dxf)の読込", DialogDriver::enter_file_name(other));
        command(IDM_READ_FILE_CONVERT);
        EXPECT_TRUE(driver.all_handled());
      },
      [&] {
        SendMessageW(main_, WM_DROPFILES,
                     reinterpret_cast<WPARAM>(test::make_hdrop({win::widen(native(drawings()))})),
                     0);
      },
      [&] { command(IDM_REMOVE_DUPLICATES); },
      [&] { command(IDT_CONVERT_ALL); },
      [&] {
        DialogSession session;
        session.on_open(L"環境設定", [](HWND dialog) {
          test::set_text(dialog, IDC_ROW_TAG, L"X1");
          EXPECT_TRUE(test::click(dialog, IDC_ROW_OK));
        });
        command(IDM_ADD_ROW);
      },
      [&] {
        test::select_rows(list(), {0});
        command(IDM_DELETE_ROW);
      },
      [&] { command(IDM_DELETE_ALL); },
      [&] {
        ListView_SetItemState(list(), 1, LVIS_FOCUSED, LVIS_FOCUSED);
        command(IDK_EDIT_CELL);
        SetWindowTextW(GetDlgItem(main_, IDC_CELL_EDIT), L"EDITED");
        SetFocus(list());
      },
  };
  for (std::size_t i = 0; i < commands.size(); ++i) {
    SCOPED_TRACE(i);
    app_.ws = read;
    app_.undo = {};
    win::show_undo_state(app_);
    win::show_parts(app_);
    EXPECT_TRUE(undo_greyed(main_));
    commands[i]();
    ASSERT_NE(rows_of(app_.ws.parts), rows_of(read.parts));
    EXPECT_FALSE(undo_greyed(main_));
    command(IDM_UNDO);
    EXPECT_EQ(rows_of(app_.ws.parts), rows_of(read.parts));
    EXPECT_EQ(app_.ws.parts.row_ids(), read.parts.row_ids());
    EXPECT_EQ(ListView_GetItemCount(list()), read.parts.row_count());
    EXPECT_EQ(app_.ws.texts, read.texts);
    EXPECT_EQ(app_.ws.current_file_name, read.current_file_name);
    EXPECT_TRUE(undo_greyed(main_));
  }
}

}  // namespace
}  // namespace korvane
