// Duplicate removal ("同部品削除"): one row per tag number.
#pragma once

namespace korvane {

struct PassLog;
struct Workspace;

// Reduces every group of rows with equal tag numbers (first 63 bytes) to one row. The first row
// of a group stands for it until a later row with a listed type that the standing row's type
// does not begin with replaces it; every other row of the group is deleted. Survivors keep
// their order. `log`, when given, learns which rows went and which row of their tag stayed.
void remove_duplicate_parts(Workspace& ws, PassLog* log = nullptr);

}  // namespace korvane
