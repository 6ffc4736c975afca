// "認識範囲の自動調整" from the ツール menu and from the drawing preview's button: the proposal
// beside the current values with the open preview drawn with either, stored only by "適用" (the
// preview then reclassifies with it) and saved at exit; nothing to tune on is said. Two cases,
// disabled, hold the dialog open over the preview for docs/screenshots/tune.png and
// tune-current.png (one command line each; the crop takes the preview and the dialog):
//   tools/screenshot.sh docs/screenshots/tune.png "認識範囲の自動調整" --crop 1024x766+0+0
//     -- build/mingw/bin/korvane_gui_tests.exe --gtest_also_run_disabled_tests
//     --gtest_filter='*ShowsTheProposalInThePreview*'
// and the same with tune-current.png and '*ShowsTheCurrentValuesInThePreview*'.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>

#include "dialog_session.h"
#include "dxf/recognition.h"
#include "dxf/window_tuning.h"
#include "main_window_fixture.h"
#include "preview_canvas.h"
#include "preview_window.h"
#include "reading_commands.h"
#include "schematic.h"
#include "tune_dialog.h"

namespace korvane {
namespace {

constexpr wchar_t kTitle[] = L"認識範囲の自動調整";

class TuneDialogTest : public test::MainWindowTest {
 protected:
  // A drawing at a pitch of 3.5 read and recognised with the defaults (x ±5, y 60 below), as
  // "Dxf1ﾌｧｲﾙ読込" reads it.
  void read_schematic() {
    write_settings_file();
    ASSERT_TRUE(open_main_window());
    test::SchematicLayout layout;
    layout.pitch = 3.5;
    layout.row_lines = 6;
    app_.ws.base_parts = test::schematic_base_parts();
    app_.ws.prohibited_words = test::schematic_words();
    const std::filesystem::path drawing = dir_.path() / "schematic.dxf";
    test::write_file(drawing, test::schematic_dxf(test::make_schematic(layout).texts));
    app_.chosen_files = {win::narrow(drawing.wstring())};
    ASSERT_TRUE(win::read_chosen_dxf_files(app_));
    proposal_ = propose_recognition_window(app_.ws.texts, app_.ws.base_parts,
                                           app_.ws.prohibited_words, app_.ws.settings);
    ASSERT_EQ(proposal_.outcome, TuningOutcome::Proposed);
    ASSERT_NE(proposal_.proposed.pt_y, 60);
  }
  void open_preview() {
    command(IDM_DRAWING_PREVIEW);
    ASSERT_TRUE(preview().frame);
  }
  win::PreviewWindow& preview() { return app_.preview; }

  // What the preview draws now.
  struct Drawn {
    int pt_x = 0;
    int pt_y = 0;
    std::size_t fields = 0;
    bool operator==(const Drawn&) const = default;
  };
  Drawn drawn() { return {preview().data.pt_x, preview().data.pt_y, preview().counts.fields}; }

  // The six figures a column of the dialog shows.
  static std::vector<std::wstring> column(HWND dialog, int first_id) {
    std::vector<std::wstring> out;
    for (int id = first_id; id < first_id + 6; ++id)
      out.push_back(test::dialog_item_text(dialog, id));
    return out;
  }
  static std::vector<std::wstring> figures(const WindowFigures& f) {
    return {std::to_wstring(f.pt_x),   std::to_wstring(f.pt_y), std::to_wstring(f.fields),
            std::to_wstring(f.shared), std::to_wstring(f.cut),  std::to_wstring(f.empty)};
  }

