#include <gtest/gtest.h>

#include <functional>

#include "dialog_session.h"
#include "habits_fixture.h"
#include "main_window_fixture.h"
#include "pipeline/conversion.h"

namespace korvane {
namespace {

using test::DialogDriver;
using test::kCtrl;
using test::kShift;
using test::MainWindowTest;

class KeyboardTest : public MainWindowTest {
 protected:
  void open_with_rows() {
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
  HWND cell_edit() const { return GetDlgItem(main_, IDC_CELL_EDIT); }

  PartsList rows_;
};

// Each key gives its command; a command with a dialog is seen by its dialog.
TEST_F(KeyboardTest, EachKeyGivesItsCommand) {
  open_with_rows();
  struct Case {
    const char* label;
    UINT key;
    unsigned modifiers;
    HWND focus;                   // null: the list view
    int selected;                 // the row selected beforehand, or -1
    int focused;                  // the focused row beforehand, or -1
    const wchar_t* dialog;        // the dialog the command opens, if any: cancelled, or
    std::wstring file_name;       // the name entered in it
    std::function<void()> check;  // what the command did
  };
  const auto list_unchanged = [&] { EXPECT_EQ(app_.ws.parts.rows(), rows_.rows()); };
  const std::vector<Case> cases = {
      {"Ctrl+O: Dxf1ﾌｧｲﾙ読込",
       'O',
       kCtrl,
       nullptr,
       -1,
       -1,
       L"DXFﾌｧｲﾙ(dxf)の読込",
       {},
       list_unchanged},
      {"Ctrl+Shift+O: Dxfフォルダ読出",
       'O',
       kCtrl | kShift,
       nullptr,
       -1,
       -1,
       L"DXFファイル読込",
       {},
       list_unchanged},
      {"Ctrl+S: 一括ファイル出力", 'S', kCtrl, nullptr, -1, -1, L"CSVﾌｧｲﾙに書込",
       (dir_.path() / "keys.csv").wstring(),
       [&] { EXPECT_FALSE(test::read_file(dir_.path() / "keys.csv").empty()); }},
      {"F5: ALL変換",
       VK_F5,
       0,
       nullptr,
       -1,
       -1,
       nullptr,
       {},
       [&] {
         Workspace expected;
         expected.parts = rows_;
         test::RecordingNotifier notifier;
         ASSERT_TRUE(run_passes(expected, notifier, {kAllPasses.begin(), kAllPasses.end()}, {}));
         ASSERT_NE(expected.parts.row_count(), rows_.row_count());
         EXPECT_EQ(app_.ws.parts.rows(), expected.parts.rows());
       }},
      {"Delete in the list: 削除",
       VK_DELETE,
       0,
       nullptr,
       2,
       -1,
       nullptr,
       {},
       [&] {
         PartsList expected = rows_;
         expected.delete_row(2);
         EXPECT_EQ(app_.ws.parts.rows(), expected.rows());
       }},
      {"Delete elsewhere: nothing", VK_DELETE, 0, main_, 2, -1, nullptr, {}, list_unchanged},
      {"Ctrl+A: every row selected",
       'A',
       kCtrl,
       nullptr,
       1,
       -1,
       nullptr,
       {},
       [&] {
         EXPECT_EQ(test::selected_rows(list()), (std::vector<int>{0, 1, 2, 3}));
         EXPECT_TRUE(test::row_state(list(), 3) & LVIS_DROPHILITED);
       }},
      {"F2: the focused row's first cell in the editor",
       VK_F2,
       0,
       nullptr,
       0,
       3,
       nullptr,
       {},
       [&] {
         ASSERT_TRUE(cell_edit());
         EXPECT_EQ(GetFocus(), cell_edit());
         EXPECT_EQ(test::window_text(cell_edit()), L"PL1");
         POINT at{};
         ListView_GetItemPosition(list(), 3, &at);
         RECT r{};
         GetWindowRect(cell_edit(), &r);
         MapWindowPoints(nullptr, main_, reinterpret_cast<POINT*>(&r), 2);
         EXPECT_EQ(r.left, 2);
         EXPECT_EQ(r.top, at.y + 48);
         SetFocus(list());  // commits the text unchanged
         list_unchanged();
       }},
      {"Ctrl+Z: 元に戻す",
       'Z',
       kCtrl,
       nullptr,
       -1,
       -1,
       nullptr,
       {},
       [&] {
         EXPECT_EQ(app_.ws.parts.row_ids(), rows_.row_ids());
         EXPECT_FALSE(app_.undo.can_undo());
       }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.label);
    app_.ws.parts = rows_;
    win::show_parts(app_);
    app_.undo = {};
    if (c.key == 'Z') {  // something to undo: a row deleted by the menu
      test::select_rows(list(), {1});
      command(IDM_DELETE_ROW);
      ASSERT_NE(app_.ws.parts.rows(), rows_.rows());
    }
    test::select_rows(list(), {});
    if (c.selected >= 0) test::select_rows(list(), {c.selected});
    if (c.focused >= 0) ListView_SetItemState(list(), c.focused, LVIS_FOCUSED, LVIS_FOCUSED);
    SetFocus(c.focus ? c.focus : list());
    DialogDriver driver;
    if (c.dialog) {
      driver.expect(c.dialog, c.file_name.empty() ? DialogDriver::press(IDCANCEL)
                                                  : DialogDriver::enter_file_name(c.file_name));
    }
    press(c.key, c.modifiers);
    EXPECT_TRUE(driver.all_handled());
    EXPECT_EQ(driver.seen().size(), c.dialog ? 1u : 0u);
    c.check();
  }
}

// While the in-place editor is open, Delete, Ctrl+A and Ctrl+Z edit its text, not the list.
TEST_F(KeyboardTest, TheCellEditorKeepsItsEditingKeys) {
  open_with_rows();
  ListView_SetItemState(list(), 1, LVIS_FOCUSED, LVIS_FOCUSED);
  SetFocus(list());
  press(VK_F2);
  HWND edit = cell_edit();
  ASSERT_TRUE(edit);
  press('A', kCtrl);
  DWORD start = 0, end = 0;
  SendMessageW(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
  EXPECT_EQ(start, 0u);
  EXPECT_EQ(end, 3u);
  EXPECT_TRUE(test::selected_rows(list()).empty());
  press(VK_DELETE);
  EXPECT_EQ(test::window_text(edit), L"");
  EXPECT_EQ(app_.ws.parts.row_count(), 4);
  press('Z', kCtrl);
  EXPECT_EQ(test::window_text(edit), L"MC1");
  EXPECT_EQ(GetFocus(), edit);

  // The edit, once left, is one step that Ctrl+Z in the list takes back.
  SetWindowTextW(edit, L"MC2");
  SetFocus(list());
  EXPECT_EQ(cell(1, 0), "MC2");
  press('Z', kCtrl);
  EXPECT_EQ(cell(1, 0), "MC1");
  EXPECT_EQ(app_.ws.parts.rows(), rows_.rows());
}

}  // namespace
}  // namespace korvane
