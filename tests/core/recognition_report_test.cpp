#include "report/recognition_report.h"

#include <gtest/gtest.h>

#include <random>

#include "convert/passes.h"
#include "report/report_csv.h"
#include "test_support.h"
#include "workspace.h"

namespace korvane {
namespace {

using test::sjis;
using test::utf8;

BasePartEntry entry(std::string_view part_name, std::string tag, std::string type,
                    std::string_view maker) {
  BasePartEntry e;
  e.part_name = sjis(part_name);
  e.tag = std::move(tag);
  e.type = std::move(type);
  e.maker = sjis(maker);
  return e;
}

// The sample-like lists: MC with a type, CR with a type prefix, PL without a maker.
Workspace report_workspace(std::vector<TextRecord> texts) {
  Workspace ws;
  reset_settings_values(ws.settings);  // spec = 2nd text, type = 3rd; window x ±5, y 60 below
  ws.base_parts.entries = {entry("電磁接触器", "MC", "MC-9", "コルベ"),
                           entry("補助継電器", "CR", "KR-", "ミナト"),
                           entry("表示灯", "PL", "", "")};
  ws.prohibited_words.words = {"MCC", "MC-9X"};
  for (TextRecord& t : texts) t.text = sjis(t.text);
  ws.texts = std::move(texts);
  return ws;
}

// What the pipeline does for a read of one drawing and the passes after it.
RecognitionReport report_of(Workspace& ws, const std::vector<Pass>& passes) {
  ReportTrail trail;
  recognise_parts(ws, nullptr, &trail.groups);
  note_recognition(trail, ws, {{"a.dxf", 0, ws.texts.size(), 0}});
  test::RecordingNotifier notifier;
  run_passes(ws, notifier, passes, &trail.passes);
  RecognitionReport report = make_recognition_report(ws, trail);
  // korvane-cli convert counts the findings without making them; the count is the report's.
  EXPECT_EQ(count_findings(ws, trail), report.findings.size());
  return report;
}

struct Expected {
  std::string text;
  double x;
  double y;
  std::string detail;
  std::string row_tag;  // the tag of the row the finding is tied to now; empty for none

