#include <gtest/gtest.h>

#include <windows.h>

#include <commctrl.h>

#include "main_window_fixture.h"

namespace korvane {
namespace {

using test::left_click;
using test::MainWindowTest;
using test::middle_of_row;

constexpr UINT kAllMarks = LVIS_SELECTED | LVIS_FOCUSED | LVIS_DROPHILITED;

std::wstring item_text(HWND list, int row, int column) {
  wchar_t text[256] = {};
  LVITEMW item{};
  item.iSubItem = column;
  item.pszText = text;
  item.cchTextMax = 256;
  SendMessageW(list, LVM_GETITEMTEXTW, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
  return text;
}

UINT marks(HWND list, int row) { return ListView_GetItemState(list, row, kAllMarks); }

TEST_F(MainWindowTest, ListViewColumnsComeFromTheColumnSettings) {
  // Permuted field columns and unusual widths.
  write_settings_file([](Settings& s) {
    const char* titles[] = {"Tag", "型式", "数", "名前", "区分", "図番", "メーカー", "備考"};
    const int widths[] = {77, 123, 31, 200, 45, 60, 99, 13};
    for (std::size_t k = 0; k < 8; ++k) {
      s.columns[k].title = test::sjis(titles[k]);
      s.columns[k].width = widths[k];
    }
    s.column_map.type = 1;
    s.column_map.quantity = 2;
    s.column_map.part_name = 3;
    s.column_map.supply = 4;
    s.column_map.drawing = 5;
    s.column_map.maker = 6;
    s.column_map.spec = 7;
  });
  ASSERT_TRUE(open_main_window());
  HWND lv = list();
  ASSERT_TRUE(lv);
  EXPECT_EQ(test::class_name(lv), L"SysListView32");
  const std::wstring titles[] = {L"Tag",  L"型式", L"数",       L"名前",
                                 L"区分", L"図番", L"メーカー", L"備考"};
  const int widths[] = {77, 123, 31, 200, 45, 60, 99, 13};
  const bool centred[] = {false, false, true, false, true, true, true, false};
  EXPECT_EQ(Header_GetItemCount(ListView_GetHeader(lv)), 8);
  for (int k = 0; k < 8; ++k) {
    SCOPED_TRACE(k);
    wchar_t title[128] = {};
    LVCOLUMNW column{};
    column.mask = LVCF_FMT | LVCF_WIDTH | LVCF_TEXT | LVCF_SUBITEM;
    column.pszText = title;
    column.cchTextMax = 128;
    ASSERT_TRUE(SendMessageW(lv, LVM_GETCOLUMNW, static_cast<WPARAM>(k),
                             reinterpret_cast<LPARAM>(&column)));
    EXPECT_EQ(std::wstring(title), titles[k]);
    EXPECT_EQ(column.cx, widths[k]);
    EXPECT_EQ(column.iSubItem, k);
    EXPECT_EQ(column.fmt & LVCFMT_JUSTIFYMASK, centred[k] ? LVCFMT_CENTER : LVCFMT_LEFT);
  }
}

TEST_F(MainWindowTest, ListViewFillsTheClientAreaBelowTheToolbar) {
  write_settings_file();
  ASSERT_TRUE(open_main_window());
  HWND lv = list();
  const LONG style = GetWindowLongW(lv, GWL_STYLE);
  EXPECT_EQ(style & LVS_TYPEMASK, LVS_REPORT);
  EXPECT_TRUE(style & LVS_OWNERDATA);
  EXPECT_FALSE(style & (LVS_EDITLABELS | LVS_SINGLESEL | LVS_SHOWSELALWAYS));
  EXPECT_TRUE(GetWindowLongW(lv, GWL_EXSTYLE) & WS_EX_CLIENTEDGE);
  const DWORD extended = ListView_GetExtendedListViewStyle(lv);
  EXPECT_TRUE(extended & LVS_EX_GRIDLINES);
  EXPECT_TRUE(extended & LVS_EX_FULLROWSELECT);

  // Created at y 44, the first WM_SIZE (during creation) moved it to y 42.
  RECT client{};
  GetClientRect(main_, &client);
  RECT r{};
  GetWindowRect(lv, &r);
  MapWindowPoints(nullptr, main_, reinterpret_cast<POINT*>(&r), 2);
  EXPECT_EQ(r.left, 0);
  EXPECT_EQ(r.top, 42);
  EXPECT_EQ(r.right, client.right);
  EXPECT_EQ(r.bottom, client.bottom);

  RECT bar{};
  GetWindowRect(GetDlgItem(main_, IDC_TOOLBAR), &bar);
  MapWindowPoints(nullptr, main_, reinterpret_cast<POINT*>(&bar), 2);
  EXPECT_EQ(bar.top, 0);
  EXPECT_LE(bar.bottom, 44);  // the toolbar sits above the list
}

TEST_F(MainWindowTest, ListViewShowsTheModelAndDeleteAllEmptiesIt) {
  write_settings_file();
  ASSERT_TRUE(open_main_window());
  add_rows({{"MC1", "1", "電磁接触器", "三菱", "AC200V", "S-T10", "2", "支給"},
            {"PB1", "2", "押ボタン", "", "", "", "1", "    "}});
  HWND lv = list();
  EXPECT_EQ(ListView_GetItemCount(lv), 2);
  EXPECT_EQ(item_text(lv, 0, 0), L"MC1");
  EXPECT_EQ(item_text(lv, 0, 2), L"電磁接触器");
  EXPECT_EQ(item_text(lv, 0, 7), L"支給");
  EXPECT_EQ(item_text(lv, 1, 7), L"    ");
  EXPECT_EQ(item_text(lv, 1, 3), L"");

  command(IDM_DELETE_ALL);
  EXPECT_EQ(app_.ws.parts.row_count(), 0);
  EXPECT_EQ(ListView_GetItemCount(lv), 0);
}

TEST_F(MainWindowTest, CommandsWithoutAHandlerChangeNothing) {
  write_settings_file();
  ASSERT_TRUE(open_main_window());
  add_rows({{"MC1", "", "", "", "", "", "", ""}});
  for (int id : {0, 920, 935, 950, 37999}) command(id);
  EXPECT_TRUE(IsWindow(main_));
  EXPECT_EQ(app_.ws.parts.row_count(), 1);
  EXPECT_EQ(ListView_GetItemCount(list()), 1);
}

TEST_F(MainWindowTest, LeftClickMarksTheChosenRowsSoTheyStayVisible) {
  write_settings_file();
  ASSERT_TRUE(open_main_window());
  add_rows({{"A1", "", "", "", "", "", "", ""},
            {"A2", "", "", "", "", "", "", ""},
            {"A3", "", "", "", "", "", "", ""}});
  HWND lv = list();
  left_click(lv, middle_of_row(lv, 1));
  ASSERT_TRUE(test::pump_until([&] { return marks(lv, 1) == kAllMarks; }, 3000));
  EXPECT_EQ(marks(lv, 0), 0u);
  EXPECT_EQ(marks(lv, 2), 0u);

  // A click below the rows clears the selection; the focused row keeps (and regains) its marks.
  RECT client{};
  GetClientRect(lv, &client);
  left_click(lv, {40, client.bottom - 10});
  ASSERT_TRUE(test::pump_until(
      [&] { return ListView_GetSelectedCount(lv) == 1 && marks(lv, 1) == kAllMarks; }, 3000));
  EXPECT_EQ(marks(lv, 0), 0u);
  EXPECT_EQ(marks(lv, 2), 0u);
}

}  // namespace
}  // namespace korvane
