// korvane-cli when files are missing, unreadable or unwritable: what it says, what it writes and
// how it exits.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "cli_test_support.h"

namespace korvane {
namespace {

using test::cli_golden;
using test::CliFolder;
using test::with_samples;

constexpr std::string_view kSampleOutputs =
    "main_circuit1.csv\nmain_circuit2.csv\nmain_circuit3.csv\n";

void expect_sample_outputs(const CliFolder& dir) {
  EXPECT_EQ(dir.read("main_circuit1.csv"), cli_golden("samples_all1.csv"));
  EXPECT_EQ(dir.read("main_circuit2.csv"), cli_golden("samples_all2.csv"));
  EXPECT_EQ(dir.read("main_circuit3.csv"), cli_golden("samples_all3.csv"));
}

// A drawing that cannot be opened, or is not an ASCII DXF, is reported; the others are read and
// the list is written from them, and the run still ends with status 2.
TEST(CliFailures, BadDrawingsAmongOthersAreReportedAndTheRestIsWritten) {
  CliFolder dir;
  dir.copy_samples();
  dir.write("old.dxf", "AC1015\r\n");  // a binary drawing's first line
  const test::ProcessResult r = dir.run({"convert", "main_circuit.dxf", "missing.dxf",
                                         "control_circuit.dxf", "old.dxf", "operation_board.dxf"});
  EXPECT_EQ(r.status, 2);
  EXPECT_EQ(r.err,
            "korvane-cli: missing.dxf: ﾌｧｲﾙｴﾗｰ: ＤＸＦ図面ファイルが開けません\n"
            "korvane-cli: old.dxf: ﾌｧｲﾙｴﾗｰ: "
            "ＡＳＣＩＩ形式のＤＸＦ図面ではないため読み込めません：old.dxf\n" +
                test::findings_line(test::kSampleFindings));
  EXPECT_EQ(r.out, kSampleOutputs);
  expect_sample_outputs(dir);
}

// Without its reference lists the run would write a list nobody asked for: it writes nothing.
TEST(CliFailures, AReferenceListThatCannotBeReadStopsTheRunBeforeAnyOutput) {
  CliFolder dir;
  dir.copy_samples();
  const std::vector<std::string> before = dir.files();

  test::ProcessResult r = dir.run(with_samples({"convert", "--base", "nothere.txt"}));
  EXPECT_EQ(r.status, 2);
  EXPECT_EQ(r.err, "korvane-cli: nothere.txt: ﾌｧｲﾙｴﾗｰ: 基部品Listファイルが開けません\n");
  EXPECT_EQ(r.out, "");

  // A folder is no list either; both problems are told.
  r = dir.run(with_samples({"convert", "--base", ".", "--words", "nowords.txt"}));
  EXPECT_EQ(r.status, 2);
  EXPECT_EQ(r.err,
            "korvane-cli: .: ﾌｧｲﾙｴﾗｰ: 基部品Listファイルが開けません\n"
            "korvane-cli: nowords.txt: ﾌｧｲﾙｴﾗｰ: 禁止文字ファイルが開けません\n");

  // An empty path in the settings counts as a file that cannot be read.
  std::string ini = dir.read("Korvane.ini");
  ini.replace(ini.find("kinsi_file1=prohibited_words.txt"), 32, "kinsi_file1=");
  dir.write("empty_words.ini", ini);
  r = dir.run(with_samples({"convert", "--ini", "empty_words.ini"}));
  EXPECT_EQ(r.status, 2);
  EXPECT_EQ(r.err,
            "korvane-cli: empty_words.ini (kinsi_file1 is empty): ﾌｧｲﾙｴﾗｰ: "
            "禁止文字ファイルが開けません\n");
  EXPECT_EQ(r.out, "");

  std::vector<std::string> expected = before;
  expected.push_back("empty_words.ini");
  std::sort(expected.begin(), expected.end());
  EXPECT_EQ(dir.files(), expected);
}

// A missing settings file gives the reset values, which hold no reference paths: the question is
// answered as a batch tool would, and the lists must then come from the options.
TEST(CliFailures, AMissingSettingsFileGivesTheResetValuesWithoutPaths) {
  CliFolder dir;
  dir.copy_samples();
  std::filesystem::remove(dir.path() / "Korvane.ini");
  const std::string question =
      "korvane-cli: Korvane.ini: 環境設定ファイル: ファイルが開きません。初期値で良いですか？ "
      "[answered yes]\n";

  test::ProcessResult r = dir.run(with_samples({"convert"}));
  EXPECT_EQ(r.status, 2);
  EXPECT_EQ(r.err, question +
                       "korvane-cli: Korvane.ini (part_file1 is empty): ﾌｧｲﾙｴﾗｰ: "
                       "基部品Listファイルが開けません\n"
                       "korvane-cli: Korvane.ini (kinsi_file1 is empty): ﾌｧｲﾙｴﾗｰ: "
                       "禁止文字ファイルが開けません\n");
  EXPECT_FALSE(dir.exists("main_circuit1.csv"));
  EXPECT_FALSE(dir.exists("Korvane.ini"));  // a batch run never writes the settings

  // The sample settings are the reset values, so with the lists given the output is the same.
  r = dir.run(
      with_samples({"convert", "--base", "base_parts.txt", "--words", "prohibited_words.txt"}));
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.err, question + test::findings_line(test::kSampleFindings));
  EXPECT_EQ(r.out, kSampleOutputs);
  expect_sample_outputs(dir);
}

TEST(CliFailures, ASelectionOutsideTheFivePairsLoadsNoLists) {
  CliFolder dir;
  dir.copy_samples();
  std::string ini = dir.read("Korvane.ini");
  ini.replace(ini.find("part_select=1"), 13, "part_select=0");
  dir.write("Korvane.ini", ini);
  const test::ProcessResult r = dir.run(with_samples({"convert"}));
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.err,
            "korvane-cli: Korvane.ini: part_select 0 picks no pair of reference files; the base "
            "parts list is empty\n"
            "korvane-cli: Korvane.ini: part_select 0 picks no pair of reference files; the "
            "prohibited words list is empty\n" +
                test::findings_line(66) +
                "korvane-cli: no parts recognised in the drawings; nothing written\n");
  EXPECT_FALSE(dir.exists("main_circuit1.csv"));
}

