// The DXF file dialog "DXFファイル読込" (template 14): gathers drawings from folders and single
// files into a list, which the user prunes and then runs.
#pragma once

#include <windows.h>

namespace korvane {
struct Workspace;
}

namespace korvane::win {

// Shows the dialog. Running it ("このファイルで実行") replaces ws.chosen_files with every row of
// the list and returns true; closing it any other way leaves them and returns false. A folder
// picked on the way is remembered in ws.settings.file_folder either way.
bool run_dxf_file_dialog(HWND owner, HINSTANCE instance, Workspace& ws);

}  // namespace korvane::win
