// Part sort ("部品ソート"): supplied, then not purchased, then purchased parts, each grouped by
// the order of the base parts list; rows without a quantity last.
#pragma once

namespace korvane {

class Notifier;
struct PassLog;
struct Workspace;

// Puts the rows in the order of a finished parts list and rebuilds them through the work table
// (quantities as plain integers, supply classes normalised). The sort is stable. A list of more
// than 5000 rows is refused with the "メモリオーバー" warning and left as it was; returns false
// then. `log`, when given, learns the row each new row was read from.
bool sort_parts(Workspace& ws, Notifier& notifier, PassLog* log = nullptr);

}  // namespace korvane
