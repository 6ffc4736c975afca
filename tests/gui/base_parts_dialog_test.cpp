#include <gtest/gtest.h>

#include <windows.h>

#include <commctrl.h>

#include "base_parts_dialog.h"
#include "editing_fixture.h"
#include "reference/base_parts_editing.h"

namespace korvane {
namespace {

using test::DialogSession;
using test::sjis;

const std::string kData = std::string(KORVANE_TEST_DATA) + "/reference/";

BasePartEntry entry(const char* name, const char* tag, int supply = 0) {
  BasePartEntry e;
  e.part_name = sjis(name);
  e.tag = sjis(tag);
  e.supply_class = supply;
  return e;
}

class BasePartsDialogTest : public test::EditingTest {
 protected:
  void set_entries(int count) {
    app_.ws.base_parts.entries.clear();
    for (int i = 0; i < count; ++i) {
      const std::string n = std::to_string(i);
      app_.ws.base_parts.entries.push_back(entry(("P" + n).c_str(), ("T" + n).c_str()));
    }
  }
  void run(DialogSession& session, std::function<void(HWND dialog, HWND list)> steps) {
    session.on_open(L"基部品Listの設定",
                    [steps](HWND dialog) { steps(dialog, GetDlgItem(dialog, IDC_BASE_LIST)); });
    win::run_base_parts_dialog(main_, app_.ws.base_parts);
    EXPECT_TRUE(session.steps_ran());
  }
  std::vector<std::string> names() const {
    std::vector<std::string> out;
    for (const auto& e : app_.ws.base_parts.entries) out.push_back(test::utf8(e.part_name));
    return out;
  }
};

bool checked(HWND dialog, int id) { return IsDlgButtonChecked(dialog, id) == BST_CHECKED; }

TEST_F(BasePartsDialogTest, AnEmptyStoreShowsThirteenColumnsAndNoRows) {
  DialogSession session;
  run(session, [&](HWND dialog, HWND list) {
    ASSERT_TRUE(list);
    RECT r{};
    GetWindowRect(list, &r);
    EXPECT_EQ(r.right - r.left, 680);
    EXPECT_EQ(r.bottom - r.top, 360);
    const auto ex = SendMessageW(list, LVM_GETEXTENDEDLISTVIEWSTYLE, 0, 0);
    EXPECT_TRUE(ex & LVS_EX_GRIDLINES);
    EXPECT_TRUE(ex & LVS_EX_FULLROWSELECT);
    EXPECT_EQ(test::row_count(list), 0);
    const std::vector<std::pair<std::wstring, int>> expected = {
        {L"部品名", 150},     {L"TAG No.", 100},      {L"型式", 160},       {L"メーカ", 80},
        {L"支給", 40},        {L"付属１部品名", 100}, {L"付属１型式", 100}, {L"付属２部品名", 100},
        {L"付属２型式", 100}, {L"付属３部品名", 100}, {L"付属３型式", 100}, {L"付属４部品名", 100},
        {L"付属４型式", 100}};
    HWND header = reinterpret_cast<HWND>(SendMessageW(list, LVM_GETHEADER, 0, 0));
    EXPECT_EQ(SendMessageW(header, HDM_GETITEMCOUNT, 0, 0), 13);
    EXPECT_EQ(test::list_columns(list), expected);
    // The fields sit below the list, whatever the dialog font makes of dialog units.
    RECT edit{};
    GetWindowRect(GetDlgItem(dialog, IDC_BASE_PART_NAME), &edit);
    EXPECT_GE(edit.top, r.bottom);
  });
}

TEST_F(BasePartsDialogTest, EveryEntryIsARowOneWithoutAPartNameToo) {
  set_entries(5);
  app_.ws.base_parts.entries[0].supply_class = 1;
  app_.ws.base_parts.entries[1].supply_class = 2;
  app_.ws.base_parts.entries[1].accessories[3] = {sjis("カバー"), "TC-4"};
  app_.ws.base_parts.entries[2].part_name.clear();
  DialogSession session;
  run(session, [&](HWND, HWND list) {
    EXPECT_EQ(test::column_texts(list, 0),
              (std::vector<std::wstring>{L"P0", L"P1", L"", L"P3", L"P4"}));
    EXPECT_EQ(test::column_texts(list, 1),
              (std::vector<std::wstring>{L"T0", L"T1", L"T2", L"T3", L"T4"}));
    EXPECT_EQ(test::column_texts(list, 4),
              (std::vector<std::wstring>{L"支給", L"非購", L"    ", L"    ", L"    "}));
    EXPECT_EQ(test::cell_text(list, 1, 11), L"カバー");
    EXPECT_EQ(test::cell_text(list, 1, 12), L"TC-4");
  });
  EXPECT_EQ(app_.ws.base_parts.entries.size(), 5u);
}

TEST_F(BasePartsDialogTest, AddTakesThe199thEntryAndRefusesThe200th) {
  set_entries(198);
  DialogSession session;
  run(session, [&](HWND dialog, HWND list) {
    test::set_text(dialog, IDC_BASE_PART_NAME, L"新部品");
    test::set_text(dialog, IDC_BASE_TAG, L"NEW");
    EXPECT_TRUE(test::click(dialog, IDC_BASE_ADD));
    EXPECT_TRUE(session.take_boxes().empty());
    EXPECT_EQ(test::row_count(list), 199);
    EXPECT_EQ(test::cell_text(list, 198, 0), L"新部品");
    EXPECT_EQ(test::cell_text(list, 198, 4), L"    ");
    EXPECT_TRUE(test::click(dialog, IDC_BASE_ADD));
    test::select_rows(list, {0});
    EXPECT_TRUE(test::click(dialog, IDC_BASE_INSERT));
    EXPECT_EQ(session.take_boxes(),
              (std::vector<std::wstring>{L"制限があります: 部品登録数２００を超えました。",
                                         L"制限があります: 部品登録数２００を超えました。"}));
    EXPECT_EQ(test::row_count(list), 199);
  });
  ASSERT_EQ(app_.ws.base_parts.entries.size(), 199u);
  EXPECT_EQ(app_.ws.base_parts.entries[198].part_name, sjis("新部品"));
  EXPECT_EQ(app_.ws.base_parts.entries[198].tag, "NEW");
}

// Enter and Escape in a field neither close the dialog nor run a button, also after a button
// has had the focus.
TEST_F(BasePartsDialogTest, EnterAndEscapeLeaveItOpen) {
  set_entries(1);
  DialogSession session;
  run(session, [&](HWND dialog, HWND list) {
    test::set_text(dialog, IDC_BASE_PART_NAME, L"新部品");
    for (int field : {IDC_BASE_PART_NAME, IDC_BASE_ACC4_TYPE}) {
      test::press_key(dialog, field, VK_RETURN);
      test::press_key(dialog, field, VK_ESCAPE);
    }
    EXPECT_TRUE(IsWindowVisible(dialog));
    EXPECT_EQ(test::row_count(list), 1);
    // "追加" clicked (it takes the focus), then back in a field.
    SendMessageW(dialog, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(GetDlgItem(dialog, IDC_BASE_ADD)),
                 TRUE);
    EXPECT_TRUE(test::click(dialog, IDC_BASE_ADD));
    SendMessageW(dialog, WM_NEXTDLGCTL,
                 reinterpret_cast<WPARAM>(GetDlgItem(dialog, IDC_BASE_PART_NAME)), TRUE);
    test::press_key(dialog, IDC_BASE_PART_NAME, VK_RETURN);
    test::press_key(dialog, IDC_BASE_PART_NAME, VK_ESCAPE);
    EXPECT_TRUE(IsWindowVisible(dialog));
    EXPECT_EQ(test::row_count(list), 2);
    EXPECT_EQ(test::dialog_item_text(dialog, IDC_BASE_PART_NAME), L"新部品");
    EXPECT_TRUE(session.take_boxes().empty());
  });
  EXPECT_EQ(names(), (std::vector<std::string>{"P0", "新部品"}));
}

TEST_F(BasePartsDialogTest, AnEmptyNameIsRefusedBeforeTheSelectionIsLookedAt) {
  set_entries(2);
  DialogSession session;
  run(session, [&](HWND dialog, HWND list) {
    EXPECT_TRUE(test::click(dialog, IDC_BASE_REWRITE));
    EXPECT_TRUE(test::click(dialog, IDC_BASE_ADD));
    EXPECT_TRUE(test::click(dialog, IDC_BASE_INSERT));
    test::set_text(dialog, IDC_BASE_PART_NAME, L"X");
    EXPECT_TRUE(test::click(dialog, IDC_BASE_REWRITE));
    EXPECT_TRUE(test::click(dialog, IDC_BASE_INSERT));
    EXPECT_TRUE(test::click(dialog, IDC_BASE_READ));
    EXPECT_EQ(session.take_boxes(),
              (std::vector<std::wstring>{
                  L"操作ミス: 部品名を入力して下さい。", L"操作ミス: 部品名を入力して下さい。",
                  L"操作ミス: 部品名を入力して下さい。", L"操作ミス: 項目を選択して下さい。",
                  L"操作ミス: 項目を選択して下さい。", L"操作ミス: 項目を選択して下さい。"}));
    EXPECT_EQ(test::row_count(list), 2);
  });
  EXPECT_EQ(names(), (std::vector<std::string>{"P0", "P1"}));
}

TEST_F(BasePartsDialogTest, AFieldWithACommaIsRefused) {
  set_entries(2);
  DialogSession session;
  run(session, [&](HWND dialog, HWND list) {
    test::set_text(dialog, IDC_BASE_PART_NAME, L"X");
    test::set_text(dialog, IDC_BASE_ACC2_TYPE, L"A,B");
    test::select_rows(list, {0});
    EXPECT_TRUE(test::click(dialog, IDC_BASE_REWRITE));
    EXPECT_TRUE(test::click(dialog, IDC_BASE_ADD));
    EXPECT_EQ(session.take_boxes(),
              (std::vector<std::wstring>{L"操作ミス: 項目にカンマ「,」は使用できません。",
                                         L"操作ミス: 項目にカンマ「,」は使用できません。"}));
    EXPECT_EQ(test::column_texts(list, 0), (std::vector<std::wstring>{L"P0", L"P1"}));
  });
  EXPECT_EQ(names(), (std::vector<std::string>{"P0", "P1"}));
}

TEST_F(BasePartsDialogTest, ThreeSelectedRowsAreDeletedAndTheRestKeepTheirOrder) {
  set_entries(6);
  DialogSession session;
  run(session, [&](HWND dialog, HWND list) {
    test::select_rows(list, {0, 2, 5});
    EXPECT_TRUE(test::click(dialog, IDC_BASE_DELETE));
    EXPECT_EQ(test::column_texts(list, 0), (std::vector<std::wstring>{L"P1", L"P3", L"P4"}));
    EXPECT_TRUE(session.take_boxes().empty());
  });
  EXPECT_EQ(names(), (std::vector<std::string>{"P1", "P3", "P4"}));
}

TEST_F(BasePartsDialogTest, ReadFillsTheFieldsAndChecksTheSupplyClass) {
  set_entries(3);
  auto& e = app_.ws.base_parts.entries;
  e[0].supply_class = 1;
  e[0].type = "KB-32";
  e[0].maker = sjis("コルベ電機");
  e[0].accessories[0] = {sjis("ハンドル"), "KB-H1"};
  e[0].accessories[3] = {sjis("カバー"), "KB-TC"};
  e[1].supply_class = 2;
  DialogSession session;
  run(session, [&](HWND dialog, HWND list) {
    test::select_rows(list, {0});
    EXPECT_TRUE(test::click(dialog, IDC_BASE_READ));
    EXPECT_EQ(test::dialog_item_text(dialog, IDC_BASE_PART_NAME), L"P0");
    EXPECT_EQ(test::dialog_item_text(dialog, IDC_BASE_TAG), L"T0");
    EXPECT_EQ(test::dialog_item_text(dialog, IDC_BASE_TYPE), L"KB-32");
    EXPECT_EQ(test::dialog_item_text(dialog, IDC_BASE_MAKER), L"コルベ電機");
    EXPECT_EQ(test::dialog_item_text(dialog, IDC_BASE_ACC1_NAME), L"ハンドル");
    EXPECT_EQ(test::dialog_item_text(dialog, IDC_BASE_ACC1_TYPE), L"KB-H1");
    EXPECT_EQ(test::dialog_item_text(dialog, IDC_BASE_ACC4_NAME), L"カバー");
    EXPECT_EQ(test::dialog_item_text(dialog, IDC_BASE_ACC4_TYPE), L"KB-TC");
    EXPECT_TRUE(checked(dialog, IDC_BASE_SUPPLIED));
    EXPECT_EQ(test::row_state(list, 0),
              static_cast<UINT>(LVIS_SELECTED | LVIS_FOCUSED | LVIS_DROPHILITED));
    test::select_rows(list, {1});
    EXPECT_TRUE(test::click(dialog, IDC_BASE_READ));
    EXPECT_TRUE(checked(dialog, IDC_BASE_NOT_PURCHASED));
    EXPECT_FALSE(checked(dialog, IDC_BASE_SUPPLIED));
    EXPECT_EQ(test::dialog_item_text(dialog, IDC_BASE_ACC1_NAME), L"");
    test::select_rows(list, {2});
    EXPECT_TRUE(test::click(dialog, IDC_BASE_READ));
    EXPECT_TRUE(checked(dialog, IDC_BASE_PURCHASED));
    EXPECT_TRUE(session.take_boxes().empty());
  });
}

// Rewrite, insert, add and delete through the dialog opened from the menu; nothing is written
// until the exit, which saves the edited store as the expected file.
TEST_F(BasePartsDialogTest, TheMenuOpensItAndTheEditedStoreIsSavedAtExit) {
  close_main_window();
  std::filesystem::copy_file(kData + "base_parts_three_entries.txt", dir_.path() / "base.txt");
  test::write_file(dir_.path() / "words.txt", "NOTE\r\n");
  write_settings_file([](Settings& s) {
    s.part_select = 1;
    s.part_file[0] = "base.txt";
    s.kinsi_file[0] = "words.txt";
  });
  ASSERT_TRUE(open_main_window());
  DialogSession session;
  session.on_open(L"基部品Listの設定", [&](HWND dialog) {
    EXPECT_EQ(GetWindow(dialog, GW_OWNER), main_);
    HWND list = GetDlgItem(dialog, IDC_BASE_LIST);
    // Row 0 read, its type changed, marked supplied and written back.
    test::select_rows(list, {0});
    EXPECT_TRUE(test::click(dialog, IDC_BASE_READ));
    test::set_text(dialog, IDC_BASE_TYPE, L"SC-E03");
    SendMessageW(GetDlgItem(dialog, IDC_BASE_SUPPLIED), BM_CLICK, 0, 0);
    EXPECT_TRUE(test::click(dialog, IDC_BASE_REWRITE));
    EXPECT_EQ(test::cell_text(list, 0, 2), L"SC-E03");
    EXPECT_EQ(test::cell_text(list, 0, 4), L"支給");
    EXPECT_TRUE(test::selected_rows(list).empty());
    // A new entry before row 2, another at the end.
    for (int id :
         {IDC_BASE_TAG, IDC_BASE_TYPE, IDC_BASE_MAKER, IDC_BASE_ACC1_NAME, IDC_BASE_ACC1_TYPE}) {
      test::set_text(dialog, id, L"");
    }
    test::set_text(dialog, IDC_BASE_PART_NAME, L"端子台");
    test::set_text(dialog, IDC_BASE_TAG, L"TB");
    test::set_text(dialog, IDC_BASE_ACC3_TYPE, L"TB-E");
    SendMessageW(GetDlgItem(dialog, IDC_BASE_NOT_PURCHASED), BM_CLICK, 0, 0);
    test::select_rows(list, {2});
    EXPECT_TRUE(test::click(dialog, IDC_BASE_INSERT));
    test::set_text(dialog, IDC_BASE_PART_NAME, L"表示灯");
    test::set_text(dialog, IDC_BASE_TAG, L"PL");
    test::set_text(dialog, IDC_BASE_ACC3_TYPE, L"");
    SendMessageW(GetDlgItem(dialog, IDC_BASE_PURCHASED), BM_CLICK, 0, 0);
    EXPECT_TRUE(test::click(dialog, IDC_BASE_ADD));
    // The second of the original entries goes.
    test::select_rows(list, {1});
    EXPECT_TRUE(test::click(dialog, IDC_BASE_DELETE));
    EXPECT_EQ(test::column_texts(list, 1), (std::vector<std::wstring>{L"MC", L"TB", L"PB", L"PL"}));
    EXPECT_TRUE(session.take_boxes().empty());
  });
  command(IDM_BASE_PARTS);
  EXPECT_TRUE(session.steps_ran());
  EXPECT_EQ(test::read_file(dir_.path() / "base.txt"),
            test::read_file(kData + "base_parts_three_entries.txt"));
  close_main_window();
  EXPECT_EQ(test::read_file(dir_.path() / "base.txt"),
            test::read_file(kData + "base_parts_after_dialog_edits.txt"));
}

// A file line without a part name is an entry: it is shown, one added behind it is shown, and the
// file saved at exit holds exactly the rows the dialog showed.
TEST_F(BasePartsDialogTest, AnEntryAddedBehindANamelessOneIsShownAndSavedAsShown) {
  close_main_window();
  test::write_file(dir_.path() / "base.txt", sjis(",NN,NT-1,MK,0,,,,,,,,,\r\n"));
  test::write_file(dir_.path() / "words.txt", "NOTE\r\n");
  write_settings_file([](Settings& s) {
    s.part_select = 1;
    s.part_file[0] = "base.txt";
    s.kinsi_file[0] = "words.txt";
  });
  ASSERT_TRUE(open_main_window());
  std::vector<std::vector<std::wstring>> shown;
  DialogSession session;
  session.on_open(L"基部品Listの設定", [&](HWND dialog) {
    HWND list = GetDlgItem(dialog, IDC_BASE_LIST);
    test::set_text(dialog, IDC_BASE_PART_NAME, L"表示灯");
    test::set_text(dialog, IDC_BASE_TAG, L"PL");
    EXPECT_TRUE(test::click(dialog, IDC_BASE_ADD));
    EXPECT_TRUE(session.take_boxes().empty());
    for (int row = 0; row < test::row_count(list); ++row) {
      std::vector<std::wstring> cells;
      for (int column = 0; column < kBasePartsColumnCount; ++column) {
        cells.push_back(test::cell_text(list, row, column));
      }
      shown.push_back(cells);
    }
  });
  command(IDM_BASE_PARTS);
  ASSERT_TRUE(session.steps_ran());
  ASSERT_EQ(shown.size(), 2u);
  EXPECT_EQ(shown[0][0], L"");
  EXPECT_EQ(shown[0][1], L"NN");
  EXPECT_EQ(shown[1][0], L"表示灯");
  close_main_window();
  // The file as the shown cells make it: 13 comma-ended fields, the supply column as its code.
  std::string expected;
  for (const auto& cells : shown) {
    for (int column = 0; column < kBasePartsColumnCount; ++column) {
      expected += column == kBasePartsSupplyColumn ? "0" : win::narrow(cells[column]);
      expected += ",";
    }
    expected += "\r\n";
  }
  EXPECT_EQ(test::read_file(dir_.path() / "base.txt"), expected);
}

}  // namespace
}  // namespace korvane
