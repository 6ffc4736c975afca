// The real main window in a fresh folder that is the program's current directory (where
// Korvane.ini lives), driven through its messages and controls.
#pragma once

#include <gtest/gtest.h>

#include <windows.h>

#include <commctrl.h>

#include <filesystem>
#include <string>
#include <string_view>

#include <vector>

#include "app.h"
#include "convert/passes.h"
#include "dxf/dxf_reader.h"
#include "dxf/recognition.h"
#include "gui_driver.h"
#include "parts_list_view.h"
#include "resource.h"
#include "settings/settings.h"
#include "test_support.h"
#include "wide.h"

namespace korvane::test {

// A left click at a point of the list view, as the mouse gives it (posted: the list view takes
// it once the test pumps messages).
inline void left_click(HWND list, POINT at) {
  const LPARAM where = MAKELPARAM(at.x, at.y);
  PostMessageW(list, WM_LBUTTONDOWN, MK_LBUTTON, where);
  PostMessageW(list, WM_LBUTTONUP, 0, where);
}

inline POINT middle_of_row(HWND list, int row) {
  RECT r{};
  ListView_GetItemRect(list, row, &r, LVIR_BOUNDS);
  return {r.left + 60, (r.top + r.bottom) / 2};
}

class MainWindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    previous_dir_ = std::filesystem::current_path();
    std::filesystem::current_path(dir_.path());
    app_.instance = GetModuleHandleW(nullptr);
    ASSERT_TRUE(win::register_main_window_class(app_.instance));
  }
  void TearDown() override {
    if (HasFailure() && main_) {
      const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
      save_failure_artifacts(main_, std::string(info->test_suite_name()) + "." + info->name());
    }
    if (main_ && IsWindow(main_)) DestroyWindow(main_);
    discard_quit_message();
    std::filesystem::current_path(previous_dir_);
  }

  // The reset values with no reference pair (so nothing is loaded at start or saved at exit),
  // after `change` has had its say.
  template <typename Change>
  void write_settings_file(Change change) {
    Settings settings;
    reset_settings_values(settings);
    settings.part_select = 0;
    change(settings);
    write_file(dir_.path() / "Korvane.ini", format_settings(settings));
  }
  void write_settings_file() {
    write_settings_file([](Settings&) {});
  }

  HWND open_main_window() {
    main_ = win::create_main_window(app_);
    if (main_) {
      ShowWindow(main_, SW_SHOWNORMAL);
      UpdateWindow(main_);
    }
    return main_;
  }
  void close_main_window() {
    DestroyWindow(main_);
    main_ = nullptr;
    discard_quit_message();
  }
  // The exit sequence posts the quit message; left in the queue it would end the next modal
  // loop (dialogs, message boxes) of this thread at once.
  static void discard_quit_message() {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {
    }
  }

  // The window over the samples' settings and reference pair, showing the three sample drawings
  // read and converted with every pass (the scene of the screenshots).
  void open_with_converted_samples() {
    const std::filesystem::path samples = std::filesystem::path(KORVANE_SOURCE_DIR) / "samples";
    for (const char* name : {"Korvane.ini", "base_parts.txt", "prohibited_words.txt"}) {
      std::filesystem::copy_file(samples / name, dir_.path() / name);
    }
    ASSERT_TRUE(open_main_window());
    for (const char* name : {"main_circuit.dxf", "control_circuit.dxf", "operation_board.dxf"}) {
      ASSERT_TRUE(read_dxf_file((samples / name).string(), app_.ws.texts, app_.notifier));
    }
    recognise_parts(app_.ws);
    std::vector<Pass> all;
    ASSERT_TRUE(parse_pass_list("all", all));
    run_passes(app_.ws, app_.notifier, all);
    win::show_parts(app_);
  }

  // A menu or toolbar command, as the menu sends it; returns when the command is done (modal
  // dialogs on the way are for a DialogDriver to answer).
  void command(int id) { SendMessageW(main_, WM_COMMAND, MAKEWPARAM(id, 0), 0); }

  HWND list() const { return GetDlgItem(main_, IDC_PARTS_LIST); }

  // Rows put into the model (UTF-8 cells) and shown.
  void add_rows(std::initializer_list<std::array<std::string_view, kColumnCount>> rows) {
    for (const auto& cells : rows) {
      PartsRow row;
      for (std::size_t c = 0; c < cells.size(); ++c) row[c] = sjis(cells[c]);
      app_.ws.parts.append_row(std::move(row));
    }
    win::show_parts(app_);
  }
  // A cell of the model in UTF-8.
  std::string cell(int row, int column) const { return utf8(app_.ws.parts.cell(row, column)); }

  TempDir dir_;
  std::filesystem::path previous_dir_;
  win::App app_;
  HWND main_ = nullptr;
};

}  // namespace korvane::test
