// The real main window in a fresh folder (the program's current directory), with settings that
// load and save no reference files, as the owner of the editing dialogs.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "app.h"
#include "dialog_session.h"
#include "gui_driver.h"
#include "resource.h"
#include "settings/settings.h"
#include "test_support.h"

namespace korvane::test {

class EditingTest : public ::testing::Test {
 protected:
  void SetUp() override {
    drop_quit_message();  // left by an earlier test's main window
    previous_dir_ = std::filesystem::current_path();
    std::filesystem::current_path(dir_.path());
    Settings settings;
    reset_settings_values(settings);
    settings.part_select = 0;
    write_file(dir_.path() / "Korvane.ini", format_settings(settings));
    app_.instance = GetModuleHandleW(nullptr);
    ASSERT_TRUE(win::register_main_window_class(app_.instance));
    main_ = win::create_main_window(app_);
    ASSERT_TRUE(main_);
    ShowWindow(main_, SW_SHOWNORMAL);
    UpdateWindow(main_);
  }
  void TearDown() override {
    if (HasFailure() && main_ && IsWindow(main_)) {
      const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
      save_failure_artifacts(main_, std::string(info->test_suite_name()) + "." + info->name());
    }
    if (main_ && IsWindow(main_)) DestroyWindow(main_);
    drop_quit_message();
    std::filesystem::current_path(previous_dir_);
  }

  // A main window's quit message would end the next modal loop at once.
  static void drop_quit_message() {
    MSG quit;
    while (PeekMessageW(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {
    }
  }

  TempDir dir_;
  std::filesystem::path previous_dir_;
  win::App app_;
  HWND main_ = nullptr;
};

}  // namespace korvane::test
