// Korvane.exe [DRAWING|FOLDER]...: drawings and folders named when the program starts.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace korvane::win {

// The paths after the program's name, each made whole from the folder the program was started in
// (the file dialogs may move the current folder later).
std::vector<std::wstring> paths_on_command_line();

// Korvane.ini in the folder of Korvane.exe, read and written instead of the one in the current
// folder when drawings are named: a file association starts the program in the drawing's folder.
// Nothing when the program's path cannot be known or Shift-JIS cannot hold it.
std::optional<std::string> settings_file_beside_program();

}  // namespace korvane::win
