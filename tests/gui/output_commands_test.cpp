#include <gtest/gtest.h>

#include <vector>

#include "main_window_fixture.h"
#include "xlsx_reader.h"

namespace korvane {
namespace {

using test::DialogDriver;
using test::MainWindowTest;

const std::string kSupplied = "\"MC1\",1,\"電磁接触器\",\"三菱\",\"AC200V\",\"S-T10\",2,支給\r\n";
const std::string kPurchased = "\"PB1\",2,\"押ボタン\",\"\",\"\",\"\",1,    \r\n";
const std::string kNotPurchased = "\"INV1\",1,\"インバータ\",\"\",\"\",\"\",1,非購\r\n";
const std::string kEmptyClass = "\"THR1\",1,\"サーマル\",\"\",\"\",\"\",1,\r\n";

class OutputCommandTest : public MainWindowTest {
 protected:
  void open_with_rows(int file_save_mode2) {
    write_settings_file([&](Settings& s) { s.file_save_mode2 = file_save_mode2; });
    ASSERT_TRUE(open_main_window());
    add_rows({{"MC1", "1", "電磁接触器", "三菱", "AC200V", "S-T10", "2", "支給"},
              {"PB1", "2", "押ボタン", "", "", "", "1", "    "},
              {"INV1", "1", "インバータ", "", "", "", "1", "非購"},
              {"THR1", "1", "サーマル", "", "", "", "1", ""}});
  }
  std::wstring path(const char* name) const { return (dir_.path() / name).wstring(); }
  std::string file(const char* name) const { return test::read_file(dir_.path() / name); }
};

// Records the file types a dialog offers, then names the file.
std::function<void(HWND)> note_types_and_enter(std::vector<std::wstring>& types,
                                               std::wstring name) {
  return [&types, name](HWND dialog) {
    HWND combo = GetDlgItem(dialog, 0x470);  // cmb1, the file type box
    const auto count = SendMessageW(combo, CB_GETCOUNT, 0, 0);
    for (LRESULT i = 0; i < count; ++i) {
      wchar_t text[64] = {};
      SendMessageW(combo, CB_GETLBTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(text));
      types.push_back(text);
    }
    types.push_back(L"selected " + std::to_wstring(SendMessageW(combo, CB_GETCURSEL, 0, 0)));
    DialogDriver::enter_file_name(name)(dialog);
  };
}

TEST_F(OutputCommandTest, OneFileOfEveryRowAsText) {
  open_with_rows(1);
  std::vector<std::wstring> types;
  DialogDriver driver;
  driver.expect(L"ﾃｷｽﾄﾌｧｲﾙに書込", note_types_and_enter(types, path("parts")));
  command(IDM_OUTPUT_ONE);
  ASSERT_TRUE(driver.all_handled());
  EXPECT_EQ(driver.seen().size(), 1u);
  EXPECT_EQ(types, (std::vector<std::wstring>{L"ﾃｷｽﾄﾌｧｲﾙ(*.TXT)", L"CSVﾌｧｲﾙ(*.CSV)",
                                              L"ALLFile(*.*)", L"selected 0"}));
  EXPECT_EQ(file("parts.txt"), test::sjis(kSupplied + kPurchased + kNotPurchased + kEmptyClass));
}

TEST_F(OutputCommandTest, CsvKindTitlesFiltersAndCompletesForCsv) {
  open_with_rows(0);
  std::vector<std::wstring> types;
  DialogDriver driver;
  driver.expect(L"CSVﾌｧｲﾙに書込", note_types_and_enter(types, path("parts")));
  driver.expect(L"CSVﾌｧｲﾙに書込", DialogDriver::enter_file_name(path("kept.CSV")));
  command(IDT_OUTPUT_ONE);
  command(IDM_OUTPUT_ONE);
  ASSERT_TRUE(driver.all_handled());
  EXPECT_EQ(types, (std::vector<std::wstring>{L"CSVﾌｧｲﾙ(*.CSV)", L"ﾃｷｽﾄﾌｧｲﾙ(*.TXT)",
                                              L"ALLFile(*.*)", L"selected 0"}));
  const std::string all = test::sjis(kSupplied + kPurchased + kNotPurchased + kEmptyClass);
  EXPECT_EQ(file("parts.csv"), all);
  EXPECT_EQ(file("kept.CSV"), all);
}

TEST_F(OutputCommandTest, ThreeFilesFromOneDialogSplitBySupplyClass) {
  open_with_rows(1);
  DialogDriver driver;
  driver.expect(L"ﾃｷｽﾄﾌｧｲﾙに書込", DialogDriver::enter_file_name(path("list.txt")));
  command(IDM_OUTPUT_ALL);
  ASSERT_TRUE(driver.all_handled());
  EXPECT_EQ(driver.seen().size(), 1u);  // one dialog for the three
  EXPECT_EQ(file("list1.txt"), test::sjis(kSupplied));
  EXPECT_EQ(file("list2.txt"), test::sjis(kNotPurchased));
  EXPECT_EQ(file("list3.txt"), test::sjis(kPurchased + kEmptyClass));
  EXPECT_FALSE(std::filesystem::exists(dir_.path() / "list.txt"));
}

TEST_F(OutputCommandTest, OneSupplyClassPerCommand) {
  open_with_rows(1);
  DialogDriver driver;
  driver.expect(L"ﾃｷｽﾄﾌｧｲﾙに書込", DialogDriver::enter_file_name(path("supplied")));
  driver.expect(L"ﾃｷｽﾄﾌｧｲﾙに書込", DialogDriver::enter_file_name(path("not_purchased")));
  driver.expect(L"ﾃｷｽﾄﾌｧｲﾙに書込", DialogDriver::enter_file_name(path("purchased")));
  command(IDM_OUTPUT_SUPPLIED);
  command(IDM_OUTPUT_NOT_PURCHASED);
  command(IDM_OUTPUT_PURCHASED);
  ASSERT_TRUE(driver.all_handled());
  EXPECT_EQ(file("supplied.txt"), test::sjis(kSupplied));
  EXPECT_EQ(file("not_purchased.txt"), test::sjis(kNotPurchased));
  EXPECT_EQ(file("purchased.txt"), test::sjis(kPurchased + kEmptyClass));
}

TEST_F(OutputCommandTest, CancelledDialogsWriteNothing) {
  open_with_rows(1);
  DialogDriver driver;
  driver.expect(L"ﾃｷｽﾄﾌｧｲﾙに書込", DialogDriver::press(IDCANCEL));
  driver.expect(L"ﾌｧｲﾙｴﾗｰ", DialogDriver::press(IDOK));
  driver.expect(L"ﾃｷｽﾄﾌｧｲﾙに書込", DialogDriver::press(IDCANCEL));
  driver.expect(L"ﾌｧｲﾙｴﾗｰ", DialogDriver::press(IDOK));
  command(IDM_OUTPUT_SUPPLIED);
  command(IDT_OUTPUT_THREE);
  ASSERT_TRUE(driver.all_handled());
  const auto seen = driver.seen();
  ASSERT_EQ(seen.size(), 4u);  // the three-file output says it once
  EXPECT_EQ(seen[1].text, L"テキストファイルが開けません");
  EXPECT_EQ(seen[3].text, L"テキストファイルが開けません");
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir_.path()), {}), 1);  // the ini
}

