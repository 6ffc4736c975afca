// "元に戻す": the undo history of the parts list, kept step by step as commands change the list,
// and the Edit menu item that shows whether there is anything to undo.
#pragma once

#include "pipeline/undo_history.h"

namespace korvane::win {

struct App;

// Records `before` (taken before a command ran, with the trail of that time) as one undo step when
// the command changed the list. While the in-place editor is open nothing is recorded: the editor
// records its whole edit as one step when it closes.
void record_list_change(App& app, UndoStep before);

// Puts the list (and, after a read, the text table and the current file name) back as it was
// before the last change, with the trail of that time, and shows it in the main window, the
// recognition report and the drawing preview.
void undo_last_change(App& app);

// Greys "元に戻す" when there is nothing to undo.
void show_undo_state(App& app);

}  // namespace korvane::win
