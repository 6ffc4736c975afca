// Picture toolbars with tooltips: the main window's (control 901, ten buttons in five groups) and
// the DXF file dialog's (control 903, six buttons).
#pragma once

#include <windows.h>

#include <span>

namespace korvane::win {

inline constexpr int kToolbarButtonCount = 10;
inline constexpr int kToolbarImageSize = 32;

// A toolbar of `button_count` buttons with consecutive command ids from `first_command`, button k
// showing image k of `bitmap`; a separator goes in at each of `separators`, every position
// counted after the ones before.
HWND create_picture_toolbar(HWND parent, HINSTANCE instance, int control_id, int bitmap,
                            int first_command, int button_count, std::span<const int> separators);

HWND create_toolbar(HWND parent, HINSTANCE instance);

// TTN_GETDISPINFOW: the tooltip text of buttons 910 to 919; for any other sender only
// the instance is filled in.
void fill_toolbar_tooltip(NMHDR* header, HINSTANCE instance);

// The same for a toolbar whose buttons from `first_command` on have the texts of `tooltips`.
void fill_tooltip(NMHDR* header, HINSTANCE instance, int first_command,
                  std::span<const wchar_t* const> tooltips);

}  // namespace korvane::win
