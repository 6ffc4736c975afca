// The drawing preview window after a read of the sample drawings: its picture follows the read,
// rows of the main list and anchors of the picture select each other, the mouse zooms and pans,
// and a new window from the settings dialog reclassifies at once.
#include <gtest/gtest.h>

#include <windows.h>

#include <commctrl.h>

#include <cmath>
#include <cstdio>

#include "convert/passes.h"
#include "dialog_session.h"
#include "preview_window.h"
#include "reading_commands.h"
#include "reading_fixture.h"

namespace korvane {
namespace {

using test::DialogDriver;

class PreviewWindowTest : public test::ReadingTest {
 protected:
  // The three sample drawings read and converted as ALL変換 does, then the preview opened.
  void read_samples_and_open_preview() {
    open_with_sample_settings();
    for (const std::string& name : test::kSampleDrawings) {
      app_.chosen_files.push_back(native(drawings() / name));
    }
    ASSERT_TRUE(win::read_chosen_dxf_files(app_));
    command(IDM_CONVERT_ALL);
    command(IDM_DRAWING_PREVIEW);
    ASSERT_TRUE(preview().frame);
    ASSERT_TRUE(test::pump_until([&] { return IsWindowVisible(preview().frame) != FALSE; }));
  }

  win::PreviewWindow& preview() { return app_.preview; }
  SIZE canvas_size() {
    RECT r{};
    GetClientRect(preview().canvas, &r);
    return {r.right, r.bottom};
  }
  // The drawing point at a canvas pixel.
  ScreenPoint drawing_at(POINT p) {
    const SIZE s = canvas_size();
    return preview().view.to_drawing({static_cast<double>(p.x), static_cast<double>(p.y)}, s.cx,
                                     s.cy);
  }
  void select_list_row(int row) {
    ListView_SetItemState(list(), -1, 0, LVIS_SELECTED | LVIS_FOCUSED);
    ListView_SetItemState(list(), row, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
  }
  int selected_list_row() { return ListView_GetNextItem(list(), -1, LVNI_SELECTED); }
};

TEST_F(PreviewWindowTest, OpensOnTheLastReadWithTheClassesOfRecognition) {
  read_samples_and_open_preview();
  EXPECT_EQ(test::window_text(preview().frame), L"図面プレビュー");
  EXPECT_EQ(GetWindow(preview().frame, GW_OWNER), main_);
  EXPECT_TRUE(GetWindowLongPtrW(preview().frame, GWL_STYLE) & WS_THICKFRAME);  // resizable
  EXPECT_EQ(preview().counts.anchors, 63u);
  EXPECT_EQ(preview().counts.anchors + preview().counts.fields + preview().counts.others,
            app_.ws.texts.size());
  EXPECT_EQ(preview().texts.size(), app_.ws.texts.size());
  // The whole drawing fits: every text's point lies inside the canvas.
  const PreviewExtent seen = preview().view.visible(canvas_size().cx, canvas_size().cy);
  for (const TextRecord& t : app_.ws.texts) {
    EXPECT_TRUE(seen.left <= t.x && t.x <= seen.right && seen.bottom <= t.y && t.y <= seen.top);
  }
  // A second command brings the same window forward.
  HWND frame = preview().frame;
  command(IDM_DRAWING_PREVIEW);
  EXPECT_EQ(preview().frame, frame);
}

// Selecting a row centres the view on its anchor; a merged row marks all its anchors and centres
// on their middle. Clicking an anchor selects its row.
TEST_F(PreviewWindowTest, RowsAndAnchorsSelectEachOther) {
  read_samples_and_open_preview();
  int single = -1;
  int merged = -1;
  const std::vector<RowId>& ids = app_.ws.parts.row_ids();
  for (std::size_t r = 0; r < ids.size(); ++r) {
    const auto found = preview().anchors_of_row.find(ids[r]);
    if (found == preview().anchors_of_row.end()) continue;
    if (found->second.size() == 1 && single < 0) single = static_cast<int>(r);
    if (found->second.size() > 1 && merged < 0) merged = static_cast<int>(r);
  }
  ASSERT_GE(single, 0);
  ASSERT_GE(merged, 0) << "ALL変換 merges rows of the samples";

  select_list_row(single);
  const std::size_t anchor = preview().anchors_of_row.at(ids[static_cast<std::size_t>(single)])[0];
  EXPECT_EQ(preview().marked, std::vector<std::size_t>{anchor});
  EXPECT_DOUBLE_EQ(preview().view.centre_x(), app_.ws.texts[anchor].x);
  EXPECT_DOUBLE_EQ(preview().view.centre_y(), app_.ws.texts[anchor].y);

  select_list_row(merged);
  const std::vector<std::size_t>& anchors =
      preview().anchors_of_row.at(ids[static_cast<std::size_t>(merged)]);
  EXPECT_EQ(preview().marked, anchors);
  double left = 1e300, right = -1e300, bottom = 1e300, top = -1e300;
  for (std::size_t a : anchors) {
    left = std::min(left, app_.ws.texts[a].x);
    right = std::max(right, app_.ws.texts[a].x);
    bottom = std::min(bottom, app_.ws.texts[a].y);
    top = std::max(top, app_.ws.texts[a].y);
  }
  EXPECT_DOUBLE_EQ(preview().view.centre_x(), (left + right) / 2);
  EXPECT_DOUBLE_EQ(preview().view.centre_y(), (bottom + top) / 2);

  // Near the single row's anchor, then a click on its text, a little right of and above its
  // insertion point.
  const SIZE size = canvas_size();
  preview().view.centre_on(app_.ws.texts[anchor].x, app_.ws.texts[anchor].y);
  POINT middle{size.cx / 2, size.cy / 2};
  ClientToScreen(preview().canvas, &middle);
  SendMessageW(preview().canvas, WM_MOUSEWHEEL, MAKEWPARAM(0, 4 * WHEEL_DELTA),
               MAKELPARAM(middle.x, middle.y));
  const double h = preview().data.text_height;
  const ScreenPoint p = preview().view.to_screen(app_.ws.texts[anchor].x + h / 2,
                                                 app_.ws.texts[anchor].y + h / 2, size.cx, size.cy);
  const ScreenPoint centre_before{preview().view.centre_x(), preview().view.centre_y()};
  const LPARAM at = MAKELPARAM(static_cast<int>(p.x), static_cast<int>(p.y));
  PostMessageW(preview().canvas, WM_LBUTTONDOWN, MK_LBUTTON, at);
  PostMessageW(preview().canvas, WM_LBUTTONUP, 0, at);
  ASSERT_TRUE(test::pump_until([&] { return selected_list_row() == single; }));
  EXPECT_EQ(preview().marked, std::vector<std::size_t>{anchor});
  EXPECT_EQ(preview().view.centre_x(), centre_before.x) << "a click does not move the view";
  EXPECT_EQ(preview().view.centre_y(), centre_before.y);
}

// The wheel zooms about the pointer, a drag pans, "全体表示" fits all again.
TEST_F(PreviewWindowTest, WheelZoomsAboutThePointerDragPansFitAllFits) {
  read_samples_and_open_preview();
  const PreviewView fitted = preview().view;
  const POINT pointer{100, 80};
  const ScreenPoint under = drawing_at(pointer);
  POINT screen = pointer;
  ClientToScreen(preview().canvas, &screen);
  SendMessageW(preview().canvas, WM_MOUSEWHEEL, MAKEWPARAM(0, 2 * WHEEL_DELTA),
               MAKELPARAM(screen.x, screen.y));
  EXPECT_NEAR(preview().view.scale(), fitted.scale() * 1.25 * 1.25, 1e-9 * fitted.scale());
  EXPECT_NEAR(drawing_at(pointer).x, under.x, 1e-9);
  EXPECT_NEAR(drawing_at(pointer).y, under.y, 1e-9);

  const ScreenPoint before{preview().view.centre_x(), preview().view.centre_y()};
  SendMessageW(preview().canvas, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(200, 200));
  SendMessageW(preview().canvas, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(240, 170));
  SendMessageW(preview().canvas, WM_LBUTTONUP, 0, MAKELPARAM(240, 170));
  const double scale = preview().view.scale();
  EXPECT_NEAR(preview().view.centre_x(), before.x - 40 / scale, 1e-9);
  EXPECT_NEAR(preview().view.centre_y(), before.y - 30 / scale, 1e-9);

  SendMessageW(preview().frame, WM_COMMAND, MAKEWPARAM(IDC_PREVIEW_FIT, BN_CLICKED),
               reinterpret_cast<LPARAM>(GetDlgItem(preview().frame, IDC_PREVIEW_FIT)));
  EXPECT_EQ(preview().view.scale(), fitted.scale());
  EXPECT_EQ(preview().view.centre_x(), fitted.centre_x());
  EXPECT_EQ(test::window_text(GetDlgItem(preview().frame, IDC_PREVIEW_FIT)), L"全体表示");
}

// OK in the settings dialog with a new pt_y reclassifies the same text table before the restart
// notice shows; the parts list stays as the user has it.
TEST_F(PreviewWindowTest, ANewWindowFromTheSettingsDialogReclassifiesAtOnce) {
  read_samples_and_open_preview();
  const std::vector<RowId> ids = app_.ws.parts.row_ids();
  const std::size_t fields = preview().counts.fields;
  int pt_y_at_notice = 0;
  DialogDriver driver;
  driver.expect(L"環境設定", [](HWND dialog) {
    test::set_text(dialog, IDC_SET_PT_Y, L"5");
    test::click(dialog, IDC_SET_OK);
  });
  driver.expect(L"再起動をしよう！", [&](HWND box) {
    pt_y_at_notice = preview().data.pt_y;
    DialogDriver::press(IDOK)(box);
  });
  command(IDM_SETTINGS);
  ASSERT_TRUE(driver.all_handled());
  EXPECT_EQ(pt_y_at_notice, 5);
  EXPECT_FALSE(preview().data.as_read);
  EXPECT_LT(preview().counts.fields, fields) << "texts 8 below their tag fall out";
  EXPECT_EQ(preview().counts.anchors, 63u);
  EXPECT_EQ(app_.ws.parts.row_ids(), ids);
}

// Not a check: the preview of the main circuit near one selected row, for
// docs/screenshots/drawing-preview.png. It stays open until it is closed (or two minutes):
//   tools/screenshot.sh docs/screenshots/drawing-preview.png "図面プレビュー" --crop 820x620+100+60
//     -- build/mingw/bin/korvane_gui_tests.exe --gtest_also_run_disabled_tests
//     --gtest_filter='*ShowsTheMainCircuitForTheScreenshot*'
TEST_F(PreviewWindowTest, DISABLED_ShowsTheMainCircuitForTheScreenshot) {
  open_with_sample_settings();
  app_.chosen_files = {native(drawings() / "main_circuit.dxf")};
  ASSERT_TRUE(win::read_chosen_dxf_files(app_));
  command(IDM_CONVERT_ALL);
  command(IDM_DRAWING_PREVIEW);
  HWND frame = preview().frame;
  SetWindowPos(frame, nullptr, 100, 60, 820, 620, SWP_NOZORDER);
  SendMessageW(frame, WM_COMMAND, MAKEWPARAM(IDC_PREVIEW_FIT, BN_CLICKED), 0);
  // Near enough to read the texts around the selected row: a thermal relay among the contactors.
  const std::vector<RowId>& ids = app_.ws.parts.row_ids();
  for (std::size_t r = 0; r < ids.size(); ++r) {
    const auto found = preview().anchors_of_row.find(ids[r]);
    if (found != preview().anchors_of_row.end() &&
        app_.ws.texts[found->second.front()].text.starts_with("THR2")) {
      select_list_row(static_cast<int>(r));
    }
  }
  const SIZE size = canvas_size();
  POINT middle{size.cx / 2, size.cy / 2};
  ClientToScreen(preview().canvas, &middle);
  SendMessageW(preview().canvas, WM_MOUSEWHEEL, MAKEWPARAM(0, 6 * WHEEL_DELTA),
               MAKELPARAM(middle.x, middle.y));
  RECT r{};
  GetWindowRect(frame, &r);
  std::printf("--crop %ldx%ld+%ld+%ld\n", r.right - r.left, r.bottom - r.top, r.left, r.top);
  std::fflush(stdout);
  test::pump_until([&] { return !IsWindow(frame); }, 120000);
}

}  // namespace
}  // namespace korvane
