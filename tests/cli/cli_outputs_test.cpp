// korvane-cli's outputs beyond the Shift-JIS text files: the workbook, tag lists as written, and
// UTF-8 text files. Under Wine these run korvane-cli.exe, so the workbook is checked from the
// Windows build too.
#include <gtest/gtest.h>

#include "cli_test_support.h"
#include "text/encoding.h"
#include "xlsx_reader.h"

namespace korvane {
namespace {

using test::cli_golden;
using test::CliFolder;
using test::with_samples;

// The workbook holds what --one-file and the three files hold, each sheet cell for cell.
TEST(CliOutputs, XlsxWritesOneWorkbookWithTheRowsOfTheTextFiles) {
  CliFolder dir;
  dir.copy_samples();
  const test::ProcessResult r = dir.run(with_samples({"convert", "--xlsx"}));
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.err, test::findings_line(test::kSampleFindings));
  EXPECT_EQ(r.out, "main_circuit.xlsx\n");
  EXPECT_FALSE(dir.exists("main_circuit1.csv"));
  const test::ProcessResult one =
      dir.run(with_samples({"convert", "--one-file", "--out", "all.dxf"}));
  ASSERT_EQ(one.status, 0) << one.err;

  std::string error;
  const auto sheets = test::read_xlsx(dir.read("main_circuit.xlsx"), error);
  ASSERT_TRUE(sheets) << error;
  ASSERT_EQ(sheets->size(), 4u);
  const std::string expected[] = {dir.read("all.csv"), cli_golden("samples_all1.csv"),
                                  cli_golden("samples_all2.csv"), cli_golden("samples_all3.csv")};
  const char* names[] = {"部品表", "支給品", "非購入品", "購入品"};
  for (std::size_t s = 0; s < 4; ++s) {
    const test::XlsxSheet& sheet = (*sheets)[s];
    EXPECT_EQ(sheet.name, names[s]);
    EXPECT_TRUE(test::sheet_matches_csv(sheet, expected[s], error)) << error;
  }
}

#ifndef _WIN32
// What a reader independent of ours sees: the sheets, the frozen title row, the filter over the
// table, widths from the settings' pixels, quantities as numbers.
TEST(CliOutputs, OpenpyxlReadsTheWorkbookAsWritten) {
  CliFolder dir;
  dir.copy_samples();
  ASSERT_EQ(dir.run(with_samples({"convert", "--xlsx", "--out", "book.dxf"})).status, 0);
  const test::ProcessResult r = test::run_process(
      "/usr/bin/python3",
      {std::string(KORVANE_SOURCE_DIR) + "/tests/cli/read_workbook.py", "book.xlsx"}, dir.path());
  ASSERT_EQ(r.status, 0) << r.err;
  const auto lines = [&] {
    std::vector<std::string> out;
    for (std::size_t at = 0, end; (end = r.out.find('\n', at)) != std::string::npos; at = end + 1) {
      out.push_back(r.out.substr(at, end - at));
    }
    return out;
  }();
  const std::string widths = "widths A=21.43 B=5.71 C=18.57 D=8.57 E=18.57 F=18.57 G=5.71 H=7.14";
  const std::string titles = "Tag.No.\t図番\t部品名\tメーカ\tスペック\t型式\t数量\t支給";
  // Sheet 2, the supplied rows (samples_all1.csv): its title lines and first row.
  const auto sheet = std::find(lines.begin(), lines.end(), "sheet 支給品 freeze=A2 filter=A1:H8");
  ASSERT_NE(sheet, lines.end()) << r.out;
  ASSERT_GE(lines.end() - sheet, 4);
  EXPECT_EQ(sheet[1], widths);
  EXPECT_EQ(sheet[2], titles);
  EXPECT_EQ(sheet[3], "FLS1\t\tフロートスイッチ\t\t満水検出\t客先支給\t#1\t支給");
  EXPECT_EQ(lines.front(), "sheet 部品表 freeze=A2 filter=A1:H69");
}
#endif

// Settings that ask for the workbook make convert write it; a text option on the command line
// asks for text files instead.
TEST(CliOutputs, OutputFormatOfTheSettingsChoosesTheWorkbookUnlessTextIsAskedFor) {
  CliFolder dir;
  dir.copy_samples();
  dir.write("Korvane.ini", dir.read("Korvane.ini") + "output_format=xlsx\r\n");
  const test::ProcessResult book = dir.run(with_samples({"convert"}));
  EXPECT_EQ(book.status, 0) << book.err;
  EXPECT_EQ(book.out, "main_circuit.xlsx\n");
  const test::ProcessResult text = dir.run(with_samples({"convert", "--three-files"}));
  EXPECT_EQ(text.status, 0) << text.err;
  EXPECT_EQ(text.out, "main_circuit1.csv\nmain_circuit2.csv\nmain_circuit3.csv\n");
  const test::ProcessResult txt = dir.run(with_samples({"convert", "--txt", "--one-file"}));
  EXPECT_EQ(txt.out, "main_circuit.txt\n");
}

// --tag-list and --encoding change the bytes written; the lines are otherwise the same.
TEST(CliOutputs, TagListAndEncodingOptionsShapeTheTextFiles) {
  CliFolder dir;
  dir.copy_samples();
  const std::string merged = cli_golden("samples_all3.csv");
  ASSERT_NE(merged.find("\"MC1,2,3\""), std::string::npos);
  ASSERT_NE(merged.find("\"X2,1\""), std::string::npos);

  ASSERT_EQ(dir.run(with_samples({"convert", "--tag-list", "ranges"})).status, 0);
  std::string ranges = merged;
  for (const auto& [from, to] :
       std::vector<std::pair<std::string, std::string>>{{"\"MC1,2,3\"", "\"MC1-3\""},
                                                        {"\"THR1,2,3\"", "\"THR1-3\""},
                                                        {"\"CR1,2,3\"", "\"CR1-3\""},
                                                        {"\"X2,1\"", "\"X1,2\""},
                                                        {"\"PB2,1\"", "\"PB1,2\""}}) {
    for (std::size_t at; (at = ranges.find(from)) != std::string::npos;) {
      ranges.replace(at, from.size(), to);
    }
  }
  EXPECT_EQ(dir.read("main_circuit3.csv"), ranges);

  ASSERT_EQ(dir.run(with_samples({"convert", "--encoding", "utf8"})).status, 0);
  EXPECT_EQ(dir.read("main_circuit3.csv"), "\xEF\xBB\xBF" + sjis_to_utf8(merged));
}

}  // namespace
}  // namespace korvane
