#include <gtest/gtest.h>

#include "editing_fixture.h"
#include "row_editor.h"

namespace korvane {
namespace {

using test::DialogSession;
using test::sjis;

constexpr int kEdits[] = {IDC_ROW_TAG,  IDC_ROW_DRAWING, IDC_ROW_PART_NAME, IDC_ROW_MAKER,
                          IDC_ROW_SPEC, IDC_ROW_TYPE,    IDC_ROW_QUANTITY};

class RowEditorTest : public test::EditingTest {
 protected:
  // Opens the editor over `buffer`, runs the steps and ends with `end_with` (the OK button) or,
  // when 0, with the close box.
  void edit(RowEditorBuffer& buffer, std::function<void(HWND)> steps, int end_with) {
    DialogSession session;
    session.on_open(L"環境設定", [&, steps](HWND dialog) {
      steps(dialog);
      if (end_with) {
        EXPECT_TRUE(test::click(dialog, end_with));
      }
    });
    win::run_row_editor(main_, buffer);
    EXPECT_TRUE(session.steps_ran());
  }
};

RowEditorBuffer sample_row() {
  return {"CR1", "E-101", sjis("リレー"), sjis("コルベ"), "DC24V", "KR-4", "2", sjis("支給")};
}

TEST_F(RowEditorTest, ShowsTheBufferAndClosingWithTheCloseBoxLeavesIt) {
  RowEditorBuffer buffer = sample_row();
  edit(
      buffer,
      [&](HWND dialog) {
        const wchar_t* expected[] = {L"CR1",   L"E-101", L"リレー", L"コルベ",
                                     L"DC24V", L"KR-4",  L"2"};
        for (std::size_t i = 0; i < std::size(kEdits); ++i) {
          EXPECT_EQ(test::dialog_item_text(dialog, kEdits[i]), expected[i]);
        }
        HWND combo = GetDlgItem(dialog, IDC_ROW_SUPPLY);
        EXPECT_EQ(test::window_text(combo), L"支給");
        ASSERT_EQ(SendMessageW(combo, CB_GETCOUNT, 0, 0), 3);
        const wchar_t* entries[] = {L"支給", L"非購", L"    "};
        for (int i = 0; i < 3; ++i) {
          wchar_t text[16] = {};
          SendMessageW(combo, CB_GETLBTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(text));
          EXPECT_EQ(std::wstring(text), entries[i]);
        }
        EXPECT_EQ(test::dialog_item_text(dialog, IDC_ROW_OK), L"ＯＫ");
        test::set_text(dialog, IDC_ROW_TAG, L"changed");
      },
      0);
  EXPECT_EQ(buffer, sample_row());
}

TEST_F(RowEditorTest, OkStoresTheFieldsAndOnlyTheTwoClassWords) {
  RowEditorBuffer buffer = sample_row();
  edit(
      buffer,
      [&](HWND dialog) {
        test::set_text(dialog, IDC_ROW_TAG, L"CR2");
        test::set_text(dialog, IDC_ROW_PART_NAME, std::wstring(70, L'部'));  // 140 bytes
        test::set_text(dialog, IDC_ROW_SUPPLY, L"支給品");
      },
      IDC_ROW_OK);
  EXPECT_EQ(buffer[0], "CR2");
  std::string cut;
  for (int i = 0; i < 63; ++i) cut += sjis("部");
  EXPECT_EQ(buffer[2], cut);
  EXPECT_EQ(buffer[3], sjis("コルベ"));
  EXPECT_EQ(buffer[7], sjis("支給"));

  edit(
      buffer,
      [&](HWND dialog) {
        SendMessageW(GetDlgItem(dialog, IDC_ROW_SUPPLY), CB_SETCURSEL, 2, 0);  // four spaces
      },
      IDC_ROW_OK);
  EXPECT_EQ(buffer[7], "");
  edit(
      buffer, [&](HWND dialog) { test::set_text(dialog, IDC_ROW_SUPPLY, L"購入品"); }, IDC_ROW_OK);
  EXPECT_EQ(buffer[7], "");
  edit(
      buffer, [&](HWND dialog) { test::set_text(dialog, IDC_ROW_SUPPLY, L"非購"); }, IDC_ROW_OK);
  EXPECT_EQ(buffer[7], sjis("非購"));
}

}  // namespace
}  // namespace korvane
