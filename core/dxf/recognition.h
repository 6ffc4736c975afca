// Part recognition: turns the text table into parts list rows.
#pragma once

namespace korvane {

struct Workspace;

// Empties ws.parts and appends one row for every anchor text of ws.texts, in table order.
//
// An anchor begins with the tag number of a base parts list entry, with no entry's type and with
// no prohibited word. Its group is the texts j with x(i) - pt_x < x(j) < x(i) + pt_x and
// y(i) - pt_y < y(j) < y(i), highest first (equal y in table order), at most nine. Column 0 is the
// anchor; columns 1 to 7 take their kotei text, or the jyunban-th text counting the anchor as 1
// (jyunban 2 to 10; any other value gives the empty text).
void recognise_parts(Workspace& ws);

}  // namespace korvane
