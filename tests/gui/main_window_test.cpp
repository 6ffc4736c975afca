#include <gtest/gtest.h>

#include <filesystem>

#include "app.h"
#include "gui_driver.h"
#include "settings/settings.h"
#include "test_support.h"

namespace korvane {
namespace {

using test::DialogDriver;

// Runs each case in a fresh folder, the program's current directory (where Korvane.ini lives).
class MainWindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    previous_dir_ = std::filesystem::current_path();
    std::filesystem::current_path(dir_.path());
    app_.instance = GetModuleHandleW(nullptr);
    ASSERT_TRUE(win::register_main_window_class(app_.instance));
  }
  void TearDown() override {
    if (HasFailure() && main_) test::save_failure_artifacts(main_, "main_window_failure");
    if (main_ && IsWindow(main_)) DestroyWindow(main_);
    drop_quit_message();
    std::filesystem::current_path(previous_dir_);
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
    drop_quit_message();
  }
  // The main window posts the quit message when it is destroyed; left in the queue it would end
  // the next modal loop (a message box of the next case) at once.
  static void drop_quit_message() {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {
    }
  }

  test::TempDir dir_;
  std::filesystem::path previous_dir_;
  win::App app_;
  HWND main_ = nullptr;
};

TEST_F(MainWindowTest, OpensTitledCentredAndOfTheFixedSize) {
  test::write_file(dir_.path() / "Korvane.ini", "pt_x=9\r\n");
  ASSERT_TRUE(open_main_window());
  EXPECT_EQ(test::class_name(main_), L"Main Window");
  EXPECT_EQ(test::window_text(main_), L"Korvane Ver1.06");
  RECT r;
  GetWindowRect(main_, &r);
  EXPECT_EQ(r.right - r.left, 800);
  EXPECT_EQ(r.bottom - r.top, 540);
  HDC screen = GetDC(nullptr);
  const int sw = GetDeviceCaps(screen, HORZRES);
  const int sh = GetDeviceCaps(screen, VERTRES);
  ReleaseDC(nullptr, screen);
  EXPECT_EQ(r.left, (sw - 800) / 2);
  EXPECT_EQ(r.top, (sh - 600) / 2);
  const LONG style = GetWindowLongW(main_, GWL_STYLE);
  EXPECT_TRUE(style & WS_CAPTION);
  EXPECT_TRUE(style & WS_SYSMENU);
  EXPECT_FALSE(style & WS_THICKFRAME);
  EXPECT_FALSE(style & WS_MINIMIZEBOX);
  EXPECT_FALSE(style & WS_MAXIMIZEBOX);
  EXPECT_NE(GetClassLongPtrW(main_, GCLP_HICON), 0u);
  EXPECT_NE(GetMenu(main_), nullptr);
  EXPECT_EQ(app_.ws.settings.pt_x, 9);  // read while the window was created
}

TEST_F(MainWindowTest, FirstStartWithoutSettingsAsksAndWritesTheResetValuesAtClose) {
  DialogDriver driver;
  driver.expect(L"環境設定ファイル", DialogDriver::press(IDYES));
  ASSERT_TRUE(open_main_window());
  ASSERT_TRUE(driver.all_handled());
  const auto seen = driver.seen();
  ASSERT_EQ(seen.size(), 1u);
  EXPECT_EQ(seen[0].text, L"ファイルが開きません。初期値で良いですか？");
  EXPECT_FALSE(std::filesystem::exists(dir_.path() / "Korvane.ini"));  // written only at exit
  close_main_window();
  EXPECT_EQ(test::read_file(dir_.path() / "Korvane.ini"),
            test::read_file(std::string(KORVANE_TEST_DATA) + "/settings/reset_values.ini"));
  EXPECT_FALSE(app_.quit_at_once);
}

TEST_F(MainWindowTest, AnUnwritableSettingsFileAsksWhetherToQuitAtOnce) {
  test::write_file(dir_.path() / "Korvane.ini", "pt_x=9\r\n");
  ASSERT_TRUE(open_main_window());
  // A folder where the file should be: it cannot be replaced.
  app_.ws.settings_path = (dir_.path() / "locked").string();
  std::filesystem::create_directory(dir_.path() / "locked");
  DialogDriver driver;
  driver.expect(L"環境設定ファイル", DialogDriver::press(IDYES));
  close_main_window();
  ASSERT_TRUE(driver.all_handled());
  EXPECT_EQ(driver.seen()[0].text, L"ファイルが開きません。強制終了しますか？");
  EXPECT_TRUE(app_.quit_at_once);
  EXPECT_EQ(test::read_file(dir_.path() / "Korvane.ini"), "pt_x=9\r\n");
}

}  // namespace
}  // namespace korvane
