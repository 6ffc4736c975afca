#include <gtest/gtest.h>

#include <windows.h>

#include <commctrl.h>

#include "editing_fixture.h"
#include "words_dialog.h"

namespace korvane {
namespace {

using test::DialogSession;
using test::sjis;

class WordsDialogTest : public test::EditingTest {
 protected:
  void set_words(std::initializer_list<const char*> utf8_words) {
    app_.ws.prohibited_words.words.clear();
    for (const char* word : utf8_words) app_.ws.prohibited_words.words.push_back(sjis(word));
  }
  // Runs the steps on the open dialog, then closes it with its close box.
  void run(DialogSession& session, std::function<void(HWND dialog, HWND list)> steps) {
    session.on_open(L"禁止文字の設定",
                    [steps](HWND dialog) { steps(dialog, GetDlgItem(dialog, IDC_WORDS_LIST)); });
    win::run_prohibited_words_dialog(main_, app_.ws.prohibited_words);
    EXPECT_TRUE(session.steps_ran());
  }
  std::vector<std::string> words_utf8() const {
    std::vector<std::string> out;
    for (const auto& word : app_.ws.prohibited_words.words) out.push_back(test::utf8(word));
    return out;
  }
};

std::wstring column_title(HWND list, int column, int* width) {
  wchar_t title[64] = {};
  LVCOLUMNW c{};
  c.mask = LVCF_TEXT | LVCF_WIDTH;
  c.pszText = title;
  c.cchTextMax = 64;
  SendMessageW(list, LVM_GETCOLUMNW, static_cast<WPARAM>(column), reinterpret_cast<LPARAM>(&c));
  *width = c.cx;
  return title;
}

TEST_F(WordsDialogTest, AnEmptyListShowsTheTwoColumnsAndEnterAndEscapeLeaveItOpen) {
  DialogSession session;
  run(session, [&](HWND dialog, HWND list) {
    ASSERT_TRUE(list);
    EXPECT_EQ(test::class_name(list), L"SysListView32");
    RECT r{};
    GetWindowRect(list, &r);
    EXPECT_EQ(r.right - r.left, 300);
    EXPECT_EQ(r.bottom - r.top, 360);
    const auto ex = SendMessageW(list, LVM_GETEXTENDEDLISTVIEWSTYLE, 0, 0);
    EXPECT_TRUE(ex & LVS_EX_GRIDLINES);
    EXPECT_TRUE(ex & LVS_EX_FULLROWSELECT);
    EXPECT_FALSE(GetWindowLongW(list, GWL_STYLE) & LVS_SINGLESEL);
    EXPECT_EQ(test::row_count(list), 0);
    HWND header = reinterpret_cast<HWND>(SendMessageW(list, LVM_GETHEADER, 0, 0));
    EXPECT_EQ(SendMessageW(header, HDM_GETITEMCOUNT, 0, 0), 2);
    int width = 0;
    EXPECT_EQ(column_title(list, 0, &width), L"禁止文字");
    EXPECT_EQ(width, 200);
    EXPECT_EQ(column_title(list, 1, &width), L"備考");
    EXPECT_EQ(width, 60);

    test::set_text(dialog, IDC_WORDS_EDIT, L"NOTE");
    test::press_key(dialog, IDC_WORDS_EDIT, VK_RETURN);
    test::press_key(dialog, IDC_WORDS_EDIT, VK_ESCAPE);
    EXPECT_TRUE(IsWindowVisible(dialog));
    EXPECT_EQ(test::dialog_item_text(dialog, IDC_WORDS_EDIT), L"NOTE");
    EXPECT_EQ(test::row_count(list), 0);
    EXPECT_TRUE(session.take_boxes().empty());
  });
  EXPECT_TRUE(app_.ws.prohibited_words.words.empty());
}

TEST_F(WordsDialogTest, TheEmptyTextIsRefusedBeforeTheSelectionIsLookedAt) {
  set_words({"NOTE", "注記"});
  DialogSession session;
  run(session, [&](HWND dialog, HWND list) {
    EXPECT_EQ(test::row_count(list), 2);
    EXPECT_TRUE(test::click(dialog, IDC_WORDS_REWRITE));
    EXPECT_TRUE(test::click(dialog, IDC_WORDS_ADD));
    test::set_text(dialog, IDC_WORDS_EDIT, L"X");
    EXPECT_TRUE(test::click(dialog, IDC_WORDS_REWRITE));
    EXPECT_TRUE(test::click(dialog, IDC_WORDS_READ));
    EXPECT_TRUE(test::click(dialog, IDC_WORDS_DELETE));  // nothing selected: nothing said
    EXPECT_EQ(
        session.take_boxes(),
        (std::vector<std::wstring>{
            L"操作ミス: 禁止文字名を入力して下さい。", L"操作ミス: \t禁止文字名を入力して下さい。",
            L"操作ミス: 項目を選択して下さい。", L"操作ミス: 項目を選択して下さい。"}));
    EXPECT_EQ(test::column_texts(list, 0), (std::vector<std::wstring>{L"NOTE", L"注記"}));
  });
  EXPECT_EQ(words_utf8(), (std::vector<std::string>{"NOTE", "注記"}));
}

TEST_F(WordsDialogTest, ReadRewriteAndAddKeepRowsAndWordsTogether) {
  set_words({"A", "B", "C"});
  DialogSession session;
  run(session, [&](HWND dialog, HWND list) {
    test::select_rows(list, {1});
    EXPECT_TRUE(test::click(dialog, IDC_WORDS_READ));
    EXPECT_EQ(test::dialog_item_text(dialog, IDC_WORDS_EDIT), L"B");
    EXPECT_EQ(test::row_state(list, 1),
              static_cast<UINT>(LVIS_SELECTED | LVIS_FOCUSED | LVIS_DROPHILITED));
    // 40 bytes typed: 31 kept would split the 16th character, so 15 stay.
    test::set_text(dialog, IDC_WORDS_EDIT, std::wstring(20, L'禁'));
    EXPECT_TRUE(test::click(dialog, IDC_WORDS_REWRITE));
    EXPECT_EQ(test::cell_text(list, 1, 0), std::wstring(15, L'禁'));
    EXPECT_EQ(test::row_state(list, 1) & LVIS_SELECTED, 0u);
    // A word already in the list is added again.
    test::set_text(dialog, IDC_WORDS_EDIT, L"A");
    EXPECT_TRUE(test::click(dialog, IDC_WORDS_ADD));
    test::set_text(dialog, IDC_WORDS_EDIT, std::wstring(40, L'w'));
    EXPECT_TRUE(test::click(dialog, IDC_WORDS_ADD));
    EXPECT_TRUE(session.take_boxes().empty());
    EXPECT_EQ(test::column_texts(list, 0),
              (std::vector<std::wstring>{L"A", std::wstring(15, L'禁'), L"C", L"A",
                                         std::wstring(31, L'w')}));
    EXPECT_EQ(test::column_texts(list, 1), std::vector<std::wstring>(5, L""));
  });
  std::string kin;
  for (int i = 0; i < 15; ++i) kin += "禁";
  EXPECT_EQ(words_utf8(), (std::vector<std::string>{"A", kin, "C", "A", std::string(31, 'w')}));
}

TEST_F(WordsDialogTest, ThreeSelectedRowsAreDeletedAndTheRestMoveUp) {
  set_words({"A", "B", "C", "D", "E", "F"});
  DialogSession session;
  run(session, [&](HWND dialog, HWND list) {
    test::select_rows(list, {1, 3, 4});
    EXPECT_TRUE(test::click(dialog, IDC_WORDS_DELETE));
    EXPECT_EQ(test::column_texts(list, 0), (std::vector<std::wstring>{L"A", L"C", L"F"}));
    EXPECT_TRUE(test::selected_rows(list).empty());
    EXPECT_TRUE(session.take_boxes().empty());
  });
  EXPECT_EQ(words_utf8(), (std::vector<std::string>{"A", "C", "F"}));
}

TEST_F(WordsDialogTest, TheHundredAndFirstWordIsRefused) {
  for (int i = 0; i < 100; ++i) app_.ws.prohibited_words.words.push_back("W" + std::to_string(i));
  DialogSession session;
  run(session, [&](HWND dialog, HWND list) {
    EXPECT_EQ(test::row_count(list), 100);
    test::set_text(dialog, IDC_WORDS_EDIT, L"X");
    EXPECT_TRUE(test::click(dialog, IDC_WORDS_ADD));
    EXPECT_EQ(session.take_boxes(),
              std::vector<std::wstring>{L"操作ミス: 禁止文字登録数１００を超えました。"});
    EXPECT_EQ(test::row_count(list), 100);
  });
  EXPECT_EQ(app_.ws.prohibited_words.words.size(), 100u);
  EXPECT_EQ(app_.ws.prohibited_words.words.back(), "W99");
}

TEST_F(WordsDialogTest, TheMenuOpensItAndTheEditedListIsSavedAtExit) {
  close_main_window();
  test::write_file(dir_.path() / "base.txt", "P,T,,,0,,,,,,,,,\r\n");
  test::write_file(dir_.path() / "words.txt", sjis("NOTE\r\n注記\r\nFG\r\n"));
  write_settings_file([](Settings& s) {
    s.part_select = 1;
    s.part_file[0] = "base.txt";
    s.kinsi_file[0] = "words.txt";
  });
  ASSERT_TRUE(open_main_window());
  DialogSession session;
  session.on_open(L"禁止文字の設定", [&](HWND dialog) {
    EXPECT_EQ(GetWindow(dialog, GW_OWNER), main_);
    HWND list = GetDlgItem(dialog, IDC_WORDS_LIST);
    test::select_rows(list, {0});
    test::set_text(dialog, IDC_WORDS_EDIT, L"禁止");
    EXPECT_TRUE(test::click(dialog, IDC_WORDS_REWRITE));
    test::set_text(dialog, IDC_WORDS_EDIT, L"TB");
    EXPECT_TRUE(test::click(dialog, IDC_WORDS_ADD));
    test::select_rows(list, {1});
    EXPECT_TRUE(test::click(dialog, IDC_WORDS_DELETE));
    EXPECT_TRUE(session.take_boxes().empty());
  });
  command(IDM_WORDS);
  EXPECT_TRUE(session.steps_ran());
  EXPECT_EQ(test::read_file(dir_.path() / "words.txt"), sjis("NOTE\r\n注記\r\nFG\r\n"));
  close_main_window();
  EXPECT_EQ(test::read_file(dir_.path() / "words.txt"), sjis("禁止\r\nFG\r\nTB\r\n"));
}

}  // namespace
}  // namespace korvane
