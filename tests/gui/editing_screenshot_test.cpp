// Not checks: each shows one editing dialog with the sample lists, for docs/screenshots/. The
// dialog stays open until it is closed (or two minutes), so take it with tools/screenshot.sh (one
// command line each; the test prints the --crop that holds the dialog on the Wine desktop):
//   tools/screenshot.sh docs/screenshots/base-parts-dialog.png "基部品Listの設定"
//     --crop 801x536+111+116 -- build/mingw/bin/korvane_gui_tests.exe
//     --gtest_also_run_disabled_tests --gtest_filter='*ShowsTheBasePartsDialog*'
// and likewise "禁止文字の設定" --crop 310x456+357+157 '*ShowsTheProhibitedWordsDialog*',
// "環境設定" --crop 716x66+153+352 '*ShowsTheRowEditor*'.
#include <gtest/gtest.h>

#include <windows.h>

#include <commctrl.h>

#include <cstdio>

#include "base_parts_dialog.h"
#include "editing_fixture.h"
#include "reference/base_parts_file.h"
#include "reference/prohibited_words_file.h"
#include "row_editor.h"
#include "words_dialog.h"

namespace korvane {
namespace {

const std::string kSamples = std::string(KORVANE_SOURCE_DIR) + "/samples/";

// Runs `steps` on the dialog, prints its place for --crop, then leaves it open until it is
// closed, for two minutes at most.
std::function<void(HWND)> show(std::function<void(HWND)> steps) {
  return [steps](HWND dialog) {
    steps(dialog);
    test::hold_for_screenshot(dialog);
    PostMessageW(dialog, WM_CLOSE, 0, 0);
  };
}

using EditingScreenshot = test::EditingTest;

TEST_F(EditingScreenshot, DISABLED_ShowsTheBasePartsDialog) {
  ASSERT_TRUE(load_base_parts(app_.ws.base_parts, kSamples + "base_parts.txt", app_.notifier));
  test::DialogDriver driver;
  driver.expect(L"基部品Listの設定", show([](HWND dialog) {
                  HWND list = GetDlgItem(dialog, IDC_BASE_LIST);
                  test::select_rows(list, {3});
                  test::click(dialog, IDC_BASE_READ);
                }));
  win::run_base_parts_dialog(main_, app_.ws.base_parts);
}

TEST_F(EditingScreenshot, DISABLED_ShowsTheProhibitedWordsDialog) {
  ASSERT_TRUE(load_prohibited_words(app_.ws.prohibited_words, kSamples + "prohibited_words.txt",
                                    app_.notifier));
  test::DialogDriver driver;
  driver.expect(L"禁止文字の設定", show([](HWND dialog) {
                  test::select_rows(GetDlgItem(dialog, IDC_WORDS_LIST), {1});
                  test::click(dialog, IDC_WORDS_READ);
                }));
  win::run_prohibited_words_dialog(main_, app_.ws.prohibited_words);
}

TEST_F(EditingScreenshot, DISABLED_ShowsTheRowEditor) {
  RowEditorBuffer buffer{
      "MC1",   "E-101", test::sjis("電磁接触器"), test::sjis("コルベ電機"), "AC200V 1a",
      "KC-11", "1",     test::sjis("支給")};
  test::DialogDriver driver;
  driver.expect(L"環境設定", show([](HWND) {}));
  win::run_row_editor(main_, buffer);
}

}  // namespace
}  // namespace korvane
