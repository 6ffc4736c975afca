// korvane-cli tune: the window proposed for the samples and for a generated schematic, and the
// runs that have nothing to tune on.
#include <gtest/gtest.h>

#include <charconv>
#include <optional>

#include "cli_test_support.h"
#include "dxf/window_tuning.h"
#include "schematic.h"
#include "settings/settings.h"

namespace korvane {
namespace {

using test::cli_golden;
using test::CliFolder;

struct Window {
  int pt_x = 0;
  int pt_y = 0;
};

// The values of a first line that is exactly "pt_x=N pt_y=M".
std::optional<Window> first_line(const std::string& out) {
  const std::string line = out.substr(0, out.find('\n'));
  Window w;
  const char* p = line.data();
  const char* end = p + line.size();
  if (!line.starts_with("pt_x=")) return std::nullopt;
  auto r = std::from_chars(p + 5, end, w.pt_x);
  if (r.ec != std::errc{} || std::string_view(r.ptr, end).substr(0, 6) != " pt_y=") {
    return std::nullopt;
  }
  r = std::from_chars(r.ptr + 6, end, w.pt_y);
  if (r.ec != std::errc{} || r.ptr != end) return std::nullopt;
  return w;
}

std::string ini_with_window(const std::string& ini, Window w) {
  Settings s;
  parse_settings(s, ini);
  s.pt_x = w.pt_x;
  s.pt_y = w.pt_y;
  return format_settings(s);
}

// The samples are drawn at a pitch of 4 with nothing else within their Korvane.ini's window
// (pt_x 5, pt_y 60): the much smaller window proposed gives the same parts list, for the three
// read together and for each alone. tune_samples.txt: the batch's proposal and its reasons.
TEST(CliTune, TheSamplesGiveTheSamePartsListWithTheirProposal) {
  CliFolder dir;
  dir.copy_samples();
  std::vector<std::vector<std::string>> sets = {test::kSampleDrawings};
  for (const std::string& drawing : test::kSampleDrawings) sets.push_back({drawing});
  for (const std::vector<std::string>& drawings : sets) {
    SCOPED_TRACE(drawings.front() + (drawings.size() > 1 ? " and the others" : ""));
    std::vector<std::string> args = {"tune"};
    args.insert(args.end(), drawings.begin(), drawings.end());
    const std::vector<std::string> before = dir.files();
    const test::ProcessResult tuned = dir.run(args);
    EXPECT_EQ(tuned.status, 0) << tuned.err;
    EXPECT_EQ(tuned.err, "");
    if (drawings.size() > 1) {
      EXPECT_EQ(tuned.out, cli_golden("tune_samples.txt"));
    }
    const std::optional<Window> w = first_line(tuned.out);
    ASSERT_TRUE(w) << tuned.out;
    EXPECT_EQ(dir.files(), before);  // tune writes nothing

    dir.write("tuned.ini", ini_with_window(dir.read("Korvane.ini"), *w));
    for (const char* name : {"Korvane", "tuned"}) {
      args = {"convert",    "--ini", std::string(name) + ".ini",
              "--one-file", "--out", std::string(name) + ".csv"};
      args.insert(args.end(), drawings.begin(), drawings.end());
      const test::ProcessResult r = dir.run(args);
      EXPECT_EQ(r.status, 0) << r.err;
    }
    EXPECT_EQ(dir.read("tuned.csv"), dir.read("Korvane.csv"));
    EXPECT_FALSE(dir.read("tuned.csv").empty());
  }
}

// A schematic at a pitch of 3.5, where the defaults merge the labels of stacked symbols: the
// first line is the core's proposal, the figures follow.
TEST(CliTune, AGeneratedSchematicGetsTheCoresProposalAndItsReasons) {
  test::SchematicLayout layout;
  layout.pitch = 3.5;
  layout.row_lines = 6;
  layout.jitter_x = 0.1;
  const test::Schematic s = test::make_schematic(layout);
  Settings settings;
  reset_settings_values(settings);
  const WindowProposal p = propose_recognition_window(s.texts, test::schematic_base_parts(),
                                                      test::schematic_words(), settings);
  ASSERT_EQ(p.outcome, TuningOutcome::Proposed);

  CliFolder dir;
  settings.part_select = 1;
  settings.part_file[0] = "base.txt";
  settings.kinsi_file[0] = "words.txt";
  dir.write("Korvane.ini", format_settings(settings));
  dir.write("base.txt", test::schematic_base_parts_file());
  dir.write("words.txt", "TB\r\nNOTE\r\n");
  dir.write("panel.dxf", test::schematic_dxf(s.texts));
  const test::ProcessResult r = dir.run({"tune", "panel.dxf"});
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.err, "");
  const std::string want_first =
      "pt_x=" + std::to_string(p.proposed.pt_x) + " pt_y=" + std::to_string(p.proposed.pt_y) + "\n";
  EXPECT_EQ(r.out.substr(0, want_first.size()), want_first);
  EXPECT_NE(r.out.find("\npitch found: lines 3.5 apart, the first 3.5 below its tag"),
            std::string::npos)
      << r.out;
  EXPECT_NE(r.out.find("\ncurrent  pt_x=5 pt_y=60: " + std::to_string(p.current.fields) +
                       " fields taken, " + std::to_string(p.current.shared) +
                       " texts claimed by two anchors, "),
            std::string::npos)
      << r.out;
}

TEST(CliTune, NoAnchorExitsTwoAndSaysSo) {
  CliFolder dir;
  dir.copy_samples();
  dir.write("plain.dxf", test::schematic_dxf({{0, 0, "AC200V"}, {0, -4, "KX-1"}}));
  test::ProcessResult r = dir.run({"tune", "plain.dxf"});
  EXPECT_EQ(r.status, 2);
  EXPECT_EQ(r.out, "");
  EXPECT_EQ(r.err,
            "korvane-cli: no anchor to tune on: no text of the drawings begins with a tag number "
            "of the base parts list (without a type or a prohibited word)\n");

  // Anchors with nothing below them: the current values stay.
  dir.write("tags.dxf", test::schematic_dxf({{0, 0, "MC1"}, {100, 0, "MC2"}}));
  r = dir.run({"tune", "tags.dxf"});
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out,
            "pt_x=5 pt_y=60\n"
            "no texts stand below the 2 anchors at a recurring pitch: the current values stay\n"
            "current pt_x=5 pt_y=60: 0 fields taken, 0 texts claimed by two anchors, 0 groups "
            "cut by another anchor, 2 anchors with nothing\n");
}

// A drawing that cannot be read is told and makes the exit status 2; the others are tuned on.
TEST(CliTune, AnUnreadableDrawingIsToldAndTheOthersAreTunedOn) {
  CliFolder dir;
  dir.copy_samples();
  const test::ProcessResult r = dir.run({"tune", "gone.dxf", "main_circuit.dxf"});
  EXPECT_EQ(r.status, 2);
  EXPECT_EQ(r.err, "korvane-cli: gone.dxf: ﾌｧｲﾙｴﾗｰ: ＤＸＦ図面ファイルが開けません\n");
  EXPECT_TRUE(first_line(r.out)) << r.out;
}

}  // namespace
}  // namespace korvane
