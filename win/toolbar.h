// The main window's toolbar (control 901): ten picture buttons in five groups, with tooltips.
#pragma once

#include <windows.h>

namespace korvane::win {

inline constexpr int kToolbarButtonCount = 10;
inline constexpr int kToolbarImageSize = 32;

HWND create_toolbar(HWND parent, HINSTANCE instance);

// TTN_GETDISPINFOW: the tooltip text of buttons 910 to 919; for any other sender only
// the instance is filled in.
void fill_toolbar_tooltip(NMHDR* header, HINSTANCE instance);

}  // namespace korvane::win
