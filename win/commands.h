// The command table of the main window: menu items and toolbar buttons, one handler each.
#pragma once

#include <windows.h>

namespace korvane::win {

struct App;

// WM_COMMAND: `id` is the low word of wParam, `code` the notification code, `control` the
// sending control (null for the menu).
void on_command(App& app, int id, int code, HWND control);

}  // namespace korvane::win