  bool operator==(const Expected&) const = default;
};

std::ostream& operator<<(std::ostream& out, const Expected& e) {
  return out << e.text << " (" << e.x << ", " << e.y << ") " << e.detail << " [" << e.row_tag
             << "]";
}

struct KindCase {
  const char* name;
  FindingKind kind;
  std::vector<TextRecord> texts;
  std::vector<Pass> passes;
  std::vector<Expected> expected;  // the findings of `kind`, in drawing order
};

TEST(RecognitionReport, EachKindIsFoundWhereItsRuleSays) {
  const std::string kSpecDiffers =
      "削除した（残した行と「スペック」が違い、この行の値は出力されない）";
  const std::vector<KindCase> cases = {
      {"tag-like texts of no family, not in a group",
       FindingKind::UnknownFamily,
       {{0, 0, "L1"},
        {50, 0, "ABCD1234"},
        {60, 0, "ABCDE1"},  // five capitals
        {70, 0, "L12345"},  // five digits
        {80, 0, "l1"},
        {90, 0, "L1-2"},
        {100, 0, "XY"},
        {200, 100, "MC1"},
        {200, 90, "X9"},  // in MC1's group
        {300, 90, "X8"}},
       {},
       {{"L1", 0, 0, "基部品ListにこのタグNo.で始まる部品がない", ""},
        {"ABCD1234", 50, 0, "基部品ListにこのタグNo.で始まる部品がない", ""},
        {"X8", 300, 90, "基部品ListにこのタグNo.で始まる部品がない", ""}}},
      {"a tag number that is also a type, a prohibited word or not",
       FindingKind::TypeMatch,
       {{0, 0, "MC-9A"}, {10, 0, "MC-9X1"}, {20, 0, "MCC1"}},
       {},
       {{"MC-9A", 0, 0, "基部品List「MC」の型式「MC-9」と一致する", ""},
        {"MC-9X1", 10, 0, "基部品List「MC」の型式「MC-9」と一致する", ""}}},
      {"a tag number with a prohibited word and no type",
       FindingKind::Prohibited,
       {{0, 0, "MCC盤"}, {10, 0, "MC-9X1"}, {20, 0, "TB1"}},
       {},
       {{"MCC盤", 0, 0, "禁止文字「MCC」で始まる", ""}}},
      {"an anchor whose window holds nothing (its edges are outside)",
       FindingKind::NoFields,
       {{0, 100, "MC2"},
        {5, 90, "beside"},
        {0, 40, "far below"},
        {1, 100, "level"},
        {100, 100, "MC3"},
        {100, 99, "AC200V"}},
       {},
       {{"MC2", 0, 100, "範囲（Ｘ座標±5、Ｙ座標＋60）に文字がない", "MC2"}}},
      {"an anchor with twelve texts in its window; nine are no finding",
       FindingKind::FullGroup,
       {{0, 500, "MC4"},   {0, 499, "1"},   {0, 498, "2"},   {0, 497, "3"},   {0, 496, "4"},
        {0, 495, "5"},     {0, 494, "6"},   {0, 493, "7"},   {0, 492, "8"},   {0, 491, "9"},
        {0, 490, "10"},    {0, 489, "11"},  {0, 488, "12"},  {-5, 495, "x"},  {0, 440, "y"},
        {100, 500, "MC5"}, {100, 499, "1"}, {100, 498, "2"}, {100, 497, "3"}, {100, 496, "4"},
        {100, 495, "5"},   {100, 494, "6"}, {100, 493, "7"}, {100, 492, "8"}, {100, 491, "9"}},
       {},
       {{"MC4", 0, 500, "範囲内の文字が12個：下の3個は使われない", "MC4"}}},
      {"duplicates removed: the row kept and each row deleted",
       FindingKind::DuplicateTag,
       {{0, 100, "MC6"},
        {0, 95, "A"},
        {100, 100, "MC6"},
        {100, 95, "B"},
        {200, 100, "MC7"},
        {300, 100, "MC7"},
        {400, 100, "MC8"}},
       {Pass::Dedupe},
       {{"MC6", 0, 100, "この行を残した（同じタグの1行を削除）", "MC6"},
        {"MC6", 100, 100, kSpecDiffers, "MC6"},
        {"MC7", 200, 100, "この行を残した（同じタグの1行を削除）", "MC7"},
        {"MC7", 300, 100, "削除した（残した行と項目が同じ）", "MC7"}}},
      {"duplicates left when duplicate removal did not run",
       FindingKind::DuplicateTag,
       {{0, 100, "MC6"}, {100, 100, "MC6"}, {400, 100, "MC8"}},
       {},
       {{"MC6", 0, 100, "同じタグが2回ある（同部品削除は実行されていない）", "MC6"},
        {"MC6", 100, 100, "同じタグが2回ある（同部品削除は実行されていない）", "MC6"}}},
      {"completion by the tag alone, not by tag and type",
       FindingKind::TagOnly,
       {{0, 100, "CR1"},
        {0, 95, "AC100V"},
        {0, 90, "XX-1"},
        {100, 100, "CR2"},
        {100, 95, "AC100V"},
        {100, 90, "KR-4N"}},
       {Pass::Complete},
       {{"CR1", 0, 100,
         "基部品List「CR」（補助継電器）で補完した：タグNo.と型式の両方で一致する部品がない",
         "CR1"}}},
      {"a completed row whose entry has no maker",
       FindingKind::Incomplete,
       {{0, 100, "PL1"}, {100, 100, "MC8"}, {100, 90, "x"}, {100, 80, "MC-9"}},
       {Pass::Complete},
       {{"PL1", 0, 100, "「メーカ」が空", "PL1"}}},
      {"rows left without part name and maker when nothing is completed",
       FindingKind::Incomplete,
       {{0, 100, "PL1"}},
       {},
       {{"PL1", 0, 100, "「部品名」と「メーカ」が空", "PL1"}}},
      {"a merge that drops the longer specification, then a sort",
       FindingKind::MergeAbsorbed,
       {{0, 100, "MC10"}, {100, 100, "MC11"}, {100, 95, "AC200V"}, {200, 100, "MC12"}},
       {Pass::Merge, Pass::Sort},
       {{"MC11", 100, 100, "スペック「AC200V」は「MC10」の行に結合され、出力されない",
         "MC10,11,12"}}},
  };
  for (const KindCase& c : cases) {
    SCOPED_TRACE(c.name);
    Workspace ws = report_workspace(c.texts);
    const RecognitionReport report = report_of(ws, c.passes);
    std::vector<Expected> found;
    for (const Finding& f : report.findings) {
      if (f.kind != c.kind) continue;
      std::string row_tag;
      for (int r = 0; r < ws.parts.row_count(); ++r) {
        if (ws.parts.row_ids()[static_cast<std::size_t>(r)] == f.row) row_tag = ws.parts.cell(r, 0);
      }
      EXPECT_EQ(f.drawing, 0u);
      found.push_back({utf8(f.text), f.x, f.y, utf8(f.detail), utf8(row_tag)});
    }
    EXPECT_EQ(found, c.expected);
  }
}

// Per drawing: its texts and anchors; the findings in drawing order whatever their kind; the parts
// list as the passes left it.
TEST(RecognitionReport, CountsEachDrawingAndKeepsDrawingOrder) {
  Workspace ws = report_workspace(
      {{0, 100, "MC1"}, {0, 30, "L1"}, {100, 100, "PL1"}, {9, 9, "X1"}, {0, 0, "A"}});
  ReportTrail trail;
  recognise_parts(ws, nullptr, &trail.groups);
  note_recognition(trail, ws, {{"a.dxf", 0, 2, 0}, {"b.dxf", 2, 4, 0}, {"c.dxf", 4, 5, 0}});
  const PartsList before = ws.parts;
  const RecognitionReport report = make_recognition_report(ws, trail);
  EXPECT_EQ(report.drawings, (std::vector<DrawingSummary>{
                                 {"a.dxf", 0, 2, 1}, {"b.dxf", 2, 4, 1}, {"c.dxf", 4, 5, 0}}));
  EXPECT_EQ(report.anchors, 2u);
  EXPECT_EQ(report.rows, 2u);
  std::vector<std::pair<std::string, std::size_t>> seen;
  for (const Finding& f : report.findings) {
    seen.emplace_back(std::string(finding_key(f.kind)) + " " + f.text, f.drawing);
  }
  EXPECT_EQ(seen, (std::vector<std::pair<std::string, std::size_t>>{{"no-fields MC1", 0},
                                                                    {"incomplete MC1", 0},
                                                                    {"unknown-family L1", 0},
                                                                    {"no-fields PL1", 1},
                                                                    {"incomplete PL1", 1},
                                                                    {"unknown-family X1", 1}}));
  EXPECT_EQ(ws.parts.rows(), before.rows());
  EXPECT_EQ(ws.parts.row_ids(), before.row_ids());
}

// The texts a full window holds, counted by the report's sweep, against counting them one by one
// (on a coarse grid, so that many texts lie on window edges).
TEST(RecognitionReport, FullWindowsAreCountedExactly) {
  std::mt19937 rng(14);
  std::uniform_int_distribution<int> coord(0, 12);
  for (int round = 0; round < 20; ++round) {
    std::vector<TextRecord> texts;
    for (int i = 0; i < 300; ++i) {
      texts.push_back({static_cast<double>(coord(rng)), static_cast<double>(coord(rng)),
                       i % 10 == 0 ? "MC" + std::to_string(i) : "t"});
    }
    Workspace ws = report_workspace(texts);
    ws.settings.pt_x = 2;
    ws.settings.pt_y = 4;
    const RecognitionReport report = report_of(ws, {});
    std::vector<std::string> expected;
    for (const TextRecord& a : ws.texts) {
      if (!a.text.starts_with("MC")) continue;
      std::size_t inside = 0;
      for (const TextRecord& t : ws.texts) {
        inside += a.x - 2 < t.x && t.x < a.x + 2 && a.y - 4 < t.y && t.y < a.y ? 1 : 0;
      }
      if (inside > 9) expected.push_back(a.text + " " + std::to_string(inside));
    }
    std::vector<std::string> found;
    for (const Finding& f : report.findings) {
      if (f.kind != FindingKind::FullGroup) continue;
      const std::string detail = utf8(f.detail);  // "範囲内の文字が N個：..."
      const std::size_t from = detail.find("が") + std::string("が").size();
      found.push_back(f.text + " " + detail.substr(from, detail.find("個") - from));
    }
    EXPECT_EQ(found, expected) << "round " << round;
  }
}

TEST(RecognitionReport, CsvIsUtf8WithBomAndRefusesToReplaceAnInput) {
  RecognitionReport report;
  report.drawings = {{"盤,1.dxf", 0, 2, 1}};
  report.findings = {{FindingKind::Prohibited, 0, 0, 0.5, -12345678, sjis("TB\"1\""),
                      sjis("禁止文字「TB」で始まる"), 0}};
  const std::string csv =
      format_report_csv(report, [](std::string_view p) { return std::string(p); });
  EXPECT_EQ(csv,
            "\xEF\xBB\xBF種類,図面,文字,X,Y,内容\r\n"
            "禁止文字,\"盤,1.dxf\",\"TB\"\"1\"\"\",0.5,-1.23457e+07,禁止文字「TB」で始まる\r\n");

  test::TempDir dir;
  Workspace ws;
  const std::string drawing = dir.file("a.dxf");
  test::write_file(drawing, "drawing");
  ws.note_input(drawing);
  test::RecordingNotifier notifier;
  const auto same = [](std::string_view p) { return std::string(p); };
  EXPECT_FALSE(write_report_csv(ws, report, drawing, same, notifier));
  EXPECT_EQ(test::read_file(drawing), "drawing");
  EXPECT_TRUE(write_report_csv(ws, report, dir.file("report.csv"), same, notifier));
  EXPECT_EQ(test::read_file(dir.path() / "report.csv"), csv);
  EXPECT_EQ(notifier.said(),
            std::vector<std::string>{
                "ﾌｧｲﾙｴﾗｰ: 出力ファイルが読み込んだファイルと同じです。書き込みません。"});
}

}  // namespace
}  // namespace korvane
