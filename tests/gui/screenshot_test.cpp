// Not a check: shows the main window with the sample drawings read and converted, for
// docs/screenshots/main-window.png. It stays open until the window is closed (or two minutes),
// so take it with tools/screenshot.sh (one command line):
//   tools/screenshot.sh docs/screenshots/main-window.png "Korvane Ver1.06"
//     --crop 800x540+112+84 -- build/mingw/bin/korvane_gui_tests.exe
//     --gtest_also_run_disabled_tests --gtest_filter='*ShowsTheSampleDrawings*'
#include <gtest/gtest.h>

#include <windows.h>

#include <commctrl.h>

#include "convert/passes.h"
#include "dxf/dxf_reader.h"
#include "dxf/recognition.h"
#include "main_window_fixture.h"

namespace korvane {
namespace {

using test::MainWindowTest;

TEST_F(MainWindowTest, DISABLED_ShowsTheSampleDrawingsForTheScreenshot) {
  ASSERT_NO_FATAL_FAILURE(open_with_converted_samples());
  // One chosen row, as after a click.
  ListView_SetItemState(list(), 3, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
  SetFocus(list());
  test::pump_until([&] { return !IsWindow(main_); }, 120000);
  main_ = nullptr;
}

}  // namespace
}  // namespace korvane
