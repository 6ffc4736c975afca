// The list view of the main window (control 900): an owner-data report view that shows the
// workspace's parts list, and the in-place cell editor opened by a right click.
#pragma once

#include <windows.h>

#include <commctrl.h>

#include <optional>
#include <string>
#include <vector>

#include "parts/parts_list.h"
#include "pipeline/undo_history.h"

namespace korvane::win {

struct App;

inline constexpr int kListViewTop = 42;         // where every WM_SIZE puts it
inline constexpr int kListViewCreatedTop = 44;  // where it is created
inline constexpr int kListViewCreatedWidth = 796;
inline constexpr int kListViewCreatedHeight = 452;
inline constexpr std::size_t kCellEditCapacity = 128;  // a commit keeps at most 127 bytes
inline constexpr UINT kComboCloseDelayMs = 200;

// The cell that the in-place editor works on. At most one editor is open at a time.
struct CellEditor {
  HWND edit = nullptr;   // text editor, control 951
  HWND combo = nullptr;  // supply-class combo box, control 952
  int row = -1;
  int column = -1;
  std::string old_text;            // the cell as it was before the editor emptied it
  bool picked = false;             // the combo's entry was written; timer 1 closes it
  std::optional<UndoStep> before;  // the list before the editor emptied the cell
};

struct PartsListView {
  HWND list = nullptr;
  HFONT editor_font = nullptr;
  // Drop-highlight marks: an owner-data list view keeps only selection and focus, so the
  // marks that keep chosen rows visible without the focus are kept here.
  std::vector<bool> highlighted;
  // The model's rows as the list view last showed them: its marks, kept by index, belong to
  // these rows.
  std::vector<RowId> shown_ids;
  CellEditor editor;
  bool restoring_marks = false;  // the marks are being put back on moved rows, not chosen anew
};

// Start-up: the list view with the eight columns of the column settings, and the editor font.
void create_parts_list_view(App& app);
// Releases what create_parts_list_view made besides windows (the editor font).
void release_parts_list_view(App& app);
// Shows the model as it is now: row count and every visible cell. The selected, focused and
// drop-highlighted marks stay on the rows that carry them, wherever those rows went; rows that
// are gone take their marks with them, and new rows come unmarked.
void show_parts(App& app);
// Makes `row` the one chosen row (selected, focused and highlighted, so it shows while another
// window has the focus) and scrolls it into view.
void choose_parts_row(App& app, int row);
// WM_SIZE: the list view below the toolbar, filling the client area.
void place_parts_list_view(App& app, int client_width, int client_height);

// WM_NOTIFY from control 900. Codes it does not handle go to the default window procedure.
LRESULT on_parts_list_notify(App& app, WPARAM wparam, LPARAM lparam);

// Right click on `column`: an editor over that cell of the first selected row, if any (the
// supply-class column gets the combo box, any other the text editor).
void open_cell_editor(App& app, int column);
// F2: the editor over the first cell of the focused row, if any, scrolled into view.
void edit_focused_cell(App& app);
// Ctrl+A: every row selected and marked as a left click marks the rows it selects.
void select_all_parts(App& app);
// WM_COMMAND from controls 951 and 952, and timer 1.
void on_cell_editor_command(App& app, int id, int code, HWND control);
void on_combo_close_timer(App& app);
// Finishes any open editor the way leaving it would: the text editor writes its text back, a
// combo box without a pick gives the cell its old text back.
void close_cell_editors(App& app);

}  // namespace korvane::win
