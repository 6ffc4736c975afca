// The DXF file dialog "DXFファイル読込" (template 14): gathers drawings from folders and single
// files into a list, which the user prunes and then runs.
#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

namespace korvane::win {

struct DxfFileDialogData {
  // The folder the folder browser opens on. A folder picked on the way replaces it, whether the
  // list is then run or not, unless the settings file could not keep it.
  std::string folder;
};

// Shows the dialog. Running it ("このファイルで実行") gives the path of every row of the list, in
// order (one that Shift-JIS cannot hold is named in a message and left out); closing it any
// other way gives nothing.
std::optional<std::vector<std::string>> run_dxf_file_dialog(HWND owner, DxfFileDialogData& data);

}  // namespace korvane::win
