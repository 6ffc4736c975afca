// korvane-cli on small purpose-made drawings: field escaping, Japanese file names, the texts
// command.
#include <gtest/gtest.h>

#include "cli_test_support.h"

namespace korvane {
namespace {

using test::cli_golden;
using test::CliFolder;

// escaping.dxf: CR1 with the specification "AC100V, 2c" and the type `KR-2N "S"`, PB1 with the
// specification `緑 "運転"`; a base list whose CR accessory type holds quotes; "TITLE 1" would be
// a T part but is a prohibited word. escaping.ini gives the drawing number "KV-1,2" as a fixed
// text and asks for one CSV file. Quoted columns double their quotes; the drawing number column,
// bare by default, is quoted because of its comma; the accessory row has no drawing number.
TEST(CliSmallDrawings, TextsWithCommasAndQuotesAreEscaped) {
  CliFolder dir;
  for (const char* name :
       {"escaping.dxf", "escaping.ini", "escaping_base.txt", "escaping_words.txt"}) {
    dir.copy_data(name);
  }
  const test::ProcessResult r = dir.run({"convert", "--ini", "escaping.ini", "escaping.dxf"});
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.err, test::findings_line(1));  // the prohibited "TITLE 1"
  EXPECT_EQ(r.out, "escaping.csv\n");
  EXPECT_EQ(dir.read("escaping.csv"), cli_golden("escaping.csv"));
}

// Japanese names travel from the command line to the file system and back to stdout: on Windows
// through the wide command line and code page 932, elsewhere as the file system's bytes.
TEST(CliSmallDrawings, JapaneseFileNames) {
  CliFolder dir;
  for (const char* name : {"escaping.ini", "escaping_base.txt", "escaping_words.txt"}) {
    dir.copy_data(name);
  }
  std::error_code ec;
  std::filesystem::copy_file(dir.path() / "escaping.ini",
                             dir.path() / test::utf8_path("制御盤.dxf"), ec);
  if (ec) {
    // Wine with a Unix locale that is not installed stores no such name.
    GTEST_SKIP() << "this system cannot hold a Japanese file name: " << ec.message();
  }
  std::filesystem::remove(dir.path() / test::utf8_path("制御盤.dxf"));
  dir.copy_data("escaping.dxf", "制御盤.dxf");
  test::ProcessResult r =
      dir.run({"convert", "--ini", "escaping.ini", "制御盤.dxf", "図面なし.dxf"});
  EXPECT_EQ(r.status, 2);
  EXPECT_EQ(r.err, "korvane-cli: 図面なし.dxf: ﾌｧｲﾙｴﾗｰ: ＤＸＦ図面ファイルが開けません\n" +
                       test::findings_line(1));
  EXPECT_EQ(r.out, "制御盤.csv\n");
  EXPECT_EQ(dir.read("制御盤.csv"), cli_golden("escaping.csv"));

  r = dir.run({"convert", "--ini", "escaping.ini", "--three-files", "--txt", "--out", "部品表.txt",
               "制御盤.dxf"});
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out, "部品表1.txt\n部品表2.txt\n部品表3.txt\n");
  EXPECT_EQ(dir.read("部品表2.txt"), "");
  EXPECT_EQ(dir.read("部品表1.txt") + dir.read("部品表3.txt"), cli_golden("escaping.csv"));
}

// x and y as "%.17g" (0.1 shows its binary value, -0 keeps its sign), the text in UTF-8 or, with
// --raw, as the drawing's Shift-JIS bytes; a drawing that cannot be read is told and the others
// are still printed.
TEST(CliSmallDrawings, TextsPrintsTheTextTable) {
  CliFolder dir;
  dir.copy_data("texts.dxf");
  test::ProcessResult r = dir.run({"texts", "texts.dxf"});
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out, cli_golden("texts_utf8.txt"));
  EXPECT_EQ(r.out.substr(0, r.out.find('\n')), "0.10000000000000001\t-2.5\tMC1");

  r = dir.run({"texts", "--raw", "lost.dxf", "texts.dxf"});
  EXPECT_EQ(r.status, 2);
  EXPECT_EQ(r.err, "korvane-cli: lost.dxf: ﾌｧｲﾙｴﾗｰ: ＤＸＦ図面ファイルが開けません\n");
  EXPECT_EQ(r.out, cli_golden("texts_raw.txt"));
  EXPECT_NE(r.out.find(test::sjis("電磁接触器")), std::string::npos);
  EXPECT_EQ(dir.files(), std::vector<std::string>{"texts.dxf"});
}

// An older drawing's texts are read in the code page its header names; --codepage 932 takes its
// bytes as Shift-JIS whatever the header says.
TEST(CliSmallDrawings, TextsReadsTheHeaderCodePageUnless932IsGiven) {
  CliFolder dir;
  dir.write("r14.dxf",
            test::read_file(std::string(KORVANE_TEST_DATA) + "/dxf/r14_ansi_1252_texts.dxf"));
  const std::string read = "10\t95\t" + test::sjis("±5% 30°C") + "\n";
  const std::string kept =
      "10\t95\t\xB1"
      "5% 30\xB0"
      "C\n";
  for (const auto& [args, line] : std::vector<std::pair<std::vector<std::string>, std::string>>{
           {{"texts", "--raw", "r14.dxf"}, read},
           {{"texts", "--raw", "--codepage=auto", "r14.dxf"}, read},
           {{"texts", "--codepage", "932", "--raw", "r14.dxf"}, kept}}) {
    const test::ProcessResult r = dir.run(args);
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_NE(r.out.find(line), std::string::npos) << args[2];
  }
}

}  // namespace
}  // namespace korvane
