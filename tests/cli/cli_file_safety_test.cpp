// korvane-cli never writes over what it read, and tells a settings file that does not exist from
// one that cannot be read.
#include <gtest/gtest.h>

#include <filesystem>

#include "cli_test_support.h"

namespace korvane {
namespace {

using test::CliFolder;
using test::with_samples;

// Outputs named onto an input are refused before anything is written; the input keeps its bytes.
TEST(CliFileSafety, AnOutputThatIsAnInputIsRefusedAndNothingIsWritten) {
  struct Case {
    std::vector<std::string> args;
    std::string input;  // the file the output would have replaced
  };
  const std::vector<Case> cases = {
      // The drawing itself, through the ending rewrite.
      {{"convert", "--one-file", "--txt", "drawing.txt"}, "drawing.txt"},
      // A drawing named like the reference list: its output would be base_parts.txt.
      {{"convert", "--one-file", "--txt", "--out", "base_parts.dxf", "drawing.txt"},
       "base_parts.txt"},
      // One of three outputs is the settings file's other name (a hard link): none is written.
      {{"convert", "--out", "out.csv", "drawing.txt"}, "out2.csv"},
  };
  for (const Case& c : cases) {
    CliFolder dir;
    dir.copy_samples();
    dir.write("drawing.txt", dir.read("main_circuit.dxf"));
    std::filesystem::create_hard_link(dir.path() / "Korvane.ini", dir.path() / "out2.csv");
    const std::vector<std::string> before = dir.files();
    const std::string input_bytes = dir.read(c.input);
    const test::ProcessResult r = dir.run(c.args);
    EXPECT_EQ(r.status, 2) << c.input;
    EXPECT_NE(r.err.find("出力ファイルが読み込んだファイルと同じです。"), std::string::npos)
        << r.err;
    EXPECT_NE(r.err.find(c.input), std::string::npos) << r.err;
    EXPECT_EQ(r.out, "");
    EXPECT_EQ(dir.files(), before) << c.input;
    EXPECT_EQ(dir.read(c.input), input_bytes) << c.input;
  }
}

TEST(CliFileSafety, SettingsFileMustExistWhenNamedAndBeReadableWhenPresent) {
  CliFolder dir;
  dir.copy_samples();
  test::ProcessResult r = dir.run(with_samples({"convert", "--ini", "none.ini"}));
  EXPECT_EQ(r.status, 2);
  EXPECT_EQ(r.err, "korvane-cli: none.ini: settings file not found\n");
  EXPECT_EQ(r.out, "");

  // A folder where Korvane.ini should be cannot be read: the run stops and writes nothing.
  std::filesystem::remove(dir.path() / "Korvane.ini");
  std::filesystem::create_directory(dir.path() / "Korvane.ini");
  r = dir.run(with_samples({"convert"}));
  EXPECT_EQ(r.status, 2);
  EXPECT_NE(r.err.find("環境設定ファイル「Korvane.ini」が読めません。設定は保存されません。"),
            std::string::npos)
      << r.err;
  EXPECT_EQ(r.out, "");
  EXPECT_TRUE(std::filesystem::is_directory(dir.path() / "Korvane.ini"));
}

}  // namespace
}  // namespace korvane
