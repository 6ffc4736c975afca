// What the windows and dialogs share: control texts in Shift-JIS, the report list views that the
// dialogs make at run time, and the row marks of list views.
#pragma once

#include <windows.h>

#include <commctrl.h>

#include <span>
#include <string>
#include <string_view>

namespace korvane::win {

// A clicked row of the parts list view: selected, and focused for a Shift selection.
inline constexpr UINT kRowMarks = LVIS_SELECTED | LVIS_FOCUSED;

// A control's whole text as Shift-JIS; the core cuts it to its field.
std::string control_text(HWND control);
std::string item_text(HWND dialog, int id);
void set_item_text(HWND dialog, int id, std::string_view sjis);

struct ListColumn {
  const wchar_t* title;
  int width;
};

// A report list view at (0, 0) of the given size in pixels: grid lines, full-row select, more
// than one row selectable, left-aligned columns.
HWND create_dialog_list_view(HWND dialog, int id, int width, int height,
                             std::span<const ListColumn> columns);
// The template places the controls in dialog units, the list view is in pixels, and how many
// pixels a dialog unit is depends on the font the system gives: the other controls move to just
// below the list and the dialog is fitted around both, so nothing overlaps or hangs loose.
void fit_dialog_to_list_view(HWND dialog, HWND list);

// Grows the dialog where the system's font makes a control (a combo box, say) taller or wider
// than the template left room for.
void grow_dialog_to_controls(HWND dialog);

// Row `index` with `cells` (Shift-JIS) in its columns and its index as item data.
void insert_list_row(HWND list, int index, std::span<const std::string> cells);
// The same with texts that are already UTF-16 (file names as the file system gives them).
void insert_list_row(HWND list, int index, std::span<const std::wstring> cells);
// The lowest-numbered selected row, or -1.
int first_selected_row(HWND list);
// Shows a row as chosen even while the list does not have the focus.
void mark_row_chosen(HWND list, int row);
// Row -1 is every row.
void unselect_row(HWND list, int row);

}  // namespace korvane::win
