// The row editor (template 16): one line of fields over the row editor buffer.
#pragma once

#include <windows.h>

#include "parts/row_editing.h"

namespace korvane::win {

// Shows the editor modally over `buffer`. "ＯＫ" stores the fields in it; the close box leaves it
// as it was.
void run_row_editor(HWND owner, RowEditorBuffer& buffer);

}  // namespace korvane::win