// An empty parts list writes nothing, even for three files; after a failed drawing it is still a
// failed run.
TEST(CliFailures, AnEmptyPartsListWritesNothing) {
  CliFolder dir;
  dir.copy_samples();
  dir.copy_data("no_parts.dxf");
  const std::vector<std::string> before = dir.files();
  test::ProcessResult r = dir.run({"convert", "no_parts.dxf"});
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.err, test::findings_line(1) +
                       "korvane-cli: no parts recognised in the drawings; nothing written\n");
  EXPECT_EQ(r.out, "");
  r = dir.run({"convert", "--one-file", "no_parts.dxf", "gone.dxf"});
  EXPECT_EQ(r.status, 2);
  EXPECT_EQ(r.err, "korvane-cli: gone.dxf: ﾌｧｲﾙｴﾗｰ: ＤＸＦ図面ファイルが開けません\n" +
                       test::findings_line(1) +
                       "korvane-cli: no parts recognised in the drawings; nothing written\n");
  EXPECT_EQ(dir.files(), before);
}

// A file that cannot be written is reported; the other files of a three-file output are still
// written, and stdout lists only those.
TEST(CliFailures, AnOutputThatCannotBeWrittenIsReportedAndTheOthersAreWritten) {
  CliFolder dir;
  dir.copy_samples();
  std::filesystem::create_directory(dir.path() / "main_circuit2.csv");
  test::ProcessResult r = dir.run(with_samples({"convert"}));
  EXPECT_EQ(r.status, 2);
  const std::string findings = test::findings_line(test::kSampleFindings);
  EXPECT_EQ(r.err,
            findings + "korvane-cli: main_circuit2.csv: ﾌｧｲﾙｴﾗｰ: テキストファイルが開けません\n");
  EXPECT_EQ(r.out, "main_circuit1.csv\nmain_circuit3.csv\n");
  EXPECT_EQ(dir.read("main_circuit1.csv"), cli_golden("samples_all1.csv"));
  EXPECT_EQ(dir.read("main_circuit3.csv"), cli_golden("samples_all3.csv"));

  const std::vector<std::string> before = dir.files();
  r = dir.run(with_samples({"convert", "--one-file", "--out", "no/such/folder/list.csv"}));
  EXPECT_EQ(r.status, 2);
  EXPECT_EQ(
      r.err,
      findings + "korvane-cli: no/such/folder/list.csv: ﾌｧｲﾙｴﾗｰ: テキストファイルが開けません\n");
  EXPECT_EQ(r.out, "");

  // "abc" cannot take "1.csv" in place of its last four bytes.
  r = dir.run(with_samples({"convert", "--out", "abc"}));
  EXPECT_EQ(r.status, 2);
  const std::string short_name =
      "korvane-cli: abc (too short to take the new ending): ﾌｧｲﾙｴﾗｰ: "
      "テキストファイルが開けません\n";
  EXPECT_EQ(r.err, findings + short_name + short_name + short_name);
  EXPECT_EQ(r.out, "");
  EXPECT_EQ(dir.files(), before);
}

