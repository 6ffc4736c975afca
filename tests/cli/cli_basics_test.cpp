#include <gtest/gtest.h>

#include <sstream>

#include "cli.h"

namespace korvane {
namespace {

int run(std::vector<std::string> args, std::string& out, std::string& err) {
  std::ostringstream o, e;
  const int status = cli::run(args, o, e);
  out = o.str();
  err = e.str();
  return status;
}

TEST(CliBasics, HelpAndVersionSucceedOnStdout) {
  std::string out, err;
  EXPECT_EQ(run({"--help"}, out, err), 0);
  // The usage is generated from the option table; it must read as the documented contract.
  EXPECT_NE(
      out.find("Usage:\n"
               "  korvane-cli convert [--ini FILE] [--base FILE] [--words FILE] [--out NAME]\n"
               "                      [--one-file | --three-files] [--csv | --txt | --xlsx]\n"
               "                      [--tag-list merged|sorted|ranges] [--encoding sjis|utf8]\n"
               "                      [--passes all|none|LIST] [--codepage auto|932] DRAWING...\n"
               "  korvane-cli check [--ini FILE] [--base FILE] [--words FILE]\n"
               "                    [--passes all|none|LIST] [--codepage auto|932]\n"
               "                    [--format text|json|csv] DRAWING...\n"
               "  korvane-cli preview [--ini FILE] [--base FILE] [--words FILE]\n"
               "                      [--passes all|none|LIST] [--codepage auto|932]\n"
               "                      [--out FILE.svg|-] DRAWING...\n"
               "  korvane-cli tune [--ini FILE] [--base FILE] [--words FILE]\n"
               "                   [--codepage auto|932] DRAWING...\n"
               "  korvane-cli texts [--raw] [--codepage auto|932] DRAWING...\n"
               "  korvane-cli compare [--ini FILE] [--base FILE] [--format text|json|csv]\n"
               "                      OLD NEW\n"
               "  korvane-cli --help | --version\n"),
      std::string::npos)
      << out;
  EXPECT_EQ(err, "");
  EXPECT_EQ(run({"--version"}, out, err), 0);
  EXPECT_EQ(out, "korvane-cli " KORVANE_VERSION "\n");
}

}  // namespace
}  // namespace korvane
