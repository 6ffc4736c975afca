// Quantity merge ("部品数の結合"): one row per part, quantities added, tag numbers joined as in
// CR1,2,3.
#pragma once

#include <cstddef>
#include <string_view>

namespace korvane {

class Notifier;
struct PassLog;
struct Settings;
struct Workspace;

// Merges every later row that is the same part as an earlier row into that row's record and
// rebuilds the list from the records. A list of more than 5000 rows is refused with the
// "メモリオーバー" warning and left as it was; returns false then. `log`, when given, learns
// every join (and the longer text it lost) and the row each new row was read from.
bool merge_part_quantities(Workspace& ws, Notifier& notifier, PassLog* log = nullptr);

// Joining into a record stops once its tag text is this long: the tag column's width / 8
// (0 for a negative width or a tag column outside the list).
std::size_t tag_width_limit(const Settings& s);

}  // namespace korvane