// The writer's default name stands in for an empty one.
TEST(CliFailures, AnEmptyOutputNameGivesTheDefaultNames) {
  CliFolder dir;
  dir.copy_samples();
  const test::ProcessResult r = dir.run(with_samples({"convert", "--out", ""}));
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out, "default1.csv\ndefault2.csv\ndefault3.csv\n");
  EXPECT_EQ(dir.read("default3.csv"), cli_golden("samples_all3.csv"));
}

// A list over its capacity is a warning, not a failure.
TEST(CliFailures, AnOverlongBaseListWarnsAndTheRunGoesOn) {
  CliFolder dir;
  dir.copy_samples();
  std::string base = dir.read("base_parts.txt");
  for (int i = 0; i < 199; ++i) base += "spare,ZZ" + std::to_string(i) + ",,,0,,,,,,,,,\r\n";
  dir.write("big_base.txt", base);
  const test::ProcessResult r = dir.run(with_samples({"convert", "--base", "big_base.txt"}));
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(
      r.err,
      "korvane-cli: big_base.txt: 制限があります: 基部品Listファイルの部品が199個を超えたため、"
      "200個目以降は読み込みませんでした。\n" +
          test::findings_line(test::kSampleFindings));
  EXPECT_EQ(r.out, kSampleOutputs);
  expect_sample_outputs(dir);  // the 32 sample entries come first
}

// Merge and sort refuse a list over 5000 rows; the run says so, writes the rows as the earlier
// passes left them, and fails.
TEST(CliFailures, AListOverFiveThousandRowsIsWrittenUnmergedAndFails) {
  CliFolder dir;
  dir.copy_samples();
  std::string dxf = "0\nSECTION\n2\nENTITIES\n";
  for (int i = 1; i <= 5001; ++i) {
    dxf += "0\nTEXT\n10\n" + std::to_string(i * 10) + "\n20\n0\n1\nHTR" + std::to_string(i) + "\n";
  }
  dxf += "0\nENDSEC\n0\nEOF\n";
  dir.write("heaters.dxf", dxf);
  const test::ProcessResult r = dir.run({"convert", "--one-file", "heaters.dxf"});
  EXPECT_EQ(r.status, 2);
  const std::string refused = "korvane-cli: メモリオーバー: 総部品点数が5000個を超えてます。\n";
  // Each of the 5001 parts has no texts below it and was completed by its tag alone.
  EXPECT_EQ(r.err, refused + refused + test::findings_line(2 * 5001));
  EXPECT_EQ(r.out, "heaters.csv\n");
  const std::string list = dir.read("heaters.csv");
  EXPECT_EQ(std::count(list.begin(), list.end(), '\n'), 5001);
  EXPECT_EQ(list.substr(0, list.find("\r\n")),
            test::sjis("\"HTR1\",,\"スペースヒータ\",\"サクラ電設\",\"\",\"\",1,    "));
}

}  // namespace
}  // namespace korvane
