#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "main_window_fixture.h"

namespace korvane {
namespace {

using test::DialogDriver;
using test::MainWindowTest;

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
  driver.expect(L"部品設定ﾌｧｲﾙの読込", DialogDriver::press(IDCANCEL));
  driver.expect(L"禁止文字ﾌｧｲﾙの読込", DialogDriver::press(IDCANCEL));
  // The reset picks pair 1, whose paths stayed empty: loading it fails, and so does saving the
  // empty lists at exit.
  driver.expect(L"ﾌｧｲﾙｴﾗｰ", DialogDriver::press(IDOK));
  driver.expect(L"ﾌｧｲﾙｴﾗｰ", DialogDriver::press(IDOK));
  ASSERT_TRUE(open_main_window());
  ASSERT_TRUE(driver.all_handled());
  auto seen = driver.seen();
  ASSERT_EQ(seen.size(), 5u);
  // The file a message is about follows on a line of its own.
  EXPECT_EQ(seen[0].text, L"ファイルが開きません。初期値で良いですか？\nKorvane.ini");
  EXPECT_EQ(seen[3].text, L"基部品Listファイルが開けません");
  EXPECT_EQ(seen[4].text, L"禁止文字ファイルが開けません");
  EXPECT_FALSE(std::filesystem::exists(dir_.path() / "Korvane.ini"));  // written only at exit

  driver.expect(L"保存ｴﾗｰ", DialogDriver::press(IDOK));
  driver.expect(L"保存ｴﾗｰ", DialogDriver::press(IDOK));
  close_main_window();
  ASSERT_TRUE(driver.all_handled());
  seen = driver.seen();
  EXPECT_EQ(seen[5].text, L"基部品Listファイルのデーターがありません");
  EXPECT_EQ(seen[6].text, L"禁止文字設定データーがありません");
  EXPECT_EQ(test::read_file(dir_.path() / "Korvane.ini"),
            test::read_file(std::string(KORVANE_TEST_DATA) + "/settings/reset_values.ini"));
  EXPECT_FALSE(app_.quit_at_once);
}

TEST_F(MainWindowTest, FirstStartTakesTheListsPickedInTheOpenDialogsAsPairOne) {
  test::write_file(dir_.path() / "bp.txt", test::sjis("電磁接触器,MC,S-T,三菱,0,,,,,,,,,\r\n"));
  test::write_file(dir_.path() / "kw.txt", "TITLE\r\n");
  const std::wstring bp = (dir_.path() / "bp.txt").wstring();
  const std::wstring kw = (dir_.path() / "kw.txt").wstring();
  DialogDriver driver;
  driver.expect(L"環境設定ファイル", DialogDriver::press(IDYES));
  driver.expect(L"部品設定ﾌｧｲﾙの読込", DialogDriver::enter_file_name(bp));
  driver.expect(L"禁止文字ﾌｧｲﾙの読込", DialogDriver::enter_file_name(kw));
  ASSERT_TRUE(open_main_window());
  ASSERT_TRUE(driver.all_handled());
  EXPECT_EQ(driver.seen().size(), 3u);
  EXPECT_EQ(app_.ws.settings.part_file[0], win::narrow(bp));
  EXPECT_EQ(app_.ws.settings.kinsi_file[0], win::narrow(kw));
  EXPECT_EQ(app_.ws.base_parts.entries.size(), 1u);
  EXPECT_EQ(app_.ws.prohibited_words.words, std::vector<std::string>{"TITLE"});
  close_main_window();
  const std::string ini = test::read_file(dir_.path() / "Korvane.ini");
  EXPECT_NE(ini.find("part_file1=" + win::narrow(bp) + "\r\n"), std::string::npos);
  EXPECT_NE(ini.find("kinsi_file1=" + win::narrow(kw) + "\r\n"), std::string::npos);
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
  EXPECT_EQ(driver.seen()[0].text,
            L"ファイルが開きません。強制終了しますか？\n" + (dir_.path() / "locked").wstring());
  EXPECT_TRUE(app_.quit_at_once);
  EXPECT_EQ(test::read_file(dir_.path() / "Korvane.ini"), "pt_x=9\r\n");
}

TEST_F(MainWindowTest, CloseBoxAndExitCommandRunTheSameExitSequence) {
  for (bool close_box : {true, false}) {
    SCOPED_TRACE(close_box);
    write_settings_file([](Settings& s) { s.pt_x = 7; });
    ASSERT_TRUE(open_main_window());
    app_.ws.settings.pt_x = 8;
    if (close_box) {
      SendMessageW(main_, WM_SYSCOMMAND, SC_CLOSE, 0);
    } else {
      command(IDM_EXIT);
    }
    EXPECT_FALSE(IsWindow(main_));
    main_ = nullptr;
    discard_quit_message();
    Settings written;
    parse_settings(written, test::read_file(dir_.path() / "Korvane.ini"));
    EXPECT_EQ(written.pt_x, 8);
  }
}

TEST_F(MainWindowTest, HelpCommandsWithoutTheirFilesSayNothing) {
  write_settings_file();
  ASSERT_TRUE(open_main_window());
  DialogDriver driver;
  command(IDM_DOCUMENT);
  command(IDM_MANUAL);
  command(IDT_HELP);
  test::pump_for(500);
  EXPECT_TRUE(driver.seen().empty());
  EXPECT_TRUE(IsWindow(main_));
}

}  // namespace
}  // namespace korvane
