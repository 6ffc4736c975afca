#include "preview/drawing_preview.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <limits>
#include <map>
#include <random>
#include <set>

#include "convert/passes.h"
#include "pipeline/conversion.h"
#include "preview/preview_svg.h"
#include "preview/preview_view.h"
#include "test_support.h"
#include "workspace.h"

namespace korvane {
namespace {

struct PlacedText {
  double x;
  double y;
  const char* text;
  char expected;  // 'A' anchor, 'F' field, 'O' other
};

// A workspace with the families MC, THR (with the type THR-) and T, the prohibited word TB and the
// given window.
Workspace workspace(int pt_x, int pt_y, const std::vector<PlacedText>& texts) {
  Workspace ws;
  reset_settings_values(ws.settings);
  ws.settings.pt_x = pt_x;
  ws.settings.pt_y = pt_y;
  BasePartEntry mc;
  mc.tag = "MC";
  BasePartEntry thr;
  thr.tag = "THR";
  thr.type = "THR-";
  BasePartEntry title;
  title.tag = "T";
  ws.base_parts.entries = {mc, thr, title};
  ws.prohibited_words.words = {"TB"};
  for (const PlacedText& t : texts) ws.texts.push_back({t.x, t.y, t.text});
  return ws;
}

// Recognition as a read runs it, noted for the report.
ReportTrail recognise(Workspace& ws) {
  ReportTrail trail;
  recognise_parts(ws, nullptr, &trail.groups);
  note_recognition(trail, ws, {{"drawing.dxf", 0, ws.texts.size(), 0}});
  return trail;
}

std::string classes_of(const DrawingPreview& preview) {
  std::string out;
  for (TextClass c : preview.classes) {
    out += c == TextClass::Anchor ? 'A' : c == TextClass::Field ? 'F' : 'O';
  }
  return out;
}

// What each text became, and that the groups are recognition's own: each row's cells are the
// texts the preview links to its anchor.
TEST(DrawingPreview, ClassifiesEachTextByTheGroupsOfRecognition) {
  struct Case {
    const char* name;
    int pt_x;
    int pt_y;
    std::vector<PlacedText> texts;
  };
  const Case cases[] = {
      {"a group below its anchor; above, beside and on the border stay out",
       5,
       50,
       {{100, 100, "MC1", 'A'},
        {101, 96, "AC200V", 'F'},
        {99, 92, "SC-05", 'F'},
        {100, 101, "ABOVE", 'O'},
        {106, 96, "BESIDE", 'O'},
        {105, 90, "BORDER", 'O'},
        {100, 50, "LOW", 'O'}}},
      {"the ten highest of eleven: the group holds nine, the two lowest are other",
       5,
       50,
       {{0, 100, "MC1", 'A'},
        {0, 99, "A1", 'F'},
        {0, 98, "A2", 'F'},
        {0, 97, "A3", 'F'},
        {0, 96, "A4", 'F'},
        {0, 95, "A5", 'F'},
        {0, 94, "A6", 'F'},
        {0, 93, "A7", 'F'},
        {0, 92, "A8", 'F'},
        {0, 91, "A9", 'F'},
        {0, 90, "A10", 'O'},
        {0, 89, "A11", 'O'}}},
      {"an anchor in another's window stays an anchor; a text in two windows is a field",
       5,
       50,
       {{0, 100, "MC1", 'A'}, {1, 96, "MC2", 'A'}, {2, 90, "SHARED", 'F'}}},
      {"type and prohibited word make no anchor; their windows hold nothing",
       5,
       50,
       {{0, 100, "THR-1", 'O'},
        {0, 96, "BELOW1", 'O'},
        {50, 100, "TB1", 'O'},
        {50, 96, "BELOW2", 'O'}}},
      {"pt_x 0: no window holds anything", 0, 50, {{0, 100, "MC1", 'A'}, {0, 96, "AC200V", 'O'}}},
  };
  for (const Case& c : cases) {
    Workspace ws = workspace(c.pt_x, c.pt_y, c.texts);
    const ReportTrail trail = recognise(ws);
    const DrawingPreview preview = make_drawing_preview(ws, trail);
    std::string expected;
    for (const PlacedText& t : c.texts) expected += t.expected;
    EXPECT_EQ(classes_of(preview), expected) << c.name;
    EXPECT_TRUE(preview.as_read) << c.name;
    ASSERT_EQ(preview.groups.size(), static_cast<std::size_t>(ws.parts.row_count())) << c.name;
    for (std::size_t r = 0; r < preview.groups.size(); ++r) {
      const RecognisedGroup& g = preview.groups[r];
      EXPECT_EQ(ws.parts.cell(static_cast<int>(r), 0), ws.texts[g.anchor].text) << c.name;
      // The reset columns: the specification takes the first text below, the type the second.
      for (int k = 0; k < 2; ++k) {
        EXPECT_EQ(ws.parts.cell(static_cast<int>(r), 4 + k),
                  k < g.size ? ws.texts[g.members[static_cast<std::size_t>(k)]].text : "")
            << c.name;
      }
      const GroupWindow w = preview.window(ws.texts, g);
      EXPECT_EQ(w.right - w.left, 2.0 * c.pt_x) << c.name;
      EXPECT_EQ(w.top, ws.texts[g.anchor].y) << c.name;
      EXPECT_EQ(w.top - w.bottom, c.pt_y) << c.name;
    }
  }
}

// A new window reclassifies the same text table without touching the parts list; its findings are
// those recognition alone decides. Going back to the read's window gives the read's own picture.
TEST(DrawingPreview, ANewWindowReclassifiesTheTextsAndKeepsTheList) {
  Workspace ws = workspace(
      5, 5,
      {{0, 100, "MC1", 'A'}, {0, 96, "AC200V", 'F'}, {0, 90, "SC-05", 'O'}, {30, 100, "MC2", 'A'}});
  const ReportTrail trail = recognise(ws);
  test::RecordingNotifier notifier;
  ASSERT_TRUE(run_passes(ws, notifier, {Pass::Dedupe}, {}, nullptr));
  const std::vector<PartsRow> rows = ws.parts.rows();
  const std::vector<RowId> ids = ws.parts.row_ids();

  const auto kinds = [](const DrawingPreview& p, std::size_t at) {
    std::vector<FindingKind> out;
    for (const Finding& f : p.findings_of(at)) out.push_back(f.kind);
    return out;
  };
  using Kinds = std::vector<FindingKind>;
  DrawingPreview preview = make_drawing_preview(ws, trail);
  EXPECT_EQ(classes_of(preview), "AFOA");
  // The report's findings, those of the rows included.
  EXPECT_EQ(kinds(preview, 0), Kinds{FindingKind::Incomplete});
  EXPECT_EQ(kinds(preview, 3), (Kinds{FindingKind::NoFields, FindingKind::Incomplete}));

  // The new window from the settings, or given while the settings keep the read's one.
  for (const bool given : {false, true}) {
    ws.settings.pt_y = given ? 5 : 20;
    preview = given ? make_drawing_preview(ws, trail, 5, 20) : make_drawing_preview(ws, trail);
    EXPECT_FALSE(preview.as_read) << given;
    EXPECT_EQ(preview.pt_y, 20) << given;
    EXPECT_EQ(classes_of(preview), "AFFA") << given;
    EXPECT_EQ(kinds(preview, 0), Kinds{}) << given;
    ASSERT_EQ(kinds(preview, 3), Kinds{FindingKind::NoFields}) << given;
    EXPECT_NE(preview.findings_of(3)[0].detail.find("20"), std::string::npos) << given;
    EXPECT_EQ(ws.parts.rows(), rows);
    EXPECT_EQ(ws.parts.row_ids(), ids);
  }

  ws.settings.pt_y = 5;
  preview = make_drawing_preview(ws, trail);
  EXPECT_TRUE(preview.as_read);
  EXPECT_EQ(classes_of(preview), "AFOA");
}

// The rows the read's groups are in now: a merged row holds all its anchors, a removed duplicate
// points at the row of its tag that stayed, a deleted row at none.
TEST(DrawingPreview, RowsNowFollowTheGroupsThroughThePasses) {
  Workspace ws = workspace(5, 10,
                           {{0, 100, "MC1", 'A'},
                            {0, 96, "AC200V", 'F'},
                            {30, 100, "MC2", 'A'},
                            {30, 96, "AC200V", 'F'},
                            {60, 100, "MC1", 'A'},
                            {90, 100, "THR1", 'A'}});
  ReportTrail trail = recognise(ws);
  test::RecordingNotifier notifier;
  ASSERT_TRUE(run_passes(ws, notifier, {Pass::Dedupe, Pass::Merge}, {}, &trail.passes));
  std::vector<RowId> rows = rows_now(ws, trail);
  ASSERT_EQ(rows.size(), 4u);
  EXPECT_NE(rows[0], 0u);
  EXPECT_EQ(rows[1], rows[0]) << "MC1 and MC2 merged into one row";
  EXPECT_EQ(rows[2], rows[0]) << "the second MC1 went with the first";
  EXPECT_NE(rows[3], rows[0]);
  const std::vector<RowId>& ids = ws.parts.row_ids();
  ws.parts.delete_row(static_cast<int>(std::find(ids.begin(), ids.end(), rows[3]) - ids.begin()));
  rows = rows_now(ws, trail);
  EXPECT_EQ(rows[3], 0u);
}

// The SVG: up is up, every text once with its coordinates and class, texts escaped, findings
// titled, a window per anchor and a line per member, and texts without a place kept but hidden.
TEST(DrawingPreview, SvgHoldsEveryTextInItsClass) {
  Workspace ws = workspace(
      5, 10,
      {{10, 20, "MC1", 'A'}, {10, 16, "a<b&\"c\"", 'F'}, {200, -40, "TB1", 'O'}, {0, 0, "x", 'O'}});
  ws.texts.push_back({std::numeric_limits<double>::quiet_NaN(), 1.0, test::sjis("位置なし")});
  const ReportTrail trail = recognise(ws);
  const std::string svg = format_preview_svg(ws.texts, make_drawing_preview(ws, trail));

  const std::string checks[] = {
      "<text class=\"anchor finding\" x=\"10\" y=\"-20\" data-x=\"10\" data-y=\"20\"><title>"
      "未完成 (incomplete): 「部品名」と「メーカ」が空</title>MC1</text>",
      "<text class=\"field\" x=\"10\" y=\"-16\" data-x=\"10\" data-y=\"16\">"
      "a&lt;b&amp;&quot;c&quot;</text>",
      "<text class=\"other finding\" x=\"200\" y=\"40\" data-x=\"200\" data-y=\"-40\"><title>"
      "禁止文字 (prohibited): ",
      "<text class=\"other\" x=\"0\" y=\"0\" data-x=\"0\" data-y=\"0\">x</text>",
      "<rect class=\"window\" data-tag=\"MC1\" x=\"5\" y=\"-20\" width=\"10\" height=\"10\"/>",
      "<line class=\"link\" x1=\"10\" y1=\"-16\" x2=\"10\" y2=\"-20\"/>",
      "<g class=\"unplaced\" display=\"none\">\n<text class=\"other\" data-x=\"nan\" "
      "data-y=\"1\">位置なし</text>",
      "font-family:IPAGothic,\"MS Gothic\",sans-serif",
      "位置のない文字 1",
  };
  for (const std::string& expected : checks) {
    EXPECT_NE(svg.find(expected), std::string::npos) << expected << "\n" << svg;
  }
  // The viewBox holds every placed text with a margin: x 0 to 200, y -40 to 20.
  const std::size_t at = svg.find("viewBox=\"");
  ASSERT_NE(at, std::string::npos);
  double left = 0, top = 0, width = 0, height = 0;
  ASSERT_EQ(
      std::sscanf(svg.c_str() + at, "viewBox=\"%lf %lf %lf %lf\"", &left, &top, &width, &height),
      4);
  EXPECT_LT(left, 0.0);
  EXPECT_GT(left + width, 200.0);
  EXPECT_LT(top, -20.0);
  EXPECT_GT(top + height, 40.0);
}

// The window's index finds exactly the texts of a rectangle, wherever it lies.
TEST(DrawingPreview, GridFindsExactlyTheTextsOfARectangle) {
  TextTable texts;
  std::mt19937 rng(3);
  std::uniform_real_distribution<double> x(0, 1000);
  std::uniform_real_distribution<double> y(0, 500);
  for (int k = 0; k < 5000; ++k) texts.push_back({x(rng), y(rng), "T"});
  for (int k = 0; k < 50; ++k) texts.push_back({k * 2.0, 250.0, "ROW"});
  texts.push_back({std::numeric_limits<double>::quiet_NaN(), 1.0, "NAN"});
  texts.push_back({1e300, 1.0, "FAR"});
  TextGrid grid;
  grid.build(texts);
  EXPECT_EQ(grid.size(), 5050u);
  const PreviewExtent rects[] = {{100, 100, 130, 120, false}, {-1e9, -1e9, 1e9, 1e9, false},
                                 {2000, 0, 3000, 10, false},  {40, 250, 40, 250, false},
                                 {0, 249, 60, 251, false},    {990, 490, 1000, 500, false}};
  for (const PreviewExtent& r : rects) {
    std::set<std::size_t> found;
    grid.visit(r, [&](std::size_t i) { EXPECT_TRUE(found.insert(i).second); });
    std::set<std::size_t> expected;
    for (std::size_t i = 0; i < texts.size(); ++i) {
      const TextRecord& t = texts[i];
      if (is_placed(t) && r.left <= t.x && t.x <= r.right && r.bottom <= t.y && t.y <= r.top) {
        expected.insert(i);
      }
    }
    EXPECT_EQ(found, expected) << r.left << " " << r.bottom;
  }
}

TEST(DrawingPreview, DefaultNameTakesTheEndingSvg) {
  const std::map<std::string, std::string> cases = {
      {"main.dxf", "main.svg"},           {"dir/main.DXF", "dir/main.svg"},
      {"a.b/drawing", "a.b/drawing.svg"}, {".hidden", ".hidden.svg"},
      {"x.tar.dxf", "x.tar.svg"},         {"noext", "noext.svg"},
  };
  for (const auto& [drawing, name] : cases) EXPECT_EQ(preview_name_for(drawing), name) << drawing;
}

// Whole or not at all, and never onto an input of the run.
TEST(DrawingPreview, WriterRefusesInputsAndLeavesNoHalfFile) {
  test::TempDir dir;
  Workspace ws;
  const std::string drawing = dir.file("drawing.dxf");
  const std::string svg_path = dir.file("drawing.svg");
  test::write_file(drawing, "DXF");
  test::write_file(svg_path, "old");
  ws.note_input(drawing);
  test::RecordingNotifier notifier;
  EXPECT_FALSE(write_preview_svg(ws, notifier, drawing, "<svg/>"));
  EXPECT_EQ(test::read_file(drawing), "DXF");
  {
    test::FaultyFileSystem faults;
    faults.fail_write = true;
    faults.write_budget = 2;
    EXPECT_FALSE(write_preview_svg(ws, notifier, svg_path, "<svg/>"));
  }
  EXPECT_EQ(test::read_file(svg_path), "old");
  EXPECT_EQ(notifier.said(),
            (std::vector<std::string>{
                "ﾌｧｲﾙｴﾗｰ: 出力ファイルが読み込んだファイルと同じです。書き込みません。",
                "ﾌｧｲﾙｴﾗｰ: 図面プレビューファイルが書けません"}));
  EXPECT_TRUE(write_preview_svg(ws, notifier, svg_path, "<svg/>"));
  EXPECT_EQ(test::read_file(svg_path), "<svg/>");
}

}  // namespace
}  // namespace korvane
