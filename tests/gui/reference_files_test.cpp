#include <gtest/gtest.h>

#include <vector>

#include "main_window_fixture.h"
#include "reference/base_parts_file.h"
#include "reference/prohibited_words_file.h"

namespace korvane {
namespace {

using test::DialogDriver;
using test::MainWindowTest;

const char kBaseParts2[] =
    "電磁接触器,MC,S-T,三菱,0,,,,,,,,,\r\n"
    "インバータ,INV,FR-E,三菱,1,ﾉｲｽﾞﾌｨﾙﾀ,FR-BIF,,,,,,,\r\n";
const char kWords2[] = "TITLE\r\nFG\r\n";

class ReferenceFilesTest : public MainWindowTest {
 protected:
  // Pair 2 holds the lists; pair 1 names files that must not be touched.
  void write_pair_files(int part_select) {
    test::write_file(dir_.path() / "bp1.txt", test::sjis("一番,X,,,0,,,,,,,,,\r\n"));
    test::write_file(dir_.path() / "kw1.txt", "ONE\r\n");
    test::write_file(dir_.path() / "bp2.txt", test::sjis(kBaseParts2));
    test::write_file(dir_.path() / "kw2.txt", kWords2);
    write_settings_file([&](Settings& s) {
      s.part_select = part_select;
      s.part_file[0] = "bp1.txt";
      s.kinsi_file[0] = "kw1.txt";
      s.part_file[1] = "bp2.txt";
      s.kinsi_file[1] = "kw2.txt";
    });
  }
  // Changes both lists in memory, so a save shows.
  void change_lists() {
    app_.ws.base_parts.entries.push_back({test::sjis("タイマ"), "T", "H3Y", "", 0, {}});
    app_.ws.prohibited_words.words.push_back("PLC");
  }
  std::string file(const char* name) const { return test::read_file(dir_.path() / name); }
  std::wstring path(const char* name) const { return (dir_.path() / name).wstring(); }
};

TEST_F(ReferenceFilesTest, StartLoadsAndExitSavesThePairThatPartSelectPicks) {
  write_pair_files(2);
  DialogDriver driver;
  ASSERT_TRUE(open_main_window());
  ASSERT_EQ(app_.ws.base_parts.entries.size(), 2u);
  EXPECT_EQ(test::utf8(app_.ws.base_parts.entries[1].accessories[0].name), "ﾉｲｽﾞﾌｨﾙﾀ");
  EXPECT_EQ(app_.ws.prohibited_words.words, (std::vector<std::string>{"TITLE", "FG"}));
  change_lists();
  close_main_window();
  EXPECT_TRUE(driver.seen().empty());
  EXPECT_EQ(file("bp2.txt"), test::sjis(std::string(kBaseParts2) + "タイマ,T,H3Y,,0,,,,,,,,,\r\n"));
  EXPECT_EQ(file("kw2.txt"), "TITLE\r\nFG\r\nPLC\r\n");
  EXPECT_EQ(file("bp1.txt"), test::sjis("一番,X,,,0,,,,,,,,,\r\n"));
  EXPECT_EQ(file("kw1.txt"), "ONE\r\n");
}

TEST_F(ReferenceFilesTest, APartSelectOutsideOneToFivePicksNoFiles) {
  for (int part_select : {0, 6}) {
    SCOPED_TRACE(part_select);
    write_pair_files(part_select);
    DialogDriver driver;
    ASSERT_TRUE(open_main_window());
    EXPECT_TRUE(app_.ws.base_parts.entries.empty());
    EXPECT_TRUE(app_.ws.prohibited_words.words.empty());
    change_lists();
    close_main_window();
    EXPECT_TRUE(driver.seen().empty());
    EXPECT_EQ(file("bp2.txt"), test::sjis(kBaseParts2));
    EXPECT_EQ(file("kw2.txt"), kWords2);
    app_.ws = Workspace{};
  }
}

TEST_F(ReferenceFilesTest, UnwritableSettingsFileAndQuitAtOnceSkipsTheReferenceFiles) {
  write_pair_files(2);
  ASSERT_TRUE(open_main_window());
  change_lists();
  std::filesystem::create_directory(dir_.path() / "locked");
  app_.ws.settings_path = (dir_.path() / "locked").string();
  DialogDriver driver;
  driver.expect(L"環境設定ファイル", DialogDriver::press(IDYES));
  close_main_window();
  ASSERT_TRUE(driver.all_handled());
  EXPECT_EQ(driver.seen()[0].text,
            L"ファイルが開きません。強制終了しますか？\n" + (dir_.path() / "locked").wstring());
  EXPECT_EQ(driver.seen().size(), 1u);
  EXPECT_EQ(file("bp2.txt"), test::sjis(kBaseParts2));
  EXPECT_EQ(file("kw2.txt"), kWords2);
}

TEST_F(ReferenceFilesTest, UnwritableSettingsFileAndNoStillSavesTheReferenceFiles) {
  write_pair_files(2);
  ASSERT_TRUE(open_main_window());
  change_lists();
  std::filesystem::create_directory(dir_.path() / "locked");
  app_.ws.settings_path = (dir_.path() / "locked").string();
  DialogDriver driver;
  driver.expect(L"環境設定ファイル", DialogDriver::press(IDNO));
  close_main_window();
  ASSERT_TRUE(driver.all_handled());
  EXPECT_FALSE(app_.quit_at_once);
  EXPECT_EQ(file("kw2.txt"), "TITLE\r\nFG\r\nPLC\r\n");
  EXPECT_EQ(file("bp2.txt"), format_base_parts(app_.ws.base_parts));
}

TEST_F(ReferenceFilesTest, OpenCommandsLoadTheChosenFileAndRememberItsPath) {
  write_pair_files(0);
  ASSERT_TRUE(open_main_window());
  std::vector<std::wstring> types;
  DialogDriver driver;
  driver.expect(L"部品設定ﾌｧｲﾙの読込", [&](HWND dialog) {
    HWND combo = GetDlgItem(dialog, 0x470);  // cmb1, the file type box
    for (LRESULT i = 0; i < SendMessageW(combo, CB_GETCOUNT, 0, 0); ++i) {
      wchar_t text[64] = {};
      SendMessageW(combo, CB_GETLBTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(text));
      types.push_back(text);
    }
    DialogDriver::enter_file_name(path("bp2.txt"))(dialog);
  });
  driver.expect(L"禁止文字ﾌｧｲﾙの読込", DialogDriver::enter_file_name(path("kw2.txt")));
  command(IDM_BASE_PARTS_OPEN);
  EXPECT_EQ(app_.ws.base_parts.entries.size(), 2u);
  EXPECT_EQ(app_.ws.last_reference_path, win::narrow(path("bp2.txt")));
  command(IDM_WORDS_OPEN);
  ASSERT_TRUE(driver.all_handled());
  EXPECT_EQ(types, (std::vector<std::wstring>{L"ﾃｷｽﾄ(*.txt)", L"ALLFile(*.*)"}));
  EXPECT_EQ(app_.ws.prohibited_words.words, (std::vector<std::string>{"TITLE", "FG"}));
  EXPECT_EQ(app_.ws.last_reference_path, win::narrow(path("kw2.txt")));

  // Cancelled: nothing changes.
  DialogDriver cancel;
  cancel.expect(L"部品設定ﾌｧｲﾙの読込", DialogDriver::press(IDCANCEL));
  cancel.expect(L"禁止文字ﾌｧｲﾙの読込", DialogDriver::press(IDCANCEL));
  command(IDM_BASE_PARTS_OPEN);
  command(IDM_WORDS_OPEN);
  ASSERT_TRUE(cancel.all_handled());
  EXPECT_EQ(app_.ws.base_parts.entries.size(), 2u);
  EXPECT_EQ(app_.ws.last_reference_path, win::narrow(path("kw2.txt")));
}

TEST_F(ReferenceFilesTest, SaveCommandsWriteToTheChosenNameWithTxtCompleted) {
  write_pair_files(2);
  ASSERT_TRUE(open_main_window());
  DialogDriver driver;
  driver.expect(L"部品設定ﾌｧｲﾙ書込", DialogDriver::enter_file_name(path("parts")));
  driver.expect(L"部品設定ﾌｧｲﾙ書込", DialogDriver::enter_file_name(path("words.TXT")));
  command(IDM_BASE_PARTS_SAVE);
  command(IDM_WORDS_SAVE);
  ASSERT_TRUE(driver.all_handled());
  EXPECT_EQ(file("parts.txt"), test::sjis(kBaseParts2));
  EXPECT_EQ(file("words.TXT"), kWords2);

  // An empty list is not saved.
  app_.ws.prohibited_words.words.clear();
  DialogDriver empty;
  empty.expect(L"部品設定ﾌｧｲﾙ書込", DialogDriver::enter_file_name(path("words.TXT")));
  empty.expect(L"保存ｴﾗｰ", DialogDriver::press(IDOK));
  command(IDM_WORDS_SAVE);
  ASSERT_TRUE(empty.all_handled());
  EXPECT_EQ(empty.seen()[1].text, L"禁止文字設定データーがありません");
  EXPECT_EQ(file("words.TXT"), kWords2);
  app_.ws.settings.part_select = 0;  // no exit message about the emptied list
}

}  // namespace
}  // namespace korvane
