#include <gtest/gtest.h>

#include <windows.h>

#include <commctrl.h>

#include <vector>

#include "main_window_fixture.h"

namespace korvane {
namespace {

using test::DialogDriver;
using test::MainWindowTest;

HWND toolbar_of(HWND main) { return GetDlgItem(main, IDC_TOOLBAR); }

// A left click on a toolbar button, as the mouse gives it.
void click_button(HWND toolbar, int id) {
  RECT r{};
  const auto index = SendMessageW(toolbar, TB_COMMANDTOINDEX, static_cast<WPARAM>(id), 0);
  SendMessageW(toolbar, TB_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&r));
  const LPARAM at = MAKELPARAM((r.left + r.right) / 2, (r.top + r.bottom) / 2);
  PostMessageW(toolbar, WM_MOUSEMOVE, 0, at);
  PostMessageW(toolbar, WM_LBUTTONDOWN, MK_LBUTTON, at);
  PostMessageW(toolbar, WM_LBUTTONUP, 0, at);
}

TEST_F(MainWindowTest, ToolbarHasTenPictureButtonsInFiveGroups) {
  write_settings_file();
  ASSERT_TRUE(open_main_window());
  HWND toolbar = toolbar_of(main_);
  ASSERT_TRUE(toolbar);
  EXPECT_TRUE(GetWindowLongW(toolbar, GWL_STYLE) & TBSTYLE_TOOLTIPS);

  const std::vector<int> expected = {910, 911, 0, 912, 0, 913, 914, 915, 0, 916, 917, 0, 918, 919};
  ASSERT_EQ(SendMessageW(toolbar, TB_BUTTONCOUNT, 0, 0), static_cast<LRESULT>(expected.size()));
  int image = 0;
  for (std::size_t i = 0; i < expected.size(); ++i) {
    TBBUTTON button{};
    SendMessageW(toolbar, TB_GETBUTTON, i, reinterpret_cast<LPARAM>(&button));
    SCOPED_TRACE(i);
    EXPECT_EQ(button.idCommand, expected[i]);
    EXPECT_TRUE(button.fsState & TBSTATE_ENABLED);
    if (expected[i] == 0) {
      EXPECT_TRUE(button.fsStyle & BTNS_SEP);
    } else {
      EXPECT_FALSE(button.fsStyle & BTNS_SEP);
      EXPECT_EQ(button.iBitmap, image++);  // the pictures in button order
    }
  }

  auto images = reinterpret_cast<HIMAGELIST>(SendMessageW(toolbar, TB_GETIMAGELIST, 0, 0));
  ASSERT_TRUE(images);
  EXPECT_EQ(ImageList_GetImageCount(images), 10);
  int cx = 0;
  int cy = 0;
  ImageList_GetIconSize(images, &cx, &cy);
  EXPECT_EQ(cx, 32);
  EXPECT_EQ(cy, 32);
}

TEST_F(MainWindowTest, ToolbarTooltipsNameEachButton) {
  write_settings_file();
  ASSERT_TRUE(open_main_window());
  HWND toolbar = toolbar_of(main_);
  auto tooltip = reinterpret_cast<HWND>(SendMessageW(toolbar, TB_GETTOOLTIPS, 0, 0));
  ASSERT_TRUE(tooltip);
  const std::vector<std::wstring> expected = {L"フォルダ単位読込後オール変換",
                                              L"フォルダ単位読込",
                                              L"オール変換",
                                              L"部品修正",
                                              L"部品削除",
                                              L"部品追加",
                                              L"１ファイル出力",
                                              L"３ファイル出力",
                                              L"ヘルプ",
                                              L"終了"};
  for (int k = 0; k < 10; ++k) {
    // The tooltip asks the main window for the text (TTN_GETDISPINFO), as when it pops up.
    wchar_t text[80] = {};
    TTTOOLINFOW tool{};
    tool.cbSize = sizeof tool;
    tool.hwnd = toolbar;
    tool.uId = static_cast<UINT_PTR>(910 + k);
    tool.lpszText = text;
    SendMessageW(tooltip, TTM_GETTEXTW, 80, reinterpret_cast<LPARAM>(&tool));
    EXPECT_EQ(std::wstring(text), expected[static_cast<std::size_t>(k)]) << 910 + k;
  }

  // Another sender gets only the instance.
  NMTTDISPINFOW other{};
  other.hdr = {tooltip, 905, TTN_GETDISPINFOW};
  SendMessageW(main_, WM_NOTIFY, 905, reinterpret_cast<LPARAM>(&other));
  EXPECT_EQ(other.hinst, app_.instance);
  EXPECT_EQ(other.lpszText, nullptr);
}

TEST_F(MainWindowTest, ToolbarButtonsRunTheirCommands) {
  write_settings_file([](Settings& s) { s.file_save_mode2 = 1; });
  ASSERT_TRUE(open_main_window());
  HWND toolbar = toolbar_of(main_);
  {
    // "１ファイル出力", cancelled.
    DialogDriver driver;
    driver.expect(L"ﾃｷｽﾄﾌｧｲﾙに書込", DialogDriver::press(IDCANCEL));
    driver.expect(L"ﾌｧｲﾙｴﾗｰ", DialogDriver::press(IDOK));
    click_button(toolbar, IDT_OUTPUT_ONE);
    ASSERT_TRUE(test::pump_until([&] { return driver.all_handled(); }));
    EXPECT_EQ(driver.seen().back().text, L"テキストファイルが開けません");
  }
  // "終了": the exit sequence writes the settings.
  std::filesystem::remove(dir_.path() / "Korvane.ini");
  click_button(toolbar, IDT_EXIT);
  ASSERT_TRUE(test::pump_until([&] { return !IsWindow(main_); }));
  main_ = nullptr;
  EXPECT_TRUE(std::filesystem::exists(dir_.path() / "Korvane.ini"));
}

}  // namespace
}  // namespace korvane
