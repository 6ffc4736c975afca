#include "row_commands.h"

#include "app.h"
#include "dialog_controls.h"
#include "parts/row_editing.h"
#include "row_editor.h"

namespace korvane::win {
namespace {

RowEditor row_editor(const App& app) {
  return [owner = app.main](RowEditorBuffer& buffer) {
    if (auto edited = run_row_editor(owner, buffer)) buffer = std::move(*edited);
  };
}

// The list view keeps its marks by row number, which the change has shifted: none is kept.
void clear_selection(App& app) {
  unselect_row(app.parts_view.list, -1);
  app.parts_view.highlighted.assign(app.parts_view.highlighted.size(), false);
}

}  // namespace

void modify_selected_row(App& app) {
  if (modify_part_row(app.ws.parts, first_selected_row(app.parts_view.list), app.notifier,
                      row_editor(app)) >= 0) {
    clear_selection(app);
  }
}

void delete_selected_row(App& app) {
  if (delete_part_row(app.ws.parts, first_selected_row(app.parts_view.list), app.notifier) >= 0) {
    clear_selection(app);
  }
}

void add_row(App& app) {
  add_part_row(app.ws.parts, first_selected_row(app.parts_view.list), row_editor(app));
  clear_selection(app);
}

}  // namespace korvane::win
