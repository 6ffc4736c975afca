// The main window procedure and its message handlers.
#pragma once

#include <windows.h>

namespace korvane::win {

struct App;

LRESULT CALLBACK main_window_proc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam);

// The App of a main window (null before WM_NCCREATE).
App* app_of(HWND hwnd);

}  // namespace korvane::win
