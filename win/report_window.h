// The recognition report window "認識レポート": a modeless, resizable window with the findings of
// the last read in an owner-data list view (種類, 図面, 文字, X, Y, 内容), sorted by a click on a
// column title. A double click on a finding tied to a row chooses that row in the main list; a
// button saves the report as CSV. It follows later reads and passes while it is open.
#pragma once

#include <windows.h>

namespace korvane::win {

struct App;

// Opens the window over the main window, or brings the open one forward. Returns its handle, or
// null when it cannot be created.
HWND open_report_window(App& app);

// Makes the report anew from the workspace and the trail, if the window is open.
void refresh_report_window(App& app);

}  // namespace korvane::win
