// The options dialog "オプション" (command 38005) on the real main window: it shows the options
// of Korvane.ini and stores the chosen ones, which the exit writes as option lines.
// DISABLED_ShowsTheOptionsDialog is not a check: it holds the dialog open for
// docs/screenshots/options.png (one command line):
//   tools/screenshot.sh docs/screenshots/options.png "オプション" --crop 419x181+302+293
//     -- build/mingw/bin/korvane_gui_tests.exe --gtest_also_run_disabled_tests
//     --gtest_filter='*ShowsTheOptionsDialog*'
#include <gtest/gtest.h>

#include "dialog_session.h"
#include "main_window_fixture.h"
#include "output/output_options.h"

namespace korvane {
namespace {

using test::DialogSession;
using test::MainWindowTest;

// The entries of a combo box and the one selected ("* " before it).
std::vector<std::wstring> combo_entries(HWND dialog, int id) {
  HWND combo = GetDlgItem(dialog, id);
  std::vector<std::wstring> out;
  const auto selected = SendMessageW(combo, CB_GETCURSEL, 0, 0);
  for (LRESULT i = 0; i < SendMessageW(combo, CB_GETCOUNT, 0, 0); ++i) {
    wchar_t text[64] = {};
    SendMessageW(combo, CB_GETLBTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(text));
    out.push_back((i == selected ? L"* " : L"") + std::wstring(text));
  }
  return out;
}

void select(HWND dialog, int id, int index) {
  SendDlgItemMessageW(dialog, id, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
}

class OptionsDialogTest : public MainWindowTest {
 protected:
  // Runs the command with the dialog answered by `steps`.
  void options_command(std::function<void(HWND)> steps) {
    DialogSession session;
    session.on_open(L"オプション", std::move(steps));
    command(IDM_OPTIONS);
    EXPECT_TRUE(session.steps_ran());
  }
};

TEST_F(OptionsDialogTest, ShowsTheSettingsOptionsAndStoresTheChosenOnesOnOk) {
  write_settings_file([](Settings& s) { s.options["tag_list"] = "sorted"; });
  ASSERT_TRUE(open_main_window());
  options_command([](HWND dialog) {
    EXPECT_EQ(combo_entries(dialog, IDC_OPT_OUTPUT_FORMAT),
              (std::vector<std::wstring>{L"* CSV・TXTファイル (環境設定の形式)",
                                         L"Excelブック (.xlsx)"}));
    EXPECT_EQ(combo_entries(dialog, IDC_OPT_TAG_LIST),
              (std::vector<std::wstring>{L"結合した順 (PB2,1)", L"* 番号順 (PB1,2)",
                                         L"番号順・連番は範囲 (CR1-3,5)"}));
    EXPECT_EQ(combo_entries(dialog, IDC_OPT_ENCODING),
              (std::vector<std::wstring>{L"* Shift-JIS", L"UTF-8 (BOM付き)"}));
    select(dialog, IDC_OPT_OUTPUT_FORMAT, 1);
    select(dialog, IDC_OPT_TAG_LIST, 2);
    select(dialog, IDC_OPT_ENCODING, 1);
    EXPECT_TRUE(test::click(dialog, IDOK));
  });
  const OutputOptions chosen{OutputFormat::Xlsx, TagListStyle::Ranges, TextEncoding::Utf8};
  EXPECT_EQ(read_output_options(app_.ws.settings), chosen);

  // Cancel and the close box keep the options as they were.
  options_command([](HWND dialog) {
    select(dialog, IDC_OPT_TAG_LIST, 0);
    EXPECT_TRUE(test::click(dialog, IDCANCEL));
  });
  options_command([](HWND dialog) { select(dialog, IDC_OPT_ENCODING, 0); });
  EXPECT_EQ(read_output_options(app_.ws.settings), chosen);

  // The exit writes them after the 56 lines.
  close_main_window();
  const std::string ini = test::read_file(dir_.path() / "Korvane.ini");
  EXPECT_TRUE(
      ini.ends_with("file_folder=c:\\\r\n"
                    "output_format=xlsx\r\ntag_list=ranges\r\noutput_encoding=utf8\r\n"))
      << ini;
}

TEST_F(OptionsDialogTest, DISABLED_ShowsTheOptionsDialog) {
  write_settings_file([](Settings& s) { s.options["tag_list"] = "ranges"; });
  ASSERT_TRUE(open_main_window());
  test::DialogDriver driver;
  driver.expect(L"オプション", [](HWND dialog) {
    test::hold_for_screenshot(dialog);
    PostMessageW(dialog, WM_CLOSE, 0, 0);
  });
  command(IDM_OPTIONS);
}

}  // namespace
}  // namespace korvane
