#include "undo_commands.h"

#include "app.h"
#include "preview_window.h"
#include "report_window.h"
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
  const bool texts_back = app.undo.newest_restores_texts();
  // The groups of the trail index the text table: they come back with the table they were made
  // from, so the report and the preview never read a table through another table's indices.
  if (!app.undo.undo(app.ws, app.trail)) return;
  show_undo_state(app);
  show_parts(app);
  refresh_report_window(app);
  if (texts_back) preview_read_changed(app);
  refresh_preview(app);
}

void show_undo_state(App& app) {
  HMENU menu = app.main ? GetMenu(app.main) : nullptr;
  if (!menu) return;
  EnableMenuItem(menu, IDM_UNDO, MF_BYCOMMAND | (app.undo.can_undo() ? MF_ENABLED : MF_GRAYED));
}

}  // namespace korvane::win
