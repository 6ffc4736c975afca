#include "row_commands.h"

#include <windows.h>

#include <commctrl.h>

#include "app.h"
#include "parts/row_editing.h"
#include "row_editor.h"

namespace korvane::win {
namespace {

int first_selected_row(const App& app) {
  return static_cast<int>(SendMessageW(app.parts_view.list, LVM_GETNEXTITEM,
                                       static_cast<WPARAM>(-1), MAKELPARAM(LVNI_SELECTED, 0)));
}

RowEditor row_editor(const App& app) {
  return [owner = app.main](RowEditorBuffer& buffer) { run_row_editor(owner, buffer); };
}

// The list view keeps its marks by row number, which the change has shifted: none is kept.
void clear_selection(App& app) {
  ListView_SetItemState(app.parts_view.list, -1, 0, LVIS_SELECTED);
  app.parts_view.highlighted.assign(app.parts_view.highlighted.size(), false);
}

}  // namespace

void modify_selected_row(App& app) {
  if (modify_part_row(app.ws.parts, first_selected_row(app), app.notifier, row_editor(app)) >= 0) {
    clear_selection(app);
  }
}

void delete_selected_row(App& app) {
  if (delete_part_row(app.ws.parts, first_selected_row(app), app.notifier) >= 0) {
    clear_selection(app);
  }
}

void add_row(App& app) {
  add_part_row(app.ws.parts, first_selected_row(app), row_editor(app));
  clear_selection(app);
}

}  // namespace korvane::win
