// Part-name completion ("部品名追加"): part name, maker and supply class from the base parts
// list, and one appended row per accessory.
#pragma once

#include <string_view>

#include "parts/parts_list.h"

namespace korvane {

struct PassLog;
struct Workspace;

// Eight cells of 64 bytes, cell n for column n.
using RowBuffer = PartsRow;

// Inserts a row at `index` whose cells are the buffer's (each cut to 64 bytes).
void insert_parts_row(PartsList& parts, const RowBuffer& buffer, int index);

// Fills every row from the first base parts list entry that matches it: first by tag (prefix or
// wildcard) and type together, then, for rows still without a part name, by either alone.
// Accessory rows go to the end in completion order; rows added here are not looked up.
// `log`, when given, learns each row filled, from which entry and by which phase, and the
// accessory rows made.
void complete_part_names(Workspace& ws, PassLog* log = nullptr);

// The entry tag with a "*" matches the row tag: the byte under the first "*" may be any one
// byte (or the end of the row's tag when nothing follows it), the rest must agree.
bool wildcard_tag_match(std::string_view row_tag, std::string_view entry_tag);

}  // namespace korvane
