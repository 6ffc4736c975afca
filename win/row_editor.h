// The row editor (template 16): one line of fields over the row editor buffer.
#pragma once

#include <windows.h>

#include <optional>

#include "parts/row_editing.h"

namespace korvane::win {

// Shows the editor modally with the cells of `buffer`. "ＯＫ" gives the buffer with the fields
// stored in it; the close box gives nothing.
std::optional<RowEditorBuffer> run_row_editor(HWND owner, const RowEditorBuffer& buffer);

}  // namespace korvane::win
