// The real main window, with settings that load and save no reference files, as the owner of
// the editing dialogs.
#pragma once

#include "dialog_session.h"
#include "main_window_fixture.h"

namespace korvane::test {

class EditingTest : public MainWindowTest {
 protected:
  void SetUp() override {
    MainWindowTest::SetUp();
    write_settings_file();
    ASSERT_TRUE(open_main_window());
  }
};

}  // namespace korvane::test