// "Excelブック出力": one save dialog for the workbook, whose sheets hold what the CSV files hold.
TEST_F(OutputCommandTest, WorkbookCommandWritesTheSheetsOfTheTextFiles) {
  open_with_rows(0);
  std::vector<std::wstring> types;
  DialogDriver driver;
  driver.expect(L"Excelブックに書込", note_types_and_enter(types, path("parts")));
  driver.expect(L"CSVﾌｧｲﾙに書込", DialogDriver::enter_file_name(path("list.csv")));
  command(IDM_OUTPUT_WORKBOOK);
  command(IDM_OUTPUT_ALL);
  ASSERT_TRUE(driver.all_handled());
  EXPECT_EQ(types, (std::vector<std::wstring>{L"Excel(*.xlsx)", L"ALLFile(*.*)", L"selected 0"}));
  std::string error;
  const auto sheets = test::read_xlsx(file("parts.xlsx"), error);
  ASSERT_TRUE(sheets) << error;
  ASSERT_EQ(sheets->size(), 4u);
  const std::string all = test::sjis(kSupplied + kPurchased + kNotPurchased + kEmptyClass);
  const std::string csv[] = {all, file("list1.csv"), file("list2.csv"), file("list3.csv")};
  for (std::size_t s = 0; s < 4; ++s) {
    EXPECT_TRUE(test::sheet_matches_csv((*sheets)[s], csv[s], error)) << error;
  }
}

TEST_F(OutputCommandTest, BrowsingToAnotherFolderKeepsTheCurrentDirectory) {
  open_with_rows(1);
  std::filesystem::create_directory(dir_.path() / "out");
  DialogDriver driver;
  driver.expect(L"ﾃｷｽﾄﾌｧｲﾙに書込", DialogDriver::enter_file_name(path("out\\parts.TXT")));
  command(IDM_OUTPUT_ONE);
  ASSERT_TRUE(driver.all_handled());
  EXPECT_TRUE(std::filesystem::exists(dir_.path() / "out" / "parts.TXT"));
  // Korvane.ini is written where the program started.
  EXPECT_EQ(std::filesystem::current_path(), dir_.path());
  close_main_window();
  EXPECT_FALSE(std::filesystem::exists(dir_.path() / "out" / "Korvane.ini"));
}

}  // namespace
}  // namespace korvane
