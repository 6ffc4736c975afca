// korvane-cli compare: the formats, the exit statuses, and files that are no parts lists.
#include <gtest/gtest.h>

#include "cli_test_support.h"

namespace korvane {
namespace {

using test::CliFolder;

// The old list in Shift-JIS as the merge writes it, the new one in UTF-8 with a byte-order mark
// and tag ranges; the base parts list has the nested families T, TR and THR.
class CliCompare : public ::testing::Test {
 protected:
  CliCompare() {
    dir.copy_samples();  // a Korvane.ini, so that no question about defaults is asked
    dir.copy_data("compare_base.txt");
    dir.copy_data("compare_old.csv");
    dir.copy_data("compare_new.txt");
  }
  test::ProcessResult compare(std::vector<std::string> args) const {
    args.insert(args.begin(), {"compare", "--base", "compare_base.txt"});
    return dir.run(args);
  }
  CliFolder dir;
};

struct FormatCase {
  std::vector<std::string> options;
  std::string golden;
};

TEST_F(CliCompare, EachFormatListsTheDifferencesAndExitsThree) {
  const std::vector<FormatCase> cases = {
      {{}, "compare_expected.txt"},
      {{"--format", "text"}, "compare_expected.txt"},
      {{"--format=json"}, "compare_expected.json"},
      {{"--format", "csv"}, "compare_expected.csv"},
  };
  const std::vector<std::string> before = dir.files();
  for (const FormatCase& c : cases) {
    std::vector<std::string> args = c.options;
    args.insert(args.end(), {"compare_old.csv", "compare_new.txt"});
    const test::ProcessResult r = compare(args);
    EXPECT_EQ(r.status, 3) << c.golden;
    EXPECT_EQ(r.out, test::cli_golden(c.golden)) << c.golden;
    EXPECT_EQ(r.err, "") << c.golden;
  }
  EXPECT_EQ(dir.files(), before);  // nothing written
}

TEST_F(CliCompare, TheSameListsInEitherEncodingExitZero) {
  // The new list converted to Shift-JIS without its byte-order mark.
  dir.write("new_sjis.csv", test::sjis(dir.read("compare_new.txt").substr(3)));
  const test::ProcessResult r = compare({"compare_new.txt", "new_sjis.csv"});
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out, "0 added, 0 removed, 0 changed, 7 unchanged\n");
  const test::ProcessResult json =
      compare({"--format", "json", "compare_old.csv", "compare_old.csv"});
  EXPECT_EQ(json.status, 0);
  EXPECT_EQ(json.out,
            "{\n  \"added\": [],\n  \"removed\": [],\n  \"changed\": [],\n  \"unchanged\": 7\n}\n");
}

struct BadCase {
  std::vector<std::string> args;
  std::string err;
};

TEST_F(CliCompare, BadInputExitsTwoWithAMessageNamingTheFileAndLine) {
  const std::vector<BadCase> cases = {
      {{"compare_old.csv", "Korvane.ini"},
       "korvane-cli: Korvane.ini: ﾌｧｲﾙｴﾗｰ: "
       "部品表ファイルとして読めません（1行目：項目が1個あります。"
       "部品表の行は8個です）\n"},
      {{"compare_old.csv", "gone.csv"},
       "korvane-cli: gone.csv: ﾌｧｲﾙｴﾗｰ: 部品表ファイルが開けません\n"},
      {{"--base", "no_base.txt", "compare_old.csv", "compare_new.txt"},
       "korvane-cli: no_base.txt: ﾌｧｲﾙｴﾗｰ: 基部品Listファイルが開けません\n"},
      {{"compare_old.csv"}, "korvane-cli: compare needs two parts lists, OLD and NEW\n"},
      {{"--format", "xml", "a", "b"}, "korvane-cli: --format 'xml': give text, json or csv\n"},
  };
  for (const BadCase& c : cases) {
    std::vector<std::string> args = {"compare"};
    args.insert(args.end(), c.args.begin(), c.args.end());
    const test::ProcessResult r = dir.run(args);
    EXPECT_EQ(r.status, 2) << c.args.back();
    EXPECT_EQ(r.out, "") << c.args.back();
    EXPECT_EQ(r.err, c.err) << c.args.back();
  }
}

}  // namespace
}  // namespace korvane
