// The Excel workbook: read back with the test's own reader, it holds the CSV rows cell for cell.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#include "output/workbook_writer.h"
#include "pipeline/conversion.h"
#include "test_support.h"
#include "text/encoding.h"
#include "text/messages.h"
#include "workspace.h"
#include "xlsx_reader.h"

namespace korvane {
namespace {

namespace fs = std::filesystem;
using test::sjis;

// Points the system's temporary folder (where the scratch files go) at a folder of the test.
class ScopedTempFolder {
 public:
  explicit ScopedTempFolder(const fs::path& folder) {
    if (const char* old = std::getenv(kVariable)) previous_ = old;
    set(folder.string());
  }
  ~ScopedTempFolder() { set(previous_); }
  ScopedTempFolder(const ScopedTempFolder&) = delete;
  ScopedTempFolder& operator=(const ScopedTempFolder&) = delete;

 private:
#ifdef _WIN32
  static constexpr const char* kVariable = "TMP";
  static void set(const std::string& value) { _putenv_s(kVariable, value.c_str()); }
#else
  static constexpr const char* kVariable = "TMPDIR";
  static void set(const std::string& value) { setenv(kVariable, value.c_str(), 1); }
#endif
  std::string previous_;
};

std::size_t entries_in(const fs::path& folder) {
  return static_cast<std::size_t>(
      std::distance(fs::directory_iterator(folder), fs::directory_iterator()));
}

class Workbook : public ::testing::Test {
 protected:
  Workbook() {
    reset_settings_values(ws.settings);
    ws.settings.columns[2].title = sjis("品名");
    ws.settings.columns[1].title.clear();
    ws.base_parts.entries.resize(1);
    ws.base_parts.entries[0].tag = "CR";
    ws.settings.options["tag_list"] = "ranges";
    const std::string long_cell = sjis(std::string(130, 'a') + "電" + std::string(200, 'b'));
    ws.parts.assign({
        PartsRow{"CR3,1,2", "E-1", sjis("補助継電器"), sjis("ミナト"), "AC100V", "", "3",
                 sjis("支給")},
        PartsRow{"PB1", "", sjis("押ボタン,緑"), "", sjis("\"赤\"\r\n"), "", sjis("2個"), "    "},
        PartsRow{"NP1", "", sjis("銘板"), "", "", "", "007", sjis("非購")},
        PartsRow{"M1", "", long_cell, "", "", "", "-1", ""},
        PartsRow{"TB1", "", sjis("端子台"), "", "", "", "", "    "},
        PartsRow{"X1", "", "<&>", "", "", "", "12", sjis("支給")},
    });
    ws.current_file_name = dir.file("panel.dxf");
  }
  std::vector<test::XlsxSheet> read_back(const fs::path& path) {
    std::string error;
    auto sheets = test::read_xlsx(test::read_file(path), error);
    EXPECT_TRUE(sheets) << error;
    return sheets.value_or(std::vector<test::XlsxSheet>{});
  }

