// Editing the parts list by hand, one row at a time: modify, delete, add.
//
// Modify and add fill the row editor's buffer, let the row editor change it, and only then
// change the list. The buffer's cells are bound to the columns by position, not through the
// column settings: the row editor's labels describe the default layout.
#pragma once

#include <array>
#include <functional>
#include <string>
#include <string_view>

#include "parts/parts_list.h"

namespace korvane {

class Notifier;

inline constexpr std::size_t kRowEditorCellCapacity = 128;
// The supply-class combo box is read through a buffer this small.
inline constexpr std::size_t kRowEditorSupplyCapacity = 6;
inline constexpr int kRowEditorSupplyColumn = 7;

using RowEditorBuffer = std::array<std::string, kColumnCount>;

// Shows the row editor over the buffer. It changes the buffer when the user confirms and leaves
// it as it was when the user closes the editor.
using RowEditor = std::function<void(RowEditorBuffer&)>;

// The cells of a row as the buffer holds them (127 bytes at most each).
RowEditorBuffer read_row_into_editor(const PartsList& parts, int row);

// What the row editor stores for the texts of its controls: the seven edits cut to the cell
// capacity, and for the combo box "支給" or "非購" when its text begins with one of them,
// otherwise nothing (the four-space entry included).
void store_row_editor_texts(RowEditorBuffer& buffer, const RowEditorBuffer& control_texts);
std::string supply_class_from_editor(std::string_view combo_text);

// Each works on `selected`, the first selected row (-1 for none), and returns the row whose
// selection the caller clears afterwards, or -1 when the list was left alone.

// The selected row, rewritten from the editor in its place. No selection: "項目を選択して下さい。".
int modify_part_row(PartsList& parts, int selected, Notifier& notifier, const RowEditor& editor);
// Deletes the selected row only, even when more are selected. No selection: the same message.
int delete_part_row(PartsList& parts, int selected, Notifier& notifier);
// A new row from the editor: above the selected row, starting as its copy, or at the end,
// starting empty.
int add_part_row(PartsList& parts, int selected, const RowEditor& editor);

}  // namespace korvane
