// korvane-cli check: the recognition report of one drawing that holds every kind of finding, in
// each format.
#include <gtest/gtest.h>

#include "cli_test_support.h"

namespace korvane {
namespace {

using test::cli_golden;
using test::CliFolder;

// report.dxf with its own lists (report_base.txt: MC with type MC-9, CR with type prefix KR-, PL
// without type or maker; report_words.txt: MCC) and the sample settings: L1 is of no family,
// MC-9A is a type, MCC盤 prohibited, MC1 has no texts below, MC2 twelve, CR3 comes twice with
// different specifications, CR1 and PL1 are completed by their tags (PL1 left without a maker),
// and the merge joins MC2 into MC1 and CR6 into CR3, losing their longer specifications.
TEST(CliCheck, EachFormatReportsEveryKindAndWritesNothing) {
  CliFolder dir;
  dir.copy_samples();
  for (const char* name : {"report.dxf", "report_base.txt", "report_words.txt"}) {
    dir.copy_data(name);
  }
  const std::vector<std::string> before = dir.files();
  const std::vector<std::string> lists = {"check", "--base", "report_base.txt", "--words",
                                          "report_words.txt"};
  struct Format {
    std::vector<std::string> option;
    const char* golden;
  };
  for (const Format& format :
       {Format{{}, "report_check.txt"}, Format{{"--format", "text"}, "report_check.txt"},
        Format{{"--format", "json"}, "report_check.json"},
        Format{{"--format=csv"}, "report_check.csv"}}) {
    std::vector<std::string> args = lists;
    args.insert(args.end(), format.option.begin(), format.option.end());
    args.emplace_back("report.dxf");
    const test::ProcessResult r = dir.run(args);
    EXPECT_EQ(r.status, 0) << format.golden << "\n" << r.err;
    EXPECT_EQ(r.err, "");
    EXPECT_EQ(r.out, cli_golden(format.golden));
  }
  const std::string text = cli_golden("report_check.txt");
  for (const char* kind :
       {": unknown-family: ", ": type-match: ", ": prohibited: ", ": no-fields: ", ": full-group: ",
        ": duplicate-tag: ", ": tag-only: ", ": incomplete: ", ": merge-absorbed: "}) {
    EXPECT_NE(text.find(kind), std::string::npos) << kind;
  }
  EXPECT_TRUE(
      cli_golden("report_check.csv").starts_with("\xEF\xBB\xBF種類,図面,文字,X,Y,内容\r\n"));

  // A drawing that cannot be read is an input problem; the others are still reported. convert
  // counts the same findings.
  test::ProcessResult r = dir.run({"check", "--base", "report_base.txt", "--words",
                                   "report_words.txt", "gone.dxf", "report.dxf"});
  EXPECT_EQ(r.status, 2);
  EXPECT_EQ(r.err, "korvane-cli: gone.dxf: ﾌｧｲﾙｴﾗｰ: ＤＸＦ図面ファイルが開けません\n");
  EXPECT_NE(r.out.find("2 drawings, 34 texts, 8 anchors, 4 rows, 14 findings\n"),
            std::string::npos);
  EXPECT_EQ(dir.files(), before);

  r = dir.run({"check", "--format", "xml", "report.dxf"});
  EXPECT_EQ(r.status, 2);
  EXPECT_EQ(r.err, "korvane-cli: --format 'xml': give text, json or csv\n");

  r = dir.run({"convert", "--base", "report_base.txt", "--words", "report_words.txt", "--one-file",
               "report.dxf"});
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.err, test::findings_line(14));
}

}  // namespace
}  // namespace korvane
