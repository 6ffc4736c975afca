// The series window "Tessilon": a modeless dialog that plays the series animation, one frame per
// tick of its 100 ms timer, until it is closed.
#pragma once

#include <windows.h>

namespace korvane::win {

// Creates and shows a new series window owned by `owner`; every call opens another one. Returns
// its handle, or null when it cannot be created.
HWND open_series_window(HWND owner);

// The frame the window paints next (0 to 372), or -1 when `window` is not a series window.
int series_window_frame(HWND window);

}  // namespace korvane::win