  WindowProposal proposal_;
};

TEST_F(TuneDialogTest, ApplyStoresTheProposalWhichIsSavedAtExit) {
  read_schematic();
  open_preview();
  const Drawn before = drawn();
  const std::vector<PartsRow> rows = app_.ws.parts.rows();
  test::DialogDriver driver;
  std::vector<std::wstring> current, proposed;
  std::wstring found;
  Drawn on_trial;
  driver.expect(kTitle, [&](HWND dialog) {
    current = column(dialog, IDC_TUNE_CURRENT_X);
    proposed = column(dialog, IDC_TUNE_PROPOSED_X);
    found = test::dialog_item_text(dialog, IDC_TUNE_FOUND);
    on_trial = drawn();
    test::click(dialog, IDC_TUNE_APPLY);
  });
  command(IDM_TUNE_WINDOW);
  ASSERT_TRUE(driver.all_handled());
  EXPECT_EQ(current, figures(proposal_.current));
  EXPECT_EQ(proposed, figures(proposal_.proposed));
  EXPECT_EQ(found.rfind(L"タグ 30 個の下に、行間 3.5 で文字が並んでいます", 0), 0u) << found;
  EXPECT_EQ(app_.ws.settings.pt_x, proposal_.proposed.pt_x);
  EXPECT_EQ(app_.ws.settings.pt_y, proposal_.proposed.pt_y);
  // The parts list is not rebuilt: the next read uses the new values. The preview reclassifies
  // the read with them, as it showed them on trial.
  EXPECT_EQ(app_.ws.parts.rows(), rows);
  const Drawn applied{proposal_.proposed.pt_x, proposal_.proposed.pt_y, on_trial.fields};
  EXPECT_EQ(on_trial, applied);
  EXPECT_EQ(drawn(), applied);
  EXPECT_NE(applied.fields, before.fields);
  EXPECT_FALSE(preview().trial.has_value());
  EXPECT_FALSE(preview().data.as_read);

  close_main_window();
  Settings saved;
  parse_settings(saved, test::read_file(dir_.path() / "Korvane.ini"));
  EXPECT_EQ(saved.pt_x, proposal_.proposed.pt_x);
  EXPECT_EQ(saved.pt_y, proposal_.proposed.pt_y);
}

TEST_F(TuneDialogTest, CloseAndTheCloseBoxChangeNothing) {
  read_schematic();
  for (const bool close_box : {false, true}) {
    test::DialogDriver driver;
    driver.expect(kTitle, [&](HWND dialog) {
      if (close_box) {
        PostMessageW(dialog, WM_SYSCOMMAND, SC_CLOSE, 0);
      } else {
        test::click(dialog, IDCANCEL);
      }
    });
    command(IDM_TUNE_WINDOW);
    EXPECT_TRUE(driver.all_handled()) << close_box;
    EXPECT_EQ(app_.ws.settings.pt_x, 5);
    EXPECT_EQ(app_.ws.settings.pt_y, 60);
  }
}

// Nothing read yet: a message, no dialog. Anchors without stacks: the current values, and
// "適用" cannot be clicked.
TEST_F(TuneDialogTest, NothingToTuneOnIsSaid) {
  write_settings_file();
  ASSERT_TRUE(open_main_window());
  test::DialogDriver driver;
  driver.expect(kTitle, test::DialogDriver::press(IDOK));
  command(IDM_TUNE_WINDOW);
  ASSERT_TRUE(driver.all_handled());
  const std::vector<test::SeenDialog> seen = driver.seen();
  ASSERT_EQ(seen.size(), 1u);
  EXPECT_EQ(seen[0].text,
            L"読み込んだ図面に基部品Listのタグで始まる文字がないため、認識範囲を調整できません。");

  app_.ws.base_parts = test::schematic_base_parts();
  app_.ws.texts = {{0, 0, "MC1"}, {100, 0, "MC2"}};
  test::DialogDriver second;
  bool apply_enabled = true;
  bool radios_enabled = true;  // no preview is open to draw in
  std::vector<std::wstring> proposed;
  second.expect(kTitle, [&](HWND dialog) {
    apply_enabled = IsWindowEnabled(GetDlgItem(dialog, IDC_TUNE_APPLY));
    radios_enabled = IsWindowEnabled(GetDlgItem(dialog, IDC_TUNE_SHOW_CURRENT)) ||
                     IsWindowEnabled(GetDlgItem(dialog, IDC_TUNE_SHOW_PROPOSED));
    proposed = column(dialog, IDC_TUNE_PROPOSED_X);
    PostMessageW(dialog, WM_CLOSE, 0, 0);
  });
  command(IDM_TUNE_WINDOW);
  ASSERT_TRUE(second.all_handled());
  EXPECT_FALSE(apply_enabled);
  EXPECT_FALSE(radios_enabled);
  EXPECT_EQ(proposed, (std::vector<std::wstring>{L"5", L"60", L"0", L"0", L"0", L"2"}));
}

// The preview's button runs the same command: the preview draws the proposal, the radio buttons
// switch it to the current values and back, and "閉じる" leaves the settings and the picture as
// they were.
TEST_F(TuneDialogTest, ThePreviewsButtonDrawsEitherAndCloseChangesNothing) {
  read_schematic();
  open_preview();
  HWND button = GetDlgItem(preview().frame, IDC_PREVIEW_TUNE);
  ASSERT_TRUE(button);
  EXPECT_EQ(test::window_text(button), L"自動調整");
  const Drawn before = drawn();
  ASSERT_EQ(before.pt_y, 60);
  std::vector<std::pair<Drawn, int>> seen;  // what the preview draws, the radio button checked
  bool preview_enabled = false;
  bool second_click_returned = false;
  test::DialogDriver driver;
  driver.expect(kTitle, [&](HWND dialog) {
    const auto look = [&] {
      const bool current = IsDlgButtonChecked(dialog, IDC_TUNE_SHOW_CURRENT) == BST_CHECKED;
      const bool proposed = IsDlgButtonChecked(dialog, IDC_TUNE_SHOW_PROPOSED) == BST_CHECKED;
      seen.emplace_back(drawn(), current == proposed ? 0
                                 : current           ? IDC_TUNE_SHOW_CURRENT
                                                     : IDC_TUNE_SHOW_PROPOSED);
    };
    look();
    test::click(dialog, IDC_TUNE_SHOW_CURRENT);
    look();
    test::click(dialog, IDC_TUNE_SHOW_PROPOSED);
    look();
    // The preview still takes the mouse, but its button starts no second dialog meanwhile.
    preview_enabled = IsWindowEnabled(preview().frame) != FALSE;
    DWORD_PTR result = 0;
    second_click_returned =
        SendMessageTimeoutW(button, BM_CLICK, 0, 0, SMTO_NORMAL, 5000, &result) != 0;
    test::click(dialog, IDCANCEL);
  });
  SendMessageW(button, BM_CLICK, 0, 0);
  ASSERT_TRUE(driver.all_handled());
  EXPECT_TRUE(preview_enabled);
  EXPECT_TRUE(second_click_returned);
  EXPECT_EQ(driver.seen().size(), 1u);
  ASSERT_FALSE(seen.empty());
  const Drawn proposed = seen[0].first;
  EXPECT_EQ(proposed.pt_x, proposal_.proposed.pt_x);
  EXPECT_EQ(proposed.pt_y, proposal_.proposed.pt_y);
  EXPECT_NE(proposed.fields, before.fields);
  EXPECT_EQ(seen, (std::vector<std::pair<Drawn, int>>{{proposed, IDC_TUNE_SHOW_PROPOSED},
                                                      {before, IDC_TUNE_SHOW_CURRENT},
                                                      {proposed, IDC_TUNE_SHOW_PROPOSED}}));

  EXPECT_EQ(app_.ws.settings.pt_x, 5);
  EXPECT_EQ(app_.ws.settings.pt_y, 60);
  EXPECT_EQ(drawn(), before);
  EXPECT_TRUE(preview().data.as_read);
  EXPECT_FALSE(preview().trial.has_value());
}

// Not checks: the preview near a few symbols with the dialog below it, drawing the proposal or
// the current values, for the screenshots named at the top. Each stays open until it is closed
// (or two minutes).
class TuneScreenshot : public TuneDialogTest {
 protected:
  void hold(bool show_current) {
    read_schematic();
    open_preview();
    HWND frame = preview().frame;
    SetWindowPos(frame, nullptr, 0, 0, 1024, 466, SWP_NOZORDER);
    SendMessageW(frame, WM_COMMAND, MAKEWPARAM(IDC_PREVIEW_FIT, BN_CLICKED), 0);
    // Three rows of four symbols: the stacks, the wire numbers and notes between them.
    RECT r{};
    GetClientRect(preview().canvas, &r);
    preview().view.centre_on(70, -24);
    preview().view.zoom_about(6.5 / preview().view.scale(), {r.right / 2.0, r.bottom / 2.0},
                              r.right, r.bottom);
    InvalidateRect(preview().canvas, nullptr, FALSE);
    test::DialogDriver driver;
    driver.expect(kTitle, [&](HWND dialog) {
      SetWindowPos(dialog, HWND_TOP, 598, 468, 0, 0, SWP_NOSIZE);
      if (show_current) test::click(dialog, IDC_TUNE_SHOW_CURRENT);
      test::hold_for_screenshot(dialog);
      PostMessageW(dialog, WM_CLOSE, 0, 0);
    });
    SendMessageW(GetDlgItem(frame, IDC_PREVIEW_TUNE), BM_CLICK, 0, 0);
  }
};

TEST_F(TuneScreenshot, DISABLED_ShowsTheProposalInThePreview) { hold(false); }
TEST_F(TuneScreenshot, DISABLED_ShowsTheCurrentValuesInThePreview) { hold(true); }

}  // namespace
}  // namespace korvane
