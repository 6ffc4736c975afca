// The real main window in a fresh folder that is the program's current directory (where
// Korvane.ini lives), driven through its messages and controls.
#pragma once

#include <gtest/gtest.h>

#include <windows.h>

#include <commctrl.h>

#include <filesystem>
#include <string>
#include <string_view>

#include "app.h"
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
