// The Edit menu's row commands ("書換", "削除", "追加") on the parts list. Each works on the first
// selected row of the list view; afterwards no row is left selected.
#pragma once

namespace korvane::win {

struct App;

void modify_selected_row(App& app);
void delete_selected_row(App& app);
void add_row(App& app);

}  // namespace korvane::win
