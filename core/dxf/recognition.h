// Part recognition: turns the text table into parts list rows.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

#include "dxf/text_table.h"
#include "parts/parts_list.h"

namespace korvane {

// The group keeps the nine texts that jyunban 2 to 10 can name.
inline constexpr int kGroupSize = 9;

class AnchorTest;
struct Workspace;

// The work one run of recognition did, for tests that hold its growth.
struct RecognitionCounts {
  std::uint64_t visited = 0;  // entries of the text indexes the group searches looked at
  std::size_t deferred = 0;   // anchors whose texts beside the window were too many for the slabs
};

// One anchor and the texts of its group, as recognition found them.
struct RecognisedGroup {
  std::size_t anchor = 0;                         // index of the anchor text in the text table
  RowId row = 0;                                  // the row made from it
  int size = 0;                                   // texts in the group, at most kGroupSize
  std::array<std::size_t, kGroupSize> members{};  // their indices, in group order
};

// The anchor texts of `texts` and their groups, in table order (`row` left 0): the search that
// recognise_parts makes its rows from, for those that want the groups of another window without
// touching a parts list.
std::vector<RecognisedGroup> find_groups(const TextTable& texts, const AnchorTest& anchor_test,
                                         int pt_x, int pt_y, RecognitionCounts* counts = nullptr);

// Empties ws.parts and appends one row for every anchor text of ws.texts, in table order.
//
// An anchor begins with the tag number of a base parts list entry, with no entry's type and with
// no prohibited word. Its group is the texts j with x(i) - pt_x < x(j) < x(i) + pt_x and
// y(i) - pt_y < y(j) < y(i), highest first (equal y in table order), at most nine. Column 0 is the
// anchor; columns 1 to 7 take their kotei text, or the jyunban-th text counting the anchor as 1
// (jyunban 2 to 10; any other value gives the empty text).
// `groups`, when given, receives the group of every row, in row order.
void recognise_parts(Workspace& ws, RecognitionCounts* counts = nullptr,
                     std::vector<RecognisedGroup>* groups = nullptr);

}  // namespace korvane
