// korvane-cli's command line: usage errors stop before any file is touched.
#include <gtest/gtest.h>

#include "cli_test_support.h"

namespace korvane {
namespace {

using test::CliFolder;

struct UsageCase {
  std::vector<std::string> args;
  std::string err;
};

TEST(CliUsage, BadUsageGivesOneLinePerProblemExitTwoAndTouchesNothing) {
  const std::vector<UsageCase> cases = {
      {{}, "korvane-cli: no command given (see korvane-cli --help)\n"},
      {{"export", "a.dxf"}, "korvane-cli: unknown command 'export' (see korvane-cli --help)\n"},
      {{"--csv", "convert", "a.dxf"},
       "korvane-cli: no command given before '--csv' (see korvane-cli --help)\n"},
      {{"convert"}, "korvane-cli: convert needs at least one DRAWING\n"},
      {{"texts", "--raw"}, "korvane-cli: texts needs at least one DRAWING\n"},
      {{"convert", "--one-file", "a.dxf", "--three-files"},
       "korvane-cli: --one-file and --three-files cannot be used together\n"},
      {{"convert", "--txt", "--csv", "a.dxf", "--txt"},
       "korvane-cli: --txt and --csv cannot be used together\n"},
      {{"convert", "--xlsx", "--csv", "a.dxf"},
       "korvane-cli: --xlsx and --csv cannot be used together\n"},
      {{"convert", "--txt", "a.dxf", "--xlsx"},
       "korvane-cli: --txt and --xlsx cannot be used together\n"},
      {{"convert", "--three-files", "--xlsx", "a.dxf"},
       "korvane-cli: --xlsx and --three-files cannot be used together\n"},
      {{"convert", "--tag-list", "numeric", "a.dxf"},
       "korvane-cli: --tag-list 'numeric': give merged, sorted or ranges\n"},
      {{"convert", "--encoding=utf-8", "a.dxf"},
       "korvane-cli: --encoding 'utf-8': give sjis or utf8\n"},
      {{"convert", "--passes", "dedupe,,sort", "a.dxf"},
       "korvane-cli: --passes 'dedupe,,sort': give all, none, or a comma list of dedupe, "
       "complete, merge, sort (no empty items)\n"},
      {{"convert", "--passes=", "a.dxf"},
       "korvane-cli: --passes '': give all, none, or a comma list of dedupe, complete, merge, "
       "sort (no empty items)\n"},
      {{"convert", "--passes", "merge,shuffle", "a.dxf"},
       "korvane-cli: --passes 'merge,shuffle': give all, none, or a comma list of dedupe, "
       "complete, merge, sort (no empty items)\n"},
      {{"convert", "--passes", "sort,", "a.dxf"},
       "korvane-cli: --passes 'sort,': give all, none, or a comma list of dedupe, complete, "
       "merge, sort (no empty items)\n"},
      {{"convert", "--raw", "a.dxf"}, "korvane-cli: --raw does not apply to convert\n"},
      {{"texts", "--codepage", "1252", "a.dxf"},
       "korvane-cli: --codepage '1252': give auto or 932\n"},
      {{"texts", "--ini", "Korvane.ini", "a.dxf"}, "korvane-cli: --ini does not apply to texts\n"},
      {{"tune", "--ini", "Korvane.ini"}, "korvane-cli: tune needs at least one DRAWING\n"},
      {{"tune", "--passes", "none", "--format", "json", "a.dxf"},
       "korvane-cli: --passes does not apply to tune\nkorvane-cli: --format does not apply to "
       "tune\n"},
      {{"convert", "a.dxf", "--out"}, "korvane-cli: --out needs a value (NAME)\n"},
      {{"convert", "--csv=yes", "a.dxf"}, "korvane-cli: --csv takes no value\n"},
      {{"convert", "--frobnicate", "-x", "a.dxf"},
       "korvane-cli: unknown option '--frobnicate'\nkorvane-cli: unknown option '-x'\n"},
      {{"convert", "--one-file", "--three-files", "--passes", "all,sort"},
       "korvane-cli: --one-file and --three-files cannot be used together\n"
       "korvane-cli: --passes 'all,sort': give all, none, or a comma list of dedupe, complete, "
       "merge, sort (no empty items)\n"
       "korvane-cli: convert needs at least one DRAWING\n"},
  };
  CliFolder dir;
  dir.copy_samples();
  const std::vector<std::string> before = dir.files();
  for (const UsageCase& c : cases) {
    std::string shown;
    for (const std::string& a : c.args) shown += " [" + a + "]";
    const test::ProcessResult r = dir.run(c.args);
    EXPECT_EQ(r.status, 2) << shown;
    EXPECT_EQ(r.err, c.err) << shown;
    EXPECT_EQ(r.out, "") << shown;
  }
  EXPECT_EQ(dir.files(), before);
}

TEST(CliUsage, HelpAndVersionWinWhereverTheyStand) {
  CliFolder dir;
  for (const auto& args : std::vector<std::vector<std::string>>{
           {"--help"}, {"-h"}, {"convert", "--bogus", "--help"}, {"texts", "a.dxf", "-h"}}) {
    const test::ProcessResult r = dir.run(args);
    EXPECT_EQ(r.status, 0) << args.back();
    EXPECT_EQ(r.err, "");
    EXPECT_EQ(r.out.rfind("korvane-cli " KORVANE_VERSION " - ", 0), 0u) << r.out;
    EXPECT_NE(r.out.find("  korvane-cli texts [--raw] [--codepage auto|932] DRAWING...\n"),
              std::string::npos);
  }
  const test::ProcessResult v = dir.run({"convert", "a.dxf", "--version"});
  EXPECT_EQ(v.status, 0);
  EXPECT_EQ(v.out, "korvane-cli " KORVANE_VERSION "\n");
  // After "--" they are file names.
  const test::ProcessResult named = dir.run({"texts", "--", "--help"});
  EXPECT_EQ(named.status, 2);
  EXPECT_EQ(named.out, "");
  EXPECT_EQ(named.err, "korvane-cli: --help: ﾌｧｲﾙｴﾗｰ: ＤＸＦ図面ファイルが開けません\n");
}

// Options may stand between and after the drawings, in both spellings, and "--" lets a drawing
// name begin with a dash.
TEST(CliUsage, OptionsMayStandAnywhere) {
  CliFolder dir;
  dir.copy_samples();
  std::filesystem::rename(dir.path() / "control_circuit.dxf", dir.path() / "-control.dxf");
  const test::ProcessResult r =
      dir.run({"convert", "main_circuit.dxf", "--passes=none", "operation_board.dxf",
               "--out=mixed.csv", "--one-file", "--", "-control.dxf"});
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out, "mixed.csv\n");
  // The drawings are read in the order given: main (24 rows), board (13), control (26).
  std::vector<std::string> lines;
  const std::string none = test::cli_golden("samples_none.csv");
  for (std::size_t at = 0, end; (end = none.find("\r\n", at)) != std::string::npos; at = end + 2) {
    lines.push_back(none.substr(at, end - at + 2));
  }
  ASSERT_EQ(lines.size(), 63u);
  std::string expected;
  auto take = [&](std::size_t from, std::size_t count) {
    for (std::size_t k = from; k < from + count; ++k) expected += lines[k];
  };
  take(0, 24);
  take(50, 13);
  take(24, 26);
  EXPECT_EQ(dir.read("mixed.csv"), expected);
}

}  // namespace
}  // namespace korvane
