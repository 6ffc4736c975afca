// The group searches of recognition do O(log n) work per anchor whatever the drawing: counted in
// index entries visited, not timed.
#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "dxf/recognition.h"
#include "workspace.h"

namespace korvane {
namespace {

// n tag numbers stacked at one x, one unit apart; n texts just outside their window on the left,
// each half a unit above a tag number; one text inside the windows far below. Every window is
// as high as the stack and spans the fillers' x range without holding any of them.
Workspace stacked_anchors(int n) {
  Workspace ws;
  reset_settings_values(ws.settings);
  ws.settings.pt_x = 5;
  ws.settings.pt_y = 1 << 30;
  ws.settings.columns[7].text_number = 10;
  ws.base_parts.entries.emplace_back().tag = "MC";
  ws.texts.push_back({-4.5, -1e7, "NOTE"});
  for (int k = 0; k < n; ++k) {
    ws.texts.push_back({0.0, static_cast<double>(k), "MC" + std::to_string(k)});
    ws.texts.push_back({-5.5, k + 0.5, "W" + std::to_string(k)});
  }
  return ws;
}

std::uint64_t visited_for(int n) {
  Workspace ws = stacked_anchors(n);
  RecognitionCounts counts;
  recognise_parts(ws, &counts);
  EXPECT_EQ(ws.parts.row_count(), n);
  // Spot check: the tenth text of the top anchor's group is the ninth tag number below it.
  EXPECT_EQ(ws.parts.cell(n - 1, 7), "MC" + std::to_string(n - 10));
  return counts.visited;
}

TEST(RecognitionComplexity, StackedAnchorsBesideFillersCostNLogN) {
  std::uint64_t previous = 0;
  for (const int n : {5000, 20000}) {
    const double texts = 2.0 * n + 1;
    const std::uint64_t visited = visited_for(n);
    // Each anchor's nine group members are found in the index, so it visits at least those.
    EXPECT_GE(visited, 9u * static_cast<std::uint64_t>(n - 9)) << "n = " << n;
    EXPECT_LE(static_cast<double>(visited), 20.0 * texts * std::log2(texts)) << "n = " << n;
    if (previous != 0) {
      // Four times the texts: n log n grows 4.6 times here, a quadratic search 16 times.
      EXPECT_LT(static_cast<double>(visited), 6.0 * static_cast<double>(previous));
    }
    previous = visited;
  }
}

}  // namespace
}  // namespace korvane
