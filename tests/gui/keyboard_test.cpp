#include <gtest/gtest.h>

#include "dialog_session.h"
#include "habits_fixture.h"
#include "main_window_fixture.h"
#include "pipeline/conversion.h"

namespace korvane {
namespace {

using test::DialogDriver;
using test::kCtrl;
using test::kShift;

class KeyboardTest : public test::MainWindowTest {
 protected:
  void SetUp() override {
    MainWindowTest::SetUp();
    write_settings_file();
    ASSERT_TRUE(open_main_window());
    add_rows({{"CR1", "E-1", "リレー", "コルベ", "DC24V", "KR-4", "1", "支給"},
              {"MC1", "E-2", "電磁接触器", "コルベ", "AC200V", "KC-11", "1", "非購"},
              {"CR1", "E-1", "リレー", "コルベ", "DC24V", "KR-4", "1", "支給"},
              {"PL1", "E-3", "表示灯", "ヤマブキ", "AC100V", "KL-22", "1", "    "}});
    rows_ = app_.ws.parts;
  }
  void press(UINT key, unsigned modifiers = test::kNoModifier) {
    test::press(app_, key, modifiers);
  }
  PartsList rows_;
};

// Each key on row 2 of the list: a command with a dialog is seen by its dialog (cancelled).
TEST_F(KeyboardTest, EachKeyGivesItsCommand) {
  PartsList deleted = rows_;
  deleted.delete_row(2);
  Workspace converted;
  converted.parts = rows_;
  test::RecordingNotifier notifier;
  ASSERT_TRUE(run_passes(converted, notifier, {kAllPasses.begin(), kAllPasses.end()}));
  struct Case {
    UINT key;
    unsigned modifiers;
    bool in_list;  // the list has the focus, not the main window
    const wchar_t* dialog;
    const PartsList& after;
    UINT selected_after;
  };
  const Case cases[] = {
      {'O', kCtrl, true, L"DXFﾌｧｲﾙ(dxf)の読込", rows_, 1},
      {'O', kCtrl | kShift, true, L"DXFファイル読込", rows_, 1},
      {'S', kCtrl, true, L"CSVﾌｧｲﾙに書込", rows_, 1},
      {VK_F5, 0, true, nullptr, converted.parts, 0},
      {VK_DELETE, 0, true, nullptr, deleted, 0},
      {VK_DELETE, 0, false, nullptr, rows_, 1},
      {'A', kCtrl, true, nullptr, rows_, 4},
      {'Z', kCtrl, true, nullptr, rows_, 0},  // after 削除 from the menu
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.key << " " << c.modifiers << " " << c.in_list);
    app_.ws.parts = rows_;
    win::show_parts(app_);
    test::select_rows(list(), {2});
    if (c.key == 'Z') command(IDM_DELETE_ROW);
    SetFocus(c.in_list ? list() : main_);
    DialogDriver driver;
    if (c.dialog) driver.expect(c.dialog, DialogDriver::press(IDCANCEL));
    if (c.key == 'S') driver.expect(L"ﾌｧｲﾙｴﾗｰ", DialogDriver::press(IDOK));  // nothing named
    press(c.key, c.modifiers);
    EXPECT_TRUE(driver.all_handled());
    EXPECT_EQ(app_.ws.parts.rows(), c.after.rows());
    EXPECT_EQ(ListView_GetSelectedCount(list()), c.selected_after);
  }
}

// F2 opens the focused row's first cell. While the editor is open, Delete, Ctrl+A and Ctrl+Z edit
// its text, not the list; once left, Ctrl+Z takes the edit back.
TEST_F(KeyboardTest, F2OpensTheEditorWhichKeepsItsEditingKeys) {
  ListView_SetItemState(list(), 1, LVIS_FOCUSED, LVIS_FOCUSED);
  SetFocus(list());
  press(VK_F2);
  HWND edit = GetDlgItem(main_, IDC_CELL_EDIT);
  ASSERT_TRUE(edit);
  EXPECT_EQ(test::window_text(edit), L"MC1");
  press('A', kCtrl);
  EXPECT_EQ(SendMessageW(edit, EM_GETSEL, 0, 0), MAKELRESULT(0, 3));
  EXPECT_EQ(ListView_GetSelectedCount(list()), 0u);
  press(VK_DELETE);
  EXPECT_EQ(test::window_text(edit), L"");
  press('Z', kCtrl);
  EXPECT_EQ(test::window_text(edit), L"MC1");
  EXPECT_EQ(app_.ws.parts.row_count(), 4);

  SetWindowTextW(edit, L"MC2");
  SetFocus(list());
  EXPECT_EQ(cell(1, 0), "MC2");
  press('Z', kCtrl);
  EXPECT_EQ(app_.ws.parts.rows(), rows_.rows());
}

}  // namespace
}  // namespace korvane
