#include "dxf/window_tuning.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "dxf/anchor_test.h"
#include "schematic.h"
#include "test_support.h"
#include "workspace.h"

namespace korvane {
namespace {

using test::SchematicLayout;

Workspace schematic_workspace(const test::Schematic& s) {
  Workspace ws;
  reset_settings_values(ws.settings);  // spec: first text below, type: second; x ±5, y 60
  ws.base_parts = test::schematic_base_parts();
  ws.prohibited_words = test::schematic_words();
  ws.texts = s.texts;
  return ws;
}

// The share of the symbols whose row recognition gives with the settings as intended.
double intended_share(Workspace& ws, const test::Schematic& s) {
  recognise_parts(ws);
  std::size_t right = 0;
  for (const test::IntendedRow& want : s.intended) {
    const auto& rows = ws.parts.rows();
    const auto row =
        std::find_if(rows.begin(), rows.end(), [&](const PartsRow& r) { return r[0] == want.tag; });
    if (row != rows.end() && (*row)[4] == want.spec && (*row)[5] == want.type) ++right;
  }
  return static_cast<double>(right) / static_cast<double>(s.intended.size());
}

struct LayoutCase {
  const char* name;
  SchematicLayout layout;
};

// Line pitches from 2.5 to 50 units, drawings near the origin and far from it, aligned exactly
// and placed by hand, lines under the tag and indented.
const LayoutCase kLayouts[] = {
    {"pitch 2.5, aligned", {2.5, 0, 0, 8, 6, 12, 8, 0, 0, 0, 1}},
    {"pitch 3.5, jittered across", {3.5, 100, 400, 8, 6, 10, 7, 0, 0.12, 0, 2}},
    {"pitch 4 like the samples", {4, 50, 300, 6, 5, 14, 9, 0, 0, 0, 3}},
    {"pitch 10, jittered both ways", {10, 5000, 3000, 7, 7, 12, 8, 0, 0.15, 0.04, 4}},
    {"pitch 35, far from the origin", {35, -20000, 15000, 6, 6, 11, 7, 0, 0.05, 0, 5}},
    {"pitch 50, jittered", {50, 1e5, 1e5, 9, 9, 12, 6, 0, 0.1, 0.05, 6}},
    {"pitch 6, indented lines", {6, 0, 0, 6, 6, 12, 8, 0.4, 0.05, 0, 7}},
    {"pitch 3, tight rows", {3, 10, 10, 10, 10, 9, 5, 0, 0.08, 0.03, 8}},
};

TEST(WindowTuning, ProposalReproducesTheIntendedRowsOfGeneratedSchematics) {
  for (const LayoutCase& c : kLayouts) {
    SCOPED_TRACE(c.name);
    const test::Schematic s = test::make_schematic(c.layout);
    Workspace ws = schematic_workspace(s);
    const WindowProposal p =
        propose_recognition_window(ws.texts, ws.base_parts, ws.prohibited_words, ws.settings);
    ASSERT_EQ(p.outcome, TuningOutcome::Proposed);
    EXPECT_EQ(p.anchors, s.intended.size());
    EXPECT_NEAR(p.pitch, c.layout.pitch, c.layout.pitch * 0.1);
    EXPECT_NEAR(p.offset, c.layout.indent * c.layout.pitch, c.layout.pitch * 0.2);
    // The figures of the proposal are those recognition gives with it.
    const AnchorTest test(ws.base_parts, ws.prohibited_words);
    EXPECT_EQ(p.proposed,
              measure_window(ws.texts, test, ws.settings, p.proposed.pt_x, p.proposed.pt_y));
    EXPECT_EQ(p.current, measure_window(ws.texts, test, ws.settings, 5, 60));

    // The table's order does not matter.
    std::reverse(ws.texts.begin(), ws.texts.end());
    EXPECT_EQ(propose_recognition_window(ws.texts, ws.base_parts, ws.prohibited_words, ws.settings)
                  .proposed,
              p.proposed);

    ws.settings.pt_x = p.proposed.pt_x;
    ws.settings.pt_y = p.proposed.pt_y;
    EXPECT_GE(intended_share(ws, s), 0.95)
        << "proposed pt_x=" << p.proposed.pt_x << " pt_y=" << p.proposed.pt_y;
  }
}

// The defaults fall short of the mark on small and large pitches: the check above can fail.
TEST(WindowTuning, TheDefaultWindowMissesTheRowsOfSmallAndLargePitches) {
  for (const double pitch : {2.5, 3.5, 50.0}) {
    SchematicLayout layout;
    layout.pitch = pitch;
    const test::Schematic s = test::make_schematic(layout);
    Workspace ws = schematic_workspace(s);
    EXPECT_LT(intended_share(ws, s), 0.95) << pitch;
  }
}

// Only the lines the columns take count: a specification-only column setting asks for one line,
// and a window one line deep is the smallest with the best score.
TEST(WindowTuning, TheColumnsBoundTheDepthOfTheWindow) {
  SchematicLayout layout;
  layout.pitch = 5;
  Workspace ws = schematic_workspace(test::make_schematic(layout));
  WindowProposal p =
      propose_recognition_window(ws.texts, ws.base_parts, ws.prohibited_words, ws.settings);
  EXPECT_GT(p.proposed.pt_y, 10);  // two lines
  EXPECT_LE(p.proposed.pt_y, 15);
  ws.settings.columns[5].text_number = 0;
  p = propose_recognition_window(ws.texts, ws.base_parts, ws.prohibited_words, ws.settings);
  EXPECT_GT(p.proposed.pt_y, 5);  // one line
  EXPECT_LE(p.proposed.pt_y, 10);
  ws.settings.columns[4].fixed_text = "fixed";  // no column takes a line: the stacks go whole
  p = propose_recognition_window(ws.texts, ws.base_parts, ws.prohibited_words, ws.settings);
  EXPECT_GT(p.proposed.pt_y, 15);
  EXPECT_LE(p.proposed.pt_y, 20);
}

TEST(WindowTuning, NothingToTuneOnKeepsTheCurrentValues) {
  Workspace ws;
  reset_settings_values(ws.settings);
  ws.base_parts = test::schematic_base_parts();
  ws.texts = {{0, 0, "AC200V"}, {0, -4, "KX-1"}};
  WindowProposal p =
      propose_recognition_window(ws.texts, ws.base_parts, ws.prohibited_words, ws.settings);
  EXPECT_EQ(p.outcome, TuningOutcome::NoAnchors);
  EXPECT_EQ(p.anchors, 0u);
  EXPECT_EQ(p.proposed.pt_x, 5);
  EXPECT_EQ(p.proposed.pt_y, 60);

  // Anchors with nothing below them (and one whose coordinates are not numbers).
  ws.texts = {{0, 0, "MC1"}, {100, 0, "MC2"}, {0, 50, "AC200V"}, {NAN, 1, "MC3"}};
  p = propose_recognition_window(ws.texts, ws.base_parts, ws.prohibited_words, ws.settings);
  EXPECT_EQ(p.outcome, TuningOutcome::NoStacks);
  EXPECT_EQ(p.anchors, 3u);
  EXPECT_EQ(p.proposed, p.current);
  EXPECT_EQ(p.current.empty, 3u);
}

// Each figure on a hand-made table, window pt_x 2, pt_y 10 (columns: the first and second line).
TEST(WindowTuning, FiguresCountFieldsSharedTextsCutGroupsAndEmptyAnchors) {
  struct Case {
    const char* name;
    TextTable texts;
    WindowFigures want;
  };
  const Case cases[] = {
      {"two lines fill both columns",
       {{0, 0, "MC1"}, {0, -4, "a"}, {0, -8, "b"}, {0, -12, "c"}},
       {2, 10, 2, 0, 0, 0}},
      {"one line fills one", {{0, 0, "MC1"}, {1.9, -9.9, "a"}}, {2, 10, 1, 0, 0, 0}},
      {"a text below two anchors is shared",
       {{0, 0, "MC1"}, {3, 0, "MC2"}, {1.5, -4, "a"}},
       {2, 10, 2, 1, 0, 0}},
      {"an anchor in the window cuts the group",
       {{0, 0, "MC1"}, {0, -5, "MC2"}, {0, -9, "a"}},
       {2, 10, 3, 1, 1, 0}},
      {"nothing within the window",
       {{0, 0, "MC1"}, {2, -4, "a"}, {0, -10, "b"}},
       {2, 10, 0, 0, 0, 1}},
  };
  BasePartsStore base = test::schematic_base_parts();
  const ProhibitedWords words;
  const AnchorTest test(base, words);
  Settings settings;
  reset_settings_values(settings);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const WindowFigures f = measure_window(c.texts, test, settings, 2, 10);
    EXPECT_EQ(f, c.want);
    EXPECT_EQ(f.score(), static_cast<long long>(c.want.fields) -
                             2 * static_cast<long long>(c.want.shared + c.want.cut) -
                             static_cast<long long>(c.want.empty));
  }
}

}  // namespace
}  // namespace korvane
