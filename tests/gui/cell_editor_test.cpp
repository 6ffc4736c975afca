#include <gtest/gtest.h>

#include <windows.h>

#include <commctrl.h>

#include "main_window_fixture.h"

namespace korvane {
namespace {

using test::DialogDriver;
using test::MainWindowTest;

class CellEditorTest : public MainWindowTest {
 protected:
  void open_with_rows() {
    ASSERT_TRUE(open_main_window());
    add_rows({{"MC1", "1", "電磁接触器", "三菱", "AC200V", "S-T10", "2", "支給"},
              {"PB1", "2", "押ボタン", "", "", "", "1", "    "},
              {"INV1", "1", "インバータ", "", "", "", "1", "非購"}});
  }
  // A right click on a cell, as the mouse gives it; the list view selects the row under it.
  void right_click(int row, int column) {
    HWND lv = list();
    RECT r{};
    ListView_GetSubItemRect(lv, row, column, LVIR_BOUNDS, &r);
    right_click_at({r.left + 5, (r.top + r.bottom) / 2});
  }
  void right_click_at(POINT at) {
    const LPARAM where = MAKELPARAM(at.x, at.y);
    PostMessageW(list(), WM_RBUTTONDOWN, MK_RBUTTON, where);
    PostMessageW(list(), WM_RBUTTONUP, 0, where);
  }
  HWND wait_for_control(int id) {
    HWND control = nullptr;
    test::pump_until([&] { return (control = GetDlgItem(main_, id)) != nullptr; }, 3000);
    return control;
  }
  // The top of a row in the main window's client area, as the editor is placed.
  int row_y(int row) {
    POINT at{};
    ListView_GetItemPosition(list(), row, &at);
    return at.y;
  }
  RECT client_rect_of(HWND control) {
    RECT r{};
    GetWindowRect(control, &r);
    MapWindowPoints(nullptr, main_, reinterpret_cast<POINT*>(&r), 2);
    return r;
  }
};

std::wstring combo_entry(HWND combo, int index) {
  wchar_t text[32] = {};
  SendMessageW(combo, CB_GETLBTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text));
  return text;
}

TEST_F(CellEditorTest, SupplyClassComboWritesThePickAtOnceAndClosesLater) {
  write_settings_file();
  open_with_rows();
  right_click(0, 7);
  HWND combo = wait_for_control(IDC_CELL_COMBO);
  ASSERT_TRUE(combo);
  EXPECT_EQ(test::class_name(combo), L"ComboBox");
  EXPECT_EQ(GetWindowLongW(combo, GWL_STYLE) & 0xF, CBS_DROPDOWNLIST);
  ASSERT_EQ(SendMessageW(combo, CB_GETCOUNT, 0, 0), 3);
  EXPECT_EQ(combo_entry(combo, 0), L"支給");
  EXPECT_EQ(combo_entry(combo, 1), L"非購");
  EXPECT_EQ(combo_entry(combo, 2), L"    ");
  EXPECT_EQ(SendMessageW(combo, CB_GETCURSEL, 0, 0), 0);  // the old text
  EXPECT_EQ(cell(0, 7), "");                              // until a commit writes it
  EXPECT_EQ(GetFocus(), combo);
  // Placed by the configured widths: 2 + 150 + 40 + 130 + 60 + 130 + 130 + 40.
  const RECT r = client_rect_of(combo);
  EXPECT_EQ(r.left, 682);
  EXPECT_EQ(r.top, row_y(0) + 48);
  EXPECT_EQ(r.right - r.left, 50);
  EXPECT_EQ(ListView_GetSelectedCount(list()), 0u);  // the row marks are cleared

  // The user picks the next entry with the keyboard.
  const ULONGLONG picked_at = GetTickCount64();
  SendMessageW(combo, WM_KEYDOWN, VK_DOWN, 0);
  EXPECT_EQ(cell(0, 7), "非購");
  EXPECT_TRUE(IsWindowVisible(combo));
  ASSERT_TRUE(test::pump_until([&] { return !IsWindow(combo); }, 3000));
  EXPECT_GE(GetTickCount64() - picked_at, 150u);
  EXPECT_EQ(cell(0, 7), "非購");
}

TEST_F(CellEditorTest, ComboLeftWithoutAPickGivesTheCellItsOldTextBack) {
  write_settings_file();
  open_with_rows();
  // Escape.
  right_click(2, 7);
  HWND combo = wait_for_control(IDC_CELL_COMBO);
  ASSERT_TRUE(combo);
  EXPECT_EQ(cell(2, 7), "");
  SendMessageW(combo, WM_KEYDOWN, VK_ESCAPE, 0);
  EXPECT_EQ(cell(2, 7), "非購");
  ASSERT_TRUE(test::pump_until([&] { return !IsWindow(combo); }, 3000));

  // The focus moves elsewhere.
  right_click(1, 7);
  combo = wait_for_control(IDC_CELL_COMBO);
  ASSERT_TRUE(combo);
  EXPECT_EQ(SendMessageW(combo, CB_GETCURSEL, 0, 0), 2);  // four spaces
  SetFocus(list());
  EXPECT_EQ(cell(1, 7), "    ");
  ASSERT_TRUE(test::pump_until([&] { return !IsWindow(combo); }, 3000));
  EXPECT_EQ(cell(2, 7), "非購");
}

TEST_F(CellEditorTest, TextEditorWritesBackWhenItLosesTheFocus) {
  write_settings_file();
  open_with_rows();
  right_click(0, 2);
  HWND edit = wait_for_control(IDC_CELL_EDIT);
  ASSERT_TRUE(edit);
  EXPECT_EQ(test::class_name(edit), L"Edit");
  EXPECT_EQ(test::window_text(edit), L"電磁接触器");
  EXPECT_EQ(cell(0, 2), "");
  EXPECT_EQ(GetFocus(), edit);
  EXPECT_FALSE(GetWindowLongW(edit, GWL_STYLE) & (WS_BORDER | ES_AUTOHSCROLL));
  const RECT r = client_rect_of(edit);
  EXPECT_EQ(r.left, 2 + 150 + 40);
  EXPECT_EQ(r.top, row_y(0) + 48);
  EXPECT_EQ(r.right - r.left, 130);
  EXPECT_EQ(r.bottom - r.top, 16);
  LOGFONTW font{};
  GetObjectW(reinterpret_cast<HFONT>(SendMessageW(edit, WM_GETFONT, 0, 0)), sizeof font, &font);
  EXPECT_EQ(font.lfHeight, 12);
  EXPECT_EQ(font.lfCharSet, SHIFTJIS_CHARSET);
  EXPECT_EQ(std::wstring(font.lfFaceName), L"ＭＳゴシック");

  SetWindowTextW(edit, L"配線用遮断器");
  SetFocus(list());
  EXPECT_EQ(cell(0, 2), "配線用遮断器");
  ASSERT_TRUE(test::pump_until([&] { return !IsWindow(edit); }, 3000));

  // Unchanged text goes back as it was.
  right_click(1, 0);
  edit = wait_for_control(IDC_CELL_EDIT);
  ASSERT_TRUE(edit);
  SetFocus(list());
  EXPECT_EQ(cell(1, 0), "PB1");
}

TEST_F(CellEditorTest, TheSupplyClassColumnIsTheOneSiNoNames) {
  write_settings_file([](Settings& s) {
    s.column_map.supply = 2;
    s.column_map.part_name = 7;
  });
  open_with_rows();
  right_click(1, 7);
  HWND edit = wait_for_control(IDC_CELL_EDIT);
  ASSERT_TRUE(edit);
  EXPECT_FALSE(GetDlgItem(main_, IDC_CELL_COMBO));
  SetFocus(list());
  right_click(1, 2);
  EXPECT_TRUE(wait_for_control(IDC_CELL_COMBO));
}

TEST_F(CellEditorTest, RightClickWithoutASelectedRowOpensNothing) {
  write_settings_file();
  open_with_rows();
  RECT client{};
  GetClientRect(list(), &client);
  right_click_at({40, client.bottom - 10});
  test::pump_for(300);
  EXPECT_FALSE(GetDlgItem(main_, IDC_CELL_EDIT));
  EXPECT_FALSE(GetDlgItem(main_, IDC_CELL_COMBO));
  EXPECT_EQ(cell(0, 0), "MC1");
}

TEST_F(CellEditorTest, ACommandFinishesTheOpenEditFirst) {
  write_settings_file([](Settings& s) { s.file_save_mode2 = 1; });
  open_with_rows();
  right_click(1, 3);
  HWND edit = wait_for_control(IDC_CELL_EDIT);
  ASSERT_TRUE(edit);
  SetWindowTextW(edit, L"オムロン");
  DialogDriver driver;
  driver.expect(L"ﾃｷｽﾄﾌｧｲﾙに書込",
                DialogDriver::enter_file_name((dir_.path() / "edited").wstring()));
  command(IDM_OUTPUT_PURCHASED);
  ASSERT_TRUE(driver.all_handled());
  EXPECT_EQ(test::read_file(dir_.path() / "edited.txt"),
            test::sjis("\"PB1\",2,\"押ボタン\",\"オムロン\",\"\",\"\",1,    \r\n"));
  EXPECT_FALSE(GetDlgItem(main_, IDC_CELL_EDIT));
}

}  // namespace
}  // namespace korvane
