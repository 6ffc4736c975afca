// samples/main_circuit_utf8.dxf is samples/main_circuit.dxf saved by a current CAD program (UTF-8
// text, some characters as \U+ escapes): the whole job must give the same parts lists, byte for
// byte.
#include <gtest/gtest.h>

#include <filesystem>

#include "convert/passes.h"
#include "dxf/dxf_reader.h"
#include "dxf/recognition.h"
#include "io/file_io.h"
#include "output/parts_list_writer.h"
#include "reference/base_parts_file.h"
#include "reference/prohibited_words_file.h"
#include "test_support.h"
#include "workspace.h"

namespace korvane {
namespace {

namespace fs = std::filesystem;

const fs::path kSamples = fs::path(KORVANE_SOURCE_DIR) / "samples";

struct JobResult {
  TextTable texts;
  std::size_t recognised = 0;
  std::vector<std::string> files;  // the bytes of each file written, in order
};

// Reads one drawing with the sample settings and reference lists, recognises, runs all passes
// and writes as the settings say, and the whole list as one file, into `folder`.
JobResult run_job(const std::string& drawing, const fs::path& folder) {
  Workspace ws;
  test::RecordingNotifier notifier;
  std::string ini;
  EXPECT_TRUE(io::read_whole_file((kSamples / "Korvane.ini").string(), ini));
  parse_settings(ws.settings, ini);
  EXPECT_TRUE(load_base_parts(ws.base_parts, (kSamples / "base_parts.txt").string(), notifier));
  EXPECT_TRUE(load_prohibited_words(ws.prohibited_words,
                                    (kSamples / "prohibited_words.txt").string(), notifier));
  EXPECT_TRUE(read_dxf_file((kSamples / drawing).string(), ws.texts, notifier));

  JobResult result;
  result.texts = ws.texts;
  recognise_parts(ws);
  result.recognised = static_cast<std::size_t>(ws.parts.row_count());
  std::vector<Pass> all;
  EXPECT_TRUE(parse_pass_list("all", all));
  EXPECT_TRUE(run_passes(ws, notifier, all));

  // Both drawings' lists get the same name, each in its own folder.
  ws.current_file_name = (folder / "main_circuit.dxf").string();
  std::vector<std::string> paths;
  if (ws.settings.file_save_mode == 0) {
    paths = write_three_files(ws, notifier, OutputNaming::Current);
  } else if (auto path = write_parts_list(ws, notifier, {Selection::All, OutputNaming::Current})) {
    paths.push_back(*path);
  }
  ws.current_file_name = (folder / "whole_list.dxf").string();
  if (auto path = write_parts_list(ws, notifier, {Selection::All, OutputNaming::Current})) {
    paths.push_back(*path);
  }
  for (const std::string& path : paths) {
    EXPECT_EQ(fs::path(path).parent_path(), folder);
    result.files.push_back(test::read_file(path));
  }
  EXPECT_EQ(notifier.said(), std::vector<std::string>{});
  return result;
}

TEST(SampleTwins, TheUtf8DrawingGivesTheSamePartsListsAsItsShiftJisTwin) {
  // The twin really is a UTF-8 drawing with escapes, not a copy.
  const std::string twin = test::read_file(kSamples / "main_circuit_utf8.dxf");
  EXPECT_NE(twin.find("AC1024"), std::string::npos);
  EXPECT_NE(twin.find("\\U+"), std::string::npos);
  EXPECT_NE(twin.find("ポンプ"), std::string::npos);
  EXPECT_NE(twin, test::read_file(kSamples / "main_circuit.dxf"));

  test::TempDir dir;
  fs::create_directories(dir.path() / "sjis");
  fs::create_directories(dir.path() / "utf8");
  const JobResult sjis = run_job("main_circuit.dxf", dir.path() / "sjis");
  const JobResult utf8 = run_job("main_circuit_utf8.dxf", dir.path() / "utf8");

  EXPECT_EQ(utf8.texts, sjis.texts);
  EXPECT_EQ(sjis.recognised, 24u);
  EXPECT_EQ(utf8.recognised, sjis.recognised);
  ASSERT_EQ(sjis.files.size(), 4u);  // supplied, not purchased, purchased, all
  EXPECT_EQ(utf8.files, sjis.files);
  // IM1's type and TS1's specification came as escapes: they reach the list.
  EXPECT_NE(sjis.files[3].find(test::sjis("給水ポンプ No.1")), std::string::npos);
  EXPECT_NE(sjis.files[3].find(test::sjis("0-40℃")), std::string::npos);
}

}  // namespace
}  // namespace korvane
