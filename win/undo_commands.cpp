#include "undo_commands.h"

#include "app.h"
#include "resource.h"

namespace korvane::win {

void record_list_change(App& app, UndoStep before) {
  const CellEditor& editor = app.parts_view.editor;
  if (editor.edit || editor.combo) return;
  if (!list_changed(before, app.ws)) return;
  app.undo.record(std::move(before));
  show_undo_state(app);
}

// The rows come back with their ids, so the list view's marks stay on the rows that carry them.
void undo_last_change(App& app) {
  if (!app.undo.undo(app.ws)) return;
  show_undo_state(app);
  show_parts(app);
}

void show_undo_state(App& app) {
  HMENU menu = app.main ? GetMenu(app.main) : nullptr;
  if (!menu) return;
  EnableMenuItem(menu, IDM_UNDO, MF_BYCOMMAND | (app.undo.can_undo() ? MF_ENABLED : MF_GRAYED));
}

}  // namespace korvane::win