  test::TempDir dir;
  test::TempDir scratch;
  ScopedTempFolder temp_folder{scratch.path()};
  Workspace ws;
  test::RecordingNotifier notifier;
};

TEST_F(Workbook, EverySheetReadsBackAsTheCsvRowsOfItsSelection) {
  ASSERT_EQ(write_workbook(ws, notifier, OutputNaming::Current), dir.file("panel.xlsx"));
  EXPECT_TRUE(notifier.messages.empty());
  EXPECT_EQ(ws.current_file_name, dir.file("panel.dxf"));  // the name of the next outputs stays
  EXPECT_EQ(entries_in(scratch.path()), 0u);               // no scratch file is left

  const auto sheets = read_back(dir.path() / "panel.xlsx");
  ASSERT_EQ(sheets.size(), 4u);
  const struct {
    const char* name;
    Selection selection;
    std::size_t rows;
  } kSheets[] = {{"部品表", Selection::All, 6},
                 {"支給品", Selection::Supplied, 2},
                 {"非購入品", Selection::NotPurchased, 1},
                 {"購入品", Selection::Purchased, 3}};
  const CellStyle style = output_cell_style(ws);
  for (std::size_t s = 0; s < sheets.size(); ++s) {
    const test::XlsxSheet& sheet = sheets[s];
    EXPECT_EQ(sheet.name, kSheets[s].name);
    const std::string csv = format_parts_list(ws.parts, kSheets[s].selection, 7, style);
    std::string why;
    EXPECT_TRUE(test::sheet_matches_csv(sheet, csv, why)) << why;
    ASSERT_EQ(sheet.rows.size(), kSheets[s].rows + 1);
    // Row 1: the column titles of the settings; an empty title leaves its cell empty.
    EXPECT_EQ(sheet.rows[0][0].text + "|" + sheet.rows[0][1].text + "|" + sheet.rows[0][2].text,
              "Tag.No.||品名");
    // Only the quantity column's whole numbers are numbers.
    for (std::size_t r = 1; r < sheet.rows.size(); ++r) {
      for (const test::XlsxCell& cell : sheet.rows[r]) {
        EXPECT_EQ(cell.number, &cell == &sheet.rows[r][6] && is_whole_number(cell.text))
            << cell.text;
      }
    }
    const std::string filter = "<autoFilter ref=\"A1:H" + std::to_string(sheet.rows.size());
    EXPECT_NE(sheet.xml.find(filter + "\"/>"), std::string::npos) << kSheets[s].name;
    EXPECT_NE(sheet.xml.find("ySplit=\"1\" topLeftCell=\"A2\""), std::string::npos);
    EXPECT_NE(sheet.xml.find("state=\"frozen\""), std::string::npos);
  }
  // The cells the sheets were checked against: the tag list in the option's style, the long cell
  // cut to 255 bytes, the rest as the list holds them.
  EXPECT_EQ(sheets[0].rows[1][0].text, "CR1-3");
  EXPECT_EQ(sheets[0].rows[4][2].text.size(), 130u + 3u + 123u);
  EXPECT_EQ(sheets[0].rows[2][4].text, "\"赤\"\r\n");
  EXPECT_EQ(ws.parts.cell(0, 0), "CR3,1,2");
}

TEST_F(Workbook, NamedFromTheCurrentNameOrTheDialogAndRefusedOverAnInput) {
  std::vector<OutputKind> kinds;
  std::vector<std::optional<std::string>> answers = {dir.file("book"), dir.file("Kept.XLSX"),
                                                     std::nullopt};
  const OutputFileDialog dialog = [&](OutputKind kind) {
    kinds.push_back(kind);
    return answers.at(kinds.size() - 1);
  };
  EXPECT_EQ(write_workbook(ws, notifier, OutputNaming::Dialog, dialog), dir.file("book.xlsx"));
  EXPECT_EQ(write_workbook(ws, notifier, OutputNaming::Dialog, dialog), dir.file("Kept.XLSX"));
  EXPECT_EQ(write_workbook(ws, notifier, OutputNaming::Dialog, dialog), std::nullopt);
  EXPECT_EQ(kinds, std::vector<OutputKind>(3, OutputKind::Xlsx));
  EXPECT_TRUE(notifier.messages.empty());  // a cancelled dialog says nothing

  // A drawing named so that its workbook would replace a file read in this run.
  ws.current_file_name = dir.file("book.dxf");
  ws.note_input(dir.file("book.xlsx"));
  const std::string before = test::read_file(dir.path() / "book.xlsx");
  EXPECT_EQ(write_workbook(ws, notifier, OutputNaming::Current), std::nullopt);
  ASSERT_EQ(notifier.messages.size(), 1u);
  EXPECT_EQ(notifier.messages[0].text, msg::kOutputIsInput);
  EXPECT_EQ(test::read_file(dir.path() / "book.xlsx"), before);

  // A name too short to take the new ending.
  ws.current_file_name = "a";
  EXPECT_EQ(write_workbook(ws, notifier, OutputNaming::Current), std::nullopt);
  ASSERT_EQ(notifier.messages.size(), 2u);
  EXPECT_EQ(notifier.messages[1].text, msg::kWorkbookCannotWrite);
  EXPECT_EQ(notifier.messages[1].file, "a");

  // No current name: default.xlsx in the current folder.
  const fs::path previous = fs::current_path();
  fs::current_path(dir.path());
  ws.current_file_name.clear();
  EXPECT_EQ(write_workbook(ws, notifier, OutputNaming::Current), "default.xlsx");
  fs::current_path(previous);
  EXPECT_EQ(read_back(dir.path() / "default.xlsx").size(), 4u);
  EXPECT_EQ(entries_in(scratch.path()), 0u);
}

TEST_F(Workbook, AFailedWriteLeavesTheOldFileAndNoScratchFile) {
  test::write_file(dir.path() / "panel.xlsx", "previous workbook");
  {
    test::FaultyFileSystem faulty;
    faulty.fail_replace = true;
    EXPECT_EQ(write_workbook(ws, notifier, OutputNaming::Current), std::nullopt);
  }
  ASSERT_EQ(notifier.messages.size(), 1u);
  EXPECT_EQ(notifier.messages[0].text, msg::kWorkbookCannotWrite);
  EXPECT_EQ(notifier.messages[0].title, msg::kTitleFileError);
  EXPECT_EQ(notifier.messages[0].file, dir.file("panel.xlsx"));
  EXPECT_EQ(test::read_file(dir.path() / "panel.xlsx"), "previous workbook");
  EXPECT_EQ(entries_in(dir.path()), 1u);
  EXPECT_EQ(entries_in(scratch.path()), 0u);
}

// output_format=xlsx: the read-and-convert commands of both front ends write the workbook alone.
TEST_F(Workbook, TheConversionWritesTheWorkbookWhenTheOptionAsksForIt) {
  ws.settings.options["output_format"] = "xlsx";
  ConversionRequest request;
  request.passes.clear();
  request.layout = SaveLayout::ThreeFiles;
  EXPECT_EQ(convert_and_write(ws, notifier, request).written,
            std::vector<std::string>{dir.file("panel.xlsx")});
  EXPECT_EQ(entries_in(dir.path()), 1u);
  ws.settings.options.erase("output_format");
  EXPECT_EQ(convert_and_write(ws, notifier, request).written.size(), 3u);
}

TEST(WorkbookName, TheCurrentNameTakesXlsxInPlaceOfItsLastFourBytes) {
  const std::pair<const char*, std::optional<std::string>> kCases[] = {
      {"pump.dxf", "pump.xlsx"},  {"list3.csv", "list3.xlsx"}, {"pump.DXF", "pump.xlsx"},
      {"book.xlsx", "book.xlsx"}, {"book.XLSX", "book.XLSX"},  {"book.xlsX", "book..xlsx"},
      {"abcd", ".xlsx"},          {"abc", std::nullopt},       {"d/a.b", std::nullopt},
  };
  for (const auto& [name, expected] : kCases) {
    EXPECT_EQ(rewrite_output_ending(name, Selection::All, OutputKind::Xlsx), expected) << name;
  }
}

TEST(WorkbookNumbers, OnlyAWholeNumberAndNothingElseIsANumber) {
  for (const char* yes : {"0", "1", "12", "-1", "999999999999999"}) {
    EXPECT_TRUE(is_whole_number(yes)) << yes;
  }
  for (const char* no : {"", "-", "007", "-0", "01", "1.5", "1e3", " 2", "2 ", "+2", "2個", "1,000",
                         "1000000000000000"}) {
    EXPECT_FALSE(is_whole_number(no)) << no;
  }
}

}  // namespace
}  // namespace korvane
